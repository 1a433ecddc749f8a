// The tests' one "editor on a small game folder": a fresh mini game folder
// (tests/support/test_folder.h) with the editor started on it, and the same
// with an editing session (MapEditor) and a view of a given size. A start-up
// that fails throws with its reason, which ends the test there.
#pragma once

#include <string>

#include "editing/map_editor.h"
#include "editor/editor.h"
#include "platform/interaction.h"
#include "platform/random.h"
#include "support/test_folder.h"

namespace korv::test {

// An Editor started (StartUp) on a mini game folder; `game` is written first.
// The start-up's own messages are cleared.
struct EditorOnMiniGame {
  explicit EditorOnMiniGame(const MiniGame& game = DefaultMiniGame(), uint64_t seed = 7);
  std::string Path(const std::string& relative) const { return (folder / relative).string(); }

  TempFolder folder;
  RecordingInteraction ui;
  SeededRandom random;
  Editor editor;
};

// A MapEditor session started (StartMapEditor) on a mini game folder, with
// a view of (columns + 1) x (rows + 1) hexes at column 1, row 1 and its
// buffer, as the window's layout would make it.
struct SessionOnMiniGame {
  explicit SessionOnMiniGame(const MiniGame& game = DefaultMiniGame(), uint64_t seed = 5,
                             int columns = 9, int rows = 7);
  std::string Path(const std::string& relative) const { return (folder / relative).string(); }
  MapDocument& Map() { return session.editor.Document; }

  TempFolder folder;
  RecordingInteraction ui;
  SeededRandom random;
  MapEditor session;
};

// Replaces the session's map with a fresh one of columns 0..width and rows
// 0..height, the way "New Map" makes it, and brings the session onto it
// (view back at column 1, row 1, redrawn). False when the size is refused.
bool ReplaceWithNewMap(MapEditor& session, int width, int height);

}  // namespace korv::test
