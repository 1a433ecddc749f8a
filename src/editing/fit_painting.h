// "Fit Neighbours" on the editing session: after a press with automatic
// tile choice on, the painted hex and its ring are fitted to each other
// (autotile/fit_neighbours.h) and the road exits follow the tiles.
#pragma once

#include <cstdint>

#include "editing/map_editor.h"

namespace korv {

// Whether a press fits the neighbours: the switch is on, automatic choice
// is on and the session has choosers.
bool FitsNeighbours(const MapEditor& session);

// After hex (x, y) was painted with `paintedTile` (`roadSide` 0), or had
// side `roadSide` set by the road-side tool: roads joined by their sides,
// member tiles of the painted hex and its ring chosen again for their
// neighbours, and the exits of every re-tiled road hex set from its tile.
void FitAfterPress(Editor& editor, int x, int y, int16_t paintedTile, int roadSide);

}  // namespace korv
