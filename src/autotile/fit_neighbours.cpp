#include "autotile/fit_neighbours.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <optional>
#include <tuple>

#include "autotile/pattern_library.h"
#include "autotile/tile_knowledge.h"
#include "document/hex_grid.h"
#include "platform/random.h"

namespace korv {

namespace {

// The neighbour of (x, y) in direction d, when it lies on the map.
bool NeighbourOnMap(const MapDocument& document, int x, int y, int d, int& nx, int& ny) {
  auto sx = static_cast<int16_t>(x);
  auto sy = static_cast<int16_t>(y);
  NeighbourStep(sx, sy, d);
  nx = sx;
  ny = sy;
  return document.Contains(nx, ny);
}

const std::vector<int16_t> kNoTiles;

// A pick from `tiles`: the chooser's answer when it is one of them, else a
// random one with random tiles on, else the lowest.
int16_t PickAmong(const FitContext& context, const std::vector<int16_t>& tiles, int answer) {
  if (std::find(tiles.begin(), tiles.end(), answer) != tiles.end()) {
    return static_cast<int16_t>(answer);
  }
  if (context.randomTiles && tiles.size() > 1) {
    const auto at = static_cast<size_t>(std::floor(context.random.Uniform() * tiles.size()));
    return tiles[std::min(at, tiles.size() - 1)];
  }
  return tiles.front();
}

// Joining roads by their sides around one hex.
class RoadFitter {
 public:
  explicit RoadFitter(const FitContext& context) : c_(context) {}

  SideBits SidesAt(int x, int y) const { return c_.knowledge.SidesOf(c_.document.Tile(x, y)); }
  bool CarriesRoad(int x, int y) const { return c_.tables.RoadOf(c_.document.Tile(x, y)) == 1; }
  bool OpenToRoads(int x, int y) const { return IsOpenToRoads(c_.document.Terrain(x, y)); }
  int TerrainAt(int x, int y) const { return c_.tables.TerrainOf(c_.document.Tile(x, y)); }
  bool HasTiles(int terrain, SideBits sides) const {
    return !c_.knowledge.RoadTilesWith(terrain, sides).empty();
  }

  // The sides of the tile of (x, y), but `skip`, that are answered: they
  // lead off the map, into a settlement or into a tile with the side back.
  SideBits AnsweredSides(int x, int y, int skip) const {
    const SideBits own = SidesAt(x, y);
    SideBits kept = 0;
    for (int d = 1; d <= 6; ++d) {
      if (!(own & SideBit(d)) || d == skip) continue;
      int nx = 0;
      int ny = 0;
      if (!NeighbourOnMap(c_.document, x, y, d, nx, ny) || OpenToRoads(nx, ny) ||
          (SidesAt(nx, ny) & SideBit(OppositeSide(d)))) {
        kept = static_cast<SideBits>(kept | SideBit(d));
      }
    }
    return kept;
  }

  // The sides the road hex (x, y) takes when the hex across `toward` joins
  // it (or leaves it): its answered sides with (or without) that side, else
  // all its sides so; nothing when the sheet has a tile for neither.
  std::optional<SideBits> NeighbourSides(int x, int y, int toward, bool join) const {
    const SideBits bit = SideBit(toward);
    const int terrain = TerrainAt(x, y);
    for (SideBits base :
         {AnsweredSides(x, y, toward), static_cast<SideBits>(SidesAt(x, y) & ~bit)}) {
      const auto wanted = static_cast<SideBits>(join ? base | bit : base & ~bit);
      if (wanted != 0 && HasTiles(terrain, wanted)) return wanted;
    }
    return std::nullopt;
  }

  // The road ends between (x, y) and its neighbours if it had the sides
  // `sides` and each road neighbour were fitted to it where the sheet allows.
  int RoadEndsWith(int x, int y, SideBits sides) const {
    int ends = 0;
    for (int d = 1; d <= 6; ++d) {
      int nx = 0;
      int ny = 0;
      if (!NeighbourOnMap(c_.document, x, y, d, nx, ny) || OpenToRoads(nx, ny)) continue;
      const bool joined = (sides & SideBit(d)) != 0;
      if (!CarriesRoad(nx, ny)) {
        ends += joined ? 1 : 0;
        continue;
      }
      const bool back = (SidesAt(nx, ny) & SideBit(OppositeSide(d))) != 0;
      if (joined != back && !NeighbourSides(nx, ny, OppositeSide(d), joined)) ++ends;
    }
    return ends;
  }

  // Puts the road tile of the hex's terrain with exactly `sides` on it.
  void PutRoadTile(int x, int y, SideBits sides) const {
    const std::vector<int16_t>& tiles = c_.knowledge.RoadTilesWith(TerrainAt(x, y), sides);
    if (tiles.empty()) return;
    const ChooserContext chooser{c_.document, c_.tables, c_.folder, c_.random,
                                 c_.document.Tile(x, y)};
    int answer = -1;
    CheckRoads(chooser, x, y, answer);
    c_.document.Tile(x, y) = PickAmong(c_, tiles, answer);
  }

 private:
  const FitContext& c_;
};

}  // namespace

SideBits TileFitKnowledge::SidesOf(int tile) const {
  return tile >= 0 && static_cast<size_t>(tile) < RoadSides.size()
             ? RoadSides[static_cast<size_t>(tile)]
             : 0;
}

bool TileFitKnowledge::IsMember(int tile) const {
  return tile >= 0 && static_cast<size_t>(tile) < Member.size() &&
         Member[static_cast<size_t>(tile)] == 1;
}

SideBits TileFitKnowledge::PatternOf(int tile) const {
  return tile >= 0 && static_cast<size_t>(tile) < Pattern.size()
             ? Pattern[static_cast<size_t>(tile)]
             : 0;
}

const std::vector<int16_t>& TileFitKnowledge::RoadTilesWith(int terrain, SideBits sides) const {
  const auto found = RoadTilesBySides.find({terrain, sides});
  return found == RoadTilesBySides.end() ? kNoTiles : found->second;
}

TileFitKnowledge LoadTileFitKnowledge(const GameFolder& folder, const TileTables& tables) {
  TileFitKnowledge knowledge;
  const auto count = static_cast<size_t>(std::max<int>(tables.TileCount + 1, 0));
  knowledge.RoadSides.assign(count, 0);
  knowledge.Member.assign(count, 0);
  knowledge.Pattern.assign(count, 0);
  for (size_t row = 1; row < tables.RoadTiles.size(); ++row) {
    const auto& entry = tables.RoadTiles[row];
    if (!tables.IsTile(entry[0]) || static_cast<size_t>(entry[0]) >= count) continue;
    SideBits sides = 0;
    for (int d = 1; d <= 6; ++d) {
      if (entry[static_cast<size_t>(d)] != 0) sides = static_cast<SideBits>(sides | SideBit(d));
    }
    knowledge.RoadSides[static_cast<size_t>(entry[0])] = sides;
  }
  const auto members = ReadWholeFile(folder.Resolve(kPatternTilesFile));
  const auto patterns = ReadWholeFile(folder.Resolve(kPatternsFile));
  for (size_t t = 0; t < count; ++t) {
    const int tile = static_cast<int>(t);
    const SideBits sides = knowledge.RoadSides[t];
    if (tables.RoadOf(tile) == 1 && sides != 0) {
      knowledge.RoadTilesBySides[{tables.TerrainOf(tile), sides}].push_back(
          static_cast<int16_t>(tile));
    }
    // The lists' records hold tiles 0..999 only.
    if (t >= 1000 || !members || t >= members->size() || (*members)[t] != 1) continue;
    knowledge.Member[t] = 1;
    SideBits pattern = 0;
    for (size_t k = 0; k < 6; ++k) {
      const size_t at = 6 * t + k;
      if (patterns && at < patterns->size() && (*patterns)[at] != 0) {
        pattern = static_cast<SideBits>(pattern | SideBit(kNeighbourOrder[k]));
      }
    }
    knowledge.Pattern[t] = pattern;
    knowledge.MembersByTerrain[tables.TerrainOf(tile)].push_back(static_cast<int16_t>(tile));
  }
  return knowledge;
}

bool InTerrainFamily(int terrain, int neighbour) {
  if (terrain == 0 || terrain == 14) return neighbour == 0 || neighbour == 14;
  if (terrain == 5) return neighbour == 5 || neighbour == 14;
  if (IsWaterTerrain(terrain)) return IsWaterTerrain(neighbour);
  return neighbour == terrain;
}

SideBits SidesOnMap(const MapDocument& document, int x, int y) {
  SideBits sides = 0;
  for (int d = 1; d <= 6; ++d) {
    int nx = 0;
    int ny = 0;
    if (NeighbourOnMap(document, x, y, d, nx, ny))
      sides = static_cast<SideBits>(sides | SideBit(d));
  }
  return sides;
}

SideBits FamilySides(const MapDocument& document, int x, int y, int terrain) {
  SideBits sides = 0;
  for (int d = 1; d <= 6; ++d) {
    int nx = 0;
    int ny = 0;
    if (NeighbourOnMap(document, x, y, d, nx, ny) &&
        InTerrainFamily(terrain, document.Terrain(nx, ny))) {
      sides = static_cast<SideBits>(sides | SideBit(d));
    }
  }
  return sides;
}

int PatternAgreement(const TileFitKnowledge& knowledge, int tile, SideBits family, SideBits onMap) {
  const auto wrong = static_cast<unsigned>((knowledge.PatternOf(tile) ^ family) & onMap);
  return std::popcount(static_cast<unsigned>(onMap)) - std::popcount(wrong);
}

std::vector<int16_t> PatternStandIns(const TileFitKnowledge& knowledge, const TileTables& tables,
                                     int tile) {
  std::vector<int16_t> standIns;
  const auto members = knowledge.MembersByTerrain.find(tables.TerrainOf(tile));
  if (members == knowledge.MembersByTerrain.end()) return standIns;
  for (int16_t member : members->second) {
    if (knowledge.SidesOf(member) == knowledge.SidesOf(tile)) standIns.push_back(member);
  }
  return standIns;
}

HexList FitRoadsAround(const FitContext& context, int x, int y) {
  const RoadFitter fitter(context);
  const MapDocument& document = context.document;
  // The sides the hex should have: toward every road and settlement.
  SideBits wanted = 0;
  for (int d = 1; d <= 6; ++d) {
    int nx = 0;
    int ny = 0;
    if (NeighbourOnMap(document, x, y, d, nx, ny) &&
        (fitter.CarriesRoad(nx, ny) || fitter.OpenToRoads(nx, ny))) {
      wanted = static_cast<SideBits>(wanted | SideBit(d));
    }
  }
  if (wanted == 0) return {};
  const int terrain = fitter.TerrainAt(x, y);
  const SideBits own = fitter.SidesAt(x, y);
  // Of the side sets the sheet has for the terrain, the one that leaves the
  // fewest road ends; on a tie the wanted sides, then the tile's own, then
  // the closest to the wanted sides.
  std::optional<std::tuple<int, bool, bool, int, SideBits>> best;
  for (auto it = context.knowledge.RoadTilesBySides.lower_bound({terrain, 0});
       it != context.knowledge.RoadTilesBySides.end() && it->first.first == terrain; ++it) {
    const SideBits sides = it->first.second;
    const auto rank =
        std::make_tuple(fitter.RoadEndsWith(x, y, sides), sides != wanted, sides != own,
                        std::popcount(static_cast<unsigned>(sides ^ wanted)), sides);
    if (!best || rank < *best) best = rank;
  }
  if (!best) return {};
  const SideBits sides = std::get<4>(*best);
  HexList changed;
  if (sides != own) {
    fitter.PutRoadTile(x, y, sides);
    changed.emplace_back(x, y);
  }
  for (int d = 1; d <= 6; ++d) {
    int nx = 0;
    int ny = 0;
    if (!NeighbourOnMap(document, x, y, d, nx, ny) || fitter.OpenToRoads(nx, ny) ||
        !fitter.CarriesRoad(nx, ny)) {
      continue;
    }
    const int back = OppositeSide(d);
    const bool joined = (sides & SideBit(d)) != 0;
    if (!joined && !(fitter.SidesAt(nx, ny) & SideBit(back))) continue;
    const auto neighbourSides = fitter.NeighbourSides(nx, ny, back, joined);
    if (!neighbourSides || *neighbourSides == fitter.SidesAt(nx, ny)) continue;
    fitter.PutRoadTile(nx, ny, *neighbourSides);
    changed.emplace_back(nx, ny);
  }
  return changed;
}

HexList FitRoadSide(const FitContext& context, int x, int y, int side) {
  const RoadFitter fitter(context);
  HexList changed;
  if (side < 1 || side > 6) return changed;
  const auto own = static_cast<SideBits>(fitter.SidesAt(x, y) | SideBit(side));
  if (own != fitter.SidesAt(x, y) && fitter.HasTiles(fitter.TerrainAt(x, y), own)) {
    fitter.PutRoadTile(x, y, own);
    changed.emplace_back(x, y);
  }
  // The neighbour is joined only to a road that now leaves through the side.
  int nx = 0;
  int ny = 0;
  if (!(fitter.SidesAt(x, y) & SideBit(side)) ||
      !NeighbourOnMap(context.document, x, y, side, nx, ny) || fitter.OpenToRoads(nx, ny)) {
    return changed;
  }
  const auto back = static_cast<SideBits>(fitter.SidesAt(nx, ny) | SideBit(OppositeSide(side)));
  if (back != fitter.SidesAt(nx, ny) && fitter.HasTiles(fitter.TerrainAt(nx, ny), back)) {
    fitter.PutRoadTile(nx, ny, back);
    changed.emplace_back(nx, ny);
  }
  return changed;
}

bool FitPatternTile(const FitContext& context, int x, int y, int asTile) {
  const TileFitKnowledge& knowledge = context.knowledge;
  if (!knowledge.IsMember(asTile)) return false;
  const std::vector<int16_t> standIns = PatternStandIns(knowledge, context.tables, asTile);
  if (standIns.empty()) return false;
  MapDocument& document = context.document;
  const SideBits onMap = SidesOnMap(document, x, y);
  const SideBits family = FamilySides(document, x, y, context.tables.TerrainOf(asTile));
  int most = 0;
  for (int16_t tile : standIns)
    most = std::max(most, PatternAgreement(knowledge, tile, family, onMap));
  const auto fitsBest = [&](int tile) {
    return std::find(standIns.begin(), standIns.end(), tile) != standIns.end() &&
           PatternAgreement(knowledge, tile, family, onMap) == most;
  };
  const int16_t current = document.Tile(x, y);
  if (fitsBest(current)) return false;
  const ChooserContext chooser{document, context.tables, context.folder, context.random,
                               static_cast<int16_t>(asTile)};
  int answer = -1;
  AutoDrawTile(chooser, x, y, answer);
  int16_t chosen = 0;
  if (fitsBest(answer)) {
    chosen = static_cast<int16_t>(answer);
  } else {
    chosen = *std::find_if(standIns.begin(), standIns.end(), fitsBest);
  }
  if (chosen == current) return false;
  document.Tile(x, y) = chosen;
  return true;
}

HexList FitPatternRing(const FitContext& context, int x, int y) {
  HexList changed;
  for (int d : kNeighbourOrder) {
    int nx = 0;
    int ny = 0;
    if (!NeighbourOnMap(context.document, x, y, d, nx, ny)) continue;
    const int16_t tile = context.document.Tile(nx, ny);
    if (context.knowledge.IsMember(tile) && FitPatternTile(context, nx, ny, tile)) {
      changed.emplace_back(nx, ny);
    }
  }
  return changed;
}

}  // namespace korv
