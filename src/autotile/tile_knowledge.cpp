#include "autotile/tile_knowledge.h"

#include <cstdio>

#include "autotile/choosers.h"

namespace korv {

namespace {

std::vector<uint8_t> ReadTileBytes(const GameFolder& folder, const char* file, int64_t offset,
                                   size_t count) {
  std::vector<uint8_t> bytes(count, 0);
  auto whole = ReadWholeFile(folder.Resolve(file));
  if (!whole) return bytes;
  for (size_t i = 0; i < count; ++i) {
    const auto at = static_cast<size_t>(offset) + i;
    if (at < whole->size()) bytes[i] = (*whole)[at];
  }
  return bytes;
}

// Writes `bytes` at `offset` of a reference file, in place (a missing file
// is created, and bytes before the offset read as zeros).
bool WriteTileBytes(const GameFolder& folder, const char* file, int64_t offset,
                    std::span<const uint8_t> bytes, std::string* error) {
  const std::filesystem::path path = folder.Resolve(file);
  if (!EnsureFolder(path.parent_path(), error)) return false;
  ByteFile out;
  if (!out.Open(path)) {
    if (error) *error = "cannot write " + path.string();
    return false;
  }
  out.Write(offset + 1, bytes);
  return true;
}

SideStates SidesOf(const std::vector<uint8_t>& bytes) {
  SideStates sides{};
  for (size_t i = 0; i < sides.size() && i < bytes.size(); ++i) sides[i] = bytes[i] != 0;
  return sides;
}

std::vector<uint8_t> BytesOf(const SideStates& sides) {
  std::vector<uint8_t> bytes;
  for (bool side : sides) bytes.push_back(side ? 1 : 0);
  return bytes;
}

}  // namespace

std::string SignatureOf(const SideStates& sides) {
  std::string signature;
  for (size_t k = 0; k < sides.size(); ++k) {
    signature += sides[k] ? static_cast<char>('1' + k) : '0';
  }
  return signature;
}

int PreviousTile(int tile, int tileCount) {
  return tile - 1 < 0 ? tileCount : tile - 1;
}

int NextTile(int tile, int tileCount) {
  return tile + 1 > tileCount ? 0 : tile + 1;
}

bool BuildPatternFile(const GameFolder& folder, const TileTables& tables, int terrain,
                      const std::string& signature, std::string* error) {
  const std::filesystem::path list = folder.Resolve(TerrainPatternListPath(terrain, signature));
  const auto members = ReadWholeFile(folder.Resolve(kPatternTilesFile));
  const auto patterns = ReadWholeFile(folder.Resolve(kPatternsFile));
  std::string records;
  for (int t = 0; t <= tables.TileCount && t < 1000; ++t) {
    if (tables.TerrainOf(t) != terrain) continue;
    if (!members || static_cast<size_t>(t) >= members->size() || (*members)[t] != 1) continue;
    SideStates sides{};
    for (size_t k = 0; k < sides.size(); ++k) {
      const size_t at = 6 * static_cast<size_t>(t) + k;
      sides[k] = patterns && at < patterns->size() && (*patterns)[at] != 0;
    }
    if (SignatureOf(sides) != signature) continue;
    char record[8];
    std::snprintf(record, sizeof record, "%03d\r\n", t);
    records += record;
  }
  if (FileExists(list)) DeleteFile(list);
  if (records.empty()) return true;
  return EnsureFolder(list.parent_path(), error) &&
         WriteFileAtomically(list, std::string_view(records), error);
}

void RoadConnectionsEdit::Load(const GameFolder& folder, int tile) {
  sides = SidesOf(ReadTileBytes(folder, kRoadInfoFile, 6 * static_cast<int64_t>(tile), 6));
}

bool RoadConnectionsEdit::Save(const GameFolder& folder, TileTables& tables, int tile,
                               std::string* error) {
  if (!WriteTileBytes(folder, kRoadInfoFile, 6 * static_cast<int64_t>(tile), BytesOf(sides),
                      error)) {
    return false;
  }
  bool any = false;
  for (bool side : sides) any = any || side;
  if (tables.IsTile(tile) && static_cast<size_t>(tile) < tables.TileRoad.size()) {
    tables.TileRoad[static_cast<size_t>(tile)] = any ? 1 : 0;
  }
  return true;
}

void TilePatternEdit::Load(const GameFolder& folder, const TileTables& tables, int tile) {
  member = ReadTileBytes(folder, kPatternTilesFile, tile, 1)[0] == 1;
  terrain = ReadTileBytes(folder, kTileTypeFile, tile, 1)[0];
  instruction = terrain == 14 ? "Mark adjacent port, or ocean hexes."
                              : "Mark adjacent " + tables.TerrainName(terrain) + " hexes.";
  sides = SidesOf(ReadTileBytes(folder, kPatternsFile, 6 * static_cast<int64_t>(tile), 6));
  rememberedSignature = SignatureOf(sides);
}

bool TilePatternEdit::Save(const GameFolder& folder, const TileTables& tables, int tile,
                           std::string* error) {
  const uint8_t membership[] = {static_cast<uint8_t>(member ? 1 : 0)};
  if (!WriteTileBytes(folder, kPatternTilesFile, tile, membership, error) ||
      !WriteTileBytes(folder, kPatternsFile, 6 * static_cast<int64_t>(tile), BytesOf(sides),
                      error)) {
    return false;
  }
  const std::string signature = SignatureOf(sides);
  const int listTerrain = tables.TerrainOf(tile);
  bool ok = true;
  // The old list loses the tile when it leaves or changes its signature;
  // the new one gains it.
  if (!member || signature != rememberedSignature) {
    ok = BuildPatternFile(folder, tables, listTerrain, rememberedSignature, error);
  }
  if (member) ok = BuildPatternFile(folder, tables, listTerrain, signature, error) && ok;
  rememberedSignature = signature;
  return ok;
}

void TileTerrainTypeEdit::Load(const GameFolder& folder, int tile) {
  terrain = ReadTileBytes(folder, kTileTypeFile, tile, 1)[0];
  random = ReadTileBytes(folder, kRandomTileFile, tile, 1)[0] == 1;
}

bool TileTerrainTypeEdit::Save(const GameFolder& folder, TileTables& tables, int tile,
                               std::string* error) {
  const uint8_t type[] = {static_cast<uint8_t>(terrain)};
  const uint8_t flag[] = {static_cast<uint8_t>(random ? 1 : 0)};
  if (!WriteTileBytes(folder, kTileTypeFile, tile, type, error) ||
      !WriteTileBytes(folder, kRandomTileFile, tile, flag, error)) {
    return false;
  }
  if (tables.IsTile(tile) && static_cast<size_t>(tile) < tables.TileTerrain.size()) {
    tables.TileTerrain[static_cast<size_t>(tile)] = static_cast<uint8_t>(terrain);
  }
  return true;
}

}  // namespace korv
