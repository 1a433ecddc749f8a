// Pictures from the editing session: "Map to Bitmap" (F6), which draws the
// section of the map from the view's upper left hex on into map.bmp, and
// what the bitmap utility window holds for its picture: loading it, the
// caption while the mouse moves over it, a press on it and "Convert Bitmap
// to Map".
#pragma once

#include <optional>
#include <string>

#include "editing/commands.h"
#include "imagery/bitmap_utility.h"

namespace korv {

// Draws MapToBitmapWidth x MapToBitmapHeight hexes from (ViewLeft, ViewTop)
// and saves them as map.bmp in the game folder; "Not enough Memory" when
// the section cannot be drawn or saved.
CommandOutcome MapToBitmap_Click(MapEditor& session);

// "Objectives" (nation 0) and a country of the jump map's list: the flags
// on the map's picture, found through the file last chosen in a file dialog
// (Editor::BitmapPath; when none was, newmap.map in the game folder, which
// becomes BitmapPath). False, with a message, when the picture cannot be read.
bool JumpMapFlags(MapEditor& session, int nation);

// The bitmap utility's picture and everything that belongs to it: the
// conversion marks and the modes a press works in.
struct BitmapUtilityState {
  Picture picture;
  std::string path;      // BitmapPath of the picture shown
  std::string fileName;  // BitmapFileName
  bool replaceColourMode = false;
  bool bitmapToMapMode = false;
  uint32_t newColour = 0;  // 0x00RRGGBB
  BitmapToMap conversion;
};

// Loads the bitmap at `path` as the utility's picture. The previous
// picture's marks and modes go with it. A picture that cannot be read is
// refused with a message naming it, and nothing changes.
bool LoadUtilityBitmap(Editor& editor, BitmapUtilityState& state, const std::string& path);
// Leaving the window ("Exit" or closing it): the conversion and the modes end.
void LeaveBitmapUtility(BitmapUtilityState& state);

// The caption while the mouse is over pixel (x, y): the file name, the
// pixel's red, green and blue and its conversion mark, each number after a
// blank. Nothing outside the picture.
std::optional<std::string> BitmapUtilityCaption(const BitmapUtilityState& state, int x, int y);

// A press on pixel (x, y): replaces its colour, or gives the hexes of its
// colour the current tile's terrain (one change of Edit > Undo Change), as
// the mode says. Returns whether the picture changed (and the map with it,
// in the conversion).
enum class BitmapPress { kNothing, kPictureChanged, kTerrainAssigned };
BitmapPress BitmapUtility_Press(MapEditor& session, BitmapUtilityState& state, int x, int y);

// "Convert Bitmap to Map": the colours reduced (and picture2.bmp written),
// a new map of the picture's size named after it, the conversion begun.
// False, with a message, when there is no picture or it is too large for a
// map; true when the map was replaced (the caller runs MapReplaced).
bool ConvertBitmapToMap(Editor& editor, BitmapUtilityState& state);

}  // namespace korv
