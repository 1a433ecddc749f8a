// The texts of the two help windows: the keyboard help of the main window
// (HelpWindow, key "/" and the "Help" menu) and the tile commands of the
// tile picker (TileCommandsWindow, key F1 there), whose first eight labels
// a game folder may replace with korv_info/s2_help.txt.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/files.h"

namespace korv {

constexpr const char* kHelpWindowCaption = "Korv Map editor Help";
constexpr const char* kTileCommandsWindowCaption = "Tile Screen Commands";
constexpr const char* kTileCommandsHelpFile = "korv_info/s2_help.txt";

// The keyboard help: one line per command, each line followed by a carriage
// return (character 13), starting with "Korv Map Editor version " and the
// map file version.
std::string KeyboardHelpText(int mapFileVersion);

// The nine labels of the tile commands window.
constexpr int kTileCommandLabels = 9;
// Labels 0..7 may come from the help file; label 8 is always built in.
constexpr int kTileCommandFileFields = 8;
using TileCommandTexts = std::array<std::string, kTileCommandLabels>;

TileCommandTexts BuiltInTileCommandTexts();
// The label texts: the built-in ones, of which labels 0..7 are replaced by
// the fields of korv_info/s2_help.txt in order when the file exists
// (comma- or line-separated, surrounding double quotes removed). A file
// with fewer than eight fields replaces as many labels as it has fields.
TileCommandTexts ReadTileCommandTexts(const GameFolder& folder);

}  // namespace korv
