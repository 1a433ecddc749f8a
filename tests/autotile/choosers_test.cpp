#include "autotile/choosers.h"

#include <gtest/gtest.h>

#include <set>

#include "autotile/fit_neighbours.h"
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
  // A tile off the sheet is never served: on a bridge (a hex on water asks the
  // bridges) the lowest bridge answers, not 65537 or 40000 cut to 16 bits.
  world.Put(2, 3, 3);
  for (const std::string tile : {"65537", "40000"}) {
    world.folder.WriteText("mapedit/bridgepatterns/1-0-0-0-0-0.txt", "2-0-0-0-0-0," + tile);
    EXPECT_EQ(chosen.Answer(CheckRoads, 2, 3, 15), 3) << tile;
  }
  // A record cut short (a key without its tile) is no record of tile 0.
  world.folder.WriteText("mapedit/riverpatterns/1-0-0-0-0-0.txt", "2-0-0-0-0-0");
  EXPECT_EQ(chosen.Answer(CheckRivers, 2, 3, 2), -1);
  // The tile library refuses a tile of another terrain.
  world.folder.WriteText("mapedit/tilep08/000000.txt", "0-0-0-0-0-0,4\r\n-1\r\n");
  EXPECT_EQ(chosen.Answer(TilePattern, 6, 6, 16), -1);
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
  // Column 8 is the map's last: its clear hexes are on the map for column 7.
  world.folder.WriteText("mapedit/t00/000000.txt", "001\r\n");
  EXPECT_EQ(chosen.Answer(AutoDrawTile, 7, 3, 0), 1);
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
  // Row 0, column 0 and the last column too.
  for (const auto& [x, y] : {std::pair{5, 5}, std::pair{4, 0}, std::pair{8, 6}, std::pair{0, 3}}) {
    map.Tile(x, y) = 99;
    map.Terrain(x, y) = 3;
  }
  const int16_t before = map.Tile(6, 6);
  UpdateTiles(map, world.editor.Tiles, lists, random, current);
  for (const auto& [x, y] : {std::pair{5, 5}, std::pair{4, 0}, std::pair{8, 6}, std::pair{0, 3}}) {
    EXPECT_EQ(world.editor.Tiles.TerrainOf(map.Tile(x, y)), 3) << x << "," << y;
  }
  EXPECT_EQ(map.Tile(6, 6), before);
}

// Tile 0 may carry a road like any other.
TEST(TileFitKnowledge, RoadSidesFromTheFirstTileOn) {
  test::TempFolder folder;
  TileTables tables;
  tables.TileCount = 1;
  tables.TileTerrain = {1, 1};
  tables.TileRoad = {1, 0};
  tables.RoadTiles = {{1, 0, 0, 0, 0, 0, 0}, {0, 1, 0, 0, 1, 0, 0}};
  const TileFitKnowledge knowledge = LoadTileFitKnowledge(folder.Game(), tables);
  const auto sides = static_cast<SideBits>(SideBit(1) | SideBit(4));
  EXPECT_EQ(knowledge.SidesOf(0), sides);
  EXPECT_EQ(knowledge.RoadTilesWith(1, sides), std::vector<int16_t>{0});
}

TEST(RedrawCommands, TheMountainArrangementInTwoPasses) {
  AutoTileWorld world;
  MapDocument& map = world.Map();
  for (int x = 0; x <= 8; ++x) {
    for (int y = 0; y <= 8; ++y) map.Terrain(x, y) = 3;
  }
  map.Tile(4, 4) = 86;
  map.Tile(8, 8) = 0;  // no centre: the hex above keeps its tile
  const int16_t above = map.Tile(8, 7);
  AutoRedrawMountains(map, {0, 8, 0, 8});
  EXPECT_EQ(map.Tile(8, 7), above);
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
  // Every draw a 1 on open land: the first hex, (0, 0), is wooded.
  AutoTileWorld fresh;
  FixedRandom always(0.0);
  fresh.folder.WriteText("mapedit/t08/000000.txt", "020\r\n");
  ScatteredWoods(fresh.Map(),
                 {fresh.editor.Tiles, fresh.editor.RandomLists, fresh.editor.Folder, always},
                 current);
  EXPECT_EQ(fresh.Map().Tile(0, 0), 20);
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
  // Tables not yet sized for the tile are left as they are.
  TileTables unsized;
  unsized.TileCount = tables.TileCount;
  ASSERT_TRUE(type.Save(game, unsized, 0));
  EXPECT_TRUE(unsized.TileTerrain.empty());
}

TEST(PatternRecorder, MergesIntoLibraryFilesByteForByte) {
  AutoTileWorld world;
  MapDocument& map = world.Map();
  // A clear hex (3, 3) with a road hex above it and forest below it.
  world.Put(3, 2, 15);
  world.Put(3, 4, 16);
  struct Step {
    const char* what;
    std::function<void(PatternRecorder&)> record;
    const char* file;
    const char* bytes;
  };
  const Step steps[] = {
      {"tile library: K with A", [&](PatternRecorder& r) { r.SavePattern(map, 3, 5, 17, 16); },
       "mapedit/tilep08/100000.txt", "16-0-0-0-0-0,17\r\n-1\r\n"},
      {"river: a new file starts with the empty record, dropped unless tile 0 is water",
       [&](PatternRecorder& r) { r.NewRiverPattern(map, 6, 6, 2); },
       "mapedit/riverpatterns/0-0-0-0-0-0.txt", "0-0-0-0-0-0,2\r\n-1\r\n"},
  };
  for (const Step& step : steps) {
    PatternRecorder recorder(world.folder.Game(), world.editor.Tiles);
    step.record(recorder);
    ASSERT_TRUE(recorder.Flush()) << step.what;
    EXPECT_EQ(world.folder.ReadText(step.file), step.bytes) << step.what;
  }
  // Road files: one record per key, the newest last; of a damaged file what
  // was whole before the damage is kept, and the file is ended properly.
  for (const auto& [damaged, kept] : std::vector<std::pair<std::string, std::string>>{
           {"15-0-0-0-0-0,14\r\n7-0-0-0-0-0,15\r\n-1\r\n", "7-0-0-0-0-0,15\r\n"},
           {"7-0-0-0-0-0,15\r\n9-0-0-0-0-0", "7-0-0-0-0-0,15\r\n"},
           {"\"7-0-0-0-0-0\",\"15\"\r\n9-0-0-0-0-0,1x\r\n8-0-0-0-0-0,15\r\n-1\r\n",
            "7-0-0-0-0-0,15\r\n"},
           {"7-0-0-0-0-0,1", "7-0-0-0-0-0,1\r\n"}}) {
    world.folder.WriteText("mapedit/roadpatterns/1-0-0-0-0-0.txt", damaged);
    PatternRecorder again(world.folder.Game(), world.editor.Tiles);
    again.NewRoadPattern(map, 3, 3, 15, 15);
    ASSERT_TRUE(again.Flush());
    EXPECT_EQ(world.folder.ReadText("mapedit/roadpatterns/1-0-0-0-0-0.txt"),
              kept + "15-0-0-0-0-0,15\r\n-1\r\n")
        << damaged;
  }
}

TEST(PatternRecorder, WhatIsLearntAtTheEdgeIsFound) {
  AutoTileWorld world;
  MapDocument& map = world.Map();
  FixedRandom random(0.5);
  Chosen chosen{world, random};
  // Hex (1, 3): its upper left neighbour (0, 2) is water with a road exit,
  // in column 0, which only the road recorder looks at.
  world.Put(0, 2, 2);
  map.Data(0, 2, kSideTop) = kRoadLink;
  world.Put(4, 0, 16);  // forest in row 0, above (4, 1)
  PatternRecorder recorder(world.folder.Game(), world.editor.Tiles);
  recorder.NewRiverPattern(map, 1, 3, 2);
  recorder.NewRoadPattern(map, 1, 3, 15, 15);
  recorder.NewRoadPattern(map, 5, 5, 15, 15);  // no neighbour counts: nothing at all
  recorder.NewBridgePattern(map, 1, 3, 2);
  recorder.SavePattern(map, 4, 1, 17, 16);
  ASSERT_TRUE(recorder.Flush());
  EXPECT_EQ(world.folder.ReadText("mapedit/roadpatterns/0-0-0-0-0-1.txt"),
            "0-0-0-0-0-2,15\r\n-1\r\n");
  EXPECT_EQ(recorder.Recorded().at(kRoadPatternFolder), 1);
  // The choosers walk as their library's recorders did and make no files.
  EXPECT_EQ(chosen.Answer(CheckRivers, 1, 3, 2), 2);
  EXPECT_EQ(chosen.Answer(CheckBridges, 1, 3, 3), 2);  // not the fallback 3
  EXPECT_EQ(chosen.Answer(TilePattern, 4, 1, 16), 17);
  for (const char* folder : {kRiverPatternFolder, kBridgePatternFolder, "mapedit/tilep08"}) {
    EXPECT_EQ(ListFiles(world.folder / folder, "*.txt").size(), 1u) << folder;
  }
}

// The recorders as plainly described: every record reads its whole file,
// merges, and writes it back.
struct LiteralRecorder {
  const GameFolder& folder;
  const TileTables& tables;

  void Record(const std::string& file, const char* newContent, MergeRule rule,
              const std::string& key, int tile, int centre) {
    const std::filesystem::path path = folder.Resolve(file);
    std::filesystem::create_directories(path.parent_path());
    if (!FileExists(path)) WriteFileAtomically(path, std::string_view(newContent));
    const auto bytes = ReadWholeFile(path);
    std::vector<PatternRecord> kept;
    for (PatternRecord record : ParsePatternFile(std::string(bytes->begin(), bytes->end()))) {
      const bool drop =
          rule == MergeRule::kTileGroup
              ? record.key == key && record.tile == tile
              : record.key == key || record.tile > tables.TileCount ||
                    (rule == MergeRule::kWater && tables.TerrainOf(record.tile) != centre);
      if (drop) continue;
      if (rule == MergeRule::kTileGroup && record.key == key) record.tile = tile;
      kept.push_back(record);
    }
    kept.push_back({key, tile});
    WriteFileAtomically(path, std::string_view(FormatPatternFile(kept)));
  }
};

TEST(MemoriseCommands, WriteTheSameFilesAsOneRecordAtATime) {
  for (uint64_t seed : {1u, 2u, 3u, 4u}) {
    AutoTileWorld fast;
    AutoTileWorld literal;
    SeededRandom random(seed);
    for (AutoTileWorld* world : {&fast, &literal}) world->Resize(12, 10);
    // The same random map in both: tiles of every kind, some road exits.
    for (int x = 0; x <= 12; ++x) {
      for (int y = 0; y <= 10; ++y) {
        const auto tile = static_cast<int16_t>(random.Uniform() * 32);
        const bool exit = random.Uniform() < 0.2;
        for (AutoTileWorld* world : {&fast, &literal}) {
          world->Put(x, y, tile);
          world->Map().Data(x, y, 2) = exit ? kRoadLink : kNoLink;
        }
      }
    }
    MapDocument& map = fast.Map();
    RecordingInteraction ui;
    int16_t current = 0;
    ASSERT_TRUE(MemorizeRoadTilePatterns(map, fast.folder.Game(), fast.editor.Tiles, current, ui));
    ASSERT_TRUE(MemoriseRiverTilePatterns(map, fast.folder.Game(), fast.editor.Tiles, ui));
    ASSERT_TRUE(MemoriseMountainPatterns(map, fast.folder.Game(), fast.editor.Tiles, 24, ui));

    const GameFolder game = literal.folder.Game();
    const TileTables& tables = literal.editor.Tiles;
    LiteralRecorder reference{game, tables};
    const MapDocument& same = literal.Map();
    const auto tileOf = [&](int x, int y) { return tables.TerrainOf(same.Tile(x, y)); };
    int16_t lastRoad = 0;
    for (int x = 0; x <= same.MapWidth; ++x) {
      for (int y = 0; y <= same.MapHeight; ++y) {
        const int16_t tile = same.Tile(x, y);
        const int terrain = same.Terrain(x, y);
        if (IsTownOrPortTerrain(terrain) || terrain == 6 || tables.RoadOf(tile) == 1) {
          lastRoad = tile;
          const bool water = IsWaterTerrain(tables.TerrainOf(tile));
          const Neighbourhood hood = BuildNeighbourhood(same, x, y, 0, true, [&](int nx, int ny) {
            bool exits = false;
            for (int d = 1; d <= 6; ++d) exits = exits || same.Data(nx, ny, d) == kRoadLink;
            return IsTownOrPortTerrain(same.Terrain(nx, ny)) || exits ||
                   (water && IsWaterTerrain(same.Terrain(nx, ny))) ||
                   tables.RoadOf(same.Tile(nx, ny)) == 1;
          });
          if (hood.key != kEmptyPatternKey) {
            reference.Record(std::string(water ? kBridgePatternFolder : kRoadPatternFolder) + "/" +
                                 hood.shape + ".txt",
                             "-1\r\n", MergeRule::kRoad, hood.key, tile, 0);
          }
        }
      }
    }
    for (bool mountains : {false, true}) {
      for (int x = 0; x <= same.MapWidth; ++x) {
        for (int y = 0; y <= same.MapHeight; ++y) {
          const int terrain = same.Terrain(x, y);
          if (IsWaterTerrain(terrain)) {
            const Neighbourhood hood = BuildNeighbourhood(same, x, y, 1, true, [&](int nx, int ny) {
              return IsWaterTerrain(tileOf(nx, ny));
            });
            reference.Record(std::string(kRiverPatternFolder) + "/" + hood.shape + ".txt",
                             "0-0-0-0-0-0,0\r\n-1\r\n", MergeRule::kWater, hood.key,
                             same.Tile(x, y), terrain);
          } else if (mountains && terrain == 3) {
            const Neighbourhood hood = BuildNeighbourhood(
                same, x, y, 1, false, [&](int nx, int ny) { return tileOf(nx, ny) == 3; });
            reference.Record("mapedit/tilep03/" + hood.shape + ".txt", "-1\r\n",
                             MergeRule::kTileGroup, hood.key, same.Tile(x, y), 0);
          }
        }
      }
    }
    EXPECT_EQ(current, lastRoad);
    const std::vector<std::string> folders = {kRoadPatternFolder, kBridgePatternFolder,
                                              kRiverPatternFolder, "mapedit/tilep03"};
    size_t files = 0;
    for (const std::string& folder : folders) {
      const auto expected = ListFiles(literal.folder / folder, "*.txt");
      const auto written = ListFiles(fast.folder / folder, "*.txt");
      ASSERT_EQ(written.size(), expected.size()) << folder << " seed " << seed;
      for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(written[i].filename(), expected[i].filename());
        EXPECT_EQ(ReadWholeFile(written[i]), ReadWholeFile(expected[i])) << written[i];
        ++files;
      }
    }
    EXPECT_GT(files, 10u);
  }
}

}  // namespace
}  // namespace korv
