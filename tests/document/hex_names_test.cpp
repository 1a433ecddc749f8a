#include "document/hex_names.h"

#include <gtest/gtest.h>

#include "editor/editor.h"
#include "editor/map_io.h"
#include "editor/startup.h"
#include "platform/interaction.h"
#include "platform/random.h"
#include "support/test_folder.h"

namespace korv {
namespace {

using test::TempFolder;
using Bytes = std::vector<uint8_t>;

// Little-endian 32-bit value, written out by hand.
void PutI32(Bytes& bytes, size_t offset, int32_t value) {
  if (bytes.size() < offset + 4) bytes.resize(offset + 4, 0);
  auto bits = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes[offset + static_cast<size_t>(i)] = (bits >> (8 * i)) & 0xff;
}

Bytes Slot(const std::string& padded) {
  EXPECT_EQ(padded.size(), 20u) << padded;
  return Bytes(padded.begin(), padded.end());
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
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

TEST(HexNameFilePath, BaseWithoutTheLastThreeCharacters) {
  struct Case {
    const char* map;
    const char* extension;
    const char* expected;
  };
  const Case cases[] = {
      {"/maps/abc.map", "str", "/maps/abc.str"},
      {"/maps/abc.map", "ndx", "/maps/abc.ndx"},
      {"C:\\game\\ABC.MAP", "ndx", "C:\\game\\ABC.ndx"},
      {"newmap.map", "str", "newmap.str"},
      {"ab", "str", "str"},
  };
  for (const Case& c : cases) EXPECT_EQ(HexNameFilePath(c.map, c.extension), c.expected) << c.map;
}

TEST_F(HexNamesTest, CreateMakesAZeroIndexOfEveryHexAndAnEmptyText) {
  // Left-overs of a larger map and of old names must not survive.
  folder.WriteBytes("m.ndx", Bytes(400, 0xaa));
  folder.WriteBytes("m.str", Bytes(60, 'x'));
  std::string error;
  ASSERT_TRUE(CreateHexNameFiles(files, document, folder.Game(), &error)) << error;
  EXPECT_EQ(folder.ReadBytes("m.ndx"), Bytes(80, 0));
  EXPECT_EQ(folder.ReadBytes("m.str"), Bytes());
  EXPECT_TRUE(files.Index.IsOpen());
  EXPECT_TRUE(files.Text.IsOpen());
}

TEST_F(HexNamesTest, CreateWithoutPathsUsesTheEditorFolderAndMapName) {
  document.MapName = "newmap.map";
  document.HexNamesIndexPath.clear();
  document.HexNamesPath.clear();
  folder.WriteBytes("newmap.str", Bytes(20, 'o'));
  std::string error;
  ASSERT_TRUE(CreateHexNameFiles(files, document, folder.Game(), &error)) << error;
  EXPECT_EQ(document.HexNamesIndexPath, (folder / "newmap.ndx").string());
  EXPECT_EQ(document.HexNamesPath, (folder / "newmap.str").string());
  EXPECT_EQ(folder.ReadBytes("newmap.ndx"), Bytes(80, 0));
  EXPECT_EQ(folder.ReadBytes("newmap.str"), Bytes());
}

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
  const Bytes bridge = Slot("Bridge              ");
  const Bytes northern = Slot("Northern crossroads ");
  const Bytes ford = Slot("Ford                ");
  const Bytes mill = Slot("Mill                ");
  const Step steps[] = {
      {"first name appends slot 1", 2, 1, "Bridge", bridge, 1, "Bridge              "},
      {"long name is cut to 20, slot 21", 4, 3, "Northern crossroads of the river",
       Concat({bridge, northern}), 21, "Northern crossroads "},
      {"rename keeps the slot", 2, 1, "Ford", Concat({ford, northern}), 1, "Ford                "},
      {"clear leaves the slot", 2, 1, "", Concat({ford, northern}), 0, ""},
      {"a cleared hex gets a new slot", 2, 1, "Mill", Concat({ford, northern, mill}), 41,
       "Mill                "},
      {"exactly 20 characters", 0, 0, "ABCDEFGHIJKLMNOPQRST",
       Concat({ford, northern, mill, Slot("ABCDEFGHIJKLMNOPQRST")}), 61, "ABCDEFGHIJKLMNOPQRST"},
  };
  Bytes index(80, 0);
  for (const Step& step : steps) {
    ASSERT_TRUE(SetHexName(files, document, step.x, step.y, step.name)) << step.what;
    PutI32(index, EntryOffset(step.x, step.y), step.entry);
    EXPECT_EQ(folder.ReadBytes("m.str"), step.text) << step.what;
    EXPECT_EQ(folder.ReadBytes("m.ndx"), index) << step.what;
    EXPECT_EQ(GetHexName(files, document, step.x, step.y), step.shown) << step.what;
  }
  EXPECT_EQ(GetHexName(files, document, 4, 3), "Northern crossroads ");
  EXPECT_EQ(GetHexName(files, document, 1, 1), "");
}

TEST_F(HexNamesTest, IndexEntriesAreReadWhereTheyPointInsideTheTextFile) {
  // Two slots, 40 bytes; the entry of hex (1, 2) takes each value. Inside the
  // file a name is read and rewritten where the entry points, on the 20-byte
  // steps or not; outside it there is no name and a new one goes at the end.
  const Bytes text = Concat({Slot("Alpha               "), Slot("Beta                ")});
  struct Case {
    const char* what;
    int32_t entry;
    std::string shown;      // what GetHexName gives
    int32_t entryAfterSet;  // where "Gamma" goes
    size_t textLengthAfter;
    bool alphaKept;
  };
  const Case cases[] = {
      {"first slot", 1, "Alpha               ", 1, 40, false},
      {"second slot", 21, "Beta                ", 21, 40, true},
      {"negative", -5, "", 41, 60, true},
      {"just past the end", 41, "", 41, 60, true},
      {"far beyond the end", 0x7fffffff, "", 41, 60, true},
      {"runs across the end", 31, std::string(10, ' ') + std::string(10, '\0'), 31, 50, true},
      {"between two slots", 11, "          Beta      ", 11, 40, false},
  };
  for (const Case& c : cases) {
    Bytes index(80, 0);
    PutI32(index, EntryOffset(1, 2), c.entry);
    WriteFiles(index, text);
    EXPECT_EQ(GetHexName(files, document, 1, 2), c.shown) << c.what;
    ASSERT_TRUE(SetHexName(files, document, 1, 2, "Gamma")) << c.what;
    CloseHexNameFiles(files);
    auto stored = folder.ReadBytes("m.str");
    ASSERT_EQ(stored.size(), c.textLengthAfter) << c.what;
    const size_t at = static_cast<size_t>(c.entryAfterSet - 1);
    EXPECT_EQ(
        Bytes(stored.begin() + static_cast<long>(at), stored.begin() + static_cast<long>(at) + 20),
        Slot("Gamma               "))
        << c.what;
    // A name elsewhere is untouched.
    if (c.alphaKept) {
      EXPECT_EQ(Bytes(stored.begin(), stored.begin() + 20), Slot("Alpha               ")) << c.what;
    }
    PutI32(index, EntryOffset(1, 2), c.entryAfterSet);
    EXPECT_EQ(folder.ReadBytes("m.ndx"), index) << c.what;
  }
}

TEST_F(HexNamesTest, ANewNameGoesRightAfterTheEndOfAnUnevenTextFile) {
  // 45 bytes: two slots and five bytes of a third.
  Bytes text = Concat({Slot("Alpha               "), Slot("Beta                ")});
  text.insert(text.end(), {'G', 'a', 'm', 'm', 'a'});
  WriteFiles(Bytes(80, 0), text);
  ASSERT_TRUE(SetHexName(files, document, 3, 0, "Delta"));
  EXPECT_EQ(files.Index.ReadI32(static_cast<int64_t>(EntryOffset(3, 0)) + 1), 46);
  EXPECT_EQ(GetHexName(files, document, 3, 0), "Delta               ");
  CloseHexNameFiles(files);
  auto stored = folder.ReadBytes("m.str");
  ASSERT_EQ(stored.size(), 65u);
  EXPECT_EQ(Bytes(stored.begin() + 40, stored.begin() + 45), Bytes({'G', 'a', 'm', 'm', 'a'}));
  EXPECT_EQ(Bytes(stored.begin() + 45, stored.end()), Slot("Delta               "));
}

TEST_F(HexNamesTest, AShortIndexReadsNamelessAndGrowsWithZerosWhenWritten) {
  Bytes index(8, 0);
  PutI32(index, EntryOffset(1, 0), 1);
  WriteFiles(index, Slot("Alpha               "));
  EXPECT_EQ(GetHexName(files, document, 1, 0), "Alpha               ");
  EXPECT_EQ(GetHexName(files, document, 4, 3), "");
  ASSERT_TRUE(SetHexName(files, document, 4, 3, "Edge"));
  CloseHexNameFiles(files);
  Bytes expected(80, 0);
  PutI32(expected, EntryOffset(1, 0), 1);
  PutI32(expected, EntryOffset(4, 3), 21);
  EXPECT_EQ(folder.ReadBytes("m.ndx"), expected);
}

TEST_F(HexNamesTest, HexesOffTheMapAndClosedFilesChangeNothing) {
  Bytes index(80, 0);
  PutI32(index, 0, 1);
  WriteFiles(index, Slot("Corner              "));
  const std::pair<int, int> outside[] = {{-1, 0}, {0, -1}, {5, 0}, {0, 4}, {100000, 100000}};
  for (auto [x, y] : outside) {
    EXPECT_EQ(GetHexName(files, document, x, y), "") << x << "," << y;
    EXPECT_FALSE(SetHexName(files, document, x, y, "Away")) << x << "," << y;
  }
  CloseHexNameFiles(files);
  EXPECT_EQ(GetHexName(files, document, 0, 0), "");
  EXPECT_FALSE(SetHexName(files, document, 0, 0, "Again"));
  EXPECT_EQ(folder.ReadBytes("m.ndx"), index);
  EXPECT_EQ(folder.ReadBytes("m.str"), Slot("Corner              "));
}

TEST(ListHexNames, NamedHexesColumnByColumnWhereverTheirEntriesPoint) {
  // A 2 x 1 map: six hexes, entry of (x, y) at 4 * (3y + x).
  const Bytes text = Concat(
      {Slot("Alpha               "), Slot("Beta                "), Slot("Gamma               ")});
  Bytes index(24, 0);
  PutI32(index, 4 * 3, 21);   // (0, 1) Beta
  PutI32(index, 4 * 2, 1);    // (2, 0) Alpha
  PutI32(index, 4 * 1, 41);   // (1, 0) Gamma
  PutI32(index, 4 * 4, 61);   // (1, 1) beyond the text
  PutI32(index, 4 * 5, -20);  // (2, 1) negative
  PutI32(index, 0, 51);       // (0, 0) off the 20-byte steps, running past the end
  auto named = ListHexNames(index, text, 2, 1);
  ASSERT_EQ(named.size(), 4u);
  EXPECT_EQ(named[0].Name, std::string(10, ' ') + std::string(10, '\0'));
  named.erase(named.begin());
  EXPECT_EQ(named[0].X, 0);
  EXPECT_EQ(named[0].Y, 1);
  EXPECT_EQ(named[0].Name, "Beta                ");
  EXPECT_EQ(named[1].X, 1);
  EXPECT_EQ(named[1].Y, 0);
  EXPECT_EQ(named[1].Name, "Gamma               ");
  EXPECT_EQ(named[2].X, 2);
  EXPECT_EQ(named[2].Y, 0);
  EXPECT_EQ(named[2].Name, "Alpha               ");
  // An index cut after three entries loses (0, 1), nothing more.
  const auto cut = ListHexNames(std::span(index).first(12), text, 2, 1);
  ASSERT_EQ(cut.size(), 3u);
  EXPECT_EQ(cut[1].X, 1);
  EXPECT_EQ(cut[2].X, 2);
}

// The editor's own files: start-up and a new map.
class EditorHexNamesTest : public ::testing::Test {
 protected:
  void SetUp() override { test::WriteMiniGame(folder, test::DefaultMiniGame()); }
  TempFolder folder;
  RecordingInteraction ui;
  SeededRandom random{3};
  Editor editor{folder.Game(), ui, random};
};

TEST_F(EditorHexNamesTest, StartUpMakesEmptyFilesForNewmapInTheEditorsFolder) {
  folder.WriteBytes("newmap.str", Slot("Left from before    "));
  std::string error;
  ASSERT_TRUE(StartUp(editor, error)) << error;
  EXPECT_EQ(folder.ReadBytes("newmap.ndx"), Bytes(4 * 33 * 31, 0));
  EXPECT_EQ(folder.ReadBytes("newmap.str"), Bytes());
  ASSERT_TRUE(SetHexName(editor, 32, 30, "Last hex"));
  EXPECT_EQ(GetHexName(editor, 32, 30), "Last hex            ");
  EXPECT_EQ(folder.ReadBytes("newmap.str"), Slot("Last hex            "));
  EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(EditorHexNamesTest, KorvmapsStartUpLeavesTheGameFolderAlone) {
  std::string error;
  ASSERT_TRUE(StartUp(editor, error, false)) << error;
  EXPECT_FALSE(FileExists(folder / "newmap.ndx"));
  EXPECT_FALSE(FileExists(folder / "newmap.str"));
  // Without open files a rename is refused with a message, not lost quietly.
  EXPECT_FALSE(SetHexName(editor, 1, 1, "Nowhere"));
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_NE(ui.Messages()[0].find("(1, 1)"), std::string::npos);
}

TEST_F(EditorHexNamesTest, NewMapReplacesTheNamesBesideItsPath) {
  std::string error;
  ASSERT_TRUE(StartUp(editor, error)) << error;
  folder.WriteBytes("maps/fresh.str", Slot("Old name            "));
  Bytes oldIndex(4 * 33 * 31, 0);
  PutI32(oldIndex, 0, 1);
  folder.WriteBytes("maps/fresh.ndx", oldIndex);
  editor.Document.MapWidth = 6;
  editor.Document.MapHeight = 2;
  editor.Document.MapPath = (folder / "maps/fresh.map").string();
  NewMap(editor);
  EXPECT_EQ(editor.Document.HexNamesPath, (folder / "maps/fresh.str").string());
  EXPECT_EQ(editor.Document.HexNamesIndexPath, (folder / "maps/fresh.ndx").string());
  EXPECT_EQ(folder.ReadBytes("maps/fresh.ndx"), Bytes(4 * 7 * 3, 0));
  EXPECT_EQ(folder.ReadBytes("maps/fresh.str"), Bytes());
  EXPECT_EQ(GetHexName(editor, 0, 0), "");
  ASSERT_TRUE(SetHexName(editor, 6, 2, "Corner"));
  EXPECT_EQ(folder.ReadBytes("maps/fresh.str"), Slot("Corner              "));
}

}  // namespace
}  // namespace korv
