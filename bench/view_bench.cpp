// Map view drawing speed: a full redraw of a 1920 x 1080 view (budget 16 ms),
// one painted hex (RedrawHex, budget 1 ms) and one-step scrolls, on a
// 1000 x 1000 map with flags, objectives, roads, railroads and outlines.
// The baseline is one plain copy of the whole view buffer.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "editor/editor.h"
#include "platform/interaction.h"
#include "platform/random.h"
#include "view/hex_drawing.h"
#include "view/viewport.h"

namespace korv {
namespace {

constexpr int kNations = 12;

// Hex shape of the default 60 x 50 geometry: the slanted sides move in by up
// to 15 pixels towards the top and bottom edges.
bool InsideHex(int u, int v) {
  if (u < 0 || u >= 60 || v < 0 || v >= 50) return false;
  const int indent = std::abs(2 * v - 49) * 15 / 49;
  return u >= indent && u < 60 - indent;
}

void Cell(Picture& mask, Picture& picture, int cellX, int x, int y, int w, int h, uint32_t colour) {
  mask.FillRect({cellX + x, y, w, h}, 0x000000);
  picture.FillRect({cellX + x + 1, y + 1, w - 2, h - 2}, colour);
}

struct BenchWorld {
  BenchWorld() : editor(GameFolder("."), ui, random) {
    const HexGeometry& g = editor.Geometry;  // defaults: 60 x 50, steps 45 and 50
    const int w = g.HexPixelWidth, h = g.HexPixelHeight;
    editor.TileSheet = Picture(16 * w, 16 * h);
    resources.BlackHex = Picture(w, h);
    resources.HexOutlineMask = Picture(w, h);
    resources.HexOutlinePicture = Picture(w, h);
    resources.HexOutlineMask.Fill(0xffffff);
    for (int v = 0; v < h; ++v) {
      for (int u = 0; u < w; ++u) {
        const bool inside = InsideHex(u, v);
        resources.BlackHex.SetPixel(u, v, inside ? 0x000000 : 0xffffff);
        if (inside && (!InsideHex(u - 1, v) || !InsideHex(u + 1, v) || v == 0 || v == h - 1)) {
          resources.HexOutlineMask.SetPixel(u, v, 0x000000);
          resources.HexOutlinePicture.SetPixel(u, v, 0x202020);
        }
        for (int t = 0; t < 256; ++t) {
          if (inside) {
            editor.TileSheet.SetPixel((t % 16) * w + u, (t / 16) * h + v,
                                      static_cast<uint32_t>(t * 0x010305 + u * 0x100 + v));
          }
        }
      }
    }
    resources.EffectMask = Picture(9 * w, h);
    resources.EffectPicture = Picture(9 * w, h);
    resources.EffectMask.Fill(0xffffff);
    Cell(resources.EffectMask, resources.EffectPicture, 5 * w, 17, 26, 20, 8, 0xff4000);
    Cell(resources.EffectMask, resources.EffectPicture, 8 * w, 21, 36, 16, 8, 0x603090);
    Cell(resources.EffectMask, resources.EffectPicture, kBlueHighlightX, 18, 12, 24, 30, 0x0000ff);
    for (Picture* mask : {&resources.RoadMask, &resources.RailMask}) {
      *mask = Picture(6 * w, h);
      mask->Fill(0xffffff);
    }
    resources.RoadPicture = Picture(6 * w, h);
    resources.RailPicture = Picture(6 * w, h);
    for (int d = 1; d <= 6; ++d) {
      Cell(resources.RoadMask, resources.RoadPicture, (d - 1) * w, 15 + 4 * d, 4 + 6 * d, 8, 10,
           0x808000);
      Cell(resources.RailMask, resources.RailPicture, (d - 1) * w, 17 + 4 * d, 6 + 6 * d, 8, 10,
           0x404040);
    }
    resources.LargeFlags = Picture((kNations + 1) * kLargeFlagWidth, kLargeFlagHeight);
    resources.MediumFlags = Picture((kNations + 1) * kMediumFlagWidth, kMediumFlagHeight);
    resources.SmallFlags = Picture((kNations + 1) * kSmallFlagWidth, kSmallFlagHeight);
    resources.LargeFlags.Fill(0xaa3300);
    resources.MediumFlags.Fill(0x33aa00);
    resources.SmallFlags.Fill(0x0033aa);

    MapDocument& d = editor.Document;
    d.MapWidth = 999;
    d.MapHeight = 999;
    AllocateMapLayers(d);
    SeededRandom fill(42);
    for (int x = 0; x <= d.MapWidth; ++x) {
      for (int y = 0; y <= d.MapHeight; ++y) {
        d.Tile(x, y) = static_cast<int16_t>(fill.NextBits() % 256);
        const uint64_t bits = fill.NextBits();
        if (bits % 4 == 0) {
          d.Owner(x, y) = static_cast<uint8_t>(1 + bits / 4 % kNations);
          d.Mark(x, y) = static_cast<uint8_t>(bits / 64 % 4);
        }
        if (bits % 5 == 0) d.Data(x, y, 1 + static_cast<int>(bits / 8 % 6)) = kRoadLink;
        if (bits % 7 == 0) d.Data(x, y, 1 + static_cast<int>(bits / 16 % 6)) = kRailLink;
      }
    }

    // A 1920 x 1080 window's view: 43 columns and 22 rows, 1951 x 1100 pixels.
    view.ViewColumns = 42;
    view.ViewRows = 21;
    view.ViewPixelWidth = 43 * g.ColumnStep + g.HexSlant + 1;
    view.ViewPixelHeight = 22 * g.RowStep;
    view.ScrollMaxX = d.MapWidth - view.ViewColumns;
    view.ScrollMaxY = d.MapHeight - view.ViewRows;
    view.ViewLeft = 500;
    view.ViewTop = 500;
    CreateViewBuffer(editor, resources, switches, view);
  }

  RecordingInteraction ui;
  SeededRandom random;
  Editor editor;
  HexDrawingResources resources;
  DrawSwitches switches;
  ViewState view;
};

BenchWorld& World() {
  static auto* world = new BenchWorld();
  return *world;
}

void BM_BufferCopyBaseline(benchmark::State& state) {
  BenchWorld& world = World();
  Picture copy(world.view.ViewBufferWidth, world.view.ViewBufferHeight);
  for (auto _ : state) {
    copy.Copy(0, 0, world.view.ViewBuffer, 0, 0, copy.Width(), copy.Height());
    benchmark::DoNotOptimize(copy.Bytes().data());
  }
}
BENCHMARK(BM_BufferCopyBaseline)->Unit(benchmark::kMillisecond);

// Argument 0: tiles, flags and railroads; 1: also road exits, outlines, grid
// lines and tile highlight.
void BM_RedrawBuffers(benchmark::State& state) {
  BenchWorld& world = World();
  DrawSwitches switches;
  const bool everything = state.range(0) == 1;
  world.editor.Settings.HexOutlines = everything;
  if (everything) {
    switches.RoadMode = 2;
    switches.GridLines = true;
    switches.HighlightTile = 17;
  }
  for (auto _ : state) {
    RedrawBuffers(world.editor, world.resources, switches, world.view);
    benchmark::DoNotOptimize(world.view.ViewScreen.Bytes().data());
  }
  world.editor.Settings.HexOutlines = false;
}
BENCHMARK(BM_RedrawBuffers)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_RedrawHex(benchmark::State& state) {
  BenchWorld& world = World();
  JumpMapState& jumpMap = world.editor.JumpMap;
  jumpMap.MapPicture = Picture(world.editor.Document.MapWidth, world.editor.Document.MapHeight);
  int i = 0;
  for (auto _ : state) {
    const int x = world.view.ViewLeft + i % 40, y = world.view.ViewTop + i / 40 % 20;
    world.editor.Document.Tile(x, y) = static_cast<int16_t>(i % 256);
    RedrawHex(world.editor, world.resources, world.switches, world.view, x, y, &jumpMap);
    ++i;
  }
  // Each RedrawHex also presents the whole view.
}
BENCHMARK(BM_RedrawHex)->Unit(benchmark::kMicrosecond);

// One-step scrolls of the view, to the position `next` gives after each.
template <typename Next>
void ScrollSteps(benchmark::State& state, Next next) {
  BenchWorld& world = World();
  const bool horizontal = state.range(0) == 0;
  RedrawBuffers(world.editor, world.resources, world.switches, world.view);
  int32_t& position = horizontal ? world.view.ViewLeft : world.view.ViewTop;
  const int start = position;
  for (auto _ : state) {
    const int to = next(position, start);
    ScrollOutcome outcome =
        horizontal
            ? HorizontalScroll_Change(world.editor, world.resources, world.switches, world.view, to)
            : VerticalScroll_Change(world.editor, world.resources, world.switches, world.view, to);
    if (outcome != ScrollOutcome::kShifted) state.SkipWithError("not a one-step scroll");
  }
  position = start;
}

// Alternates one step forward and one back, each a buffer shift and one strip.
void BM_ScrollOneStep(benchmark::State& state) {
  ScrollSteps(state, [](int position, int start) { return position == start ? start + 1 : start; });
}
BENCHMARK(BM_ScrollOneStep)->ArgName("vertical")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// One-step scrolls 40 steps one way, then 40 back: the buffer's store runs
// out of room now and then, and the buffer is copied across it.
void BM_ScrollStepsOneWay(benchmark::State& state) {
  int direction = 1;
  ScrollSteps(state, [&direction](int position, int start) {
    if (position == start + 40) direction = -1;
    if (position == start) direction = 1;
    return position + direction;
  });
}
BENCHMARK(BM_ScrollStepsOneWay)->ArgName("vertical")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korv
