// Automatic tile choice: the tile that fits a hex's six neighbours, from the
// pattern libraries (what the editor has learnt, pattern_library.h) or from
// the terrain pattern lists (tiles marked as members with their neighbour
// signature, tile_knowledge.h). Every chooser leaves its answer in `rethex`:
// a tile of the sheet, or -1 when nothing fits; they never change the map,
// except NewTile and UpdateTiles, which re-tile hexes.
#pragma once

#include <cstdint>
#include <string>

#include "autotile/tile_tables.h"
#include "document/map_document.h"
#include "platform/files.h"

namespace korv {

class RandomSource;

// What the choosers read: the map, the tile tables, the game folder with the
// libraries and lists, the random source, and the tile being painted.
struct ChooserContext {
  const MapDocument& document;
  const TileTables& tables;
  const GameFolder& folder;
  RandomSource& random;
  int16_t currentTile;
};

// The terrain pattern list of terrain `terrain` for a neighbour signature:
// "mapedit/tNN/" + signature + ".txt".
std::string TerrainPatternListPath(int terrain, const std::string& signature);

// Roads: the road library, for a hex not on water (a hex on water is the
// bridges' business); only a tile of the hex's own terrain is taken.
void CheckRoads(const ChooserContext& context, int x, int y, int& rethex);
// Bridges: the bridge library, else the lowest water tile (terrain 2) with a road.
void CheckBridges(const ChooserContext& context, int x, int y, int& rethex);
// Rivers: the river library; a tile with a road is refused.
void CheckRivers(const ChooserContext& context, int x, int y, int& rethex);
// The tile library of the current tile's terrain; a tile of another terrain
// or off the sheet is refused.
void TilePattern(const ChooserContext& context, int x, int y, int& rethex);
// A random member of the terrain pattern list of the current tile's terrain
// for the hex's neighbours of that terrain; `rethex` stays as it was when
// there is no such list.
void TerrainPattern(const ChooserContext& context, int x, int y, int& rethex);
// The chooser for everything but roads, by the current tile's terrain: the
// bridge or river library for water, the terrain lists then the tile
// library for forest, the terrain lists for sea, ports and cities, and the
// checked terrain lists then the tile library for the rest. A terrain list
// found to hold a tile of another terrain is deleted (answer -1).
void AutoDrawTile(const ChooserContext& context, int x, int y, int& rethex);

// Gives hex (x, y) a plain tile of its terrain layer's type: the first
// road tile of that type for a hex with road exits (not for sea, cities,
// airfields and ports), else a random variant of the first roadless tile,
// which becomes the current tile. Tile 0 is never chosen.
void NewTile(MapDocument& document, const TileTables& tables, const RandomTileLists& lists,
             RandomSource& random, int16_t& currentTile, int x, int y);
// NewTile for every hex whose tile is off the sheet or of another terrain
// than its terrain layer, column by column.
void UpdateTiles(MapDocument& document, const TileTables& tables, const RandomTileLists& lists,
                 RandomSource& random, int16_t& currentTile);

}  // namespace korv
