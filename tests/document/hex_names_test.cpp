#include "document/hex_names.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "editor/map_io.h"
#include "editor/startup.h"
#include "support/builders.h"
#include "support/editor_fixture.h"

namespace korv {
namespace {

using test::NameSlots;
using test::TempFolder;
using Bytes = std::vector<uint8_t>;

// Little-endian 32-bit value, written out by hand.
void PutI32(Bytes& bytes, size_t offset, int32_t value) {
  if (bytes.size() < offset + 4) bytes.resize(offset + 4, 0);
  auto bits = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes[offset + static_cast<size_t>(i)] = (bits >> (8 * i)) & 0xff;
}

// A 4 x 3 map (5 x 4 = 20 hexes) whose hex-name files live in a temp folder.
class HexNamesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    document.MapWidth = 4;
    document.MapHeight = 3;
    document.MapName = "m.map";
    document.MapPath = (folder / "m.map").string();
    document.HexNamesIndexPath = (folder / "m.ndx").string();
    document.HexNamesPath = (folder / "m.str").string();
  }
  // Writes the two files as given and opens them.
  void WriteFiles(const Bytes& index, const Bytes& text) {
    folder.WriteBytes("m.ndx", index);
    folder.WriteBytes("m.str", text);
    std::string error;
    ASSERT_TRUE(OpenHexNameFiles(files, document, &error)) << error;
  }
  static size_t EntryOffset(int x, int y) { return 4 * static_cast<size_t>(y * 5 + x); }

  TempFolder folder;
  MapDocument document;
  HexNameFiles files;
};

TEST_F(HexNamesTest, SlotsAreAppendedRewrittenAndLeftWhenCleared) {
  std::string error;
  ASSERT_TRUE(CreateHexNameFiles(files, document, folder.Game(), &error)) << error;
  struct Step {
    const char* what;
    int x, y;
    std::string name;
    Bytes text;         // the whole text file afterwards
    int32_t entry;      // the index entry of (x, y) afterwards
    std::string shown;  // GetHexName(x, y) afterwards
  };
  const Step steps[] = {
      {"first name appends slot 1", 2, 1, "Bridge", NameSlots({"Bridge"}), 1,
       "Bridge              "},
      {"long name is cut to 20, slot 21", 4, 3, "Northern crossroads of the river",
       NameSlots({"Bridge", "Northern crossroads"}), 21, "Northern crossroads "},
      {"rename keeps the slot", 2, 1, "Ford", NameSlots({"Ford", "Northern crossroads"}), 1,
       "Ford                "},
      {"clear leaves the slot", 2, 1, "", NameSlots({"Ford", "Northern crossroads"}), 0, ""},
      {"a cleared hex gets a new slot", 2, 1, "Mill",
       NameSlots({"Ford", "Northern crossroads", "Mill"}), 41, "Mill                "},
      {"exactly 20 characters", 0, 0, "ABCDEFGHIJKLMNOPQRST",
       NameSlots({"Ford", "Northern crossroads", "Mill", "ABCDEFGHIJKLMNOPQRST"}), 61,
       "ABCDEFGHIJKLMNOPQRST"},
  };
  Bytes index(80, 0);
  for (const Step& step : steps) {
    ASSERT_TRUE(SetHexName(files, document, step.x, step.y, step.name)) << step.what;
    PutI32(index, EntryOffset(step.x, step.y), step.entry);
    EXPECT_EQ(folder.ReadBytes("m.str"), step.text) << step.what;
    EXPECT_EQ(folder.ReadBytes("m.ndx"), index) << step.what;
    EXPECT_EQ(GetHexName(files, document, step.x, step.y), step.shown) << step.what;
  }
}

// ListHexNames, which korvmap uses on the files' bytes, judges every entry
// as GetHexName does.
TEST_F(HexNamesTest, IndexEntriesAreReadWhereTheyPointInsideTheTextFile) {
  // Two slots and five bytes of a third: 45 bytes. The entry of hex (1, 2)
  // takes each value. Inside the file a name is read and rewritten where the
  // entry points, on the 20-byte steps or not; outside it there is no name
  // and a new one goes right after the end of the file, at 46.
  Bytes text = NameSlots({"Alpha", "Beta", "Gamma"});
  text.resize(45);
  const std::pair<int32_t, std::string> cases[] = {
      {11, "          Beta      "},           // between two slots
      {41, "Gamma" + std::string(15, '\0')},  // runs across the end
      {-5, ""},
      {46, ""},  // just past the end
      {0x7fffffff, ""},
  };
  for (const auto& [entry, shown] : cases) {
    SCOPED_TRACE(entry);
    Bytes index(80, 0);
    PutI32(index, EntryOffset(1, 2), entry);
    WriteFiles(index, text);
    EXPECT_EQ(GetHexName(files, document, 1, 2), shown);
    std::vector<std::string> listed;
    for (const NamedHex& hex : ListHexNames(index, text, 4, 3))
      listed.push_back(std::to_string(hex.X) + "," + std::to_string(hex.Y) + " " + hex.Name);
    EXPECT_EQ(listed, shown.empty() ? std::vector<std::string>{}
                                    : std::vector<std::string>{"1,2 " + shown});
    ASSERT_TRUE(SetHexName(files, document, 1, 2, "Delta"));
    CloseHexNameFiles(files);
    // The new slot is written where the entry points; every other byte stays.
    const int32_t at = shown.empty() ? 46 : entry;
    Bytes expected = text;
    expected.resize(std::max(expected.size(), static_cast<size_t>(at - 1 + 20)), 0);
    const Bytes delta = NameSlots({"Delta"});
    std::copy(delta.begin(), delta.end(), expected.begin() + at - 1);
    EXPECT_EQ(folder.ReadBytes("m.str"), expected);
    PutI32(index, EntryOffset(1, 2), at);
    EXPECT_EQ(folder.ReadBytes("m.ndx"), index);
  }
}

// Hexes past the end of a short index have no name until one is stored;
// hexes off the map and closed files change nothing.
TEST_F(HexNamesTest, AShortIndexGrowsWithZerosAndHexesOffTheMapChangeNothing) {
  Bytes index(8, 0);
  PutI32(index, EntryOffset(1, 0), 1);
  WriteFiles(index, NameSlots({"Alpha"}));
  EXPECT_EQ(GetHexName(files, document, 1, 0), "Alpha               ");
  EXPECT_EQ(GetHexName(files, document, 4, 3), "");
  EXPECT_EQ(ListHexNames(index, NameSlots({"Alpha"}), 4, 3).size(), 1u);
  ASSERT_TRUE(SetHexName(files, document, 4, 3, "Edge"));
  index.resize(80, 0);
  PutI32(index, EntryOffset(4, 3), 21);
  const Bytes text = NameSlots({"Alpha", "Edge"});
  const std::pair<int, int> outside[] = {{-1, 0}, {0, -1}, {5, 0}, {0, 4}, {100000, 100000}};
  for (auto [x, y] : outside) {
    EXPECT_EQ(GetHexName(files, document, x, y), "") << x << "," << y;
    EXPECT_FALSE(SetHexName(files, document, x, y, "Away")) << x << "," << y;
  }
  CloseHexNameFiles(files);
  EXPECT_EQ(GetHexName(files, document, 1, 0), "");
  EXPECT_FALSE(SetHexName(files, document, 1, 0, "Again"));
  EXPECT_EQ(folder.ReadBytes("m.ndx"), index);
  EXPECT_EQ(folder.ReadBytes("m.str"), text);
}

// The start-up makes empty hex-name files, a zero index entry per hex and no
// text, whatever an older map left there, and the map's far corner can be
// named at once. The new-map and open-map dialog tests check the others.
TEST(EmptyHexNameFiles, TheStartUpMakesThemOverOlderOnes) {
  test::EditorOnMiniGame world;
  world.folder.WriteBytes("newmap.ndx", Bytes(400, 0xaa));
  world.folder.WriteBytes("newmap.str", NameSlots({"Left from before"}));
  std::string error;
  ASSERT_TRUE(StartUp(world.editor, error)) << error;
  EXPECT_EQ(world.folder.ReadBytes("newmap.ndx"), Bytes(4 * 33 * 31, 0));
  EXPECT_EQ(world.folder.ReadBytes("newmap.str"), Bytes());
  ASSERT_TRUE(SetHexName(world.editor, 32, 30, "Corner"));
  EXPECT_EQ(world.folder.ReadBytes("newmap.str"), NameSlots({"Corner"}));
  EXPECT_TRUE(world.ui.Messages().empty()) << testing::PrintToString(world.ui.Messages());
  // Without open files (korvmap's start-up makes none) a rename is refused
  // with a message, not lost quietly.
  CloseHexNameFiles(world.editor.HexNames);
  EXPECT_FALSE(SetHexName(world.editor, 1, 1, "Nowhere"));
  EXPECT_THAT(world.ui.Messages(), testing::ElementsAre(testing::HasSubstr("(1, 1)")));
}

}  // namespace
}  // namespace korv
