#include "editing/file_dialog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "document/hex_names.h"
#include "editor/map_io.h"
#include "editor/startup.h"
#include "support/builders.h"
#include "support/editor_fixture.h"
#include "support/kept.h"

namespace korv {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

using test::NameSlots;
using Bytes = std::vector<uint8_t>;
using Pair = std::pair<int, int>;

// The editor started on the small test game (a 32 x 30 "newmap.map"), with
// the file dialog's logic.
class FileDialogTest : public ::testing::Test {
 protected:
  bool Asked(RecordingInteraction::Event::Kind kind) const {
    for (const auto& event : e.ui.events)
      if (event.kind == kind) return true;
    return false;
  }
  // Opens the map mode in `subfolder` and loads `typed`.
  FileDialogOutcome LoadTyped(const std::string& subfolder, const std::string& typed) {
    EXPECT_TRUE(dialog.Open(kOpenMapMode));
    EXPECT_TRUE(dialog.ChangeFolder(e.Path(subfolder)));
    dialog.SetFileName(typed);
    return dialog.Load();
  }

  test::EditorOnMiniGame e;
  Editor& editor = e.editor;
  const test::TempFolder& folder = e.folder;
  FileDialog dialog{e.editor};
};

// The size of a version 569 map file of the default size without objectives.
constexpr size_t kNewMapBytes = 14 + 15 * 33 * 31 + 2 + 12 + 2 + 7;

TEST_F(FileDialogTest, OpenMapPathRules) {
  struct Case {
    const char* typed;
    const char* onDisk;  // in maps/
    Bytes bytes;
    const char* mapName;  // "" for the full path (old layout)
    const char* file;     // maps/<file>.str and .ndx
    int width, height;
  };
  const Case cases[] = {
      {"abc", "abc.map", test::VersionedMapBytes(569, 6, 4), "abc.map", "abc", 6, 4},
      {"BIG.MAP", "BIG.MAP", test::VersionedMapBytes(569, 9, 2), "BIG.MAP", "BIG", 9, 2},
      {"windows", "WINDOWS.MAP", test::VersionedMapBytes(569, 3, 3), "windows.map", "WINDOWS", 3,
       3},
      {"old", "old.map", test::OldMapBytes(5, 5), "", "old", 5, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    folder.WriteBytes(std::string("maps/") + c.onDisk, c.bytes);
    e.ui.Clear();
    const FileDialogOutcome outcome = LoadTyped("maps", c.typed);
    EXPECT_TRUE(outcome.Closes && outcome.MapReplaced && outcome.CaptionChanged);
    EXPECT_TRUE(e.ui.Messages().empty());
    const MapDocument& d = editor.Document;
    const std::string stem = std::string("maps/") + c.file;
    EXPECT_EQ(d.MapPath, e.Path(std::string("maps/") + c.onDisk));
    EXPECT_EQ(d.MapName, *c.mapName ? std::string(c.mapName) : d.MapPath);
    EXPECT_EQ(Pair(d.MapWidth, d.MapHeight), Pair(c.width, c.height));
    // No names beside the map: both files are made empty for its size.
    EXPECT_EQ(folder.ReadBytes(stem + ".str"), Bytes());
    EXPECT_EQ(folder.ReadBytes(stem + ".ndx"), Bytes(4 * (c.width + 1) * (c.height + 1), 0));
  }
}

TEST_F(FileDialogTest, OpenMapUsesTheNamesBesideIt) {
  folder.WriteBytes("maps/abc.map", test::VersionedMapBytes(569, 6, 4));
  folder.WriteBytes("maps/abc.str", NameSlots({"Old mill", "Hill 112"}));
  test::ByteBuilder index;
  for (int i = 0; i < 7 * 5; ++i) index.I32(i == 2 * 7 + 3 ? 21 : (i == 8 ? 1 : 0));
  folder.WriteBytes("maps/abc.ndx", index.bytes);
  ASSERT_TRUE(LoadTyped("maps", "abc").Closes);
  EXPECT_EQ(GetHexName(editor, 3, 2), "Hill 112            ");
  EXPECT_EQ(GetHexName(editor, 1, 1), "Old mill            ");
  EXPECT_EQ(GetHexName(editor, 2, 2), "");
  // A rename goes straight into the map's own file.
  ASSERT_TRUE(SetHexName(editor, 3, 2, "Hill 113"));
  EXPECT_EQ(folder.ReadBytes("maps/abc.str"), NameSlots({"Old mill", "Hill 113"}));
}

TEST_F(FileDialogTest, ARefusedMapKeepsTheOpenMapAndItsNames) {
  folder.WriteBytes("maps/good.map", test::VersionedMapBytes(569, 6, 4));
  ASSERT_TRUE(LoadTyped("maps", "good").Closes);
  ASSERT_TRUE(SetHexName(editor, 2, 2, "Keep me"));
  const std::pair<const char*, Bytes> cases[] = {
      {"huge", {'V', 'e', 'r', 's', 'i', 'o', 'n', ' ', 0x39, 2, 0x88, 0x13, 1, 0}},
      {"nothere", {}},
  };
  for (const auto& [typed, bytes] : cases) {
    SCOPED_TRACE(typed);
    const std::string file = std::string("maps/") + typed;
    if (!bytes.empty()) folder.WriteBytes(file + ".map", bytes);
    e.ui.Clear();
    const test::Kept kept(editor.Document, {folder / "maps/good.str", folder / "maps/good.ndx",
                                            folder / (file + ".str"), folder / (file + ".ndx")});
    const FileDialogOutcome outcome = LoadTyped("maps", typed);
    EXPECT_FALSE(outcome.Closes || outcome.MapReplaced);
    EXPECT_THAT(e.ui.Messages(), ElementsAre(HasSubstr(std::string(typed) + ".map")));
    EXPECT_EQ(kept.Changes(editor.Document), "");
    EXPECT_EQ(GetHexName(editor, 2, 2), "Keep me             ");
  }
}

TEST_F(FileDialogTest, SaveAsWritesTheMapAndMovesItsNamesByCopying) {
  ASSERT_TRUE(SetHexName(editor, 1, 1, "Depot"));
  const Bytes startIndex = folder.ReadBytes("newmap.ndx");
  const Bytes old = test::VersionedMapBytes(569, 2, 2);
  struct Case {
    const char* folder;
    const char* typed;
    bool exists, answer;
  };
  for (const Case& c : {Case{"new", "abc", false, false}, Case{"kept", "abc.map", true, false},
                        Case{"replaced", "abc.map", true, true}}) {
    SCOPED_TRACE(c.folder);
    const std::string stem = e.Path(std::string(c.folder) + "/abc");
    EnsureFolder(e.Path(c.folder));
    if (c.exists) folder.WriteBytes(std::string(c.folder) + "/abc.map", old);
    const std::string pathBefore = editor.Document.MapPath;
    e.ui.Clear();
    e.ui.answers = {c.answer};
    ASSERT_TRUE(dialog.Open(kSaveMapAsMode));
    ASSERT_TRUE(dialog.ChangeFolder(e.Path(c.folder)));
    dialog.SetFileName(c.typed);
    const FileDialogOutcome outcome = dialog.Save();
    EXPECT_TRUE(outcome.Closes && outcome.CaptionChanged && !outcome.MapReplaced);
    EXPECT_EQ(Asked(RecordingInteraction::Event::kOkCancel), c.exists);
    if (c.exists) {
      EXPECT_EQ(e.ui.events[0].text, stem + ".map already exists.\rDo you want to replace it ?");
    }
    const bool saved = !c.exists || c.answer;
    const MapDocument& d = editor.Document;
    EXPECT_EQ(d.MapName, c.typed);  // either way
    EXPECT_EQ(d.MapPath, saved ? stem + ".map" : pathBefore);
    EXPECT_EQ(ReadWholeFile(stem + ".map")->size(), saved ? kNewMapBytes : old.size());
    EXPECT_EQ(FileExists(stem + ".ctl"), saved);
    if (!saved) {
      EXPECT_FALSE(FileExists(stem + ".str") || FileExists(stem + ".ndx"));
      continue;
    }
    EXPECT_EQ(d.HexNamesPath, stem + ".str");
    EXPECT_EQ(d.HexNamesIndexPath, stem + ".ndx");
    EXPECT_EQ(ReadWholeFile(stem + ".str"), NameSlots({"Depot"}));
    EXPECT_EQ(ReadWholeFile(stem + ".ndx"), startIndex);
  }
  // From now on names go into the last files only.
  ASSERT_TRUE(SetHexName(editor, 2, 2, "Camp"));
  EXPECT_EQ(folder.ReadBytes("replaced/abc.str"), NameSlots({"Depot", "Camp"}));
  EXPECT_EQ(folder.ReadBytes("new/abc.str"), NameSlots({"Depot"}));
  EXPECT_EQ(folder.ReadBytes("newmap.str"), NameSlots({"Depot"}));
  EXPECT_EQ(folder.ReadBytes("newmap.ndx"), startIndex);
}

TEST_F(FileDialogTest, SaveWithAnEmptyNameEmptiesMapNameOnly) {
  const std::string mapPath = editor.Document.MapPath;
  // The caption keeps its name, and nothing is written.
  ASSERT_TRUE(dialog.Open(kSaveMapAsMode));
  dialog.SetFileName("");
  EXPECT_TRUE(dialog.Save().Closes);
  EXPECT_EQ(editor.Document.MapName, "");
  EXPECT_EQ(editor.CaptionName, "newmap.map");
  EXPECT_EQ(editor.Document.MapPath, mapPath);
  EXPECT_FALSE(FileExists(mapPath));
}

TEST_F(FileDialogTest, FileAndFolderLists) {
  for (const char* file : {"maps/b.map", "maps/A.MAP", "maps/c.txt", "maps/d.map.bak",
                           "maps/nations.txt", "game001.set"}) {
    folder.WriteText(file, "x");
  }
  for (const char* sub : {"maps/Zulu", "maps/alpha", "maps/mike", "maps/Bravo", "maps/.hidden"})
    EnsureFolder(folder / sub);
  ASSERT_TRUE(dialog.Open(kOpenMapMode));
  EXPECT_EQ(dialog.Folder(), folder.Path().string());
  ASSERT_TRUE(dialog.EnterSubfolder("maps"));
  EXPECT_EQ(dialog.Files(), (std::vector<std::string>{"A.MAP", "b.map"}));
  EXPECT_EQ(dialog.Subfolders(), (std::vector<std::string>{"alpha", "Bravo", "mike", "Zulu"}));
  EXPECT_FALSE(dialog.ChangeFolder(e.Path("maps/none")));
  EXPECT_EQ(dialog.Folder(), e.Path("maps"));
  // The folder is kept between uses; the nation set mode lists nations.txt only.
  ASSERT_TRUE(dialog.Open(kNationSetMode));
  EXPECT_EQ(dialog.Files(), (std::vector<std::string>{"nations.txt"}));
  ASSERT_TRUE(dialog.EnterSubfolder(".."));
  EXPECT_EQ(dialog.Folder(), folder.Path().string());
  ASSERT_TRUE(dialog.Open(kImportSetMode));
  EXPECT_EQ(dialog.Files(), (std::vector<std::string>{"game001.set"}));
  // The bitmap mode lists bitmaps; a name without its extension gets one.
  folder.WriteBytes("pics/Relief.BMP", {});
  folder.WriteBytes("pics/notes.txt", {});
  ASSERT_TRUE(dialog.Open(kChooseBitmapMode));
  ASSERT_TRUE(dialog.ChangeFolder(e.Path("pics")));
  EXPECT_EQ(dialog.Files(), (std::vector<std::string>{"Relief.BMP"}));
  dialog.SetFileName("relief");
  const FileDialogOutcome chosen = dialog.Load();
  EXPECT_TRUE(chosen.Closes);
  EXPECT_EQ(chosen.ChosenBitmap, e.Path("pics/Relief.BMP"));
  EXPECT_EQ(dialog.State().BitmapFileName, "relief.bmp");
  EXPECT_FALSE(dialog.Open(6));
}

TEST_F(FileDialogTest, ANationSetErasesControlOnlyWhenTheDesignerAgrees) {
  folder.WriteText("other/nations/nations.txt", "2\r\n\"Ruritania\",3\r\n\"Freedonia\",5\r\n");
  folder.WriteText("other/nations/readme.txt", "not a list");
  test::TempFolder elsewhere;
  elsewhere.WriteText("faraway/nations/nations.txt", "1\r\n\"Nowhere\",1\r\n");
  struct Case {
    const char* what;
    std::string folder, typed;
    bool answer, asked;
    bool taken;  // the set becomes "other" with its two nations
  };
  const Case cases[] = {
      {"nations.txt, Yes", e.Path("other/nations"), "nations.txt", true, true, true},
      {"nations.txt, No", e.Path("other/nations"), "nations.txt", false, true, false},
      {"another file, Yes", e.Path("other/nations"), "readme.txt", true, true, false},
      {"a set the game folder lacks", (elsewhere / "faraway/nations").string(), "nations.txt", true,
       false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string error;
    ASSERT_TRUE(StartUp(editor, error)) << error;
    MapDocument& d = editor.Document;
    d.Owner(4, 5) = 2;
    d.Mark(4, 5) = kPrimaryObjective;
    e.ui.Clear();
    e.ui.answers = {c.answer};
    ASSERT_TRUE(dialog.Open(kNationSetMode));
    ASSERT_TRUE(dialog.ChangeFolder(c.folder));
    dialog.SetFileName(c.typed);
    const FileDialogOutcome outcome = dialog.Load();
    // Not asked, the designer is told why.
    EXPECT_EQ(Asked(RecordingInteraction::Event::kYesNo), c.asked);
    EXPECT_EQ(e.ui.Messages().empty(), c.asked);
    const bool erased = c.asked && c.answer;
    EXPECT_EQ(Pair(d.Owner(4, 5), d.Mark(4, 5)), erased ? Pair(0, 0) : Pair(2, kPrimaryObjective));
    EXPECT_EQ(d.NationSetName, c.taken ? "other" : "default");
    EXPECT_EQ(editor.Nations.NationCount, c.taken ? 2 : 3);
    EXPECT_EQ(outcome.MapReplaced, erased);
    EXPECT_EQ(outcome.NationSetChanged, c.taken);
    EXPECT_EQ(outcome.Closes, c.asked);
  }
}

TEST_F(FileDialogTest, NewMapDialogSizes) {
  struct Case {
    const char* width;
    const char* height;
    int madeWidth, madeHeight;  // 0: refused
    const char* says;
  };
  const Case cases[] = {
      {"40", "25", 40, 25, ""},
      {" 12.5 ", "13.5", 12, 14, ""},  // halves to even
      {"3999", "1", 3999, 1, ""},
      {"0", "32", 0, 0, "width 0"},
      {"32", "0.4", 0, 0, "height 0"},
      {"-1", "32", 0, 0, "negative"},
      {"4000", "32", 0, 0, "limit"},
      {"32", "99999999999", 0, 0, "limit"},
      {"32", "12abc", 0, 0, "\"12abc\" is not a number"},
      {"1e3", "32", 0, 0, "is not a number"},
  };
  for (const Case& c : cases) {
    std::string error;
    ASSERT_TRUE(StartUp(editor, error)) << error;
    ASSERT_TRUE(SetHexName(editor, 1, 1, "Kept if refused"));
    const test::Kept kept(editor.Document, {folder / "newmap.str", folder / "newmap.ndx"});
    const bool made = NewMapDialog_OK(editor, c.width, c.height, error);
    ASSERT_EQ(made, c.madeWidth > 0) << c.width << " x " << c.height << ": " << error;
    const MapDocument& d = editor.Document;
    if (made) {
      EXPECT_EQ(d.MapWidth, c.madeWidth);
      EXPECT_EQ(d.MapHeight, c.madeHeight);
      EXPECT_EQ(d.MapPath, e.Path("newmap.map"));
    } else {
      EXPECT_THAT(error, HasSubstr(c.says));
      EXPECT_EQ(kept.Changes(d), "") << c.width;
    }
  }
}

}  // namespace
}  // namespace korv
