// Feeds arbitrary bytes to the readers of a set import: the same bytes as a
// set file, a scenario file and an equipment file. Whatever the bytes, a
// reader either refuses them with a reason or gives values that fit their
// sizes, and the order-of-battle text made from them has its fixed frame.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "editor/set_import.h"
#include "scenario/nations.h"
#include "scenario/scenario_files.h"

namespace {

const korv::TileTables& Tables() {
  static const korv::TileTables tables = [] {
    korv::TileTables t;
    t.TileCount = 299;
    t.TileTerrain.resize(300);
    for (int i = 0; i < 300; ++i)
      t.TileTerrain[static_cast<size_t>(i)] = static_cast<uint8_t>(i % 15);
    return t;
  }();
  return tables;
}

const korv::NationTables& Nations() {
  static const korv::NationTables nations = [] {
    korv::NationTables n;
    n.NationCount = 3;
    n.NationNames = {"", "Zeta", "alpha", "Beta"};
    n.NationTileId = {0, 3, 0, 6};
    n.NationOrder = {0, 3, 1, 2};
    return n;
  }();
  return nations;
}

void Check(bool condition) {
  if (!condition) std::abort();
}

bool StartsWith(const std::string& text, const std::string& start) {
  return text.compare(0, start.size(), start) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::span<const uint8_t> bytes(data, size);
  std::string error;

  if (auto map = korv::ParseSetFile(bytes, Tables(), error)) {
    const size_t hexes = map->HexCount();
    Check(map->MapWidth >= 1 && map->MapHeight >= 0);
    Check(korv::kSetHeaderBytes + korv::kSetBytesPerHex * (hexes - (map->MapHeight + 1)) <= size);
    Check(map->HexData.size() == 7 * hexes);
    Check(map->HexTile.size() == hexes);
    Check(map->HexControl.size() == 2 * hexes);
    for (size_t i = 0; i < hexes; ++i) Check(Tables().IsTile(map->HexTile[i]));
    for (uint8_t link : map->HexData) Check(link <= 14);  // terrain < 15, links 0 or 1
  } else {
    Check(!error.empty());
  }

  error.clear();
  auto names = korv::ParseEquipmentNames(bytes, error);
  if (names) {
    Check(2 + korv::kEquipmentRecordBytes * names->size() <= size);
    for (const std::string& name : *names) Check(name.size() <= korv::kEquipmentNameBytes);
  } else {
    Check(!error.empty());
    names.emplace(std::vector<std::string>{"", "Rifles", "Tanks"});
  }

  error.clear();
  auto scenario = korv::ParseScenarioSource(bytes, error);
  if (!scenario) {
    Check(!error.empty());
    return 0;
  }
  Check(scenario->Byte21 >= scenario->MaxCoreUnits);
  Check(scenario->VictoryHexes.size() <= static_cast<size_t>(korv::kMaxVictoryHexes));
  Check(scenario->DeploymentCount >= 0);
  Check(korv::kDeploymentHexesOffset + 4 * scenario->DeploymentHexes.size() +
            korv::kScenarioTailBytes + korv::kUnitRecordBytes * scenario->Units.size() ==
        size);
  // The text is made whether or not the references hold (the import checks
  // them first); unknown nations and records give empty names.
  const std::string problem =
      korv::CheckScenarioReferences(*scenario, *names, Nations(), "s.scn", "e.eqp");
  const std::string text = korv::OrderOfBattleText(*scenario, *names, Nations());
  Check(StartsWith(text, "* number of sequences or sides\r2\r\n"));
  const std::string tail = "* first turn multiplier\r1";
  Check(text.size() > tail.size() &&
        text.compare(text.size() - tail.size(), tail.size(), tail) == 0);
  if (problem.empty()) {
    // The names hold no line end or comma: one line of twelve fields per unit.
    const size_t marker = text.find("trans2\r");
    Check(marker != std::string::npos);
    const size_t first = marker + 7;
    const size_t end = text.find("* Side 1 Nations Available\r\n", first);
    Check(end != std::string::npos);
    const std::string units = text.substr(first, end - first);
    size_t lines = 0;
    for (size_t at = units.find("\r\n"); at != std::string::npos; at = units.find("\r\n", at + 2))
      ++lines;
    Check(lines == scenario->Units.size());
    size_t commas = 0;
    for (char c : units) commas += c == ',';
    Check(commas == 11 * scenario->Units.size());
  }
  return 0;
}
