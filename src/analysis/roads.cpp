#include "analysis/roads.h"

#include <algorithm>

#include "document/hex_grid.h"

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

void TrimOneSidedExits(MapDocument& document, int x, int y) {
  for (int d = 1; d <= 6; ++d) {
    if (document.Data(x, y, d) != kRoadLink) continue;
    auto nx = static_cast<int16_t>(x);
    auto ny = static_cast<int16_t>(y);
    NeighbourStep(nx, ny, d);
    if (document.Contains(nx, ny) && document.Data(nx, ny, OppositeSide(d)) == kNoLink) {
      document.Data(x, y, d) = kNoLink;
    }
  }
}

void FillInPossibleRoadConnections(MapDocument& document, const TileTables& tables) {
  for (int x = 0; x <= document.MapWidth; ++x)
    for (int y = 0; y <= document.MapHeight; ++y) ConnectRoads(document, tables, x, y);
  for (int x = 0; x <= document.MapWidth; ++x)
    for (int y = 0; y <= document.MapHeight; ++y) TrimOneSidedExits(document, x, y);
}

int CountRoadHexes(const MapDocument& document, const TileTables& tables) {
  int count = 0;
  for (int16_t tile : document.HexTile) count += tables.RoadOf(tile) == 1 ? 1 : 0;
  return count;
}

std::string RoadHexCountMessage(int count) {
  return (count >= 0 ? " " : "") + std::to_string(count) + " road hexes on map.";
}

std::optional<RoadProblem> FindRoadProblem(MapDocument& document, const TileTables& tables,
                                           int firstColumn, int afterRow) {
  for (int x = 0; x <= document.MapWidth; ++x)
    for (int y = 0; y <= document.MapHeight; ++y) ConnectRoads(document, tables, x, y);
  for (int x = std::max(firstColumn, 0); x <= document.MapWidth; ++x) {
    for (int y = 0; y <= document.MapHeight; ++y) {
      TrimOneSidedExits(document, x, y);
      if (x == firstColumn && y <= afterRow) continue;
      const bool roadTile = tables.RoadOf(document.Tile(x, y)) == 1;
      if (roadTile && x > 1 && x < document.MapWidth && y > 1 && y < document.MapHeight) {
        int exits = 0;
        for (int d = 1; d <= 6; ++d) exits += document.Data(x, y, d) == kRoadLink ? 1 : 0;
        if (exits < 2) return RoadProblem{x, y, RoadProblem::kDeadEnd};
      }
      const bool roadHex = IsSettlementTerrain(document.Terrain(x, y)) || roadTile;
      if (roadHex && document.Owner(x, y) == 0) {
        return RoadProblem{x, y, RoadProblem::kRoadWithoutOwner};
      }
      if (!roadHex && document.Owner(x, y) > 0) {
        return RoadProblem{x, y, RoadProblem::kOwnedOffTheRoads};
      }
    }
  }
  return std::nullopt;
}

std::string RoadProblemText(const RoadProblem& problem) {
  static constexpr const char* kKinds[] = {"a road that ends", "a road hex nobody owns",
                                           "an owned hex off the roads"};
  return "Hex (" + std::to_string(problem.x) + ", " + std::to_string(problem.y) +
         "): " + kKinds[problem.kind];
}

void SetRoadsOnly(MapDocument& document, const TileTables& tables, const HexRange& area,
                  uint8_t nation) {
  ForEachHex(area, [&](int x, int y) {
    if (tables.RoadOf(document.Tile(x, y)) == 1) document.Owner(x, y) = nation;
  });
}

}  // namespace korv
