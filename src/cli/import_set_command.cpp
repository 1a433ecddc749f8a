#include "cli/import_set_command.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "cli/korvmap.h"
#include "document/hex_names.h"
#include "editing/file_dialog.h"
#include "editor/map_io.h"
#include "editor/set_import.h"
#include "editor/startup.h"
#include "platform/interaction.h"
#include "platform/random.h"

#include "platform/files.h"

namespace korv {

std::optional<int> RunImportSetCommand(const std::vector<std::string>& arguments, std::ostream& out,
                                       std::ostream& err) {
  // korvmap's options that take a value; their values are not commands.
  std::string folder = ".";
  bool replace = false;
  std::vector<std::string> words;
  std::string foreignOption;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& word = arguments[i];
    if (word == "--replace") {
      replace = true;
    } else if (word.rfind("--", 0) == 0 && word != "--") {
      const bool valued = KorvmapOptionTakesValue(word);
      if (word == "--folder" && i + 1 < arguments.size()) {
        folder = arguments[i + 1];
      } else if (foreignOption.empty()) {
        foreignOption = word;
      }
      if (valued) ++i;
    } else {
      words.push_back(word);
    }
  }
  if (words.empty() || words[0] != "import-set") return std::nullopt;
  if (!foreignOption.empty() || words.size() != 3) {
    SayUsageError(foreignOption.empty() ? std::string("import-set takes a set file and a map file")
                                        : "import-set does not take " + foreignOption,
                  "import-set", err);
    return kExitUsage;
  }
  return ImportSetCommand(folder, words[1], words[2], replace, out, err);
}

int ImportSetCommand(const std::string& folder, const std::string& setPath,
                     const std::string& outPath, bool replace, std::ostream& out,
                     std::ostream& err) {
  ConsoleInteraction ui(err, replace);
  SeededRandom random(1);  // the start-up map is replaced by the import
  Editor editor(GameFolder(folder), ui, random);
  std::string error;
  if (!StartUp(editor, error, false)) {
    err << error << '\n';
    return kExitRefused;
  }
  auto import = ReadSetImport(editor, setPath);
  if (!import) return kExitRefused;
  if (!import->ScenarioProblems.empty()) ui.Message(ScenarioProblemsMessage(*import));

  // As "Save" takes a typed name: ".map" is added when missing, and the
  // name as given goes into the scenario text.
  std::string mapPath = outPath;
  if (!EndsWithIgnoringCase(mapPath, ".map")) mapPath += ".map";
  if (FileExists(mapPath) && !ui.AskOkCancel(ReplaceQuestion(mapPath))) {
    err << "Nothing was written; --replace replaces " << mapPath << ".\n";
    return kExitRefused;
  }
  TakeImportedMap(editor, *import);
  if (import->ScenarioWhole) {
    editor.ImportedSet = ImportedSetState{setPath, "", import->OrderOfBattleText};
  }
  MapDocument& document = editor.Document;
  document.MapName = std::filesystem::path(outPath).filename().string();
  document.MapPath = mapPath;
  if (!SaveMap(editor)) return kExitRefused;
  // The import names no hex: the map's hex-name files are made empty.
  document.HexNamesIndexPath = HexNameFilePath(mapPath, kHexNamesIndexExtension);
  document.HexNamesPath = HexNameFilePath(mapPath, kHexNamesExtension);
  if (!CreateHexNameFiles(editor)) return kExitRefused;
  CloseHexNameFiles(editor.HexNames);
  const std::string oobPath = OrderOfBattlePath(mapPath);
  const std::string scenarioPath = ScenarioTextPath(mapPath);
  // Without --replace the question is answered Cancel and the file stays.
  const bool oobKept = FileExists(oobPath) && !replace;
  if (!WriteScenarioFiles(editor, oobPath, scenarioPath)) return kExitRefused;

  out << "imported " << setPath << " (a " << document.MapWidth << " x " << document.MapHeight
      << " map, "
      << (import->ScenarioWhole ? std::to_string(import->Scenario.Units.size()) + " units"
                                : std::string("without its scenario"))
      << ")\n";
  std::vector<std::string> written = {mapPath, ControlFilePath(mapPath),
                                      JumpMapPicturePath(mapPath), document.HexNamesIndexPath,
                                      document.HexNamesPath};
  if (import->ScenarioWhole) written.insert(written.end(), {oobPath, scenarioPath});
  for (const std::string& file : written) {
    out << (file == oobPath && oobKept ? "kept " : "wrote ") << file << '\n';
  }
  return kExitOk;
}

}  // namespace korv
