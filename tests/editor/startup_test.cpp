#include "editor/startup.h"

#include <gtest/gtest.h>

#include <set>

#include "editor/map_io.h"
#include "platform/interaction.h"
#include "platform/random.h"
#include "support/test_folder.h"

namespace korv {
namespace {

using test::TempFolder;

TEST(ReadHexInfo, DefaultsAndFileValues) {
  struct Case {
    const char* name;
    const char* text;  // nullptr: no file
    int width, height, flat, slant, columnStep, rowStep;
  };
  const Case cases[] = {
      {"no file", nullptr, 60, 50, 30, 15, 45, 50},
      {"standard values", "\"Width\",60\r\n\"Height\",50\r\n\"Flat\",30\r\n", 60, 50, 30, 15, 45,
       50},
      {"other hexes, LF only", "w,72\nh,64\nf,36\n", 72, 64, 36, 18, 54, 64},
      {"rounded values", "w,71.5\r\nh,40.4\r\nf,30\r\n", 72, 40, 30, 21, 51, 40},
      {"not a number", "w,abc\r\nh,50\r\nf,30\r\n", 0, 50, 30, -15, 15, 50},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    if (c.text) folder.WriteText("DATA/Hex_Info.TXT", c.text);
    HexGeometry g = ReadHexInfo(folder.Game());
    EXPECT_EQ(g.HexPixelWidth, c.width) << c.name;
    EXPECT_EQ(g.HexPixelHeight, c.height) << c.name;
    EXPECT_EQ(g.HexFlatWidth, c.flat) << c.name;
    EXPECT_EQ(g.HexSlant, c.slant) << c.name;
    EXPECT_EQ(g.ColumnStep, c.columnStep) << c.name;
    EXPECT_EQ(g.RowStep, c.rowStep) << c.name;
  }
}

TEST(ReadFlagOffsets, DefaultsAndFileValues) {
  TempFolder folder;
  EditorSettings settings;
  settings.FlagOffsetX = 1;
  ReadFlagOffsets(settings, folder.Game());
  EXPECT_EQ(settings.FlagOffsetX, 20);
  EXPECT_EQ(settings.FlagOffsetY, 30);
  folder.WriteText("flags.xy", "17,\r\n260\r\n");  // stored as bytes: 260 -> 4
  ReadFlagOffsets(settings, folder.Game());
  EXPECT_EQ(settings.FlagOffsetX, 17);
  EXPECT_EQ(settings.FlagOffsetY, 4);
}

class StartUpTest : public ::testing::Test {
 protected:
  TempFolder folder;
  RecordingInteraction ui;
  SeededRandom random{3};
  Editor editor{folder.Game(), ui, random};
};

TEST_F(StartUpTest, BuildsTheDefaultMapFromRandomVariantsOfTheDefaultTile) {
  test::WriteMiniGame(folder, test::DefaultMiniGame());
  std::string error;
  ASSERT_TRUE(StartUp(editor, error)) << error;
  const MapDocument& d = editor.Document;
  EXPECT_EQ(editor.Tiles.TileCount, 31);
  EXPECT_EQ(d.MapWidth, 32);
  EXPECT_EQ(d.MapHeight, 30);
  EXPECT_EQ(d.HexCount(), 33u * 31);
  EXPECT_EQ(d.MapName, "newmap.map");
  EXPECT_TRUE(d.MapPath.empty());
  EXPECT_EQ(d.NationSetName, "default");
  // The default tile is 14 (tile 15 is the last clear tile, but has a road);
  // the clear variants are 5, 7 and 9.
  std::set<int16_t> seen;
  for (int x = 0; x <= 32; ++x) {
    for (int y = 0; y <= 30; ++y) {
      int16_t tile = d.Tile(x, y);
      ASSERT_TRUE(tile == 5 || tile == 7 || tile == 9) << tile;
      ASSERT_EQ(d.Terrain(x, y), 1);
      for (int k = 1; k <= 6; ++k) ASSERT_EQ(d.Data(x, y, k), 0);
      seen.insert(tile);
    }
  }
  EXPECT_EQ(seen.size(), 3u);
  EXPECT_EQ(d.Tile(32, 30), editor.CurrentTile);  // the last pick stays current
  EXPECT_EQ(d.PixelPos(2, 1).top, 75);
  EXPECT_FALSE(editor.Settings.RandomTiles);
  EXPECT_FALSE(editor.Settings.HexOutlines);
  EXPECT_EQ(editor.Settings.GridWidth, 15);
  EXPECT_EQ(editor.Settings.MapFileVersion, 569);
  EXPECT_TRUE(editor.Settings.ShowRoadControl);
  for (const char* sub :
       {"mapedit/roadpatterns", "mapedit/bridgepatterns", "mapedit/riverpatterns"}) {
    EXPECT_TRUE(FolderExists(folder / sub)) << sub;
  }
  EXPECT_EQ(folder.ReadText("mapedit/001.rnd"), "005\r\n007\r\n009\r\n");
  EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(StartUpTest, WithoutRandomVariantsTheDefaultTileFillsTheMap) {
  test::MiniGame game = test::DefaultMiniGame();
  game.randomFlags.assign(32, 0);
  test::WriteMiniGame(folder, game);
  std::string error;
  ASSERT_TRUE(StartUp(editor, error)) << error;
  for (int16_t tile : editor.Document.HexTile) ASSERT_EQ(tile, 14);
}

TEST_F(StartUpTest, AMissingOrBrokenTileSheetStopsWithItsName) {
  std::string error;
  EXPECT_FALSE(StartUp(editor, error));
  EXPECT_NE(error.find("mapl.bmp"), std::string::npos);
  EXPECT_NE(error.find("does not exist"), std::string::npos);

  folder.WriteText("bmp/mapl.bmp", "BMjunk");
  EXPECT_FALSE(StartUp(editor, error));
  EXPECT_NE(error.find("cannot be loaded"), std::string::npos);

  Picture small(59, 50);
  ASSERT_TRUE(small.SaveBmp(folder / "bmp/mapl.bmp"));
  EXPECT_FALSE(StartUp(editor, error));
  EXPECT_NE(error.find("smaller than one tile"), std::string::npos) << error;

  folder.WriteText("data/hex_info.txt", "w,0\r\nh,50\r\nf,30\r\n");
  EXPECT_FALSE(StartUp(editor, error));
  EXPECT_NE(error.find("hex_info.txt"), std::string::npos) << error;
}

TEST(FindGameFolder, TheFirstFolderWithATileSheetInOrder) {
  TempFolder root;
  const auto folder = [&](const std::string& name) { return root / name; };
  EnsureFolder(folder("empty"));
  root.WriteBytes("windows/BMP/MAPL.BMP", {1});  // a folder copied from Windows
  root.WriteBytes("second/bmp/mapl.bmp", {1});
  EnsureFolder(folder("sheet-is-a-folder/bmp/mapl.bmp"));
  const std::vector<std::filesystem::path> candidates = {
      folder("missing"), folder("empty"), folder("sheet-is-a-folder"), "",
      folder("windows"), folder("second")};
  EXPECT_EQ(FindGameFolder(candidates), folder("windows"));
  EXPECT_EQ(FindGameFolder(std::span(candidates).first(4)), std::nullopt);
  EXPECT_EQ(FindGameFolder(std::span(candidates).last(1)), folder("second"));
}

}  // namespace
}  // namespace korv
