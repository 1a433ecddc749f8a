// The map document's basics: neighbour steps and hex geometry, the
// objective list and the original owners restored from it.
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

MapDocument Sized(int16_t width, int16_t height) {
  MapDocument document;
  document.MapWidth = width;
  document.MapHeight = height;
  AllocateMapLayers(document);
  return document;
}

TEST(RebuildObjectiveList, ListsOwnedObjectivesColumnByColumnAndClearsUnownedMarks) {
  MapDocument document = Sized(5, 5);
  struct Mark {
    int x, y;
    uint8_t owner, mark, original;
  };
  const Mark marks[] = {
      {3, 4, 2, kPrimaryObjective, 1}, {1, 5, 1, kSecondaryObjective, 0},
      {3, 1, 1, kOilResource, 2},      {2, 2, 0, kSecondaryObjective, 3},  // unowned: cleared
      {4, 0, 5, kNoObjective, 0},  // owned, no mark: not listed
  };
  for (const Mark& m : marks) {
    document.Owner(m.x, m.y) = m.owner;
    document.Mark(m.x, m.y) = m.mark;
    document.OriginalOwner(m.x, m.y) = m.original;
  }
  RebuildObjectiveList(document);
  ASSERT_EQ(document.ObjectiveCount, 3);
  ASSERT_EQ(document.Objectives.size(), 24u);
  const int16_t expected[4][6] = {
      {0, 0, 0, 0, 0, 0}, {1, 5, 1, 0, 0, 3}, {3, 1, 1, 0, 2, 3}, {3, 4, 2, 0, 1, 3}};
  for (int i = 0; i <= 3; ++i) {
    for (int f = 0; f < 6; ++f)
      EXPECT_EQ(document.Objective(i, f), expected[i][f]) << i << "," << f;
  }
  EXPECT_EQ(document.Mark(2, 2), 0);

  // A map without objectives keeps the empty record 0.
  document = Sized(0, 0);
  RebuildObjectiveList(document);
  EXPECT_EQ(document.ObjectiveCount, 0);
  EXPECT_EQ(document.Objectives, std::vector<int16_t>(6, 0));
}

TEST(RestoreOriginalOwners, RefillsFromTheListOnly) {
  MapDocument document = Sized(4, 4);
  document.OriginalOwner(1, 1) = 9;  // not in the list: cleared
  document.ResetObjectives(2);
  document.Objective(1, kObjectiveX) = 2;
  document.Objective(1, kObjectiveY) = 3;
  document.Objective(1, kObjectiveOriginalOwner) = 0x0104;  // stored as a byte: 4
  document.Objective(2, kObjectiveX) = 40;                  // off the map: ignored
  document.Objective(2, kObjectiveY) = 1;
  document.Objective(2, kObjectiveOriginalOwner) = 6;
  RestoreOriginalOwners(document);
  EXPECT_EQ(document.OriginalOwner(2, 3), 4);
  int nonZero = 0;
  for (uint8_t value : document.HexOriginalOwner) nonZero += value != 0;
  EXPECT_EQ(nonZero, 1);
}

}  // namespace
}  // namespace korv
