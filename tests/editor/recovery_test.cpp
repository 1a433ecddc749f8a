#include "editor/recovery.h"

#include <gtest/gtest.h>

#include <functional>

#include "editor/map_io.h"
#include "platform/files.h"
#include "support/editor_fixture.h"

namespace korv {
namespace {

TEST(UnsavedChanges, EveryLayerASaveWritesCountsAndUndoingTheEditClearsIt) {
  test::EditorOnMiniGame world;
  Editor& editor = world.editor;
  MapDocument& map = editor.Document;
  TrackUnsavedChanges(editor);
  EXPECT_FALSE(HasUnsavedChanges(editor));  // the start-up's default map
  struct Edit {
    const char* name;
    std::function<void(int)> apply;  // apply(1) changes, apply(0) puts back
  };
  const int16_t tile = map.Tile(4, 5);
  const Edit edits[] = {
      {"tile", [&](int on) { map.Tile(4, 5) = static_cast<int16_t>(on ? tile ^ 1 : tile); }},
      {"road side", [&](int on) { map.Data(4, 5, 3) = static_cast<uint8_t>(on); }},
      {"owner", [&](int on) { map.Owner(4, 5) = static_cast<uint8_t>(on * 2); }},
      {"deployment", [&](int on) { map.Deployment(31, 29) = static_cast<int16_t>(on * 3); }},
      {"original owner", [&](int on) { map.OriginalOwner(0, 0) = static_cast<uint8_t>(on); }},
      {"nation set", [&](int on) { map.NationSetName = on ? "other" : "default"; }},
  };
  for (const Edit& edit : edits) {
    SCOPED_TRACE(edit.name);
    edit.apply(1);
    EXPECT_TRUE(HasUnsavedChanges(editor));
    edit.apply(0);
    EXPECT_FALSE(HasUnsavedChanges(editor));
  }
}

// (A file too short for a map header; a copy merely cut short may still read as a map.)
TEST(RecoveryCopy, ADamagedCopyLeavesTheOpenMapAndSaysWhichFile) {
  test::EditorOnMiniGame world;
  Editor& editor = world.editor;
  ASSERT_TRUE(WriteRecoveryCopy(editor));
  auto recovery = FindRecoveryCopy(editor.Folder);
  ASSERT_TRUE(recovery);
  ASSERT_TRUE(WriteFileAtomically(recovery->copy, std::string_view("ab")));
  editor.Document.Tile(1, 1) = 25;
  const uint64_t before = MapFingerprint(editor.Document);
  const std::string name = editor.Document.MapName;
  world.ui.Clear();
  EXPECT_FALSE(RestoreRecoveryCopy(editor, *recovery));
  EXPECT_EQ(MapFingerprint(editor.Document), before);
  EXPECT_EQ(editor.Document.MapName, name);
  ASSERT_EQ(world.ui.Messages().size(), 1u);
  EXPECT_NE(world.ui.Messages()[0].find(recovery->copy.string()), std::string::npos);
}

}  // namespace
}  // namespace korv
