// What the editor knows about every tile of the tile sheet: its terrain type,
// the sides a road leaves it through, and the name and colour of every
// terrain type. Filled at start-up from mapedit/tiletype.dat (rebuilt from
// data/hexdata.txt when it does not fit the sheet), data/terrain.txt and
// mapedit/roadinfo.dat. Also the random tile lists built from
// mapedit/randomtile.dat, and the random pick of a tile variant.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace korv {

class RandomSource;
class UserInteraction;

struct TileTables {
  int16_t TileCount = -1;            // highest tile number
  std::vector<uint8_t> TileTerrain;  // per tile 0..TileCount
  std::vector<uint8_t> TileRoad;     // per tile: 1 when a road leaves it
  // Row 0 holds the row count n in element 0; row k = 1..n holds the tile
  // number in element 0 and, for d = 1..6, 1 when a road leaves through side d.
  std::vector<std::array<int16_t, 7>> RoadTiles = {std::array<int16_t, 7>{}};
  int16_t TerrainMax = -1;  // number of terrain types minus 1
  std::vector<std::string> TerrainNames;
  // Per terrain type: [0] blue, [1] green, [2] red.
  std::vector<std::array<int16_t, 3>> TerrainColours;

  bool IsTile(int tile) const { return tile >= 0 && tile <= TileCount; }
  // A tile the tables do not reach (not on the sheet, or tables not yet
  // sized for it) has terrain 0 and no road.
  uint8_t TerrainOf(int tile) const {
    return IsTile(tile) && static_cast<size_t>(tile) < TileTerrain.size()
               ? TileTerrain[static_cast<size_t>(tile)]
               : 0;
  }
  uint8_t RoadOf(int tile) const {
    return IsTile(tile) && static_cast<size_t>(tile) < TileRoad.size()
               ? TileRoad[static_cast<size_t>(tile)]
               : 0;
  }
  // The terrain's name, or empty for a type the terrain table does not list.
  const std::string& TerrainName(int terrain) const;
  // 0x00RRGGBB of the terrain's map colour; black for an unknown type.
  uint32_t TerrainRgb(int terrain) const;
};

// Number of the highest tile on a sheet of the given size:
// (width \ tile width) * (height \ tile height) - 1.
int16_t TileCountFromSheet(int sheetWidth, int sheetHeight, int tileWidth, int tileHeight);

// Sizes the per-tile tables for `tileCount` and reads tile terrain and the
// terrain table. Writes mapedit/tiletype.dat anew from data/hexdata.txt when
// it is missing or does not hold one byte per tile.
void LoadTileTerrain(TileTables& tables, const GameFolder& folder, UserInteraction& ui);
// The readers of those files' bytes, for tables sized for TileCount:
// tiletype.dat (false, tables unchanged, unless it holds one byte per tile),
// the tile list of hexdata.txt and the terrain table of terrain.txt.
bool TakeTileTypes(TileTables& tables, std::span<const uint8_t> bytes);
void ParseHexDataList(TileTables& tables, std::string_view text);
void ParseTerrainTable(TileTables& tables, std::string_view text);
// Reads mapedit/roadinfo.dat (created empty when missing) into TileRoad and RoadTiles.
void LoadRoadInfo(TileTables& tables, const GameFolder& folder);
// TileRoad and RoadTiles as the bytes of roadinfo.dat give them.
void ParseRoadInfo(TileTables& tables, std::span<const uint8_t> bytes);

// Per terrain type, the tiles that may stand in for one another: those of
// that type flagged in mapedit/randomtile.dat, in rising order. Tiles from
// 1000 on are left out: the lists' 5-byte records hold three digits.
struct RandomTileLists {
  std::vector<std::vector<int16_t>> ByTerrain;  // index 0..TerrainMax
  // Whether a list exists for the terrain (an empty list still exists).
  bool HasList(int terrain) const {
    return terrain >= 0 && static_cast<size_t>(terrain) < ByTerrain.size();
  }
};

// The lists as the tables and the randomtile.dat flags give them, without touching any file.
RandomTileLists ComputeRandomTileLists(const TileTables& tables, const GameFolder& folder);
// Deletes and rewrites mapedit/NNN.rnd for every terrain type and returns
// the lists written.
RandomTileLists BuildRndTables(const TileTables& tables, const GameFolder& folder,
                               UserInteraction& ui);
// Reads the lists back from the .rnd files (a missing file gives no list).
RandomTileLists ReadRndTables(const TileTables& tables, const GameFolder& folder);
// One list file's tiles, keeping only tiles of the sheet.
std::vector<int16_t> ParseRndList(const TileTables& tables, std::string_view text);
// The 5-byte record text of a list file: "012\r\n" per tile.
std::string FormatTileRecords(const std::vector<int16_t>& tiles);
// Tiles of a record file; an incomplete last record is ignored.
std::vector<int16_t> ParseTileRecords(std::string_view text);

// Replaces `currentTile` by a random member of the list of its terrain type;
// unchanged when there is no list or the list is empty.
void randomtile(int16_t& currentTile, const TileTables& tables, const RandomTileLists& lists,
                RandomSource& random);

// The default tile: the last tile of terrain 1 without a road; `currentTile`
// is unchanged when there is none.
void ChooseDefaultTile(int16_t& currentTile, const TileTables& tables);

}  // namespace korv
