// The hex grid: neighbour steps and the geometry of a hex's picture. (The
// objective list and the original owners it restores: the map file tests.)
#include "document/hex_grid.h"
#include "document/map_document.h"

#include <gtest/gtest.h>

namespace korv {
namespace {

// Even columns sit half a hex lower than odd ones; a step off the map is
// not refused.
TEST(NeighbourStep, StepsByColumnParity) {
  // From (x, y) in direction d to (x, y).
  const int16_t cases[][5] = {{2, 0, 5, 2, -1}, {3, 4, 6, 4, 3}, {4, 4, 6, 5, 4}};
  for (const auto& c : cases) {
    int16_t x = c[0], y = c[1];
    NeighbourStep(x, y, c[2]);
    EXPECT_EQ(std::pair(x, y), std::pair(c[3], c[4])) << c[0] << "," << c[1] << " d=" << c[2];
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
      EXPECT_EQ(std::pair(nx, ny), std::pair(x, y)) << "column " << cx << " position " << i + 1;
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
  // Hex x, y and its picture's left, top.
  const int cases[][4] = {{0, 0, 0, 25}, {1, 0, 45, 0}, {2, 3, 90, 175}, {7, 2, 315, 100}};
  for (const auto& c : cases) {
    PixelPoint p = HexToPixel(standard, c[0], c[1]);
    EXPECT_EQ(std::pair(p.left, p.top), std::pair(c[2], c[3])) << c[0] << "," << c[1];
  }
}

}  // namespace
}  // namespace korv
