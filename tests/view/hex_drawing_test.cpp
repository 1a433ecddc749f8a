#include "view/hex_drawing.h"

#include <gtest/gtest.h>

#include <set>

#include "support/test_folder.h"
#include "view/view_fixture.h"
#include "view/viewport.h"

namespace korv {
namespace {

using test::Canvas;
using test::CompareWithCanvas;
using test::FlagColour;
using test::TempFolder;
using test::TileColour;
using test::ViewWorld;

struct DrawCase {
  const char* name;
  bool largerHexes = false;
  int editMode = 0;
  int roadMode = 0;
  bool hexOutlines = false;
  bool showRoadControl = true;
  bool gridLines = false;
  int gridWidth = 15;
  int gridHeight = 15;
  int highlightTile = -1;
  int selection[4] = {0, 0, 0, 0};  // left, right, top, bottom
  int left = 1;
  int top = 1;
  int flagOffsetX = 20;
  int flagOffsetY = 30;
};

void Apply(ViewWorld& world, const DrawCase& c) {
  world.editor.Settings.HexOutlines = c.hexOutlines;
  world.editor.Settings.ShowRoadControl = c.showRoadControl;
  world.editor.Settings.GridWidth = static_cast<int16_t>(c.gridWidth);
  world.editor.Settings.GridHeight = static_cast<int16_t>(c.gridHeight);
  world.editor.Settings.FlagOffsetX = static_cast<uint8_t>(c.flagOffsetX);
  world.editor.Settings.FlagOffsetY = static_cast<uint8_t>(c.flagOffsetY);
  DrawSwitches& s = world.switches;
  s.EditMode = static_cast<int16_t>(c.editMode);
  s.RoadMode = static_cast<int16_t>(c.roadMode);
  s.GridLines = c.gridLines;
  s.HighlightTile = static_cast<int16_t>(c.highlightTile);
  s.SelectionLeft = static_cast<int16_t>(c.selection[0]);
  s.SelectionRight = static_cast<int16_t>(c.selection[1]);
  s.SelectionTop = static_cast<int16_t>(c.selection[2]);
  s.SelectionBottom = static_cast<int16_t>(c.selection[3]);
  world.view.ViewLeft = c.left;
  world.view.ViewTop = c.top;
}

DrawCase Named(const char* name) {
  DrawCase c;
  c.name = name;
  return c;
}

std::vector<DrawCase> DrawCases() {
  std::vector<DrawCase> cases;
  cases.push_back(Named("tiles, flags and railroads"));
  DrawCase c = Named("road-side tool on");
  c.roadMode = 2;
  cases.push_back(c);
  c = Named("deployment marks");
  c.editMode = 1;
  cases.push_back(c);
  c = Named("hex control mode, road control off");
  c.editMode = 2;
  c.showRoadControl = false;
  cases.push_back(c);
  c = Named("hex outlines");
  c.hexOutlines = true;
  cases.push_back(c);
  c = Named("selection");
  c.selection[0] = 2, c.selection[1] = 4, c.selection[2] = 1, c.selection[3] = 3;
  cases.push_back(c);
  c = Named("selection with a bound of 0 is none");
  c.selection[0] = 0, c.selection[1] = 4, c.selection[2] = 1, c.selection[3] = 3;
  cases.push_back(c);
  c = Named("grid lines 2 x 3");
  c.gridLines = true, c.gridWidth = 2, c.gridHeight = 3;
  cases.push_back(c);
  c = Named("grid lines with width 0: rows only");
  c.gridLines = true, c.gridWidth = 0, c.gridHeight = 3;
  cases.push_back(c);
  c = Named("grid spacing set, grid off");
  c.gridWidth = 2, c.gridHeight = 2;
  cases.push_back(c);
  c = Named("tile highlight");
  c.highlightTile = 12;
  cases.push_back(c);
  c = Named("scrolled into the map");
  c.left = 3, c.top = 3, c.roadMode = 1, c.hexOutlines = true;
  cases.push_back(c);
  c = Named("flags reaching into the next column");
  c.flagOffsetX = 40, c.flagOffsetY = 42;
  cases.push_back(c);
  c = Named("everything at once");
  c.roadMode = 2, c.hexOutlines = true, c.gridLines = true, c.gridWidth = 3, c.gridHeight = 2;
  c.highlightTile = 12, c.selection[0] = 1, c.selection[1] = 3, c.selection[2] = 2,
  c.selection[3] = 4;
  cases.push_back(c);
  c = Named("larger hexes, everything at once");
  c.largerHexes = true, c.roadMode = 2, c.hexOutlines = true, c.gridLines = true, c.gridWidth = 3,
  c.gridHeight = 2, c.highlightTile = 12;
  c.selection[0] = 1, c.selection[1] = 3, c.selection[2] = 2, c.selection[3] = 4;
  cases.push_back(c);
  c = Named("larger hexes, deployment marks, scrolled");
  c.largerHexes = true, c.editMode = 1, c.left = 2, c.top = 2;
  cases.push_back(c);
  return cases;
}

TEST(RedrawBuffers, EqualsPixelByPixelComposition) {
  for (const DrawCase& c : DrawCases()) {
    ViewWorld world(c.largerHexes ? test::LargerGeometry() : test::DefaultGeometry());
    world.FillSampleMap();
    world.MakeView(3, 2);
    Apply(world, c);
    const int presentsBefore = world.presents;
    RedrawBuffers(world.editor, world.resources, world.switches, world.view);
    EXPECT_EQ(world.presents, presentsBefore + 1) << c.name;

    const Canvas expected = test::ReferenceRedraw(world);
    const Picture& buffer = world.view.ViewBuffer;
    EXPECT_EQ(CompareWithCanvas(buffer, expected, 0, 0, buffer.Width(), buffer.Height()), "")
        << c.name;
    // The view shows the buffer from one column step and one row step in.
    const HexGeometry& g = world.editor.Geometry;
    EXPECT_EQ(CompareWithCanvas(world.view.ViewScreen, expected, g.ColumnStep, g.RowStep,
                                world.view.ViewPixelWidth, world.view.ViewPixelHeight, g.ColumnStep,
                                g.RowStep),
              "")
        << c.name;

    // The composition has something to compare: many colours, not a blank.
    std::set<uint32_t> colours(expected.pixels.begin(), expected.pixels.end());
    EXPECT_GT(colours.size(), 200u) << c.name;
  }
}

TEST(RedrawHex, EqualsTheOldPictureWithTheHexComposedOnTop) {
  struct Case {
    const char* name;
    int x, y;
    int tile, terrain, owner, mark, side, link;
    bool gridLines;
    uint32_t jumpColour;  // red, green, blue from the terrain colour table
  };
  // Terrain colours of the fixture (blue, green, red): 1 = (10, 20, 30), 2 = (200, 100, 50).
  const Case cases[] = {
      {"new tile and owner", 2, 2, 7, 1, 1, 2, 0, 0, false, 0x1e140a},
      {"road exit added", 3, 3, 9, 2, 0, 0, 4, 2, false, 0x3264c8},
      {"column 0", 0, 3, 5, 1, 2, 1, 1, 2, false, 0x1e140a},
      {"row 0", 3, 0, 5, 2, 3, 3, 0, 0, false, 0x3264c8},
      {"hex on a grid line keeps its line", 4, 2, 20, 1, 0, 0, 0, 0, true, 0x1e140a},
  };
  for (const Case& c : cases) {
    ViewWorld world;
    world.FillSampleMap();
    world.switches.RoadMode = 1;
    world.switches.GridLines = c.gridLines;
    world.editor.Settings.GridWidth = 2;
    world.editor.Settings.GridHeight = 7;
    world.MakeView(3, 2);
    Canvas expected = test::ReferenceRedraw(world);

    MapDocument& d = world.Document();
    d.Tile(c.x, c.y) = static_cast<int16_t>(c.tile);
    d.Terrain(c.x, c.y) = static_cast<uint8_t>(c.terrain);
    d.Owner(c.x, c.y) = static_cast<uint8_t>(c.owner);
    d.Mark(c.x, c.y) = static_cast<uint8_t>(c.mark);
    if (c.side > 0) d.Data(c.x, c.y, c.side) = static_cast<uint8_t>(c.link);
    Picture jumpMap(d.MapWidth, d.MapHeight);
    const int presentsBefore = world.presents;
    RedrawHex(world.editor, world.resources, world.switches, world.view, c.x, c.y, &jumpMap);

    // Hex (4, 2) lies on the grid's column line 4.
    test::ReferenceHex(expected, world, c.x, c.y, c.gridLines ? 2 : 0);
    const Picture& buffer = world.view.ViewBuffer;
    EXPECT_EQ(CompareWithCanvas(buffer, expected, 0, 0, buffer.Width(), buffer.Height()), "")
        << c.name;
    EXPECT_EQ(world.presents, presentsBefore + 1) << c.name;
    EXPECT_EQ(jumpMap.PixelAt(c.x, c.y), c.jumpColour) << c.name;
    int coloured = 0;
    for (int y = 0; y < jumpMap.Height(); ++y) {
      for (int x = 0; x < jumpMap.Width(); ++x) coloured += jumpMap.PixelAt(x, y) != 0;
    }
    EXPECT_EQ(coloured, 1) << c.name;
  }
}

TEST(RedrawHex, WithoutJumpMapAndAtTheMapsLastColumn) {
  ViewWorld world;
  world.FillSampleMap();
  world.MakeView(3, 2, 6, 6);  // columns 6..9, the last one included
  Canvas expected = test::ReferenceRedraw(world);
  world.Document().Tile(9, 7) = 3;
  // The strategic picture has no pixel for the last column: nothing happens there.
  Picture jumpMap(world.Document().MapWidth, world.Document().MapHeight);
  RedrawHex(world.editor, world.resources, world.switches, world.view, 9, 7, &jumpMap);
  RedrawHex(world.editor, world.resources, world.switches, world.view, 9, 7, nullptr);
  test::ReferenceHex(expected, world, 9, 7, 0);
  const Picture& buffer = world.view.ViewBuffer;
  EXPECT_EQ(CompareWithCanvas(buffer, expected, 0, 0, buffer.Width(), buffer.Height()), "");
  // A hex off the map is not drawn and changes nothing.
  RedrawHex(world.editor, world.resources, world.switches, world.view, 10, 7, &jumpMap);
  RedrawHex(world.editor, world.resources, world.switches, world.view, -1, 0, &jumpMap);
  EXPECT_EQ(CompareWithCanvas(buffer, expected, 0, 0, buffer.Width(), buffer.Height()), "");
}

// Hex (2, 2) with the default geometry at ViewLeft = ViewTop = 1: column 2
// is even, so its picture starts at (2 * 45, 2 * 50 + 25) = (90, 125).
constexpr int kHexLeft = 90;
constexpr int kHexTop = 125;

TEST(Print_hex, FlagCellPerObjectiveMarkAndEditMode) {
  enum Strip { kNone = -1, kLarge = 0, kMedium = 1, kSmall = 2 };
  enum Effect { kNoEffect, kPrimary, kOil };
  struct Case {
    const char* name;
    int editMode, owner, mark, deployment;
    bool showRoadControl;
    int strip, nation;  // the flag expected, nation beyond 3 = black
    int effect;
  };
  const Case cases[] = {
      {"plain owned hex, road control on", 0, 2, 0, 0, true, kSmall, 2, kNoEffect},
      {"plain owned hex, road control off", 0, 2, 0, 0, false, kNone, 0, kNoEffect},
      {"secondary objective", 0, 2, 1, 0, true, kMedium, 2, kNoEffect},
      {"primary objective", 0, 3, 2, 0, false, kLarge, 3, kPrimary},
      {"oil resource", 0, 1, 3, 0, true, kLarge, 1, kOil},
      {"unknown mark 4", 0, 2, 4, 0, true, kNone, 0, kNoEffect},
      {"mark without owner", 0, 0, 2, 0, true, kNone, 0, kNoEffect},
      {"hex control mode shows flags", 2, 2, 1, 0, true, kMedium, 2, kNoEffect},
      {"deployment mode hides flags", 1, 2, 2, 0, true, kNone, 0, kNoEffect},
      {"deployment mark on an unowned hex", 1, 0, 0, 3, true, kMedium, 3, kNoEffect},
      {"deployment mark instead of the flag", 1, 1, 3, 2, true, kMedium, 2, kNoEffect},
      {"deployment marks only in deployment mode", 0, 0, 0, 3, true, kNone, 0, kNoEffect},
      {"negative deployment", 1, 0, 0, -1, true, kNone, 0, kNoEffect},
      {"owner beyond the strip, primary", 0, 9, 2, 0, true, kLarge, 9, kPrimary},
      {"owner beyond the strip, plain", 0, 4, 0, 0, true, kSmall, 4, kNoEffect},
      {"deployment beyond the strip", 1, 0, 0, 4, true, kMedium, 4, kNoEffect},
  };
  const int flagSizes[3][2] = {{21, 14}, {20, 13}, {9, 9}};
  for (const Case& c : cases) {
    ViewWorld world;
    MapDocument& d = world.Document();
    for (int16_t& tile : d.HexTile) tile = 5;
    d.Owner(2, 2) = static_cast<uint8_t>(c.owner);
    d.Mark(2, 2) = static_cast<uint8_t>(c.mark);
    d.Deployment(2, 2) = static_cast<int16_t>(c.deployment);
    world.editor.Settings.ShowRoadControl = c.showRoadControl;
    world.switches.EditMode = static_cast<int16_t>(c.editMode);
    world.MakeView(3, 2);
    const Picture& buffer = world.view.ViewBuffer;

    // Every pixel of the flag's cell, at flag position (20, 30), 5 further
    // right for the small flag.
    if (c.strip != kNone) {
      const int w = flagSizes[c.strip][0], h = flagSizes[c.strip][1];
      const int left = kHexLeft + 20 + (c.strip == kSmall ? 5 : 0), top = kHexTop + 30;
      int wrong = 0;
      for (int b = 0; b < h; ++b) {
        for (int a = 0; a < w; ++a) {
          // Effect overlays come after the flag; skip what they cover.
          const int u = left + a - kHexLeft, v = top + b - kHexTop;
          if (c.effect == kPrimary && u >= 17 && u < 37 && v >= 26 && v < 34) continue;
          if (c.effect == kOil && u >= 21 && u < 37 && v >= 36 && v < 44) continue;
          const uint32_t want = c.nation <= 3 ? FlagColour(c.strip, c.nation, a, b) : 0x000000;
          wrong += buffer.PixelAt(left + a, top + b) != want;
        }
      }
      EXPECT_EQ(wrong, 0) << c.name;
    } else {
      // Tile 5 shows through everywhere the flags could be.
      int wrong = 0;
      for (int v = 30; v < 44; ++v) {
        for (int u = 20; u < 41; ++u) {
          wrong += buffer.PixelAt(kHexLeft + u, kHexTop + v) != TileColour(5, u, v);
        }
      }
      EXPECT_EQ(wrong, 0) << c.name;
    }

    // Effect cells: primary objective cell 5 has its picture at (18..35, 27..32)
    // inside a mask one pixel larger; the oil cell 8 at (22..35, 37..42).
    const uint32_t primaryPixel = buffer.PixelAt(kHexLeft + 19, kHexTop + 28);
    const uint32_t primaryMargin = buffer.PixelAt(kHexLeft + 17, kHexTop + 26);
    const uint32_t oilPixel = buffer.PixelAt(kHexLeft + 22, kHexTop + 38);
    if (c.effect == kPrimary) {
      EXPECT_EQ(primaryPixel, test::kPrimaryColour) << c.name;
      EXPECT_EQ(primaryMargin, 0x000000u) << c.name;
    } else {
      EXPECT_EQ(primaryPixel, TileColour(5, 19, 28)) << c.name;
      EXPECT_EQ(primaryMargin, TileColour(5, 17, 26)) << c.name;
    }
    if (c.effect == kOil) {
      EXPECT_EQ(oilPixel, test::kOilColour) << c.name;
    } else if (c.strip == kNone) {
      EXPECT_EQ(oilPixel, TileColour(5, 22, 38)) << c.name;
    }
  }
}

TEST(Print_hex, RoadExitsOnlyWithTheRoadToolRailroadsAlways) {
  struct Case {
    const char* name;
    int roadMode;
    bool road, rail;
  };
  const Case cases[] = {{"road tool off", 0, false, true},
                        {"road tool on", 2, true, true},
                        {"road mode 1", 1, true, true},
                        {"negative road mode", -1, false, true}};
  for (const Case& c : cases) {
    ViewWorld world;
    MapDocument& d = world.Document();
    for (int16_t& tile : d.HexTile) tile = 5;
    d.Data(2, 2, 3) = kRoadLink;
    d.Data(2, 2, 4) = kRailLink;
    world.switches.RoadMode = static_cast<int16_t>(c.roadMode);
    world.MakeView(3, 2);
    const Picture& buffer = world.view.ViewBuffer;
    // Road cell of side 3: picture at (24..27, 18..23); railroad cell of side 4
    // at (30..34, 27..32).
    EXPECT_EQ(buffer.PixelAt(kHexLeft + 25, kHexTop + 19),
              c.road ? 0x808030u : TileColour(5, 25, 19))
        << c.name;
    EXPECT_EQ(buffer.PixelAt(kHexLeft + 31, kHexTop + 28),
              c.rail ? 0x704040u : TileColour(5, 31, 28))
        << c.name;
  }
}

TEST(Print_hex, ColumnZeroAndRowZeroAreBlackButKeepTheirOverlays) {
  ViewWorld world;
  MapDocument& d = world.Document();
  for (int16_t& tile : d.HexTile) tile = 5;
  d.Owner(0, 2) = 2;
  d.Mark(0, 2) = kSecondaryObjective;
  d.Data(3, 0, 4) = kRailLink;
  world.editor.Settings.HexOutlines = true;
  world.MakeView(3, 2);
  const Picture& buffer = world.view.ViewBuffer;
  // The buffer starts at whole-map pixel (0, 0) here: hex (0, 2) at
  // (0, 2 * 50 + 25) = (0, 125), hex (3, 0) in the top margin at (135, 0).
  EXPECT_EQ(buffer.PixelAt(0 + 30, 125 + 10), 0x000000u);                       // no tile
  EXPECT_EQ(buffer.PixelAt(0 + 20 + 3, 125 + 30 + 4), FlagColour(1, 2, 3, 4));  // but its flag
  EXPECT_EQ(buffer.PixelAt(0 + 30, 125 + 0), test::kOutlineColour);             // and outline
  EXPECT_EQ(buffer.PixelAt(135 + 31, 0 + 28), 0x704040u);                       // railroad
  EXPECT_EQ(buffer.PixelAt(135 + 22, 0 + 45), 0x000000u);                       // no tile
  // Hex (1, 1) next to them, at (45, 50), has its tile.
  EXPECT_EQ(buffer.PixelAt(45 + 30, 50 + 10), TileColour(5, 30, 10));
}

TEST(HexDrawMode, GridLinesAtMultiplesOfTheSpacing) {
  struct Case {
    bool gridLines;
    int gridWidth, gridHeight, x, y, mode;
  };
  const Case cases[] = {
      {true, 15, 15, 0, 7, 2},   {true, 15, 15, 15, 7, 2},   {true, 15, 15, 7, 30, 2},
      {true, 15, 15, 14, 16, 0}, {false, 15, 15, 15, 15, 0}, {true, 0, 4, 0, 5, 0},
      {true, 0, 4, 3, 8, 2},     {true, 3, 0, 6, 0, 2},      {true, 3, 0, 7, 0, 0},
      {true, 0, 0, 0, 0, 0},     {true, 1, 1, 5, 9, 2},
  };
  for (const Case& c : cases) {
    EditorSettings settings;
    settings.GridWidth = static_cast<int16_t>(c.gridWidth);
    settings.GridHeight = static_cast<int16_t>(c.gridHeight);
    DrawSwitches switches;
    switches.GridLines = c.gridLines;
    EXPECT_EQ(HexDrawMode(settings, switches, c.x, c.y), c.mode)
        << c.gridWidth << "x" << c.gridHeight << " at " << c.x << "," << c.y;
  }
}

TEST(HexsidesOn_Click, SwitchesOutlinesCaptionAndRedraws) {
  EXPECT_EQ(HexOutlinesMenuEntry(false).Caption, "Hex Outlines OFF");
  EXPECT_FALSE(HexOutlinesMenuEntry(false).Checked);
  ViewWorld world;
  world.FillSampleMap();
  world.MakeView(3, 2);
  const int presents = world.presents;
  MenuEntry on = HexsidesOn_Click(world.editor, world.resources, world.switches, world.view);
  EXPECT_EQ(on.Caption, "Hex Outlines ON");
  EXPECT_TRUE(on.Checked);
  EXPECT_TRUE(world.editor.Settings.HexOutlines);
  EXPECT_EQ(world.presents, presents + 1);
  // Hex (1, 1) is at buffer (45, 50): its top edge is outline now.
  EXPECT_EQ(world.view.ViewBuffer.PixelAt(45 + 30, 50), test::kOutlineColour);
  MenuEntry off = HexsidesOn_Click(world.editor, world.resources, world.switches, world.view);
  EXPECT_EQ(off.Caption, "Hex Outlines OFF");
  EXPECT_FALSE(off.Checked);
  EXPECT_NE(world.view.ViewBuffer.PixelAt(45 + 30, 50), test::kOutlineColour);
}

TEST(GridLines_Click, SwitchesWithoutRedrawing) {
  ViewWorld world;
  world.FillSampleMap();
  world.MakeView(3, 2);
  const Picture before = world.view.ViewBuffer;
  const int presents = world.presents;
  MenuEntry on = GridLines_Click(world.switches);
  EXPECT_EQ(on.Caption, "Grid Lines");
  EXPECT_TRUE(on.Checked);
  EXPECT_TRUE(world.switches.GridLines);
  EXPECT_EQ(world.presents, presents);
  EXPECT_EQ(
      test::ComparePictures(before, world.view.ViewBuffer, 0, 0, before.Width(), before.Height()),
      "");
  EXPECT_FALSE(GridLines_Click(world.switches).Checked);
  EXPECT_FALSE(world.switches.GridLines);
}

TEST(BlueHex, MarksThePresentedPictureUntilTheNextPresent) {
  ViewWorld world;
  for (int16_t& tile : world.Document().HexTile) tile = 5;
  world.MakeView(3, 2, 2, 2);
  const Picture buffer = world.view.ViewBuffer;
  const int presents = world.presents;
  // Hex (3, 3) is odd: picture at (135, 150); on screen less ViewLeft * 45 and
  // ViewTop * 50: (45, 50). The blue picture is at (19..40, 13..40), plain
  // blue in every third column from 21 on.
  BlueHex(world.editor.Geometry, world.resources, world.view, 3, 3);
  EXPECT_EQ(world.presents, presents + 1);
  EXPECT_EQ(world.view.ViewScreen.PixelAt(45 + 21, 50 + 14), test::kBlueColour);
  EXPECT_EQ(world.view.ViewScreen.PixelAt(45 + 18, 50 + 12), 0x000000u);  // mask margin
  EXPECT_EQ(
      test::ComparePictures(buffer, world.view.ViewBuffer, 0, 0, buffer.Width(), buffer.Height()),
      "");
  BlitPic1(world.editor.Geometry, world.view);
  EXPECT_EQ(world.view.ViewScreen.PixelAt(45 + 21, 50 + 14), TileColour(5, 21, 14));
}

TEST(LoadGraphics, OverlaysFromTheGameFolderAndFlagFallbacks) {
  TempFolder folder;
  auto save = [&](const std::string& relative, int w, int h, uint32_t colour) {
    Picture picture(w, h);
    picture.Fill(colour);
    std::filesystem::create_directories((folder / relative).parent_path());
    ASSERT_TRUE(picture.SaveBmp(folder / relative));
  };
  save("bmp/BlackHex.BMP", 60, 50, 0x010203);
  save("bmp/hexm.bmp", 60, 50, 0x111111);
  save("bmp/hexp.bmp", 60, 50, 0x222222);
  save("bmp/fx2.bmp", 540, 50, 0x333333);
  save("bmp/fx2m.bmp", 540, 50, 0x444444);
  save("bmp/roads.bmp", 360, 50, 0x555555);
  save("bmp/roadsm.bmp", 360, 50, 0x666666);
  save("bmp/rr.bmp", 360, 50, 0x777777);
  // bmp/rrm.bmp is missing.
  save("flags/ALPHA.BMP", 30, 20, 0xaa0000);  // larger than the cell: its top-left part
  save("flags/alpha02.bmp", 20, 13, 0xab0000);
  save("flags/alpha03.bmp", 5, 5, 0xac0000);  // smaller: the rest stays black
  save("flags/blank.bmp", 21, 14, 0x00bb00);
  save("flags/blank02.bmp", 20, 13, 0x00bc00);
  // No flags/blank03.bmp, and no flags for Beta or for a name leaving flags/.
  save("flags/gamma03.bmp", 9, 9, 0x0000cc);
  save("evil03.bmp", 9, 9, 0xeeeeee);

  HexDrawingResources r;
  LoadGraphics(r, folder.Game(), {"", "Alpha", "Beta", "Gamma", "../evil"});
  EXPECT_EQ(r.BlackHex.Width(), 60);
  EXPECT_EQ(r.BlackHex.PixelAt(5, 5), 0x010203u);
  EXPECT_EQ(r.HexOutlineMask.PixelAt(0, 0), 0x111111u);
  EXPECT_EQ(r.HexOutlinePicture.PixelAt(0, 0), 0x222222u);
  EXPECT_EQ(r.EffectPicture.Width(), 540);
  EXPECT_EQ(r.EffectMask.PixelAt(0, 0), 0x444444u);
  EXPECT_EQ(r.RoadPicture.PixelAt(0, 0), 0x555555u);
  EXPECT_EQ(r.RoadMask.PixelAt(0, 0), 0x666666u);
  EXPECT_EQ(r.RailPicture.PixelAt(0, 0), 0x777777u);
  EXPECT_TRUE(r.RailMask.IsNull());

  struct Cell {
    const Picture* strip;
    int cellWidth, cellHeight, nation, a, b;
    uint32_t colour;
  };
  const Cell cells[] = {
      {&r.LargeFlags, 21, 14, 0, 5, 5, 0x000000},  // cell 0 stays black
      {&r.LargeFlags, 21, 14, 1, 20, 13, 0xaa0000},
      {&r.LargeFlags, 21, 14, 2, 0, 0, 0x00bb00},  // blank
      {&r.LargeFlags, 21, 14, 3, 7, 7, 0x00bb00},
      {&r.LargeFlags, 21, 14, 4, 7, 7, 0x00bb00},  // name leaving flags/: blank
      {&r.MediumFlags, 20, 13, 1, 19, 12, 0xab0000},
      {&r.MediumFlags, 20, 13, 2, 19, 12, 0x00bc00},
      {&r.SmallFlags, 9, 9, 1, 4, 4, 0xac0000},
      {&r.SmallFlags, 9, 9, 1, 5, 5, 0x000000},  // beyond the small file
      {&r.SmallFlags, 9, 9, 2, 4, 4, 0x000000},  // neither file: black
      {&r.SmallFlags, 9, 9, 3, 8, 8, 0x0000cc},
      {&r.SmallFlags, 9, 9, 4, 4, 4, 0x000000},
  };
  for (const Cell& c : cells) {
    EXPECT_EQ(c.strip->Width(), 5 * c.cellWidth);
    EXPECT_EQ(c.strip->Height(), c.cellHeight);
    EXPECT_EQ(c.strip->PixelAt(c.nation * c.cellWidth + c.a, c.b), c.colour)
        << "cell " << c.nation << " of the " << c.cellWidth << "-pixel strip";
  }

  // A new nation set rebuilds the strips alone.
  BuildFlagStrips(r, folder.Game(), {"", "Gamma"});
  EXPECT_EQ(r.SmallFlags.Width(), 2 * 9);
  EXPECT_EQ(r.SmallFlags.PixelAt(9 + 1, 1), 0x0000ccu);
  EXPECT_EQ(r.LargeFlags.PixelAt(21 + 1, 1), 0x00bb00u);
  BuildFlagStrips(r, folder.Game(), {""});
  EXPECT_EQ(r.MediumFlags.Width(), 20);
}

TEST(LoadGraphics, MissingBitmapsDrawNothingAndSayNothing) {
  TempFolder folder;
  ViewWorld world;
  LoadGraphics(world.resources, folder.Game(), {"", "Alpha"});
  EXPECT_TRUE(world.resources.BlackHex.IsNull());
  EXPECT_TRUE(world.resources.EffectPicture.IsNull());
  EXPECT_EQ(world.resources.LargeFlags.Width(), 2 * 21);
  MapDocument& d = world.Document();
  for (int16_t& tile : d.HexTile) tile = 5;
  d.Owner(2, 2) = 1;
  d.Mark(2, 2) = kPrimaryObjective;
  d.Data(2, 2, 1) = kRailLink;
  world.switches.HighlightTile = 5;
  world.MakeView(3, 2);
  // Without the clearing mask the tiles are ORed over each other; with no
  // effect pictures there is no highlight, and the flag cell is black.
  EXPECT_EQ(world.view.ViewBuffer.PixelAt(kHexLeft + 30, kHexTop + 10), TileColour(5, 30, 10));
  EXPECT_EQ(world.view.ViewBuffer.PixelAt(kHexLeft + 25, kHexTop + 35), 0x000000u);
  EXPECT_TRUE(world.ui.events.empty());
}

}  // namespace
}  // namespace korv
