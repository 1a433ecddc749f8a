// (The objective list and the original owners it restores: the map file tests.)
#include "document/hex_grid.h"
#include "document/map_document.h"

#include <gtest/gtest.h>

namespace korv {
namespace {

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

// The slant is Int() of half the width beyond the flat side: toward minus
// infinity. (The steps and picture origins of the usual 60 x 50 hexes: the
// view's geometry and drawing tests, by hand-worked pixels.)
TEST(HexGeometry, TheSlantRoundsDown) {
  EXPECT_EQ(HexGeometry::FromSizes(61, 40, 30).HexSlant, 15);  // 15.5
  EXPECT_EQ(HexGeometry::FromSizes(20, 40, 31).HexSlant, -6);  // -5.5
}

}  // namespace
}  // namespace korv
