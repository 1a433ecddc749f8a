#include "editing/analysis_commands.h"

#include <algorithm>

#include "analysis/land_masses.h"
#include "analysis/roads.h"
#include "editing/control.h"
#include "editor/map_io.h"
#include "platform/interaction.h"
#include "view/hex_drawing.h"

namespace korv {

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

namespace {

// Where a found problem puts the view: centred on it, within the scroll ranges.
int CentredLeft(const ViewState& view, int x) {
  return std::clamp(x - view.ViewColumns / 2, 1, std::max(view.ScrollMaxX, 1));
}
int CentredTop(const ViewState& view, int y) {
  return std::clamp(y - view.ViewRows / 2, 1, std::max(view.ScrollMaxY, 1));
}

}  // namespace

CommandOutcome FindRoadProblems_Click(MapEditor& session) {
  Editor& editor = session.editor;
  ViewState& view = session.view;
  int firstColumn = view.ViewLeft;
  int afterRow = -1;
  // Repeated with the view where the last search left it (centred on the
  // problem it found), the search goes on after that problem; once the
  // designer has moved the view it starts again at the view's left column.
  if (const auto& last = session.lastRoadProblem; last && last->first >= view.ViewLeft &&
                                                  view.ViewLeft == CentredLeft(view, last->first) &&
                                                  view.ViewTop == CentredTop(view, last->second)) {
    firstColumn = last->first;
    afterRow = last->second;
  }
  const auto problem = FindRoadProblem(editor.Document, editor.Tiles, firstColumn, afterRow);
  if (!problem) {
    session.lastRoadProblem.reset();
    editor.Ui.Message("none found");
    return {};
  }
  session.lastRoadProblem = std::pair{problem->x, problem->y};
  view.ViewLeft = CentredLeft(view, problem->x);
  view.ViewTop = CentredTop(view, problem->y);
  if (!view.ViewBuffer.IsNull()) {
    RedrawBuffers(editor, session.resources, session.switches, view);
    BlueHex(editor.Geometry, session.resources, view, problem->x, problem->y);
  }
  CommandOutcome outcome;
  outcome.viewMoved = true;
  outcome.report = RoadProblemText(*problem);
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
  std::string error;
  bool numbered = false;
  {
    BusyScope busy(editor.Ui);
    numbered = DetermineLandMasses(editor.Document, error, [&editor](const std::string& reached) {
      editor.Ui.Progress(reached);
    });
  }
  if (!numbered) editor.Ui.Message(error);
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
