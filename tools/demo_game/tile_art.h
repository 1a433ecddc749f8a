// The pictures of the demo tile sheet: one drawing routine per kind of tile
// (sea and coasts, clear land, roads, rail roads, rivers, bridges, mountains,
// woods, settlements, ...), driven by the tile table, and the sheet that
// puts them 16 to a row. Rail roads are drawn from the same arms as the
// rail overlay bitmap, so the overlay laid over a rail tile changes nothing.
#pragma once

#include <QImage>
#include <vector>

#include "canvas.h"
#include "tile_catalogue.h"

namespace korv::demo {

// One cell of an overlay bitmap: the picture and where the overlay shows
// (the mask's black pixels).
struct OverlayCell {
  Canvas Picture{kTileWidth, kTileHeight};
  std::vector<uint8_t> Shows = std::vector<uint8_t>(kTileWidth * kTileHeight, 0);

  bool At(int x, int y) const { return Shows[static_cast<size_t>(y * kTileWidth + x)] != 0; }
  void Set(int x, int y, Colour colour) {
    Shows[static_cast<size_t>(y * kTileWidth + x)] = 1;
    Picture.At(x, y) = colour;
  }
  // Lays the overlay over `canvas` (what the AND mask and OR picture do on the map).
  void DrawOver(Canvas& canvas) const;
};

// A rail road from the hex centre out through side d.
OverlayCell RailArm(int d);
// A road from the hex centre out through side d, as the road-side tool shows it.
OverlayCell RoadArm(int d);

// Road colours, shared with the overlays.
constexpr Colour kRoadEdge = Rgb(118, 96, 64);
constexpr Colour kRoadSurface = Rgb(208, 188, 140);
constexpr Colour kBallast = Rgb(148, 140, 126);

// Sets every pixel outside the hex shape to exact black.
void ClipToHex(Canvas& canvas);

// The picture of one tile, black outside the hex.
Canvas DrawTile(const TileEntry& entry);
// The whole sheet: tile t at ((t mod 16) * 60, (t \ 16) * 50).
QImage DrawTileSheet(const TileCatalogue& catalogue);

}  // namespace korv::demo
