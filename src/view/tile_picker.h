// Logic of the tile picker ("Map Tiles"): which tile lies under a point of
// the sheet, the caption shown while the pointer moves, the routing of a
// chosen tile to the tile information dialogs, and the scroll ranges.
#pragma once

#include <string>

#include "autotile/tile_tables.h"
#include "document/hex_grid.h"

namespace korv {

// Tiles per row of the tile sheet.
constexpr int kSheetColumns = 16;

// The tile whose cell holds sheet position (sx, sy); positions past the last
// tile give numbers above TileCount.
int TileAtSheetPosition(double sx, double sy, const HexGeometry& geometry);

// "Tiles F2  123(x7B) Clear": number, hexadecimal, and the terrain's name
// when the tile exists.
std::string TilePickerCaption(int tile, const TileTables& tables);

// Which tile information dialog a chosen tile is sent to.
struct TileDialogRouting {
  bool TerrainDialogActive = false;
  bool RoadDialogActive = false;
  bool PatternDialogActive = false;
};

// The picker's keys F2, F3 and F4: switch a routing on (true: show its
// dialog) or off again. Returns true when the dialog should be shown.
enum class PickerKey { kF2, kF3, kF4 };
bool ToggleRouting(TileDialogRouting& routing, PickerKey key);

// Scroll bar range for one direction of the sheet view: maximum and step.
struct SheetScrollRange {
  int maximum = 0;
  int step = 0;
};
SheetScrollRange SheetScroll(int sheetExtent, int frameExtent, int tileExtent);

}  // namespace korv
