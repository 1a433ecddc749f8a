// "Determine Separate Land Masses": every connected body of land (terrain
// other than 0) and of water (terrain 0) gets a number in HexLandMass, land
// 1..L and water from L + 2 on, by four passes over the map: label land,
// compact its numbers, label water, compact those. The numbers are exactly
// those of the passes as the game's tools run them, including how the
// compaction passes leave column 0 and row 0 out of their renumbering.
//
// The passes renumber "every hex holding a number" at each merge. Here a
// number is a group of hexes (union-find sets, one for the hexes of
// column 0 and row 0 and one for the others), so a renumbering is one
// union instead of a sweep of the map. Beside the map the passes keep a few
// bytes per label: a hex's label is kept in its HexLandMass value while
// they run, and only past `narrowLabels` labels in a layer of four bytes a
// hex.
#pragma once

#include <functional>

#include "document/map_document.h"

namespace korv {

// Numbers the land masses of `document` into its HexLandMass layer.
// `progress` is told the column and row reached after each column of each
// pass, as "x,y". The layer holds 16 bits, as the map file does: a map
// whose numbers would pass 32767 is refused (false, with `error` saying
// why) and its layer is left as it was. While the passes run, each hex's
// label lives in the layer itself, and beyond `narrowLabels` labels in a
// 32-bit layer of its own.
bool DetermineLandMasses(MapDocument& document, std::string& error,
                         const std::function<void(const std::string&)>& progress = nullptr,
                         size_t narrowLabels = 65536);

// "Verify Hex Data": tiles off the sheet and terrain types the terrain
// table does not have become 0 (each counted as an error); an objective mark
// on a hex nobody owns is cleared (not counted). Returns the errors counted.
int VerifyHexData(MapDocument& document, int tileCount, int terrainMax);

}  // namespace korv
