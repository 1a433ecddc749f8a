// The demo folder korv-demo-game writes: the editor starts on it without a
// word and its sample set imports as the sample map's columns. (That the
// sample map saves back to its own bytes is the CI end-to-end session's.)
#include <gtest/gtest.h>

#include <filesystem>

#include "editor/map_io.h"
#include "editor/set_import.h"
#include "editor/startup.h"
#include "platform/interaction.h"
#include "platform/random.h"
#include "support/test_folder.h"

namespace korv {
namespace {

// The editor started on a copy of the folder written when the tests were
// built, so that it may write into it.
class DemoGameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy(KORV_DEMO_FOLDER, folder.Path(),
                          std::filesystem::copy_options::recursive);
    std::string error;
    ASSERT_TRUE(StartUp(editor, error)) << error;
  }
  // Opens maps/sample.map as the open map.
  bool OpenSample() {
    editor.Document.MapPath = (folder / "maps/sample.map").string();
    return LoadMap(editor);
  }

  test::TempFolder folder;
  RecordingInteraction ui;
  SeededRandom random{7};
  Editor editor{folder.Game(), ui, random};
};

TEST_F(DemoGameTest, TheSampleSetImportsAsTheSampleMapsColumns) {
  ASSERT_TRUE(ImportSetFile(editor, (folder / "brak_files/game001.set").string()));
  // Neither the start-up nor the import had anything to say.
  EXPECT_TRUE(ui.Messages().empty()) << ::testing::PrintToString(ui.Messages());
  const MapDocument imported = editor.Document;
  ASSERT_TRUE(OpenSample());
  const MapDocument& sample = editor.Document;
  ASSERT_EQ(imported.MapWidth, sample.MapWidth);
  ASSERT_EQ(imported.MapHeight, sample.MapHeight);
  for (int x = 1; x <= sample.MapWidth; ++x) {
    for (int y = 0; y <= sample.MapHeight; ++y) {
      ASSERT_EQ(imported.HexTile[imported.Index(x, y)], sample.HexTile[sample.Index(x, y)])
          << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace korv
