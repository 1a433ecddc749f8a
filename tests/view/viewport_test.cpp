#include "view/viewport.h"

#include <gtest/gtest.h>

#include "view/view_fixture.h"

namespace korv {
namespace {

using test::ComparePictures;
using test::ViewWorld;

TEST(pixel_hex, WholeMapPixelToHex) {
  struct Case {
    const char* name;
    int viewLeft, viewTop;
    double vx, vy;
    int hx, hy;
  };
  // Default geometry: ColumnStep 45, RowStep 50; map 0..32 x 0..30.
  const Case cases[] = {
      {"top left of the view is (45, 50): column 1, row 1", 1, 1, 0, 0, 1, 1},
      {"column 2 is even: (90, 60) less 25 is row 0", 2, 1, 0, 10, 2, 0},
      {"upper half-row of an even column at the top: clamped to row 0", 1, 1, 45, -30, 2, 0},
      {"last pixel of column 1's cell", 1, 1, 44, 49, 1, 1},
      {"even column 2 from its own top, 25 lower", 1, 1, 45, 25, 2, 1},
      {"even column 2 just above its row 1", 1, 1, 45, 24, 2, 0},
      {"right of the map: last column", 30, 1, 500, 0, 32, 1},
      {"below the map: last row", 1, 28, 0, 400, 1, 30},
      {"left of the map: column 0", 1, 1, -90, 0, 0, 1},
      {"far up and left: (0, 0)", 1, 1, -1000, -1000, 0, 0},
      {"X = 89.5 rounds half to even: 90, column 2", 1, 1, 44.5, 0, 2, 0},
      {"X = 88.5 rounds half to even: 88, column 1", 1, 1, 43.5, 0, 1, 1},
  };
  ViewWorld world(test::DefaultGeometry(), 32, 30);
  for (const Case& c : cases) {
    world.view.ViewLeft = c.viewLeft;
    world.view.ViewTop = c.viewTop;
    HexPosition hex =
        ViewPixelToHex(world.editor.Geometry, world.view, world.Document(), c.vx, c.vy);
    EXPECT_EQ(hex.x, c.hx) << c.name;
    EXPECT_EQ(hex.y, c.hy) << c.name;
  }
}

TEST(pixel_hex, DirectConversionAndRounding) {
  ViewWorld world(test::DefaultGeometry(), 32, 30);
  const HexGeometry& g = world.editor.Geometry;
  struct Case {
    int X, Y, hx, hy;
  };
  const Case cases[] = {{45, 50, 1, 1},      {90, 60, 2, 0},       {0, 0, 0, 0},
                        {89, 74, 1, 1},      {90, 74, 2, 0},       {90, 75, 2, 1},
                        {-1, 10, 0, 0},      {1484, 1549, 32, 30}, {1440, 1575, 32, 30},
                        {1439, 1574, 31, 30}};
  for (const Case& c : cases) {
    HexPosition hex = pixel_hex(g, world.Document(), c.X, c.Y);
    EXPECT_EQ(hex.x, c.hx) << c.X << "," << c.Y;
    EXPECT_EQ(hex.y, c.hy) << c.X << "," << c.Y;
  }
  world.view.ViewLeft = 2;
  world.view.ViewTop = 3;
  PixelPoint p = ViewToMapPixel(g, world.view, 0.5, 1.5);
  EXPECT_EQ(p.left, 90);  // 90.5 to even
  EXPECT_EQ(p.top, 152);  // 151.5 to even
  p = ViewToMapPixel(g, world.view, 2.5, -0.5);
  EXPECT_EQ(p.left, 92);
  EXPECT_EQ(p.top, 150);
  // A zero step cannot divide: hex (0, 0).
  HexGeometry flat = HexGeometry::FromSizes(1, 50, 0);
  ASSERT_EQ(flat.ColumnStep, 0);
  HexPosition hex = pixel_hex(flat, world.Document(), 500, 500);
  EXPECT_EQ(hex.x, 0);
  EXPECT_EQ(hex.y, 0);
}

TEST(CreateViewBuffer, SizeFromViewAndGeometry) {
  struct Case {
    const char* name;
    int width, height, flat;
    int columns, rows;
    int bufferWidth, bufferHeight;
  };
  const Case cases[] = {
      // (3 + 2) * 45 + 60 = 285; 3 * 50 + 125 = 275.
      {"default hexes", 60, 50, 30, 3, 2, 285, 275},
      // 43 columns: 44 * 45 + 60 = 2040; 22 rows: 22 * 50 + 125 = 1225.
      {"full screen", 60, 50, 30, 42, 21, 2040, 1225},
      // Steps 45 and 51: 3 * 51 + 127.5 = 280.5 -> 280 (half to even).
      {"odd height rounds down to even", 60, 51, 30, 3, 2, 285, 280},
      // 4 * 51 + 127.5 = 331.5 -> 332.
      {"odd height rounds up to even", 60, 51, 30, 3, 3, 285, 332},
      // Steps 48 and 56: 6 * 48 + 64 = 352; 2 * 56 + 140 = 252.
      {"larger hexes", 64, 56, 32, 4, 1, 352, 252},
      // One hex: 2 * 45 + 60 = 150; 50 + 125 = 175.
      {"one hex", 60, 50, 30, 0, 0, 150, 175},
  };
  for (const Case& c : cases) {
    ViewWorld world(
        HexGeometry::FromSizes(static_cast<int16_t>(c.width), static_cast<int16_t>(c.height),
                               static_cast<int16_t>(c.flat)),
        40, 40);
    world.MakeView(c.columns, c.rows);
    EXPECT_EQ(world.view.ViewBufferWidth, c.bufferWidth) << c.name;
    EXPECT_EQ(world.view.ViewBufferHeight, c.bufferHeight) << c.name;
    EXPECT_EQ(world.view.ViewBuffer.Width(), c.bufferWidth) << c.name;
    EXPECT_EQ(world.view.ViewBuffer.Height(), c.bufferHeight) << c.name;
    EXPECT_EQ(world.view.ViewScreen.Width(), world.view.ViewPixelWidth) << c.name;
    EXPECT_EQ(world.view.ViewScreen.Height(), world.view.ViewPixelHeight) << c.name;
    EXPECT_EQ(world.presents, 1) << c.name;
    EXPECT_TRUE(world.ui.events.empty()) << c.name;
  }
}

TEST(CreateViewBuffer, RefusesAZeroStepWithAMessage) {
  struct Case {
    const char* name;
    int width, height, flat;
  };
  const Case cases[] = {{"column step 0", 1, 50, 0},
                        {"row step 0", 60, 0, 30},
                        {"negative column step", 60, 50, -70}};
  for (const Case& c : cases) {
    ViewWorld world(
        HexGeometry::FromSizes(static_cast<int16_t>(c.width), static_cast<int16_t>(c.height),
                               static_cast<int16_t>(c.flat)),
        10, 10);
    world.view.ViewBuffer = Picture(10, 10);
    world.view.ViewColumns = 3;
    world.view.ViewRows = 2;
    EXPECT_FALSE(CreateViewBuffer(world.editor, world.resources, world.switches, world.view))
        << c.name;
    ASSERT_EQ(world.ui.Messages().size(), 1u) << c.name;
    EXPECT_NE(world.ui.Messages()[0].find("column step of"), std::string::npos) << c.name;
    EXPECT_TRUE(world.view.ViewBuffer.IsNull()) << c.name;
    EXPECT_EQ(world.presents, 0) << c.name;
    // Nothing else divides by the step either.
    RedrawBuffers(world.editor, world.resources, world.switches, world.view);
    EXPECT_EQ(pixel_hex(world.editor.Geometry, world.Document(), 100, 100).x, 0) << c.name;
  }
}

TEST(BlitPic1, PresentsTheVisiblePartOfTheBuffer) {
  ViewWorld world;
  world.FillSampleMap();
  world.MakeView(3, 2, 2, 3);
  const HexGeometry& g = world.editor.Geometry;
  const Picture& screen = world.view.ViewScreen;
  ASSERT_EQ(screen.Width(), 4 * 45 + 15 + 1);
  ASSERT_EQ(screen.Height(), 3 * 50);
  int wrong = 0;
  for (int y = 0; y < screen.Height(); ++y) {
    for (int x = 0; x < screen.Width(); ++x) {
      wrong +=
          screen.PixelAt(x, y) != world.view.ViewBuffer.PixelAt(x + g.ColumnStep, y + g.RowStep);
    }
  }
  EXPECT_EQ(wrong, 0);
  // A view larger than its buffer shows black beyond it, not an old picture.
  world.view.ViewScreen.Fill(0xffffff);
  world.view.ViewPixelHeight = world.view.ViewBufferHeight;
  BlitPic1(g, world.view);
  EXPECT_EQ(world.view.ViewScreen.PixelAt(10, world.view.ViewPixelHeight - 1), 0x000000u);
  world.view.ViewScreen.Fill(0xffffff);
  BlitPic1(g, world.view);
  EXPECT_EQ(world.view.ViewScreen.PixelAt(10, world.view.ViewPixelHeight - 1), 0x000000u);
}

// A fresh full redraw at the view's position, for comparison.
ViewState FreshRedraw(ViewWorld& world) {
  ViewState fresh;
  fresh.ViewLeft = world.view.ViewLeft;
  fresh.ViewTop = world.view.ViewTop;
  fresh.ViewColumns = world.view.ViewColumns;
  fresh.ViewRows = world.view.ViewRows;
  fresh.ViewPixelWidth = world.view.ViewPixelWidth;
  fresh.ViewPixelHeight = world.view.ViewPixelHeight;
  fresh.ViewBuffer = Picture(world.view.ViewBufferWidth, world.view.ViewBufferHeight);
  RedrawBuffers(world.editor, world.resources, world.switches, fresh);
  return fresh;
}

TEST(ScrollBuffer, OneStepShiftsAgreeWithAFullRedraw) {
  struct Case {
    const char* name;
    bool largerHexes;
    bool gridLines;
    int columns, rows;
  };
  const Case cases[] = {{"default hexes", false, false, 3, 2},
                        {"grid lines and a wider view", false, true, 5, 3},
                        {"larger hexes with grid lines", true, true, 3, 2}};
  for (const Case& c : cases) {
    ViewWorld world(c.largerHexes ? test::LargerGeometry() : test::DefaultGeometry(), 13, 11);
    world.FillSampleMap();
    world.switches.RoadMode = 2;
    world.switches.GridLines = c.gridLines;
    world.switches.HighlightTile = 12;
    world.switches.SelectionLeft = 3, world.switches.SelectionRight = 6;
    world.switches.SelectionTop = 2, world.switches.SelectionBottom = 5;
    world.editor.Settings.HexOutlines = true;
    world.editor.Settings.GridWidth = 4;
    world.editor.Settings.GridHeight = 3;
    world.MakeView(c.columns, c.rows);
    const HexGeometry& g = world.editor.Geometry;
    const int maxX = world.view.ScrollMaxX, maxY = world.view.ScrollMaxY;

    // Right to the map's edge, down to its bottom, back left and up, in
    // single steps, zig-zagging so every strip meets shifted content.
    std::vector<std::pair<bool, int>> steps;  // horizontal?, new value
    int x = 1, y = 1;
    for (; x < maxX; ++x) steps.push_back({true, x + 1});
    for (; y < maxY; ++y) steps.push_back({false, y + 1});
    for (; x > 1; --x) {
      steps.push_back({true, x - 1});
      if (x % 2 == 0 && y > 1) steps.push_back({false, --y});
    }
    for (; y > 1; --y) steps.push_back({false, y - 1});
    for (; x < 3; ++x) steps.push_back({true, x + 1});

    int checked = 0;
    for (const auto& [horizontal, value] : steps) {
      const int left = world.view.ViewLeft, top = world.view.ViewTop;
      ScrollOutcome outcome = horizontal
                                  ? HorizontalScroll_Change(world.editor, world.resources,
                                                            world.switches, world.view, value)
                                  : VerticalScroll_Change(world.editor, world.resources,
                                                          world.switches, world.view, value);
      ASSERT_EQ(outcome, ScrollOutcome::kShifted) << c.name;
      const ViewState fresh = FreshRedraw(world);
      const std::string difference =
          ComparePictures(world.view.ViewBuffer, fresh.ViewBuffer, g.ColumnStep, g.RowStep,
                          world.view.ViewPixelWidth, world.view.ViewPixelHeight);
      EXPECT_EQ(difference, "") << c.name << ": from (" << left << "," << top << ") to ("
                                << world.view.ViewLeft << "," << world.view.ViewTop << ")";
      EXPECT_EQ(ComparePictures(world.view.ViewScreen, fresh.ViewScreen, 0, 0,
                                world.view.ViewPixelWidth, world.view.ViewPixelHeight),
                "")
          << c.name;
      ++checked;
    }
    EXPECT_GT(checked, 20) << c.name;
  }
}

TEST(ScrollBar_Change, ZeroPresentsOneShiftsMoreRedrawsNothingWhileCentring) {
  struct Case {
    const char* name;
    bool horizontal;
    int start, newValue;
    bool centring;
    ScrollOutcome outcome;
    int position;          // ViewLeft or ViewTop afterwards
    int markerX, markerY;  // where the marker is afterwards; -1: gone
  };
  // Map 0..11 x 0..10 and a view of 4 x 3 hexes: ScrollMaxX 8, ScrollMaxY 8.
  // A marker pixel in the margin outside the visible area, where neither a
  // shift's strip nor its black fill reaches: at (50, 5) above the view for
  // the horizontal bar, at (5, 55) left of it for the vertical bar. A shift
  // moves it by one step, a full redraw removes it.
  const Case cases[] = {
      {"no change", true, 4, 4, false, ScrollOutcome::kPresented, 4, 50, 5},
      {"one step right", true, 4, 5, false, ScrollOutcome::kShifted, 5, 5, 5},
      {"one step left", true, 4, 3, false, ScrollOutcome::kShifted, 3, 95, 5},
      {"two steps right", true, 4, 6, false, ScrollOutcome::kRedrawn, 6, -1, -1},
      {"to the first column", true, 4, 1, false, ScrollOutcome::kRedrawn, 1, -1, -1},
      {"beyond the bar clamps to its maximum", true, 4, 20, false, ScrollOutcome::kRedrawn, 8, -1,
       -1},
      {"below the bar clamps to 1", true, 2, 0, false, ScrollOutcome::kShifted, 1, 95, 5},
      {"while centring", true, 4, 5, true, ScrollOutcome::kIgnored, 4, 50, 5},
      {"vertical: no change", false, 4, 4, false, ScrollOutcome::kPresented, 4, 5, 55},
      {"one step down", false, 4, 5, false, ScrollOutcome::kShifted, 5, 5, 5},
      {"one step up", false, 4, 3, false, ScrollOutcome::kShifted, 3, 5, 105},
      {"three steps up", false, 4, 1, false, ScrollOutcome::kRedrawn, 1, -1, -1},
      {"vertical while centring", false, 4, 8, true, ScrollOutcome::kIgnored, 4, 5, 55},
  };
  constexpr uint32_t kMarker = 0x123456;
  for (const Case& c : cases) {
    ViewWorld world(test::DefaultGeometry(), 11, 10);
    world.FillSampleMap();
    world.MakeView(3, 2, c.horizontal ? c.start : 1, c.horizontal ? 1 : c.start);
    ASSERT_EQ(world.view.ScrollMaxX, 8);
    ASSERT_EQ(world.view.ScrollMaxY, 8);
    if (c.horizontal) {
      world.view.ViewBuffer.SetPixel(50, 5, kMarker);
    } else {
      world.view.ViewBuffer.SetPixel(5, 55, kMarker);
    }
    const Picture before = world.view.ViewBuffer;
    world.view.CentringView = c.centring;
    const int presents = world.presents;

    ScrollOutcome outcome = c.horizontal
                                ? HorizontalScroll_Change(world.editor, world.resources,
                                                          world.switches, world.view, c.newValue)
                                : VerticalScroll_Change(world.editor, world.resources,
                                                        world.switches, world.view, c.newValue);
    EXPECT_EQ(outcome, c.outcome) << c.name;
    EXPECT_EQ(c.horizontal ? world.view.ViewLeft : world.view.ViewTop, c.position) << c.name;
    EXPECT_EQ(c.horizontal ? world.view.ViewTop : world.view.ViewLeft, 1) << c.name;
    EXPECT_EQ(world.presents, presents + (c.centring ? 0 : 1)) << c.name;

    const Picture& buffer = world.view.ViewBuffer;
    if (c.markerX >= 0) {
      EXPECT_EQ(buffer.PixelAt(c.markerX, c.markerY), kMarker) << c.name;
    } else {
      int markers = 0;
      for (int y = 0; y < buffer.Height(); ++y) {
        for (int x = 0; x < buffer.Width(); ++x) markers += buffer.PixelAt(x, y) == kMarker;
      }
      EXPECT_EQ(markers, 0) << c.name;
      EXPECT_EQ(ComparePictures(buffer, FreshRedraw(world).ViewBuffer, 0, 0, buffer.Width(),
                                buffer.Height()),
                "")
          << c.name;
    }
    if (c.outcome == ScrollOutcome::kIgnored || c.outcome == ScrollOutcome::kPresented) {
      EXPECT_EQ(ComparePictures(buffer, before, 0, 0, buffer.Width(), buffer.Height()), "")
          << c.name;
    }
    if (c.outcome != ScrollOutcome::kIgnored) {
      EXPECT_EQ(ComparePictures(world.view.ViewScreen, FreshRedraw(world).ViewScreen, 0, 0,
                                world.view.ViewPixelWidth, world.view.ViewPixelHeight),
                "")
          << c.name;
    }
  }
}

TEST(ScrollRange, BarsAndMapChanges) {
  ViewState view;
  view.ViewColumns = 18;
  view.ViewRows = 13;
  MapDocument document;
  struct Case {
    int mapWidth, mapHeight, maxX, maxY, barX, barY;
  };
  const Case cases[] = {{32, 30, 14, 17, 14, 17},
                        {19, 14, 1, 1, 1, 1},
                        {5, 4, -13, -9, 1, 1},
                        {3999, 100, 3981, 87, 3981, 87}};
  for (const Case& c : cases) {
    document.MapWidth = static_cast<int16_t>(c.mapWidth);
    document.MapHeight = static_cast<int16_t>(c.mapHeight);
    view.ViewLeft = 7;
    view.ViewTop = 9;
    ResetViewForMap(view, document);
    EXPECT_EQ(view.ViewLeft, 1);
    EXPECT_EQ(view.ViewTop, 1);
    EXPECT_EQ(view.ScrollMaxX, c.maxX) << c.mapWidth;
    EXPECT_EQ(view.ScrollMaxY, c.maxY) << c.mapHeight;
    const ScrollBarRange h = HorizontalScrollRange(view), v = VerticalScrollRange(view);
    EXPECT_EQ(h.minimum, 1);
    EXPECT_EQ(h.maximum, c.barX);
    EXPECT_EQ(h.largeChange, 10);
    EXPECT_EQ(h.smallChange, 1);
    EXPECT_EQ(v.minimum, 1);
    EXPECT_EQ(v.maximum, c.barY);
  }
}

}  // namespace
}  // namespace korv
