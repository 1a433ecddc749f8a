// The pattern libraries: file bytes after each recorder's merge, the fast
// memorise commands against the literal one-file-per-record form, and the
// keys and shapes at the map's edges.
#include "autotile/pattern_library.h"

#include <gtest/gtest.h>

#include "platform/random.h"
#include "support/autotile_world.h"

namespace korv {
namespace {

using test::AutoTileWorld;

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
      {"road: a key", [&](PatternRecorder& r) { r.NewRoadPattern(map, 3, 3, 15, 15); },
       "mapedit/roadpatterns/1-0-0-0-0-0.txt", "15-0-0-0-0-0,15\r\n-1\r\n"},
      {"road: the same key again keeps one record, the newest",
       [&](PatternRecorder& r) {
         r.NewRoadPattern(map, 3, 5, 15, 15);  // (3, 4) above is forest: another key
         r.NewRoadPattern(map, 3, 3, 15, 15);
       },
       "mapedit/roadpatterns/1-0-0-0-0-0.txt", "15-0-0-0-0-0,15\r\n-1\r\n"},
      {"tile library: K with A", [&](PatternRecorder& r) { r.SavePattern(map, 3, 5, 17, 16); },
       "mapedit/tilep08/100000.txt", "16-0-0-0-0-0,17\r\n-1\r\n"},
      {"tile library: K with B rewrites A in place and appends",
       [&](PatternRecorder& r) { r.SavePattern(map, 3, 5, 18, 16); }, "mapedit/tilep08/100000.txt",
       "16-0-0-0-0-0,18\r\n16-0-0-0-0-0,18\r\n-1\r\n"},
      {"tile library: K with A again",
       [&](PatternRecorder& r) { r.SavePattern(map, 3, 5, 17, 16); }, "mapedit/tilep08/100000.txt",
       "16-0-0-0-0-0,17\r\n16-0-0-0-0-0,17\r\n16-0-0-0-0-0,17\r\n-1\r\n"},
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
  // The river file's empty record stays when tile 0 has the centre's terrain.
  world.Put(6, 6, 2);
  map.Terrain(6, 7) = 0;
  PatternRecorder recorder(world.folder.Game(), world.editor.Tiles);
  recorder.NewRiverPattern(map, 6, 7, 2);
  ASSERT_TRUE(recorder.Flush());
  EXPECT_EQ(world.folder.ReadText("mapedit/riverpatterns/1-0-0-0-0-0.txt"),
            "0-0-0-0-0-0,0\r\n2-0-0-0-0-0,2\r\n-1\r\n");
}

TEST(PatternRecorder, NeighboursAtTheEdgesAndTheEmptyRoadKey) {
  AutoTileWorld world;
  MapDocument& map = world.Map();
  // Hex (1, 3): its upper left neighbour is (0, 2) in column 0.
  world.Put(0, 2, 2);
  map.Data(0, 2, kSideTop) = kRoadLink;
  const auto counted = [&](int lowest) {
    return BuildNeighbourhood(map, 1, 3, lowest, true, [](int, int) { return true; }).shape;
  };
  EXPECT_EQ(counted(0), "1-1-1-1-1-1");
  EXPECT_EQ(counted(1), "1-1-1-1-0-0");  // column 0 is outside for the other recorders
  EXPECT_EQ(BuildNeighbourhood(map, 1, 0, 0, false, [](int, int) { return true; }).shape,
            "001110");  // row -1 is off the map
  PatternRecorder recorder(world.folder.Game(), world.editor.Tiles);
  recorder.NewRiverPattern(map, 1, 3, 2);
  recorder.NewRoadPattern(map, 1, 3, 15, 15);
  recorder.NewRoadPattern(map, 5, 5, 15, 15);  // no neighbour counts: nothing at all
  ASSERT_TRUE(recorder.Flush());
  EXPECT_TRUE(FileExists(world.folder / "mapedit/riverpatterns/0-0-0-0-0-0.txt"));
  EXPECT_EQ(world.folder.ReadText("mapedit/roadpatterns/0-0-0-0-0-1.txt"),
            "0-0-0-0-0-2,15\r\n-1\r\n");
  EXPECT_EQ(recorder.Recorded().at(kRoadPatternFolder), 1);
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
    for (AutoTileWorld* world : {&fast, &literal}) world->Map().MapWidth = 0;
    // The same random map in both: tiles of every kind, some road exits.
    for (int x = 0; x <= 12; ++x) {
      for (int y = 0; y <= 10; ++y) {
        const auto tile = static_cast<int16_t>(random.Uniform() * 32);
        const bool exit = random.Uniform() < 0.2;
        for (AutoTileWorld* world : {&fast, &literal}) {
          if (world->Map().MapWidth == 0) world->Resize(12, 10);
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
