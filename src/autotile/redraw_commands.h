// The "Tiles" menu's map-wide commands as procedures over an area of the
// map: re-choosing road, terrain and forest tiles from what the editor has
// learnt, the fixed mountain arrangement, the terrain layer rebuilt from the
// tiles, and the scattered woods. The area, the undo copy and the redraw
// are the caller's (the command table).
#pragma once

#include <cstdint>

#include "autotile/tile_tables.h"
#include "document/map_document.h"
#include "platform/files.h"

namespace korv {

class RandomSource;

// What the re-tiling commands work with besides the map.
struct RetileContext {
  const TileTables& tables;
  const RandomTileLists& lists;
  const GameFolder& folder;
  RandomSource& random;
};

// "auto redraw Roads": every hex of `area` whose tile carries a road gets
// what CheckRoads answers for it (as the current tile); the current tile
// ends as the last one set.
void AutoRedrawRoads(MapDocument& document, const RetileContext& context, const HexRange& area,
                     int16_t& currentTile);
// "auto redraw Terrain": every hex not of terrain 1 gets what AutoDrawTile
// answers with its own tile as the current tile.
void AutoRedrawTerrain(MapDocument& document, const RetileContext& context, const HexRange& area,
                       int16_t& currentTile);
// "auto redraw Forests": with the first forest tile current, every forest
// hex gets what AutoDrawTile answers; the current tile is that first tile.
void AutoRedrawForests(MapDocument& document, const RetileContext& context, const HexRange& area,
                       int16_t& currentTile);
// "auto redraw Mountains": around each mountain of tile 86 (first pass) and
// then 94 (second pass), the mountain neighbours get the arrangement's
// tiles; neighbours off the map are skipped.
void AutoRedrawMountains(MapDocument& document, const HexRange& area);
// "Rebuild Terrain based on Tiles": every hex's terrain layer becomes its
// tile's terrain type.
void RedoTerrainLayer(MapDocument& document, const TileTables& tables);
// "Scattered Woods": one open-land hex without a road in twenty, at random,
// gets the forest tile AutoDrawTile chooses for it.
void ScatteredWoods(MapDocument& document, const RetileContext& context, int16_t& currentTile);

}  // namespace korv
