#include "document/hex_grid.h"

#include <gtest/gtest.h>

namespace korv {
namespace {

TEST(NeighbourStep, StepsByColumnParity) {
  struct Case {
    int16_t x, y;
    int d;
    int16_t toX, toY;
  };
  const Case cases[] = {
      // even column (lower)       odd column (upper)
      {4, 4, 1, 5, 5},  {3, 4, 1, 4, 4}, {4, 4, 2, 4, 5},  {3, 4, 2, 3, 5},  {4, 4, 3, 3, 5},
      {3, 4, 3, 2, 4},  {4, 4, 4, 3, 4}, {3, 4, 4, 2, 3},  {4, 4, 5, 4, 3},  {3, 4, 5, 3, 3},
      {4, 4, 6, 5, 4},  {3, 4, 6, 4, 3}, {2, 0, 5, 2, -1},  // off the map: no range check
      {0, 0, 4, -1, 0}, {4, 4, 0, 4, 4}, {4, 4, 7, 4, 4},  {4, 4, -1, 4, 4},  // not a direction
  };
  for (const Case& c : cases) {
    int16_t x = c.x, y = c.y;
    NeighbourStep(x, y, c.d);
    EXPECT_EQ(x, c.toX) << "from " << c.x << "," << c.y << " d=" << c.d;
    EXPECT_EQ(y, c.toY) << "from " << c.x << "," << c.y << " d=" << c.d;
  }
}

// Walking round a hex from its top neighbour (d = 1..5) meets the neighbours
// in kNeighbourOrder, and each step comes back across the opposite side.
TEST(NeighbourStep, TheWalkRoundAHexAndTheWayBackAgree) {
  for (int16_t cx = 2; cx < 4; ++cx) {
    int16_t x = cx, y = 5;
    NeighbourStep(x, y, kSideTop);
    for (int i = 0; i < 6; ++i) {
      int16_t nx = cx, ny = 5;
      NeighbourStep(nx, ny, kNeighbourOrder[i]);
      EXPECT_EQ(nx, x) << "column " << cx << " position " << i + 1;
      EXPECT_EQ(ny, y) << "column " << cx << " position " << i + 1;
      if (i < 5) NeighbourStep(x, y, i + 1);
    }
    for (int d = 1; d <= 6; ++d) {
      x = cx;
      y = 5;
      NeighbourStep(x, y, d);
      NeighbourStep(x, y, OppositeSide(d));
      EXPECT_TRUE(x == cx && y == 5) << "column " << cx << " side " << d;
    }
  }
}

TEST(HexGeometry, DerivedStepsAndPictureOrigins) {
  HexGeometry standard = HexGeometry::FromSizes(60, 50, 30);
  EXPECT_EQ(standard.HexSlant, 15);
  EXPECT_EQ(standard.ColumnStep, 45);
  EXPECT_EQ(standard.RowStep, 50);
  EXPECT_EQ(HexGeometry::FromSizes(61, 40, 30).HexSlant, 15);  // Int() of 15.5
  EXPECT_EQ(HexGeometry::FromSizes(20, 40, 31).HexSlant, -6);  // Int(-5.5) = -6
  struct Case {
    int x, y, left, top;
  };
  const Case cases[] = {{0, 0, 0, 25}, {1, 0, 45, 0}, {2, 3, 90, 175}, {7, 2, 315, 100}};
  for (const Case& c : cases) {
    PixelPoint p = HexToPixel(standard, c.x, c.y);
    EXPECT_EQ(p.left, c.left) << c.x << "," << c.y;
    EXPECT_EQ(p.top, c.top) << c.x << "," << c.y;
  }
}

}  // namespace
}  // namespace korv
