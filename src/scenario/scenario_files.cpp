#include "scenario/scenario_files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "platform/bytes.h"
#include "platform/files.h"
#include "platform/interaction.h"
#include "scenario/nations.h"

namespace korv {

namespace {

// The head of the text (sides, nations, units) mixes CR and CR LF; from
// "* Side 1 Nations Available" on, every comment and value ends in CR LF.
constexpr const char* kCr = "\r";
constexpr const char* kCrLf = "\r\n";

std::string Bytes(std::span<const uint8_t> values) {
  std::string text;
  for (size_t i = 0; i < values.size(); ++i) {
    if (i > 0) text += ',';
    text += std::to_string(values[i]);
  }
  return text;
}

GameHex ReadHex(ByteCursor& in) {
  GameHex hex;
  hex.X = in.ReadI16();
  hex.Y = in.ReadI16();
  return hex;
}

std::string Count(size_t value, const char* what) {
  return std::to_string(value) + " " + what + (value == 1 ? "" : "s");
}

// A name that would split its comma-separated line, or end it early.
bool BreaksALine(std::string_view name) {
  return name.find_first_of(",\r\n") != std::string_view::npos;
}

const std::string& NationName(const NationTables& nations, int nation) {
  static const std::string kNone;
  if (nation < 0 || static_cast<size_t>(nation) >= nations.NationNames.size()) return kNone;
  return nations.NationNames[static_cast<size_t>(nation)];
}

int NationTile(const NationTables& nations, int nation) {
  if (nation < 0 || static_cast<size_t>(nation) >= nations.NationTileId.size()) return 0;
  return nations.NationTileId[static_cast<size_t>(nation)];
}

// The nation lines of one side: "n,name,0,side,tile id" for every filled
// slot, each ended by CR.
void NationLines(std::string& text, const std::array<uint8_t, kNationSlots>& nationSlots, int side,
                 const NationTables& nations) {
  for (uint8_t nation : nationSlots) {
    if (nation == 0) continue;
    text += std::to_string(nation) + "," + NationName(nations, nation) + ",0," +
            std::to_string(side) + "," + std::to_string(NationTile(nations, nation)) + kCr;
  }
}

// A comment line and its value, each ended by CR LF.
void Entry(std::string& text, const char* comment, const std::string& value) {
  text += std::string(comment) + kCrLf + value + kCrLf;
}

std::string WithExtension(const std::string& mapPath, const char* extension) {
  const size_t keep = mapPath.size() >= 3 ? mapPath.size() - 3 : 0;
  return mapPath.substr(0, keep) + extension;
}

}  // namespace

int ScenarioSource::SideOf(int nation) const {
  if (nation == 0) return 0;
  for (uint8_t n : Side1Nations)
    if (n == nation) return 1;
  for (uint8_t n : Side2Nations)
    if (n == nation) return 2;
  return 0;
}

std::optional<ScenarioSource> ParseScenarioSource(std::span<const uint8_t> bytes,
                                                  std::string& error) {
  const size_t smallest = kDeploymentHexesOffset + kScenarioTailBytes;
  if (bytes.size() < smallest) {
    error = "is " + Count(bytes.size(), "byte") + " long, shorter than the " +
            std::to_string(smallest) + " bytes every scenario file has before its units";
    return std::nullopt;
  }
  ByteCursor in(bytes);
  ScenarioSource source;
  for (int k = 0; k < kNationSlots; ++k) {
    source.Side1Nations[static_cast<size_t>(k)] = in.ReadU8();
    source.Side2Nations[static_cast<size_t>(k)] = in.ReadU8();
  }
  for (uint8_t& b : source.Bytes13To18) b = in.ReadU8();
  source.MaxCoreUnits = in.ReadU8();
  source.Side1MaxAuxUnits = in.ReadU8();
  source.Byte21 = in.ReadU8();
  source.ScenarioTurns = in.ReadU8();
  source.Day = in.ReadU8();
  source.Month = in.ReadU8();
  source.Year = in.ReadU8();
  source.Byte26 = in.ReadU8();
  source.DaysPerTurn = in.ReadU8();
  source.Side1PrestigePool = in.ReadI16();
  source.Side2PrestigePool = in.ReadI16();
  source.Side1PrestigeInterval = in.ReadU8();
  source.Side2PrestigeInterval = in.ReadU8();
  for (uint8_t& b : source.Bytes34To37) b = in.ReadU8();
  if (source.Byte21 < source.MaxCoreUnits) {
    error = "has byte 21 (" + std::to_string(source.Byte21) + ") smaller than byte 19 (" +
            std::to_string(source.MaxCoreUnits) +
            "), which would leave side 2 a negative number of auxiliary units";
    return std::nullopt;
  }

  const int16_t victoryCount = in.ReadI16();
  if (victoryCount < 0 || victoryCount > kMaxVictoryHexes) {
    error = "gives " + std::to_string(victoryCount) +
            " victory hexes at byte 38, but there is room for 0 to " +
            std::to_string(kMaxVictoryHexes) + " before the deployment count";
    return std::nullopt;
  }
  for (int i = 0; i < victoryCount; ++i) source.VictoryHexes.push_back(ReadHex(in));
  in.Skip(kDeploymentCountOffset - in.Offset());

  source.DeploymentCount = in.ReadI16();
  if (source.DeploymentCount < 0) {
    error = "gives a negative deployment count (" + std::to_string(source.DeploymentCount) +
            ") at byte 118";
    return std::nullopt;
  }
  // A count of c announces c - 1 hexes; 0 and 1 announce none.
  const size_t deploymentHexes =
      source.DeploymentCount > 0 ? static_cast<size_t>(source.DeploymentCount - 1) : 0;
  const size_t unitsStart = kDeploymentHexesOffset + 4 * deploymentHexes + kScenarioTailBytes;
  if (bytes.size() < unitsStart) {
    error = "is " + Count(bytes.size(), "byte") + " long, but its deployment count of " +
            std::to_string(source.DeploymentCount) + " and the prestige and transport values " +
            "after the deployment hexes need " + std::to_string(unitsStart) + " bytes";
    return std::nullopt;
  }
  const size_t unitBytes = bytes.size() - unitsStart;
  if (unitBytes % kUnitRecordBytes != 0) {
    error = "ends in a unit record cut short: the " + Count(unitBytes, "byte") + " after byte " +
            std::to_string(unitsStart) + " are not a whole number of " +
            std::to_string(kUnitRecordBytes) + "-byte records";
    return std::nullopt;
  }

  source.DeploymentHexes.reserve(deploymentHexes);
  for (size_t i = 0; i < deploymentHexes; ++i) source.DeploymentHexes.push_back(ReadHex(in));
  in.Skip(4);  // two i16 the import has no use for
  source.Side1Prestige = in.ReadI16();
  source.Side2Prestige = in.ReadI16();
  source.Side1AirTransport = in.ReadU8();
  source.Side2AirTransport = in.ReadU8();
  source.Side1NavalTransport = in.ReadU8();
  source.Side2NavalTransport = in.ReadU8();
  for (uint8_t& b : source.EightBytes) b = in.ReadU8();

  source.Units.resize(unitBytes / kUnitRecordBytes);
  for (ScenarioUnit& unit : source.Units) {
    unit.Equipment = in.ReadI16();
    unit.GroundTransport = in.ReadI16();
    unit.Nation = in.ReadU8();
    unit.SeaAirTransport = in.ReadI16();
    unit.X = in.ReadI16();
    unit.Y = in.ReadI16();
    unit.Strength = in.ReadU8();
    unit.Entrenchment = in.ReadU8();
    unit.Experience = in.ReadU8();
  }
  return source;
}

std::optional<std::vector<std::string>> ParseEquipmentNames(std::span<const uint8_t> bytes,
                                                            std::string& error) {
  if (bytes.size() < 2) {
    error = "is " + Count(bytes.size(), "byte") + " long, too short to hold its record count";
    return std::nullopt;
  }
  ByteCursor in(bytes);
  const int16_t count = in.ReadI16();
  if (count < 0) {
    error = "gives a negative record count (" + std::to_string(count) + ")";
    return std::nullopt;
  }
  const size_t whole = (bytes.size() - 2) / kEquipmentRecordBytes;
  if (whole < static_cast<size_t>(count)) {
    error = "announces " + Count(static_cast<size_t>(count), "record") + " but holds only " +
            std::to_string(whole) + " whole";
    return std::nullopt;
  }
  std::vector<std::string> names(static_cast<size_t>(count));
  for (size_t n = 0; n < names.size(); ++n) {
    const auto start = bytes.begin() + static_cast<std::ptrdiff_t>(2 + kEquipmentRecordBytes * n);
    std::string name(start, start + kEquipmentNameBytes);
    name.resize(std::min(name.size(), name.find('\0')));
    name.resize(name.find_last_not_of(' ') + 1);
    names[n] = std::move(name);
  }
  return names;
}

std::string CheckScenarioReferences(const ScenarioSource& source,
                                    const std::vector<std::string>& equipmentNames,
                                    const NationTables& nations, const std::string& scenarioPath,
                                    const std::string& equipmentPath) {
  const std::string nationRange = nations.NationCount > 0
                                      ? "nations 1 to " + std::to_string(nations.NationCount)
                                      : std::string("no nations");
  for (int side = 1; side <= 2; ++side) {
    const auto& nationSlots = side == 1 ? source.Side1Nations : source.Side2Nations;
    for (size_t k = 0; k < nationSlots.size(); ++k) {
      const int nation = nationSlots[k];
      if (nation == 0) continue;
      if (nation > nations.NationCount) {
        return "the scenario file " + scenarioPath + " gives side " + std::to_string(side) +
               " nation " + std::to_string(nation) + " in slot " + std::to_string(k + 1) +
               ", but the nation set holds " + nationRange;
      }
      const std::string& name = NationName(nations, nation);
      if (BreaksALine(name)) {
        return "nation " + std::to_string(nation) + " of the nation set is called \"" + name +
               "\"; a comma or line end in a name would break its line of the order of battle";
      }
    }
  }
  const size_t records = equipmentNames.size();
  for (size_t u = 0; u < source.Units.size(); ++u) {
    const ScenarioUnit& unit = source.Units[u];
    const std::string which = "unit " + std::to_string(u + 1) + " (at " + std::to_string(unit.X) +
                              ", " + std::to_string(unit.Y) + ")";
    if (unit.Equipment < 1 || static_cast<size_t>(unit.Equipment) >= records) {
      return "in the scenario file " + scenarioPath + ", " + which + " names equipment record " +
             std::to_string(unit.Equipment) + ", but the equipment file " + equipmentPath +
             (records > 1 ? " holds records 1 to " + std::to_string(records - 1)
                          : std::string(" holds no records"));
    }
    const std::string& name = equipmentNames[static_cast<size_t>(unit.Equipment)];
    if (BreaksALine(name)) {
      return "record " + std::to_string(unit.Equipment) + " of the equipment file " +
             equipmentPath + " is called \"" + name + "\" (used by " + which +
             "); a comma or line end in a name would break its line of the order of battle";
    }
  }
  return {};
}

OrderOfBattleUnit DescribeUnit(const ScenarioSource& source, const ScenarioUnit& unit,
                               const std::vector<std::string>& equipmentNames) {
  OrderOfBattleUnit line;
  if (unit.Equipment >= 0 && static_cast<size_t>(unit.Equipment) < equipmentNames.size())
    line.Name = equipmentNames[static_cast<size_t>(unit.Equipment)];
  // The text goes beside the editor's map, whose columns are one to the
  // right of the game's, like the deployment marks.
  line.MapX = unit.X + 1;
  line.MapY = unit.Y;
  line.Strength = unit.Strength;
  line.Entrenchment = unit.Entrenchment;
  line.Side = source.SideOf(unit.Nation);
  line.Nation = unit.Nation;
  line.UnitType = unit.Equipment;
  line.Experience = unit.Experience;
  line.TurnOfEntry = kStartingTurn;
  line.Trans1 = unit.GroundTransport;
  line.Trans2 = unit.SeaAirTransport;
  return line;
}

std::string OrderOfBattleText(const ScenarioSource& source,
                              const std::vector<std::string>& equipmentNames,
                              const NationTables& nations) {
  std::string text;
  text += std::string("* number of sequences or sides") + kCr;
  text += std::string("2") + kCrLf;
  text += std::string("* sequence/side names") + kCr;
  text += NationName(nations, source.Side1Nations[0]) + kCrLf;
  text += NationName(nations, source.Side2Nations[0]) + kCrLf;

  const auto filled = [](const auto& nationSlots) {
    return static_cast<size_t>(std::count_if(nationSlots.begin(), nationSlots.end(),
                                             [](uint8_t nation) { return nation != 0; }));
  };
  text += std::string("* Total number of nations in the scenario") + kCr;
  text += std::to_string(filled(source.Side1Nations) + filled(source.Side2Nations)) + kCr;
  text +=
      std::string("* Nation Number-Nation name-production-move sequence-strength tile-id number") +
      kCr;
  NationLines(text, source.Side1Nations, 1, nations);
  NationLines(text, source.Side2Nations, 2, nations);

  text += std::string("* number of starting units in scenario") + kCr;
  text += std::to_string(source.Units.size()) + kCrLf;
  text += std::string(
              "* unit name-mapx-mapy-strength-entrenchment-side-nation-unit "
              "type-experience-turn of entry-trans1-trans2") +
          kCr;
  for (const ScenarioUnit& unit : source.Units) {
    const OrderOfBattleUnit u = DescribeUnit(source, unit, equipmentNames);
    const int numbers[] = {u.MapX,        u.MapY,   u.Strength, u.Entrenchment,
                           u.Side,        u.Nation, u.UnitType, u.Experience,
                           u.TurnOfEntry, u.Trans1, u.Trans2};
    text += u.Name;
    for (int number : numbers) text += "," + std::to_string(number);
    text += kCrLf;
  }

  Entry(text, "* Side 1 Nations Available", Bytes(source.Side1Nations));
  Entry(text, "* Side 2 Nations Available", Bytes(source.Side2Nations));
  Entry(text, "* 6 unknown bytes", Bytes(source.Bytes13To18));
  Entry(text, "* Side 1 max Core units", std::to_string(source.MaxCoreUnits));
  Entry(text, "* Side 1 max Aux units", std::to_string(source.Side1MaxAuxUnits));
  Entry(text, "* Side 2 Max Core units", std::to_string(source.MaxCoreUnits));
  // Taken as an unsigned byte, as the file's own reader does; the parser
  // refuses a byte 21 below byte 19.
  Entry(text, "* Side 2 max Aux units",
        std::to_string(static_cast<uint8_t>(source.Byte21 - source.MaxCoreUnits)));
  Entry(text, "* Scenario Turns", std::to_string(source.ScenarioTurns));
  Entry(text, "* Day Month Year",
        std::to_string(source.Day) + "," + std::to_string(source.Month) + ",19" +
            std::to_string(source.Year));
  Entry(text, "* unknown byte", std::to_string(source.Byte26));
  Entry(text, "* Days per turn", std::to_string(source.DaysPerTurn));
  Entry(text, "* Side 1 prestige pool", std::to_string(source.Side1PrestigePool));
  Entry(text, "* Side 2 prestige pool", std::to_string(source.Side2PrestigePool));
  Entry(text, "* Side 1 prestige interval", std::to_string(source.Side1PrestigeInterval));
  Entry(text, "* Side 2 prestige interval", std::to_string(source.Side2PrestigeInterval));
  Entry(text, "* 4 unknown bytes", Bytes(source.Bytes34To37));
  Entry(text, "* Side 1 prestige", std::to_string(source.Side1Prestige));
  Entry(text, "* Side 2 prestige", std::to_string(source.Side2Prestige));
  Entry(text, "* Side 1 Air transport available", std::to_string(source.Side1AirTransport));
  Entry(text, "* Side 2 Air transport available", std::to_string(source.Side2AirTransport));
  Entry(text, "* Side 1 Naval transport available", std::to_string(source.Side1NavalTransport));
  Entry(text, "* Side 2 Naval transport available", std::to_string(source.Side2NavalTransport));
  Entry(text, "* 8 unknown bytes", Bytes(source.EightBytes));
  text += std::string("* first turn multiplier") + kCr;
  text += "1";  // the file ends here, without a line end
  return text;
}

std::string ScenarioText(const std::string& mapName) {
  // "abc.map" as typed would otherwise give "abc.map.map".
  std::string base = mapName;
  if (EndsWithIgnoringCase(base, ".map")) base.resize(base.size() - 4);
  std::string text;
  for (const std::string& line :
       {base + ".map", base + ".bmp", base + ".oob", std::string("Weather,clear"),
        std::string("Ground Conditions,dry"), std::string("Weather Zone,moderate"),
        std::string("Politics,False"), std::string("Scenario Type,0")}) {
    text += line + kCr;
  }
  return text;
}

std::string OrderOfBattlePath(const std::string& mapPath) {
  return WithExtension(mapPath, "oob");
}

std::string ScenarioTextPath(const std::string& mapPath) {
  return WithExtension(mapPath, "scn");
}

std::string OrderOfBattleReplaceQuestion(const std::string& oobPath) {
  return oobPath + "already exists.\rDo you want to replace it ?";
}

}  // namespace korv
