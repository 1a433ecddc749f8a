// The hex grid's one parity rule and everything built on it: picture origins
// of hexes (HexToPixel) and stepping to a neighbour (NeighbourStep). Even
// columns (0, 2, 4, ...) stand half a row lower than odd columns; no other
// code tests a column for evenness.
#pragma once

#include <cstdint>

namespace korv {

// Even columns are the lower ones.
constexpr bool IsLowerColumn(int64_t x) {
  return x % 2 == 0;
}

// Pixel geometry of one hex picture and of the grid, from data/hex_info.txt.
struct HexGeometry {
  int16_t HexPixelWidth = 60;
  int16_t HexPixelHeight = 50;
  int16_t HexFlatWidth = 30;
  int16_t HexSlant = 15;
  int16_t ColumnStep = 45;
  int16_t RowStep = 50;

  // Builds the derived steps from the three stored values.
  static HexGeometry FromSizes(int16_t pixelWidth, int16_t pixelHeight, int16_t flatWidth);
};

struct PixelPoint {
  int32_t left = 0;
  int32_t top = 0;
};

// Picture origin of hex (x, y) in whole-map pixels.
constexpr PixelPoint HexToPixel(const HexGeometry& geometry, int32_t x, int32_t y) {
  int32_t left = x * geometry.ColumnStep;
  int32_t top = y * geometry.RowStep;
  if (IsLowerColumn(x)) top += geometry.RowStep / 2;
  return {left, top};
}

// Hex sides, clockwise from the lower right.
enum HexSide : int {
  kSideLowerRight = 1,
  kSideBottom = 2,
  kSideLowerLeft = 3,
  kSideUpperLeft = 4,
  kSideTop = 5,
  kSideUpperRight = 6,
};

// The side facing side d from the neighbour across it.
constexpr int OppositeSide(int d) {
  return d + 3 > 6 ? d - 3 : d + 3;
}

// Moves (x, y) one hex in direction d (1..6); any other d leaves it alone.
// No range check: the result may lie off the map.
void NeighbourStep(int16_t& x, int16_t& y, int d);

// The six neighbours in pattern-key order: top, upper right, lower right,
// bottom, lower left, upper left (directions 5, 6, 1, 2, 3, 4).
constexpr int kNeighbourOrder[6] = {kSideTop,    kSideUpperRight, kSideLowerRight,
                                    kSideBottom, kSideLowerLeft,  kSideUpperLeft};

}  // namespace korv
