#include "document/hex_grid.h"

namespace korv {

HexGeometry HexGeometry::FromSizes(int16_t pixelWidth, int16_t pixelHeight, int16_t flatWidth) {
  HexGeometry geometry;
  geometry.HexPixelWidth = pixelWidth;
  geometry.HexPixelHeight = pixelHeight;
  geometry.HexFlatWidth = flatWidth;
  // Int() of the half rounds toward minus infinity.
  int difference = pixelWidth - flatWidth;
  int slant = difference >= 0 ? difference / 2 : -((-difference + 1) / 2);
  geometry.HexSlant = static_cast<int16_t>(slant);
  geometry.ColumnStep = static_cast<int16_t>(flatWidth + slant);
  geometry.RowStep = pixelHeight;
  return geometry;
}

void NeighbourStep(int16_t& x, int16_t& y, int d) {
  const bool lower = IsLowerColumn(x);
  auto step = [&](int dx, int dy) {
    x = static_cast<int16_t>(x + dx);
    y = static_cast<int16_t>(y + dy);
  };
  switch (d) {
    case kSideLowerRight:
      step(1, lower ? 1 : 0);
      break;
    case kSideBottom:
      step(0, 1);
      break;
    case kSideLowerLeft:
      step(-1, lower ? 1 : 0);
      break;
    case kSideUpperLeft:
      step(-1, lower ? 0 : -1);
      break;
    case kSideTop:
      step(0, -1);
      break;
    case kSideUpperRight:
      step(1, lower ? 0 : -1);
      break;
    default:
      break;
  }
}

}  // namespace korv
