#include "jumpmap/strategic_map.h"

#include <algorithm>

namespace korv {

Picture DrawStrategicMap(const MapDocument& document, const TileTables& tables,
                         int highlightTerrain) {
  // A bitmap needs at least one pixel; a one-column map still gets one.
  Picture picture(std::max<int>(document.MapWidth, 1), std::max<int>(document.MapHeight, 1));
  for (int x = 0; x <= document.MapWidth; ++x) {
    for (int y = 0; y <= document.MapHeight; ++y) {
      const int terrain = document.Terrain(x, y);
      uint32_t colour;
      if (highlightTerrain == 0 && tables.RoadOf(document.Tile(x, y)) == 1) {
        colour = 0;
      } else if (highlightTerrain != 0 && terrain == highlightTerrain) {
        colour = 0;
      } else {
        colour = tables.TerrainRgb(terrain);
      }
      picture.SetPixel(x, y, colour);
    }
  }
  return picture;
}

}  // namespace korv
