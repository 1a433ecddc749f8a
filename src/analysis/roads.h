// Road exits of hexes and the road tools: every hex stores through which
// of its six sides a road leaves it, which the game uses to move along
// roads. They follow from the hex's tile and, for settlements, open every
// side; the tools remove exits that lead nowhere, count road hexes, find
// the next road or control problem and give road hexes to a nation.
#pragma once

#include <optional>
#include <string>

#include "autotile/tile_tables.h"
#include "document/map_document.h"

namespace korv {

// Terrain types whose hexes have road exits on all six sides.
constexpr bool IsSettlementTerrain(int terrain) {
  return terrain == 5 || terrain == 6 || terrain == 14;
}

// Sets the six exits of hex (x, y) from its tile's road sides; a settlement
// opens all six. A tile without a road row gives no exits.
void ConnectRoads(MapDocument& document, const TileTables& tables, int x, int y);

// Removes each exit of hex (x, y) whose neighbour on the map has no exit
// back; exits toward positions off the map stay.
void TrimOneSidedExits(MapDocument& document, int x, int y);

// "Fill in Possible Road connections": every hex's exits from its tile,
// then every one-sided exit removed.
void FillInPossibleRoadConnections(MapDocument& document, const TileTables& tables);

// The hexes whose tile carries a road, and the message that counts them
// (" 57 road hexes on map.").
int CountRoadHexes(const MapDocument& document, const TileTables& tables);
std::string RoadHexCountMessage(int count);

// A hex "Find connection/control problems" stops at.
struct RoadProblem {
  int x = 0;
  int y = 0;
  enum Kind { kDeadEnd, kRoadWithoutOwner, kOwnedOffTheRoads } kind = kDeadEnd;
};
// Sets every hex's exits from its tile, then scans columns `firstColumn`
// on (rows from 0), trimming each hex's exits, for the first dead end (a
// road hex away from the map's edges with fewer than two exits), road hex
// nobody owns, or owned hex that is no road hex. Hexes of column
// `firstColumn` up to row `afterRow` are passed over (to go on after a
// problem found before); -1 passes over none.
std::optional<RoadProblem> FindRoadProblem(MapDocument& document, const TileTables& tables,
                                           int firstColumn, int afterRow = -1);
// What the status line says of a problem.
std::string RoadProblemText(const RoadProblem& problem);

// "Set Roads ONLY": every hex of `area` whose tile carries a road is owned
// by `nation`.
void SetRoadsOnly(MapDocument& document, const TileTables& tables, const HexRange& area,
                  uint8_t nation);

}  // namespace korv
