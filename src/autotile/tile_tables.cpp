#include "autotile/tile_tables.h"

#include <algorithm>
#include <cstdio>

#include "platform/interaction.h"
#include "platform/random.h"
#include "platform/text_fields.h"

namespace korv {

namespace {

constexpr const char* kTileTypeFile = "mapedit/tiletype.dat";
constexpr const char* kHexDataFile = "data/hexdata.txt";
constexpr const char* kTerrainFile = "data/terrain.txt";
constexpr const char* kRoadInfoFile = "mapedit/roadinfo.dat";
constexpr const char* kRandomTileFile = "mapedit/randomtile.dat";
constexpr int kLargestListedTile = 999;

std::string RndFileName(int terrain) {
  char name[32];
  std::snprintf(name, sizeof name, "mapedit/%03d.rnd", terrain);
  return name;
}

uint8_t ClampToByte(double value) {
  int16_t rounded = RoundToI16(value);
  return static_cast<uint8_t>(std::clamp<int>(rounded, 0, 255));
}

void RebuildTileTypeFile(TileTables& tables, const GameFolder& folder, UserInteraction& ui) {
  ui.Message("creating new 'tiletype.dat' file.");
  std::filesystem::path hexData = folder.Resolve(kHexDataFile);
  const auto bytes = ReadWholeFile(hexData);
  if (!bytes) {
    // Without the game's list every tile stays terrain 0 and no tiletype.dat
    // is written, so the next start tries again.
    ui.Message(hexData.string() + " not found.");
    return;
  }
  ParseHexDataList(tables, AsText(*bytes));
  // The file gets one byte for every tile of the sheet, so a short list does
  // not bring this rebuild (and its message) back at every start.
  std::string error;
  std::filesystem::path target = folder.Resolve(kTileTypeFile);
  EnsureFolder(target.parent_path());
  if (!WriteFileAtomically(target, std::span<const uint8_t>(tables.TileTerrain), &error)) {
    ui.Message(error);
  }
}

}  // namespace

const std::string& TileTables::TerrainName(int terrain) const {
  static const std::string kNone;
  if (terrain < 0 || static_cast<size_t>(terrain) >= TerrainNames.size()) return kNone;
  return TerrainNames[static_cast<size_t>(terrain)];
}

uint32_t TileTables::TerrainRgb(int terrain) const {
  if (terrain < 0 || static_cast<size_t>(terrain) >= TerrainColours.size()) return 0;
  const auto& c = TerrainColours[static_cast<size_t>(terrain)];
  auto component = [](int16_t v) { return static_cast<uint32_t>(std::clamp<int>(v, 0, 255)); };
  return (component(c[2]) << 16) | (component(c[1]) << 8) | component(c[0]);
}

int16_t TileCountFromSheet(int sheetWidth, int sheetHeight, int tileWidth, int tileHeight) {
  if (tileWidth <= 0 || tileHeight <= 0 || sheetWidth <= 0 || sheetHeight <= 0) return -1;
  int64_t count = static_cast<int64_t>(sheetWidth / tileWidth) * (sheetHeight / tileHeight) - 1;
  return static_cast<int16_t>(std::min<int64_t>(count, 32767));
}

void LoadTileTerrain(TileTables& tables, const GameFolder& folder, UserInteraction& ui) {
  const size_t tiles = static_cast<size_t>(std::max<int>(tables.TileCount + 1, 0));
  tables.TileTerrain.assign(tiles, 0);
  std::filesystem::path tileType = folder.Resolve(kTileTypeFile);
  int64_t length = FileLength(tileType);
  auto bytes = length == static_cast<int64_t>(tiles) ? ReadWholeFile(tileType) : std::nullopt;
  if (!bytes || !TakeTileTypes(tables, *bytes)) RebuildTileTypeFile(tables, folder, ui);

  tables.TerrainNames.clear();
  tables.TerrainColours.clear();
  tables.TerrainMax = -1;
  std::filesystem::path terrainPath = folder.Resolve(kTerrainFile);
  const auto terrain = ReadWholeFile(terrainPath);
  if (!terrain) {
    ui.Message(terrainPath.string() + " not found.");
    return;
  }
  ParseTerrainTable(tables, AsText(*terrain));
}

bool TakeTileTypes(TileTables& tables, std::span<const uint8_t> bytes) {
  const size_t tiles = static_cast<size_t>(std::max<int>(tables.TileCount + 1, 0));
  if (bytes.size() != tiles || tables.TileTerrain.size() != tiles) return false;
  std::copy(bytes.begin(), bytes.end(), tables.TileTerrain.begin());
  return true;
}

void ParseHexDataList(TileTables& tables, std::string_view text) {
  TextFieldReader reader{std::string(text)};
  int listed = std::max<int>(reader.NextI16(), 0);
  const int tiles =
      std::min<int>(tables.TileCount + 1, static_cast<int>(tables.TileTerrain.size()));
  for (int i = 0; i < listed && i < tiles; ++i) {
    tables.TileTerrain[static_cast<size_t>(i)] = ClampToByte(reader.NextNumber());
  }
}

void ParseTerrainTable(TileTables& tables, std::string_view text) {
  TextFieldReader reader{std::string(text)};
  reader.Skip(1);
  int count = std::clamp<int>(reader.NextI16(), 0, 256);
  reader.Skip(1);
  tables.TerrainMax = static_cast<int16_t>(count - 1);
  tables.TerrainNames.assign(static_cast<size_t>(count), std::string());
  tables.TerrainColours.assign(static_cast<size_t>(count), {0, 0, 0});
  for (size_t i = 0; i < static_cast<size_t>(count); ++i) {
    tables.TerrainNames[i] = reader.NextField();
    reader.Skip(3);
    tables.TerrainColours[i][2] = reader.NextI16();
    tables.TerrainColours[i][1] = reader.NextI16();
    tables.TerrainColours[i][0] = reader.NextI16();
    reader.Skip(1);
  }
}

void LoadRoadInfo(TileTables& tables, const GameFolder& folder) {
  std::filesystem::path path = folder.Resolve(kRoadInfoFile);
  auto bytes = ReadWholeFile(path);
  if (!bytes) {
    EnsureFolder(path.parent_path());
    WriteFileAtomically(path, std::string_view());
    bytes.emplace();
  }
  ParseRoadInfo(tables, *bytes);
}

void ParseRoadInfo(TileTables& tables, std::span<const uint8_t> bytes) {
  const size_t tiles = static_cast<size_t>(std::max<int>(tables.TileCount + 1, 0));
  tables.TileRoad.assign(tiles, 0);
  tables.RoadTiles.assign(1, std::array<int16_t, 7>{});
  auto byteAt = [&](size_t offset) -> uint8_t { return offset < bytes.size() ? bytes[offset] : 0; };
  for (size_t t = 0; t < tiles; ++t) {
    std::array<int16_t, 7> row{};
    bool any = false;
    for (int i = 0; i < 6; ++i) {
      if (byteAt(6 * t + static_cast<size_t>(i)) == 0) continue;
      any = true;
      // Byte i belongs to side 5, 6, 1, 2, 3, 4.
      int side = i + 5 > 6 ? i - 1 : i + 5;
      row[static_cast<size_t>(side)] = 1;
    }
    if (!any) continue;
    tables.TileRoad[t] = 1;
    row[0] = static_cast<int16_t>(t);
    tables.RoadTiles.push_back(row);
  }
  tables.RoadTiles[0][0] = static_cast<int16_t>(tables.RoadTiles.size() - 1);
}

std::string FormatTileRecords(const std::vector<int16_t>& tiles) {
  std::string text;
  text.reserve(tiles.size() * 5);
  char record[16];
  for (int16_t tile : tiles) {
    std::snprintf(record, sizeof record, "%03d\r\n", static_cast<int>(tile));
    text += record;
  }
  return text;
}

std::vector<int16_t> ParseTileRecords(std::string_view text) {
  std::vector<int16_t> tiles;
  for (size_t offset = 0; offset + 5 <= text.size(); offset += 5) {
    tiles.push_back(RoundToI16(ParseLeadingNumber(text.substr(offset, 3))));
  }
  return tiles;
}

RandomTileLists ComputeRandomTileLists(const TileTables& tables, const GameFolder& folder) {
  RandomTileLists lists;
  lists.ByTerrain.resize(static_cast<size_t>(std::max<int>(tables.TerrainMax + 1, 0)));
  auto flags = ReadWholeFile(folder.Resolve(kRandomTileFile)).value_or(std::vector<uint8_t>{});
  const int last = std::min<int>(tables.TileCount, kLargestListedTile);
  for (int t = 0; t <= last; ++t) {
    if (static_cast<size_t>(t) >= flags.size() || flags[static_cast<size_t>(t)] != 1) continue;
    int terrain = tables.TileTerrain[static_cast<size_t>(t)];
    if (lists.HasList(terrain)) {
      lists.ByTerrain[static_cast<size_t>(terrain)].push_back(static_cast<int16_t>(t));
    }
  }
  return lists;
}

RandomTileLists BuildRndTables(const TileTables& tables, const GameFolder& folder,
                               UserInteraction& ui) {
  for (int terrain = 0; terrain <= tables.TerrainMax; ++terrain) {
    DeleteFile(folder.Resolve(RndFileName(terrain)));
  }
  ui.Progress("Building Random table files");
  RandomTileLists lists = ComputeRandomTileLists(tables, folder);
  EnsureFolder(folder.Resolve("mapedit"));
  for (size_t terrain = 0; terrain < lists.ByTerrain.size(); ++terrain) {
    std::string error;
    if (!WriteFileAtomically(folder.Resolve(RndFileName(static_cast<int>(terrain))),
                             FormatTileRecords(lists.ByTerrain[terrain]), &error)) {
      ui.Message(error);
    }
  }
  return lists;
}

RandomTileLists ReadRndTables(const TileTables& tables, const GameFolder& folder) {
  RandomTileLists lists;
  for (int terrain = 0; terrain <= 255; ++terrain) {
    auto bytes = ReadWholeFile(folder.Resolve(RndFileName(terrain)));
    if (!bytes) {
      if (terrain > tables.TerrainMax) continue;
      bytes.emplace();
    }
    if (lists.ByTerrain.size() <= static_cast<size_t>(terrain)) {
      lists.ByTerrain.resize(static_cast<size_t>(terrain) + 1);
    }
    lists.ByTerrain[static_cast<size_t>(terrain)] = ParseRndList(tables, AsText(*bytes));
  }
  return lists;
}

std::vector<int16_t> ParseRndList(const TileTables& tables, std::string_view text) {
  std::vector<int16_t> tiles = ParseTileRecords(text);
  // A damaged or foreign list may name tiles the sheet does not have;
  // painting one would put a tile on the map that cannot be drawn.
  std::erase_if(tiles, [&tables](int16_t tile) { return !tables.IsTile(tile); });
  return tiles;
}

void randomtile(int16_t& currentTile, const TileTables& tables, const RandomTileLists& lists,
                RandomSource& random) {
  if (!tables.IsTile(currentTile)) return;
  int terrain = tables.TileTerrain[static_cast<size_t>(currentTile)];
  if (!lists.HasList(terrain)) return;
  const auto& list = lists.ByTerrain[static_cast<size_t>(terrain)];
  if (list.empty()) return;
  auto r = static_cast<size_t>(static_cast<double>(list.size()) * random.Uniform());
  currentTile = list[std::min(r, list.size() - 1)];
}

void ChooseDefaultTile(int16_t& currentTile, const TileTables& tables) {
  for (int t = 0; t <= tables.TileCount; ++t) {
    if (tables.TileTerrain[static_cast<size_t>(t)] == 1 &&
        tables.TileRoad[static_cast<size_t>(t)] == 0) {
      currentTile = static_cast<int16_t>(t);
    }
  }
}

}  // namespace korv
