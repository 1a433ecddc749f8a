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

TEST(MapDocument, ElementOrderPutsXFastestThenYThenPlane) {
  MapDocument document = Sized(3, 2);  // 4 x 3 hexes
  EXPECT_EQ(document.HexCount(), 12u);
  EXPECT_EQ(document.Index(0, 0, 0), 0u);
  EXPECT_EQ(document.Index(1, 0, 0), 1u);
  EXPECT_EQ(document.Index(0, 1, 0), 4u);
  EXPECT_EQ(document.Index(2, 1, 3), 3u * 12 + 4 + 2);
  EXPECT_EQ(document.HexData.size(), 84u);
  EXPECT_EQ(document.HexControl.size(), 24u);
  document.Data(2, 1, 3) = 7;
  EXPECT_EQ(document.HexData[42], 7);
}

TEST(RebuildObjectiveList, ListsOwnedObjectivesColumnByColumn) {
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
  // Field-major storage: all x first, then all y.
  EXPECT_EQ(document.Objectives[1], 1);
  EXPECT_EQ(document.Objectives[4 + 1], 5);
  EXPECT_EQ(document.Mark(2, 2), 0);
}

TEST(RebuildObjectiveList, OneHexMapAndEmptyMap) {
  MapDocument document = Sized(0, 0);
  EXPECT_EQ(document.HexCount(), 1u);
  RebuildObjectiveList(document);
  EXPECT_EQ(document.ObjectiveCount, 0);
  EXPECT_EQ(document.Objectives, std::vector<int16_t>(6, 0));
  document.Owner(0, 0) = 1;
  document.Mark(0, 0) = kPrimaryObjective;
  RebuildObjectiveList(document);
  EXPECT_EQ(document.ObjectiveCount, 1);
  EXPECT_EQ(document.Objective(1, kObjectiveKind), 3);
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
  EXPECT_EQ(document.OriginalOwner(1, 1), 0);
  int nonZero = 0;
  for (uint8_t value : document.HexOriginalOwner) nonZero += value != 0;
  EXPECT_EQ(nonZero, 1);
}

TEST(BuildHexPixelTable, HoldsEveryHexsPictureOrigin) {
  MapDocument document = Sized(3, 2);
  BuildHexPixelTable(document, HexGeometry::FromSizes(60, 50, 30));
  EXPECT_EQ(document.HexPixelPos.size(), 24u);
  EXPECT_EQ(document.PixelPos(2, 1).left, 90);
  EXPECT_EQ(document.PixelPos(2, 1).top, 75);
  EXPECT_EQ(document.PixelPos(3, 2).top, 100);
}

TEST(CheckMapSize, RefusesNegativeAndAbsurdSizes) {
  EXPECT_EQ(CheckMapSize(0, 0), "");
  EXPECT_EQ(CheckMapSize(kMaxMapIndex, kMaxMapIndex), "");
  EXPECT_EQ(CheckMapSize(-1, 5), "the width -1 is negative");
  EXPECT_NE(CheckMapSize(5, kMaxMapIndex + 1).find("height"), std::string::npos);
}

}  // namespace
}  // namespace korv
