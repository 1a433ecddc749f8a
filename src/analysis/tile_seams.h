// Tile seams: where neighbouring tiles do not meet although the tile sheet
// has tiles that would. Two kinds: a road end (a side through which a
// hex's tile carries a road while the neighbour there carries none back; a
// settlement is open on every side), and an edge seam (a member tile of the
// terrain pattern lists whose pattern differs from which of its neighbours
// are of its terrain family, while another member of its terrain with the
// same road sides has exactly that pattern). Neighbours off the map do not
// count, and a seam no tile of the sheet can close is not a seam here.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "autotile/fit_neighbours.h"
#include "document/map_document.h"

namespace korv {

struct TileSeam {
  int x = 0;
  int y = 0;
  enum Kind { kRoadEnd, kEdgeSeam } kind = kRoadEnd;
  int side = 0;  // a road end's side (1..6)
  bool operator==(const TileSeam&) const = default;
};

// The seams of hex (x, y): its road ends side by side, then its edge seam.
std::vector<TileSeam> TileSeamsAt(const MapDocument& document, const TileTables& tables,
                                  const TileFitKnowledge& knowledge, int x, int y);
// Every seam of the map, column by column (x outer, y inner).
std::vector<TileSeam> FindTileSeams(const MapDocument& document, const TileTables& tables,
                                    const TileFitKnowledge& knowledge);
// The first hex with a seam from column `firstColumn` on (rows from 0),
// passing over the hexes of that column up to row `afterRow`.
std::optional<TileSeam> NextTileSeam(const MapDocument& document, const TileTables& tables,
                                     const TileFitKnowledge& knowledge, int firstColumn,
                                     int afterRow = -1);
// What the progress label says of a seam.
std::string TileSeamText(const TileSeam& seam);

}  // namespace korv
