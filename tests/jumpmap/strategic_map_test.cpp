#include "jumpmap/strategic_map.h"

#include <gtest/gtest.h>

#include <array>

#include "editing/commands.h"
#include "editing/file_dialog.h"
#include "editing/imagery_commands.h"
#include "editor/map_io.h"
#include "platform/random.h"
#include "support/blank_map.h"
#include "support/editor_fixture.h"
#include "support/test_folder.h"

namespace korv {
namespace {

TEST(DrawStrategicMap, OnePixelPerHexByTerrainWithRoadsOrAHighlightedTerrainInBlack) {
  TileTables tables;
  tables.TileCount = 3;
  tables.TileTerrain = {0, 1, 5, 1};
  tables.TileRoad = {0, 0, 0, 1};  // tile 3 carries a road
  tables.TerrainColours = {{10, 20, 30}, {40, 50, 60}, {0, 0, 0},
                           {0, 0, 0},    {0, 0, 0},    {70, 80, 90}};
  MapDocument document = test::BlankMap(3, 3);
  // Hex tiles: row 0 sea, row 1 clear with a road at (1, 1), row 2 a city at (2, 2).
  for (int x = 0; x <= 3; ++x) {
    document.Tile(x, 1) = x == 1 ? 3 : 1;
    document.Tile(x, 2) = x == 2 ? 2 : 1;
    document.Tile(x, 3) = 2;
    for (int y = 0; y <= 3; ++y) document.Terrain(x, y) = tables.TileTerrain[document.Tile(x, y)];
  }
  // Tile numbers the tables do not know carry no road, negative ones too.
  document.Tile(0, 0) = -3;
  document.Tile(2, 0) = 9;
  const uint32_t sea = 0x1e140a, clear = 0x3c3228;
  const Picture plain = DrawStrategicMap(document, tables, 0);
  ASSERT_EQ(plain.Width(), 3);  // the last column and row have no pixel
  ASSERT_EQ(plain.Height(), 3);
  EXPECT_EQ(plain.PixelAt(0, 0), sea);
  EXPECT_EQ(plain.PixelAt(2, 0), sea);
  EXPECT_EQ(plain.PixelAt(0, 1), clear);
  EXPECT_EQ(plain.PixelAt(1, 1), 0u);
  EXPECT_EQ(plain.PixelAt(2, 2), 0x5a5046u);
  // Highlighting cities shows road tiles in their terrain and cities in black.
  const Picture cities = DrawStrategicMap(document, tables, 5);
  EXPECT_EQ(cities.PixelAt(1, 1), clear);
  EXPECT_EQ(cities.PixelAt(2, 2), 0u);
  // A map of one hex still gets a pixel; a terrain without a colour is black.
  document = test::BlankMap(0, 0);
  document.Terrain(0, 0) = 200;
  const Picture tiny = DrawStrategicMap(document, tables, 0);
  EXPECT_EQ(tiny.Width(), 1);
  EXPECT_EQ(tiny.PixelAt(0, 0), 0u);
}

// The bitmap file made from the map a block of rows at a time is the
// picture's own file, on small maps and on one of several blocks; so is
// the picture drawn as it is made.
TEST(StrategicBitmapFile, TheBytesOfThePicturesFile) {
  TileTables tables;
  tables.TileCount = 3;
  tables.TileTerrain = {0, 1, 5, 1};
  tables.TileRoad = {0, 0, 1, 1};
  tables.TerrainColours = {{10, 20, 30}, {40, 50, 60}, {1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
  SeededRandom random(5);
  for (const auto& [width, height] : {std::pair{0, 0}, {1, 4}, {6, 3}, {2000, 700}}) {
    MapDocument document = test::BlankMap(width, height);
    for (size_t i = 0; i < document.HexTile.size(); ++i) {
      document.HexTile[i] = static_cast<int16_t>(random.NextBits() % 4);
      document.HexData[i] = static_cast<uint8_t>(random.NextBits() % 7);
    }
    Picture drawn;  // on the second pass, and again on the third by Finish() alone
    for (int pass = 0; pass < 3; ++pass) {
      const int highlight = pass == 1 ? 5 : 0;
      StrategicBitmapFile file(document, tables, highlight, pass == 0 ? nullptr : &drawn);
      std::vector<uint8_t> bytes;
      while (auto piece = pass < 2 ? file.Next() : std::nullopt)
        bytes.insert(bytes.end(), piece->begin(), piece->end());
      file.Finish();
      const std::vector<uint8_t> encoded =
          DrawStrategicMap(document, tables, highlight).EncodeBmp();
      EXPECT_EQ(file.Size(), encoded.size());
      EXPECT_TRUE(pass == 2 || bytes == encoded) << width << " x " << height << ", " << pass;
      EXPECT_TRUE(pass == 0 || drawn.EncodeBmp() == encoded) << width << " x " << height;
    }
  }
}

TEST(DrawJumpBox, RestoringUnderTheOldOutlineShowsWhatAFreshCopyShows) {
  TileTables tables;
  tables.TileCount = 1;
  tables.TileTerrain = {0, 1};
  tables.TileRoad = {0, 0};
  tables.TerrainColours = {{10, 20, 30}, {40, 50, 60}};
  MapDocument document = test::BlankMap(40, 30);
  SeededRandom random(8);
  JumpMapState jumpMap;
  // A changed hex under the outline leaves the outline shown.
  const auto same = [&](uint32_t colour) {
    Picture fresh = DrawStrategicMap(document, tables, 0);
    if (jumpMap.Outline) fresh.DrawRectOutline(*jumpMap.Outline, colour);
    return jumpMap.Shown.Image() == fresh.Image();
  };
  for (int step = 0; step < 400; ++step) {
    // Hexes change, the colour turns, the view moves and changes its size,
    // partly off the picture.
    const auto pick = [&](int range) { return static_cast<int>(random.Uniform() * range); };
    if (step % 3 == 0) {
      const int x = pick(41), y = pick(31);
      document.Terrain(x, y) = static_cast<uint8_t>(pick(2));
      SetStrategicHex(jumpMap, document, tables, x, y);
      ASSERT_TRUE(step == 0 || same(jumpMap.JumpBoxColour)) << "hex " << x << "," << y;
    }
    if (step % 17 == 0) ToggleJumpBoxColour(jumpMap);
    const int left = pick(44) - 2, top = pick(34) - 2, columns = pick(12), rows = pick(10);
    DrawJumpBox(jumpMap, document, tables, left, top, columns, rows);
    ASSERT_TRUE(same(jumpMap.JumpBoxColour)) << "step " << step;
  }
  DrawJumpBox(jumpMap, document, tables, 5, 6, 4, 3);  // columns 5..9, rows 6..9
  for (int x = 4; x <= 10; ++x) {
    for (int y = 5; y <= 10; ++y) {
      const bool edge =
          ((x == 5 || x == 9) && y >= 6 && y <= 9) || ((y == 6 || y == 9) && x >= 5 && x <= 9);
      EXPECT_EQ(jumpMap.Shown.PixelAt(x, y) == jumpMap.JumpBoxColour, edge) << x << "," << y;
    }
  }
}

TEST(JumpMap, ClicksCentreTheViewWithinItsScrollRanges) {
  for (const auto& [x, y, left, top] :
       {std::array{2, 2, 1, 1}, {30, 20, 20, 15}, {99, 99, 50, 40}}) {
    const ViewCorner corner = JumpMapClick(x, y, 21, 11, 50, 40);
    EXPECT_EQ(corner.left, left) << x;
    EXPECT_EQ(corner.top, top) << y;
  }
}

TEST(JumpMap, ObjectiveFlagsOnTheSavedStrategicBitmap) {
  test::TempFolder folder;
  MapDocument document = test::BlankMap(40, 30);
  Picture(40, 30).SaveBmp(folder / "m.bmp");
  // Flag cells: nation n's large cell coloured n * 0x10, medium n * 0x20,
  // each with a top row one more.
  Picture large(21 * 4, 14);
  Picture medium(20 * 4, 13);
  for (int n = 0; n < 4; ++n) {
    const auto colour = static_cast<uint32_t>(n);
    large.FillRect({n * 21, 0, 21, 14}, 0x10u * colour);
    large.FillRect({n * 21, 0, 21, 1}, 0x10u * colour + 1);
    medium.FillRect({n * 20, 0, 20, 13}, 0x20u * colour);
    medium.FillRect({n * 20, 0, 20, 1}, 0x20u * colour + 1);
  }
  document.Owner(3, 3) = 2;
  document.Mark(3, 3) = kPrimaryObjective;
  document.Owner(20, 10) = 1;
  document.Mark(20, 10) = kSecondaryObjective;
  document.OriginalOwner(20, 10) = 3;
  document.OriginalOwner(3, 3) = 3;
  JumpMapState jumpMap;
  std::string error;
  const std::string map = (folder / "m.map").string();
  ASSERT_TRUE(ZoomFlags(jumpMap, document, {large, medium}, 0, map, error)) << error;
  const Picture& all = jumpMap.MapPicture;
  EXPECT_EQ(all.PixelAt(3, 3), 0x21u);
  EXPECT_EQ(all.PixelAt(3 + 15, 3 + 10), 0x20u);  // large, 16 x 11
  EXPECT_EQ(all.PixelAt(3 + 16, 3), 0u);
  EXPECT_EQ(all.PixelAt(3, 3 + 11), 0u);
  EXPECT_EQ(all.PixelAt(20, 10), 0x21u);
  EXPECT_EQ(all.PixelAt(20 + 15, 10 + 9), 0x20u);  // medium, 16 x 10
  EXPECT_EQ(all.PixelAt(20, 10 + 10), 0u);
  // Only nation 3's own objectives, stretched to 18 x 11.
  ASSERT_TRUE(ZoomFlags(jumpMap, document, {large, medium}, 3, map, error)) << error;
  EXPECT_EQ(jumpMap.MapPicture.PixelAt(20 + 17, 10 + 10), 0x20u);
  EXPECT_EQ(jumpMap.MapPicture.PixelAt(20, 10 + 11), 0u);
  EXPECT_EQ(jumpMap.MapPicture.PixelAt(3 + 17, 3 + 11), 0x20u);  // large, 18 x 12
  EXPECT_EQ(jumpMap.MapPicture.PixelAt(3, 3 + 12), 0u);
}

TEST(JumpMap, ObjectivesFindThePictureOfTheFileLastChosenNotOfTheMapPath) {
  test::SessionOnMiniGame world;
  Editor& editor = world.session.editor;
  world.Map().MapPath = world.Path("a.map");
  ASSERT_TRUE(SaveMap(editor));
  FileDialog dialog(editor);
  ASSERT_TRUE(dialog.Open(kOpenMapMode));
  dialog.SetFileName("a.map");
  ASSERT_TRUE(dialog.Load().MapReplaced);
  // Opening the bitmap utility empties the map path; the picture is still found.
  FindCommand("bitmap-utility")->run(world.session);
  ASSERT_TRUE(world.Map().MapPath.empty());
  EXPECT_TRUE(JumpMapFlags(world.session, 0)) << testing::PrintToString(world.ui.Messages());
  // With no file chosen yet: newmap.map of the game folder, which has no picture.
  editor.BitmapPath.clear();
  EXPECT_FALSE(JumpMapFlags(world.session, 0));
  EXPECT_EQ(editor.BitmapPath, world.Path("newmap.map"));
}

}  // namespace
}  // namespace korv
