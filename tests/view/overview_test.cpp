#include "view/overview.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "support/editor_fixture.h"
#include "view/viewport.h"

namespace korv {
namespace {

// 60 x 50 hexes (steps 45 and 50) whose shape holds the pixels nearer its
// middle than any neighbour's, so the shapes cover the plane once, slanted
// edges included. Tile t is one colour inside the shape; an overlay cell
// shows an 8 x 8 box at (10, 20) of the cell.
bool InsideHex(int u, int v) {
  const auto distance = [&](int dx, int dy) {
    const double x = u + 0.5 - (30 + dx), y = v + 0.5 - (25 + dy);
    return x * x + y * y;
  };
  const double own = distance(0, 0);
  for (const auto& [dx, dy] :
       {std::pair{0, 50}, {0, -50}, {45, 25}, {45, -25}, {-45, 25}, {-45, -25}}) {
    if (distance(dx, dy) < own || (distance(dx, dy) == own && (dx > 0 || (dx == 0 && dy > 0)))) {
      return false;
    }
  }
  return true;
}

struct OverviewWorld : test::SessionOnMiniGame {
  OverviewWorld() : SessionOnMiniGame(test::DefaultMiniGame(), 5, 3, 2) {
    Editor& e = session.editor;
    HexDrawingResources& r = session.resources;
    r.BlackHex = Picture(60, 50);
    e.TileSheet = Picture(16 * 60, 2 * 50);
    for (int v = 0; v < 50; ++v) {
      for (int u = 0; u < 60; ++u) {
        if (!InsideHex(u, v)) {
          r.BlackHex.SetPixel(u, v, 0xffffff);
          continue;
        }
        for (int t = 0; t < 32; ++t) {
          e.TileSheet.SetPixel(t % 16 * 60 + u, t / 16 * 50 + v, 0x103000u + 0x50507u * t);
        }
      }
    }
    const auto overlay = [](Picture& mask, Picture& picture, int cells, uint32_t colour) {
      mask = Picture(cells * 60, 50);
      mask.Fill(0xffffff);
      picture = Picture(cells * 60, 50);
      for (int c = 0; c < cells; ++c) {
        mask.FillRect({c * 60 + 10, 20, 8, 8}, 0);
        picture.FillRect({c * 60 + 10, 20, 8, 8}, colour + static_cast<uint32_t>(c));
      }
    };
    overlay(r.RailMask, r.RailPicture, 6, 0xe000);
    overlay(r.EffectMask, r.EffectPicture, 8, 0xf0);  // the highlight at pixel 420 is cell 7
    ready = test::ReplaceWithNewMap(session, 30, 24);
    std::mt19937 rng(9);
    for (int16_t& tile : Map().HexTile) tile = static_cast<int16_t>(rng() % 32);
    for (int i = 0; i < 60; ++i) {
      Map().Data(static_cast<int>(rng() % 31), static_cast<int>(rng() % 25),
                 1 + static_cast<int>(rng() % 6)) = kRailLink;
    }
    session.switches.SelectionLeft = 4;
    session.switches.SelectionRight = 7;
    session.switches.SelectionTop = 3;
    session.switches.SelectionBottom = 6;
    session.switches.HighlightTile = 9;
  }
  // The view of 20 x 16 hexes from column 2, row 3, drawn at `scale`.
  const Picture& Draw(double scale) {
    ViewState& v = session.view;
    v.ViewPixelWidth = 20 * 45;
    v.ViewPixelHeight = 16 * 50;
    v.ViewColumns = 19;
    v.ViewRows = 15;
    v.ViewLeft = 2;
    v.ViewTop = 3;
    v.DrawScale = scale;
    ready = ready && CreateViewBuffer(session.editor, session.resources, session.switches, v);
    return v.ViewScreen;
  }
  bool ready = false;
};

TEST(Overview, EveryShownPixelIsTheFullDrawingAtItsMiddle) {
  for (double scale : {0.25, 0.33, 0.5}) {  // zoom steps
    OverviewWorld world;
    const Picture full = world.Draw(1.0);
    const Picture shown = world.Draw(scale);
    ASSERT_TRUE(world.ready);
    ASSERT_EQ(shown.Width(), static_cast<int>(std::ceil(full.Width() * scale)));
    ASSERT_EQ(shown.Height(), static_cast<int>(std::ceil(full.Height() * scale)));
    int differing = 0;
    for (int j = 0; j < shown.Height(); ++j) {
      for (int i = 0; i < shown.Width(); ++i) {
        const auto u = static_cast<int>(std::floor((i + 0.5) / scale));
        const auto v = static_cast<int>(std::floor((j + 0.5) / scale));
        if (shown.PixelAt(i, j) != full.PixelAt(u, v) && differing++ == 0) {
          ADD_FAILURE() << "scale " << scale << ", pixel " << i << "," << j << ": " << std::hex
                        << shown.PixelAt(i, j) << " against " << full.PixelAt(u, v);
        }
      }
    }
    EXPECT_EQ(differing, 0) << "scale " << scale;
  }
}

// The cells scaled from their sums are the cells ScaleCell scales pixel by
// pixel, for random pictures and masks (reaching past their edges), zoom
// steps and fractions.
TEST(ScaleSummedCell, TheCellsOfScaleCell) {
  std::mt19937 rng(21);
  Picture picture(70, 60), mask(70, 60);
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 70; ++x) {
      picture.SetPixel(x, y, rng() & 0xffffff);
      mask.SetPixel(x, y, rng() % 4 == 0 ? 0xffffff : 0);
    }
  }
  std::uniform_real_distribution<double> fraction(0.0, 1.0);
  for (int round = 0; round < 60; ++round) {
    const int cx = static_cast<int>(rng() % 30), cy = static_cast<int>(rng() % 30);
    const int mx = static_cast<int>(rng() % 30);
    const CellSums sums = SumCell(picture, cx, cy, mask, mx, 5, 60, 50);
    for (double scale : {0.25, 0.33, 1.0 / 3, 0.5}) {
      const double fx = round == 0 ? 0 : fraction(rng), fy = fraction(rng);
      const ScaledCell literal = ScaleCell(picture, cx, cy, mask, mx, 5, 60, 50, scale, fx, fy);
      const ScaledCell summed = ScaleSummedCell(sums, scale, fx, fy);
      ASSERT_EQ(summed.width, literal.width);
      ASSERT_EQ(summed.height, literal.height);
      EXPECT_EQ(summed.covered, literal.covered) << round << " at " << scale;
      EXPECT_EQ(summed.pixels, literal.pixels) << round << " at " << scale;
    }
  }
}

TEST(Overview, AHexRedrawnAloneLeavesWhatAFullRedrawLeaves) {
  OverviewWorld world;
  world.Draw(0.25);
  ASSERT_TRUE(world.ready);
  MapEditor& s = world.session;
  const std::pair<int, int> edited[] = {{2, 3}, {5, 4}, {6, 4}, {12, 9}, {21, 18}};
  for (const auto& [x, y] : edited) {
    world.Map().Tile(x, y) = 9;
    world.Map().Data(x, y, 3) = kRailLink;
    RedrawHex(s.editor, s.resources, s.switches, s.view, x, y, nullptr);
  }
  const Picture alone = s.view.ViewScreen;
  RedrawBuffers(s.editor, s.resources, s.switches, s.view);
  EXPECT_TRUE(alone.Image() == s.view.ViewScreen.Image());
}

}  // namespace
}  // namespace korv
