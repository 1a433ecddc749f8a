#include "view/overview.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

#include "view/tile_picker.h"

namespace korv {

namespace {

// Fractions of a pixel closer than this are the same place.
constexpr int kFractionSteps = 4096;

enum CellKind : uint64_t { kClearCell = 0, kTileCell = 1, kRailCell = 2, kBlueCell = 3 };

uint64_t Key(CellKind kind, int index, int stepsX, int stepsY) {
  return (static_cast<uint64_t>(kind) << 60) | (static_cast<uint64_t>(index & 0xffffff) << 32) |
         (static_cast<uint64_t>(stepsX) << 16) | static_cast<uint64_t>(stepsY);
}

// A place in shown pixels as a whole pixel and the fraction beyond it, also
// counted in kFractionSteps for the cell's key. The cell is scaled for the
// fraction itself: a hex's middle-of-pixel samples must land exactly where
// its neighbours' do.
struct ShownPlace {
  int whole = 0;
  int steps = 0;
  double fraction = 0;
};
ShownPlace Place(double shown) {
  ShownPlace place;
  double wholePart = std::floor(shown);
  auto steps = static_cast<int>(std::llround((shown - wholePart) * kFractionSteps));
  if (steps == kFractionSteps) {
    wholePart += 1;
    steps = 0;
  }
  place.whole = static_cast<int>(wholePart);
  place.steps = steps;
  place.fraction = shown - wholePart;
  return place;
}

uint32_t PixelOf(const Picture& picture, int x, int y) {
  if (x < 0 || y < 0 || x >= picture.Width() || y >= picture.Height()) return 0;
  return reinterpret_cast<const uint32_t*>(picture.Image().constScanLine(y))[x] & 0xffffff;
}

void Put(Picture& target, const ScaledCell& cell, int left, int top) {
  const int firstRow = std::max(0, -top);
  const int lastRow = std::min(cell.height, target.Height() - top);
  const int firstColumn = std::max(0, -left);
  const int lastColumn = std::min(cell.width, target.Width() - left);
  if (firstRow >= lastRow || firstColumn >= lastColumn) return;
  std::span<uint8_t> bytes = target.MutableBytes();
  const auto rowBytes = static_cast<size_t>(target.BytesPerRow());
  for (int j = firstRow; j < lastRow; ++j) {
    auto* row = reinterpret_cast<uint32_t*>(bytes.data() + rowBytes * static_cast<size_t>(top + j));
    const size_t from = static_cast<size_t>(j) * static_cast<size_t>(cell.width);
    for (int i = firstColumn; i < lastColumn; ++i) {
      if (cell.covered[from + static_cast<size_t>(i)]) {
        row[left + i] = cell.pixels[from + static_cast<size_t>(i)];
      }
    }
  }
}

}  // namespace

ScaledCell ScaleCell(const Picture& picture, int cx, int cy, const Picture& mask, int mx, int my,
                     int w, int h, double scale, double fractionX, double fractionY) {
  ScaledCell cell;
  const double fx = fractionX;
  const double fy = fractionY;
  cell.width = static_cast<int>(std::ceil(w * scale + fx));
  cell.height = static_cast<int>(std::ceil(h * scale + fy));
  const size_t count = static_cast<size_t>(cell.width) * static_cast<size_t>(cell.height);
  cell.pixels.assign(count, 0xff000000u);
  cell.covered.assign(count, 0);
  const auto inside = [&](int u, int v) {
    return u >= 0 && v >= 0 && u < w && v < h && PixelOf(mask, mx + u, my + v) == 0;
  };
  for (int j = 0; j < cell.height; ++j) {
    for (int i = 0; i < cell.width; ++i) {
      // A middle that falls on a pixel edge must fall the same way for the
      // hexes on both sides, whatever the rounding of each one's fraction.
      constexpr double kEdge = 1e-6;
      const auto u = static_cast<int>(std::floor((i + 0.5 - fx) / scale + kEdge));
      const auto v = static_cast<int>(std::floor((j + 0.5 - fy) / scale + kEdge));
      if (!inside(u, v)) continue;
      // The covered cell pixels this shown pixel spans, averaged.
      const int u0 = std::max(0, static_cast<int>(std::floor((i - fx) / scale)));
      const int u1 = std::min(w, static_cast<int>(std::ceil((i + 1 - fx) / scale)));
      const int v0 = std::max(0, static_cast<int>(std::floor((j - fy) / scale)));
      const int v1 = std::min(h, static_cast<int>(std::ceil((j + 1 - fy) / scale)));
      uint32_t red = 0, green = 0, blue = 0, n = 0;
      for (int b = v0; b < v1; ++b) {
        for (int a = u0; a < u1; ++a) {
          if (!inside(a, b)) continue;
          const uint32_t p = PixelOf(picture, cx + a, cy + b);
          red += (p >> 16) & 0xff;
          green += (p >> 8) & 0xff;
          blue += p & 0xff;
          ++n;
        }
      }
      const size_t at =
          static_cast<size_t>(j) * static_cast<size_t>(cell.width) + static_cast<size_t>(i);
      cell.covered[at] = 1;
      cell.pixels[at] = 0xff000000u | ((red / n) << 16) | ((green / n) << 8) | (blue / n);
    }
  }
  return cell;
}

const ScaledCell& OverviewCells::Get(double scale, uint64_t key,
                                     const std::function<ScaledCell()>& make) {
  std::unordered_map<uint64_t, ScaledCell>& atScale = cells_[scale];
  auto found = atScale.find(key);
  if (found == atScale.end()) found = atScale.emplace(key, make()).first;
  return found->second;
}

void OverviewCells::KeepFor(const HexGeometry& geometry) {
  if (geometry.HexPixelWidth == geometry_.HexPixelWidth &&
      geometry.HexPixelHeight == geometry_.HexPixelHeight &&
      geometry.ColumnStep == geometry_.ColumnStep && geometry.RowStep == geometry_.RowStep) {
    return;
  }
  geometry_ = geometry;
  cells_.clear();
}

void DrawOverviewHex(const Editor& editor, const HexDrawingResources& resources,
                     const DrawSwitches& switches, ViewState& view, int x, int y, int mode) {
  const MapDocument& document = editor.Document;
  if (!document.Contains(x, y) || view.ViewBuffer.IsNull()) return;
  const HexGeometry& g = editor.Geometry;
  const double scale = view.DrawScale;
  if (!view.Overview) view.Overview = std::make_shared<OverviewCells>();
  OverviewCells& cells = *view.Overview;
  cells.KeepFor(g);

  const PixelPoint origin = HexToPixel(g, x, y);
  const ShownPlace across =
      Place((origin.left - static_cast<double>(view.ViewLeft) * g.ColumnStep) * scale);
  const ShownPlace down =
      Place((origin.top - static_cast<double>(view.ViewTop) * g.RowStep) * scale);
  const int w = g.HexPixelWidth;
  const int h = g.HexPixelHeight;
  const auto draw = [&](CellKind kind, int index, const Picture& picture, int cx, int cy,
                        const Picture& mask, int mx) {
    // An overlay whose picture is missing draws nothing, as at actual size.
    if (kind != kTileCell && kind != kClearCell && (picture.IsNull() || mask.IsNull())) return;
    const ScaledCell& cell = cells.Get(scale, Key(kind, index, across.steps, down.steps), [&] {
      return ScaleCell(picture, cx, cy, mask, mx, 0, w, h, scale, across.fraction, down.fraction);
    });
    Put(view.ViewBuffer, cell, across.whole, down.whole);
  };

  // The hex's shape, then its tile; column 0 and row 0 stay black.
  const int tile = document.Tile(x, y);
  if (x > 0 && y > 0) {
    draw(kTileCell, tile, editor.TileSheet, (tile % kSheetColumns) * w, (tile / kSheetColumns) * h,
         resources.BlackHex, 0);
  } else {
    static const Picture black(1, 1);
    draw(kClearCell, 0, black, 0, 0, resources.BlackHex, 0);
  }
  for (int d = 1; d <= 6; ++d) {
    if (document.Data(x, y, d) != kRailLink) continue;
    draw(kRailCell, d, resources.RailPicture, (d - 1) * w, 0, resources.RailMask, (d - 1) * w);
  }
  const bool blue = switches.InSelection(x, y) || mode == kDrawGridLine ||
                    (switches.HighlightTile != -1 && tile == switches.HighlightTile);
  if (blue) {
    draw(kBlueCell, 0, resources.EffectPicture, kBlueHighlightX, 0, resources.EffectMask,
         kBlueHighlightX);
  }
}

}  // namespace korv
