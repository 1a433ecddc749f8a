// Saves that meet a fault (an unwritable folder, a full disk, a process
// killed half-way) leave the map, its control file and its picture as the
// last good save left them, and say which file failed.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "document/map_files.h"
#include "editor/map_io.h"
#include "platform/files.h"
#include "support/editor_fixture.h"

namespace korv {
namespace {

using Snapshot = std::map<std::string, std::vector<uint8_t>>;

class SaveFaultsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    mapPath = world.Path("fault.map");
    world.editor.Document.MapPath = mapPath;
    ASSERT_TRUE(SaveMap(world.editor));
    saved = Files();
    ASSERT_EQ(saved.size(), 3u);
    // An edit that changes the map bytes, so a save that got through
    // would be seen.
    MapDocument& map = world.editor.Document;
    map.Tile(3, 4) = static_cast<int16_t>(map.Tile(3, 4) == 14 ? 5 : 14);
    map.Owner(3, 4) = 2;
    world.ui.Clear();
  }
  void TearDown() override { SetWriteFaultHook({}); }

  // The saved files by name, and the temporaries left beside them.
  Snapshot Files() const {
    Snapshot files;
    for (const std::string& path :
         {mapPath, ControlFilePath(mapPath), JumpMapPicturePath(mapPath)}) {
      if (auto bytes = ReadWholeFile(path)) files[path] = *bytes;
    }
    return files;
  }
  std::vector<std::string> Temporaries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(world.folder.Path()))
      if (entry.path().extension() == ".korv-tmp") names.push_back(entry.path().string());
    return names;
  }

  test::EditorOnMiniGame world;
  std::string mapPath;
  Snapshot saved;
};

TEST_F(SaveFaultsTest, AFailedWriteOfAnyFileKeepsEverySavedFile) {
  struct Case {
    const char* name;
    std::string (*target)(const std::string&);
    WriteStage stage;
  };
  const Case cases[] = {
      {"picture, unwritable", JumpMapPicturePath, WriteStage::kOpen},
      {"map, disk full", [](const std::string& p) { return p; }, WriteStage::kMiddle},
      {"control, unwritable", ControlFilePath, WriteStage::kOpen},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string failing = c.target(mapPath);
    int faults = 0;
    SetWriteFaultHook([&](const std::filesystem::path& target, WriteStage stage) {
      bool fail = target == failing && stage == c.stage;
      faults += fail;
      return fail;
    });
    world.ui.Clear();
    EXPECT_FALSE(SaveMap(world.editor));
    EXPECT_EQ(faults, 1);
    EXPECT_EQ(Files(), saved);
    EXPECT_TRUE(Temporaries().empty());
    auto messages = world.ui.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(failing), std::string::npos) << messages[0];
  }
  // Once the fault is gone the same save goes through.
  SetWriteFaultHook({});
  ASSERT_TRUE(SaveMap(world.editor));
  EXPECT_NE(Files()[mapPath], saved[mapPath]);
}

TEST_F(SaveFaultsTest, AProcessKilledHalfWayThroughTheMapLeavesTheOldFiles) {
  const std::string map = mapPath;
  // The save runs in a child process that dies with half the map written.
  EXPECT_EXIT(
      {
        SetWriteFaultHook([&](const std::filesystem::path& target, WriteStage stage) {
          if (target == map && stage == WriteStage::kMiddle) _exit(9);
          return false;
        });
        SaveMap(world.editor);
        _exit(0);
      },
      ::testing::ExitedWithCode(9), "");
  EXPECT_EQ(Files(), saved);
  // The half-written temporary it left does not stand in the way of the
  // next save.
  // (The picture and control file may have been begun on the other thread.)
  EXPECT_THAT(Temporaries(), testing::Contains(map + ".korv-tmp"));
  EXPECT_LE(Temporaries().size(), 3u);
  ASSERT_TRUE(SaveMap(world.editor));
  EXPECT_TRUE(Temporaries().empty());
  test::EditorOnMiniGame reader;
  reader.editor.Document.MapPath = mapPath;
  ASSERT_TRUE(LoadMap(reader.editor));
  EXPECT_EQ(reader.editor.Document.Tile(3, 4), world.editor.Document.Tile(3, 4));
  EXPECT_EQ(reader.editor.Document.Owner(3, 4), 2);
}

}  // namespace
}  // namespace korv
