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

TEST(NeighbourStep, SteppingThereAndBackAcrossFacingSidesReturns) {
  for (int16_t x0 = 0; x0 < 4; ++x0) {
    for (int d = 1; d <= 6; ++d) {
      int16_t x = x0, y = 5;
      NeighbourStep(x, y, d);
      NeighbourStep(x, y, OppositeSide(d));
      EXPECT_EQ(x, x0);
      EXPECT_EQ(y, 5);
    }
  }
}

TEST(NeighbourStep, BothWalksGiveTheSameNeighbourOrder) {
  for (int16_t cx = 2; cx < 4; ++cx) {
    // Walk (a): start at the top neighbour and step d = 1..5.
    int16_t x = cx, y = 5;
    NeighbourStep(x, y, kSideTop);
    for (int i = 0; i < 6; ++i) {
      int16_t nx = cx, ny = 5;
      NeighbourStep(nx, ny, kNeighbourOrder[i]);  // walk (b)
      EXPECT_EQ(nx, x) << "column " << cx << " position " << i + 1;
      EXPECT_EQ(ny, y) << "column " << cx << " position " << i + 1;
      if (i < 5) NeighbourStep(x, y, i + 1);
    }
  }
}

TEST(OppositeSide, FacesAcross) {
  const int expected[7] = {0, 4, 5, 6, 1, 2, 3};
  for (int d = 1; d <= 6; ++d) EXPECT_EQ(OppositeSide(d), expected[d]);
}

TEST(HexGeometry, DerivedStepsAndPictureOrigins) {
  HexGeometry standard = HexGeometry::FromSizes(60, 50, 30);
  EXPECT_EQ(standard.HexSlant, 15);
  EXPECT_EQ(standard.ColumnStep, 45);
  EXPECT_EQ(standard.RowStep, 50);
  HexGeometry odd = HexGeometry::FromSizes(61, 40, 30);  // Int() of 15.5
  EXPECT_EQ(odd.HexSlant, 15);
  EXPECT_EQ(odd.ColumnStep, 45);
  HexGeometry narrow = HexGeometry::FromSizes(20, 40, 31);  // Int(-5.5) = -6
  EXPECT_EQ(narrow.HexSlant, -6);

  struct Case {
    int x, y, left, top;
  };
  const Case cases[] = {
      {0, 0, 0, 25}, {1, 0, 45, 0}, {1, 1, 45, 50}, {2, 3, 90, 175}, {7, 2, 315, 100}};
  for (const Case& c : cases) {
    PixelPoint p = HexToPixel(standard, c.x, c.y);
    EXPECT_EQ(p.left, c.left) << c.x << "," << c.y;
    EXPECT_EQ(p.top, c.top) << c.x << "," << c.y;
  }
}

}  // namespace
}  // namespace korv
