#include "editing/map_editor.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "autotile/choosers.h"
#include "autotile/pattern_library.h"
#include "document/hex_names.h"
#include "editor/map_io.h"
#include "editor/startup.h"
#include "platform/interaction.h"
#include "platform/text_fields.h"
#include "view/overview.h"
#include "view/viewport.h"

namespace korv {

AutoTileHooks DefaultAutoTileHooks() {
  AutoTileHooks hooks;
  hooks.RecordPatterns = [](Editor& editor, int x, int y, int16_t tile, bool withRoadRecorder) {
    PatternRecorder recorder(editor.Folder, editor.Tiles);
    if (withRoadRecorder) {
      recorder.NewRoadPattern(editor.Document, x, y, tile, editor.CurrentTile);
    }
    recorder.NewPattern(editor.Document, x, y, tile, editor.CurrentTile);
    std::string error;
    if (!recorder.Flush(&error)) {
      editor.Ui.Message("The tile pattern of hex (" + std::to_string(x) + ", " + std::to_string(y) +
                        ") was not stored: " + error + ".");
    }
  };
  hooks.ChooseTile = [](Editor& editor, int x, int y, bool road) {
    const ChooserContext context{editor.Document, editor.Tiles, editor.Folder, editor.Random,
                                 editor.CurrentTile};
    int answer = -1;
    if (road) {
      CheckRoads(context, x, y, answer);
    } else {
      AutoDrawTile(context, x, y, answer);
    }
    return answer;
  };
  return hooks;
}

std::string MainWindowCaption(const Editor& editor) {
  return "Main: editing " + editor.CaptionName;
}

bool StartMapEditor(MapEditor& session, std::string& error) {
  if (!StartUp(session.editor, error)) return false;
  // Painting records what it learns into the game folder's libraries.
  if (session.editor.FolderReadOnly) session.autoTile.RecordPatterns = nullptr;
  const std::string damaged = DamagedPicturesMessage(
      LoadGraphics(session.resources, session.editor.Folder, session.editor.Nations.NationNames));
  if (!damaged.empty()) session.editor.Ui.Message(damaged);
  session.editor.Settings.RoadKind = 1;
  return true;
}

bool OpenMapFile(MapEditor& session, const std::string& path) {
  MapDocument& document = session.editor.Document;
  const std::string oldPath = document.MapPath;
  const std::string oldName = document.MapName;
  document.MapPath = path;
  document.MapName = std::filesystem::path(path).filename().string();
  bool nationSetChanged = false;
  if (!LoadMap(session.editor, &nationSetChanged)) {
    document.MapPath = oldPath;
    document.MapName = oldName;
    return false;
  }
  session.editor.CaptionName = std::filesystem::path(path).filename().string();
  session.editor.BitmapPath = path;
  OpenHexNamesOfMap(session.editor);
  MapReplaced(session, nationSetChanged);
  return true;
}

void KeepSessionOnMap(MapEditor& session) {
  const MapDocument& document = session.editor.Document;
  const auto onMap = [](int16_t value, int16_t last) {
    return static_cast<int16_t>(std::clamp<int>(value, 0, std::max<int>(last, 0)));
  };
  InteractionState& interaction = session.interaction;
  interaction.CurrentHexX = onMap(interaction.CurrentHexX, document.MapWidth);
  interaction.CurrentHexY = onMap(interaction.CurrentHexY, document.MapHeight);
  // A selection that reaches past the new map would copy hexes it does not have.
  DrawSwitches& switches = session.switches;
  if (switches.SelectionRight > document.MapWidth ||
      switches.SelectionBottom > document.MapHeight) {
    switches.SelectionLeft = switches.SelectionRight = 0;
    switches.SelectionTop = switches.SelectionBottom = 0;
  }
  // The strategic picture and its outline belong to the map they were drawn for.
  JumpMapState& jumpMap = session.editor.JumpMap;
  ReplaceStrategicMap(jumpMap,
                      DrawStrategicMap(document, session.editor.Tiles, jumpMap.HighlightTerrain));
  jumpMap.Shown = Picture();
}

void MapReplaced(MapEditor& session, bool nationSetChanged) {
  if (nationSetChanged) {
    const std::string damaged = DamagedPicturesMessage(BuildFlagStrips(
        session.resources, session.editor.Folder, session.editor.Nations.NationNames));
    if (!damaged.empty()) session.editor.Ui.Message(damaged);
  }
  KeepSessionOnMap(session);
  ResetViewForMap(session.view, session.editor.Document);
  RedrawIfDrawn(session);
  session.history.Clear();
  session.lastRoadProblem.reset();
  session.lastTileSeam.reset();
}

void KeepChange(MapEditor& session, ChangeRecorder&& recorder, std::string name) {
  std::optional<MapChange> change =
      std::move(recorder).Finish(session.editor.Document, std::move(name));
  if (change) {
    session.history.Record(std::move(*change));
  } else {
    session.history.Clear();
  }
}

namespace {

// Hexes drawn one by one after an undo or redo; a change of more is shown
// by a full redraw and a strategic picture drawn anew.
constexpr size_t kHexesDrawnSingly = 256;

void ShowChange(MapEditor& session, const MapChange& change) {
  Editor& editor = session.editor;
  const std::vector<std::pair<int, int>> hexes = change.Hexes();
  if (change.WholePlanes() || hexes.size() > kHexesDrawnSingly) {
    JumpMapState& jumpMap = editor.JumpMap;
    ReplaceStrategicMap(jumpMap,
                        DrawStrategicMap(editor.Document, editor.Tiles, jumpMap.HighlightTerrain));
    RedrawIfDrawn(session);
    return;
  }
  if (session.view.ViewBuffer.IsNull()) {
    for (const auto& [x, y] : hexes)
      SetStrategicHex(editor.JumpMap, editor.Document, editor.Tiles, x, y);
    return;
  }
  RedrawHexes(editor, session.resources, session.switches, session.view, hexes, &editor.JumpMap);
}

}  // namespace

std::string UndoChange(MapEditor& session) {
  const MapChange* change = session.history.Undo(session.editor.Document);
  if (!change) return "Nothing to undo";
  ShowChange(session, *change);
  return "Undone: " + change->name;
}

std::string RedoChange(MapEditor& session) {
  const MapChange* change = session.history.Redo(session.editor.Document);
  if (!change) return "Nothing to redo";
  ShowChange(session, *change);
  return "Redone: " + change->name;
}

MenuEntry UndoChangeMenuEntry(const MapEditor& session) {
  const MapChange* next = session.history.NextUndo();
  return {next ? "Undo " + next->name : "Undo Change", false, next != nullptr};
}

MenuEntry RedoChangeMenuEntry(const MapEditor& session) {
  const MapChange* next = session.history.NextRedo();
  return {next ? "Redo " + next->name : "Redo Change", false, next != nullptr};
}

std::vector<std::string> RememberRecentMap(std::vector<std::string> recent, const std::string& path,
                                           size_t limit) {
  std::erase_if(
      recent, [&path](const std::string& entry) { return entry == path || SameFile(entry, path); });
  recent.insert(recent.begin(), path);
  if (recent.size() > limit) recent.resize(limit);
  return recent;
}

void RedrawIfDrawn(MapEditor& session) {
  if (session.view.ViewBuffer.IsNull()) return;
  RedrawBuffers(session.editor, session.resources, session.switches, session.view);
}

void NewMapFile_Click(MapEditor& session) {
  ResetViewForMap(session.view, session.editor.Document);
  RedrawIfDrawn(session);
}

void LeaveSpecialTools(MapEditor& session) {
  session.switches.RoadMode = 0;
  session.editor.Settings.AutoDraw = false;
  session.editor.Settings.RandomTiles = false;
  session.switches.EditMode = 0;
}

MenuEntry RandomTilesMenuEntry(bool randomTiles) {
  return {randomTiles ? "Random Tiles ON" : "Random Tiles OFF", randomTiles};
}

std::string AutoTileButtonCaption(bool autoDraw, bool initial) {
  if (initial) return "AutoTile Off";
  return autoDraw ? "Auto-Tile On" : "Auto-Tile Off";
}

std::string DeploymentButton_Click(MapEditor& session) {
  std::string caption;
  if (session.switches.EditMode != 1) {
    session.switches.EditMode = 1;
    caption = "Deployment Mode On";
  } else {
    session.switches.EditMode = 0;
    caption = "Deployment Mode Off";
  }
  RedrawIfDrawn(session);
  return caption;
}

double NextZoom(double zoom, int direction) {
  if (direction > 0) {
    for (double step : kZoomSteps) {
      if (step > zoom + 1e-9) return step;
    }
    return std::end(kZoomSteps)[-1];
  }
  for (auto it = std::rbegin(kZoomSteps); it != std::rend(kZoomSteps); ++it) {
    if (*it < zoom - 1e-9) return *it;
  }
  return kZoomSteps[0];
}

void ApplyZoomToView(ViewState& view, const HexGeometry& geometry, const MapDocument& document,
                     int outerWidth, int outerHeight, int innerWidth, int innerHeight,
                     double zoom) {
  // The rules of the view stay in map pixels: the widget shows its area
  // divided by the zoom, so the view counts that many map pixels.
  const int width = static_cast<int>(std::floor(outerWidth / zoom));
  const int height = static_cast<int>(std::floor(outerHeight / zoom));
  view.ViewPixelWidth = static_cast<int>(std::ceil(innerWidth / zoom));
  view.ViewPixelHeight = static_cast<int>(std::ceil(innerHeight / zoom));
  view.ViewColumns = std::max(width / std::max<int>(geometry.ColumnStep, 1) - 1, 0);
  view.ViewRows = std::max(height / std::max<int>(geometry.RowStep, 1) - 1, 0);
  view.ViewLeft = 1;
  view.ViewTop = 1;
  view.ScrollMaxX = document.MapWidth - view.ViewColumns;
  view.ScrollMaxY = document.MapHeight - view.ViewRows;
  // Far out the view is drawn at the shown size.
  view.DrawScale = zoom <= kOverviewZoom ? zoom : 1.0;
}

}  // namespace korv

namespace korv {

bool ApplyGridDimensions(EditorSettings& settings, const std::string& widthText,
                         const std::string& heightText, std::string& error) {
  const int16_t width = RoundToI16(ParseLeadingNumber(widthText));
  const int16_t height = RoundToI16(ParseLeadingNumber(heightText));
  if (width < 1 || height < 1) {
    error = "The grid lines need a spacing of at least 1 hex in each direction (you gave " +
            std::to_string(width) + " by " + std::to_string(height) + ").";
    return false;
  }
  settings.GridWidth = width;
  settings.GridHeight = height;
  return true;
}

std::string ShowRoadControlCaption(bool showRoadControl) {
  return std::string("Show Road Control = ") + (showRoadControl ? "True" : "False");
}

}  // namespace korv
