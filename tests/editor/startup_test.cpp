#include "editor/startup.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <tuple>

#include "editing/commands.h"
#include "editing/editing.h"
#include "editing/file_dialog.h"
#include "support/builders.h"
#include "support/editor_fixture.h"

namespace korv {
namespace {

using test::TempFolder;
namespace fs = std::filesystem;

// Every folder and file below `root` with its bytes (folders have none).
std::map<std::string, std::vector<uint8_t>> Tree(const fs::path& root) {
  std::map<std::string, std::vector<uint8_t>> tree;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const std::string name = entry.path().lexically_relative(root).generic_string();
    tree[name] = entry.is_regular_file() ? *ReadWholeFile(entry.path()) : std::vector<uint8_t>{};
  }
  return tree;
}

TEST(ReadHexInfo, SizesReadRoundedAndTheStepsFromThem) {
  TempFolder folder;
  folder.WriteText("DATA/Hex_Info.TXT", "\"Width\",71.5\r\n\"Height\",40.4\r\n\"Flat\",30\r\n");
  const HexGeometry g = ReadHexInfo(folder.Game());
  EXPECT_EQ(std::tuple(g.HexPixelWidth, g.HexPixelHeight, g.HexFlatWidth), std::tuple(72, 40, 30));
  EXPECT_EQ(g.ColumnStep, 51);  // derived from the sizes read
}

TEST(ReadFlagOffsets, DefaultsAndFileValues) {
  TempFolder folder;
  EditorSettings settings;
  settings.FlagOffsetX = 1;
  ReadFlagOffsets(settings, folder.Game());
  EXPECT_EQ(settings.FlagOffsetX, 20);
  EXPECT_EQ(settings.FlagOffsetY, 30);
  folder.WriteText("flags.xy", "17,\r\n260\r\n");  // stored as bytes: 260 -> 4
  ReadFlagOffsets(settings, folder.Game());
  EXPECT_EQ(settings.FlagOffsetX, 17);
  EXPECT_EQ(settings.FlagOffsetY, 4);
}

// The default tile is 14 (tile 15 is the last clear tile, but has a road).
// Its random variants 5, 7 and 9: the read-only start-up below.
TEST(StartUp, WithoutRandomVariantsTheDefaultTileFillsTheMap) {
  test::MiniGame game = test::DefaultMiniGame();
  game.randomFlags.assign(32, 0);
  test::EditorOnMiniGame world(game);
  const MapDocument& d = world.editor.Document;
  for (int x = 0; x <= 32; ++x) {
    for (int y = 0; y <= 30; ++y) {
      ASSERT_EQ(d.Tile(x, y), 14);
      ASSERT_EQ(d.Terrain(x, y), 1);
    }
  }
  EXPECT_EQ(world.editor.CurrentTile, 14);
  // Without a clear tile lacking a road the tile stays 0 (sea) everywhere.
  for (uint8_t& terrain : game.tileTerrain) terrain = terrain == 1 ? 3 : terrain;
  test::EditorOnMiniGame noClear(game);
  EXPECT_EQ(noClear.editor.CurrentTile, 0);
  EXPECT_EQ(noClear.editor.Document.Tile(32, 30), 0);
}

TEST(StartUp, AMissingOrBrokenTileSheetStopsWithItsName) {
  TempFolder folder;
  RecordingInteraction ui;
  SeededRandom random{3};
  Editor editor{folder.Game(), ui, random};
  std::string error;
  EXPECT_FALSE(StartUp(editor, error));
  EXPECT_NE(error.find("mapl.bmp"), std::string::npos);
  EXPECT_NE(error.find("does not exist"), std::string::npos);

  std::vector<uint8_t> sheet = Picture(120, 50).EncodeBmp();
  sheet.resize(sheet.size() / 2);  // its top rows are missing
  folder.WriteBytes("bmp/mapl.bmp", sheet);
  EXPECT_FALSE(StartUp(editor, error));
  EXPECT_NE(error.find("mapl.bmp cannot be loaded: it is cut short"), std::string::npos) << error;

  Picture small(59, 50);
  ASSERT_TRUE(small.SaveBmp(folder / "bmp/mapl.bmp"));
  EXPECT_FALSE(StartUp(editor, error));
  EXPECT_NE(error.find("smaller than one tile"), std::string::npos) << error;
  // A sheet of one tile holds tile 0 alone.
  ASSERT_TRUE(Picture(60, 50).SaveBmp(folder / "bmp/mapl.bmp"));
  EXPECT_TRUE(StartUp(editor, error)) << error;
  EXPECT_EQ(editor.Tiles.TileCount, 0);

  folder.WriteText("data/hex_info.txt", "w,0\r\nh,50\r\nf,30\r\n");
  EXPECT_FALSE(StartUp(editor, error));
  EXPECT_NE(error.find("hex_info.txt"), std::string::npos) << error;
}

TEST(StartUp, AFolderTheUserCannotWriteIsOpenedReadOnlyWithOneMessage) {
  TempFolder folder;
  test::WriteMiniGame(folder, test::DefaultMiniGame());
  folder.WriteBytes("maps/own.map", test::VersionedMapBytes(569, 4, 3));
  const auto before = Tree(folder.Path());
  // As for a user without write permission: nothing can be made below the folder.
  const std::string root = folder.Path().string();
  SetWriteFaultHook([&](const fs::path& to, WriteStage) { return to.string().starts_with(root); });
  const std::unique_ptr<void, void (*)(void*)> unhook(&folder,
                                                      [](void*) { SetWriteFaultHook({}); });
  RecordingInteraction ui;
  SeededRandom random{5};
  MapEditor session{folder.Game(), ui, random};
  std::string error;
  ASSERT_TRUE(StartMapEditor(session, error)) << error;
  EXPECT_TRUE(session.editor.FolderReadOnly);
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_NE(ui.Messages()[0].find(root + ", so it is opened read-only"), std::string::npos);
  // The start-up map has its random variants all the same, from lists kept in memory.
  std::set<int16_t> tiles;
  for (int x = 0; x <= 32; ++x) tiles.insert(session.editor.Document.Tile(x, 30));
  EXPECT_EQ(tiles, (std::set<int16_t>{5, 7, 9}));
  // A map there opens without hex-name files, painting learns nothing, and
  // "Save" asks for another place.
  ASSERT_TRUE(OpenMapFile(session, (folder / "maps/own.map").string()));
  session.editor.CurrentTile = 20;
  PaintHex(session, 3, 2);
  EXPECT_EQ(session.editor.Document.Tile(3, 2), 20);
  const CommandOutcome outcome = RunCommand(session, *FindCommand("save-map"));
  EXPECT_EQ(outcome.window, CommandOutcome::Window::kFileDialog);
  EXPECT_EQ(outcome.fileDialogMode, kSaveMapAsMode);
  EXPECT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(Tree(folder.Path()), before);
}

TEST(UserDemoFolder, CopiedOnceWritableAndOnlyWhenComplete) {
  TempFolder root;
  root.WriteBytes("installed/bmp/mapl.bmp", {1, 2});
  root.WriteText("installed/maps/sample.map", "sample");
  EnsureFolder(root / "installed/mapedit/roadpatterns");
  for (const char* file : {"installed/bmp/mapl.bmp", "installed/maps/sample.map"}) {
    fs::permissions(root / file, fs::perms::owner_read | fs::perms::group_read);
  }
  fs::permissions(root / "installed/maps", fs::perms::owner_read | fs::perms::owner_exec);
  const fs::path copy = root / "home/.local/share/korv/demo-game";
  // A copy broken off last time is thrown away and made again.
  root.WriteText("home/.local/share/korv/demo-game.partial/bmp/leftover", "x");

  std::string error;
  EXPECT_EQ(UserDemoFolder(root / "installed", copy, error), copy) << error;
  EXPECT_EQ(Tree(copy), Tree(root / "installed"));
  EXPECT_FALSE(fs::exists(root / "home/.local/share/korv/demo-game.partial"));
  for (const char* name : {"maps", "maps/sample.map", "bmp/mapl.bmp"}) {
    EXPECT_NE(fs::status(copy / name).permissions() & fs::perms::owner_write, fs::perms::none)
        << name;
  }
  // Made once: the user's work in it stays.
  root.WriteText("home/.local/share/korv/demo-game/maps/sample.map", "mine");
  EXPECT_EQ(UserDemoFolder(root / "installed", copy, error), copy);
  EXPECT_EQ(root.ReadText("home/.local/share/korv/demo-game/maps/sample.map"), "mine");

  // Something else of that name is left alone; no installed demo, no copy.
  const fs::path other = root / "other";
  root.WriteText("other/notes.txt", "keep");
  error.clear();
  EXPECT_EQ(UserDemoFolder(root / "installed", other, error), std::nullopt);
  EXPECT_NE(error.find(other.string()), std::string::npos) << error;
  EXPECT_EQ(root.ReadText("other/notes.txt"), "keep");
  error.clear();
  EXPECT_EQ(UserDemoFolder(root / "missing", root / "fresh", error), std::nullopt);
  EXPECT_NE(error.find("missing"), std::string::npos) << error;
  EXPECT_FALSE(fs::exists(root / "fresh"));
  fs::permissions(root / "installed/maps", fs::perms::owner_all);
}

TEST(FindGameFolder, TheFirstFolderWithATileSheetInOrder) {
  TempFolder root;
  const auto folder = [&](const std::string& name) { return root / name; };
  EnsureFolder(folder("empty"));
  root.WriteBytes("windows/BMP/MAPL.BMP", {1});  // a folder copied from Windows
  root.WriteBytes("second/bmp/mapl.bmp", {1});
  EnsureFolder(folder("sheet-is-a-folder/bmp/mapl.bmp"));
  const std::vector<std::filesystem::path> candidates = {
      folder("missing"), folder("empty"), folder("sheet-is-a-folder"), "",
      folder("windows"), folder("second")};
  EXPECT_EQ(FindGameFolder(candidates), folder("windows"));
  EXPECT_EQ(FindGameFolder(std::span(candidates).first(4)), std::nullopt);
  EXPECT_EQ(FindGameFolder(std::span(candidates).last(1)), folder("second"));
}

}  // namespace
}  // namespace korv
