#include "support/editor_fixture.h"

#include <stdexcept>

#include "editing/file_dialog.h"
#include "editor/startup.h"
#include "view/hex_drawing.h"
#include "view/viewport.h"

namespace korv::test {

namespace {

template <class T>
T& Written(T& folder, const MiniGame& game) {
  WriteMiniGame(folder, game);
  return folder;
}

void Require(bool started, const std::string& error) {
  if (!started) throw std::runtime_error("the start-up failed: " + error);
}

}  // namespace

EditorOnMiniGame::EditorOnMiniGame(const MiniGame& game, uint64_t seed)
    : random(seed), editor(Written(folder, game).Game(), ui, random) {
  std::string error;
  Require(StartUp(editor, error), error);
  ui.Clear();
}

SessionOnMiniGame::SessionOnMiniGame(const MiniGame& game, uint64_t seed, int columns, int rows)
    : random(seed), session(Written(folder, game).Game(), ui, random) {
  std::string error;
  Require(StartMapEditor(session, error), error);
  const HexGeometry& geometry = session.editor.Geometry;
  session.view.ViewPixelWidth = (columns + 1) * geometry.ColumnStep;
  session.view.ViewPixelHeight = (rows + 1) * geometry.RowStep;
  session.view.ViewColumns = columns;
  session.view.ViewRows = rows;
  ResetViewForMap(session.view, session.editor.Document);
  Require(CreateViewBuffer(session.editor, session.resources, session.switches, session.view),
          "no view buffer");
  ui.Clear();
}

bool ReplaceWithNewMap(MapEditor& session, int width, int height) {
  std::string error;
  if (!NewMapDialog_OK(session.editor, std::to_string(width), std::to_string(height), error)) {
    return false;
  }
  MapReplaced(session, false);
  return true;
}

}  // namespace korv::test
