#include "analysis/tile_seams.h"

#include <algorithm>
#include <bit>

#include "document/hex_grid.h"

namespace korv {

namespace {

// Whether the sheet could close the road end of (x, y) through side d
// toward (nx, ny): the neighbour taking a road back, or the hex giving the
// side up and keeping a road.
bool RoadEndClosable(const MapDocument& document, const TileTables& tables,
                     const TileFitKnowledge& knowledge, int x, int y, int d, int nx, int ny) {
  const int16_t neighbour = document.Tile(nx, ny);
  const auto back = static_cast<SideBits>(knowledge.SidesOf(neighbour) | SideBit(OppositeSide(d)));
  if (!knowledge.RoadTilesWith(tables.TerrainOf(neighbour), back).empty()) return true;
  const int16_t tile = document.Tile(x, y);
  const auto without = static_cast<SideBits>(knowledge.SidesOf(tile) & ~SideBit(d));
  return without != 0 && !knowledge.RoadTilesWith(tables.TerrainOf(tile), without).empty();
}

bool EdgeSeam(const MapDocument& document, const TileTables& tables,
              const TileFitKnowledge& knowledge, int x, int y) {
  const int16_t tile = document.Tile(x, y);
  if (!knowledge.IsMember(tile)) return false;
  const SideBits onMap = SidesOnMap(document, x, y);
  const SideBits family = FamilySides(document, x, y, tables.TerrainOf(tile));
  const int all = std::popcount(static_cast<unsigned>(onMap));
  if (PatternAgreement(knowledge, tile, family, onMap) == all) return false;
  const std::vector<int16_t> standIns = PatternStandIns(knowledge, tables, tile);
  return std::any_of(standIns.begin(), standIns.end(), [&](int16_t other) {
    return PatternAgreement(knowledge, other, family, onMap) == all;
  });
}

}  // namespace

std::vector<TileSeam> TileSeamsAt(const MapDocument& document, const TileTables& tables,
                                  const TileFitKnowledge& knowledge, int x, int y) {
  std::vector<TileSeam> seams;
  const int16_t tile = document.Tile(x, y);
  const SideBits sides = tables.RoadOf(tile) == 1 ? knowledge.SidesOf(tile) : 0;
  for (int d = 1; d <= 6; ++d) {
    if (!(sides & SideBit(d))) continue;
    auto nx = static_cast<int16_t>(x);
    auto ny = static_cast<int16_t>(y);
    NeighbourStep(nx, ny, d);
    if (!document.Contains(nx, ny) || IsOpenToRoads(document.Terrain(nx, ny))) continue;
    const int16_t neighbour = document.Tile(nx, ny);
    if (tables.RoadOf(neighbour) == 1 &&
        (knowledge.SidesOf(neighbour) & SideBit(OppositeSide(d)))) {
      continue;
    }
    if (RoadEndClosable(document, tables, knowledge, x, y, d, nx, ny)) {
      seams.push_back({x, y, TileSeam::kRoadEnd, d});
    }
  }
  if (EdgeSeam(document, tables, knowledge, x, y)) seams.push_back({x, y, TileSeam::kEdgeSeam, 0});
  return seams;
}

std::vector<TileSeam> FindTileSeams(const MapDocument& document, const TileTables& tables,
                                    const TileFitKnowledge& knowledge) {
  std::vector<TileSeam> seams;
  for (int x = 0; x <= document.MapWidth; ++x) {
    for (int y = 0; y <= document.MapHeight; ++y) {
      for (const TileSeam& seam : TileSeamsAt(document, tables, knowledge, x, y)) {
        seams.push_back(seam);
      }
    }
  }
  return seams;
}

std::optional<TileSeam> NextTileSeam(const MapDocument& document, const TileTables& tables,
                                     const TileFitKnowledge& knowledge, int firstColumn,
                                     int afterRow) {
  for (int x = std::max(firstColumn, 0); x <= document.MapWidth; ++x) {
    for (int y = x == firstColumn ? afterRow + 1 : 0; y <= document.MapHeight; ++y) {
      const std::vector<TileSeam> seams = TileSeamsAt(document, tables, knowledge, x, y);
      if (!seams.empty()) return seams.front();
    }
  }
  return std::nullopt;
}

std::string TileSeamText(const TileSeam& seam) {
  static constexpr const char* kSides[] = {"lower right", "bottom", "lower left",
                                           "upper left",  "top",    "upper right"};
  std::string text = "Hex (" + std::to_string(seam.x) + ", " + std::to_string(seam.y) + "): ";
  if (seam.kind == TileSeam::kEdgeSeam) return text + "an edge that does not fit its neighbours";
  const int side = std::clamp(seam.side, 1, 6);
  return text + "a road that ends at its " + kSides[side - 1] + " side";
}

}  // namespace korv
