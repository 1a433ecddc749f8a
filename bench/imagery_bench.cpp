// Pictures: the seasonal pictures of a 4000 x 4000 map picture (budget 2 s
// for all six files, goal 1 s), beside reading the source and writing the
// same bytes six times without any colour rule; and the jump map's outline
// after a one-step scroll on a 3999 x 3999 map (budget 5 ms), beside a
// copy of the whole strategic picture.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "imagery/seasonal.h"
#include "jumpmap/strategic_map.h"
#include "platform/files.h"
#include "platform/random.h"

namespace korv {
namespace {

namespace fs = std::filesystem;

struct Source {
  Source() : folder(fs::temp_directory_path() / "korv-bench-imagery") {
    fs::create_directories(folder);
    Picture picture(4000, 4000);
    SeededRandom random(9);
    // Field colours the rules look for, among others.
    const uint32_t colours[] = {0xc3c377, 0xb3b373, 0xefdb7f, 0x3a6e2a, 0x1f4f8f, 0xd0c090};
    for (int y = 0; y < 4000; y += 8) {
      for (int x = 0; x < 4000; x += 8) {
        picture.FillRect({x, y, 8, 8}, colours[static_cast<int>(random.Uniform() * 6)]);
      }
    }
    path = (folder / "mapx.bmp").string();
    picture.SaveBmp(path);
  }
  fs::path folder;
  std::string path;
};

const Source& TheSource() {
  static const Source source;
  return source;
}

void BM_CreateSeasonalMaps(benchmark::State& state) {
  const Source& source = TheSource();
  for (auto _ : state) {
    Picture picture;
    std::string error;
    if (!picture.LoadBmp(source.path, &error) ||
        !CreateSeasonalMaps(picture, source.path, nullptr, error)) {
      state.SkipWithError(error.c_str());
    }
  }
}
BENCHMARK(BM_CreateSeasonalMaps)->Unit(benchmark::kMillisecond);

void BM_ReadAndWriteTheSameBytesSixTimes(benchmark::State& state) {
  const Source& source = TheSource();
  for (auto _ : state) {
    auto bytes = ReadWholeFile(source.path);
    for (int i = 0; i < 6; ++i) {
      WriteFileAtomically(source.folder / ("copy" + std::to_string(i) + ".bmp"), *bytes);
    }
  }
}
BENCHMARK(BM_ReadAndWriteTheSameBytesSixTimes)->Unit(benchmark::kMillisecond);

struct BigMap {
  BigMap() {
    document.MapWidth = 3999;
    document.MapHeight = 3999;
    AllocateMapLayers(document);
    tables.TileCount = 0;
    tables.TileTerrain = {1};
    tables.TileRoad = {0};
    tables.TerrainColours = {{10, 20, 30}, {40, 50, 60}};
    jumpMap.MapPicture = DrawStrategicMap(document, tables, 0);
  }
  MapDocument document;
  TileTables tables;
  JumpMapState jumpMap;
};

void BM_JumpBoxAfterAScrollStep(benchmark::State& state) {
  static BigMap map;
  int left = 1;
  for (auto _ : state) {
    left = left % 3000 + 1;
    DrawJumpBox(map.jumpMap, map.document, map.tables, left, 100, 42, 21);
  }
}
BENCHMARK(BM_JumpBoxAfterAScrollStep)->Unit(benchmark::kMillisecond);

void BM_CopyTheWholeStrategicPicture(benchmark::State& state) {
  static BigMap map;
  for (auto _ : state) {
    Picture copy(map.jumpMap.MapPicture.Image().copy());
    benchmark::DoNotOptimize(copy);
  }
}
BENCHMARK(BM_CopyTheWholeStrategicPicture)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korv
