#include "document/map_document.h"

#include <gtest/gtest.h>

namespace korv {
namespace {

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
