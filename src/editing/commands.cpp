#include "editing/commands.h"

#include <algorithm>
#include <cctype>

#include "editing/analysis_commands.h"
#include "editing/clipboard.h"
#include "editing/control.h"
#include "editing/file_dialog.h"
#include "editing/tile_commands.h"
#include "editor/map_io.h"
#include "platform/interaction.h"
#include "view/hex_drawing.h"

namespace korv {

namespace {

using Window = CommandOutcome::Window;

CommandOutcome Show(Window window) {
  CommandOutcome outcome;
  outcome.window = window;
  return outcome;
}

CommandOutcome FileDialogIn(int16_t mode) {
  CommandOutcome outcome = Show(Window::kFileDialog);
  outcome.fileDialogMode = mode;
  return outcome;
}

CommandOutcome Zoom(int step) {
  CommandOutcome outcome = Show(Window::kZoom);
  outcome.zoomStep = step;
  return outcome;
}

// A caption compared as a designer types it: without "&", case ignored.
std::string Plain(std::string_view caption) {
  std::string plain;
  for (char c : caption) {
    if (c != '&') plain += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return plain;
}

std::vector<Command> BuildTable() {
  std::vector<Command> table;
  const auto add = [&table](Command command) { table.push_back(std::move(command)); };
  // A window command: it opens something, or only changes what is presented.
  const auto windowOnly = [&add](const char* id, const char* menu, const char* caption,
                                 std::function<CommandOutcome(MapEditor&)> run,
                                 bool separatorBefore = false, const char* shortcut = "") {
    add({.id = id,
         .menu = menu,
         .caption = caption,
         .separatorBefore = separatorBefore,
         .shortcut = shortcut,
         .headless = false,
         .run = std::move(run),
         .state = {}});
  };
  // File
  windowOnly("new-map", "&File", "&New Map file", [](MapEditor& session) {
    NewMapFile_Click(session);
    return Show(Window::kNewMapDialog);
  });
  windowOnly("open-map", "&File", "&Open Map File",
             [](MapEditor&) { return FileDialogIn(kOpenMapMode); });
  add({.id = "save-map",
       .menu = "&File",
       .caption = "&Save Map File",
       .shortcut = "Ctrl+S",
       .run =
           [](MapEditor& session) {
             // A map in a folder the user cannot write is saved elsewhere.
             const std::string& path = session.editor.Document.MapPath;
             const std::filesystem::path folder = std::filesystem::path(path).parent_path();
             if (!path.empty() && !CanWriteIn(folder.empty() ? "." : folder)) {
               session.editor.Ui.Progress("Choose where to save the map");
               return FileDialogIn(kSaveMapAsMode);
             }
             SaveMap(session.editor);
             RedrawIfDrawn(session);
             return CommandOutcome{};
           },
       .state = {}});
  windowOnly("save-map-as", "&File", "Save Map File &As",
             [](MapEditor&) { return FileDialogIn(kSaveMapAsMode); });
  windowOnly(
      "import-set", "&File", "Open Brak set file",
      [](MapEditor&) { return FileDialogIn(kImportSetMode); }, true);
  windowOnly("bitmap-utility", "&File", "Bitmap Utilities", [](MapEditor& session) {
    // The utility may make a new map of a bitmap: nothing is saved over the open one.
    session.editor.Document.MapPath.clear();
    return Show(Window::kBitmapUtility);
  });
  windowOnly("map-to-bitmap", "&File", "Map to Bitmap",
             [](MapEditor&) { return Show(Window::kMapToBitmap); });
  windowOnly("nation-set", "&File", "Open New Nations Set",
             [](MapEditor&) { return FileDialogIn(kNationSetMode); });
  windowOnly(
      "exit", "&File", "E&xit", [](MapEditor&) { return Show(Window::kClose); }, true);

  // Edit
  add({.id = "undo",
       .menu = "&Edit",
       .caption = "Undo",
       .run =
           [](MapEditor& session) {
             CommandOutcome outcome;
             outcome.mapReplaced = Undo_Click(session).sizeChanged;
             return outcome;
           },
       .state = {},
       .change = "Undo Copy"});
  // A step through the history; the progress label tells what it did.
  const auto historyStep = [&add](const char* id, const char* caption, const char* shortcut,
                                  std::string (*step)(MapEditor&),
                                  MenuEntry (*state)(const MapEditor&)) {
    add({.id = id,
         .menu = "&Edit",
         .caption = caption,
         .shortcut = shortcut,
         .run =
             [step](MapEditor& session) {
               CommandOutcome outcome;
               outcome.report = step(session);
               return outcome;
             },
         .state = state});
  };
  historyStep("undo-change", "Undo Change", "Ctrl+Z", UndoChange, UndoChangeMenuEntry);
  historyStep("redo-change", "Redo Change", "Ctrl+Y;Ctrl+Shift+Z", RedoChange, RedoChangeMenuEntry);
  add({.id = "copy",
       .menu = "&Edit",
       .caption = "&Copy",
       .separatorBefore = true,
       .run =
           [](MapEditor& session) {
             Copy_Click(session);
             return CommandOutcome{};
           },
       .state = {}});
  add({.id = "paste",
       .menu = "&Edit",
       .caption = "&Paste",
       .run =
           [](MapEditor& session) {
             // A paste writes from the current hex to the right and down.
             const InteractionState& at = session.interaction;
             const MapDocument& document = session.editor.Document;
             const HexRange below{at.CurrentHexX, document.MapWidth, at.CurrentHexY,
                                  document.MapHeight};
             RecordedEdit(session, below, "Paste", [&session] { Paste_Click(session); });
             return CommandOutcome{};
           },
       .state = {}});

  // Hex Sides
  add({.id = "hex-outlines",
       .menu = "Hex Sides",
       .caption = "Hex Outlines OFF",
       .run =
           [](MapEditor& session) {
             HexsidesOn_Click(session.editor, session.resources, session.switches, session.view);
             return CommandOutcome{};
           },
       .state =
           [](const MapEditor& session) {
             return HexOutlinesMenuEntry(session.editor.Settings.HexOutlines);
           },
       .checkable = true});

  // Hex Control
  const auto hexControlEntry = [](bool on) {
    return [on](const MapEditor& session) {
      const HexControlMenuEntries entries = HexControlMenuState(session.switches.EditMode == 2);
      return on ? entries.on : entries.off;
    };
  };
  add({.id = "hex-control-on",
       .menu = "Hex Control",
       .caption = "Hex Control ON",
       .headless = false,
       .run =
           [](MapEditor& session) {
             HexControlOn_Click(session);
             return Show(Window::kControlWindow);
           },
       .state = hexControlEntry(true),
       .checkable = true});
  add({.id = "hex-control-off",
       .menu = "Hex Control",
       .caption = "Hex Control OFF",
       .run =
           [](MapEditor& session) {
             HexControlOff_Click(session);
             return CommandOutcome{};
           },
       .state = hexControlEntry(false),
       .checkable = true});
  add({.id = "set-hex-control",
       .menu = "Hex Control",
       .caption = "Set Hex Control (Screen Area)",
       .separatorBefore = true,
       .run =
           [](MapEditor& session) {
             SetHexControl_Click(session);
             return CommandOutcome{};
           },
       .state = {},
       .change = "Set Hex Control"});
  add({.id = "set-roads-only",
       .menu = "Hex Control",
       .caption = "Set Roads ONLY",
       .run = SetRoadsOnly_Click,
       .state = {},
       .change = "Set Roads Only"});
  add({.id = "original-owners",
       .menu = "Hex Control",
       .caption = "Set Original Owner to Current Owner",
       .run =
           [](MapEditor& session) {
             SetOriginalOwnerToCurrentOwner(session.editor.Document);
             return CommandOutcome{};
           },
       .state = {},
       .change = "Set Original Owners"});

  // Roads
  const auto analysis = [&add](const char* id, const char* menu, const char* caption,
                               CommandOutcome (*click)(MapEditor&), const char* change = nullptr) {
    add({.id = id, .menu = menu, .caption = caption, .run = click, .state = {}, .change = change});
  };
  analysis("fill-road-connections", "Roads", "Fill in Possible Road connections",
           FillInRoadConnections_Click, "Fill in Road Connections");
  analysis("count-road-hexes", "Roads", "Count road hexes", CountRoadHexes_Click);
  // It rebuilds and trims the exits of the whole map on its way.
  analysis("find-road-problems", "Roads", "Find connection/control problems",
           FindRoadProblems_Click, "Find Road Problems");
  add({.id = "show-road-control",
       .menu = "Roads",
       .caption = "Show Road Control = TRUE",
       .separatorBefore = true,
       .run =
           [](MapEditor& session) {
             bool& shown = session.editor.Settings.ShowRoadControl;
             shown = !shown;
             session.menuCaptions.showRoadControl = ShowRoadControlCaption(shown);
             RedrawIfDrawn(session);
             return CommandOutcome{};
           },
       // No check mark: the caption names the state.
       .state =
           [](const MapEditor& session) {
             return MenuEntry{session.menuCaptions.showRoadControl, false};
           }});

  // Tiles
  // Each changes the map and is kept under its caption, but for the three
  // that only memorise patterns.
  const auto tileCommand = [&add](const char* id, const char* caption, void (*click)(MapEditor&),
                                  bool separatorBefore = false, bool changesMap = true) {
    add({.id = id,
         .menu = "Tiles",
         .caption = caption,
         .separatorBefore = separatorBefore,
         .run =
             [click](MapEditor& session) {
               click(session);
               return CommandOutcome{};
             },
         .state = {},
         .change = changesMap ? caption : nullptr});
  };
  tileCommand("auto-redraw-roads", "auto redraw Roads", AutoRedrawRoads_Click);
  tileCommand("auto-redraw-terrain", "auto redraw Terrain", AutoRedrawTerrain_Click);
  tileCommand("auto-redraw-forests", "auto redraw Forests", AutoRedrawForests_Click);
  tileCommand("auto-redraw-mountains", "auto redraw Mountains", AutoRedrawMountains_Click);
  tileCommand("redraw-from-terrain", "Redraw Map based on Terrain", RedrawMapBasedOnTerrain_Click,
              true);
  tileCommand("terrain-from-tiles", "Rebuild Terrain based on Tiles",
              RebuildTerrainBasedOnTiles_Click);
  tileCommand("memorise-roads", "Memorize Road Tile Patterns", MemorizeRoadTilePatterns_Click, true,
              false);
  tileCommand("memorise-rivers", "Memorise River Tile Patterns", MemoriseRiverTilePatterns_Click,
              false, false);
  tileCommand("memorise-mountains", "Memorise Mountain Patterns", MemoriseMountainPatterns_Click,
              false, false);
  add({.id = "random-tiles",
       .menu = "Tiles",
       .caption = "Random Tiles OFF",
       .separatorBefore = true,
       .run =
           [](MapEditor& session) {
             bool& random = session.editor.Settings.RandomTiles;
             random = !random;
             return CommandOutcome{};
           },
       .state =
           [](const MapEditor& session) {
             return RandomTilesMenuEntry(session.editor.Settings.RandomTiles);
           },
       .checkable = true});
  add({.id = "fit-neighbours",
       .menu = "Tiles",
       .caption = "Fit Neighbours",
       .run =
           [](MapEditor& session) {
             bool& fit = session.editor.Settings.FitNeighbours;
             fit = !fit;
             return CommandOutcome{};
           },
       .state =
           [](const MapEditor& session) {
             return MenuEntry{"Fit Neighbours", session.editor.Settings.FitNeighbours};
           },
       .checkable = true});
  tileCommand("scattered-woods", "Scattered Woods", ScatteredWoods_Click);

  // Analysis
  analysis("land-masses", "Analysis", "Determine Separate Land Masses", DetermineLandMasses_Click,
           "Land Masses");
  analysis("verify-hex-data", "Analysis", "Verify Hex Data", VerifyHexData_Click,
           "Verify Hex Data");
  analysis("find-tile-seams", "Analysis", "Find Tile Seams", FindTileSeams_Click);

  // Options
  add({.id = "grid-lines",
       .menu = "Options",
       .caption = "Grid Lines",
       .run =
           [](MapEditor& session) {
             GridLines_Click(session.switches);
             return CommandOutcome{};
           },
       .state =
           [](const MapEditor& session) {
             return MenuEntry{"Grid Lines", session.switches.GridLines};
           },
       .checkable = true});
  windowOnly("grid-dimensions", "Options", "Set Grid Dimensions",
             [](MapEditor&) { return Show(Window::kGridDimensions); });
  add({.id = "default-area",
       .menu = "Options",
       .caption = kAreaSwitchInitialCaption,
       .separatorBefore = true,
       .run =
           [](MapEditor& session) {
             session.menuCaptions.defaultArea = AreaSwitch_Click(session.control).Caption;
             return CommandOutcome{};
           },
       .state =
           [](const MapEditor& session) {
             return MenuEntry{session.menuCaptions.defaultArea, session.control.WholeMapArea};
           },
       .checkable = true});

  // Strategic Map
  windowOnly("strategic-map-show", "Strategic Map", "Show",
             [](MapEditor&) { return Show(Window::kJumpMap); });
  windowOnly("strategic-map-hide", "Strategic Map", "Hide",
             [](MapEditor&) { return Show(Window::kHideJumpMap); });

  // View: the zoom changes only what the window presents.
  windowOnly(
      "zoom-in", "&View", "Zoom In", [](MapEditor&) { return Zoom(1); }, false, "Ctrl++;Ctrl+=");
  windowOnly(
      "zoom-out", "&View", "Zoom Out", [](MapEditor&) { return Zoom(-1); }, false, "Ctrl+-");
  windowOnly(
      "actual-size", "&View", "Actual Size", [](MapEditor&) { return Zoom(0); }, false, "Ctrl+0");
  return table;
}

}  // namespace

const std::vector<Command>& CommandTable() {
  static const std::vector<Command> table = BuildTable();
  return table;
}

CommandOutcome RunCommand(MapEditor& session, const Command& command) {
  if (!command.change || !session.keepsHistory) return command.run(session);
  ChangeRecorder recorder(session.editor.Document);
  CommandOutcome outcome = command.run(session);
  KeepChange(session, std::move(recorder), command.change);
  return outcome;
}

MenuEntry CommandState(const Command& command, const MapEditor& session) {
  if (command.state) return command.state(session);
  return {command.caption, false};
}

const Command* FindCommand(std::string_view name, const MapEditor* session) {
  const std::string wanted = Plain(name);
  if (wanted.empty()) return nullptr;
  for (const Command& command : CommandTable()) {
    if (wanted == command.id || wanted == Plain(command.caption)) return &command;
    if (session && wanted == Plain(CommandState(command, *session).Caption)) return &command;
  }
  // A caption without the state it names ("Random Tiles" for "Random Tiles
  // OFF"), when only one entry begins so.
  const Command* found = nullptr;
  for (const Command& command : CommandTable()) {
    const std::string caption = Plain(command.caption);
    if (caption.size() > wanted.size() && caption.compare(0, wanted.size(), wanted) == 0 &&
        (caption[wanted.size()] == ' ' || caption[wanted.size()] == '(')) {
      if (found) return nullptr;
      found = &command;
    }
  }
  return found;
}

std::string AutoTile_Click(MapEditor& session) {
  bool& autoDraw = session.editor.Settings.AutoDraw;
  autoDraw = !autoDraw;
  return AutoTileButtonCaption(autoDraw);
}

void GridDimensionsDialog_Cancel(MapEditor& session) {
  session.switches.GridLines = false;
}

std::string ClearSidesButtonCaption(const MapEditor& session) {
  return session.interaction.ClearSides ? "Clear Sides ON" : "Clear Sides Off";
}

}  // namespace korv
