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

// sum / n rounded down, by a multiplication for the small counts a shown
// pixel spans: with m = ceil(2^32 / n), (sum * m) >> 32 is exact while
// sum * n stays below 2^32 (sums of 8-bit values over n pixels do).
uint32_t Quotient(uint32_t sum, uint32_t n) {
  static const std::array<uint64_t, 1024> kMultipliers = [] {
    std::array<uint64_t, 1024> m{};
    for (uint64_t d = 1; d < m.size(); ++d) m[d] = ((uint64_t{1} << 32) + d - 1) / d;
    return m;
  }();
  if (n == 0 || n >= kMultipliers.size()) return sum / n;
  return static_cast<uint32_t>((uint64_t{sum} * kMultipliers[n]) >> 32);
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

CellSums SumCell(const Picture& picture, int cx, int cy, const Picture& mask, int mx, int my, int w,
                 int h) {
  CellSums cell;
  cell.width = std::max(w, 0);
  cell.height = std::max(h, 0);
  const auto stride = static_cast<size_t>(cell.width) + 1;
  cell.inside.assign(static_cast<size_t>(cell.width) * static_cast<size_t>(cell.height), 0);
  cell.sums.assign(stride * (static_cast<size_t>(cell.height) + 1), {0, 0, 0, 0});
  // Pixels off a picture read as 0, as PixelOf reads them.
  const auto rowOf = [](const Picture& p, int y) -> const uint32_t* {
    if (y < 0 || y >= p.Height()) return nullptr;
    return reinterpret_cast<const uint32_t*>(p.Image().constScanLine(y));
  };
  const auto pixelAt = [](const uint32_t* row, const Picture& p, int x) -> uint32_t {
    return row && x >= 0 && x < p.Width() ? row[x] & 0xffffff : 0;
  };
  for (int v = 0; v < cell.height; ++v) {
    std::array<uint32_t, 4> row{0, 0, 0, 0};
    const uint32_t* maskRow = rowOf(mask, my + v);
    const uint32_t* pictureRow = rowOf(picture, cy + v);
    for (int u = 0; u < cell.width; ++u) {
      if (pixelAt(maskRow, mask, mx + u) == 0) {
        cell.inside[static_cast<size_t>(v) * static_cast<size_t>(cell.width) +
                    static_cast<size_t>(u)] = 1;
        const uint32_t p = pixelAt(pictureRow, picture, cx + u);
        row[0] += (p >> 16) & 0xff;
        row[1] += (p >> 8) & 0xff;
        row[2] += p & 0xff;
        row[3] += 1;
      }
      const std::array<uint32_t, 4>& above =
          cell.sums[static_cast<size_t>(v) * stride + static_cast<size_t>(u) + 1];
      std::array<uint32_t, 4>& sum =
          cell.sums[(static_cast<size_t>(v) + 1) * stride + static_cast<size_t>(u) + 1];
      for (size_t c = 0; c < 4; ++c) sum[c] = above[c] + row[c];
    }
  }
  return cell;
}

ScaledCell ScaleSummedCell(const CellSums& source, double scale, double fractionX,
                           double fractionY) {
  // The arithmetic of ScaleCell, step for step.
  ScaledCell cell;
  const double fx = fractionX;
  const double fy = fractionY;
  const int w = source.width;
  const int h = source.height;
  cell.width = static_cast<int>(std::ceil(w * scale + fx));
  cell.height = static_cast<int>(std::ceil(h * scale + fy));
  const size_t count = static_cast<size_t>(cell.width) * static_cast<size_t>(cell.height);
  cell.pixels.assign(count, 0xff000000u);
  cell.covered.assign(count, 0);
  const auto stride = static_cast<size_t>(w) + 1;
  const auto corner = [&](int u, int v) -> const std::array<uint32_t, 4>& {
    return source.sums[static_cast<size_t>(v) * stride + static_cast<size_t>(u)];
  };
  // A shown pixel's middle (u, v) and the cell pixels it spans, u0..u1 and
  // v0..v1, depend on its column or row alone; u is -1 off the cell.
  constexpr double kEdge = 1e-6;
  struct Span {
    int middle, first, last;
  };
  const auto span = [&](int i, double f, int extent) {
    const auto middle = static_cast<int>(std::floor((i + 0.5 - f) / scale + kEdge));
    if (middle < 0 || middle >= extent) return Span{-1, 0, 0};
    const int first = std::max(0, static_cast<int>(std::floor((i - f) / scale)));
    const int last =
        std::max(first, std::min(extent, static_cast<int>(std::ceil((i + 1 - f) / scale))));
    return Span{middle, first, last};
  };
  std::vector<Span> columns(static_cast<size_t>(cell.width));
  for (int i = 0; i < cell.width; ++i) columns[static_cast<size_t>(i)] = span(i, fx, w);
  for (int j = 0; j < cell.height; ++j) {
    const Span row = span(j, fy, h);
    if (row.middle < 0) continue;
    const uint8_t* inside =
        source.inside.data() + static_cast<size_t>(row.middle) * static_cast<size_t>(w);
    for (int i = 0; i < cell.width; ++i) {
      const Span& column = columns[static_cast<size_t>(i)];
      if (column.middle < 0 || !inside[column.middle]) continue;
      const auto& a = corner(column.last, row.last);
      const auto& b = corner(column.first, row.last);
      const auto& c = corner(column.last, row.first);
      const auto& d = corner(column.first, row.first);
      const auto sum = [&](size_t k) { return a[k] - b[k] - c[k] + d[k]; };
      const uint32_t n = sum(3);
      const size_t at =
          static_cast<size_t>(j) * static_cast<size_t>(cell.width) + static_cast<size_t>(i);
      cell.covered[at] = 1;
      cell.pixels[at] = 0xff000000u | (Quotient(sum(0), n) << 16) | (Quotient(sum(1), n) << 8) |
                        Quotient(sum(2), n);
    }
  }
  return cell;
}

const CellSums& OverviewCells::Sums(uint64_t key, const std::function<CellSums()>& make) {
  auto found = sums_.find(key);
  if (found == sums_.end()) found = sums_.emplace(key, make()).first;
  return found->second;
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
  sums_.clear();
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
      const CellSums& sums = cells.Sums(
          Key(kind, index, 0, 0), [&] { return SumCell(picture, cx, cy, mask, mx, 0, w, h); });
      return ScaleSummedCell(sums, scale, across.fraction, down.fraction);
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
