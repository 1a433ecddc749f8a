// The shape of one hex picture inside its 60 x 50 cell: which pixels belong
// to the hex, where the centre, the corners and the side midpoints lie, and
// how far a point is from a side. Every bitmap of the demo game (tiles,
// masks, overlays) is cut to this one shape.
#pragma once

#include <array>
#include <cstdint>

#include "canvas.h"

namespace korv::demo {

constexpr int kTileWidth = 60;
constexpr int kTileHeight = 50;
constexpr int kFlatWidth = 30;
constexpr int kSlant = (kTileWidth - kFlatWidth) / 2;  // 15
constexpr int kColumnStep = kFlatWidth + kSlant;       // 45
constexpr int kTilesPerRow = 16;

// Sides are numbered 1..6 clockwise from the lower right; a set of sides
// keeps side d in bit d-1.
using SideSet = uint8_t;
constexpr SideSet SideBit(int d) {
  return static_cast<SideSet>(1u << (d - 1));
}
constexpr bool HasSide(SideSet sides, int d) {
  return (sides & SideBit(d)) != 0;
}
constexpr SideSet kAllSides = 0x3f;
int SideCount(SideSet sides);

// A pixel belongs to the hex when its centre lies inside the hexagon or on
// its border; border pixels are shared with the neighbour, so neighbouring
// hexes leave no gap between them.
bool InsideHex(int px, int py);

Point HexCentre();
// Midpoint of side d: the point where the line between two hex centres
// crosses their common side.
Point SideMidpoint(int d);
// The two corners of side d, clockwise.
std::array<Point, 2> SideCorners(int d);
float DistanceToSide(Point p, int d);
// Offset of the neighbour's picture origin across side d (45 px sideways,
// 25 px up or down, or 50 px straight up or down).
Point NeighbourOffset(int d);

// A pixel inside the hex that has a pixel outside the hex (or the cell edge)
// among its four direct neighbours.
bool OnHexBorder(int px, int py);

}  // namespace korv::demo
