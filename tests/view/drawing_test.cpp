#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "support/editor_fixture.h"
#include "view/hex_drawing.h"
#include "view/viewport.h"

namespace korv {
namespace {

// Pictures for the default 60 x 50 hexes (steps 45 and 50). A hex owns the
// first 45 x 50 pixels of its picture: those rectangles cover the plane once,
// as real hex shapes do, so the order hexes are drawn in does not matter.
// Tile t is one colour there and black in the last 15 columns, where the
// clearing mask is white so that the next column's hexes show. Cell c of an
// overlay holds a 4 x 4 box of colour + c at (2 + 4c, top); flag cell n is
// plain colour + n.
uint32_t TileColour(int tile) {
  return 0x200000u + 0x100u * static_cast<uint32_t>(tile);
}
constexpr uint32_t kLarge = 0xa00000, kMedium = 0xb00000, kSmall = 0xc00000;
constexpr uint32_t kRoad = 0x00d000, kRail = 0x00e000, kEffect = 0x0000f0, kOutline = 0x00f000;
constexpr uint32_t kBlue = kEffect + 7;  // the highlight at pixel 420 is cell 7

void Overlay(Picture& mask, Picture& picture, int cells, int top, uint32_t colour) {
  mask = Picture(cells * 60, 50);
  mask.Fill(0xffffff);
  picture = Picture(cells * 60, 50);
  for (int c = 0; c < cells; ++c) {
    mask.FillRect({c * 64 + 2, top, 4, 4}, 0);
    picture.FillRect({c * 64 + 2, top, 4, 4}, colour + static_cast<uint32_t>(c));
  }
}

Picture Flags(int width, int height, uint32_t colour) {
  Picture strip(4 * width, height);
  for (int n = 1; n <= 3; ++n) strip.FillRect({n * width, 0, width, height}, colour + n);
  return strip;
}

// A session on a map of columns 0..11 and rows 0..10 with a view of 4 x 3
// hexes at column 1, row 1 (buffer pixels are whole-map pixels there),
// every hex tile 5, drawn with the pictures above.
struct DrawnSession : test::SessionOnMiniGame {
  DrawnSession() : SessionOnMiniGame(test::DefaultMiniGame(), 5, 3, 2) {
    Editor& e = session.editor;
    e.TileSheet = Picture(16 * 60, 2 * 50);
    for (int t = 0; t < 32; ++t) {
      e.TileSheet.FillRect({t % 16 * 60, t / 16 * 50, 60, 50}, TileColour(t));
      e.TileSheet.FillRect({t % 16 * 60 + 45, t / 16 * 50, 15, 50}, 0);
    }
    HexDrawingResources& r = session.resources;
    r.BlackHex = Picture(60, 50);
    r.BlackHex.FillRect({45, 0, 15, 50}, 0xffffff);
    Overlay(r.RoadMask, r.RoadPicture, 6, 20, kRoad);
    Overlay(r.RailMask, r.RailPicture, 6, 26, kRail);
    Overlay(r.EffectMask, r.EffectPicture, 9, 32, kEffect);
    Overlay(r.HexOutlineMask, r.HexOutlinePicture, 1, 10, kOutline);
    r.LargeFlags = Flags(kLargeFlagWidth, kLargeFlagHeight, kLarge);
    r.MediumFlags = Flags(kMediumFlagWidth, kMediumFlagHeight, kMedium);
    r.SmallFlags = Flags(kSmallFlagWidth, kSmallFlagHeight, kSmall);
    session.view.OnPresent = [this] { ++presents; };
    if (!test::ReplaceWithNewMap(session, 11, 10)) throw std::runtime_error("no 11 x 10 map");
    for (int16_t& tile : Map().HexTile) tile = 5;
    // As wide as the window's layout makes it: whole hexes, the last slant and one.
    session.view.ViewPixelWidth = 4 * 45 + 15 + 1;
    if (!CreateViewBuffer(e, r, session.switches, session.view))
      throw std::runtime_error("no view");
  }
  void Redraw() {
    RedrawBuffers(session.editor, session.resources, session.switches, session.view);
  }
  uint32_t At(int bx, int by) const { return session.view.ViewBuffer.PixelAt(bx, by); }

  int presents = 0;
};

TEST(Print_hex, LayersAtHandWorkedPixels) {
  struct Case {
    const char* name;
    uint8_t owner = 0, mark = 0;
    int16_t deployment = 0, editMode = 0, roadMode = 0;
    int side = 0;
    uint8_t link = 0;
    int16_t highlight = -1, selectLeft = 0, gridWidth = 15, gridHeight = 15;
    bool gridLines = false, roadControl = true, outlines = false;
    uint8_t flagX = 20, flagY = 30;
    int x = 3, left = 135, top = 100;  // the hex is (x, 2), its picture at (left, top)
    std::vector<std::tuple<int, int, uint32_t>> checks;  // u, v, colour
  };
  const uint32_t tile = TileColour(9), next = TileColour(5);
  // Hex (3, 2) (an odd column: its picture at (3 * 45, 2 * 50)), tile 9,
  // among hexes of tile 5, with its owner and mark
  // (1 secondary, 2 primary, 3 oil), deployment mark, one side's link and
  // the switches. Flags at the flag position: large 21 x 14, medium 20 x 13,
  // small 9 x 9 five further right. Effect cells 5 (primary) at u 22, 7
  // (blue) at 30 and 8 (oil) at 34, v 32; road side d at u 4d - 2, v 20;
  // railroad side d there at v 26. The selection is columns selectLeft..4.
  // clang-format off
  const Case cases[] = {
      {.name = "tile", .checks = {{20, 20, tile}, {44, 5, tile}, {45, 5, next}, {50, 40, next}}},
      {.name = "secondary", .owner = 2, .mark = 1,
       .checks = {{20, 30, kMedium + 2}, {39, 42, kMedium + 2}, {19, 30, tile}, {40, 30, tile}}},
      {.name = "flag position", .owner = 2, .mark = 1, .flagX = 30, .flagY = 5,
       .checks = {{30, 5, kMedium + 2}, {29, 5, tile}, {20, 30, tile}}},
      {.name = "small flag", .owner = 1, .checks = {{25, 30, kSmall + 1}, {24, 30, tile}}},
      {.name = "no road control", .owner = 1, .roadControl = false, .checks = {{25, 30, tile}}},
      {.name = "primary", .owner = 3, .mark = 2,
       .checks = {{21, 32, kLarge + 3}, {40, 43, kLarge + 3}, {22, 32, kEffect + 5}}},
      {.name = "oil", .owner = 1, .mark = 3,
       .checks = {{22, 32, kLarge + 1}, {34, 32, kEffect + 8}}},
      {.name = "unknown mark", .owner = 2, .mark = 4, .checks = {{20, 30, tile}, {25, 30, tile}}},
      {.name = "nation past the strips", .owner = 7, .mark = 1, .checks = {{20, 30, 0}}},
      {.name = "deployment mode", .owner = 1, .mark = 2, .deployment = 3, .editMode = 1,
       .checks = {{20, 30, kMedium + 3}, {22, 32, kMedium + 3}}},
      {.name = "deployment, other mode", .deployment = 3, .checks = {{20, 30, tile}}},
      {.name = "road, no tool", .side = 2, .link = kRoadLink, .checks = {{6, 20, tile}}},
      {.name = "road", .roadMode = 2, .side = 2, .link = kRoadLink,
       .checks = {{6, 20, kRoad + 1}}},
      {.name = "railroad", .side = 4, .link = kRailLink, .checks = {{14, 26, kRail + 3}}},
      {.name = "tile highlight", .highlight = 9, .checks = {{30, 32, kBlue}}},
      {.name = "selection 3..4", .selectLeft = 3, .checks = {{30, 32, kBlue}}},
      {.name = "selection bound 0", .selectLeft = 0, .checks = {{30, 32, tile}}},
      {.name = "grid 3 x 15", .gridWidth = 3, .gridLines = true, .checks = {{30, 32, kBlue}}},
      {.name = "grid 0 x 2", .gridWidth = 0, .gridHeight = 2, .gridLines = true,
       .checks = {{30, 32, kBlue}}},
      {.name = "grid 0 x 0", .gridWidth = 0, .gridHeight = 0, .gridLines = true,
       .checks = {{30, 32, tile}}},
      {.name = "grid off", .gridWidth = 3, .checks = {{30, 32, tile}}},
      {.name = "outline", .outlines = true,
       .checks = {{2, 10, kOutline}, {5, 13, kOutline}, {2, 9, tile}, {2, 14, tile}}},
      // Column 0, an even column, half a row lower, is black but shows its flag.
      {.name = "column 0", .owner = 2, .mark = 1, .x = 0, .left = 0, .top = 125,
       .checks = {{20, 20, 0}, {20, 30, kMedium + 2}}},
  };
  // clang-format on
  for (const Case& c : cases) {
    DrawnSession s;
    MapDocument& d = s.Map();
    d.Tile(c.x, 2) = 9;
    d.Owner(c.x, 2) = c.owner;
    d.Mark(c.x, 2) = c.mark;
    d.Deployment(c.x, 2) = c.deployment;
    if (c.side > 0) d.Data(c.x, 2, c.side) = c.link;
    EditorSettings& settings = s.session.editor.Settings;
    settings.GridWidth = c.gridWidth;
    settings.GridHeight = c.gridHeight;
    settings.ShowRoadControl = c.roadControl;
    settings.HexOutlines = c.outlines;
    settings.FlagOffsetX = c.flagX;
    settings.FlagOffsetY = c.flagY;
    s.session.switches = {c.editMode, c.roadMode, c.gridLines, c.highlight, c.selectLeft, 4, 2, 2};
    s.Redraw();
    for (const auto& [u, v, colour] : c.checks) {
      EXPECT_EQ(s.At(c.left + u, c.top + v), colour) << c.name << " at " << u << "," << v;
    }
  }
}

TEST(RedrawHex, DrawsTheHexOverItsNeighboursAndColoursTheJumpMap) {
  DrawnSession s;
  s.session.switches.GridLines = true;
  s.session.editor.Settings.GridWidth = 3;
  s.Redraw();
  s.Map().Tile(3, 2) = 12;
  s.Map().Terrain(3, 2) = 3;
  JumpMapState jumpMap;
  jumpMap.MapPicture = Picture(11, 10);
  const int presents = s.presents;
  RedrawHex(s.session.editor, s.session.resources, s.session.switches, s.session.view, 3, 2,
            &jumpMap);
  EXPECT_EQ(s.presents, presents + 1);
  EXPECT_EQ(s.At(135 + 20, 100 + 20), TileColour(12));
  EXPECT_EQ(s.At(135 + 50, 100 + 5), TileColour(5));  // the next column's hex stays
  EXPECT_EQ(s.At(135 + 30, 100 + 32), kBlue);         // and the hex keeps its grid line
  EXPECT_EQ(jumpMap.MapPicture.PixelAt(3, 2), s.session.editor.Tiles.TerrainRgb(3));
  EXPECT_EQ(jumpMap.MapPicture.PixelAt(2, 2), 0u);
  // A hex off the map draws nothing.
  const Picture before = s.session.view.ViewBuffer;
  RedrawHex(s.session.editor, s.session.resources, s.session.switches, s.session.view, 12, 2,
            &jumpMap);
  EXPECT_TRUE(before.Image() == s.session.view.ViewBuffer.Image());
}

ScrollOutcome ScrollTo(DrawnSession& s, bool horizontal, int value) {
  MapEditor& m = s.session;
  return horizontal ? HorizontalScroll_Change(m.editor, m.resources, m.switches, m.view, value)
                    : VerticalScroll_Change(m.editor, m.resources, m.switches, m.view, value);
}

// What a full redraw at the session's position leaves in a copy of its view.
ViewState FullRedraw(const DrawnSession& s) {
  ViewState fresh = s.session.view;
  fresh.OnPresent = nullptr;
  RedrawBuffers(s.session.editor, s.session.resources, s.session.switches, fresh);
  return fresh;
}

// Right to the map's edge, down to its bottom, back left zig-zagging up,
// and up: after every one-step shift the view shows what a full redraw shows.
TEST(ScrollBuffer, OneStepShiftsAgreeWithAFullRedraw) {
  DrawnSession s;
  MapDocument& d = s.Map();
  for (int x = 0; x <= d.MapWidth; ++x) {
    for (int y = 0; y <= d.MapHeight; ++y) {
      d.Tile(x, y) = static_cast<int16_t>((x * 7 + y * 3) % 32);
      d.Owner(x, y) = static_cast<uint8_t>((x + y) % 4);
      d.Mark(x, y) = static_cast<uint8_t>((x * y) % 4);
      d.Data(x, y, 1 + (x + 2 * y) % 6) = static_cast<uint8_t>(1 + (x * y) % 2);
    }
  }
  // Every kind of highlight.
  s.session.editor.Settings.GridWidth = 4;
  s.session.editor.Settings.GridHeight = 3;
  DrawSwitches& sw = s.session.switches;
  sw.RoadMode = 2;
  sw.GridLines = true;
  sw.HighlightTile = 12;
  sw.SelectionLeft = 3, sw.SelectionRight = 6, sw.SelectionTop = 2, sw.SelectionBottom = 5;
  s.Redraw();
  const int maxX = s.session.view.ScrollMaxX, maxY = s.session.view.ScrollMaxY;
  ASSERT_EQ(maxX, 8);
  ASSERT_EQ(maxY, 8);

  std::vector<std::pair<bool, int>> steps;  // horizontal?, new value
  int x = 1, y = 1;
  for (; x < maxX; ++x) steps.push_back({true, x + 1});
  for (; y < maxY; ++y) steps.push_back({false, y + 1});
  for (; x > 1; --x) {
    steps.push_back({true, x - 1});
    if (x % 2 == 0 && y > 1) steps.push_back({false, --y});
  }
  for (; y > 1; --y) steps.push_back({false, y - 1});
  for (const auto& [horizontal, value] : steps) {
    ASSERT_EQ(ScrollTo(s, horizontal, value), ScrollOutcome::kShifted);
    EXPECT_TRUE(FullRedraw(s).ViewScreen.Image() == s.session.view.ViewScreen.Image())
        << "at " << s.session.view.ViewLeft << "," << s.session.view.ViewTop;
  }
}

// The blue pointer marks the screen only, until the next present. A painted
// hex presents only its part of the screen; after each one, the first after
// the blue pointer too, the screen is what a full redraw shows.
TEST(RedrawHex, PresentsWhatAFullRedrawShows) {
  DrawnSession s;
  MapDocument& d = s.Map();
  s.Redraw();
  MapEditor& m = s.session;
  const Picture buffer = m.view.ViewBuffer;
  BlueHex(m.editor.Geometry, m.resources, m.view, 3, 2);
  // The screen shows the buffer from (45, 50) on: hex (3, 2) starts at (90, 50).
  EXPECT_EQ(m.view.ViewScreen.PixelAt(90 + 30, 50 + 32), kBlue);
  EXPECT_TRUE(buffer.Image() == m.view.ViewBuffer.Image());
  for (int i = 0; i < 12; ++i) {
    const int x = 1 + i * 5 % 9, y = 1 + i * 3 % 7;
    d.Tile(x, y) = static_cast<int16_t>(i);
    d.Owner(x, y) = static_cast<uint8_t>(1 + i % 3);
    d.Mark(x, y) = static_cast<uint8_t>(i % 4);
    RedrawHex(m.editor, m.resources, m.switches, m.view, x, y, nullptr);
    EXPECT_TRUE(FullRedraw(s).ViewScreen.Image() == m.view.ViewScreen.Image()) << x << "," << y;
  }
  // Flags placed low and right reach into the hexes below and beside: the
  // screen shows all that the buffer holds.
  m.editor.Settings.FlagOffsetX = 40;
  m.editor.Settings.FlagOffsetY = 45;
  d.Owner(2, 2) = 1;
  d.Mark(2, 2) = kPrimaryObjective;
  RedrawHex(m.editor, m.resources, m.switches, m.view, 2, 2, nullptr);
  ViewState whole = m.view;
  BlitPic1(m.editor.Geometry, whole);
  EXPECT_TRUE(whole.ViewScreen.Image() == m.view.ViewScreen.Image());
}

TEST(ScrollBars, NoChangePresentsOneStepShiftsMoreRedrawNothingWhileCentring) {
  struct Case {
    const char* name;
    bool horizontal;
    int start, value;
    bool centring;
    ScrollOutcome outcome;
    int position;          // ViewLeft or ViewTop afterwards
    int markerX, markerY;  // where the marker is afterwards; -1: a full redraw
  };
  // Scroll maxima 8 and 8. A marker pixel in the margin where neither a
  // shift's strip nor its black fill reaches: (50, 5) above the view for the
  // horizontal bar, (5, 55) left of it for the vertical one. A shift moves
  // it by one step; a full redraw removes it.
  const Case cases[] = {
      {"no change", true, 4, 4, false, ScrollOutcome::kPresented, 4, 50, 5},
      {"two steps right", true, 4, 6, false, ScrollOutcome::kRedrawn, 6, -1, -1},
      {"past the bar: its maximum", true, 4, 20, false, ScrollOutcome::kRedrawn, 8, -1, -1},
      {"below the bar: 1", true, 2, 0, false, ScrollOutcome::kShifted, 1, 95, 5},
      {"while centring", true, 4, 5, true, ScrollOutcome::kIgnored, 4, 50, 5},
      {"three steps up", false, 4, 1, false, ScrollOutcome::kRedrawn, 1, -1, -1},
  };
  constexpr uint32_t kMarker = 0x123456;
  for (const Case& c : cases) {
    DrawnSession s;
    ViewState& view = s.session.view;
    (c.horizontal ? view.ViewLeft : view.ViewTop) = c.start;
    s.Redraw();
    view.ViewBuffer.SetPixel(c.horizontal ? 50 : 5, c.horizontal ? 5 : 55, kMarker);
    view.CentringView = c.centring;
    const int presents = s.presents;
    EXPECT_EQ(ScrollTo(s, c.horizontal, c.value), c.outcome) << c.name;
    EXPECT_EQ(c.horizontal ? view.ViewLeft : view.ViewTop, c.position) << c.name;
    EXPECT_EQ(c.horizontal ? view.ViewTop : view.ViewLeft, 1) << c.name;
    EXPECT_EQ(s.presents, presents + (c.centring ? 0 : 1)) << c.name;
    if (c.markerX >= 0) {
      EXPECT_EQ(s.At(c.markerX, c.markerY), kMarker) << c.name;
    } else {
      EXPECT_TRUE(FullRedraw(s).ViewBuffer.Image() == view.ViewBuffer.Image()) << c.name;
    }
  }
}

TEST(LoadGraphics, FlagsFallBackToTheBlankFlagsThenBlack) {
  test::TempFolder folder;
  const auto save = [&](const std::string& relative, int w, int h, uint32_t colour) {
    Picture picture(w, h);
    picture.Fill(colour);
    std::filesystem::create_directories((folder / relative).parent_path());
    ASSERT_TRUE(picture.SaveBmp(folder / relative));
  };
  save("bmp/roads.bmp", 360, 50, 0x555555);   // bmp/roadsm.bmp is missing
  save("flags/ALPHA.BMP", 30, 20, 0xaa0000);  // larger than the cell: its top left part
  save("flags/alpha03.bmp", 5, 5, 0xac0000);  // smaller: the rest of the cell stays black
  save("flags/blank.bmp", 21, 14, 0x00bb00);  // no blank02.bmp or blank03.bmp
  save("evil03.bmp", 9, 9, 0xeeeeee);
  using R = HexDrawingResources;
  const std::pair<Picture R::*, const char*> overlays[] = {{&R::HexOutlinePicture, "bmp/hexp.bmp"},
                                                           {&R::HexOutlineMask, "bmp/hexm.bmp"},
                                                           {&R::EffectPicture, "bmp/fx2.bmp"},
                                                           {&R::EffectMask, "bmp/fx2m.bmp"},
                                                           {&R::RailPicture, "bmp/rr.bmp"}};
  for (size_t k = 0; k < std::size(overlays); ++k) save(overlays[k].second, 60, 50, k + 1);
  std::vector<uint8_t> cut = Picture(360, 50).EncodeBmp();
  cut.pop_back();
  folder.WriteBytes("bmp/rrm.bmp", cut);
  HexDrawingResources r;
  const std::vector<std::string> damaged =
      LoadGraphics(r, folder.Game(), {"", "Alpha", "Beta", "../evil"});
  for (size_t k = 0; k < std::size(overlays); ++k) {
    EXPECT_EQ((r.*overlays[k].first).PixelAt(0, 0), k + 1) << overlays[k].second;
  }
  EXPECT_EQ(r.RoadPicture.PixelAt(0, 0), 0x555555u);
  EXPECT_TRUE(r.RoadMask.IsNull());  // missing: no word
  EXPECT_TRUE(r.RailMask.IsNull());  // damaged: named
  ASSERT_EQ(damaged.size(), 1u);
  EXPECT_NE(damaged[0].find("rrm.bmp: it is cut short"), std::string::npos) << damaged[0];
  EXPECT_TRUE(r.BlackHex.IsNull());
  struct Cell {
    const Picture* strip;
    int width, nation, a, b;
    uint32_t colour;
  };
  const Cell cells[] = {
      {&r.LargeFlags, 21, 0, 5, 5, 0},  // cell 0 stays black
      {&r.LargeFlags, 21, 1, 20, 13, 0xaa0000}, {&r.LargeFlags, 21, 2, 0, 0, 0x00bb00},
      {&r.LargeFlags, 21, 3, 7, 7, 0x00bb00},  // a name leaving flags/ gets the blank flag
      {&r.MediumFlags, 20, 1, 0, 0, 0},        // neither its file nor a blank one
      {&r.SmallFlags, 9, 1, 4, 4, 0xac0000},    {&r.SmallFlags, 9, 1, 5, 5, 0},
      {&r.SmallFlags, 9, 3, 4, 4, 0},
  };
  for (const Cell& c : cells) {
    EXPECT_EQ(c.strip->Width(), 4 * c.width);
    EXPECT_EQ(c.strip->PixelAt(c.nation * c.width + c.a, c.b), c.colour)
        << "nation " << c.nation << " in the " << c.width << "-pixel strip";
  }
}

}  // namespace
}  // namespace korv
