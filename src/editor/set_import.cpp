#include "editor/set_import.h"

#include <cctype>
#include <filesystem>

#include "document/hex_names.h"
#include "editor/map_io.h"
#include "platform/bytes.h"
#include "platform/files.h"
#include "platform/interaction.h"

namespace korv {

namespace fs = std::filesystem;

namespace {

std::string HexText(int x, int y) {
  return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

// `name` in `folder`, spelt as on disk when only the case differs.
std::string InFolder(const fs::path& folder, const std::string& name) {
  const fs::path where = folder.empty() ? fs::path(".") : folder;
  if (auto found = FindIgnoringCase(where, name)) return (folder / found->filename()).string();
  return (folder / name).string();
}

// The first of `hexes` outside a set of columns 0..A and rows 0..B, or -1.
int FirstOutside(const std::vector<GameHex>& hexes, int a, int b) {
  for (size_t i = 0; i < hexes.size(); ++i) {
    const GameHex& hex = hexes[i];
    if (hex.X < 0 || hex.Y < 0 || hex.X > a || hex.Y > b) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

uint8_t DecodeRoadBits(uint8_t roadBits) {
  // The game tests the byte against 128, 32, 16, 8, 2 and 1 in turn and
  // subtracts each value it finds. Bits 64 and 4 carry no side; they are
  // cleared first, or the subtraction would count them as other sides (64
  // as 32 + 16 + 8 + 2 + 1 + 5 left over).
  static constexpr struct {
    int value;
    int side;
  } kBits[] = {{128, 4}, {32, 3}, {16, 2}, {8, 1}, {2, 6}, {1, 5}};
  int rest = roadBits & ~(64 | 4);
  uint8_t sides = 0;
  for (const auto& bit : kBits) {
    if (rest >= bit.value) {
      sides = static_cast<uint8_t>(sides | (1 << bit.side));
      rest -= bit.value;
    }
  }
  return sides;
}

std::optional<MapDocument> ParseSetFile(std::span<const uint8_t> bytes, const TileTables& tables,
                                        std::string& error) {
  if (bytes.size() < kSetHeaderBytes) {
    error = "is " + std::to_string(bytes.size()) + " bytes long, shorter than the " +
            std::to_string(kSetHeaderBytes) + " bytes of its header";
    return std::nullopt;
  }
  ByteCursor header(bytes);
  header.Skip(kSetColumnOffset);
  const int a = header.ReadI16();
  const int b = header.ReadI16();
  // The map gains a column (set column x is the editor's column x + 1).
  if (a < 0 || a + 1 > kMaxMapIndex) {
    error = "gives A = " + std::to_string(a) + " as its highest column, " +
            (a < 0 ? std::string("which is negative")
                   : "but the editor's maps end at column " + std::to_string(kMaxMapIndex) +
                         " and the import adds a column, so A can be at most " +
                         std::to_string(kMaxMapIndex - 1));
    return std::nullopt;
  }
  if (b < 0 || b > kMaxMapIndex) {
    error = "gives B = " + std::to_string(b) + " as its highest row, " +
            (b < 0 ? std::string("which is negative")
                   : "but the editor's maps end at row " + std::to_string(kMaxMapIndex));
    return std::nullopt;
  }
  const size_t columns = static_cast<size_t>(a) + 1;
  const size_t hexes = columns * (static_cast<size_t>(b) + 1);
  const size_t needed = kSetHeaderBytes + kSetBytesPerHex * hexes;
  if (bytes.size() < needed) {
    error = "is " + std::to_string(bytes.size()) + " bytes long, but the five blocks of a set of " +
            std::to_string(a + 1) + " x " + std::to_string(b + 1) + " hexes end at byte " +
            std::to_string(needed) + ": the file is cut short";
    return std::nullopt;
  }
  // Block offsets: name numbers (not kept: the import leaves every hex
  // nameless), road bits, owners, an unused block, tile numbers.
  const size_t roads = kSetHeaderBytes + 2 * hexes;
  const size_t owners = roads + hexes;
  const size_t tiles = owners + 2 * hexes;

  MapDocument document;
  document.MapWidth = static_cast<int16_t>(a + 1);
  document.MapHeight = static_cast<int16_t>(b);
  AllocateMapLayers(document);
  document.ResetObjectives(0);
  for (int y = 0; y <= b; ++y) {
    for (int x = 0; x <= a; ++x) {
      const size_t i = static_cast<size_t>(y) * columns + static_cast<size_t>(x);
      const size_t at = tiles + 2 * i;
      const auto tile = static_cast<int16_t>(bytes[at] | (bytes[at + 1] << 8));
      if (!tables.IsTile(tile)) {
        error = "gives hex " + HexText(x, y) + " (column " + std::to_string(x + 1) +
                " in the editor) tile number " + std::to_string(tile) +
                ", but the tile sheet has tiles 0 to " + std::to_string(tables.TileCount);
        return std::nullopt;
      }
      const uint8_t sides = DecodeRoadBits(bytes[roads + i]);
      const auto put = [&](int column) {
        document.Tile(column, y) = tile;
        document.Terrain(column, y) = tables.TerrainOf(tile);
        for (int d = 1; d <= 6; ++d)
          document.Data(column, y, d) = (sides >> d) & 1 ? kRoadLink : kNoLink;
      };
      put(x + 1);
      if (x == 0) put(0);  // column 0 is never shown; it repeats set column 0
      if (const uint8_t owner = bytes[owners + i]; owner != 0) {
        document.Owner(x + 1, y) = owner;
        document.Mark(x + 1, y) = kSecondaryObjective;
      }
    }
  }
  return document;
}

std::string ScenarioNumberOf(const std::string& setPath, std::string& error) {
  const std::string name = fs::path(setPath).filename().string();
  const auto lower = [](char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  };
  const bool endsInSet = name.size() >= 3 && lower(name[name.size() - 3]) == 's' &&
                         lower(name[name.size() - 2]) == 'e' && lower(name[name.size() - 1]) == 't';
  if (!endsInSet) {
    error = "its name \"" + name + "\" does not end in \"set\"";
    return {};
  }
  if (name.size() < 6) {
    error = "its name \"" + name +
            "\" is shorter than six characters, so it has no scenario number (as in game005.set)";
    return {};
  }
  return name.substr(name.size() - 6, 2);
}

std::optional<SetImport> ReadSetImport(Editor& editor, const std::string& setPath) {
  UserInteraction& ui = editor.Ui;
  const auto refuse = [&](const std::string& what) -> std::optional<SetImport> {
    ui.Message("The set file " + setPath + " was not imported: " + what +
               ". The open map is unchanged.");
    return std::nullopt;
  };
  std::string error;
  const std::string number = ScenarioNumberOf(setPath, error);
  if (number.empty()) return refuse(error);

  SetImport import;
  SetImportPaths& paths = import.Paths;
  paths.SetPath = setPath;
  paths.ScenarioPath = InFolder(fs::path(setPath).parent_path(), "game0" + number + ".scn");
  paths.EquipmentPath = editor.Folder.Resolve(kEquipmentFile).string();
  paths.MapNamesPath = editor.Folder.Resolve(kMapNamesFile).string();
  paths.OobPath = editor.Folder.Resolve("game0" + number + ".oob").string();
  paths.DeploymentPath = editor.Folder.Resolve("game0" + number + ".dep").string();

  // The names of the map-name file are not taken over; its absence is only noted.
  if (!FileExists(paths.MapNamesPath)) ui.Message(paths.MapNamesPath + " not found.");

  BusyScope busy(ui);
  auto setBytes = ReadWholeFile(setPath);
  if (!setBytes) return refuse("it cannot be opened");
  auto map = ParseSetFile(*setBytes, editor.Tiles, error);
  if (!map) return refuse("it " + error);
  import.Map = std::move(*map);
  ReadScenarioPart(editor, import);
  return import;
}

void ReadScenarioPart(Editor& editor, SetImport& import) {
  const SetImportPaths& paths = import.Paths;
  std::vector<std::string>& problems = import.ScenarioProblems;
  std::string error;
  // Each file is read whatever became of the other, so one message names
  // every problem.
  std::optional<ScenarioSource> scenario;
  if (auto bytes = ReadWholeFile(paths.ScenarioPath)) {
    scenario = ParseScenarioSource(*bytes, error);
    if (!scenario) problems.push_back("its scenario file " + paths.ScenarioPath + " " + error);
  } else {
    problems.push_back("its scenario file " + paths.ScenarioPath +
                       (FileExists(paths.ScenarioPath) ? " cannot be opened" : " does not exist"));
  }
  std::optional<std::vector<std::string>> equipment;
  if (auto bytes = ReadWholeFile(paths.EquipmentPath)) {
    equipment = ParseEquipmentNames(*bytes, error);
    if (!equipment) problems.push_back("the equipment file " + paths.EquipmentPath + " " + error);
  } else {
    problems.push_back("the equipment file " + paths.EquipmentPath +
                       (FileExists(paths.EquipmentPath) ? " cannot be opened" : " does not exist"));
  }
  if (!scenario) return;

  MapDocument& map = import.Map;
  const int a = map.MapWidth - 1;
  const int b = map.MapHeight;
  bool hexesOnTheSet = true;
  const struct {
    const std::vector<GameHex>& hexes;
    const char* what;
  } lists[] = {{scenario->DeploymentHexes, "deployment hex"},
               {scenario->VictoryHexes, "victory hex"}};
  for (const auto& list : lists) {
    if (const int i = FirstOutside(list.hexes, a, b); i >= 0) {
      const GameHex& hex = list.hexes[static_cast<size_t>(i)];
      problems.push_back("its scenario file " + paths.ScenarioPath + " gives " + list.what + " " +
                         std::to_string(i + 1) + " at " + HexText(hex.X, hex.Y) +
                         ", outside the set's columns 0 to " + std::to_string(a) +
                         " and rows 0 to " + std::to_string(b));
      hexesOnTheSet = false;
    }
  }
  // Deployment hexes belong to the first nation of side 1; victory hexes
  // become primary objectives (see docs/scenario-units.md). They need only
  // the scenario file.
  if (!hexesOnTheSet) return;
  for (const GameHex& hex : scenario->DeploymentHexes)
    map.Deployment(hex.X + 1, hex.Y) = scenario->Side1Nations[0];
  for (const GameHex& hex : scenario->VictoryHexes) map.Mark(hex.X + 1, hex.Y) = kPrimaryObjective;
  import.Scenario = std::move(*scenario);
  if (!equipment) return;
  const std::string references = CheckScenarioReferences(
      import.Scenario, *equipment, editor.Nations, paths.ScenarioPath, paths.EquipmentPath);
  if (!references.empty()) problems.push_back(references);
  if (!problems.empty()) return;
  import.OrderOfBattleText = OrderOfBattleText(import.Scenario, *equipment, editor.Nations);
  import.ScenarioWhole = true;
}

void TakeImportedMap(Editor& editor, SetImport& import) {
  MapDocument& document = editor.Document;
  MapDocument& map = import.Map;
  // The editor keeps objective marks on owned hexes only; a victory hex
  // nobody owns loses its mark below, and the designer is told where.
  std::string unowned;
  for (const GameHex& hex : import.Scenario.VictoryHexes) {
    if (map.Owner(hex.X + 1, hex.Y) != 0) continue;
    unowned += (unowned.empty() ? "" : ", ") + HexText(hex.X + 1, hex.Y);
  }
  if (!unowned.empty()) {
    editor.Ui.Message("The scenario file " + import.Paths.ScenarioPath +
                      " has victory hexes that nobody owns: " + unowned +
                      " (the editor's columns). Only owned hexes can be objectives, so these are "
                      "not marked.");
  }
  ReplaceMapLayers(document, std::move(map));
  RebuildObjectiveList(document);
}

std::string ScenarioProblemsMessage(const SetImport& import) {
  std::string text = "The map of the set file " + import.Paths.SetPath +
                     " was imported without its scenario: there is no order of battle, and "
                     "saving the map writes no scenario files.";
  for (const std::string& problem : import.ScenarioProblems) text += "\n- " + problem + ".";
  return text;
}

bool ImportSetFile(Editor& editor, const std::string& setPath) {
  auto import = ReadSetImport(editor, setPath);
  if (!import) return false;
  const SetImportPaths& paths = import->Paths;
  if (!import->ScenarioProblems.empty()) editor.Ui.Message(ScenarioProblemsMessage(*import));

  // The order-of-battle text waits in the editor's folder for "Save"; those
  // of an earlier import there are stale.
  if (FileExists(paths.OobPath)) DeleteFile(paths.OobPath);
  if (FileExists(paths.DeploymentPath)) DeleteFile(paths.DeploymentPath);
  ImportedSetState imported;
  if (import->ScenarioWhole) {
    imported = {setPath, paths.OobPath, import->OrderOfBattleText};
    std::string error;
    if (!WriteFileAtomically(paths.OobPath, std::string_view(import->OrderOfBattleText), &error)) {
      editor.Ui.Message("The order of battle of " + setPath + " could not be written to " +
                        paths.OobPath + ": " + error +
                        ". It is kept and written beside the map when it is saved with \"Save\".");
      imported.ImportedOobPath.clear();
    }
  }

  TakeImportedMap(editor, *import);
  MapDocument& document = editor.Document;
  document.MapName.clear();
  editor.CaptionName.clear();
  document.MapPath = editor.Folder.Resolve("newmap.map").string();
  document.HexNamesPath = editor.Folder.Resolve("newmap.str").string();
  document.HexNamesIndexPath = editor.Folder.Resolve("newmap.ndx").string();
  // The import leaves every hex nameless.
  CreateHexNameFiles(editor);
  editor.ImportedSet = std::move(imported);
  return true;
}

bool WriteScenarioFiles(Editor& editor, const std::string& newOobPath,
                        const std::string& newScenarioPath) {
  ImportedSetState& imported = editor.ImportedSet;
  if (!imported.Pending()) return true;
  const bool inPlace =
      !imported.ImportedOobPath.empty() && SameFile(imported.ImportedOobPath, newOobPath);
  std::string error;
  if (!inPlace) {
    const bool write =
        !FileExists(newOobPath) || editor.Ui.AskOkCancel(OrderOfBattleReplaceQuestion(newOobPath));
    if (write) {
      // The file in the editor's folder is what a designer may have edited
      // since the import; the kept text stands in when it is gone.
      std::optional<std::vector<uint8_t>> bytes;
      if (!imported.ImportedOobPath.empty()) bytes = ReadWholeFile(imported.ImportedOobPath);
      const bool written =
          bytes ? WriteFileAtomically(newOobPath, *bytes, &error)
                : WriteFileAtomically(newOobPath, std::string_view(imported.OrderOfBattleText),
                                      &error);
      if (!written) {
        editor.Ui.Message("The order of battle of the imported set was not written to " +
                          newOobPath + ": " + error +
                          ". It is kept and written when the map is next saved with \"Save\".");
        return false;
      }
    }
  }
  if (!WriteFileAtomically(newScenarioPath, std::string_view(ScenarioText(editor.Document.MapName)),
                           &error)) {
    editor.Ui.Message("The scenario file " + newScenarioPath + " was not written: " + error +
                      ". It is written when the map is next saved with \"Save\".");
    return false;
  }
  if (!inPlace && !imported.ImportedOobPath.empty()) DeleteFile(imported.ImportedOobPath);
  imported = ImportedSetState{};
  return true;
}

}  // namespace korv
