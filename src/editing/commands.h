// The commands of the main window's menus in one table: each entry has the
// menu it belongs to, its caption as the menu first shows it, a stable
// identifier, whether it can run, the caption and check mark it shows for
// the session's state, and the procedure it runs on the session. The
// window builds its menus from the table; `korvmap apply` runs the same
// entries without a window. Subsystems that arrive later fill in their
// entries here.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editing/map_editor.h"

namespace korv {

// What the window does after a command, besides refreshing every caption
// from the table.
struct CommandOutcome {
  enum class Window {
    kNone,
    kNewMapDialog,    // "&New Map file": the view is back at 1, 1; the dialog follows
    kFileDialog,      // in `fileDialogMode`
    kGridDimensions,  // the grid dimensions dialog
    kControlWindow,   // show the control window
    kHelp,            // the keyboard help window
    kZoom,            // zoom by `zoomStep` (+1 in, -1 out, 0 actual size)
    kClose,           // close the main window
    kJumpMap,         // show the jump map window
    kHideJumpMap,     // hide it
    kBitmapUtility,   // show the bitmap utility window
    kMapToBitmap,     // the "Map to Bitmap" dialog, then map.bmp
  };
  Window window = Window::kNone;
  int16_t fileDialogMode = 0;
  int zoomStep = 0;
  // The map may have another size now: the scroll bars follow.
  bool mapReplaced = false;
  // The view was moved: the scroll bars follow.
  bool viewMoved = false;
  // What the command found, for the progress label (and korvmap's output).
  std::string report;
};

struct Command {
  const char* id;       // stable, for scripts: "random-tiles"
  const char* menu;     // the menu's title: "Tiles"
  const char* caption;  // as the menu first shows it: "Random Tiles OFF"
  bool separatorBefore = false;
  // A key sequence the menu entry answers to ("Ctrl+0"; several separated
  // by ';'), or empty.
  const char* shortcut = "";
  // False while the command cannot run in a window: it opens a dialog or a
  // window, or only changes what the window presents. korvmap refuses it.
  bool headless = true;
  // The procedure; empty for a command that is not in the editor yet (its
  // entry is shown disabled).
  std::function<CommandOutcome(MapEditor&)> run;
  // The caption and check mark for the session's state; empty for an entry
  // whose caption never changes.
  std::function<MenuEntry(const MapEditor&)> state;
  // Whether the entry shows a check mark.
  bool checkable = false;
  // The name of the change the command makes to the map, kept for Edit >
  // Undo; null for a command that leaves the map as it is.
  const char* change = nullptr;

  bool Available() const { return static_cast<bool>(run); }
};

// Every entry of the main window's menus, menu by menu, top to bottom.
const std::vector<Command>& CommandTable();

// The entry named by `name`: its identifier, or its first caption or its
// caption for the session's state, compared without "&" and ignoring case;
// else the one entry whose caption begins with `name` and goes on with the
// state it names ("Random Tiles" for "Random Tiles OFF"). Nothing when no
// entry or several fit.
const Command* FindCommand(std::string_view name, const MapEditor* session = nullptr);

// Runs the entry on the session, as the menus and korvmap do: a command
// that changes the map leaves one change in the history.
CommandOutcome RunCommand(MapEditor& session, const Command& command);

// The entry's caption and check mark now.
MenuEntry CommandState(const Command& command, const MapEditor& session);

// The "Help" entry at the right of the menu bar (it is no menu).
constexpr const char* kHelpMenuEntry = "Help";

// Rules the window's buttons and dialogs follow, kept here so that they
// hold without a window:
// the auto-tile button: AutoDraw flips; returns its caption.
std::string AutoTile_Click(MapEditor& session);
// "Cancel" of the grid dimensions dialog switches the grid lines off.
void GridDimensionsDialog_Cancel(MapEditor& session);
// The "clear hex sides" button's caption for the session's state.
std::string ClearSidesButtonCaption(const MapEditor& session);

}  // namespace korv
