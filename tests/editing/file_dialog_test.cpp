#include "editing/file_dialog.h"

#include <gtest/gtest.h>

#include "document/hex_names.h"
#include "editor/map_io.h"
#include "editor/startup.h"
#include "platform/interaction.h"
#include "platform/random.h"
#include "support/test_folder.h"

namespace korv {
namespace {

using test::TempFolder;
using Bytes = std::vector<uint8_t>;

// Map files written byte by byte from values, independently of the editor's
// own encoder.
class FileBuilder {
 public:
  void U8(int value) { bytes.push_back(static_cast<uint8_t>(value)); }
  void I16(int value) {
    U8(value & 0xff);
    U8((value >> 8) & 0xff);
  }
  void I32(int32_t value) {
    I16(value & 0xffff);
    I16((value >> 16) & 0xffff);
  }
  void Text(const std::string& text) {
    for (char c : text) U8(static_cast<unsigned char>(c));
  }
  Bytes bytes;
};

// A version 569 map of clear tile `tile`, owner 1 on hex (1, 1), no objectives.
Bytes VersionedMap(int w, int h, int tile, const std::string& nationSet) {
  FileBuilder file;
  file.Text("Version ");
  file.I16(569);
  file.I16(w);
  file.I16(h);
  const int hexes = (w + 1) * (h + 1);
  for (int k = 0; k < 7; ++k)
    for (int i = 0; i < hexes; ++i) file.U8(k == 0 ? 1 : 0);
  for (int i = 0; i < hexes; ++i) file.I16(tile);
  for (int k = 0; k < 2; ++k)
    for (int i = 0; i < hexes; ++i) file.U8(k == 0 && i == (w + 1) + 1 ? 1 : 0);
  for (int i = 0; i < 2 * hexes; ++i) file.I16(0);  // deployment, land mass
  file.I16(0);                                      // no objectives
  for (int f = 0; f < 6; ++f) file.I16(0);          // record 0
  file.I16(static_cast<int>(nationSet.size()));
  file.Text(nationSet);
  return file.bytes;
}

// An old-layout map (no signature) of tile 20 everywhere.
Bytes OldMap(int w, int h) {
  FileBuilder file;
  file.I16(w);
  file.I16(h);
  const int hexes = (w + 1) * (h + 1);
  for (int i = 0; i < hexes; ++i) {
    for (int k = 0; k < 7; ++k) file.U8(0);
    file.I16(20);
  }
  for (int i = 0; i < 6 * hexes; ++i) file.U8(0);
  return file.bytes;
}

Bytes Slot(const std::string& padded) {
  return Bytes(padded.begin(), padded.end());
}

// An editor started on a small game folder, with the file dialog's logic.
class FileDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::WriteMiniGame(folder, test::DefaultMiniGame());
    std::string error;
    ASSERT_TRUE(StartUp(editor, error)) << error;
    ui.Clear();
  }
  std::string Path(const std::string& relative) const { return (folder / relative).string(); }
  bool Asked(RecordingInteraction::Event::Kind kind) const {
    for (const auto& event : ui.events)
      if (event.kind == kind) return true;
    return false;
  }
  // Opens mode 1 in `subfolder` and loads `typed`.
  FileDialogOutcome LoadTyped(const std::string& subfolder, const std::string& typed) {
    EXPECT_TRUE(dialog.Open(kOpenMapMode));
    EXPECT_TRUE(dialog.ChangeFolder(Path(subfolder)));
    dialog.SetFileName(typed);
    return dialog.Load();
  }

  TempFolder folder;
  RecordingInteraction ui;
  SeededRandom random{11};
  Editor editor{folder.Game(), ui, random};
  FileDialog dialog{editor};
};

TEST_F(FileDialogTest, OpenMapPathRules) {
  struct Case {
    const char* typed;
    const char* onDisk;  // in maps/
    Bytes bytes;
    const char* mapName;  // "" for the full path (old layout)
    const char* caption;  // the name the window's caption shows: as typed, ".map" added
    const char* mapFile;
    const char* textFile;
    const char* indexFile;
    int width, height;
  };
  const Case cases[] = {
      {"abc", "abc.map", VersionedMap(6, 4, 5, "default"), "abc.map", "abc.map", "maps/abc.map",
       "maps/abc.str", "maps/abc.ndx", 6, 4},
      {"abc.map", "abc.map", VersionedMap(6, 4, 5, "default"), "abc.map", "abc.map", "maps/abc.map",
       "maps/abc.str", "maps/abc.ndx", 6, 4},
      {"BIG.MAP", "BIG.MAP", VersionedMap(9, 2, 5, "default"), "BIG.MAP", "BIG.MAP", "maps/BIG.MAP",
       "maps/BIG.str", "maps/BIG.ndx", 9, 2},
      {"windows", "WINDOWS.MAP", VersionedMap(3, 3, 5, "default"), "windows.map", "windows.map",
       "maps/WINDOWS.MAP", "maps/WINDOWS.str", "maps/WINDOWS.ndx", 3, 3},
      {"old", "old.map", OldMap(5, 5), "", "old.map", "maps/old.map", "maps/old.str",
       "maps/old.ndx", 5, 5},
  };
  for (const Case& c : cases) {
    folder.WriteBytes(std::string("maps/") + c.onDisk, c.bytes);
    ui.Clear();
    FileDialogOutcome outcome = LoadTyped("maps", c.typed);
    ASSERT_TRUE(outcome.Closes) << c.typed;
    EXPECT_TRUE(outcome.MapReplaced) << c.typed;
    EXPECT_TRUE(outcome.CaptionChanged) << c.typed;
    EXPECT_TRUE(ui.Messages().empty()) << c.typed;
    const MapDocument& d = editor.Document;
    EXPECT_EQ(d.MapPath, Path(c.mapFile)) << c.typed;
    EXPECT_EQ(d.MapName, *c.mapName ? std::string(c.mapName) : Path(c.mapFile)) << c.typed;
    EXPECT_EQ(editor.CaptionName, c.caption) << c.typed;
    EXPECT_EQ(d.HexNamesPath, Path(c.textFile)) << c.typed;
    EXPECT_EQ(d.HexNamesIndexPath, Path(c.indexFile)) << c.typed;
    EXPECT_EQ(d.MapWidth, c.width) << c.typed;
    EXPECT_EQ(d.MapHeight, c.height) << c.typed;
    EXPECT_EQ(dialog.State().FileDialogFolder, Path("maps")) << c.typed;
    EXPECT_EQ(dialog.State().BitmapPath, Path(std::string("maps/") + c.typed)) << c.typed;
    // No .str beside the map: both files are made empty for this size.
    EXPECT_EQ(folder.ReadBytes(c.textFile), Bytes()) << c.typed;
    EXPECT_EQ(folder.ReadBytes(c.indexFile), Bytes(4 * (c.width + 1) * (c.height + 1), 0))
        << c.typed;
    EXPECT_EQ(GetHexName(editor, 1, 1), "") << c.typed;
  }
}

TEST_F(FileDialogTest, OpenMapUsesTheNamesBesideIt) {
  folder.WriteBytes("maps/abc.map", VersionedMap(6, 4, 5, "default"));
  folder.WriteBytes("maps/abc.str", Slot("Old mill            Hill 112            "));
  FileBuilder index;
  for (int i = 0; i < 7 * 5; ++i) index.I32(i == 2 * 7 + 3 ? 21 : (i == 8 ? 1 : 0));
  folder.WriteBytes("maps/abc.ndx", index.bytes);
  ASSERT_TRUE(LoadTyped("maps", "abc").Closes);
  EXPECT_EQ(GetHexName(editor, 3, 2), "Hill 112            ");
  EXPECT_EQ(GetHexName(editor, 1, 1), "Old mill            ");
  EXPECT_EQ(GetHexName(editor, 2, 2), "");
  // A rename goes straight into the map's own file.
  ASSERT_TRUE(SetHexName(editor, 3, 2, "Hill 113"));
  EXPECT_EQ(folder.ReadBytes("maps/abc.str"), Slot("Old mill            Hill 113            "));
}

TEST_F(FileDialogTest, AMissingTextFileEmptiesTheIndexToo) {
  folder.WriteBytes("maps/abc.map", VersionedMap(2, 2, 5, "default"));
  FileBuilder index;
  for (int i = 0; i < 9; ++i) index.I32(1 + 20 * i);
  folder.WriteBytes("maps/abc.ndx", index.bytes);
  ASSERT_TRUE(LoadTyped("maps", "abc").Closes);
  EXPECT_EQ(folder.ReadBytes("maps/abc.ndx"), Bytes(36, 0));
  EXPECT_EQ(folder.ReadBytes("maps/abc.str"), Bytes());
}

TEST_F(FileDialogTest, ARefusedMapKeepsTheOpenMapAndItsNames) {
  folder.WriteBytes("maps/good.map", VersionedMap(6, 4, 5, "default"));
  ASSERT_TRUE(LoadTyped("maps", "good").Closes);
  ASSERT_TRUE(SetHexName(editor, 2, 2, "Keep me"));
  const MapDocument before = editor.Document;

  struct Case {
    const char* typed;
    Bytes bytes;  // empty: no such file
    const char* says;
  };
  const Case cases[] = {
      {"broken", {'V', 'e', 'r', 's', 'i', 'o', 'n', ' ', 0x39, 2, 0xff, 0xff, 3, 0}, "broken.map"},
      {"short", {'V', 'e', 'r', 's', 'i', 'o', 'n', ' ', 0x39}, "short.map"},
      {"huge", {'V', 'e', 'r', 's', 'i', 'o', 'n', ' ', 0x39, 2, 0x88, 0x13, 1, 0}, "huge.map"},
      {"nothere", {}, "nothere.map"},
  };
  for (const Case& c : cases) {
    if (!c.bytes.empty()) folder.WriteBytes(std::string("maps/") + c.typed + ".map", c.bytes);
    ui.Clear();
    FileDialogOutcome outcome = LoadTyped("maps", c.typed);
    EXPECT_FALSE(outcome.Closes) << c.typed;
    EXPECT_FALSE(outcome.MapReplaced) << c.typed;
    ASSERT_EQ(ui.Messages().size(), 1u) << c.typed;
    EXPECT_NE(ui.Messages()[0].find(c.says), std::string::npos) << ui.Messages()[0];
    const MapDocument& d = editor.Document;
    EXPECT_EQ(d.MapName, before.MapName) << c.typed;
    EXPECT_EQ(d.MapPath, before.MapPath) << c.typed;
    EXPECT_EQ(d.HexNamesPath, before.HexNamesPath) << c.typed;
    EXPECT_EQ(d.MapWidth, before.MapWidth) << c.typed;
    EXPECT_EQ(d.HexTile, before.HexTile) << c.typed;
    EXPECT_EQ(d.HexControl, before.HexControl) << c.typed;
    // The names of the open map are still the open files.
    EXPECT_EQ(GetHexName(editor, 2, 2), "Keep me             ") << c.typed;
    EXPECT_FALSE(FileExists(folder / (std::string("maps/") + c.typed + ".str"))) << c.typed;
  }
}

TEST_F(FileDialogTest, LoadWithAnEmptyNameDoesNothing) {
  ASSERT_TRUE(dialog.Open(kOpenMapMode));
  dialog.SetFileName("");
  const FileDialogOutcome outcome = dialog.Load();
  EXPECT_FALSE(outcome.Closes);
  EXPECT_TRUE(ui.events.empty());
  EXPECT_EQ(editor.Document.MapName, "newmap.map");
}

TEST_F(FileDialogTest, SaveAsWritesTheMapAndMovesItsNamesByCopying) {
  ASSERT_TRUE(SetHexName(editor, 1, 1, "Depot"));
  const Bytes startIndex = folder.ReadBytes("newmap.ndx");
  EnsureFolder(folder / "maps");
  ASSERT_TRUE(dialog.Open(kSaveMapAsMode));
  EXPECT_EQ(dialog.FileName(), "newmap.map");
  EXPECT_TRUE(dialog.SaveEnabled());
  EXPECT_TRUE(dialog.LoadEnabled());
  ASSERT_TRUE(dialog.ChangeFolder(Path("maps")));
  dialog.SetFileName("abc");
  const FileDialogOutcome outcome = dialog.Save();
  EXPECT_TRUE(outcome.Closes);
  EXPECT_TRUE(outcome.CaptionChanged);
  EXPECT_FALSE(outcome.MapReplaced);
  EXPECT_FALSE(Asked(RecordingInteraction::Event::kOkCancel));

  const MapDocument& d = editor.Document;
  EXPECT_EQ(d.MapName, "abc");  // as typed
  EXPECT_EQ(d.MapPath, Path("maps/abc.map"));
  EXPECT_EQ(d.HexNamesPath, Path("maps/abc.str"));
  EXPECT_EQ(d.HexNamesIndexPath, Path("maps/abc.ndx"));
  EXPECT_EQ(folder.ReadBytes("maps/abc.map").size(), 14u + 15 * 33 * 31 + 2 + 12 + 2 + 7);
  EXPECT_TRUE(FileExists(folder / "maps/abc.ctl"));
  EXPECT_TRUE(FileExists(folder / "maps/abc.bmp"));
  EXPECT_EQ(folder.ReadBytes("maps/abc.str"), Slot("Depot               "));
  EXPECT_EQ(folder.ReadBytes("maps/abc.ndx"), startIndex);

  // From now on names go into the new files only.
  ASSERT_TRUE(SetHexName(editor, 2, 2, "Camp"));
  EXPECT_EQ(folder.ReadBytes("maps/abc.str"), Slot("Depot               Camp                "));
  EXPECT_EQ(folder.ReadBytes("newmap.str"), Slot("Depot               "));
  EXPECT_EQ(folder.ReadBytes("newmap.ndx"), startIndex);
}

TEST_F(FileDialogTest, SaveModeWithNothingToWrite) {
  const std::string mapPath = editor.Document.MapPath;
  const std::string namesPath = editor.Document.HexNamesPath;
  // "Save" with an empty box empties MapName only; the caption keeps its name.
  ASSERT_TRUE(dialog.Open(kSaveMapAsMode));
  dialog.SetFileName("");
  EXPECT_TRUE(dialog.Save().Closes);
  EXPECT_EQ(editor.Document.MapName, "");
  EXPECT_EQ(editor.CaptionName, "newmap.map");
  EXPECT_EQ(editor.Document.MapPath, mapPath);
  EXPECT_FALSE(FileExists(mapPath));
  // "Load" in the save mode closes the dialog and keeps the hex-name files.
  ASSERT_TRUE(dialog.Open(kSaveMapAsMode));
  dialog.SetFileName("other");
  EXPECT_TRUE(dialog.Load().Closes);
  EXPECT_EQ(editor.Document.HexNamesPath, namesPath);
  EXPECT_TRUE(SetHexName(editor, 2, 2, "Kept"));
  EXPECT_EQ(folder.ReadBytes("newmap.str"), Slot("Kept                "));
}

TEST_F(FileDialogTest, ReplaceQuestionDecidesWhetherAnythingIsWritten) {
  struct Case {
    const char* what;
    bool answer;
    bool written;
  };
  const Case cases[] = {{"Cancel writes nothing", false, false},
                        {"OK replaces the file", true, true}};
  for (const Case& c : cases) {
    TempFolder maps;
    const Bytes old = VersionedMap(2, 2, 5, "default");
    maps.WriteBytes("abc.map", old);
    const std::string oldPath = editor.Document.MapPath;
    ui.Clear();
    ui.answers = {c.answer};
    ASSERT_TRUE(dialog.Open(kSaveMapAsMode));
    ASSERT_TRUE(dialog.ChangeFolder(maps.Path().string()));
    dialog.SetFileName("abc.map");
    EXPECT_TRUE(dialog.Save().Closes) << c.what;
    const std::string path = (maps / "abc.map").string();
    ASSERT_FALSE(ui.events.empty()) << c.what;
    EXPECT_EQ(ui.events[0].kind, RecordingInteraction::Event::kOkCancel) << c.what;
    EXPECT_EQ(ui.events[0].text, path + " already exists.\rDo you want to replace it ?");
    EXPECT_EQ(editor.Document.MapName, "abc.map") << c.what;  // the typed text either way
    if (c.written) {
      EXPECT_EQ(editor.Document.MapPath, path) << c.what;
      EXPECT_EQ(maps.ReadBytes("abc.map").size(), 14u + 15 * 33 * 31 + 2 + 12 + 2 + 7);
      EXPECT_TRUE(FileExists(maps / "abc.str")) << c.what;
    } else {
      EXPECT_EQ(editor.Document.MapPath, oldPath) << c.what;
      EXPECT_EQ(maps.ReadBytes("abc.map"), old) << c.what;
      EXPECT_FALSE(FileExists(maps / "abc.ctl")) << c.what;
      EXPECT_FALSE(FileExists(maps / "abc.str")) << c.what;
      EXPECT_FALSE(FileExists(maps / "abc.ndx")) << c.what;
    }
  }
}

TEST_F(FileDialogTest, NamesSurviveASaveAndLoadCycle) {
  ASSERT_TRUE(SetHexName(editor, 3, 4, "Ridge"));
  ASSERT_TRUE(SetHexName(editor, 32, 30, "Far corner"));
  ASSERT_TRUE(SetHexName(editor, 3, 4, "Ridge line"));
  ASSERT_TRUE(dialog.Open(kSaveMapAsMode));
  dialog.SetFileName("cycle");
  ASSERT_TRUE(dialog.Save().Closes);
  // A new map wipes the start-up files; the saved names stay with "cycle".
  std::string error;
  ASSERT_TRUE(NewMapDialog_OK(editor, "10", "10", error)) << error;
  EXPECT_EQ(GetHexName(editor, 3, 4), "");
  ASSERT_TRUE(LoadTyped("", "cycle").Closes);
  EXPECT_EQ(editor.Document.MapWidth, 32);
  EXPECT_EQ(GetHexName(editor, 3, 4), "Ridge line          ");
  EXPECT_EQ(GetHexName(editor, 32, 30), "Far corner          ");
  EXPECT_EQ(GetHexName(editor, 4, 3), "");
  EXPECT_EQ(folder.ReadBytes("cycle.str"), Slot("Ridge line          Far corner          "));
}

TEST_F(FileDialogTest, FileAndFolderLists) {
  folder.WriteText("maps/b.map", "x");
  folder.WriteText("maps/A.MAP", "x");
  folder.WriteText("maps/c.txt", "x");
  folder.WriteText("maps/d.map.bak", "x");
  folder.WriteText("maps/nations.txt", "x");
  EnsureFolder(folder / "maps/Zulu");
  EnsureFolder(folder / "maps/alpha");
  EnsureFolder(folder / "maps/.hidden");
  ASSERT_TRUE(dialog.Open(kOpenMapMode));
  EXPECT_EQ(dialog.Folder(), folder.Path().string());
  EXPECT_EQ(dialog.State().FileDialogExtension, ".map");
  EXPECT_TRUE(dialog.LoadEnabled());
  EXPECT_FALSE(dialog.SaveEnabled());
  ASSERT_TRUE(dialog.EnterSubfolder("maps"));
  EXPECT_EQ(dialog.Files(), (std::vector<std::string>{"A.MAP", "b.map"}));
  EXPECT_EQ(dialog.Subfolders(), (std::vector<std::string>{"alpha", "Zulu"}));
  EXPECT_EQ(dialog.State().FileDialogFolder, Path("maps"));
  dialog.ClickFile("b.map");
  EXPECT_EQ(dialog.FileName(), "b.map");
  EXPECT_FALSE(dialog.ChangeFolder(Path("maps/none")));
  EXPECT_EQ(dialog.Folder(), Path("maps"));
  // The folder is kept between uses.
  ASSERT_TRUE(dialog.Open(kNationSetMode));
  EXPECT_EQ(dialog.Folder(), Path("maps"));
  EXPECT_EQ(dialog.Files(), (std::vector<std::string>{"nations.txt"}));
  ASSERT_TRUE(dialog.EnterSubfolder(".."));
  EXPECT_EQ(dialog.Folder(), folder.Path().string());
  // The set import lists set files; the bitmap mode comes with the bitmap utility.
  folder.WriteText("game001.set", "");
  ASSERT_TRUE(dialog.Open(kImportSetMode));
  EXPECT_EQ(dialog.Files(), (std::vector<std::string>{"game001.set"}));
  EXPECT_FALSE(dialog.Open(kChooseBitmapMode));
}

TEST_F(FileDialogTest, NationSetMode) {
  folder.WriteText("other/nations/nations.txt", "2\r\n\"Ruritania\",3\r\n\"Freedonia\",5\r\n");
  folder.WriteText("other/nations/readme.txt", "not a list");
  TempFolder elsewhere;
  elsewhere.WriteText("faraway/nations/nations.txt", "1\r\n\"Nowhere\",1\r\n");
  struct Case {
    const char* what;
    std::string folder;
    std::string typed;
    std::vector<bool> answers;
    bool asked;
    bool erased;
    std::string setAfter;
    int nationsAfter;
    bool messaged;
  };
  const Case cases[] = {
      {"nations.txt, Yes",
       Path("other/nations"),
       "nations.txt",
       {true},
       true,
       true,
       "other",
       2,
       false},
      {"nations.txt, No",
       Path("other/nations"),
       "nations.txt",
       {false},
       true,
       false,
       "default",
       3,
       false},
      {"another file, Yes",
       Path("other/nations"),
       "readme.txt",
       {true},
       true,
       true,
       "default",
       3,
       false},
      {"another file, No",
       Path("other/nations"),
       "readme.txt",
       {false},
       true,
       false,
       "default",
       3,
       false},
      {"a set the editor's folder lacks",
       (elsewhere / "faraway/nations").string(),
       "nations.txt",
       {true},
       false,
       false,
       "default",
       3,
       true},
  };
  for (const Case& c : cases) {
    std::string error;
    ASSERT_TRUE(StartUp(editor, error)) << error;
    MapDocument& d = editor.Document;
    d.Owner(4, 5) = 2;
    d.Mark(4, 5) = kPrimaryObjective;
    ui.Clear();
    ui.answers = c.answers;
    ASSERT_TRUE(dialog.Open(kNationSetMode));
    ASSERT_TRUE(dialog.ChangeFolder(c.folder)) << c.what;
    dialog.SetFileName(c.typed);
    const FileDialogOutcome outcome = dialog.Load();
    EXPECT_EQ(Asked(RecordingInteraction::Event::kYesNo), c.asked) << c.what;
    if (c.asked) {
      EXPECT_EQ(ui.events[0].text, "This will erase all control flags. Continue ?");
    }
    EXPECT_EQ(d.Owner(4, 5), c.erased ? 0 : 2) << c.what;
    EXPECT_EQ(d.Mark(4, 5), c.erased ? 0 : kPrimaryObjective) << c.what;
    EXPECT_EQ(d.HexControl.size(), 2u * 33 * 31) << c.what;
    EXPECT_EQ(d.NationSetName, c.setAfter) << c.what;
    EXPECT_EQ(editor.Nations.NationCount, c.nationsAfter) << c.what;
    EXPECT_EQ(!ui.Messages().empty(), c.messaged) << c.what;
    EXPECT_EQ(outcome.MapReplaced, c.erased) << c.what;
    EXPECT_EQ(outcome.NationSetChanged, c.setAfter != "default") << c.what;
    EXPECT_EQ(outcome.Closes, c.asked) << c.what;
    if (c.erased) {
      // The folder list goes home; the remembered folder stays.
      EXPECT_EQ(dialog.Folder(), folder.Path().string()) << c.what;
      EXPECT_EQ(dialog.State().FileDialogFolder, c.folder) << c.what;
    }
  }
  EXPECT_EQ(editor.Nations.NationNames.size(), 4u);
}

TEST_F(FileDialogTest, SwitchedNationSetNamesItsNations) {
  folder.WriteText("other/nations/nations.txt", "2\r\n\"Ruritania\",3\r\n\"Freedonia\",5\r\n");
  ui.answers = {true};
  ASSERT_TRUE(dialog.Open(kNationSetMode));
  ASSERT_TRUE(dialog.ChangeFolder(Path("other/nations")));
  dialog.SetFileName("nations.txt");
  ASSERT_TRUE(dialog.Load().NationSetChanged);
  EXPECT_EQ(editor.Nations.NationNames, (std::vector<std::string>{"", "Ruritania", "Freedonia"}));
  EXPECT_EQ(editor.Nations.NationOrder, (std::vector<int16_t>{0, 2, 1}));
}

TEST(NationSetNameFromFolder, TextBetweenTheLastTwoSeparators) {
  const std::pair<const char*, const char*> cases[] = {
      {"/game/default/nations", "default"},
      {"/game/default/nations/", "default"},
      {"C:\\game\\ww2\\nations", "ww2"},
      {"/game/sets/modern/nations", "modern"},
      {"/nations", ""},
      {"nations", ""},
      {"", ""},
  };
  for (auto [folder, name] : cases) EXPECT_EQ(NationSetNameFromFolder(folder), name) << folder;
}

TEST(ShowsAsDrive, PseudoFileSystemsAndSystemFoldersAreLeftOut) {
  struct Case {
    const char* type;
    const char* root;
    bool shown;
  };
  const Case cases[] = {
      {"ext4", "/", true},
      {"overlay", "/", true},
      {"ext4", "/home", true},
      {"vfat", "/media/usb", true},
      {"tmpfs", "/tmp", true},
      {"NTFS", "C:/", true},
      {"proc", "/proc", false},
      {"sysfs", "/sys", false},
      {"cgroup2", "/sys/fs/cgroup", false},
      {"devtmpfs", "/dev", false},
      {"tmpfs", "/dev/shm", false},
      {"tmpfs", "/run/user/1000", false},
      {"tmpfs", "/run", false},
      {"mqueue", "/dev/mqueue", false},
      {"ext4", "/runner", true},
      {"ext4", "", false},
  };
  for (const Case& c : cases) EXPECT_EQ(ShowsAsDrive(c.type, c.root), c.shown) << c.root;
}

TEST_F(FileDialogTest, NewMapDialogSizes) {
  struct Case {
    const char* width;
    const char* height;
    bool made;
    int madeWidth, madeHeight;
    const char* says;  // for a refusal
  };
  const Case cases[] = {
      {"40", "25", true, 40, 25, ""},
      {" 12.5 ", "13.5", true, 12, 14, ""},  // halves to even
      {"1", "1", true, 1, 1, ""},
      {"3999", "2", true, 3999, 2, ""},
      {"0", "32", false, 0, 0, "width 0"},
      {"32", "0", false, 0, 0, "height 0"},
      {"0.4", "32", false, 0, 0, "width 0"},
      {"-1", "32", false, 0, 0, "negative"},
      {"32", "-40", false, 0, 0, "negative"},
      {"4000", "32", false, 0, 0, "limit"},
      {"32", "99999999999", false, 0, 0, "limit"},
      {"abc", "32", false, 0, 0, "\"abc\" is not a number"},
      {"", "32", false, 0, 0, "is not a number"},
      {"32", "12abc", false, 0, 0, "\"12abc\" is not a number"},
      {"1e3", "32", false, 0, 0, "is not a number"},
  };
  for (const Case& c : cases) {
    std::string error;
    ASSERT_TRUE(StartUp(editor, error)) << error;
    ASSERT_TRUE(SetHexName(editor, 1, 1, "Gone after OK"));
    const MapDocument before = editor.Document;
    ui.Clear();
    const bool made = NewMapDialog_OK(editor, c.width, c.height, error);
    ASSERT_EQ(made, c.made) << c.width << " x " << c.height << ": " << error;
    const MapDocument& d = editor.Document;
    if (made) {
      EXPECT_EQ(d.MapWidth, c.madeWidth);
      EXPECT_EQ(d.MapHeight, c.madeHeight);
      EXPECT_EQ(d.MapName, "newmap.map");
      EXPECT_EQ(d.MapPath, Path("newmap.map"));
      EXPECT_EQ(d.HexTile.size(), static_cast<size_t>((c.madeWidth + 1) * (c.madeHeight + 1)));
      EXPECT_EQ(FileLength(folder / "newmap.ndx"), 4 * (c.madeWidth + 1) * (c.madeHeight + 1));
      EXPECT_EQ(FileLength(folder / "newmap.str"), 0);
      EXPECT_EQ(GetHexName(editor, 1, 1), "");
    } else {
      EXPECT_NE(error.find(c.says), std::string::npos) << error;
      EXPECT_EQ(d.MapWidth, before.MapWidth) << c.width;
      EXPECT_EQ(d.MapHeight, before.MapHeight) << c.width;
      EXPECT_EQ(d.HexTile, before.HexTile) << c.width;
      EXPECT_EQ(d.MapPath, before.MapPath) << c.width;
      EXPECT_EQ(GetHexName(editor, 1, 1), "Gone after OK       ") << c.width;
    }
    EXPECT_TRUE(ui.Messages().empty()) << c.width;
  }
}

}  // namespace
}  // namespace korv
