#include "cli/apply_command.h"

#include <algorithm>
#include <string_view>

#include "cli/korvmap.h"
#include "editing/commands.h"
#include "editor/map_io.h"
#include "editor/startup.h"
#include "platform/interaction.h"
#include "platform/random.h"

namespace korv {

namespace {

// Messages to the output; questions answered by their default button.
class DefaultAnswers : public UserInteraction {
 public:
  explicit DefaultAnswers(std::ostream& out) : out_(out) {}
  void Message(const std::string& text) override { out_ << LinesForDisplay(text) << '\n'; }
  bool AskOkCancel(const std::string& text) override {
    out_ << LinesForDisplay(text) << " [OK]\n";
    return true;
  }
  bool AskYesNo(const std::string& text) override {
    out_ << LinesForDisplay(text) << " [No]\n";
    return false;
  }
  void Progress(const std::string&) override {}
  void SetBusy(bool) override {}

 private:
  std::ostream& out_;
};

}  // namespace

void ListCommands(std::ostream& out) {
  for (const Command& command : CommandTable()) {
    std::string caption = command.caption;
    caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
    out << command.id << "\t\"" << caption << "\"\t"
        << (!command.Available() ? "not in the editor yet"
            : command.headless   ? "runs here"
                                 : "needs the editor's window")
        << '\n';
  }
}

int ApplyCommands(const std::string& folder, const std::string& in, const std::string& outPath,
                  const std::vector<std::string>& commands, const ApplySettings& settings,
                  std::ostream& out, std::ostream& err) {
  std::vector<const Command*> chosen;
  for (const std::string& name : commands) {
    const Command* command = FindCommand(name);
    std::string problem;
    if (!command) {
      problem = "there is no command \"" + name + "\" (korvmap apply --list names them)";
    } else if (!command->Available()) {
      problem = "\"" + name + "\" is not in the editor yet";
    } else if (!command->headless) {
      problem = "\"" + name + "\" needs the editor's window";
    }
    if (!problem.empty()) {
      err << "korvmap: nothing was done: " << problem << ".\n";
      return kExitRefused;
    }
    chosen.push_back(command);
  }

  DefaultAnswers ui(out);
  SeededRandom random(settings.seed);
  MapEditor session(GameFolder(folder), ui, random);
  Editor& editor = session.editor;
  // No history is kept unless a later command walks it.
  session.keepsHistory = std::any_of(chosen.begin(), chosen.end(), [](const Command* command) {
    const std::string_view id = command->id;
    return id == "undo-change" || id == "redo-change";
  });
  if (!StartCommandEditor(editor, err)) return kExitRefused;
  if (settings.currentTile && !editor.Tiles.IsTile(*settings.currentTile)) {
    err << "korvmap: tile " << *settings.currentTile << " is not on the tile sheet (tiles 0 to "
        << editor.Tiles.TileCount << ").\n";
    return kExitRefused;
  }
  MapDocument& document = editor.Document;
  document.MapPath = in;
  document.MapName = std::filesystem::path(in).filename().string();
  if (!LoadMap(editor)) return kExitRefused;

  ViewState& view = session.view;
  const std::vector<int> whole = {1, 1, document.MapWidth, document.MapHeight};
  const std::vector<int>& shown = settings.view ? *settings.view : whole;
  view.ViewLeft = std::max(shown[0], 1);
  view.ViewTop = std::max(shown[1], 1);
  view.ViewColumns = std::max(shown[2] - 1, 0);
  view.ViewRows = std::max(shown[3] - 1, 0);
  view.ScrollMaxX = document.MapWidth - view.ViewColumns;
  view.ScrollMaxY = document.MapHeight - view.ViewRows;
  session.control.WholeMapArea = settings.wholeMap;
  editor.Settings.FitNeighbours = settings.fitNeighbours;
  if (settings.currentTile) editor.CurrentTile = static_cast<int16_t>(*settings.currentTile);
  if (settings.nation) session.control.SelectedNation = static_cast<uint8_t>(*settings.nation);
  if (settings.originalOwner) {
    session.control.SelectedOriginalOwner = static_cast<uint8_t>(*settings.originalOwner);
  }
  if (settings.mark) session.control.SelectedObjectiveMark = static_cast<uint8_t>(*settings.mark);

  for (const Command* command : chosen) {
    const CommandOutcome outcome = RunCommand(session, *command);
    if (!outcome.report.empty()) out << outcome.report << '\n';
  }

  // Saved as the file dialog saves: OUT names the map from here on.
  document.MapPath = outPath;
  document.MapName = std::filesystem::path(outPath).filename().string();
  return SaveMap(editor) ? kExitOk : kExitRefused;
}

}  // namespace korv
