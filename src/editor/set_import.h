// The import of a set file of the game (".set") as a new map, with the
// scenario that belongs to it: the set's five blocks give the tiles,
// terrain, roads and owners (owned hexes become secondary objectives), the
// scenario file gives the deployment hexes and victory hexes, and the
// order-of-battle text is made from its units. Set column x becomes the
// editor's column x + 1; column 0 repeats set column 0.
//
// Everything is read and checked before anything changes: a set file that
// cannot be used leaves the open map, its names and its files as they were,
// and tells the user which file is wrong and how. A scenario part that
// cannot be read whole does not stop the map: it comes in without it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "editor/editor.h"
#include "scenario/scenario_files.h"

namespace korv {

constexpr size_t kSetHeaderBytes = 123;
constexpr size_t kSetColumnOffset = 101;  // A, the highest set column (i16)
constexpr size_t kSetRowOffset = 103;     // B, the highest row (i16)
// Bytes per hex over the five blocks: name number (2), road bits (1),
// owner (1), unused (1), tile number (2).
constexpr size_t kSetBytesPerHex = 7;
constexpr const char* kMapNamesFile = "brak_files/mapnames.str";
constexpr const char* kEquipmentFile = "data/brakequp.eqp";

// The sides a road-bits byte of block 2 opens, as a set of bits 1 << side
// (sides 1..6). Bits 64 and 4 open none.
uint8_t DecodeRoadBits(uint8_t roadBits);

// The map a set file holds, shifted one column to the right: MapWidth is
// A + 1 and MapHeight is B, terrain comes from the tile tables, the road
// sides are road links, and each owned hex is a secondary objective of its
// owner. Tile numbers keep all 16 bits (the tile must be on the sheet).
// Nothing, with `error` set to a clause that follows the file's name ("is
// 40 bytes long, ..."), when the header or the blocks are cut short, A or B
// is negative or too large, or a tile is not on the tile sheet.
std::optional<MapDocument> ParseSetFile(std::span<const uint8_t> bytes, const TileTables& tables,
                                        std::string& error);

// The scenario number "NN" of a set file: the first two of the last six
// characters of its name ("game005.set" -> "05"). Empty, with `error` set,
// when the name does not end in "set" (any case) or is shorter than six
// characters.
std::string ScenarioNumberOf(const std::string& setPath, std::string& error);

// The files an import of `setPath` reads and writes.
struct SetImportPaths {
  std::string SetPath;
  std::string ScenarioPath;    // game0NN.scn in the set file's folder
  std::string EquipmentPath;   // data/brakequp.eqp of the editor's folder
  std::string MapNamesPath;    // brak_files/mapnames.str of the editor's folder
  std::string OobPath;         // game0NN.oob in the editor's folder
  std::string DeploymentPath;  // game0NN.dep in the editor's folder, deleted by the import
};

// A set import read and checked, not yet applied.
struct SetImport {
  SetImportPaths Paths;
  MapDocument Map;  // layers with deployment and objective marks; no names
  // The scenario part: whole when the scenario file, the equipment file and
  // what they name all hold; otherwise what is missing or wrong, one clause
  // each naming its file.
  bool ScenarioWhole = false;
  std::vector<std::string> ScenarioProblems;
  ScenarioSource Scenario;  // when the scenario file is sound and its hexes lie on the set
  std::string OrderOfBattleText;
};

// Reads the set file, then its scenario part (ReadScenarioPart), and checks
// them against each other, the tile sheet and the nation set. Changes
// nothing. A missing map-name file is reported with its path followed by
// " not found." and the import goes on. A set file that cannot be used is
// reported in a message naming the file and the fault, and gives nothing;
// the scenario part's problems are left for the caller to report.
std::optional<SetImport> ReadSetImport(Editor& editor, const std::string& setPath);
// Reads the scenario file and the equipment file of `import` and puts the
// deployment and victory hexes on its map when the scenario file is sound
// and they lie on the set; the order-of-battle text only when the whole
// part is sound.
void ReadScenarioPart(Editor& editor, SetImport& import);

// The one message that lists every problem of the scenario part.
std::string ScenarioProblemsMessage(const SetImport& import);

// Puts the imported layers into the open document (which keeps its names)
// and rebuilds the objective list.
void TakeImportedMap(Editor& editor, SetImport& import);

// The file dialog's "Load" in mode 2 from the set file's full path on:
// reads everything (ReadSetImport), then deletes the editor's old
// game0NN.oob and game0NN.dep, writes the new order-of-battle text there,
// takes the map, names it "newmap.map" in the editor's folder with an empty
// MapName, makes its hex-name files empty and remembers the import for
// "Save" (Editor::ImportedSet). A scenario part that cannot be read whole
// is reported in one message listing every problem; the map is imported
// all the same, and "Save" writes no scenario files for it. False, with the
// user told and nothing changed, when the set file itself is refused.
bool ImportSetFile(Editor& editor, const std::string& setPath);

// "Save" after an import (call it after SaveMap; it does nothing when no
// import is pending): puts the order-of-battle text at `newOobPath` (asking
// first when a file is there; on Cancel the existing file stays), deletes
// the editor's copy in its folder, and writes the scenario text at
// `newScenarioPath` with the document's MapName. The import is then done
// and later saves write no scenario files. False, with the user told and
// the import still pending, when a file cannot be written.
bool WriteScenarioFiles(Editor& editor, const std::string& newOobPath,
                        const std::string& newScenarioPath);

}  // namespace korv
