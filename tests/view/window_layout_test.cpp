#include "view/window_layout.h"

#include <gtest/gtest.h>

#include "view/view_fixture.h"

namespace korv {
namespace {

using test::ViewWorld;

WindowLayoutInput Controls(int width, int height) {
  WindowLayoutInput input;
  input.inner = {width, height};
  input.statusLine = {400, 20};
  input.horizontalScrollBarHeight = 17;
  input.verticalScrollBarWidth = 17;
  input.viewFrame = 2;
  input.roadStrip = {360, 50};
  input.blockFillButton = {70, 25};
  input.mapTilesButton = {80, 25};
  input.clearSidesButton = {90, 25};
  input.deploymentButton = {100, 25};
  input.autoTileButton = {110, 25};
  input.progressLabel = {120, 20};
  input.roadsLabel = {60, 18};
  input.railRoadsLabel = {70, 18};
  input.hexNameBox = {150, 22};
  input.renameButton = {60, 24};
  input.clearButton = {50, 24};
  return input;
}

void ExpectRect(const PixelRect& rect, int x, int y, int w, int h, const std::string& what) {
  EXPECT_EQ(rect.x, x) << what;
  EXPECT_EQ(rect.y, y) << what;
  EXPECT_EQ(rect.width, w) << what;
  EXPECT_EQ(rect.height, h) << what;
}

TEST(Form_Resize, ViewSizeAndScrollRangesByHand) {
  struct Case {
    const char* name;
    int hexWidth, hexHeight, hexFlat;
    int innerWidth, innerHeight, frame;
    int mapWidth, mapHeight;
    int viewWidth, viewHeight;  // outer, border included
    int pixelWidth, pixelHeight, columns, rows, maxX, maxY, barX, barY;
  };
  const Case cases[] = {
      // Width 1000 - (17 + 90) = 893: 19 columns, 855 + 15 = 870, +5 = 875.
      // Height 800 - (17 + 20 + 50) = 713: 14 rows, 700, +4 = 704.
      // Columns 875 \ 45 - 1 = 18; rows 704 \ 50 - 1 = 13.
      {"1000 x 800", 60, 50, 30, 1000, 800, 2, 32, 30, 875, 704, 871, 700, 18, 13, 14, 17, 14, 17},
      // Steps 48 and 56, slant 16: 1920 - 113 = 1807: 37 columns, 1776 + 16 + 5 = 1797;
      // 1080 - 93 = 987: 17 rows, 952 + 4 = 956. 1797 \ 48 - 1 = 36; 956 \ 56 - 1 = 16.
      {"1920 x 1080, larger hexes", 64, 56, 32, 1920, 1080, 2, 100, 80, 1797, 956, 1793, 952, 36,
       16, 64, 64, 64, 64},
      // Too small for one hex: still one column (60 + 5) and one row (50 + 4).
      {"100 x 100", 60, 50, 30, 100, 100, 2, 32, 30, 65, 54, 61, 50, 0, 0, 32, 30, 32, 30},
      // The whole map fits: the bars stay at 1.
      {"small map", 60, 50, 30, 1000, 800, 2, 5, 4, 875, 704, 871, 700, 18, 13, -13, -9, 1, 1},
      // A view without a frame shows its whole size.
      {"no frame", 60, 50, 30, 1000, 800, 0, 32, 30, 875, 704, 875, 704, 18, 13, 14, 17, 14, 17},
      // 100000 - 107 would be 2219 columns; at most (32767 - 5 - 15) \ 45 = 727:
      // 32715 + 15 + 5 = 32735. Rows at most 32763 \ 50 = 655: 32750 + 4 = 32754.
      {"beyond 32767 pixels", 60, 50, 30, 100000, 50000, 2, 3999, 3999, 32735, 32754, 32731, 32750,
       726, 654, 3273, 3345, 3273, 3345},
  };
  for (const Case& c : cases) {
    HexGeometry geometry =
        HexGeometry::FromSizes(static_cast<int16_t>(c.hexWidth), static_cast<int16_t>(c.hexHeight),
                               static_cast<int16_t>(c.hexFlat));
    MapDocument document;
    document.MapWidth = static_cast<int16_t>(c.mapWidth);
    document.MapHeight = static_cast<int16_t>(c.mapHeight);
    WindowLayoutInput input = Controls(c.innerWidth, c.innerHeight);
    input.viewFrame = c.frame;
    RecordingInteraction ui;
    std::optional<WindowLayout> layout = Form_Resize(input, geometry, document, ui);
    ASSERT_TRUE(layout) << c.name;
    const int step = geometry.ColumnStep;
    ExpectRect(layout->statusLine, 0, 0, 400, 20, c.name);
    ExpectRect(layout->mapView, step, 20, c.viewWidth, c.viewHeight, c.name);
    ExpectRect(layout->horizontalScrollBar, step, 20 + c.viewHeight, c.viewWidth, 17, c.name);
    ExpectRect(layout->verticalScrollBar, step + c.viewWidth, 20, 17, c.viewHeight, c.name);
    EXPECT_EQ(layout->ViewPixelWidth, c.pixelWidth) << c.name;
    EXPECT_EQ(layout->ViewPixelHeight, c.pixelHeight) << c.name;
    EXPECT_EQ(layout->ViewColumns, c.columns) << c.name;
    EXPECT_EQ(layout->ViewRows, c.rows) << c.name;
    EXPECT_EQ(layout->ScrollMaxX, c.maxX) << c.name;
    EXPECT_EQ(layout->ScrollMaxY, c.maxY) << c.name;
    EXPECT_EQ(layout->horizontalRange.minimum, 1) << c.name;
    EXPECT_EQ(layout->horizontalRange.maximum, c.barX) << c.name;
    EXPECT_EQ(layout->horizontalRange.largeChange, 10) << c.name;
    EXPECT_EQ(layout->horizontalRange.smallChange, 1) << c.name;
    EXPECT_EQ(layout->verticalRange.minimum, 1) << c.name;
    EXPECT_EQ(layout->verticalRange.maximum, c.barY) << c.name;
    EXPECT_LE(layout->mapView.width, kMaxViewPixels) << c.name;
    EXPECT_LE(layout->mapView.height, kMaxViewPixels) << c.name;
    EXPECT_TRUE(ui.events.empty()) << c.name;
  }
}

TEST(Form_Resize, ControlsAroundTheView) {
  RecordingInteraction ui;
  MapDocument document;
  document.MapWidth = 32;
  document.MapHeight = 30;
  std::optional<WindowLayout> layout =
      Form_Resize(Controls(1000, 800), test::DefaultGeometry(), document, ui);
  ASSERT_TRUE(layout);
  // The view is 875 x 704 at (45, 20); the horizontal bar below it ends at 741.
  ExpectRect(layout->roadStrip, 45, 741, 360, 50, "road strip");
  // Buttons from the status line's right edge (400) on, along the top.
  ExpectRect(layout->blockFillButton, 400, 0, 70, 25, "Block Fill");
  ExpectRect(layout->mapTilesButton, 470, 0, 80, 25, "Map Tiles");
  ExpectRect(layout->clearSidesButton, 550, 0, 90, 25, "clear hex sides");
  ExpectRect(layout->deploymentButton, 640, 0, 100, 25, "deployment hexes on/off");
  ExpectRect(layout->autoTileButton, 740, 0, 110, 25, "auto-tile");
  ExpectRect(layout->progressLabel, 850, 0, 120, 20, "Progress");
  // Right of the strip (45 + 360 = 405): the labels, then 40 pixels on the name box.
  ExpectRect(layout->roadsLabel, 405, 741, 60, 18, "Roads");
  ExpectRect(layout->railRoadsLabel, 405, 759, 70, 18, "Rail Roads");
  ExpectRect(layout->hexNameBox, 505, 741, 150, 22, "name box");
  ExpectRect(layout->renameButton, 655, 741, 60, 24, "Rename");
  ExpectRect(layout->clearButton, 655, 765, 50, 24, "Clear");
}

TEST(Form_Resize, MinimizedWindowAndUnusableGeometry) {
  MapDocument document;
  document.MapWidth = 32;
  document.MapHeight = 30;
  RecordingInteraction ui;
  EXPECT_FALSE(Form_Resize(Controls(0, 800), test::DefaultGeometry(), document, ui));
  EXPECT_TRUE(ui.events.empty());

  struct Case {
    const char* name;
    int width, height, flat;
  };
  const Case cases[] = {{"column step 0", 1, 50, 0}, {"row step 0", 60, 0, 30}};
  for (const Case& c : cases) {
    RecordingInteraction refused;
    HexGeometry geometry =
        HexGeometry::FromSizes(static_cast<int16_t>(c.width), static_cast<int16_t>(c.height),
                               static_cast<int16_t>(c.flat));
    EXPECT_FALSE(Form_Resize(Controls(1000, 800), geometry, document, refused)) << c.name;
    ASSERT_EQ(refused.Messages().size(), 1u) << c.name;
    EXPECT_NE(refused.Messages()[0].find("data/hex_info.txt"), std::string::npos) << c.name;
  }
}

TEST(ResizeView, RecreatesTheBufferForTheNewSize) {
  ViewWorld world(test::DefaultGeometry(), 40, 40);
  world.FillSampleMap();
  world.MakeView(3, 2, 5, 6);
  ASSERT_EQ(world.view.ViewBufferWidth, 285);
  const int presents = world.presents;

  std::optional<WindowLayout> layout =
      ResizeView(world.editor, world.resources, world.switches, world.view, Controls(1000, 800));
  ASSERT_TRUE(layout);
  EXPECT_EQ(world.view.ViewLeft, 1);
  EXPECT_EQ(world.view.ViewTop, 1);
  EXPECT_EQ(world.view.ViewColumns, 18);
  EXPECT_EQ(world.view.ViewRows, 13);
  EXPECT_EQ(world.view.ScrollMaxX, 22);
  EXPECT_EQ(world.view.ScrollMaxY, 27);
  EXPECT_EQ(world.view.ViewPixelWidth, 871);
  EXPECT_EQ(world.view.ViewPixelHeight, 700);
  // (18 + 2) * 45 + 60 = 960; 14 * 50 + 125 = 825.
  EXPECT_EQ(world.view.ViewBufferWidth, 960);
  EXPECT_EQ(world.view.ViewBufferHeight, 825);
  EXPECT_EQ(world.view.ViewScreen.Width(), 871);
  EXPECT_EQ(world.view.ViewScreen.Height(), 700);
  EXPECT_EQ(world.presents, presents + 1);
  // The whole larger view is drawn.
  const test::Canvas expected = test::ReferenceRedraw(world);
  EXPECT_EQ(test::CompareWithCanvas(world.view.ViewScreen, expected, 45, 50, 871, 700, 45, 50), "");

  // A minimized window changes nothing.
  EXPECT_FALSE(
      ResizeView(world.editor, world.resources, world.switches, world.view, Controls(0, 0)));
  EXPECT_EQ(world.view.ViewBufferWidth, 960);
  EXPECT_EQ(world.presents, presents + 1);
}

}  // namespace
}  // namespace korv
