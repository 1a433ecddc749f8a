// The sample map, read back from its file: its layout, terrain and road
// bytes that agree with its tiles, two-sided links, the massif the mountain
// command builds, and the control of two nations.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "demo_folder.h"
#include "document/hex_grid.h"
#include "platform/bytes.h"

namespace korv::demo::test {
namespace {

// The map file read by its documented offsets, independent of the editor's loader.
struct StoredMap {
  int16_t version = 0, width = 0, height = 0;
  std::vector<uint8_t> data;  // 7 planes
  std::vector<int16_t> tiles;
  std::vector<uint8_t> control;  // 2 planes
  std::vector<int16_t> deployment, landMass;
  int16_t objectiveCount = 0;
  std::vector<int16_t> objectives;  // 6 planes of count + 1
  std::string nationSet;
  size_t trailing = 0;

  size_t Hexes() const { return static_cast<size_t>((width + 1) * (height + 1)); }
  size_t At(int x, int y, int k = 0) const {
    return static_cast<size_t>(k) * Hexes() + static_cast<size_t>(y * (width + 1) + x);
  }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x <= width && y <= height; }
};

StoredMap ReadSampleMap() {
  const std::vector<uint8_t> bytes = ReadDemoFile("maps/sample.map");
  ByteCursor in(bytes);
  StoredMap map;
  EXPECT_EQ(in.ReadString(8), "Version ");
  map.version = in.ReadI16();
  map.width = in.ReadI16();
  map.height = in.ReadI16();
  const size_t hexes = map.Hexes();
  map.data.resize(7 * hexes);
  in.ReadBytes(map.data);
  map.tiles.resize(hexes);
  in.ReadI16Block(map.tiles);
  map.control.resize(2 * hexes);
  in.ReadBytes(map.control);
  map.deployment.resize(hexes);
  in.ReadI16Block(map.deployment);
  map.landMass.resize(hexes);
  in.ReadI16Block(map.landMass);
  map.objectiveCount = in.ReadI16();
  map.objectives.resize(6 * static_cast<size_t>(map.objectiveCount + 1));
  in.ReadI16Block(map.objectives);
  const int16_t length = in.ReadI16();
  map.nationSet = in.ReadString(static_cast<size_t>(length));
  map.trailing = in.Remaining();
  return map;
}

bool Settlement(uint8_t terrain) {
  return terrain == 5 || terrain == 6 || terrain == 14;
}

TEST(SampleMap, LayoutAndSize) {
  const StoredMap map = ReadSampleMap();
  EXPECT_EQ(map.version, 569);
  EXPECT_EQ(map.width, 40);
  EXPECT_EQ(map.height, 30);
  EXPECT_EQ(map.nationSet, "default");
  EXPECT_EQ(map.trailing, 0u);
  EXPECT_EQ(ReadDemoFile("maps/sample.map").size(),
            14 + 15 * map.Hexes() + 2 + 12 * static_cast<size_t>(map.objectiveCount + 1) + 2 + 7);
}

TEST(SampleMap, ControlFileIsTheControlLayer) {
  const StoredMap map = ReadSampleMap();
  EXPECT_EQ(ReadDemoFile("maps/sample.ctl"), map.control);
}

TEST(SampleMap, TerrainIsTheTerrainOfEachTile) {
  const StoredMap map = ReadSampleMap();
  const std::vector<uint8_t> tileType = ReadDemoFile("mapedit/tiletype.dat");
  for (int y = 0; y <= map.height; ++y) {
    for (int x = 0; x <= map.width; ++x) {
      const int16_t tile = map.tiles[map.At(x, y)];
      ASSERT_GE(tile, 0) << x << "," << y;
      ASSERT_LT(static_cast<size_t>(tile), tileType.size()) << x << "," << y;
      EXPECT_EQ(map.data[map.At(x, y)], tileType[static_cast<size_t>(tile)]) << x << "," << y;
    }
  }
}

TEST(SampleMap, RoadBytesMatchTheTilesAndBothEndsOfEveryLink) {
  const StoredMap map = ReadSampleMap();
  const std::vector<uint8_t> roadInfo = ReadDemoFile("mapedit/roadinfo.dat");
  constexpr int kByteOfSide[7] = {-1, 2, 3, 4, 5, 0, 1};  // roadinfo byte of side d
  int roadLinks = 0, railLinks = 0;
  for (int y = 0; y <= map.height; ++y) {
    for (int x = 0; x <= map.width; ++x) {
      const uint8_t terrain = map.data[map.At(x, y)];
      const auto tile = static_cast<size_t>(map.tiles[map.At(x, y)]);
      const TileEntry& entry = Catalogue().Tiles[tile];
      for (int d = 1; d <= 6; ++d) {
        const uint8_t link = map.data[map.At(x, y, d)];
        ASSERT_LE(link, 2) << x << "," << y;
        const bool tileRoad = roadInfo[tile * 6 + static_cast<size_t>(kByteOfSide[d])] != 0;
        if (Settlement(terrain)) {
          // Settlements open every side; only the linked ones are kept.
        } else {
          EXPECT_EQ(link != 0, tileRoad) << x << "," << y << " side " << d;
          if (link == 2) {
            EXPECT_TRUE(HasSide(entry.RailSides, d)) << x << "," << y;
          }
          if (link == 1) {
            EXPECT_TRUE(HasSide(entry.RoadSides, d)) << x << "," << y;
          }
        }
        if (link == 0) continue;
        (link == 1 ? roadLinks : railLinks)++;
        int16_t nx = static_cast<int16_t>(x), ny = static_cast<int16_t>(y);
        NeighbourStep(nx, ny, d);
        ASSERT_TRUE(map.Inside(nx, ny)) << x << "," << y << " links off the map";
        EXPECT_EQ(map.data[map.At(nx, ny, OppositeSide(d))], link)
            << x << "," << y << " side " << d << " is one-sided";
      }
    }
  }
  EXPECT_GT(roadLinks, 100);
  EXPECT_GT(railLinks, 10);
}

TEST(SampleMap, ShowsWhatTheTilesCanDo) {
  const StoredMap map = ReadSampleMap();
  std::map<TileArt, int> arts;
  for (int16_t tile : map.tiles) ++arts[Catalogue().Tiles[static_cast<size_t>(tile)].Art];
  const struct {
    TileArt art;
    int atLeast;
  } kExpected[] = {{TileArt::kOpenSea, 50}, {TileArt::kCoast, 20},  {TileArt::kRiver, 10},
                   {TileArt::kBridge, 2},   {TileArt::kForest, 20}, {TileArt::kMassif, 10},
                   {TileArt::kMountain, 5}, {TileArt::kHills, 5},   {TileArt::kTown, 5},
                   {TileArt::kPort, 1},     {TileArt::kRoad, 40},   {TileArt::kRail, 5},
                   {TileArt::kLake, 3},     {TileArt::kStream, 2},  {TileArt::kFarmland, 5},
                   {TileArt::kSwamp, 3},    {TileArt::kDesert, 5},  {TileArt::kClear, 100}};
  for (const auto& expected : kExpected)
    EXPECT_GE(arts[expected.art], expected.atLeast) << static_cast<int>(expected.art);
}

TEST(SampleMap, MassifStandsAsTheMountainCommandLaysItOut) {
  // Centre 86 with its neighbours, then centre 94 with its own, by direction 1..6.
  const struct {
    int16_t centre;
    int16_t around[6];
  } kPasses[] = {{86, {104, 115, 90, 75, 76, 94}}, {94, {192, 104, 86, 76, 78, 105}}};
  const StoredMap map = ReadSampleMap();
  for (const auto& pass : kPasses) {
    int centres = 0;
    for (int y = 0; y <= map.height; ++y) {
      for (int x = 0; x <= map.width; ++x) {
        if (map.tiles[map.At(x, y)] != pass.centre) continue;
        ++centres;
        for (int d = 1; d <= 6; ++d) {
          int16_t nx = static_cast<int16_t>(x), ny = static_cast<int16_t>(y);
          NeighbourStep(nx, ny, d);
          ASSERT_TRUE(map.Inside(nx, ny));
          EXPECT_EQ(map.tiles[map.At(nx, ny)], pass.around[d - 1])
              << "around " << pass.centre << " in direction " << d;
        }
      }
    }
    EXPECT_EQ(centres, 1) << pass.centre;
  }
}

TEST(SampleMap, TwoNationsHoldRoadsTownsAndObjectives) {
  const StoredMap map = ReadSampleMap();
  const std::vector<uint8_t> roadInfo = ReadDemoFile("mapedit/roadinfo.dat");
  std::set<int> owners, deployers;
  std::map<int, int> marks;
  for (int y = 0; y <= map.height; ++y) {
    for (int x = 0; x <= map.width; ++x) {
      const uint8_t owner = map.control[map.At(x, y)];
      const uint8_t mark = map.control[map.At(x, y, 1)];
      const auto tile = static_cast<size_t>(map.tiles[map.At(x, y)]);
      bool road = Settlement(map.data[map.At(x, y)]);
      for (size_t i = 0; i < 6; ++i) road = road || roadInfo[tile * 6 + i] != 0;
      // Control lies on road hexes and settlements only, as the road tools expect.
      EXPECT_EQ(owner != 0, road) << x << "," << y;
      if (owner) owners.insert(owner);
      if (mark) {
        EXPECT_NE(owner, 0) << "objective without an owner at " << x << "," << y;
        ++marks[mark];
      }
      if (map.deployment[map.At(x, y)]) deployers.insert(map.deployment[map.At(x, y)]);
    }
  }
  EXPECT_EQ(owners, (std::set<int>{1, 2}));
  EXPECT_EQ(deployers, (std::set<int>{1, 2}));
  EXPECT_GE(marks[1], 2);
  EXPECT_GE(marks[2], 2);
  EXPECT_GE(marks[3], 1);
  EXPECT_EQ(marks.size(), 3u);
  // The stored objective list names the same hexes, column by column.
  ASSERT_EQ(map.objectiveCount, marks[1] + marks[2] + marks[3]);
  const size_t records = static_cast<size_t>(map.objectiveCount + 1);
  int previous = -1;
  for (size_t i = 1; i < records; ++i) {
    const int x = map.objectives[0 * records + i], y = map.objectives[1 * records + i];
    ASSERT_TRUE(map.Inside(x, y));
    EXPECT_NE(map.control[map.At(x, y, 1)], 0);
    EXPECT_EQ(map.objectives[2 * records + i], map.control[map.At(x, y)]);
    EXPECT_EQ(map.objectives[4 * records + i], map.control[map.At(x, y)]);  // original owner
    EXPECT_EQ(map.objectives[5 * records + i], 3);
    EXPECT_GT(x * 100 + y, previous);
    previous = x * 100 + y;
  }
}

TEST(SampleMap, CoastTilesFitTheirNeighbours) {
  // A sea hex's tile shows water toward exactly the neighbours that are sea
  // or port (or lie beyond the edge of the map, where the sea goes on).
  const StoredMap map = ReadSampleMap();
  int coasts = 0;
  for (int y = 0; y <= map.height; ++y) {
    for (int x = 0; x <= map.width; ++x) {
      const TileEntry& entry = Catalogue().Tiles[static_cast<size_t>(map.tiles[map.At(x, y)])];
      if (entry.Art != TileArt::kCoast && entry.Art != TileArt::kOpenSea &&
          entry.Art != TileArt::kPort)
        continue;
      ++coasts;
      for (int d = 1; d <= 6; ++d) {
        int16_t nx = static_cast<int16_t>(x), ny = static_cast<int16_t>(y);
        NeighbourStep(nx, ny, d);
        const bool water =
            !map.Inside(nx, ny) || map.data[map.At(nx, ny)] == 0 || map.data[map.At(nx, ny)] == 14;
        EXPECT_EQ(HasSide(entry.WaterSides, d), water) << x << "," << y << " side " << d;
      }
    }
  }
  EXPECT_GT(coasts, 100);
}

}  // namespace
}  // namespace korv::demo::test
