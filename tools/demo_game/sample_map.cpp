// The demo game's sample map (see sample_map.h). The landscape is laid out
// in two passes: first what each hex is (sea, woods, a river, a road ...),
// from coordinate rules, noise and walks from hex to hex; then the tile of
// each hex is looked up in the tile table from its kind and its sides, so
// the map's terrain and road bytes always agree with its tiles.
#include "sample_map.h"

#include <array>
#include <cmath>
#include <vector>

#include "canvas.h"
#include "document/hex_grid.h"
#include "platform/random.h"

namespace korv::demo {

namespace {

enum class Land {
  kSea,
  kClear,
  kForest,
  kHills,
  kMountain,
  kMassif,
  kRough,
  kDesert,
  kSwamp,
  kFarmland,
  kLake,
  kRiver,
  kStream,
  kTown,
  kPort,
  kAirfield,
  kFortress,
};

struct Hex {
  Land land = Land::kClear;
  SideSet water = 0;               // river and stream course
  std::array<uint8_t, 7> links{};  // index 1..6: 0 none, 1 road, 2 rail road
  int16_t tile = -1;               // fixed tile (the massif)
};

struct Place {
  int16_t x;
  int16_t y;
};

// A way from hex to hex: a start and one direction digit (1..6) per step.
struct Walk {
  Place start;
  const char* steps;
};

// In row y, the hexes left of column kWestCoast[y] are sea. The coast bends west round the bay of
// the river mouth and runs south-east along the bottom of the map.
constexpr int kWestCoast[kSampleMapHeight + 1] = {7,  7,  6,  6,  6,  7,  8,  8,  7, 6, 6,
                                                  7,  7,  6,  5,  5,  6,  7,  7,  8, 9, 9,
                                                  10, 11, 12, 13, 14, 15, 16, 17, 18};

constexpr Place kIsland{3, 23};

// Tile 86 of the massif stands here. Its column is even (a lower column),
// the case MassifParts() gives the other parts' positions for.
constexpr Place kMassifCentre{30, 6};

constexpr Place kPortTown{7, 17};
constexpr Place kCapitalWest{13, 16};  // primary objective of nation 1
constexpr Place kNorthTown{17, 6};     // secondary objective of nation 1
constexpr Place kAirfieldWest{10, 6};  // secondary objective of nation 1
constexpr Place kCapitalEast{30, 17};  // primary objective of nation 2
constexpr Place kSouthTown{25, 25};    // secondary objective of nation 2
constexpr Place kRiverTown{24, 6};     // secondary objective of nation 2
constexpr Place kOilWell{36, 26};      // oil resource of nation 2
constexpr Place kFortress{27, 13};

constexpr Place kLake[] = {{22, 20}, {23, 21}, {22, 21}};
// The two capitals spread over three hexes each.
constexpr Place kCapitalQuarters[] = {{13, 15}, {14, 16}, {30, 16}, {31, 17}};

// The river rises in the hills below the massif and reaches the sea at the
// bay; its last step ends in the sea.
constexpr Walk kRiver{{27, 10}, "3434343432343434343433"};
// A stream feeds the lake; its last step ends in the lake.
constexpr Walk kStream{{26, 20}, "334"};

constexpr Walk kRoads[] = {
    {kPortTown, "161666"},                 // port to the western capital
    {kCapitalWest, "665555555566"},        // north over the river to the north town
    {kCapitalWest, "216161616161616161"},  // east to the eastern capital
    {kNorthTown, "4343433"},               // to the airfield
    {kRiverTown, "22222222222"},           // south over the river to the east road
    {kCapitalEast, "3232323232"},          // to the south town
    {kCapitalEast, "121212121212"},        // to the oil well
    // Streets from each capital into its other quarters.
    {kCapitalWest, "5"},
    {kCapitalWest, "1"},
    {kCapitalEast, "5"},
    {kCapitalEast, "6"},
};
constexpr Walk kRailRoads[] = {
    {kPortTown, "5616161"},  // the port line to the western capital
};

constexpr Place kDeployWest[] = {{12, 14}, {11, 15}, {12, 13}, {14, 14}, {13, 14}};
constexpr Place kDeployEast[] = {{31, 16}, {32, 16}, {30, 15}, {29, 15}, {31, 15}};

class Builder {
 public:
  explicit Builder(const TileCatalogue& catalogue) : catalogue_(catalogue) {
    hexes_.resize(static_cast<size_t>((kSampleMapWidth + 1) * (kSampleMapHeight + 1)));
  }

  bool Build(MapDocument& document, std::string& error) {
    LayLand();
    if (!LayWater(error) || !LayRoads(error)) return false;
    document = MapDocument{};
    document.MapWidth = kSampleMapWidth;
    document.MapHeight = kSampleMapHeight;
    document.NationSetName = "default";
    AllocateMapLayers(document);
    if (!ChooseTiles(document, error)) return false;
    SetControl(document);
    return true;
  }

 private:
  static bool Inside(int x, int y) {
    return x >= 0 && y >= 0 && x <= kSampleMapWidth && y <= kSampleMapHeight;
  }
  Hex& At(int x, int y) { return hexes_[static_cast<size_t>(y * (kSampleMapWidth + 1) + x)]; }
  const Hex& At(int x, int y) const {
    return hexes_[static_cast<size_t>(y * (kSampleMapWidth + 1) + x)];
  }
  Hex& At(Place p) { return At(p.x, p.y); }
  static Place Step(Place p, int d) {
    NeighbourStep(p.x, p.y, d);
    return p;
  }
  // Centre of a hex in whole-map pixels, for distances.
  static Point Centre(int x, int y) {
    const PixelPoint origin = HexToPixel(HexGeometry{}, x, y);
    return {origin.left + kTileWidth / 2.0f, origin.top + kTileHeight / 2.0f};
  }

  void LayLand() {
    const Point massif = Lerp(Centre(kMassifCentre.x, kMassifCentre.y),
                              Centre(kMassifCentre.x + 1, kMassifCentre.y), 0.5f);
    for (int y = 0; y <= kSampleMapHeight; ++y) {
      for (int x = 0; x <= kSampleMapWidth; ++x) {
        Hex& hex = At(x, y);
        const Point p = Centre(x, y);
        const float wiggle = Fbm(p.x / 90.0f, p.y / 90.0f, 31u, 2) * 90.0f;
        const float fromMassif = Length(p - massif) + wiggle;
        const float woods = Fbm(p.x / 240.0f, p.y / 240.0f, 77u, 3);
        const float fields = HashUnit(static_cast<uint32_t>(x), static_cast<uint32_t>(y), 5u);
        if (x < kWestCoast[y]) {
          hex.land = Land::kSea;
        } else if (fromMassif < 220) {
          hex.land = Land::kMountain;
        } else if (fromMassif < 320) {
          hex.land = woods > 0.6f ? Land::kForest : Land::kHills;
        } else if (x >= 33 && y >= 23) {
          hex.land = fields < 0.8f ? Land::kDesert : Land::kRough;
        } else if (x >= 31 && y >= 21) {
          hex.land = Land::kRough;
        } else if (woods > 0.6f) {
          hex.land = Land::kForest;
        } else if (fromMassif < 380 && fields < 0.5f) {
          hex.land = Land::kRough;
        }
      }
    }
    At(kIsland).land = Land::kForest;
    // Farmland round the towns, swamp at the river mouth.
    for (int y = 0; y <= kSampleMapHeight; ++y) {
      for (int x = 0; x <= kSampleMapWidth; ++x) {
        Hex& hex = At(x, y);
        if (hex.land != Land::kClear && hex.land != Land::kForest) continue;
        const Point p = Centre(x, y);
        const float fields = HashUnit(static_cast<uint32_t>(x), static_cast<uint32_t>(y), 9u);
        for (Place town : {kCapitalWest, kCapitalEast, kSouthTown, kNorthTown})
          if (Length(p - Centre(town.x, town.y)) < 130 && fields < 0.7f) hex.land = Land::kFarmland;
        if (Length(p - Centre(8, 12)) < 110 && fields < 0.75f) hex.land = Land::kSwamp;
      }
    }
    for (const MassifPart& part : MassifParts()) {
      Hex& hex = At(kMassifCentre.x + part.Column, kMassifCentre.y + part.Row);
      hex.land = Land::kMassif;
      hex.tile = part.Tile;
    }
    for (Place p : kLake) At(p).land = Land::kLake;
    At(kPortTown).land = Land::kPort;
    for (Place town : {kCapitalWest, kNorthTown, kCapitalEast, kSouthTown, kRiverTown})
      At(town).land = Land::kTown;
    for (Place quarter : kCapitalQuarters) At(quarter).land = Land::kTown;
    At(kAirfieldWest).land = Land::kAirfield;
    At(kFortress).land = Land::kFortress;
  }

  bool LayCourse(const Walk& walk, Land land, std::string& error) {
    Place here = walk.start;
    int from = 0;  // side toward the previous hex
    for (const char* c = walk.steps;; ++c) {
      Hex& hex = At(here);
      hex.land = land;
      if (from) hex.water = static_cast<SideSet>(hex.water | SideBit(from));
      if (*c == 0) {
        error = "the water course from " + Name(walk.start) + " does not end in open water";
        return false;
      }
      const int d = *c - '0';
      hex.water = static_cast<SideSet>(hex.water | SideBit(d));
      const Place next = Step(here, d);
      if (!Inside(next.x, next.y)) {
        error = "the water course from " + Name(walk.start) + " leaves the map";
        return false;
      }
      if (c[1] == 0) {
        const Land mouth = At(next).land;
        if (mouth != Land::kSea && mouth != Land::kLake) {
          error = "the water course from " + Name(walk.start) + " ends at " + Name(next) +
                  ", which is not open water";
          return false;
        }
        return true;
      }
      from = OppositeSide(d);
      here = next;
    }
  }

  bool LayWater(std::string& error) {
    return LayCourse(kRiver, Land::kRiver, error) && LayCourse(kStream, Land::kStream, error);
  }

  bool LayWay(const Walk& walk, uint8_t kind, std::string& error) {
    Place here = walk.start;
    for (const char* c = walk.steps; *c; ++c) {
      const int d = *c - '0';
      const Place next = Step(here, d);
      if (!Inside(next.x, next.y)) {
        error = "the way from " + Name(walk.start) + " leaves the map";
        return false;
      }
      At(here).links[static_cast<size_t>(d)] = kind;
      At(next).links[static_cast<size_t>(OppositeSide(d))] = kind;
      here = next;
    }
    return true;
  }

  bool LayRoads(std::string& error) {
    for (const Walk& walk : kRoads)
      if (!LayWay(walk, kRoadLink, error)) return false;
    for (const Walk& walk : kRailRoads)
      if (!LayWay(walk, kRailLink, error)) return false;
    // A road clears its way through woods, fields and rough ground.
    for (Hex& hex : hexes_) {
      bool linked = false;
      for (int d = 1; d <= 6; ++d) linked = linked || hex.links[static_cast<size_t>(d)] != 0;
      if (!linked) continue;
      switch (hex.land) {
        case Land::kRiver:
        case Land::kTown:
        case Land::kPort:
        case Land::kAirfield:
          break;
        case Land::kSea:
        case Land::kLake:
        case Land::kStream:
        case Land::kMassif:
        case Land::kFortress:
          error = "a road or rail road runs into water, the massif or the fortress";
          return false;
        default:
          hex.land = Land::kClear;
          break;
      }
    }
    return true;
  }

  static std::string Name(Place p) {
    return "hex " + std::to_string(p.x) + "," + std::to_string(p.y);
  }

  // Sides whose neighbour is of the given kinds; outside the map counts as
  // `outside` (the sea goes on beyond the edge, a lake does not).
  SideSet SidesToward(int x, int y, std::initializer_list<Land> kinds, bool outside) const {
    SideSet sides = 0;
    for (int d = 1; d <= 6; ++d) {
      const Place n = Step({static_cast<int16_t>(x), static_cast<int16_t>(y)}, d);
      bool match = outside;
      if (Inside(n.x, n.y)) {
        match = false;
        for (Land kind : kinds) match = match || At(n.x, n.y).land == kind;
      }
      if (match) sides = static_cast<SideSet>(sides | SideBit(d));
    }
    return sides;
  }

  int16_t RandomVariant(TileArt art) {
    std::vector<int16_t> choices;
    for (int16_t tile : catalogue_.OfArt(art))
      if (catalogue_.Tiles[static_cast<size_t>(tile)].RandomVariant) choices.push_back(tile);
    if (choices.empty()) return -1;
    const auto pick = static_cast<size_t>(random_.Uniform() * static_cast<double>(choices.size()));
    return choices[std::min(pick, choices.size() - 1)];
  }

  int16_t FirstOf(TileArt art, int variant) const {
    for (int16_t tile : catalogue_.OfArt(art))
      if (catalogue_.Tiles[static_cast<size_t>(tile)].Variant == variant) return tile;
    return -1;
  }

  int16_t TileFor(int x, int y) {
    const Hex& hex = At(x, y);
    SideSet roads = 0, rails = 0;
    for (int d = 1; d <= 6; ++d) {
      if (hex.links[static_cast<size_t>(d)] == kRoadLink)
        roads = static_cast<SideSet>(roads | SideBit(d));
      if (hex.links[static_cast<size_t>(d)] == kRailLink)
        rails = static_cast<SideSet>(rails | SideBit(d));
    }
    switch (hex.land) {
      case Land::kSea: {
        const SideSet sea = SidesToward(x, y, {Land::kSea, Land::kPort}, true);
        if (sea == kAllSides) return RandomVariant(TileArt::kOpenSea);
        return catalogue_.Find(TileArt::kCoast, 0, 0, sea);
      }
      case Land::kLake:
        return catalogue_.Find(TileArt::kLake, 0, 0, SidesToward(x, y, {Land::kLake}, false));
      case Land::kPort:
        return catalogue_.Find(TileArt::kPort, 0, 0,
                               SidesToward(x, y, {Land::kSea, Land::kPort}, true));
      case Land::kRiver:
        if (roads) return catalogue_.Find(TileArt::kBridge, roads, 0, hex.water);
        return catalogue_.Find(TileArt::kRiver, 0, 0, hex.water);
      case Land::kStream:
        return catalogue_.Find(TileArt::kStream, 0, 0, hex.water);
      case Land::kClear:
        if (roads && rails) return -1;
        if (roads) return catalogue_.Find(TileArt::kRoad, roads, 0, 0);
        if (rails) return catalogue_.Find(TileArt::kRail, 0, rails, 0);
        return RandomVariant(TileArt::kClear);
      case Land::kForest:
        if (SidesToward(x, y, {Land::kForest}, false) == 0) return FirstOf(TileArt::kCopse, 0);
        return RandomVariant(TileArt::kForest);
      case Land::kHills:
        return RandomVariant(TileArt::kHills);
      case Land::kMountain:
        return RandomVariant(TileArt::kMountain);
      case Land::kMassif:
        return hex.tile;
      case Land::kRough:
        return RandomVariant(TileArt::kRough);
      case Land::kDesert:
        return RandomVariant(TileArt::kDesert);
      case Land::kSwamp:
        return RandomVariant(TileArt::kSwamp);
      case Land::kFarmland:
        return RandomVariant(TileArt::kFarmland);
      case Land::kTown:
        return RandomVariant(TileArt::kTown);
      case Land::kAirfield:
        return FirstOf(TileArt::kAirfield, 1);
      case Land::kFortress:
        return FirstOf(TileArt::kFortress, 0);
    }
    return -1;
  }

  bool ChooseTiles(MapDocument& document, std::string& error) {
    for (int x = 0; x <= kSampleMapWidth; ++x) {
      for (int y = 0; y <= kSampleMapHeight; ++y) {
        const int16_t tile = TileFor(x, y);
        if (tile < 0) {
          error = "no tile fits " + Name({static_cast<int16_t>(x), static_cast<int16_t>(y)});
          return false;
        }
        document.Tile(x, y) = tile;
        document.Terrain(x, y) = catalogue_.Tiles[static_cast<size_t>(tile)].Terrain;
        for (int d = 1; d <= 6; ++d)
          document.Data(x, y, d) = At(x, y).links[static_cast<size_t>(d)];
      }
    }
    return true;
  }

  void SetControl(MapDocument& document) const {
    // Every road hex and settlement belongs to the nation on its side of the
    // border between the western and the eastern half.
    for (int x = 0; x <= kSampleMapWidth; ++x) {
      for (int y = 0; y <= kSampleMapHeight; ++y) {
        const Hex& hex = At(x, y);
        bool road =
            hex.land == Land::kTown || hex.land == Land::kPort || hex.land == Land::kAirfield;
        for (int d = 1; d <= 6; ++d) road = road || hex.links[static_cast<size_t>(d)] != 0;
        if (road) document.Owner(x, y) = x <= 21 ? 1 : 2;
      }
    }
    const struct {
      Place place;
      ObjectiveMark mark;
    } kObjectives[] = {
        {kCapitalWest, kPrimaryObjective}, {kPortTown, kSecondaryObjective},
        {kNorthTown, kSecondaryObjective}, {kAirfieldWest, kSecondaryObjective},
        {kCapitalEast, kPrimaryObjective}, {kSouthTown, kSecondaryObjective},
        {kRiverTown, kSecondaryObjective}, {kOilWell, kOilResource},
    };
    for (const auto& objective : kObjectives) {
      document.Mark(objective.place.x, objective.place.y) = objective.mark;
      document.OriginalOwner(objective.place.x, objective.place.y) =
          document.Owner(objective.place.x, objective.place.y);
    }
    for (Place p : kDeployWest) document.Deployment(p.x, p.y) = 1;
    for (Place p : kDeployEast) document.Deployment(p.x, p.y) = 2;
    RebuildObjectiveList(document);
  }

  const TileCatalogue& catalogue_;
  std::vector<Hex> hexes_;
  korv::SeededRandom random_{0x4b6f7276'64656d6full};
};

}  // namespace

bool BuildSampleMap(const TileCatalogue& catalogue, MapDocument& document, std::string& error) {
  Builder builder(catalogue);
  return builder.Build(document, error);
}

}  // namespace korv::demo
