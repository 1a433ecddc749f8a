#include "editing/analysis_commands.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "analysis/land_masses.h"
#include "analysis/roads.h"
#include "analysis/tile_seams.h"
#include "editing/control.h"
#include "editor/map_io.h"
#include "platform/interaction.h"
#include "view/hex_drawing.h"

namespace korv {

namespace {

// Where a found problem puts the view: centred on it, within the scroll ranges.
int CentredLeft(const ViewState& view, int x) {
  return std::clamp(x - view.ViewColumns / 2, 1, std::max(view.ScrollMaxX, 1));
}
int CentredTop(const ViewState& view, int y) {
  return std::clamp(y - view.ViewRows / 2, 1, std::max(view.ScrollMaxY, 1));
}

// Centres the view on hex (x, y), redraws it and marks the hex in blue.
void CentreOnProblem(MapEditor& session, int x, int y) {
  ViewState& view = session.view;
  view.ViewLeft = CentredLeft(view, x);
  view.ViewTop = CentredTop(view, y);
  if (!view.ViewBuffer.IsNull()) {
    RedrawBuffers(session.editor, session.resources, session.switches, view);
    BlueHex(session.editor.Geometry, session.resources, view, x, y);
  }
}

// Where a walk from problem to problem starts: after the problem it found
// last while the view is still where that search left it (centred on it);
// once the designer has moved the view, at the view's left column.
void WalkStart(const ViewState& view, const std::optional<std::pair<int, int>>& last,
               int& firstColumn, int& afterRow) {
  firstColumn = view.ViewLeft;
  afterRow = -1;
  if (last && last->first >= view.ViewLeft && view.ViewLeft == CentredLeft(view, last->first) &&
      view.ViewTop == CentredTop(view, last->second)) {
    firstColumn = last->first;
    afterRow = last->second;
  }
}

// One step of a walk from problem to problem: `find` gives the next one
// from its column and after its row, `last` is where the walk stands. The
// view is centred on what is found, which `text` names for the label.
template <typename Find, typename Text>
CommandOutcome WalkToNext(MapEditor& session, std::optional<std::pair<int, int>>& last, Find find,
                          Text text) {
  int firstColumn = 0;
  int afterRow = -1;
  WalkStart(session.view, last, firstColumn, afterRow);
  const auto found = find(firstColumn, afterRow);
  if (!found) {
    last.reset();
    session.editor.Ui.Message("none found");
    return {};
  }
  last = std::pair{found->x, found->y};
  CentreOnProblem(session, found->x, found->y);
  CommandOutcome outcome;
  outcome.viewMoved = true;
  outcome.report = text(*found);
  return outcome;
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
  return WalkToNext(
      session, session.lastRoadProblem,
      [&editor](int firstColumn, int afterRow) {
        return FindRoadProblem(editor.Document, editor.Tiles, firstColumn, afterRow);
      },
      [](const auto& problem) { return RoadProblemText(problem); });
}

CommandOutcome FindTileSeams_Click(MapEditor& session) {
  Editor& editor = session.editor;
  return WalkToNext(
      session, session.lastTileSeam,
      [&editor](int firstColumn, int afterRow) {
        const TileFitKnowledge knowledge = LoadTileFitKnowledge(editor.Folder, editor.Tiles);
        return NextTileSeam(editor.Document, editor.Tiles, knowledge, firstColumn, afterRow);
      },
      [](const auto& seam) { return TileSeamText(seam); });
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
