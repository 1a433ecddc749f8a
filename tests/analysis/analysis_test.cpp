#include "analysis/land_masses.h"
#include "analysis/roads.h"
#include "document/hex_grid.h"
#include "platform/random.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/autotile_world.h"
#include "support/blank_map.h"

namespace korv {
namespace {

// The four passes, literally.
std::vector<int> LiteralLandMasses(const MapDocument& map) {
  const int w = map.MapWidth;
  const int h = map.MapHeight;
  std::vector<int> number(static_cast<size_t>((w + 1) * (h + 1)), 0);
  const auto at = [&](int x, int y) -> int& {
    return number[static_cast<size_t>(y * (w + 1) + x)];
  };
  const auto replace = [&](int from, int to, int lowest) {
    for (int x = lowest; x <= w; ++x)
      for (int y = lowest; y <= h; ++y)
        if (at(x, y) == from) at(x, y) = to;
  };
  const auto label = [&](bool water, int counter) {
    for (int x = 0; x <= w; ++x) {
      int current = 0;
      for (int y = 0; y <= h; ++y) {
        const bool isWater = map.Terrain(x, y) == 0;
        if (isWater != water) current = 0;
        if (isWater != water || at(x, y) != 0) continue;
        int found = 0;
        auto nx = static_cast<int16_t>(x);
        auto ny = static_cast<int16_t>(y - 1);
        for (int d = 1; d <= 6; ++d) {
          NeighbourStep(nx, ny, d);
          if (map.Contains(nx, ny) && (map.Terrain(nx, ny) == 0) == water && at(nx, ny) > 0) {
            found = at(nx, ny);
            break;
          }
        }
        if (found == 0) {
          current = ++counter;
        } else if (current == 0) {
          current = found;
        } else if (found < current) {
          replace(current, found, 0);
          current = found;
        } else if (found > current) {
          replace(found, current, 0);
        }
        at(x, y) = current;
      }
    }
  };
  const auto compact = [&](int next) {
    for (int x = 0; x <= w; ++x) {
      for (int y = 0; y <= h; ++y) {
        if (at(x, y) <= next) continue;
        const int old = at(x, y);
        ++next;
        replace(old, next, 1);
      }
    }
    return next;
  };
  label(false, 0);
  const int last = compact(1);
  label(true, last + 1);
  compact(last + 1);
  return number;
}

MapDocument MapOf(const std::vector<std::string>& rows) {
  // One string per row, one character per column: '.' water, '#' land.
  MapDocument map =
      test::BlankMap(static_cast<int>(rows[0].size()) - 1, static_cast<int>(rows.size()) - 1);
  for (int y = 0; y <= map.MapHeight; ++y)
    for (int x = 0; x <= map.MapWidth; ++x)
      map.Terrain(x, y) = rows[static_cast<size_t>(y)][static_cast<size_t>(x)] == '#' ? 1 : 0;
  return map;
}

// `narrowLabels` small makes the passes move the labels to their wide layer.
std::vector<int> Numbers(MapDocument map, size_t narrowLabels = 65536) {
  std::string error;
  EXPECT_TRUE(DetermineLandMasses(map, error, nullptr, narrowLabels)) << error;
  return std::vector<int>(map.HexLandMass.begin(), map.HexLandMass.end());
}

TEST(LandMasses, TheSameNumbersAsTheLiteralPassesOnRandomMaps) {
  SeededRandom random(2024);
  for (int round = 0; round < 300; ++round) {
    const int width = static_cast<int>(1 + random.Uniform() * 14);
    MapDocument map = test::BlankMap(width, static_cast<int>(1 + random.Uniform() * 14));
    // Land from sparse islands to a few lakes, column 0 and row 0 included.
    const double land = random.Uniform();
    for (int x = 0; x <= map.MapWidth; ++x)
      for (int y = 0; y <= map.MapHeight; ++y)
        map.Terrain(x, y) = random.Uniform() < land ? static_cast<uint8_t>(1 + round % 3) : 0;
    // What the layer held before does not matter.
    for (int16_t& old : map.HexLandMass) old = static_cast<int16_t>(random.NextBits());
    const std::vector<int> literal = LiteralLandMasses(map);
    ASSERT_EQ(Numbers(map, round % 2 ? 65536 : 1 + round % 5), literal)
        << "round " << round << ", " << map.MapWidth << " x " << map.MapHeight;
  }
}

// The literal passes' numbering pinned by hand: two islands 1 and 2, column
// by column, and the sea after a gap, 4. (Edge cases: the random maps above.)
TEST(LandMasses, TwoIslandsAndASeaByHand) {
  const MapDocument map = MapOf({".....", ".#...", "...#.", "....."});
  const std::vector<int> numbers = Numbers(map);
  EXPECT_EQ(numbers[map.Index(1, 1)], 1);
  EXPECT_EQ(numbers[map.Index(3, 2)], 2);
  EXPECT_EQ(numbers[map.Index(0, 0)], 4);
  EXPECT_EQ(numbers[map.Index(4, 3)], 4);
}

TEST(LandMasses, NumbersPastSixteenBitsAreRefusedAndTheLayerKept) {
  // `islands` single land hexes at even columns and rows, column by column,
  // in one sea: land 1..islands, the sea islands + 2. The layer holds 7s,
  // or numbers that change at every hex.
  const auto archipelago = [](int islands, bool varied) {
    MapDocument map = test::BlankMap(362, 362);
    for (int x = 0; x <= 362 && islands > 0; x += 2)
      for (int y = 0; y <= 362 && islands > 0; y += 2, --islands) map.Terrain(x, y) = 1;
    for (size_t i = 0; i < map.HexLandMass.size(); ++i) {
      map.HexLandMass[i] = static_cast<int16_t>(varied ? i % 1000 : 7);
    }
    return map;
  };
  std::string error;
  MapDocument fits = archipelago(32765, false);
  ASSERT_TRUE(DetermineLandMasses(fits, error)) << error;
  EXPECT_EQ(fits.LandMass(360, 8), 32765);
  EXPECT_EQ(fits.LandMass(1, 0), 32767);
  for (bool varied : {false, true}) {
    MapDocument tooMany = archipelago(32766, varied);
    const std::vector<int16_t> before = tooMany.HexLandMass;
    EXPECT_FALSE(DetermineLandMasses(tooMany, error));
    EXPECT_NE(error.find("32768"), std::string::npos) << error;
    EXPECT_EQ(tooMany.HexLandMass, before) << varied;
  }
}

TEST(VerifyHexData, RepairsAndCountsOutOfRangeValues) {
  MapDocument map = MapOf({"##", "##"});
  map.Tile(0, 0) = -5;
  map.Terrain(0, 0) = 16;  // one past the last terrain type, 15
  map.Mark(1, 1) = kPrimaryObjective;
  map.Tile(1, 0) = 31;
  EXPECT_EQ(VerifyHexData(map, 31, 15), 2);
  EXPECT_EQ(map.Tile(0, 0), 0);
  EXPECT_EQ(map.Terrain(0, 0), 0);
  EXPECT_EQ(map.Mark(1, 1), 0);  // repaired, not counted
  EXPECT_EQ(map.Tile(1, 0), 31);
  map.Mark(1, 1) = kPrimaryObjective;
  EXPECT_EQ(VerifyHexData(map, 31, 15), 0);
  EXPECT_EQ(map.Mark(1, 1), 0);
}

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
      {"an end in row 1 is no dead end", [](auto& w) { Road(w, 1, 4, 1); }, 0, -1,
       RoadProblem{4, 4, RoadProblem::kDeadEnd}},
      {"a road nobody owns", [](auto& w) { Road(w, 0, 8, 0); }, 0, -1,
       RoadProblem{4, 0, RoadProblem::kRoadWithoutOwner}},
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
