#include "editing/analysis_commands.h"

#include <algorithm>

#include "analysis/land_masses.h"
#include "analysis/roads.h"
#include "analysis/tile_seams.h"
#include "editing/control.h"
#include "editor/map_io.h"
#include "platform/interaction.h"
#include "view/hex_drawing.h"

namespace korv {

namespace {

// Centres the view on hex (x, y), redraws it and marks the hex in blue.
void CentreOnProblem(MapEditor& session, int x, int y) {
  ViewState& view = session.view;
  view.ViewLeft = std::clamp(x - view.ViewColumns / 2, 1, std::max(view.ScrollMaxX, 1));
  view.ViewTop = std::clamp(y - view.ViewRows / 2, 1, std::max(view.ScrollMaxY, 1));
  if (!view.ViewBuffer.IsNull()) {
    RedrawBuffers(session.editor, session.resources, session.switches, view);
    BlueHex(session.editor.Geometry, session.resources, view, x, y);
  }
}

}  // namespace

CommandOutcome FillInRoadConnections_Click(MapEditor& session) {
  Editor& editor = session.editor;
  // The exits are rebuilt for the whole map: the command can be undone.
  if (!WriteSnapshot(editor)) return {};
  FillInPossibleRoadConnections(editor.Document, editor.Tiles);
  return {};
}

CommandOutcome CountRoadHexes_Click(MapEditor& session) {
  Editor& editor = session.editor;
  int count = 0;
  {
    BusyScope busy(editor.Ui);
    count = CountRoadHexes(editor.Document, editor.Tiles);
  }
  editor.Ui.Message(RoadHexCountMessage(count));
  return {};
}

CommandOutcome FindRoadProblems_Click(MapEditor& session) {
  Editor& editor = session.editor;
  ViewState& view = session.view;
  int firstColumn = view.ViewLeft;
  int afterRow = -1;
  // Repeated, the search goes on after the problem it found last.
  if (session.lastRoadProblem && session.lastRoadProblem->first >= view.ViewLeft) {
    firstColumn = session.lastRoadProblem->first;
    afterRow = session.lastRoadProblem->second;
  }
  const auto problem = FindRoadProblem(editor.Document, editor.Tiles, firstColumn, afterRow);
  if (!problem) {
    session.lastRoadProblem.reset();
    editor.Ui.Message("none found");
    return {};
  }
  session.lastRoadProblem = std::pair{problem->x, problem->y};
  CentreOnProblem(session, problem->x, problem->y);
  CommandOutcome outcome;
  outcome.viewMoved = true;
  outcome.report = RoadProblemText(*problem);
  return outcome;
}

CommandOutcome FindTileSeams_Click(MapEditor& session) {
  Editor& editor = session.editor;
  ViewState& view = session.view;
  int firstColumn = view.ViewLeft;
  int afterRow = -1;
  // Repeated, the search goes on after the hex it found last.
  if (session.lastTileSeam && session.lastTileSeam->first >= view.ViewLeft) {
    firstColumn = session.lastTileSeam->first;
    afterRow = session.lastTileSeam->second;
  }
  const TileFitKnowledge knowledge = LoadTileFitKnowledge(editor.Folder, editor.Tiles);
  const auto seam = NextTileSeam(editor.Document, editor.Tiles, knowledge, firstColumn, afterRow);
  if (!seam) {
    session.lastTileSeam.reset();
    editor.Ui.Message("none found");
    return {};
  }
  session.lastTileSeam = std::pair{seam->x, seam->y};
  CentreOnProblem(session, seam->x, seam->y);
  CommandOutcome outcome;
  outcome.viewMoved = true;
  outcome.report = TileSeamText(*seam);
  return outcome;
}

CommandOutcome SetRoadsOnly_Click(MapEditor& session) {
  Editor& editor = session.editor;
  if (session.control.WholeMapArea && !WriteSnapshot(editor)) return {};
  SetRoadsOnly(editor.Document, editor.Tiles,
               AreaCommandRange(session.view, editor.Document, session.control.WholeMapArea),
               session.control.SelectedNation);
  RedrawIfDrawn(session);
  return {};
}

CommandOutcome DetermineLandMasses_Click(MapEditor& session) {
  Editor& editor = session.editor;
  BusyScope busy(editor.Ui);
  DetermineLandMasses(editor.Document,
                      [&editor](const std::string& reached) { editor.Ui.Progress(reached); });
  return {};
}

CommandOutcome VerifyHexData_Click(MapEditor& session) {
  Editor& editor = session.editor;
  if (VerifyHexData(editor.Document, editor.Tiles.TileCount, editor.Tiles.TerrainMax) > 0) {
    editor.Ui.Message("Errors found");
  }
  return {};
}

}  // namespace korv
