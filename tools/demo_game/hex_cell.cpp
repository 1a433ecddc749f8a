// The hex shape inside a 60 x 50 cell (see hex_cell.h).
#include "hex_cell.h"

#include <cstdlib>

namespace korv::demo {

int SideCount(SideSet sides) {
  int count = 0;
  for (int d = 1; d <= 6; ++d) count += HasSide(sides, d) ? 1 : 0;
  return count;
}

bool InsideHex(int px, int py) {
  if (px < 0 || py < 0 || px >= kTileWidth || py >= kTileHeight) return false;
  // With the pixel centre (px + 1/2, py + 1/2), the left slant is the line
  // x = slant * |y - h/2| / (h/2); doubling everything keeps it in integers.
  const int rise = std::abs(2 * py + 1 - kTileHeight);
  const int fromLeft = (2 * px + 1) * kTileHeight;
  const int fromRight = (2 * (kTileWidth - 1 - px) + 1) * kTileHeight;
  const int slant = 2 * kSlant * rise;
  return fromLeft >= slant && fromRight >= slant;
}

bool OnHexBorder(int px, int py) {
  if (!InsideHex(px, py)) return false;
  return !InsideHex(px - 1, py) || !InsideHex(px + 1, py) || !InsideHex(px, py - 1) ||
         !InsideHex(px, py + 1);
}

Point HexCentre() {
  return {kTileWidth / 2.0f, kTileHeight / 2.0f};
}

namespace {
// Corners clockwise from the right-hand one.
constexpr std::array<Point, 6> kCorners = {{
    {float(kTileWidth), kTileHeight / 2.0f},
    {float(kTileWidth - kSlant), float(kTileHeight)},
    {float(kSlant), float(kTileHeight)},
    {0.0f, kTileHeight / 2.0f},
    {float(kSlant), 0.0f},
    {float(kTileWidth - kSlant), 0.0f},
}};
}  // namespace

std::array<Point, 2> SideCorners(int d) {
  // Side 1 runs from the right corner to the lower right corner, and so on
  // clockwise round to side 6 from the upper right corner back to the right one.
  return {kCorners[static_cast<size_t>(d - 1)], kCorners[static_cast<size_t>(d % 6)]};
}

Point SideMidpoint(int d) {
  auto corners = SideCorners(d);
  return {(corners[0].x + corners[1].x) / 2, (corners[0].y + corners[1].y) / 2};
}

float DistanceToSide(Point p, int d) {
  auto corners = SideCorners(d);
  return DistanceToSegment(p, corners[0], corners[1]);
}

Point NeighbourOffset(int d) {
  const float half = kTileHeight / 2.0f;
  switch (d) {
    case 1:
      return {float(kColumnStep), half};
    case 2:
      return {0.0f, float(kTileHeight)};
    case 3:
      return {-float(kColumnStep), half};
    case 4:
      return {-float(kColumnStep), -half};
    case 5:
      return {0.0f, -float(kTileHeight)};
    default:
      return {float(kColumnStep), -half};
  }
}

}  // namespace korv::demo
