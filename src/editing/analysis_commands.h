// The road tools and the map analysis on the editing session: the commands
// of the "Roads", "Hex Control" and "Analysis" menus that look at the whole
// map, with their areas, undo copies, messages and redraws.
#pragma once

#include "editing/commands.h"

namespace korv {

// "Fill in Possible Road connections" (after an undo copy; no redraw).
CommandOutcome FillInRoadConnections_Click(MapEditor& session);
// "Count road hexes": the count in a message.
CommandOutcome CountRoadHexes_Click(MapEditor& session);
// "Find connection/control problems": the view is centred on the next
// problem from the view's left column on (after the one found last, when
// the search is repeated on the same map with the view where it left it),
// which is marked in blue; "none found" when there is none.
CommandOutcome FindRoadProblems_Click(MapEditor& session);
// "Find Tile Seams": as "Find connection/control problems", the view is
// centred on the next road end or edge seam the tile sheet could close,
// which is marked in blue and named in the progress label.
CommandOutcome FindTileSeams_Click(MapEditor& session);
// "Set Roads ONLY": road hexes of the area go to the selected nation.
CommandOutcome SetRoadsOnly_Click(MapEditor& session);
// "Determine Separate Land Masses", with its progress.
CommandOutcome DetermineLandMasses_Click(MapEditor& session);
// "Verify Hex Data": "Errors found" when something was repaired.
CommandOutcome VerifyHexData_Click(MapEditor& session);

}  // namespace korv
