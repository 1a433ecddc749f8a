#include "editor/startup.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "support/editor_fixture.h"

namespace korv {
namespace {

using test::TempFolder;

TEST(ReadHexInfo, SizesReadRoundedAndTheStepsFromThem) {
  TempFolder folder;
  folder.WriteText("DATA/Hex_Info.TXT", "\"Width\",71.5\r\n\"Height\",40.4\r\n\"Flat\",30\r\n");
  const HexGeometry g = ReadHexInfo(folder.Game());
  EXPECT_EQ(std::tuple(g.HexPixelWidth, g.HexPixelHeight, g.HexFlatWidth), std::tuple(72, 40, 30));
  EXPECT_EQ(g.ColumnStep, 51);  // derived from the sizes read
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

TEST(StartUp, BuildsTheDefaultMapFromRandomVariantsOfTheDefaultTile) {
  // The default tile is 14 (tile 15 is the last clear tile, but has a road);
  // its clear variants are 5, 7 and 9. Without variants it fills the map.
  for (bool variants : {true, false}) {
    test::MiniGame game = test::DefaultMiniGame();
    if (!variants) game.randomFlags.assign(32, 0);
    test::EditorOnMiniGame world(game);
    const MapDocument& d = world.editor.Document;
    std::set<int16_t> seen;
    for (int x = 0; x <= 32; ++x) {
      for (int y = 0; y <= 30; ++y) {
        ASSERT_EQ(d.Terrain(x, y), 1);
        for (int k = 1; k <= 6; ++k) ASSERT_EQ(d.Data(x, y, k), 0);
        seen.insert(d.Tile(x, y));
      }
    }
    EXPECT_EQ(seen, (variants ? std::set<int16_t>{5, 7, 9} : std::set<int16_t>{14}));
    EXPECT_EQ(d.Tile(32, 30), world.editor.CurrentTile);  // the last pick stays current
    EXPECT_EQ(world.folder.ReadText("mapedit/001.rnd"), variants ? "005\r\n007\r\n009\r\n" : "");
  }
}

TEST(StartUp, AMissingOrBrokenTileSheetStopsWithItsName) {
  TempFolder folder;
  RecordingInteraction ui;
  SeededRandom random{3};
  Editor editor{folder.Game(), ui, random};
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
