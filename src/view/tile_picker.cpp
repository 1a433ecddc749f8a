#include "view/tile_picker.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace korv {

int TileAtSheetPosition(double sx, double sy, const HexGeometry& geometry) {
  if (geometry.HexPixelWidth <= 0 || geometry.HexPixelHeight <= 0) return 0;
  const long column = std::lround(std::nearbyint(sx)) / geometry.HexPixelWidth;
  const long row = std::lround(std::nearbyint(sy)) / geometry.HexPixelHeight;
  return static_cast<int>(row * kSheetColumns + column);
}

std::string TilePickerCaption(int tile, const TileTables& tables) {
  // A number's text starts with a blank where a minus sign would stand.
  char number[48];
  std::snprintf(number, sizeof number, "%s%d(x%X)", tile >= 0 ? " " : "", tile,
                static_cast<unsigned>(tile));
  std::string caption = std::string("Tiles F2 ") + number;
  if (tables.IsTile(tile)) caption += " " + tables.TerrainName(tables.TerrainOf(tile));
  return caption;
}

bool ToggleRouting(TileDialogRouting& routing, PickerKey key) {
  bool& active = key == PickerKey::kF2   ? routing.TerrainDialogActive
                 : key == PickerKey::kF3 ? routing.RoadDialogActive
                                         : routing.PatternDialogActive;
  active = !active;
  return active;
}

SheetScrollRange SheetScroll(int sheetExtent, int frameExtent, int tileExtent) {
  return {std::max(sheetExtent - frameExtent, 0), std::max(tileExtent, 1)};
}

}  // namespace korv
