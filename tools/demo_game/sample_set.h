// The demo game's own files for trying the set import: a set file made from
// the sample map (brak_files/game001.set), its scenario (game001.scn beside
// it), the map-name file naming the towns (brak_files/mapnames.str) and the
// equipment file of the units (data/brakequp.eqp). The nations are those of
// the nation set "default"; the tiles are the sample map's. All made up.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "document/map_document.h"

namespace korv::demo {

constexpr const char* kSampleSetFile = "brak_files/game001.set";
constexpr const char* kSampleScenarioFile = "brak_files/game001.scn";
constexpr const char* kSampleMapNamesFile = "brak_files/mapnames.str";
constexpr const char* kSampleEquipmentFile = "data/brakequp.eqp";

// A named place of the sample map, in the editor's columns.
struct SamplePlace {
  int16_t X;
  int16_t Y;
  int16_t NameNumber;  // name in the map-name file, counted from 1
};
std::span<const SamplePlace> SamplePlaces();
// Names 0.. of the map-name file; name 0 is empty (a hex without a name).
std::span<const char* const> SampleMapNames();

// Records 0.. of the equipment file; record 0 is the reserved first record.
struct Equipment {
  const char* Name;
  uint8_t Class;  // 1 infantry, 2 tank, 3 recon, 4 artillery, 5 lorry, 6 ship, 7 aircraft
  uint8_t SoftAttack;
  uint8_t HardAttack;
  uint8_t Defence;
  uint8_t Movement;
  int16_t Cost;
};
std::span<const Equipment> SampleEquipment();

// A unit of the sample scenario, in the editor's columns.
struct SampleUnit {
  int16_t Equipment;
  int16_t GroundTransport;
  uint8_t Nation;
  int16_t SeaAirTransport;
  int16_t X;
  int16_t Y;
  uint8_t Strength;
  uint8_t Entrenchment;
  uint8_t Experience;
};
std::span<const SampleUnit> SampleUnits();
// The nations of the two sides: S1(1..6) and S2(1..6).
std::span<const uint8_t> SampleSide1Nations();
std::span<const uint8_t> SampleSide2Nations();

// The set file of columns 1..40 of the sample map (set column x is the
// map's column x + 1): its tiles, its roads and rail roads as road bits,
// the owners of its objective hexes, and the names of its places.
std::vector<uint8_t> SampleSetFile(const MapDocument& sampleMap);
// The scenario: the two sides, the sample map's primary objectives as
// victory hexes, the deployment hexes of nation 1 and the units.
std::vector<uint8_t> SampleScenarioFile(const MapDocument& sampleMap);
std::vector<uint8_t> SampleMapNamesFile();
std::vector<uint8_t> SampleEquipmentFile();

}  // namespace korv::demo
