// The "Tiles" menu's commands on the editing session: the map-wide
// re-tiling commands with their area (the whole map or the visible area, as
// the area switch says), undo copy, busy pointer and automatic-choice rule,
// the memorise commands that teach the pattern libraries from the map, and
// the scattered woods. Each redraws what it changed.
#pragma once

#include "editing/map_editor.h"

namespace korv {

// "auto redraw Roads": undo copy only when the area is the whole map.
void AutoRedrawRoads_Click(MapEditor& session);
// "auto redraw Terrain": undo copy first, always.
void AutoRedrawTerrain_Click(MapEditor& session);
// "auto redraw Forests" and "auto redraw Mountains": no undo copy.
void AutoRedrawForests_Click(MapEditor& session);
void AutoRedrawMountains_Click(MapEditor& session);
// "Redraw Map based on Terrain" (whole map, undo copy first).
void RedrawMapBasedOnTerrain_Click(MapEditor& session);
// "Rebuild Terrain based on Tiles" (whole map, undo copy first, no redraw).
void RebuildTerrainBasedOnTiles_Click(MapEditor& session);
// The memorise commands.
void MemorizeRoadTilePatterns_Click(MapEditor& session);
void MemoriseRiverTilePatterns_Click(MapEditor& session);
void MemoriseMountainPatterns_Click(MapEditor& session);
// "Scattered Woods".
void ScatteredWoods_Click(MapEditor& session);

}  // namespace korv
