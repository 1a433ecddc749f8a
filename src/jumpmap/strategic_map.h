// The strategic map: the whole map at one pixel per hex, coloured by
// terrain. It is what the jump map window shows and what SaveMap writes
// beside the map as its ".bmp" picture.
#pragma once

#include <cstdint>
#include <optional>

#include "autotile/tile_tables.h"
#include "document/map_document.h"
#include "platform/picture.h"

namespace korv {

// State of the jump map that outlives its window.
struct JumpMapState {
  // 0: road tiles are black; otherwise hexes of this terrain are black.
  int HighlightTerrain = 0;
  uint32_t JumpBoxColour = 0x000000;  // black or white
  bool JumpShown = false;
  // The persistent picture (terrain colours, overlays made permanent).
  Picture MapPicture;
  // What the window shows: the persistent picture with the drawn layer
  // (the outline of the main view) on top.
  Picture Shown;
  // Where the outline lies on Shown; none while Shown is to be made anew.
  std::optional<PixelRect> Outline;
};

// The colour of hex (x, y) on the strategic picture.
uint32_t StrategicColour(const MapDocument& document, const TileTables& tables,
                         int highlightTerrain, int x, int y);
// A hex that changed: its pixel of the strategic picture, and of the shown
// one unless the outline runs over it.
void SetStrategicHex(JumpMapState& jumpMap, const MapDocument& document, const TileTables& tables,
                     int x, int y);
// A strategic picture drawn anew; the shown one is made again from it at
// the next outline.
void ReplaceStrategicMap(JumpMapState& jumpMap, Picture picture);

// Paints the strategic picture of `document`: MapWidth x MapHeight pixels,
// pixel (x, y) for hex (x, y); the last column and row have no pixel.
Picture DrawStrategicMap(const MapDocument& document, const TileTables& tables,
                         int highlightTerrain);

}  // namespace korv

namespace korv {

// Clears the drawn layer and outlines the main view's hexes, columns left ..
// left + columns and rows top .. top + rows, one pixel per hex, in
// JumpBoxColour. Paints the strategic picture first when there is none yet.
// Only the pixels under the old outline are restored, so a step of the
// view costs the outline's length, not the picture's size.
void DrawJumpBox(JumpMapState& jumpMap, const MapDocument& document, const TileTables& tables,
                 int left, int top, int columns, int rows);

// Key C: the outline turns white when it was black, black otherwise.
void ToggleJumpBoxColour(JumpMapState& jumpMap);

}  // namespace korv
