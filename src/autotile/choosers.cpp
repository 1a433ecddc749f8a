#include "autotile/choosers.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <initializer_list>

#include "autotile/pattern_library.h"
#include "document/hex_grid.h"
#include "platform/random.h"

namespace korv {

namespace {

enum class Outside { kNeverCounts, kCountsBelowOne };

// The neighbour signature of (x, y) for a terrain list: digit k for each
// neighbour position k (top, upper right, ... upper left) that counts.
std::string NeighbourSignature(const MapDocument& document, int x, int y, Outside outside,
                               const std::function<bool(int terrain)>& counts) {
  std::string signature;
  for (int k = 1; k <= 6; ++k) {
    auto nx = static_cast<int16_t>(x);
    auto ny = static_cast<int16_t>(y);
    NeighbourStep(nx, ny, k + 4 > 6 ? k - 2 : k + 4);
    bool set = false;
    if (outside == Outside::kCountsBelowOne) {
      const bool off = nx < 1 || ny < 1 || nx > document.MapWidth || ny > document.MapHeight;
      set = off || counts(document.Terrain(nx, ny));
    } else if (document.Contains(nx, ny)) {
      set = counts(document.Terrain(nx, ny));
    }
    signature += set ? static_cast<char>('0' + k) : '0';
  }
  return signature;
}

// The tile a library names for the hex, by the chooser's counts test and
// with the neighbour walk of the recorders that fill the library: from
// column and row `lowest` on, or for a library two recorders fill, from
// each of `lowest` in turn while nothing is found. Only a tile of the sheet
// that `accept` takes is answered; a missing file answers -1 and stays missing.
int LookUp(const ChooserContext& context, int x, int y, const std::string& folder,
           std::initializer_list<int> lowest, bool separatedShape,
           const std::function<bool(int nx, int ny)>& counts,
           const std::function<bool(int tile)>& accept, bool skipRefused) {
  const auto fits = [&](int tile) {
    return context.tables.IsTile(tile) && (!accept || accept(tile));
  };
  std::string walked;
  for (const int from : lowest) {
    const Neighbourhood hood =
        BuildNeighbourhood(context.document, x, y, from, separatedShape, counts);
    if (hood.shape + ',' + hood.key == walked) continue;  // the edge is not near
    walked = hood.shape + ',' + hood.key;
    auto bytes = ReadWholeFile(context.folder.Resolve(folder + "/" + hood.shape + ".txt"));
    if (!bytes) continue;
    const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    // Without `skipRefused` the first record of the key decides.
    const int tile =
        skipRefused ? FirstMatchingTile(text, hood.key, fits) : FirstMatchingTile(text, hood.key);
    if (fits(tile)) return tile;
  }
  return -1;
}

enum class ListPick { kMissing, kPicked, kDeleted };

// A random record of a terrain list: r = Int(u * n + 1) of its n records;
// with `checkTerrain`, a list holding a tile of another terrain is deleted.
ListPick PickFromList(const ChooserContext& context, int terrain, const std::string& signature,
                      int& rethex, bool checkTerrain) {
  const std::filesystem::path path =
      context.folder.Resolve(TerrainPatternListPath(terrain, signature));
  auto bytes = ReadWholeFile(path);
  if (!bytes) return ListPick::kMissing;
  const size_t count = bytes->size() / 5;
  if (count == 0) return ListPick::kMissing;
  const auto wanted = static_cast<size_t>(std::floor(context.random.Uniform() * count + 1));
  for (size_t r = 0; r < std::min(wanted, count); ++r) {
    const char* record = reinterpret_cast<const char*>(bytes->data()) + 5 * r;
    int tile = 0;
    for (int i = 0; i < 3; ++i) {
      if (record[i] >= '0' && record[i] <= '9') tile = tile * 10 + (record[i] - '0');
    }
    if (checkTerrain && context.tables.TerrainOf(tile) != terrain) {
      DeleteFile(path);
      rethex = -1;
      return ListPick::kDeleted;
    }
    rethex = tile;
  }
  return ListPick::kPicked;
}

}  // namespace

std::string TerrainPatternListPath(int terrain, const std::string& signature) {
  char folder[16];
  std::snprintf(folder, sizeof folder, "mapedit/t%02d/", terrain);
  return folder + signature + ".txt";
}

void CheckRoads(const ChooserContext& context, int x, int y, int& rethex) {
  rethex = -1;
  const MapDocument& document = context.document;
  const int ownTerrain = document.Terrain(x, y);
  if (IsWaterTerrain(ownTerrain)) {
    CheckBridges(context, x, y, rethex);
    return;
  }
  rethex = LookUp(
      context, x, y, kRoadPatternFolder, {kRoadRecorderLowest}, true,
      [&](int nx, int ny) {
        const int terrain = document.Terrain(nx, ny);
        return IsTownOrPortTerrain(terrain) || terrain == 6 ||
               context.tables.RoadOf(document.Tile(nx, ny)) == 1;
      },
      [&](int tile) { return context.tables.TerrainOf(tile) == ownTerrain; }, true);
}

void CheckBridges(const ChooserContext& context, int x, int y, int& rethex) {
  rethex = -1;
  const MapDocument& document = context.document;
  const TileTables& tables = context.tables;
  // The road recorder learns bridges too, from column and row 0 on.
  rethex = LookUp(
      context, x, y, kBridgePatternFolder, {kRoadRecorderLowest, kRecorderLowest}, true,
      [&](int nx, int ny) {
        const int terrain = document.Terrain(nx, ny);
        return IsWaterTerrain(terrain) || IsTownOrPortTerrain(terrain) ||
               tables.RoadOf(document.Tile(nx, ny)) == 1;
      },
      nullptr, false);
  if (rethex != -1) return;
  for (int t = 0; t <= tables.TileCount; ++t) {
    if (tables.TerrainOf(t) == 2 && tables.RoadOf(t) == 1) {
      rethex = t;
      return;
    }
  }
}

void CheckRivers(const ChooserContext& context, int x, int y, int& rethex) {
  rethex = -1;
  const MapDocument& document = context.document;
  const TileTables& tables = context.tables;
  rethex = LookUp(
      context, x, y, kRiverPatternFolder, {kRecorderLowest}, true,
      [&](int nx, int ny) { return IsWaterTerrain(tables.TerrainOf(document.Tile(nx, ny))); },
      [&](int tile) { return tables.RoadOf(tile) != 1; }, false);
}

void TilePattern(const ChooserContext& context, int x, int y, int& rethex) {
  rethex = -1;
  const MapDocument& document = context.document;
  const TileTables& tables = context.tables;
  const int terrain = tables.TerrainOf(context.currentTile);
  rethex = LookUp(
      context, x, y, TileLibraryFolder(terrain), {kRecorderLowest}, false,
      [&](int nx, int ny) { return tables.TerrainOf(document.Tile(nx, ny)) == terrain; },
      [&](int tile) { return tables.TerrainOf(tile) == terrain; }, false);
}

void TerrainPattern(const ChooserContext& context, int x, int y, int& rethex) {
  const int terrain = context.tables.TerrainOf(context.currentTile);
  const std::string signature =
      NeighbourSignature(context.document, x, y, Outside::kNeverCounts,
                         [terrain](int neighbour) { return neighbour == terrain; });
  PickFromList(context, terrain, signature, rethex, false);
}

void AutoDrawTile(const ChooserContext& context, int x, int y, int& rethex) {
  const TileTables& tables = context.tables;
  const MapDocument& document = context.document;
  const int terrain = tables.TerrainOf(context.currentTile);
  if (IsWaterTerrain(terrain)) {
    // The tile standing on the hex before painting decides.
    if (tables.RoadOf(document.Tile(x, y)) == 1) {
      CheckBridges(context, x, y, rethex);
    } else {
      CheckRivers(context, x, y, rethex);
    }
  } else if (terrain == 8) {
    TerrainPattern(context, x, y, rethex);
    if (rethex == -1) TilePattern(context, x, y, rethex);
  } else if (terrain == 0 || terrain == 14 || terrain == 5) {
    const auto family = [terrain](int neighbour) {
      return neighbour == 14 || neighbour == (terrain == 5 ? 5 : 0);
    };
    const Outside outside = terrain == 0 ? Outside::kCountsBelowOne : Outside::kNeverCounts;
    PickFromList(context, terrain, NeighbourSignature(document, x, y, outside, family), rethex,
                 false);
  } else {
    const std::string signature =
        NeighbourSignature(document, x, y, Outside::kNeverCounts,
                           [terrain](int neighbour) { return neighbour == terrain; });
    const ListPick pick = PickFromList(context, terrain, signature, rethex, true);
    if (pick == ListPick::kDeleted) return;
    if (rethex == -1) TilePattern(context, x, y, rethex);
  }
  if (rethex > tables.TileCount) rethex = -1;
}

void NewTile(MapDocument& document, const TileTables& tables, const RandomTileLists& lists,
             RandomSource& random, int16_t& currentTile, int x, int y) {
  const int terrain = document.Terrain(x, y);
  bool roadHex = false;
  if (terrain != 0 && terrain != 5 && terrain != 6 && terrain != 14) {
    for (int d = 1; d <= 6; ++d) {
      if (document.Data(x, y, d) != 0) {
        roadHex = true;
        break;
      }
    }
  }
  for (int k = 1; k <= tables.TileCount; ++k) {
    if (tables.TerrainOf(k) != terrain || tables.RoadOf(k) != (roadHex ? 1 : 0)) continue;
    if (roadHex) {
      document.Tile(x, y) = static_cast<int16_t>(k);
    } else {
      currentTile = static_cast<int16_t>(k);
      randomtile(currentTile, tables, lists, random);
      document.Tile(x, y) = currentTile;
    }
    return;
  }
}

void UpdateTiles(MapDocument& document, const TileTables& tables, const RandomTileLists& lists,
                 RandomSource& random, int16_t& currentTile) {
  for (int x = 0; x <= document.MapWidth; ++x) {
    for (int y = 0; y <= document.MapHeight; ++y) {
      if (document.Tile(x, y) > tables.TileCount) {
        NewTile(document, tables, lists, random, currentTile, x, y);
      }
      if (tables.TerrainOf(document.Tile(x, y)) != document.Terrain(x, y)) {
        NewTile(document, tables, lists, random, currentTile, x, y);
      }
    }
  }
}

}  // namespace korv
