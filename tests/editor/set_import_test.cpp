#include "editor/set_import.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <set>

#include "editor/map_io.h"
#include "support/builders.h"
#include "support/editor_fixture.h"
#include "support/kept.h"

namespace korv {
namespace {

using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;

using test::EquipmentFileBytes;
using test::ScenarioFileBytes;
using test::ScenarioValues;
using test::SetFileBytes;
using test::SetValues;

constexpr int kTiles = 320;  // a sheet of 20 rows: tiles 0..319

// Terrain of each tile of the test sheet: the mini game's 0..31 (sea, clear,
// forest, hills), then terrain 7 for every tile above 31.
uint8_t TerrainOfTile(int tile) {
  if (tile < 4) return 0;
  if (tile < 16) return 1;
  if (tile < 24) return 8;
  if (tile < 32) return 3;
  return 7;
}

test::MiniGame GameOf320Tiles() {
  test::MiniGame game = test::DefaultMiniGame();
  game.sheetRows = kTiles / 16;
  game.tileTerrain.resize(kTiles);
  for (int t = 0; t < kTiles; ++t) game.tileTerrain[static_cast<size_t>(t)] = TerrainOfTile(t);
  game.roadInfo.resize(static_cast<size_t>(kTiles) * 6, 0);
  game.randomFlags.resize(kTiles, 0);
  return game;
}

// An editor started on a game folder with a 320-tile sheet, the nations
// Zeta (1), alpha (2) and Beta (3), a map-name file and an equipment file;
// the set file and its scenario go to sets/.
struct ImportWorld : test::EditorOnMiniGame {
  ImportWorld() : EditorOnMiniGame(GameOf320Tiles()) {
    folder.WriteBytes("brak_files/mapnames.str", test::MapNamesBytes({"", "Harbour", "Old Mill"}));
    folder.WriteBytes("data/brakequp.eqp",
                      EquipmentFileBytes({"Rifle Brigade", "Light Tank", "Field Gun"}));
  }
  void Write(const SetValues& set, const ScenarioValues& scenario = {},
             const std::string& name = "sets/game005") {
    folder.WriteBytes(name + ".set", SetFileBytes(set));
    folder.WriteBytes(name + ".scn", ScenarioFileBytes(scenario));
  }
  bool Import(const std::string& name = "sets/game005.set") {
    return ImportSetFile(editor, Path(name));
  }
};

class SetImportTest : public ::testing::Test, public ImportWorld {};

// Road bytes of a set and the sides they open: 137 = 128 + 8 + 1; bits 64
// and 4 open nothing on their own.
const std::pair<int, std::string_view> kRoadBits[] = {
    {137, "145"}, {128, "4"}, {32, "3"}, {16, "2"}, {8, "1"},       {6, "6"},
    {65, "5"},    {64, ""},   {4, ""},   {0, ""},   {191, "123456"}};

TEST_F(SetImportTest, SetColumnXBecomesEditorColumnXPlusOneAndColumnZeroRepeatsColumnZero) {
  SetValues set{.a = 5, .b = 4};
  set.tile = [](int x, int y) { return (61 * x + 37 * y + 4) % kTiles; };     // some above 255
  set.road = [](int x, int y) { return kRoadBits[(x + 2 * y) % 11].first; };  // every byte
  set.owner = [](int x, int) { return x == 0 ? 2 : 0; };
  Write(set);
  ASSERT_TRUE(Import());
  const MapDocument& d = editor.Document;
  EXPECT_EQ(d.MapWidth, 6);
  EXPECT_EQ(d.MapHeight, 4);
  for (int y = 0; y <= 4; ++y) {
    for (int column = 0; column <= 6; ++column) {
      const int x = column == 0 ? 0 : column - 1;  // the set column shown there
      const int tile = set.tile(x, y);
      ASSERT_EQ(d.Tile(column, y), tile) << column << "," << y;
      ASSERT_EQ(d.Terrain(column, y), TerrainOfTile(tile)) << column << "," << y;
      const std::string_view sides = kRoadBits[(x + 2 * y) % 11].second;
      for (char side = '1'; side <= '6'; ++side) {
        ASSERT_EQ(d.Data(column, y, side - '0'), sides.find(side) != sides.npos) << column << y;
      }
      // Owners are not repeated in column 0; owned hexes are secondary objectives.
      ASSERT_EQ(d.Owner(column, y), column == 1 ? 2 : 0) << column << "," << y;
      ASSERT_EQ(d.Mark(column, y), column == 1 ? kSecondaryObjective : kNoObjective);
    }
  }
  // The objective list follows, column by column.
  ASSERT_EQ(d.ObjectiveCount, 5);
  EXPECT_EQ(d.Objective(5, kObjectiveX), 1);
  EXPECT_EQ(d.Objective(5, kObjectiveY), 4);
  EXPECT_EQ(d.Objective(5, kObjectiveOwner), 2);
}

TEST_F(SetImportTest, DeploymentHexesGoToTheFirstNationOfSide1AndOwnedVictoryHexesArePrimary) {
  SetValues set{.a = 3, .b = 2};
  set.owner = [](int x, int y) { return x == 1 && y == 1 ? 2 : 0; };
  ScenarioValues scenario;
  scenario.side1 = {3, 1, 0, 0, 0, 0};
  scenario.deployment = {{0, 0}, {3, 2}, {1, 1}};
  scenario.victory = {{1, 1}, {0, 2}};
  Write(set, scenario);
  ASSERT_TRUE(Import());
  const MapDocument& d = editor.Document;
  const std::set<std::pair<int, int>> deployed = {{1, 0}, {4, 2}, {2, 1}};
  for (int y = 0; y <= d.MapHeight; ++y)
    for (int x = 0; x <= d.MapWidth; ++x)
      EXPECT_EQ(d.HexDeployment[d.Index(x, y)], deployed.count({x, y}) ? 3 : 0) << x << "," << y;
  EXPECT_EQ(d.Mark(2, 1), kPrimaryObjective);
  // (0, 2) of the set is (1, 2) in the editor; nobody owns it.
  EXPECT_EQ(d.Mark(1, 2), kNoObjective);
  EXPECT_THAT(ui.Messages(), ElementsAre(HasSubstr("victory hexes that nobody owns: (1, 2)")));
}

// A missing map-name file is only noted.
TEST_F(SetImportTest, TheMapIsNewmapAndItsOrderOfBattleWaitsInTheEditorsFolder) {
  std::filesystem::remove(folder / "brak_files/mapnames.str");
  ScenarioValues scenario;
  scenario.side1 = {1, 0, 0, 0, 0, 0};
  scenario.side2 = {3, 2, 0, 0, 0, 0};
  folder.WriteText("game005.oob", "an order of battle of an earlier import");
  folder.WriteText("game005.dep", "a deployment file of an earlier import");
  Write({.a = 3, .b = 2}, scenario);
  ASSERT_TRUE(Import());
  EXPECT_EQ(ui.Messages(),
            std::vector<std::string>{Path("brak_files/mapnames.str") + " not found."});
  EXPECT_EQ(editor.Document.MapName, "");
  EXPECT_EQ(editor.Document.MapPath, Path("newmap.map"));
  EXPECT_EQ(editor.ImportedSet.ImportedSetPath, Path("sets/game005.set"));
  EXPECT_EQ(editor.ImportedSet.ImportedOobPath, Path("game005.oob"));
  // The text names the sides by the game's nations; korvmap import-set checks a unit line.
  const std::string text = folder.ReadText("game005.oob");
  EXPECT_THAT(text, HasSubstr("* sequence/side names\rZeta\r\nBeta\r\n"));
  EXPECT_EQ(editor.ImportedSet.OrderOfBattleText, text);
  EXPECT_FALSE(FileExists(folder / "game005.dep"));
}

// "Save" after an import whose order of battle waits as game005.oob in the
// editor's folder.
TEST(WriteScenarioFiles, PutsTheOrderOfBattleBesideTheMapWithoutLosingOne) {
  const std::string oob = "* number of sequences or sides\r2\r\n...";
  struct Case {
    const char* name;
    std::function<void(test::EditorOnMiniGame&)> change;
    std::string oobFile, scenarioFile;  // where "Save" puts them
    bool saved;
    std::optional<std::string> oobAfter;  // the text at oobFile afterwards; none: no file
    bool copyKept, scenarioWritten, asked;
  };
  const auto existing = [](bool replace) {
    return [replace](test::EditorOnMiniGame& w) {
      w.folder.WriteText("abc.oob", "older");
      w.ui.answers = {replace};
    };
  };
  const Case cases[] = {
      {"Cancel keeps an existing file", existing(false), "abc.oob", "abc.scn", true, "older", false,
       true, true},
      {"OK replaces it", existing(true), "abc.oob", "abc.scn", true, oob, false, true, true},
      {"saved beside the editor's copy",
       [](test::EditorOnMiniGame& w) { w.editor.Document.MapName = "game005"; }, "game005.oob",
       "game005.scn", true, oob, true, true, false},
      {"a failed write keeps the import", [](test::EditorOnMiniGame&) {}, "no/such/folder/abc.oob",
       "abc.scn", false, std::nullopt, true, false, false},
      {"no import", [](test::EditorOnMiniGame& w) { w.editor.ImportedSet = {}; }, "abc.oob",
       "abc.scn", true, std::nullopt, true, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::EditorOnMiniGame w;
    w.editor.Document.MapName = "abc";
    w.folder.WriteText("game005.oob", oob);
    w.editor.ImportedSet = {"/sets/game005.set", w.Path("game005.oob"), "the kept copy"};
    c.change(w);
    const bool hadImport = w.editor.ImportedSet.Pending();
    EXPECT_EQ(WriteScenarioFiles(w.editor, w.Path(c.oobFile), w.Path(c.scenarioFile)), c.saved);
    if (c.oobAfter) {
      EXPECT_EQ(w.folder.ReadText(c.oobFile), *c.oobAfter);
    } else {
      EXPECT_FALSE(FileExists(w.folder / c.oobFile));
    }
    EXPECT_EQ(FileExists(w.folder / "game005.oob"), c.copyKept);
    if (c.scenarioWritten) {
      EXPECT_EQ(w.folder.ReadText(c.scenarioFile), ScenarioText(w.editor.Document.MapName));
    } else {
      EXPECT_FALSE(FileExists(w.folder / c.scenarioFile));
    }
    EXPECT_EQ(w.editor.ImportedSet.Pending(), hadImport && !c.saved);
    if (c.asked) {
      ASSERT_EQ(w.ui.events.size(), 1u);
      EXPECT_EQ(w.ui.events[0].kind, RecordingInteraction::Event::kOkCancel);
    } else if (c.saved) {
      EXPECT_TRUE(w.ui.events.empty());
    } else {
      EXPECT_THAT(w.ui.Messages(), ElementsAre(HasSubstr(w.Path(c.oobFile))));
    }
  }
}

// Bytes of a 4 x 3 set (A = 3, B = 2) with `tile` at set hex (x, y) and tile 5 elsewhere.
std::vector<uint8_t> SetWithTile(int x, int y, int tile) {
  SetValues set{.a = 3, .b = 2};
  set.tile = [=](int hx, int hy) { return hx == x && hy == y ? tile : 5; };
  return SetFileBytes(set);
}

// A set file that cannot be used: the open map, its names, the import state
// and the editor's files stay as they were, and one message names the file
// and the fault.
TEST(SetImport, ARefusedSetFileChangesNothing) {
  const std::vector<uint8_t> sound = SetFileBytes({.a = 3, .b = 2});
  const auto cut = [&sound](size_t length) {
    std::vector<uint8_t> bytes = sound;
    bytes.resize(length);
    return bytes;
  };
  test::ByteBuilder large;  // A = B = 3000 in a file of 200 bytes
  large.PadTo(101);
  large.I16(3000);
  large.I16(3000);
  large.PadTo(200);
  struct Case {
    const char* file;
    std::vector<uint8_t> bytes;
    std::string fault;
  };
  const Case cases[] = {
      {"game005.map", sound, "its name \"game005.map\" does not end in \"set\""},
      {"Set", sound, "its name \"Set\" is shorter than six characters"},
      {"game005.set", cut(122), "it is 122 bytes long, shorter than the 123 bytes of its header"},
      {"game005.set", SetFileBytes({.a = -1, .b = 2}),
       "it gives A = -1 as its highest column, which is negative"},
      {"game005.set", SetFileBytes({.a = 3999, .b = 0}),
       "it gives A = 3999 as its highest column, but the editor's maps end at column 3999 and "
       "the import adds a column, so A can be at most 3998"},
      {"game005.set", SetFileBytes({.a = 0, .b = 4000}),
       "it gives B = 4000 as its highest row, but the editor's maps end at row 3999"},
      {"game005.set", large.bytes,
       "it is 200 bytes long, but the five blocks of a set of 3001 x 3001 hexes end at byte "
       "63042130: the file is cut short"},
      {"game005.set", cut(sound.size() - 1),
       "it is 206 bytes long, but the five blocks of a set of 4 x 3 hexes end at byte 207"},
      {"game005.set", SetWithTile(1, 2, 320),
       "it gives hex (1, 2) (column 2 in the editor) tile number 320, but the tile sheet has "
       "tiles 0 to 319"},
      {"game005.set", SetWithTile(3, 0, 0xffff), "tile number -1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fault);
    ImportWorld w;
    const std::string file = "sets/" + std::string(c.file);
    w.folder.WriteText("game005.dep", "deployment");
    w.folder.WriteBytes(file, c.bytes);
    w.folder.WriteBytes("sets/game005.scn", ScenarioFileBytes({}));
    const test::Kept kept(w.editor.Document, {w.folder / "game005.dep", w.folder / "game005.oob",
                                              w.folder / "newmap.ndx", w.folder / "newmap.str"});
    EXPECT_FALSE(w.Import(file));
    EXPECT_THAT(
        w.ui.Messages(),
        ElementsAre(AllOf(StartsWith("The set file " + w.Path(file) + " was not imported: "),
                          HasSubstr(c.fault), EndsWith(". The open map is unchanged."))));
    EXPECT_EQ(kept.Changes(w.editor.Document), "");
    EXPECT_FALSE(w.editor.ImportedSet.Pending());
  }
}

// The last row a set may reach is the editor's last, 3999.
TEST_F(SetImportTest, ASetReachingTheLastRowComesIn) {
  Write({.a = 0, .b = 3999});
  ASSERT_TRUE(Import()) << ::testing::PrintToString(ui.Messages());
  EXPECT_EQ(editor.Document.MapHeight, 3999);
}

// A scenario part that cannot be read whole: the map comes in without it, in
// one message that lists every problem with its file, and no import is left
// for "Save" to write. The deployment hexes come in when the scenario file is
// sound and all its hexes lie on the set, whatever became of the equipment.
TEST(SetImport, AnIncompleteScenarioPartLeavesTheMapWithoutItsScenario) {
  // Side 1 begins with Beta (3); one deployment hex at (1, 1).
  const auto scenario = [](std::function<void(ScenarioValues&)> change) {
    return [change](ImportWorld& w) {
      ScenarioValues values;
      values.side1 = {3, 1, 0, 0, 0, 0};
      values.deployment = {{1, 1}};
      change(values);
      w.folder.WriteBytes("sets/game005.scn", ScenarioFileBytes(values));
    };
  };
  const auto noScenario = [](ImportWorld& w) {
    std::filesystem::remove(w.folder / "sets/game005.scn");
  };
  const auto noEquipment = [](ImportWorld& w) {
    std::filesystem::remove(w.folder / "data/brakequp.eqp");
  };
  struct Case {
    const char* name;
    std::function<void(ImportWorld&)> change;
    std::string fault;  // "@" stands for the game folder
    int deployed;       // at set hex (1, 1)
  };
  const Case cases[] = {
      {"no equipment file", noEquipment, "the equipment file @/data/brakequp.eqp does not exist",
       3},
      {"both files wrong",
       [&noScenario](ImportWorld& w) {
         noScenario(w);
         w.folder.WriteBytes("data/brakequp.eqp", EquipmentFileBytes({"A"}, 5));
       },
       "\n- its scenario file @/sets/game005.scn does not exist.\n- the equipment file "
       "@/data/brakequp.eqp announces 5 records but holds only 2 whole.",
       0},
      {"a scenario file cut short",
       [](ImportWorld& w) { w.folder.WriteBytes("sets/game005.scn", std::vector<uint8_t>(100)); },
       "its scenario file @/sets/game005.scn is 100 bytes long", 0},
      {"a deployment hex beyond the last column", scenario([](ScenarioValues& s) {
         s.deployment.push_back({4, 0});
       }),
       "its scenario file @/sets/game005.scn gives deployment hex 2 at (4, 0), outside the set's "
       "columns 0 to 3 and rows 0 to 2",
       0},
      {"a deployment hex left of the first column",
       scenario([](ScenarioValues& s) { s.deployment[0].first = -1; }),
       "gives deployment hex 1 at (-1, 1)", 0},
      {"a victory hex below the last row", scenario([](ScenarioValues& s) {
         s.victory.push_back({0, 3});
       }),
       "gives victory hex 1 at (0, 3)", 0},
      {"a nation the nation set does not have", scenario([](ScenarioValues& s) { s.side2[0] = 4; }),
       "the scenario file @/sets/game005.scn gives side 2 nation 4 in slot 1, but the nation set "
       "holds nations 1 to 3",
       3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ImportWorld w;
    w.Write({.a = 3, .b = 2});
    scenario([](ScenarioValues&) {})(w);
    c.change(w);
    ASSERT_TRUE(w.Import());
    EXPECT_EQ(w.editor.Document.MapWidth, 4);
    EXPECT_EQ(w.editor.Document.Deployment(2, 1), c.deployed);
    EXPECT_FALSE(w.editor.ImportedSet.Pending());
    EXPECT_FALSE(FileExists(w.folder / "game005.oob"));
    std::string fault = c.fault;
    for (size_t at = fault.find('@'); at != std::string::npos; at = fault.find('@'))
      fault.replace(at, 1, w.folder.Path().string());
    EXPECT_THAT(
        w.ui.Messages(),
        ElementsAre(AllOf(StartsWith("The map of the set file " + w.Path("sets/game005.set") +
                                     " was imported without its scenario"),
                          HasSubstr(fault))));
  }
}

}  // namespace
}  // namespace korv
