// The demo game's set, scenario, map-name and equipment files (see
// sample_set.h), written field by field in the game's layouts.
#include "sample_set.h"

#include <array>
#include <string>

#include "platform/bytes.h"

namespace korv::demo {

namespace {

constexpr const char* kMapNames[] = {
    "",         "Saltmouth", "Veldra",    "Northwick",  "Kestrel Field",
    "Borvgrad", "Southmere", "Rivenford", "Drask Fort", "Emberwell Oil",
};

// The towns of the sample map; each capital spreads over three hexes.
constexpr SamplePlace kPlaces[] = {
    {7, 17, 1},  {13, 16, 2}, {13, 15, 2}, {14, 16, 2}, {17, 6, 3},  {10, 6, 4},  {30, 17, 5},
    {30, 16, 5}, {31, 17, 5}, {25, 25, 6}, {24, 6, 7},  {27, 13, 8}, {36, 26, 9},
};

constexpr Equipment kEquipment[] = {
    {"", 0, 0, 0, 0, 0, 0},  // reserved
    {"Rifle Brigade", 1, 6, 2, 6, 3, 120},
    {"Mountain Rifles", 1, 7, 2, 7, 3, 150},
    {"Grenadier Regiment", 1, 8, 3, 8, 3, 180},
    {"Scout Car", 3, 4, 2, 3, 7, 110},
    {"Light Tank", 2, 6, 5, 5, 6, 220},
    {"Medium Tank", 2, 9, 8, 8, 5, 320},
    {"Field Gun", 4, 9, 4, 3, 1, 160},
    {"Heavy Howitzer", 4, 12, 6, 3, 1, 240},
    {"Marine Battalion", 1, 7, 2, 6, 3, 170},
    {"Lorry", 5, 0, 0, 1, 6, 40},
    {"Half-Track", 5, 1, 0, 3, 5, 60},
    {"Coaster", 6, 0, 0, 2, 8, 90},
    {"Transport Plane", 7, 0, 0, 1, 12, 200},
};

// Nations of the set "default": 1 Aldria, 2 Borvenia, 3 Calistan, 5 Estmere.
constexpr uint8_t kSide1[] = {1, 5, 0, 0, 0, 0};
constexpr uint8_t kSide2[] = {2, 3, 0, 0, 0, 0};

constexpr SampleUnit kUnits[] = {
    // Aldria round the western capital and the port.
    {1, 0, 1, 0, 13, 16, 10, 2, 20},
    {1, 10, 1, 0, 7, 17, 10, 1, 0},
    {5, 0, 1, 0, 12, 14, 8, 0, 40},
    {7, 11, 1, 0, 14, 16, 10, 1, 0},
    {4, 0, 1, 0, 17, 6, 6, 0, 60},
    // Estmere, flown in.
    {2, 0, 5, 13, 13, 15, 10, 0, 80},
    // Borvenia round the eastern capital and in the towns.
    {3, 0, 2, 0, 30, 17, 12, 3, 50},
    {6, 0, 2, 0, 31, 16, 10, 0, 30},
    {8, 10, 2, 0, 30, 16, 9, 1, 0},
    {1, 0, 2, 0, 24, 6, 10, 2, 0},
    {1, 10, 2, 0, 25, 25, 8, 1, 0},
    // Calistan holds the fortress and the oil wells.
    {9, 0, 3, 12, 27, 13, 10, 4, 70},
    {1, 11, 3, 0, 36, 26, 7, 0, 10},
};

// Road bit of each side 1..6 in a set file's block 2.
constexpr uint8_t kRoadBit[7] = {0, 8, 16, 32, 128, 1, 2};

void Name(ByteWriter& out, const std::string& text, size_t width) {
  for (size_t i = 0; i < width; ++i)
    out.WriteU8(i < text.size() ? static_cast<uint8_t>(text[i]) : 0);
}

int16_t NameNumberAt(int x, int y) {
  for (const SamplePlace& place : kPlaces)
    if (place.X == x && place.Y == y) return place.NameNumber;
  return 0;
}

void Hex(ByteWriter& out, int editorX, int y) {
  out.WriteI16(static_cast<int16_t>(editorX - 1));  // the game's column
  out.WriteI16(static_cast<int16_t>(y));
}

}  // namespace

std::span<const SamplePlace> SamplePlaces() {
  return kPlaces;
}

std::span<const char* const> SampleMapNames() {
  return kMapNames;
}

std::span<const Equipment> SampleEquipment() {
  return kEquipment;
}

std::span<const SampleUnit> SampleUnits() {
  return kUnits;
}

std::span<const uint8_t> SampleSide1Nations() {
  return kSide1;
}

std::span<const uint8_t> SampleSide2Nations() {
  return kSide2;
}

std::vector<uint8_t> SampleSetFile(const MapDocument& map) {
  const int a = map.MapWidth - 1;  // set columns 0..A are the map's columns 1..A+1
  const int b = map.MapHeight;
  ByteWriter out;
  Name(out, "Korv demo set 001: Aldria and Estmere against Borvenia and Calistan", 101);
  out.WriteI16(static_cast<int16_t>(a));
  out.WriteI16(static_cast<int16_t>(b));
  Name(out, "", 18);
  const auto block = [&](auto value) {
    for (int y = 0; y <= b; ++y)
      for (int x = 0; x <= a; ++x) value(x + 1, y);
  };
  block([&](int x, int y) { out.WriteI16(NameNumberAt(x, y)); });
  block([&](int x, int y) {
    uint8_t bits = 0;
    for (int d = 1; d <= 6; ++d)
      if (map.Data(x, y, d) != kNoLink) bits = static_cast<uint8_t>(bits | kRoadBit[d]);
    out.WriteU8(bits);
  });
  // Only the objective hexes are owned in the set.
  block([&](int x, int y) { out.WriteU8(map.Mark(x, y) != kNoObjective ? map.Owner(x, y) : 0); });
  block([&](int, int) { out.WriteU8(0); });
  block([&](int x, int y) { out.WriteI16(map.Tile(x, y)); });
  return out.Take();
}

std::vector<uint8_t> SampleScenarioFile(const MapDocument& map) {
  ByteWriter out;
  for (size_t k = 0; k < 6; ++k) {
    out.WriteU8(kSide1[k]);
    out.WriteU8(kSide2[k]);
  }
  for (uint8_t value : {1, 0, 0, 2, 0, 0}) out.WriteU8(value);  // bytes 13..18
  out.WriteU8(12);                                              // 19: most core units of a side
  out.WriteU8(4);   // 20: most auxiliary units of side 1
  out.WriteU8(15);  // 21: side 2's auxiliary units plus byte 19
  out.WriteU8(16);  // 22: turns
  out.WriteU8(14);  // 23: day
  out.WriteU8(5);   // 24: month
  out.WriteU8(41);  // 25: year (1941)
  out.WriteU8(0);   // 26
  out.WriteU8(2);   // 27: days per turn
  out.WriteI16(300);
  out.WriteI16(250);
  out.WriteU8(3);
  out.WriteU8(4);
  for (int i = 0; i < 4; ++i) out.WriteU8(0);  // bytes 34..37

  // The primary objectives are the victory hexes; the deployment hexes are
  // nation 1's. Both column by column.
  std::vector<std::array<int, 2>> victory, deployment;
  for (int x = 0; x <= map.MapWidth; ++x) {
    for (int y = 0; y <= map.MapHeight; ++y) {
      if (map.Mark(x, y) == kPrimaryObjective) victory.push_back({x, y});
      if (map.HexDeployment[map.Index(x, y)] == 1) deployment.push_back({x, y});
    }
  }
  out.WriteI16(static_cast<int16_t>(victory.size()));
  for (const auto& hex : victory) Hex(out, hex[0], hex[1]);
  while (out.Bytes().size() < 117) out.WriteU8(0);
  out.WriteI16(static_cast<int16_t>(deployment.size() + 1));
  for (const auto& hex : deployment) Hex(out, hex[0], hex[1]);
  out.WriteI16(0);  // two values the import does not use
  out.WriteI16(0);
  out.WriteI16(120);                                      // side 1 prestige
  out.WriteI16(100);                                      // side 2 prestige
  for (uint8_t value : {1, 0, 1, 1}) out.WriteU8(value);  // air 1, air 2, naval 1, naval 2
  for (int i = 0; i < 8; ++i) out.WriteU8(0);
  for (const SampleUnit& unit : kUnits) {
    out.WriteI16(unit.Equipment);
    out.WriteI16(unit.GroundTransport);
    out.WriteU8(unit.Nation);
    out.WriteI16(unit.SeaAirTransport);
    Hex(out, unit.X, unit.Y);
    out.WriteU8(unit.Strength);
    out.WriteU8(unit.Entrenchment);
    out.WriteU8(unit.Experience);
  }
  return out.Take();
}

std::vector<uint8_t> SampleMapNamesFile() {
  ByteWriter out;
  out.WriteI16(static_cast<int16_t>(std::size(kMapNames)));
  for (const char* name : kMapNames) Name(out, name, 20);
  return out.Take();
}

std::vector<uint8_t> SampleEquipmentFile() {
  ByteWriter out;
  out.WriteI16(static_cast<int16_t>(std::size(kEquipment)));
  for (const Equipment& e : kEquipment) {
    Name(out, e.Name, 20);
    for (uint8_t value : {e.Class, e.SoftAttack, e.HardAttack, e.Defence, e.Movement})
      out.WriteU8(value);
    out.WriteI16(e.Cost);
    Name(out, "", 50 - 20 - 5 - 2);
  }
  return out.Take();
}

}  // namespace korv::demo
