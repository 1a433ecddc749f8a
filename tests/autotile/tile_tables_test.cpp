#include "autotile/tile_tables.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/interaction.h"
#include "platform/random.h"
#include "support/test_folder.h"

namespace korv {
namespace {

using test::TempFolder;

class TileTablesTest : public ::testing::Test {
 protected:
  TileTables Load() {
    TileTables tables;
    tables.TileCount = 31;
    LoadTileTerrain(tables, folder.Game(), ui);
    LoadRoadInfo(tables, folder.Game());
    return tables;
  }
  TempFolder folder;
  RecordingInteraction ui;
};

TEST_F(TileTablesTest, AWrongSizedTileTypeFileIsRebuiltFromHexDataAndARightSizedOneRead) {
  for (int extra : {0, -1, +1}) {
    test::WriteMiniGame(folder, test::DefaultMiniGame());
    // Terrain 2 everywhere, unlike hexdata.txt, shows which of the two was read.
    folder.WriteBytes("mapedit/tiletype.dat", std::vector<uint8_t>(32 + extra, 2));
    ui.Clear();
    TileTables tables = Load();
    if (extra == 0) {
      EXPECT_TRUE(ui.events.empty());
      EXPECT_EQ(tables.TileTerrain, std::vector<uint8_t>(32, 2));
      continue;
    }
    ASSERT_EQ(ui.Messages(), std::vector<std::string>{"creating new 'tiletype.dat' file."});
    EXPECT_EQ(tables.TileTerrain[16], 8) << extra;
    EXPECT_EQ(tables.TileTerrain[31], 3) << extra;
    EXPECT_EQ(folder.ReadBytes("mapedit/tiletype.dat"), tables.TileTerrain) << extra;
    ui.Clear();
    Load();  // the next start finds a file that fits
    EXPECT_TRUE(ui.events.empty());
  }
}

TEST_F(TileTablesTest, AShortHexDataListLeavesTheRestZeroAndALongOneIsCut) {
  test::WriteMiniGame(folder, test::DefaultMiniGame());
  DeleteFile(folder / "mapedit/tiletype.dat");
  folder.WriteText("data/hexdata.txt", "3\r\n5\r\n6\r\n7\r\n");
  TileTables tables = Load();
  EXPECT_EQ(tables.TileTerrain[2], 7);
  EXPECT_EQ(tables.TileTerrain[3], 0);
  EXPECT_EQ(folder.ReadBytes("mapedit/tiletype.dat").size(), 32u);

  std::string longList = "40\r\n";
  for (int i = 0; i < 40; ++i) longList += std::to_string(i % 10) + "\r\n";
  folder.WriteText("data/hexdata.txt", longList);
  DeleteFile(folder / "mapedit/tiletype.dat");
  tables = Load();
  EXPECT_EQ(tables.TileTerrain.size(), 32u);
  EXPECT_EQ(tables.TileTerrain[31], 1);
}

TEST_F(TileTablesTest, MissingHexDataIsNamedAndEveryTileIsTerrainZero) {
  test::MiniGame game = test::DefaultMiniGame();
  game.writeTileType = false;
  game.writeHexData = false;
  test::WriteMiniGame(folder, game);
  TileTables tables = Load();
  auto messages = ui.Messages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0], "creating new 'tiletype.dat' file.");
  EXPECT_EQ(messages[1], (folder / "data/hexdata.txt").string() + " not found.");
  for (uint8_t terrain : tables.TileTerrain) ASSERT_EQ(terrain, 0);
  EXPECT_FALSE(FileExists(folder / "mapedit/tiletype.dat"));
}

TEST_F(TileTablesTest, RoadInfoBytesMapToSides) {
  test::MiniGame game = test::DefaultMiniGame();
  game.roadInfo.assign(32 * 6, 0);
  // Byte i belongs to side 5, 6, 1, 2, 3, 4.
  game.roadInfo[2 * 6 + 0] = 1;                               // tile 2: top only
  game.roadInfo[7 * 6 + 2] = 3;                               // tile 7: lower right
  game.roadInfo[7 * 6 + 5] = 1;                               //         and upper left
  for (int i = 0; i < 6; ++i) game.roadInfo[31 * 6 + i] = 1;  // tile 31: all sides
  test::WriteMiniGame(folder, game);
  TileTables tables = Load();
  EXPECT_EQ(tables.RoadTiles[0][0], 3);
  ASSERT_EQ(tables.RoadTiles.size(), 4u);
  EXPECT_EQ(tables.RoadTiles[1], (std::array<int16_t, 7>{2, 0, 0, 0, 0, 1, 0}));
  EXPECT_EQ(tables.RoadTiles[2], (std::array<int16_t, 7>{7, 1, 0, 0, 1, 0, 0}));
  EXPECT_EQ(tables.RoadTiles[3], (std::array<int16_t, 7>{31, 1, 1, 1, 1, 1, 1}));
  for (int t = 0; t < 32; ++t)
    EXPECT_EQ(tables.TileRoad[static_cast<size_t>(t)], t == 2 || t == 7 || t == 31);
}

TEST_F(TileTablesTest, MissingRoadInfoMeansNoRoadsAndIsCreated) {
  test::WriteMiniGame(folder, test::DefaultMiniGame());
  DeleteFile(folder / "mapedit/roadinfo.dat");
  TileTables tables = Load();
  EXPECT_EQ(tables.RoadTiles[0][0], 0);
  for (uint8_t road : tables.TileRoad) ASSERT_EQ(road, 0);
  EXPECT_TRUE(FileExists(folder / "mapedit/roadinfo.dat"));
}

TEST_F(TileTablesTest, RandomListsPerTerrainOnDisk) {
  test::MiniGame game = test::DefaultMiniGame();
  game.randomFlags.assign(32, 0);
  for (int t : {1, 5, 9, 20, 21}) game.randomFlags[static_cast<size_t>(t)] = 1;
  game.randomFlags[6] = 2;  // only 1 counts
  test::WriteMiniGame(folder, game);
  folder.WriteText("mapedit/003.rnd", "stale");
  TileTables tables = Load();
  RandomTileLists lists = BuildRndTables(tables, folder.Game(), ui);
  for (const auto& [number, text] : std::map<std::string, std::string>{
           {"000", "001\r\n"}, {"001", "005\r\n009\r\n"}, {"003", ""}, {"008", "020\r\n021\r\n"}})
    EXPECT_EQ(folder.ReadText("mapedit/" + number + ".rnd"), text) << number;
  EXPECT_EQ(lists.ByTerrain[8], (std::vector<int16_t>{20, 21}));
  RandomTileLists reread = ReadRndTables(tables, folder.Game());
  EXPECT_EQ(reread.ByTerrain, lists.ByTerrain);
  // Read back, a list keeps only tiles of the sheet (0-31).
  folder.WriteText("mapedit/001.rnd", "005\r\n031\r\n032\r\n999\r\n009\r\n");
  EXPECT_EQ(ReadRndTables(tables, folder.Game()).ByTerrain[1], (std::vector<int16_t>{5, 31, 9}));
  // A list that cannot be written anew is gone, not left to be read back.
  SetWriteFaultHook([](const std::filesystem::path& target, WriteStage) {
    return target.filename() == "001.rnd";
  });
  BuildRndTables(tables, folder.Game(), ui);
  SetWriteFaultHook({});
  EXPECT_FALSE(FileExists(folder / "mapedit/001.rnd"));
  EXPECT_TRUE(ReadRndTables(tables, folder.Game()).ByTerrain.at(1).empty());
}

}  // namespace
}  // namespace korv
