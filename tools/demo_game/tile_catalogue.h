// The one table of what every tile of the demo tile sheet is: its terrain
// type, the sides its roads and rail roads leave through, its water sides,
// whether it is a random variant and what it tells the terrain pattern
// lists. The tile pictures (tile_art) and every reference file under data/
// and mapedit/ are generated from this table, so they cannot disagree.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "hex_cell.h"

namespace korv::demo {

// Terrain codes of the demo game. Some codes mean something to the editor:
// 0 and 14 are one water family for coasts, 5 and 14 are settlements, 6 is
// counted with them by the road tools, 8 is forest, 2, 11 and 12 are water
// (a water tile with a road is a bridge) and 1 is the default clear land.
enum TerrainCode : uint8_t {
  kOcean = 0,
  kClear = 1,
  kRiver = 2,
  kMountain = 3,
  kHills = 4,
  kTown = 5,
  kAirfield = 6,
  kSwamp = 7,
  kForest = 8,
  kRough = 9,
  kDesert = 10,
  kLake = 11,
  kStream = 12,
  kFortress = 13,
  kPort = 14,
  kFarmland = 15,
};

struct TerrainType {
  const char* Name;
  uint8_t Red;  // colour of the terrain on the one-pixel-per-hex overview map
  uint8_t Green;
  uint8_t Blue;
  // Game values the editor does not use; the table keeps them so the file
  // reads like a real terrain table.
  int MoveCost;
  int Defence;
  int Spotting;
  int Water;
};
std::span<const TerrainType> TerrainTypes();

// What a tile's picture shows; tile_art draws each kind.
enum class TileArt {
  kEmpty,
  kOpenSea,
  kCoast,
  kClear,
  kRoad,
  kRail,
  kRiver,
  kStream,
  kBridge,
  kMountain,
  kMassif,
  kHills,
  kTown,
  kPort,
  kForest,
  kCopse,
  kSwamp,
  kRough,
  kDesert,
  kLake,
  kFarmland,
  kAirfield,
  kFortress,
};

// The mountain command builds a two-peaked massif out of ten fixed tiles:
// centre tile 86 (the western peak), its six neighbours, and tile 94 (the
// eastern peak, upper right of 86) with its remaining neighbours.
struct MassifPart {
  int16_t Tile;
  int Column;  // hex position relative to tile 86 in an even column
  int Row;
};
std::span<const MassifPart> MassifParts();

struct TileEntry {
  int16_t Number = 0;
  uint8_t Terrain = kOcean;
  TileArt Art = TileArt::kEmpty;
  int Variant = 0;         // picture variant of its kind
  SideSet RoadSides = 0;   // roads leave through these sides
  SideSet RailSides = 0;   // rail roads leave through these sides
  SideSet WaterSides = 0;  // rivers and streams: where the water flows out;
                           // sea, lake and port: sides whose neighbour is water
  int MassifIndex = -1;    // index into MassifParts() for massif tiles
  bool RandomVariant = false;
  bool PatternMember = false;  // ptiles.dat
  SideSet PatternSides = 0;    // patterns.dat: neighbours of its own family
  const char* Description = "";

  SideSet LinkSides() const { return static_cast<SideSet>(RoadSides | RailSides); }
};

struct TileCatalogue {
  std::vector<TileEntry> Tiles;  // one entry per cell of the sheet; index = tile number
  int Rows = 0;

  int16_t TileCount() const { return static_cast<int16_t>(Tiles.size() - 1); }
  int SheetWidth() const { return kTilesPerRow * kTileWidth; }
  int SheetHeight() const { return Rows * kTileHeight; }
  // The tile a fresh map is filled with: the last tile of terrain 1 without a road.
  int16_t DefaultTile() const;
  // The first tile of the kind with exactly these sides, or -1.
  int16_t Find(TileArt art, SideSet roadSides, SideSet railSides, SideSet waterSides) const;
  // Every tile of the kind, in rising order.
  std::vector<int16_t> OfArt(TileArt art) const;
};

// Builds the demo game's tile table. The same table every time.
TileCatalogue BuildCatalogue();

// The reference files, byte for byte.
std::vector<uint8_t> TileTypeFile(const TileCatalogue& catalogue);      // mapedit/tiletype.dat
std::vector<uint8_t> RoadInfoFile(const TileCatalogue& catalogue);      // mapedit/roadinfo.dat
std::vector<uint8_t> RandomTileFile(const TileCatalogue& catalogue);    // mapedit/randomtile.dat
std::vector<uint8_t> PatternTilesFile(const TileCatalogue& catalogue);  // mapedit/ptiles.dat
std::vector<uint8_t> PatternsFile(const TileCatalogue& catalogue);      // mapedit/patterns.dat
std::string HexDataText(const TileCatalogue& catalogue);                // data/hexdata.txt
std::string TerrainText();                                              // data/terrain.txt

// The six bytes of a side set in neighbour order (top, upper right, lower
// right, bottom, lower left, upper left): 1 where the set holds the side.
std::array<uint8_t, 6> InNeighbourOrder(SideSet sides);

}  // namespace korv::demo
