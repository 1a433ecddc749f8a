// The editing session the main window owns: the Editor (document, tables,
// settings) with the view's state, the drawing switches and resources, and
// the commands of the main window that are more than a widget's business.
// Tests drive these without a display, through the same calls the window
// makes.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "document/map_changes.h"
#include "editor/editor.h"
#include "view/hex_drawing.h"
#include "view/tile_picker.h"
#include "view/view_state.h"

namespace korv {

// Where painting hands over to the tile knowledge: recording a painted
// hex's neighbour pattern, and asking for the tile that fits a hex. The
// session starts with the pattern libraries and choosers behind them
// (DefaultAutoTileHooks); empty hooks record and choose nothing.
struct AutoTileHooks {
  // Records hex (x, y) as an example of `tile`: the road recorder first
  // when `withRoadRecorder`, then the general one.
  std::function<void(Editor&, int x, int y, int16_t tile, bool withRoadRecorder)> RecordPatterns;
  // The tile that fits hex (x, y), from the road chooser when `road`, else
  // from the general chooser; -1 when nothing fits.
  std::function<int(Editor&, int x, int y, bool road)> ChooseTile;
};

// Recording into and choosing from the pattern libraries of the game folder.
AutoTileHooks DefaultAutoTileHooks();

struct MapEditor {
  MapEditor(GameFolder folder, UserInteraction& ui, RandomSource& random)
      : editor(std::move(folder), ui, random), autoTile(DefaultAutoTileHooks()) {}

  Editor editor;
  ViewState view;
  DrawSwitches switches;
  HexDrawingResources resources;
  TileDialogRouting routing;
  InteractionState interaction;
  ControlSelection control;
  AutoTileHooks autoTile;
  // The changes Edit > Undo and Redo walk through; emptied when the map is replaced.
  ChangeHistory history;
  // Off where nothing will walk the history (korvmap apply without
  // undo-change or redo-change): edits then take no values to compare.
  bool keepsHistory = true;
  // Presented-view scale of the widget; 1 shows one map pixel per screen pixel.
  double zoom = 1.0;
  // Menu entries whose caption names a switch's state read otherwise until
  // the switch is first changed.
  // The hex "Find connection/control problems" stopped at last, so that
  // the next search goes on after it; cleared when the search ends.
  std::optional<std::pair<int, int>> lastRoadProblem;
  // The same for "Find Tile Seams".
  std::optional<std::pair<int, int>> lastTileSeam;
  struct MenuCaptions {
    std::string showRoadControl = "Show Road Control = TRUE";
    std::string defaultArea = "Default Area (Screen)";
  } menuCaptions;
};

// The main window's caption: "Main: editing " and the map's name.
std::string MainWindowCaption(const Editor& editor);

// Start-up up to the drawing resources: the document, tables and nations
// (StartUp), then the overlay bitmaps and flag strips. The view buffer is
// made by the first layout. False with `error` when the editor cannot run.
bool StartMapEditor(MapEditor& session, std::string& error);

// Opens the map file at `path` (either layout) as the open map. A refused
// file leaves everything as it was (the user has been told).
bool OpenMapFile(MapEditor& session, const std::string& path);

// After the document was replaced (opened, made new): flags of a new nation
// set, view back to column 1, row 1 with scroll ranges for the new size, and
// a full redraw.
void MapReplaced(MapEditor& session, bool nationSetChanged);
// Brings every hex the session keeps (the current hex, the selection) onto
// the open map and draws its strategic picture anew; part of MapReplaced.
void KeepSessionOnMap(MapEditor& session);

// Keeps what changed since `recorder` took its hexes as the newest change of
// the history, named `name`; a map that has another size now empties the
// history instead.
void KeepChange(MapEditor& session, ChangeRecorder&& recorder, std::string name);
// Runs `edit` and keeps what it changed in `range` as one change.
template <class Edit>
void RecordedEdit(MapEditor& session, const HexRange& range, std::string name, Edit&& edit) {
  if (!session.keepsHistory) {
    edit();
    return;
  }
  ChangeRecorder recorder(session.editor.Document, range);
  edit();
  KeepChange(session, std::move(recorder), std::move(name));
}
// Edit > Undo and Redo: the newest change undone, or the last undone change
// made again, and the hexes it altered drawn anew. Returns what was done
// ("Undone: Block Fill"), or that there was nothing to do.
std::string UndoChange(MapEditor& session);
std::string RedoChange(MapEditor& session);
// The Edit menu's entries for the history: "Undo Block Fill", enabled while
// there is a change to undo.
MenuEntry UndoChangeMenuEntry(const MapEditor& session);
MenuEntry RedoChangeMenuEntry(const MapEditor& session);

// "&New Map file", before its dialog opens: the view goes back to column 1,
// row 1 (and stays there when the dialog is cancelled).
void NewMapFile_Click(MapEditor& session);

// The "Recent Maps" list after `path` was opened or saved: it goes first,
// an older entry of the same file goes, and at most `limit` stay.
std::vector<std::string> RememberRecentMap(std::vector<std::string> recent, const std::string& path,
                                           size_t limit = 8);

// A full redraw of the view buffer, when the session has one (korvmap's
// sessions have none).
void RedrawIfDrawn(MapEditor& session);

// A tile chosen in the tile picker leaves the special tools: no road-side
// tool, no automatic choice, no random tiles, tile painting mode.
void LeaveSpecialTools(MapEditor& session);

// Caption and check mark of the "Random Tiles" menu entry.
MenuEntry RandomTilesMenuEntry(bool randomTiles);
// Caption of the auto-tile button for the state of AutoDraw; `initial`
// gives the caption the window starts with.
std::string AutoTileButtonCaption(bool autoDraw, bool initial = false);
// Caption of the deployment button after a press; and the press itself.
std::string DeploymentButton_Click(MapEditor& session);

// Zoom steps of the presented view (Ctrl + wheel, Ctrl +/-).
constexpr double kZoomSteps[] = {0.25, 0.33, 0.5, 0.67, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0};
// The next zoom step up (direction > 0) or down from `zoom`.
double NextZoom(double zoom, int direction);
// The view's size in hexes for a map view `outerWidth` x `outerHeight`
// screen pixels (border included) shown at `zoom`: at 1 this is the window
// layout's own result.
void ApplyZoomToView(ViewState& view, const HexGeometry& geometry, const MapDocument& document,
                     int outerWidth, int outerHeight, int innerWidth, int innerHeight, double zoom);

}  // namespace korv

namespace korv {

// "Done" of the grid dimensions dialog: both boxes as numbers. A spacing
// below 1 is refused with `error` and nothing changes.
bool ApplyGridDimensions(EditorSettings& settings, const std::string& widthText,
                         const std::string& heightText, std::string& error);

// "Show Road Control": toggles the switch; the caption names the new state.
std::string ShowRoadControlCaption(bool showRoadControl);

}  // namespace korv
