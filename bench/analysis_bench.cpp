// "Determine Separate Land Masses" on a 1000 x 1000 map with thousands of
// islands and lakes (budget 1 s, goal 0.3 s), beside the four passes as
// they were first written, which sweep the whole map at every merge, on a
// 150 x 150 map where they still finish.
#include <benchmark/benchmark.h>

#include <vector>

#include "analysis/land_masses.h"
#include "document/hex_grid.h"
#include "platform/random.h"

namespace korv {
namespace {

// Land in blobs: many islands and lakes of every size.
MapDocument Archipelago(int size, uint64_t seed) {
  MapDocument map;
  map.MapWidth = static_cast<int16_t>(size - 1);
  map.MapHeight = static_cast<int16_t>(size - 1);
  AllocateMapLayers(map);
  SeededRandom random(seed);
  std::vector<float> height(static_cast<size_t>(size) * size);
  for (float& h : height) h = static_cast<float>(random.Uniform());
  // Two smoothings turn the noise into blobs a few hexes across.
  for (int pass = 0; pass < 2; ++pass) {
    std::vector<float> smooth(height.size());
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        float sum = 0;
        int n = 0;
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx) {
            const int sx = x + dx, sy = y + dy;
            if (sx < 0 || sy < 0 || sx >= size || sy >= size) continue;
            sum += height[static_cast<size_t>(sy) * size + sx];
            ++n;
          }
        smooth[static_cast<size_t>(y) * size + x] = sum / n;
      }
    }
    height.swap(smooth);
  }
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      map.Terrain(x, y) = height[static_cast<size_t>(y) * size + x] > 0.5f ? 1 : 0;
  return map;
}

// The passes as first written: every merge and renumbering sweeps the map.
void LiteralLandMasses(MapDocument& map) {
  const int w = map.MapWidth;
  const int h = map.MapHeight;
  std::fill(map.HexLandMass.begin(), map.HexLandMass.end(), 0);
  const auto replace = [&](int from, int to, int lowest) {
    for (int x = lowest; x <= w; ++x)
      for (int y = lowest; y <= h; ++y)
        if (map.LandMass(x, y) == from) map.LandMass(x, y) = static_cast<int16_t>(to);
  };
  const auto label = [&](bool water, int counter) {
    for (int x = 0; x <= w; ++x) {
      int current = 0;
      for (int y = 0; y <= h; ++y) {
        const bool isWater = map.Terrain(x, y) == 0;
        if (isWater != water) current = 0;
        if (isWater != water || map.LandMass(x, y) != 0) continue;
        int found = 0;
        auto nx = static_cast<int16_t>(x);
        auto ny = static_cast<int16_t>(y - 1);
        for (int d = 1; d <= 6 && found == 0; ++d) {
          NeighbourStep(nx, ny, d);
          if (map.Contains(nx, ny) && (map.Terrain(nx, ny) == 0) == water &&
              map.LandMass(nx, ny) > 0)
            found = map.LandMass(nx, ny);
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
        map.LandMass(x, y) = static_cast<int16_t>(current);
      }
    }
  };
  const auto compact = [&](int next) {
    for (int x = 0; x <= w; ++x)
      for (int y = 0; y <= h; ++y) {
        if (map.LandMass(x, y) <= next) continue;
        const int old = map.LandMass(x, y);
        replace(old, ++next, 1);
      }
    return next;
  };
  label(false, 0);
  const int last = compact(1);
  label(true, last + 1);
  compact(last + 1);
}

void BM_LandMasses1000(benchmark::State& state) {
  static MapDocument map = Archipelago(1000, 3);
  std::string error;
  for (auto _ : state) DetermineLandMasses(map, error);
  int bodies = 0;
  for (int16_t number : map.HexLandMass) bodies = std::max<int>(bodies, number);
  state.counters["numbers"] = bodies;
}
BENCHMARK(BM_LandMasses1000)->Unit(benchmark::kMillisecond);

void BM_LandMasses150(benchmark::State& state) {
  static MapDocument map = Archipelago(150, 4);
  std::string error;
  for (auto _ : state) DetermineLandMasses(map, error);
}
BENCHMARK(BM_LandMasses150)->Unit(benchmark::kMillisecond);

void BM_LandMasses150SweepingAtEveryMerge(benchmark::State& state) {
  static MapDocument map = Archipelago(150, 4);
  for (auto _ : state) LiteralLandMasses(map);
}
BENCHMARK(BM_LandMasses150SweepingAtEveryMerge)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korv
