#include "support/test_folder.h"

#include <atomic>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "platform/picture.h"

namespace korv::test {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  std::random_device device;
  path_ = fs::temp_directory_path() /
          ("korv-test-" + std::to_string(device()) + "-" + std::to_string(counter++));
  fs::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

void TempFolder::WriteText(const std::string& relative, const std::string& text) const {
  fs::path path = path_ / relative;
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out << text;
}

void TempFolder::WriteBytes(const std::string& relative, const std::vector<uint8_t>& bytes) const {
  fs::path path = path_ / relative;
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> TempFolder::ReadBytes(const std::string& relative) const {
  auto bytes = ReadWholeFile(path_ / relative);
  if (!bytes) throw std::runtime_error("missing test file " + relative);
  return *bytes;
}

std::string TempFolder::ReadText(const std::string& relative) const {
  auto bytes = ReadBytes(relative);
  return std::string(bytes.begin(), bytes.end());
}

MiniGame DefaultMiniGame() {
  MiniGame game;
  game.tileTerrain.assign(32, 0);
  for (int t = 4; t < 16; ++t) game.tileTerrain[static_cast<size_t>(t)] = 1;
  for (int t = 16; t < 24; ++t) game.tileTerrain[static_cast<size_t>(t)] = 8;
  for (int t = 24; t < 32; ++t) game.tileTerrain[static_cast<size_t>(t)] = 3;
  game.roadInfo.assign(32 * 6, 0);
  game.roadInfo[15 * 6 + 0] = 1;  // tile 15: top and bottom
  game.roadInfo[15 * 6 + 3] = 1;
  game.randomFlags.assign(32, 0);
  for (int t : {5, 7, 9, 17, 18}) game.randomFlags[static_cast<size_t>(t)] = 1;
  return game;
}

void WriteMiniGame(const TempFolder& folder, const MiniGame& game) {
  const int tiles = game.sheetColumns * game.sheetRows;
  Picture sheet(game.sheetColumns * 60, game.sheetRows * 50);
  // Each tile gets a colour of its own so drawing tests can tell them apart.
  for (int t = 0; t < tiles; ++t) {
    sheet.FillRect({(t % game.sheetColumns) * 60 + 10, (t / game.sheetColumns) * 50 + 5, 40, 40},
                   0x010101u * static_cast<uint32_t>(t + 1));
  }
  fs::create_directories(folder / "bmp");
  if (!sheet.SaveBmp(folder / "bmp/mapl.bmp")) throw std::runtime_error("cannot write the sheet");

  std::vector<uint8_t> terrain(static_cast<size_t>(tiles), 0);
  for (size_t t = 0; t < terrain.size() && t < game.tileTerrain.size(); ++t) {
    terrain[t] = game.tileTerrain[t];
  }
  if (game.writeTileType) folder.WriteBytes("mapedit/tiletype.dat", terrain);
  if (game.writeHexData) {
    std::ostringstream text;
    text << terrain.size() << "\r\n";
    for (uint8_t value : terrain) text << static_cast<int>(value) << "\r\n";
    folder.WriteText("data/hexdata.txt", text.str());
  }
  std::ostringstream table;
  table << "\"Terrain\"," << game.terrainNames.size() << ",\"fields\"\r\n";
  for (size_t i = 0; i < game.terrainNames.size(); ++i) {
    table << '"' << game.terrainNames[i] << "\",0,0,0," << (i * 20) << ',' << (i * 10) << ','
          << (255 - i * 20) << ",0\r\n";
  }
  folder.WriteText("data/terrain.txt", table.str());
  folder.WriteBytes("mapedit/roadinfo.dat", game.roadInfo);
  if (!game.nationList.empty()) folder.WriteText("default/nations/nations.txt", game.nationList);
  folder.WriteBytes("mapedit/randomtile.dat", game.randomFlags);
}

}  // namespace korv::test
