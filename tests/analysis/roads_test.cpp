// The road tools: exits from tiles with one-sided ones trimmed (the map's
// edges included), counting road hexes, the search for road and control
// problems, and giving road hexes to a nation.
#include "analysis/roads.h"

#include <gtest/gtest.h>

#include "support/autotile_world.h"

namespace korv {
namespace {

// A road of tile 15 (exits top and bottom) down column 4 from row `top` to
// row `bottom`, owned by `owner`.
void Road(test::AutoTileWorld& world, int top, int bottom, uint8_t owner) {
  for (int y = top; y <= bottom; ++y) {
    world.Put(4, y, 15);
    world.Map().Owner(4, y) = owner;
  }
}

TEST(RoadTools, FillInTrimsExitsThatLeadNowhereButNotOffTheMap) {
  test::AutoTileWorld world;
  MapDocument& map = world.Map();
  EXPECT_EQ(RoadHexCountMessage(CountRoadHexes(map, world.editor.Tiles)), " 0 road hexes on map.");
  Road(world, 0, 3, 0);
  map.Terrain(6, 6) = 5;  // a town opens every side, whatever its tile
  FillInPossibleRoadConnections(map, world.editor.Tiles);
  EXPECT_EQ(map.Data(4, 0, kSideTop), kRoadLink);  // toward row -1, off the map: kept
  EXPECT_EQ(map.Data(4, 0, kSideBottom), kRoadLink);
  EXPECT_EQ(map.Data(4, 3, kSideTop), kRoadLink);
  EXPECT_EQ(map.Data(4, 3, kSideBottom), kNoLink);  // (4, 4) has no road back
  for (int d = 1; d <= 6; ++d)
    EXPECT_EQ(map.Data(6, 6, d), kNoLink) << d;  // its neighbours have none
  EXPECT_EQ(RoadHexCountMessage(CountRoadHexes(map, world.editor.Tiles)), " 4 road hexes on map.");
}

TEST(RoadTools, ProblemsFromTheFirstColumnOn) {
  struct Case {
    const char* what;
    std::function<void(test::AutoTileWorld&)> map;
    int firstColumn;
    int afterRow;
    std::optional<RoadProblem> problem;
  };
  const Case cases[] = {
      {"an owned road with two ends", [](auto& w) { Road(w, 2, 5, 1); }, 0, -1,
       RoadProblem{4, 2, RoadProblem::kDeadEnd}},
      {"going on after the first end", [](auto& w) { Road(w, 2, 5, 1); }, 4, 2,
       RoadProblem{4, 5, RoadProblem::kDeadEnd}},
      {"an end in row 1 is no dead end", [](auto& w) { Road(w, 1, 4, 1); }, 0, -1,
       RoadProblem{4, 4, RoadProblem::kDeadEnd}},
      {"a road nobody owns", [](auto& w) { Road(w, 0, 8, 0); }, 0, -1,
       RoadProblem{4, 0, RoadProblem::kRoadWithoutOwner}},
      {"an owned hex off the roads",
       [](auto& w) {
         Road(w, 0, 8, 2);
         w.Map().Owner(6, 3) = 2;
       },
       0, -1, RoadProblem{6, 3, RoadProblem::kOwnedOffTheRoads}},
      {"problems left of the first column are not seen",
       [](auto& w) {
         Road(w, 0, 8, 2);
         w.Map().Owner(2, 3) = 2;
       },
       3, -1, std::nullopt},
  };
  for (const Case& c : cases) {
    test::AutoTileWorld world;
    c.map(world);
    const auto found = FindRoadProblem(world.Map(), world.editor.Tiles, c.firstColumn, c.afterRow);
    ASSERT_EQ(found.has_value(), c.problem.has_value()) << c.what;
    if (!found) continue;
    EXPECT_EQ(found->x, c.problem->x) << c.what;
    EXPECT_EQ(found->y, c.problem->y) << c.what;
    EXPECT_EQ(found->kind, c.problem->kind) << c.what;
  }
}

TEST(RoadTools, SetRoadsOnlyOnTheArea) {
  test::AutoTileWorld world;
  Road(world, 0, 8, 0);
  SetRoadsOnly(world.Map(), world.editor.Tiles, {3, 5, 2, 4}, 3);
  for (int y = 0; y <= 8; ++y) EXPECT_EQ(world.Map().Owner(4, y), y >= 2 && y <= 4 ? 3 : 0) << y;
  EXPECT_EQ(world.Map().Owner(3, 3), 0);  // no road
}

}  // namespace
}  // namespace korv
