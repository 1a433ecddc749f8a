// The choosers on prepared libraries and terrain lists, the re-tiling of
// NewTile and UpdateTiles, the mountain arrangement, the scattered woods,
// and the tile dialogs' save and load with their list rebuilds.
#include "autotile/choosers.h"

#include <gtest/gtest.h>

#include <set>

#include "autotile/pattern_library.h"
#include "autotile/redraw_commands.h"
#include "autotile/tile_knowledge.h"
#include "platform/random.h"
#include "support/autotile_world.h"

namespace korv {
namespace {

using test::AutoTileWorld;

// A random source that always gives the same number.
class FixedRandom : public RandomSource {
 public:
  explicit FixedRandom(double value) : value_(value) {}
  double Uniform() override { return value_; }

 private:
  double value_;
};

struct Chosen {
  AutoTileWorld& world;
  RandomSource& random;
  int Answer(void (*chooser)(const ChooserContext&, int, int, int&), int x, int y, int currentTile,
             int entry = -1) {
    int rethex = entry;
    chooser({world.Map(), world.editor.Tiles, world.editor.Folder, random,
             static_cast<int16_t>(currentTile)},
            x, y, rethex);
    return rethex;
  }
};

TEST(Choosers, LibraryLookupsAndTheirRules) {
  AutoTileWorld world;
  FixedRandom random(0.5);
  Chosen chosen{world, random};
  world.Put(4, 3, 15);  // a road above hex (4, 4)
  world.Put(2, 2, 2);   // a river above hex (2, 3)
  world.folder.WriteText("mapedit/roadpatterns/1-0-0-0-0-0.txt",
                         "15-0-0-0-0-0,17\r\n15-0-0-0-0-0,15\r\n-1\r\n");
  world.folder.WriteText("mapedit/riverpatterns/1-0-0-0-0-0.txt", "2-0-0-0-0-0,3\r\n-1\r\n");
  // Roads take the first record whose tile has the hex's own terrain.
  EXPECT_EQ(chosen.Answer(CheckRoads, 4, 4, 15), 15);
  // Rivers refuse a tile with a road, even the first match.
  EXPECT_EQ(chosen.Answer(CheckRivers, 2, 3, 2), -1);
  // Bridges fall back to the lowest water tile with a road; the missing
  // library file is made with a quoted end line.
  EXPECT_EQ(chosen.Answer(CheckBridges, 2, 3, 3), 3);
  EXPECT_EQ(world.folder.ReadText("mapedit/bridgepatterns/1-0-0-0-0-0.txt"), "\"-1\"\r\n");
  // A hex on water asks the bridges whatever is painted.
  world.Put(4, 4, 2);
  EXPECT_EQ(chosen.Answer(CheckRoads, 4, 4, 15), 3);
  // The tile library refuses a tile of another terrain.
  world.folder.WriteText("mapedit/tilep08/000000.txt", "0-0-0-0-0-0,4\r\n-1\r\n");
  EXPECT_EQ(chosen.Answer(TilePattern, 6, 6, 16), -1);
  world.folder.WriteText("mapedit/tilep08/000000.txt", "0-0-0-0-0-0,19\r\n-1\r\n");
  EXPECT_EQ(chosen.Answer(TilePattern, 6, 6, 16), 19);
}

TEST(Choosers, TerrainListPicks) {
  AutoTileWorld world;
  MapDocument& map = world.Map();
  // 23 bytes: four whole records and three bytes left over.
  world.folder.WriteText("mapedit/t08/000000.txt", "016\r\n017\r\n018\r\n019\r\n020");
  for (const auto& [u, tile] :
       std::vector<std::pair<double, int>>{{0.0, 16}, {0.3, 17}, {0.6, 18}, {0.99, 19}}) {
    FixedRandom random(u);
    EXPECT_EQ(Chosen(world, random).Answer(AutoDrawTile, 5, 5, 16), tile) << u;
  }
  FixedRandom random(0.0);
  Chosen chosen{world, random};
  // Sea in column 1: the neighbours in column 0 count as sea.
  world.folder.WriteText("mapedit/t00/000056.txt", "001\r\n");
  EXPECT_EQ(chosen.Answer(AutoDrawTile, 1, 3, 0), 1);
  // A forest hex there looks at column 0 for what it is.
  map.Terrain(0, 2) = 8;
  world.folder.WriteText("mapedit/t08/000006.txt", "021\r\n");
  EXPECT_EQ(chosen.Answer(AutoDrawTile, 1, 3, 16), 21);
  // No list: the entry value stays for sea, cities and ports.
  EXPECT_EQ(chosen.Answer(AutoDrawTile, 5, 5, 0, 7), 7);
  // A mountain list holding a forest tile is deleted and answers -1.
  world.folder.WriteText("mapedit/t03/000000.txt", "024\r\n016\r\n");
  FixedRandom last(0.9);
  EXPECT_EQ(Chosen(world, last).Answer(AutoDrawTile, 5, 5, 24), -1);
  EXPECT_FALSE(FileExists(world.folder / "mapedit/t03/000000.txt"));
}

TEST(NewTile, PlainTilesOfTheHexsOwnTerrain) {
  AutoTileWorld world;
  MapDocument& map = world.Map();
  SeededRandom random(3);
  int16_t current = 0;
  const RandomTileLists& lists = world.editor.RandomLists;
  // A clear hex with a road exit gets the first clear road tile.
  map.Terrain(2, 2) = 1;
  map.Data(2, 2, 3) = kRoadLink;
  NewTile(map, world.editor.Tiles, lists, random, current, 2, 2);
  EXPECT_EQ(map.Tile(2, 2), 15);
  // A roadless forest hex gets a random variant of the first forest tile.
  map.Terrain(3, 3) = 8;
  NewTile(map, world.editor.Tiles, lists, random, current, 3, 3);
  EXPECT_TRUE(map.Tile(3, 3) == 17 || map.Tile(3, 3) == 18) << map.Tile(3, 3);
  EXPECT_EQ(current, map.Tile(3, 3));
  // Sea ignores its exits, and tile 0 is never chosen: sea tile 1.
  map.Terrain(4, 4) = 0;
  map.Data(4, 4, 1) = kRoadLink;
  NewTile(map, world.editor.Tiles, lists, random, current, 4, 4);
  EXPECT_EQ(map.Tile(4, 4), 1);
  // UpdateTiles re-tiles only hexes whose tile does not fit their terrain.
  map.Tile(5, 5) = 99;
  map.Terrain(5, 5) = 3;
  const int16_t before = map.Tile(6, 6);
  UpdateTiles(map, world.editor.Tiles, lists, random, current);
  EXPECT_EQ(world.editor.Tiles.TerrainOf(map.Tile(5, 5)), 3);
  EXPECT_EQ(map.Tile(6, 6), before);
}

TEST(RedrawCommands, TheMountainArrangementInTwoPasses) {
  AutoTileWorld world;
  MapDocument& map = world.Map();
  for (int x = 0; x <= 8; ++x) {
    for (int y = 0; y <= 8; ++y) map.Terrain(x, y) = 3;
  }
  map.Tile(4, 4) = 86;
  AutoRedrawMountains(map, {0, 8, 0, 8});
  // From lower right clockwise around (4, 4), an even column.
  EXPECT_EQ(map.Tile(5, 5), 104);
  EXPECT_EQ(map.Tile(4, 5), 115);
  EXPECT_EQ(map.Tile(3, 5), 90);
  EXPECT_EQ(map.Tile(3, 4), 75);
  EXPECT_EQ(map.Tile(4, 3), 76);
  // The upper right neighbour (5, 4) became 94, the second pass's centre:
  // its lower left neighbour is (4, 4) again, given 86.
  EXPECT_EQ(map.Tile(4, 4), 86);
  EXPECT_EQ(map.Tile(6, 4), 192);
  EXPECT_EQ(map.Tile(6, 3), 105);
  // A centre on the edge skips the neighbours off the map.
  map.Tile(0, 0) = 86;
  AutoRedrawMountains(map, {0, 0, 0, 0});
  EXPECT_EQ(map.Tile(1, 1), 104);
  EXPECT_EQ(map.Tile(1, 0), 94);
}

TEST(RedrawCommands, ScatteredWoodsOnOpenLandOnly) {
  AutoTileWorld world;
  MapDocument& map = world.Map();
  world.Resize(20, 19);                               // 21 x 20 = 420 hexes
  for (int x = 0; x <= 20; ++x) world.Put(x, 0, 15);  // a road row is never touched
  world.folder.WriteText("mapedit/t08/000000.txt", "020\r\n");
  SeededRandom random(11);
  const RetileContext context{world.editor.Tiles, world.editor.RandomLists, world.editor.Folder,
                              random};
  int16_t current = 4;
  ScatteredWoods(map, context, current);
  int forests = 0;
  for (int x = 0; x <= 20; ++x) {
    EXPECT_EQ(map.Tile(x, 0), 15);
    for (int y = 1; y <= 19; ++y) {
      if (map.Tile(x, y) == 4) continue;
      EXPECT_EQ(map.Tile(x, y), 20);
      EXPECT_EQ(map.Terrain(x, y), 8);
      ++forests;
    }
  }
  // One in twenty of 399 open hexes, give or take what chance does.
  EXPECT_GE(forests, 8);
  EXPECT_LE(forests, 35);
  EXPECT_EQ(current, forests > 0 ? 20 : 16);
}

TEST(TileDialogs, SaveAndLoadWithTheirListRebuilds) {
  AutoTileWorld world;
  const GameFolder game = world.folder.Game();
  TileTables& tables = world.editor.Tiles;
  EXPECT_EQ(NextTile(tables.TileCount, tables.TileCount), 0);
  EXPECT_EQ(PreviousTile(0, tables.TileCount), tables.TileCount);

  // Road sides: none set clears the tile's road.
  RoadConnectionsEdit roads;
  roads.Load(game, 15);
  EXPECT_EQ(roads.sides, (SideStates{true, false, false, true, false, false}));
  roads.sides = {};
  ASSERT_TRUE(roads.Save(game, tables, 15));
  EXPECT_EQ(tables.RoadOf(15), 0);
  roads.Load(game, 15);
  EXPECT_EQ(roads.sides, SideStates{});

  // Two forest members with the same signature share a list; changing one
  // side moves a tile to another list, and leaving the lists empties one.
  for (int tile : {17, 18}) {
    TilePatternEdit pattern;
    pattern.Load(game, tables, tile);
    EXPECT_EQ(pattern.instruction, "Mark adjacent Forest hexes.");
    pattern.member = true;
    pattern.sides = {true, false, false, true, false, false};
    ASSERT_TRUE(pattern.Save(game, tables, tile));
  }
  EXPECT_EQ(world.folder.ReadText("mapedit/t08/100400.txt"), "017\r\n018\r\n");
  TilePatternEdit moved;
  moved.Load(game, tables, 17);
  EXPECT_EQ(moved.rememberedSignature, "100400");
  moved.sides[1] = true;
  ASSERT_TRUE(moved.Save(game, tables, 17));
  EXPECT_EQ(world.folder.ReadText("mapedit/t08/100400.txt"), "018\r\n");
  EXPECT_EQ(world.folder.ReadText("mapedit/t08/120400.txt"), "017\r\n");
  moved.member = false;
  ASSERT_TRUE(moved.Save(game, tables, 17));
  EXPECT_FALSE(FileExists(world.folder / "mapedit/t08/120400.txt"));

  // Terrain type and random flag, stored and in the table.
  TileTerrainTypeEdit type;
  type.Load(game, 5);
  EXPECT_EQ(type.terrain, 1);
  EXPECT_TRUE(type.random);
  type.terrain = 3;
  type.random = false;
  ASSERT_TRUE(type.Save(game, tables, 5));
  EXPECT_EQ(tables.TerrainOf(5), 3);
  TileTerrainTypeEdit again;
  again.Load(game, 5);
  EXPECT_EQ(again.terrain, 3);
  EXPECT_FALSE(again.random);
}

}  // namespace
}  // namespace korv
