#include "analysis/roads.h"

#include <algorithm>

namespace korv {

void ConnectRoads(MapDocument& document, const TileTables& tables, int x, int y) {
  for (int d = 1; d <= 6; ++d) document.Data(x, y, d) = kNoLink;
  const int tile = document.Tile(x, y);
  // Rows after row 0 are in rising tile order, one per road tile.
  const auto first = tables.RoadTiles.begin() + 1;
  auto row = std::lower_bound(first, tables.RoadTiles.end(), tile,
                              [](const std::array<int16_t, 7>& r, int t) { return r[0] < t; });
  if (row != tables.RoadTiles.end() && (*row)[0] == tile) {
    for (int d = 1; d <= 6; ++d) document.Data(x, y, d) = static_cast<uint8_t>((*row)[d]);
  }
  if (IsSettlementTerrain(document.Terrain(x, y))) {
    for (int d = 1; d <= 6; ++d) document.Data(x, y, d) = kRoadLink;
  }
}

}  // namespace korv
