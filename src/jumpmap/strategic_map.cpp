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

namespace korv {

void DrawJumpBox(JumpMapState& jumpMap, const MapDocument& document, const TileTables& tables,
                 int left, int top, int columns, int rows) {
  if (jumpMap.MapPicture.IsNull()) {
    jumpMap.MapPicture = DrawStrategicMap(document, tables, jumpMap.HighlightTerrain);
  }
  jumpMap.Shown = Picture(jumpMap.MapPicture.Image().copy());
  jumpMap.Shown.DrawRectOutline({left, top, columns + 1, rows + 1}, jumpMap.JumpBoxColour);
}

void ToggleJumpBoxColour(JumpMapState& jumpMap) {
  jumpMap.JumpBoxColour = jumpMap.JumpBoxColour == 0xffffff ? 0x000000 : 0xffffff;
}

}  // namespace korv
