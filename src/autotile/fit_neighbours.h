// "Fit Neighbours": auto-tiling that keeps a painted hex and its ring in
// agreement. Roads are joined by their sides: the painted hex gets the road
// tile whose sides lead to its road neighbours, and those neighbours get the
// side toward it. Tiles that are members of the terrain pattern lists are
// chosen again from the hex's neighbours of their terrain family, so that
// coasts, lakes and rivers close. The same knowledge tells the seam finder
// (analysis/tile_seams.h) which seams the tile sheet could close.
//
// The choices here only ever change `HexTile` (and the painted hex's
// terrain); the caller joins the roads of the hexes they report changed.
#pragma once

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "autotile/choosers.h"
#include "autotile/tile_tables.h"
#include "document/map_document.h"
#include "platform/files.h"

namespace korv {

// Hex sides as bits: bit d-1 for direction d (1 lower right .. 6 upper right).
using SideBits = uint8_t;
constexpr SideBits SideBit(int d) {
  return static_cast<SideBits>(1u << (d - 1));
}

// What fitting needs to know of every tile, read once per use from the tile
// tables (road sides) and from mapedit/ptiles.dat and patterns.dat (pattern
// membership and the neighbours of its family each member fits).
struct TileFitKnowledge {
  std::vector<SideBits> RoadSides;  // per tile 0..TileCount
  std::vector<uint8_t> Member;      // per tile: 1 for a member of the terrain pattern lists
  std::vector<SideBits> Pattern;    // per tile, in direction bits
  // The tiles carrying a road, by terrain and exact sides, in rising order.
  std::map<std::pair<int, SideBits>, std::vector<int16_t>> RoadTilesBySides;
  // The member tiles of each terrain, in rising order.
  std::map<int, std::vector<int16_t>> MembersByTerrain;

  SideBits SidesOf(int tile) const;
  bool IsMember(int tile) const;
  SideBits PatternOf(int tile) const;
  // The road tiles of `terrain` whose sides are exactly `sides` (none for 0).
  const std::vector<int16_t>& RoadTilesWith(int terrain, SideBits sides) const;
};

TileFitKnowledge LoadTileFitKnowledge(const GameFolder& folder, const TileTables& tables);

// Whether a neighbour of terrain `neighbour` belongs to the family of a
// tile of terrain `terrain`, as the choosers count them: sea with ports,
// towns with ports, the three waters together, else the terrain alone.
bool InTerrainFamily(int terrain, int neighbour);
// The sides of (x, y) whose neighbour lies on the map.
SideBits SidesOnMap(const MapDocument& document, int x, int y);
// The sides of (x, y) whose neighbour on the map is of the family of `terrain`.
SideBits FamilySides(const MapDocument& document, int x, int y, int terrain);
// How many of the on-map sides a member's pattern gets right.
int PatternAgreement(const TileFitKnowledge& knowledge, int tile, SideBits family, SideBits onMap);
// The member tiles that could stand for `tile`: members of its terrain with
// the same road sides.
std::vector<int16_t> PatternStandIns(const TileFitKnowledge& knowledge, const TileTables& tables,
                                     int tile);

// Settlement terrains: open on every side to roads.
constexpr bool IsOpenToRoads(int terrain) {
  return terrain == 5 || terrain == 6 || terrain == 14;
}

struct FitContext {
  MapDocument& document;
  const TileTables& tables;
  const TileFitKnowledge& knowledge;
  const GameFolder& folder;
  RandomSource& random;
  bool randomTiles = false;
};

using HexList = std::vector<std::pair<int, int>>;

// After hex (x, y) was painted with a road tile: the hex gets the road tile
// of its terrain whose sides lead to its neighbours that carry a road or
// are settlements (where the sheet has none, the set of sides that leaves
// the fewest road ends, or its tile as it is when that leaves no more), and
// each road neighbour it joins gets the side toward it, keeping only those
// of its own sides that are answered. Returns the hexes whose tile changed.
HexList FitRoadsAround(const FitContext& context, int x, int y);
// The road-side tool set side `side` of (x, y): the hex's tile gets that
// side added, and when it has it, the neighbour across it the side back.
// Returns the hexes whose tile changed.
HexList FitRoadSide(const FitContext& context, int x, int y, int side);
// Chooses again the member tile of (x, y) of the terrain of `asTile`, for
// its neighbours of that terrain's family: a tile that fits already stays,
// else the chooser's answer when it fits best, else the lowest member that
// agrees in the most sides. True when the hex's tile changed.
bool FitPatternTile(const FitContext& context, int x, int y, int asTile);
// FitPatternTile for each of the six neighbours of (x, y) whose tile is a member.
HexList FitPatternRing(const FitContext& context, int x, int y);

}  // namespace korv
