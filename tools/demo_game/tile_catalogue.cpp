// The demo tile table and the reference files made from it (see tile_catalogue.h).
#include "tile_catalogue.h"

#include "document/hex_grid.h"

#include <algorithm>
#include <optional>

namespace korv::demo {

namespace {

constexpr TerrainType kTerrainTypes[] = {
    {"Ocean", 38, 84, 150, 0, 0, 1, 1},      {"Clear", 142, 176, 88, 1, 0, 1, 0},
    {"River", 70, 132, 214, 3, 1, 1, 1},     {"Mountain", 128, 108, 88, 4, 3, 2, 0},
    {"Hills", 170, 158, 96, 2, 2, 2, 0},     {"Town", 196, 64, 52, 1, 3, 0, 0},
    {"Airfield", 196, 196, 204, 1, 1, 1, 0}, {"Swamp", 104, 132, 104, 3, 0, 1, 0},
    {"Forest", 40, 98, 42, 2, 2, 0, 0},      {"Rough", 158, 136, 104, 2, 1, 1, 0},
    {"Desert", 230, 208, 140, 2, 0, 1, 0},   {"Lake", 58, 118, 196, 0, 0, 1, 1},
    {"Stream", 96, 156, 222, 2, 1, 1, 1},    {"Fortress", 112, 64, 64, 1, 4, 2, 0},
    {"Port", 226, 110, 44, 1, 2, 1, 0},      {"Farmland", 196, 188, 84, 1, 0, 1, 0},
};

constexpr MassifPart kMassifParts[] = {
    {75, -1, 0}, {76, 0, -1}, {78, 1, -1},  {86, 0, 0},  {90, -1, 1},
    {94, 1, 0},  {104, 1, 1}, {105, 2, -1}, {115, 0, 1}, {192, 2, 0},
};

SideSet Sides(std::initializer_list<int> sides) {
  SideSet set = 0;
  for (int d : sides) set = static_cast<SideSet>(set | SideBit(d));
  return set;
}

int Opposite(int d) {
  return d + 3 > 6 ? d - 3 : d + 3;
}
int Turn(int d, int steps) {
  return (d - 1 + steps + 60) % 6 + 1;
}

// Places entries on the sheet in reading order, around the tiles whose
// numbers are fixed.
class SheetBuilder {
 public:
  void Reserve(const TileEntry& entry) {
    Grow(static_cast<size_t>(entry.Number) + 1);
    slots_[static_cast<size_t>(entry.Number)] = entry;
  }
  void Add(TileEntry entry) {
    while (next_ < slots_.size() && slots_[next_]) ++next_;
    Grow(next_ + 1);
    entry.Number = static_cast<int16_t>(next_);
    slots_[next_] = entry;
    ++next_;
  }
  TileCatalogue Finish() {
    const size_t row = static_cast<size_t>(kTilesPerRow);
    Grow((slots_.size() + row - 1) / row * row);
    TileCatalogue catalogue;
    for (size_t i = 0; i < slots_.size(); ++i) {
      TileEntry entry = slots_[i].value_or(TileEntry{});
      entry.Number = static_cast<int16_t>(i);
      catalogue.Tiles.push_back(entry);
    }
    catalogue.Rows = static_cast<int>(slots_.size() / row);
    return catalogue;
  }

 private:
  void Grow(size_t size) {
    if (slots_.size() < size) slots_.resize(size);
  }
  std::vector<std::optional<TileEntry>> slots_;
  size_t next_ = 0;
};

TileEntry Plain(uint8_t terrain, TileArt art, int variant, bool random, const char* description) {
  TileEntry entry;
  entry.Terrain = terrain;
  entry.Art = art;
  entry.Variant = variant;
  entry.RandomVariant = random;
  entry.Description = description;
  return entry;
}

// Water-family tiles (sea, lake, port) list the neighbours of their own
// family in the terrain pattern lists.
TileEntry WaterShaped(uint8_t terrain, TileArt art, SideSet waterSides, int variant, bool random,
                      const char* description) {
  TileEntry entry = Plain(terrain, art, variant, random, description);
  entry.WaterSides = waterSides;
  entry.PatternMember = true;
  entry.PatternSides = waterSides;
  return entry;
}

// Every set of two sides, straight ones first, then wide bends, then sharp bends.
std::vector<SideSet> SidePairs() {
  std::vector<SideSet> pairs;
  for (int d = 1; d <= 3; ++d) pairs.push_back(Sides({d, Opposite(d)}));
  for (int d = 1; d <= 6; ++d) pairs.push_back(Sides({d, Turn(d, 2)}));
  for (int d = 1; d <= 6; ++d) pairs.push_back(Sides({d, Turn(d, 1)}));
  return pairs;
}

}  // namespace

std::span<const TerrainType> TerrainTypes() {
  return kTerrainTypes;
}
std::span<const MassifPart> MassifParts() {
  return kMassifParts;
}

int16_t TileCatalogue::DefaultTile() const {
  int16_t found = -1;
  for (const TileEntry& entry : Tiles)
    if (entry.Terrain == kClear && entry.LinkSides() == 0) found = entry.Number;
  return found;
}

int16_t TileCatalogue::Find(TileArt art, SideSet roadSides, SideSet railSides,
                            SideSet waterSides) const {
  for (const TileEntry& entry : Tiles)
    if (entry.Art == art && entry.RoadSides == roadSides && entry.RailSides == railSides &&
        entry.WaterSides == waterSides)
      return entry.Number;
  return -1;
}

std::vector<int16_t> TileCatalogue::OfArt(TileArt art) const {
  std::vector<int16_t> tiles;
  for (const TileEntry& entry : Tiles)
    if (entry.Art == art) tiles.push_back(entry.Number);
  return tiles;
}

TileCatalogue BuildCatalogue() {
  SheetBuilder sheet;

  // The mountain command's ten tiles have fixed numbers.
  for (size_t i = 0; i < std::size(kMassifParts); ++i) {
    TileEntry entry = Plain(kMountain, TileArt::kMassif, static_cast<int>(i), false,
                            "part of the two-peaked mountain massif");
    entry.Number = kMassifParts[i].Tile;
    entry.MassifIndex = static_cast<int>(i);
    sheet.Reserve(entry);
  }

  // Rows 0-3: the sea. Tile 0 is open sea; tiles 1..63 are the coasts, the
  // sea neighbours of tile n being the neighbour positions of the bits of n-1.
  sheet.Add(WaterShaped(kOcean, TileArt::kOpenSea, kAllSides, 0, true, "open sea"));
  for (int positions = 0; positions < 63; ++positions) {
    SideSet water = 0;
    for (int k = 0; k < 6; ++k)
      if (positions & (1 << k)) water = static_cast<SideSet>(water | SideBit(kNeighbourOrder[k]));
    sheet.Add(WaterShaped(kOcean, TileArt::kCoast, water, 0, false, "coast"));
  }

  // Rows 4-8: the plain terrains, round the massif's tiles.
  for (int v = 1; v <= 3; ++v)
    sheet.Add(WaterShaped(kOcean, TileArt::kOpenSea, kAllSides, v, true, "open sea"));
  for (int v = 0; v < 8; ++v) sheet.Add(Plain(kMountain, TileArt::kMountain, v, true, "mountains"));
  for (int v = 0; v < 8; ++v) sheet.Add(Plain(kHills, TileArt::kHills, v, true, "hills"));
  for (int v = 0; v < 6; ++v) sheet.Add(Plain(kRough, TileArt::kRough, v, true, "rough ground"));
  for (int v = 0; v < 6; ++v) sheet.Add(Plain(kDesert, TileArt::kDesert, v, true, "desert"));
  for (int v = 0; v < 5; ++v) sheet.Add(Plain(kSwamp, TileArt::kSwamp, v, true, "swamp"));
  for (int v = 0; v < 8; ++v) sheet.Add(Plain(kFarmland, TileArt::kFarmland, v, true, "farmland"));

  // Woods: full forest fits forest on every side, a copse stands alone.
  for (int v = 0; v < 6; ++v) {
    TileEntry entry = Plain(kForest, TileArt::kForest, v, true, "forest");
    entry.PatternMember = true;
    entry.PatternSides = kAllSides;
    sheet.Add(entry);
  }
  for (int v = 0; v < 2; ++v) {
    TileEntry entry = Plain(kForest, TileArt::kCopse, v, false, "copse");
    entry.PatternMember = true;
    sheet.Add(entry);
  }

  // Settlements and works.
  for (int v = 0; v < 6; ++v) sheet.Add(Plain(kTown, TileArt::kTown, v, true, "town"));
  for (int v = 0; v < 3; ++v) sheet.Add(Plain(kAirfield, TileArt::kAirfield, v, false, "airfield"));
  for (int v = 0; v < 2; ++v) sheet.Add(Plain(kFortress, TileArt::kFortress, v, false, "fortress"));

  // Clear land last among the plain tiles, so the plainest variant is the
  // last roadless clear tile: the default tile.
  for (int v = 7; v >= 0; --v) sheet.Add(Plain(kClear, TileArt::kClear, v, true, "clear"));

  // Rows 9-10. Ports: the sea lies on one, two or three neighbouring sides.
  for (int count = 1; count <= 3; ++count)
    for (int d = 1; d <= 6; ++d) {
      SideSet water = 0;
      for (int i = 0; i < count; ++i) water = static_cast<SideSet>(water | SideBit(Turn(d, i)));
      sheet.Add(WaterShaped(kPort, TileArt::kPort, water, 0, false, "port"));
    }

  // Lakes: a pond, and the pieces of lakes of three and of seven hexes.
  sheet.Add(WaterShaped(kLake, TileArt::kLake, 0, 0, false, "pond"));
  for (int d = 1; d <= 6; ++d)
    sheet.Add(WaterShaped(kLake, TileArt::kLake, Sides({d, Turn(d, 1)}), 0, false, "lake"));
  for (int d = 1; d <= 6; ++d)
    sheet.Add(
        WaterShaped(kLake, TileArt::kLake, Sides({d, Turn(d, 1), Turn(d, 2)}), 0, false, "lake"));
  sheet.Add(WaterShaped(kLake, TileArt::kLake, kAllSides, 0, false, "lake"));

  // Rivers and streams: springs, then every course through two sides.
  const std::vector<SideSet> pairs = SidePairs();
  // Rows 11-18: rivers, streams, bridges, roads and rail roads.
  for (TileArt art : {TileArt::kRiver, TileArt::kStream}) {
    const uint8_t terrain = art == TileArt::kRiver ? kRiver : kStream;
    const char* name = art == TileArt::kRiver ? "river" : "stream";
    for (int d = 1; d <= 6; ++d) {
      TileEntry entry = Plain(terrain, art, 0, false, name);
      entry.WaterSides = SideBit(d);
      entry.PatternMember = true;
      entry.PatternSides = entry.WaterSides;
      sheet.Add(entry);
    }
    for (SideSet pair : pairs) {
      TileEntry entry = Plain(terrain, art, 0, false, name);
      entry.WaterSides = pair;
      entry.PatternMember = true;
      entry.PatternSides = pair;
      sheet.Add(entry);
    }
  }

  // Bridges: a straight road across a straight river or a wide river bend.
  for (SideSet river : pairs) {
    if (SideCount(river) != 2) continue;
    int first = 0;
    for (int d = 6; d >= 1; --d)
      if (HasSide(river, d)) first = d;
    const bool straight = HasSide(river, Opposite(first));
    const bool wideBend = HasSide(river, Turn(first, 2)) || HasSide(river, Turn(first, -2));
    if (!straight && !wideBend) continue;
    for (int d = 1; d <= 3; ++d) {
      const SideSet road = Sides({d, Opposite(d)});
      if (road & river) continue;
      TileEntry entry = Plain(kRiver, TileArt::kBridge, 0, false, "bridge");
      entry.WaterSides = river;
      entry.RoadSides = road;
      entry.PatternMember = true;
      entry.PatternSides = river;
      sheet.Add(entry);
    }
  }

  // Roads over clear land: ends, every two-side course, every junction of
  // three sides, and the three crossings of two straight roads.
  auto addRoad = [&](SideSet sides) {
    TileEntry entry = Plain(kClear, TileArt::kRoad, 0, false, "road");
    entry.RoadSides = sides;
    sheet.Add(entry);
  };
  for (int d = 1; d <= 6; ++d) addRoad(SideBit(d));
  for (SideSet pair : pairs) addRoad(pair);
  for (int a = 1; a <= 6; ++a)
    for (int b = a + 1; b <= 6; ++b)
      for (int c = b + 1; c <= 6; ++c) addRoad(Sides({a, b, c}));
  for (int d = 1; d <= 3; ++d) addRoad(Sides({d, Opposite(d), Turn(d, 1), Turn(d, 4)}));

  // Rail roads over clear land: ends, every two-side course, the two
  // three-way junctions, and level crossings of a straight rail road and a
  // straight road.
  auto addRail = [&](SideSet rails, SideSet roads) {
    TileEntry entry =
        Plain(kClear, TileArt::kRail, 0, false, roads ? "level crossing" : "rail road");
    entry.RailSides = rails;
    entry.RoadSides = roads;
    sheet.Add(entry);
  };
  for (int d = 1; d <= 6; ++d) addRail(SideBit(d), 0);
  for (SideSet pair : pairs) addRail(pair, 0);
  addRail(Sides({1, 3, 5}), 0);
  addRail(Sides({2, 4, 6}), 0);
  for (int rail = 1; rail <= 3; ++rail)
    for (int road = 1; road <= 3; ++road)
      if (road != rail) addRail(Sides({rail, Opposite(rail)}), Sides({road, Opposite(road)}));

  return sheet.Finish();
}

std::array<uint8_t, 6> InNeighbourOrder(SideSet sides) {
  std::array<uint8_t, 6> bytes{};
  for (size_t k = 0; k < 6; ++k) bytes[k] = HasSide(sides, kNeighbourOrder[k]) ? 1 : 0;
  return bytes;
}

std::vector<uint8_t> TileTypeFile(const TileCatalogue& catalogue) {
  std::vector<uint8_t> bytes;
  for (const TileEntry& entry : catalogue.Tiles) bytes.push_back(entry.Terrain);
  return bytes;
}

std::vector<uint8_t> RoadInfoFile(const TileCatalogue& catalogue) {
  std::vector<uint8_t> bytes;
  for (const TileEntry& entry : catalogue.Tiles) {
    auto sides = InNeighbourOrder(entry.LinkSides());
    bytes.insert(bytes.end(), sides.begin(), sides.end());
  }
  return bytes;
}

std::vector<uint8_t> RandomTileFile(const TileCatalogue& catalogue) {
  std::vector<uint8_t> bytes;
  for (const TileEntry& entry : catalogue.Tiles) bytes.push_back(entry.RandomVariant ? 1 : 0);
  return bytes;
}

std::vector<uint8_t> PatternTilesFile(const TileCatalogue& catalogue) {
  std::vector<uint8_t> bytes;
  for (const TileEntry& entry : catalogue.Tiles) bytes.push_back(entry.PatternMember ? 1 : 0);
  return bytes;
}

std::vector<uint8_t> PatternsFile(const TileCatalogue& catalogue) {
  std::vector<uint8_t> bytes;
  for (const TileEntry& entry : catalogue.Tiles) {
    auto sides = InNeighbourOrder(entry.PatternSides);
    bytes.insert(bytes.end(), sides.begin(), sides.end());
  }
  return bytes;
}

std::string HexDataText(const TileCatalogue& catalogue) {
  std::string text = std::to_string(catalogue.Tiles.size()) + "\r\n";
  for (size_t i = 0; i < catalogue.Tiles.size(); ++i) {
    text += std::to_string(catalogue.Tiles[i].Terrain);
    const bool rowEnd = (i + 1) % kTilesPerRow == 0 || i + 1 == catalogue.Tiles.size();
    text += rowEnd ? "\r\n" : ",";
  }
  return text;
}

std::string TerrainText() {
  std::string text = "\"Korv demo terrain table\"\r\n";
  text += std::to_string(std::size(kTerrainTypes)) + "\r\n";
  text += "\"name / move cost / defence / spotting / red / green / blue / water\"\r\n";
  for (const TerrainType& type : kTerrainTypes) {
    text += "\"" + std::string(type.Name) + "\"," + std::to_string(type.MoveCost) + "," +
            std::to_string(type.Defence) + "," + std::to_string(type.Spotting) + "," +
            std::to_string(type.Red) + "," + std::to_string(type.Green) + "," +
            std::to_string(type.Blue) + "," + std::to_string(type.Water) + "\r\n";
  }
  return text;
}

}  // namespace korv::demo
