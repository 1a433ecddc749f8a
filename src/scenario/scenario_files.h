// The scenario data that comes with an imported set of the game: its
// scenario file ("game0NN.scn") and the equipment file ("data/brakequp.eqp")
// as the import reads them, the order-of-battle text (".oob") made from
// them, and the scenario text (".scn") written beside the map when the
// imported map is first saved with "Save". How a 14-byte unit record becomes
// a line of the order-of-battle text is written down in
// docs/scenario-units.md.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace korv {

struct NationTables;

constexpr int kNationSlots = 6;
constexpr size_t kUnitRecordBytes = 14;
constexpr size_t kEquipmentRecordBytes = 50;
constexpr size_t kEquipmentNameBytes = 20;
// Offsets (from 0) of the scenario file's lists: the victory hexes after
// their count at 37, the deployment count at 117 and its hexes from 119.
constexpr size_t kVictoryCountOffset = 37;
constexpr size_t kDeploymentCountOffset = 117;
constexpr size_t kDeploymentHexesOffset = 119;
// The victory hexes share the 78 bytes before the deployment count with
// nothing else: at most 19 pairs fit.
constexpr int kMaxVictoryHexes = 19;
// After the deployment hexes: two unused i16, the two prestige values, four
// transport bytes and eight bytes, before the unit records.
constexpr size_t kScenarioTailBytes = 20;

// A hex in the game's own columns: the editor's column is one more.
struct GameHex {
  int16_t X = 0;
  int16_t Y = 0;
  bool operator==(const GameHex&) const = default;
};

// One 14-byte unit record, in file order.
struct ScenarioUnit {
  int16_t Equipment = 0;        // equipment record, counted from 1
  int16_t GroundTransport = 0;  // equipment record of its own transport, 0 = none
  uint8_t Nation = 0;           // nation number of the nation set
  int16_t SeaAirTransport = 0;  // equipment record of its sea or air transport, 0 = none
  int16_t X = 0;                // game column
  int16_t Y = 0;
  uint8_t Strength = 0;
  uint8_t Entrenchment = 0;
  uint8_t Experience = 0;
  bool operator==(const ScenarioUnit&) const = default;
};

// Everything of a scenario file the import uses; field comments give the
// 1-based positions of the order-of-battle table.
struct ScenarioSource {
  std::array<uint8_t, kNationSlots> Side1Nations{};  // S1(1..6), bytes 1, 3, ..., 11
  std::array<uint8_t, kNationSlots> Side2Nations{};  // S2(1..6), bytes 2, 4, ..., 12
  std::array<uint8_t, 6> Bytes13To18{};
  uint8_t MaxCoreUnits = 0;           // 19, for both sides
  uint8_t Side1MaxAuxUnits = 0;       // 20
  uint8_t Byte21 = 0;                 // 21: side 2's auxiliary units are this minus byte 19
  uint8_t ScenarioTurns = 0;          // 22
  uint8_t Day = 0;                    // 23
  uint8_t Month = 0;                  // 24
  uint8_t Year = 0;                   // 25, years after 1900
  uint8_t Byte26 = 0;                 // 26
  uint8_t DaysPerTurn = 0;            // 27
  int16_t Side1PrestigePool = 0;      // 28
  int16_t Side2PrestigePool = 0;      // 30
  uint8_t Side1PrestigeInterval = 0;  // 32
  uint8_t Side2PrestigeInterval = 0;  // 33
  std::array<uint8_t, 4> Bytes34To37{};
  std::vector<GameHex> VictoryHexes;  // the pairs after the count at 38
  int16_t DeploymentCount = 0;        // c at 118; c - 1 hexes follow
  std::vector<GameHex> DeploymentHexes;
  int16_t Side1Prestige = 0;  // third i16 after the deployment hexes
  int16_t Side2Prestige = 0;  // fourth
  uint8_t Side1AirTransport = 0;
  uint8_t Side2AirTransport = 0;
  uint8_t Side1NavalTransport = 0;
  uint8_t Side2NavalTransport = 0;
  std::array<uint8_t, 8> EightBytes{};
  std::vector<ScenarioUnit> Units;

  // 1 or 2 for a nation listed in the slots of that side, 0 otherwise.
  int SideOf(int nation) const;
};

// Reads a scenario file. Nothing, with `error` set to a clause that follows
// the file's name ("is 40 bytes long, ..."), when the file is cut short
// (before its units or inside a unit record), when a count is negative or
// too large, or when byte 21 is smaller than byte 19.
std::optional<ScenarioSource> ParseScenarioSource(std::span<const uint8_t> bytes,
                                                  std::string& error);

// The record names of an equipment file, index = record number; entry 0
// is the reserved first record. A name ends at its first zero byte and
// loses its trailing blanks. Nothing, with `error` set like above, when the
// count is negative or the file holds fewer records than it announces.
std::optional<std::vector<std::string>> ParseEquipmentNames(std::span<const uint8_t> bytes,
                                                            std::string& error);

// What the order-of-battle text needs of the nation set and the equipment
// file, checked before the text is written: every nation of the slots and
// of the units is in the nation set, every unit names an equipment record
// the file holds (record 0 is reserved), and the names used carry no comma
// or line end. Empty when all is well; otherwise a clause naming the file
// and the fault ("the scenario file ... gives side 1 nation 9 ...").
std::string CheckScenarioReferences(const ScenarioSource& source,
                                    const std::vector<std::string>& equipmentNames,
                                    const NationTables& nations, const std::string& scenarioPath,
                                    const std::string& equipmentPath);

// The twelve fields of a unit's order-of-battle line, in line order.
struct OrderOfBattleUnit {
  std::string Name;
  int MapX = 0;  // the editor's column
  int MapY = 0;
  int Strength = 0;
  int Entrenchment = 0;
  int Side = 0;
  int Nation = 0;
  int UnitType = 0;  // the equipment record
  int Experience = 0;
  int TurnOfEntry = 0;
  int Trans1 = 0;  // ground transport
  int Trans2 = 0;  // sea or air transport
};
// The turn on which every unit of a scenario file enters: the first.
constexpr int kStartingTurn = 1;
OrderOfBattleUnit DescribeUnit(const ScenarioSource& source, const ScenarioUnit& unit,
                               const std::vector<std::string>& equipmentNames);

// The order-of-battle text, byte for byte. Nations and equipment records
// that CheckScenarioReferences would refuse give empty names rather than
// reading outside the tables.
std::string OrderOfBattleText(const ScenarioSource& source,
                              const std::vector<std::string>& equipmentNames,
                              const NationTables& nations);

// The scenario text file of a map: its map, picture and order-of-battle
// file names and five fixed lines, each ended by CR alone. `mapName` is the
// name as typed; a ".map" at its end is not repeated.
std::string ScenarioText(const std::string& mapName);

// The order-of-battle and scenario files beside a map file: "abc.map" ->
// "abc.oob", "abc.scn".
std::string OrderOfBattlePath(const std::string& mapPath);
std::string ScenarioTextPath(const std::string& mapPath);

// What an import leaves for "Save" (Editor::ImportedSet).
struct ImportedSetState {
  // The set file of the import; empty once "Save" has written the scenario
  // files (later saves write none).
  std::string ImportedSetPath;
  // The order-of-battle text the import wrote into the editor's folder
  // ("game0NN.oob"); empty when the text is kept in memory only.
  std::string ImportedOobPath;
  // The same text, in case the file is gone by the time the map is saved.
  std::string OrderOfBattleText;

  bool Pending() const { return !ImportedSetPath.empty(); }
};

// The question asked before an order-of-battle file is replaced.
std::string OrderOfBattleReplaceQuestion(const std::string& oobPath);

}  // namespace korv
