// Road exits of hexes: every hex stores through which of its six sides a
// road leaves it, which the game uses to move along roads. They follow from
// the hex's tile and, for settlements, open every side.
#pragma once

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

}  // namespace korv
