// Auto-tiling speed. "Memorize Road Tile Patterns" on a 200 x 200 map with
// 10 000 road hexes (budget 2 s, goal 0.5 s) beside the same records made
// one file rewrite at a time, as each record was once stored; and one
// painted hex with automatic choice on, or recorded by hand, against
// library files of 10 000 records (budget one frame, 16 ms).
#include <benchmark/benchmark.h>

#include <filesystem>

#include "autotile/choosers.h"
#include "autotile/pattern_library.h"
#include "platform/interaction.h"
#include "platform/random.h"

namespace korv {
namespace {

namespace fs = std::filesystem;

// Tiles 0-99 clear without a road, 100-199 clear road tiles, 200-255 forest.
TileTables BenchTables() {
  TileTables tables;
  tables.TileCount = 255;
  tables.TileTerrain.assign(256, 1);
  tables.TileRoad.assign(256, 0);
  for (int t = 100; t < 200; ++t) tables.TileRoad[static_cast<size_t>(t)] = 1;
  for (int t = 200; t < 256; ++t) tables.TileTerrain[static_cast<size_t>(t)] = 8;
  return tables;
}

struct RoadMap {
  RoadMap() : folder(fs::temp_directory_path() / "korv-bench-autotile"), tables(BenchTables()) {
    document.MapWidth = 199;
    document.MapHeight = 199;
    AllocateMapLayers(document);
    SeededRandom random(5);
    for (size_t i = 0; i < document.HexTile.size(); ++i) {
      document.HexTile[i] = static_cast<int16_t>(random.Uniform() * 100);
      document.HexData[i] = 1;
    }
    // 10 000 road hexes: a quarter of the map, at random.
    int roads = 0;
    while (roads < 10000) {
      const int x = static_cast<int>(random.Uniform() * 200);
      const int y = static_cast<int>(random.Uniform() * 200);
      if (tables.RoadOf(document.Tile(x, y)) == 1) continue;
      document.Tile(x, y) = static_cast<int16_t>(100 + random.Uniform() * 100);
      ++roads;
    }
  }
  void Clear() const {
    fs::remove_all(folder.Root() / "mapedit");
    fs::create_directories(folder.Root() / "mapedit");
  }
  GameFolder folder;
  TileTables tables;
  MapDocument document;
};

const RoadMap& Roads() {
  static const RoadMap map;
  return map;
}

void BM_MemorizeRoadTilePatterns(benchmark::State& state) {
  const RoadMap& map = Roads();
  RecordingInteraction ui;
  for (auto _ : state) {
    state.PauseTiming();
    map.Clear();
    state.ResumeTiming();
    int16_t current = 0;
    if (!MemorizeRoadTilePatterns(map.document, map.folder, map.tables, current, ui)) {
      state.SkipWithError("the libraries were not written");
    }
  }
}
BENCHMARK(BM_MemorizeRoadTilePatterns)->Unit(benchmark::kMillisecond);

// The baseline: every record reads its file and writes it back whole.
void BM_MemorizeRoadsOneFilePerRecord(benchmark::State& state) {
  const RoadMap& map = Roads();
  const MapDocument& document = map.document;
  for (auto _ : state) {
    state.PauseTiming();
    map.Clear();
    state.ResumeTiming();
    for (int x = 0; x <= document.MapWidth; ++x) {
      for (int y = 0; y <= document.MapHeight; ++y) {
        const int16_t tile = document.Tile(x, y);
        if (map.tables.RoadOf(tile) != 1) continue;
        PatternRecorder recorder(map.folder, map.tables);
        recorder.NewRoadPattern(document, x, y, tile, tile);
        if (!recorder.Flush()) state.SkipWithError("a library was not written");
      }
    }
  }
}
BENCHMARK(BM_MemorizeRoadsOneFilePerRecord)->Unit(benchmark::kMillisecond);

// A road library file of 10 000 records for the shape of hex (100, 100),
// the hex's own key last.
struct FullLibrary {
  FullLibrary() {
    const RoadMap& map = Roads();
    map.Clear();
    document = map.document;
    hood = BuildNeighbourhood(document, 100, 100, 0, true, [&](int nx, int ny) {
      return map.tables.RoadOf(document.Tile(nx, ny)) == 1;
    });
    std::vector<PatternRecord> records;
    for (int i = 0; i < 9999; ++i) records.push_back({"9" + std::to_string(i) + "-0-0-0-0-0", 150});
    records.push_back({hood.key, 150});
    path = map.folder.Resolve(std::string(kRoadPatternFolder) + "/" + hood.shape + ".txt");
    fs::create_directories(path.parent_path());
    WriteFileAtomically(path, std::string_view(FormatPatternFile(records)));
  }
  MapDocument document;
  Neighbourhood hood;
  fs::path path;
};

void BM_ChooseRoadTileFromAFullLibrary(benchmark::State& state) {
  static const FullLibrary library;
  const RoadMap& map = Roads();
  SeededRandom random(1);
  for (auto _ : state) {
    int answer = -1;
    CheckRoads({library.document, map.tables, map.folder, random, 150}, 100, 100, answer);
    if (answer != 150) state.SkipWithError("the library's record was not found");
  }
}
BENCHMARK(BM_ChooseRoadTileFromAFullLibrary)->Unit(benchmark::kMillisecond);

void BM_RecordAPaintedRoadIntoAFullLibrary(benchmark::State& state) {
  static const FullLibrary library;
  const RoadMap& map = Roads();
  for (auto _ : state) {
    PatternRecorder recorder(map.folder, map.tables);
    recorder.NewRoadPattern(library.document, 100, 100, 150, 150);
    if (!recorder.Flush()) state.SkipWithError("the library was not written");
  }
}
BENCHMARK(BM_RecordAPaintedRoadIntoAFullLibrary)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korv
