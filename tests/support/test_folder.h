// A fresh temporary game folder per test, and builders for the small files a
// test needs in it: a tile sheet of a given size, tile tables, terrain table.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/files.h"

namespace korv::test {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(const std::string& relative) const { return path_ / relative; }
  GameFolder Game() const { return GameFolder(path_); }

  void WriteText(const std::string& relative, const std::string& text) const;
  void WriteBytes(const std::string& relative, const std::vector<uint8_t>& bytes) const;
  std::vector<uint8_t> ReadBytes(const std::string& relative) const;
  std::string ReadText(const std::string& relative) const;

 private:
  std::filesystem::path path_;
};

// What a minimal game folder holds; every field has a small working default.
struct MiniGame {
  int sheetColumns = 16;  // tiles per row are always 16; fewer leaves the row short
  int sheetRows = 2;      // 32 tiles: TileCount 31
  // Terrain of each tile 0..TileCount (missing entries are 0).
  std::vector<uint8_t> tileTerrain;
  // Six roadinfo bytes per tile (missing tiles have no road).
  std::vector<uint8_t> roadInfo;
  std::vector<uint8_t> randomFlags;
  std::vector<std::string> terrainNames = {"Sea",  "Clear", "River", "Hill",  "Mountain",
                                           "City", "Rough", "Swamp", "Forest"};
  // default/nations/nations.txt; empty: no nation list at all.
  std::string nationList = "3\r\n\"Zeta\",4\r\n\"alpha\",1\r\n\"Beta\",7\r\n";
  bool writeTileType = true;
  bool writeHexData = true;
};

// Writes bmp/mapl.bmp, data/terrain.txt, data/hexdata.txt, mapedit/*.dat.
void WriteMiniGame(const TempFolder& folder, const MiniGame& game);

// Terrain of tile t in the default mini game: tiles 0-3 sea, 4-15 clear
// (the last clear tile has a road), 16-23 forest, 24-31 hills.
MiniGame DefaultMiniGame();

}  // namespace korv::test
