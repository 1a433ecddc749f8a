// Pictures from the editing session: "Map to Bitmap" (F6), which draws the
// section of the map from the view's upper left hex on into map.bmp.
#pragma once

#include "editing/commands.h"

namespace korv {

// Draws MapToBitmapWidth x MapToBitmapHeight hexes from (ViewLeft, ViewTop)
// and saves them as map.bmp in the game folder; "Not enough Memory" when
// the section cannot be drawn or saved.
CommandOutcome MapToBitmap_Click(MapEditor& session);

}  // namespace korv
