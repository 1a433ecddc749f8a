// What the designer teaches the editor about one tile at a time, in the
// three tile information dialogs of the tile picker: its road sides
// (mapedit/roadinfo.dat), its terrain type and random-variant flag
// (mapedit/tiletype.dat, mapedit/randomtile.dat), and its membership and
// neighbour signature in the terrain pattern lists (mapedit/ptiles.dat,
// mapedit/patterns.dat, the lists mapedit/tNN/SIGNATURE.txt). The dialogs
// load from the stored files, not from the tables, so they always show what
// is stored; the windows only show this logic.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "autotile/tile_tables.h"
#include "platform/files.h"

namespace korv {

constexpr const char* kTileTypeFile = "mapedit/tiletype.dat";
constexpr const char* kRoadInfoFile = "mapedit/roadinfo.dat";
constexpr const char* kPatternTilesFile = "mapedit/ptiles.dat";
constexpr const char* kPatternsFile = "mapedit/patterns.dat";
constexpr const char* kRandomTileFile = "mapedit/randomtile.dat";

// Six side states in the neighbour order: top, upper right, lower right,
// bottom, lower left, upper left.
using SideStates = std::array<bool, 6>;

// "003456": digit k for each set position k = 1..6, else "0".
std::string SignatureOf(const SideStates& sides);

// Back and Next of the dialogs: the tile before or after `tile`, wrapping
// from 0 to TileCount and from TileCount to 0.
int PreviousTile(int tile, int tileCount);
int NextTile(int tile, int tileCount);

// Rebuilds the terrain pattern list `signature` of terrain `terrain`: every
// tile of that terrain that is a member and whose stored signature is
// `signature`, in rising order (tiles from 1000 on do not fit the list's
// records and are left out). A list no tile fits is deleted.
bool BuildPatternFile(const GameFolder& folder, const TileTables& tables, int terrain,
                      const std::string& signature, std::string* error = nullptr);

// "Road Connections": the tile's six road sides.
struct RoadConnectionsEdit {
  SideStates sides{};
  void Load(const GameFolder& folder, int tile);
  // Writes the six sides and sets TileRoad of the tile.
  bool Save(const GameFolder& folder, TileTables& tables, int tile, std::string* error = nullptr);
};

// "Terrain Based Tile Pattern": membership ("Auto-Draw Tile ?") and the
// sides of the tile's own terrain family it fits.
struct TilePatternEdit {
  bool member = false;
  int terrain = 0;
  std::string instruction;  // "Mark adjacent Forest hexes."
  SideStates sides{};
  std::string rememberedSignature;  // the signature stored when loaded or last saved
  void Load(const GameFolder& folder, const TileTables& tables, int tile);
  // Writes membership and sides, then rebuilds the lists the change touches.
  bool Save(const GameFolder& folder, const TileTables& tables, int tile,
            std::string* error = nullptr);
};

// "Tile Terrain Type": the tile's terrain type and its random-variant flag.
struct TileTerrainTypeEdit {
  int terrain = 0;
  bool random = false;
  void Load(const GameFolder& folder, int tile);
  // Writes both and sets TileTerrain of the tile.
  bool Save(const GameFolder& folder, TileTables& tables, int tile, std::string* error = nullptr);
};

}  // namespace korv
