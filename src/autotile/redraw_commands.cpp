#include "autotile/redraw_commands.h"

#include <cmath>

#include "autotile/choosers.h"
#include "document/hex_grid.h"
#include "platform/random.h"

namespace korv {

namespace {

constexpr int kForestTerrain = 8;
constexpr int kMountainTerrain = 3;

int FirstTileOfTerrain(const TileTables& tables, int terrain) {
  for (int t = 0; t <= tables.TileCount; ++t) {
    if (tables.TerrainOf(t) == terrain) return t;
  }
  return -1;
}

ChooserContext Chooser(const MapDocument& document, const RetileContext& context,
                       int16_t currentTile) {
  return {document, context.tables, context.folder, context.random, currentTile};
}

}  // namespace

void AutoRedrawRoads(MapDocument& document, const RetileContext& context, const HexRange& area,
                     int16_t& currentTile) {
  ForEachHex(area, [&](int x, int y) {
    if (context.tables.RoadOf(document.Tile(x, y)) != 1) return;
    currentTile = document.Tile(x, y);
    int answer = -1;
    CheckRoads(Chooser(document, context, currentTile), x, y, answer);
    if (context.tables.IsTile(answer)) document.Tile(x, y) = static_cast<int16_t>(answer);
  });
}

void AutoRedrawTerrain(MapDocument& document, const RetileContext& context, const HexRange& area,
                       int16_t& currentTile) {
  ForEachHex(area, [&](int x, int y) {
    if (document.Terrain(x, y) == 1) return;
    int answer = -1;
    currentTile = document.Tile(x, y);
    AutoDrawTile(Chooser(document, context, currentTile), x, y, answer);
    if (context.tables.IsTile(answer)) document.Tile(x, y) = static_cast<int16_t>(answer);
  });
}

void AutoRedrawForests(MapDocument& document, const RetileContext& context, const HexRange& area,
                       int16_t& currentTile) {
  if (const int forest = FirstTileOfTerrain(context.tables, kForestTerrain); forest >= 0) {
    currentTile = static_cast<int16_t>(forest);
  }
  ForEachHex(area, [&](int x, int y) {
    if (document.Terrain(x, y) != kForestTerrain) return;
    int answer = -1;
    AutoDrawTile(Chooser(document, context, currentTile), x, y, answer);
    if (context.tables.IsTile(answer)) document.Tile(x, y) = static_cast<int16_t>(answer);
  });
}

void AutoRedrawMountains(MapDocument& document, const HexRange& area) {
  // Per pass: the centre tile, then the tiles for directions 1 to 6.
  static constexpr int kPasses[2][7] = {{86, 104, 115, 90, 75, 76, 94},
                                        {94, 192, 104, 86, 76, 78, 105}};
  for (const auto& pass : kPasses) {
    ForEachHex(area, [&](int x, int y) {
      if (document.Terrain(x, y) != kMountainTerrain || document.Tile(x, y) != pass[0]) return;
      for (int d = 1; d <= 6; ++d) {
        auto nx = static_cast<int16_t>(x);
        auto ny = static_cast<int16_t>(y);
        NeighbourStep(nx, ny, d);
        if (!document.Contains(nx, ny) || document.Terrain(nx, ny) != kMountainTerrain) continue;
        document.Tile(nx, ny) = static_cast<int16_t>(pass[d]);
      }
    });
  }
}

void RedoTerrainLayer(MapDocument& document, const TileTables& tables) {
  for (int x = 0; x <= document.MapWidth; ++x) {
    for (int y = 0; y <= document.MapHeight; ++y) {
      document.Terrain(x, y) = tables.TerrainOf(document.Tile(x, y));
    }
  }
}

void ScatteredWoods(MapDocument& document, const RetileContext& context, int16_t& currentTile) {
  if (const int forest = FirstTileOfTerrain(context.tables, kForestTerrain); forest >= 0) {
    currentTile = static_cast<int16_t>(forest);
  }
  for (int x = 0; x <= document.MapWidth; ++x) {
    for (int y = 0; y <= document.MapHeight; ++y) {
      if (document.Terrain(x, y) != 1 || context.tables.RoadOf(document.Tile(x, y)) != 0) continue;
      const int draw = static_cast<int>(std::floor(20 * context.random.Uniform() + 1));
      if (draw != 1) continue;
      int answer = -1;
      AutoDrawTile(Chooser(document, context, currentTile), x, y, answer);
      if (!context.tables.IsTile(answer)) continue;
      currentTile = static_cast<int16_t>(answer);
      document.Terrain(x, y) = context.tables.TerrainOf(answer);
      document.Tile(x, y) = currentTile;
    }
  }
}

}  // namespace korv
