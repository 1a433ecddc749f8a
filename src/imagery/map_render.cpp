#include "imagery/map_render.h"

#include <algorithm>
#include <cmath>

#include "platform/text_fields.h"

namespace korv {

namespace {

// Pictures above this many pixels are not attempted (about 1 GB).
constexpr int64_t kMostPixels = int64_t{1} << 28;

}  // namespace

std::optional<Picture> RenderMapBitmap(const MapDocument& document, const HexGeometry& geometry,
                                       const Picture& tileSheet, const Picture& clearingMask,
                                       int left, int top, int columns, int rows) {
  const int64_t width = int64_t{columns} * geometry.ColumnStep;
  const int64_t height = int64_t{rows} * geometry.RowStep;
  if (columns < 1 || rows < 1 || width * height > kMostPixels) return std::nullopt;
  if (!document.Contains(left, top) || !document.Contains(left + columns, top + rows)) {
    return std::nullopt;
  }
  Picture surface(static_cast<int>(width), static_cast<int>(height));
  const int w = geometry.HexPixelWidth;
  const int h = geometry.HexPixelHeight;
  for (int i = 0; i <= columns; ++i) {
    for (int j = 0; j <= rows; ++j) {
      const int c = left + i;
      const int r = top + j;
      const int x = i * geometry.ColumnStep;
      const int y = j * geometry.RowStep + (IsLowerColumn(c) ? geometry.RowStep / 2 : 0);
      const int tile = document.Tile(c, r);
      surface.And(x, y, clearingMask, 0, 0, w, h);
      surface.Or(x, y, tileSheet, (tile % 16) * w, (tile / 16) * h, w, h);
    }
  }
  return surface;
}

int16_t SectionSize(const std::string& text) {
  return std::max<int16_t>(RoundToI16(ParseLeadingNumber(text)), 1);
}

}  // namespace korv
