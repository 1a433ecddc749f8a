// The view zoomed out far, drawn at the shown size. At a zoom at or below
// kOverviewZoom the window would otherwise draw sixteen times the hexes in
// map pixels and shrink the result; here each hex's layers come from cells
// scaled once per zoom and kept, so a full redraw costs about what it costs
// at actual size. An overview shows the tiles, the railroads and the blue
// highlight (selection, grid lines, F4); flags, outlines and road sides are
// too small to read at that size and are left out.
//
// A scaled cell belongs to the fraction of a shown pixel a hex stands right
// of and below a whole pixel, so that neighbouring hexes meet without gaps
// or overlaps: a shown pixel is covered by the hex whose shape holds the
// pixel's middle. At the zoom steps a hex can stand at a few fractions only
// (4 across at 25 %, 20 at 33 %).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <unordered_map>
#include <vector>

#include "editor/editor.h"
#include "view/hex_drawing.h"
#include "view/view_state.h"

namespace korv {

// Zooms at and below this are drawn as an overview.
constexpr double kOverviewZoom = 0.5;

// A cell of an overlay scaled down: its pixels and which of them it covers.
struct ScaledCell {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  std::vector<uint8_t> covered;
};

// Scales cell (cx, cy, w, h) of `picture`, shaped by cell (mx, my) of `mask`
// (black where the cell shows), by `scale` for a cell placed `fractionX`,
// `fractionY` of a shown pixel right of and below a whole pixel. Each shown
// pixel is covered when the mask covers its middle and is the average of the
// covered picture pixels it spans.
ScaledCell ScaleCell(const Picture& picture, int cx, int cy, const Picture& mask, int mx, int my,
                     int w, int h, double scale, double fractionX, double fractionY);

// The same cell summed once for every scale and fraction: which pixels the
// mask covers, and the colour sums and count of the covered pixels above
// and left of each corner, so that the pixels a shown pixel spans are
// averaged in constant time.
struct CellSums {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> inside;                // width x height
  std::vector<std::array<uint32_t, 4>> sums;  // (width + 1) x (height + 1): red, green, blue, count
};
CellSums SumCell(const Picture& picture, int cx, int cy, const Picture& mask, int mx, int my, int w,
                 int h);
// ScaleCell's cell from the sums: the same pixels, without visiting each
// spanned pixel again for every fraction.
ScaledCell ScaleSummedCell(const CellSums& cell, double scale, double fractionX, double fractionY);

// The scaled cells the overviews have drawn, kept for every zoom step used,
// for one hex geometry.
class OverviewCells {
 public:
  // The cell `key` at `scale`, made by `make` the first time.
  const ScaledCell& Get(double scale, uint64_t key, const std::function<ScaledCell()>& make);
  // The sums of the unscaled cell `key`, made by `make` the first time.
  const CellSums& Sums(uint64_t key, const std::function<CellSums()>& make);
  // Forgets every cell when `geometry` is not the one they were made for.
  void KeepFor(const HexGeometry& geometry);

 private:
  HexGeometry geometry_{};
  std::map<double, std::unordered_map<uint64_t, ScaledCell>> cells_;
  std::unordered_map<uint64_t, CellSums> sums_;
};

// True while `view` is drawn as an overview (DrawScale below 1).
inline bool IsOverview(const ViewState& view) {
  return view.DrawScale < 1.0;
}

// Draws hex (x, y) of the overview into the view buffer, which has the shown
// size: its tile (black in column 0 and row 0), its railroad exits and the
// blue highlight in the same cases as at actual size.
void DrawOverviewHex(const Editor& editor, const HexDrawingResources& resources,
                     const DrawSwitches& switches, ViewState& view, int x, int y, int mode);

}  // namespace korv
