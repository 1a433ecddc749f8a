#include <gtest/gtest.h>

#include "support/blank_map.h"
#include "support/editor_fixture.h"
#include "view/tile_picker.h"
#include "view/viewport.h"
#include "view/window_layout.h"

namespace korv {
namespace {

TEST(PixelToHex, HandWorkedPositions) {
  struct Case {
    const char* name;
    int viewLeft, viewTop;
    double vx, vy;
    int hx, hy;
  };
  // Steps 45 and 50 on a map of columns 0..32 and rows 0..30; even columns
  // stand half a row (25 pixels) lower.
  const Case cases[] = {
      {"the view's top left is (45, 50): column 1, row 1", 1, 1, 0, 0, 1, 1},
      {"column 2 is even: (90, 60) less 25 is row 0", 2, 1, 0, 10, 2, 0},
      {"even column 2 from its own top", 1, 1, 45, 25, 2, 1},
      {"even column 2 just above its row 1", 1, 1, 45, 24, 2, 0},
      {"right of the map: the last column", 30, 1, 500, 0, 32, 1},
      {"below the map: the last row", 1, 28, 0, 400, 1, 30},
      {"far up and left: (0, 0)", 1, 1, -1000, -1000, 0, 0},
      {"(-45, 60) is odd column -1, row 1 there: column 0, row 1", 1, 1, -90, 10, 0, 1},
      {"89.5 rounds half to even: 90, column 2", 1, 1, 44.5, 0, 2, 0},
      {"88.5 rounds half to even: 88, column 1", 1, 1, 43.5, 0, 1, 1},
  };
  test::SessionOnMiniGame s;
  for (const Case& c : cases) {
    s.session.view.ViewLeft = c.viewLeft;
    s.session.view.ViewTop = c.viewTop;
    const HexPosition hex =
        ViewPixelToHex(s.session.editor.Geometry, s.session.view, s.Map(), c.vx, c.vy);
    EXPECT_EQ(hex.x, c.hx) << c.name;
    EXPECT_EQ(hex.y, c.hy) << c.name;
  }
}

TEST(CreateViewBuffer, SizeByHand) {
  struct Case {
    int width, height, flat, columns, rows, bufferWidth, bufferHeight;
  };
  const Case cases[] = {
      {60, 50, 30, 3, 2, 285, 275},  // (3 + 2) * 45 + 60; 3 * 50 + 125
      {60, 51, 30, 3, 2, 285, 280},  // 3 * 51 + 127.5 = 280.5: to even, 280
      {60, 51, 30, 3, 3, 285, 332},  // 4 * 51 + 127.5 = 331.5: to even, 332
      {64, 56, 32, 4, 1, 352, 252},  // steps 48 and 56: 6 * 48 + 64; 2 * 56 + 140
  };
  for (const Case& c : cases) {
    test::SessionOnMiniGame s;
    ViewState& view = s.session.view;
    s.session.editor.Geometry =
        HexGeometry::FromSizes(static_cast<int16_t>(c.width), static_cast<int16_t>(c.height),
                               static_cast<int16_t>(c.flat));
    view.ViewColumns = c.columns;
    view.ViewRows = c.rows;
    ASSERT_TRUE(CreateViewBuffer(s.session.editor, s.session.resources, s.session.switches, view));
    EXPECT_EQ(view.ViewBuffer.Width(), c.bufferWidth) << c.width << "x" << c.height;
    EXPECT_EQ(view.ViewBuffer.Height(), c.bufferHeight) << c.width << "x" << c.height;
  }
  // Wider than a picture can be: (2000 + 2) * 45 + 60 pixels; 11 * 50 + 125 high.
  test::SessionOnMiniGame s;
  s.session.view.ViewColumns = 2000;
  s.session.view.ViewRows = 10;
  EXPECT_FALSE(
      CreateViewBuffer(s.session.editor, s.session.resources, s.session.switches, s.session.view));
  EXPECT_EQ(s.ui.Messages(), std::vector<std::string>{"A map view of 2001 x 11 hexes needs a view "
                                                      "buffer of 90150 x 675 pixels, more than the "
                                                      "editor can make."});
  EXPECT_TRUE(s.session.view.ViewBuffer.IsNull());
}

WindowLayoutInput Window(int width, int height) {
  WindowLayoutInput input;
  input.inner = {width, height};
  input.statusLine = {400, 20};
  input.horizontalScrollBarHeight = 17;
  input.verticalScrollBarWidth = 17;
  input.roadStrip = {360, 50};
  return input;
}

TEST(Form_Resize, ViewSizeByHand) {
  struct Case {
    const char* name;
    int innerWidth, innerHeight, mapWidth, mapHeight;
    int viewWidth, viewHeight, columns, rows, barX, barY;
  };
  const Case cases[] = {
      // Width 1000 - (17 + 2 * 45) = 893: 19 columns, 855 + 15 + 5 = 875.
      // Height 800 - (17 + 20 + 50) = 713: 14 rows, 700 + 4 = 704.
      // Columns 875 \ 45 - 1 = 18, rows 704 \ 50 - 1 = 13; bars 32 - 18, 30 - 13.
      {"1000 x 800", 1000, 800, 32, 30, 875, 704, 18, 13, 14, 17},
      // The whole map fits: the bars stay at 1.
      {"small map", 1000, 800, 5, 4, 875, 704, 18, 13, 1, 1},
      // Too small for one hex: still one column (60 + 5) and one row (50 + 4).
      {"100 x 100", 100, 100, 32, 30, 65, 54, 0, 0, 32, 30},
      // At most (32767 - 5 - 15) \ 45 = 727 columns: 32715 + 15 + 5 = 32735;
      // at most 32763 \ 50 = 655 rows: 32750 + 4 = 32754.
      {"beyond 32767 pixels", 100000, 50000, 3999, 3999, 32735, 32754, 726, 654, 3273, 3345},
  };
  for (const Case& c : cases) {
    RecordingInteraction ui;
    const std::optional<WindowLayout> layout =
        Form_Resize(Window(c.innerWidth, c.innerHeight), HexGeometry::FromSizes(60, 50, 30),
                    test::BlankMap(c.mapWidth, c.mapHeight), ui);
    ASSERT_TRUE(layout) << c.name;
    EXPECT_EQ(layout->mapView.width, c.viewWidth) << c.name;
    EXPECT_EQ(layout->mapView.height, c.viewHeight) << c.name;
    EXPECT_EQ(layout->ViewColumns, c.columns) << c.name;
    EXPECT_EQ(layout->ViewRows, c.rows) << c.name;
    EXPECT_EQ(layout->horizontalRange.maximum, c.barX) << c.name;
    EXPECT_EQ(layout->verticalRange.maximum, c.barY) << c.name;
    EXPECT_TRUE(ui.events.empty()) << c.name;
  }
}

// Right of the road strip: "Roads" above "Rail Roads", the name box 40
// pixels right of "Roads", "Rename" right of the box and "Clear" below it.
TEST(Form_Resize, TheControlsRightOfTheRoadStrip) {
  WindowLayoutInput input = Window(1000, 800);
  input.roadsLabel = {50, 20};
  input.hexNameBox = {200, 24};
  input.renameButton = {60, 22};
  RecordingInteraction ui;
  const auto layout =
      Form_Resize(input, HexGeometry::FromSizes(60, 50, 30), test::BlankMap(32, 30), ui);
  ASSERT_TRUE(layout);
  const PixelRect& strip = layout->roadStrip;
  EXPECT_EQ(std::tuple(layout->roadsLabel.x, layout->roadsLabel.y),
            std::tuple(strip.x + 360, strip.y));
  EXPECT_EQ(std::tuple(layout->railRoadsLabel.x, layout->railRoadsLabel.y),
            std::tuple(strip.x + 360, strip.y + 20));
  EXPECT_EQ(std::tuple(layout->hexNameBox.x, layout->hexNameBox.y),
            std::tuple(strip.x + 450, strip.y));
  EXPECT_EQ(std::tuple(layout->renameButton.x, layout->clearButton.x, layout->clearButton.y),
            std::tuple(strip.x + 650, strip.x + 650, strip.y + 22));
}

TEST(TileAtSheetPosition, SixteenTilesARow) {
  struct Case {
    double sx, sy;
    int tile;
  };
  const Case cases[] = {
      {0, 0, 0},   {59, 49, 0},  {60, 0, 1},        {130, 60, 18}, {959, 0, 15},
      {0, 50, 16}, {59.6, 0, 1}, {959, 4999, 1599}, {1000, 0, 16}};  // past the sheet's right edge:
                                                                     // the next row's number
  for (const Case& c : cases) {
    EXPECT_EQ(TileAtSheetPosition(c.sx, c.sy, HexGeometry::FromSizes(60, 50, 30)), c.tile)
        << c.sx << "," << c.sy;
  }
}

}  // namespace
}  // namespace korv
