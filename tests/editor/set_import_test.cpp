#include "editor/set_import.h"

#include <gtest/gtest.h>

#include <set>

#include "document/hex_names.h"
#include "editor/map_io.h"
#include "editor/startup.h"
#include "platform/interaction.h"
#include "platform/random.h"
#include "support/builders.h"
#include "support/test_folder.h"

namespace korv {
namespace {

using test::EquipmentFileBytes;
using test::MapNamesBytes;
using test::ScenarioFileBytes;
using test::ScenarioValues;
using test::SetFileBytes;
using test::SetValues;
using test::TempFolder;

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

// The sides a test expects open: bit 1 << side.
uint8_t Sides(std::initializer_list<int> sides) {
  uint8_t bits = 0;
  for (int side : sides) bits = static_cast<uint8_t>(bits | (1 << side));
  return bits;
}

// An editor started on a game folder with a 320-tile sheet, the nations
// Zeta (1), alpha (2) and Beta (3), a map-name file and an equipment file;
// the set file and its scenario go to sets/.
class SetImportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::MiniGame game = test::DefaultMiniGame();
    game.sheetRows = kTiles / 16;
    game.tileTerrain.resize(kTiles);
    for (int t = 0; t < kTiles; ++t) game.tileTerrain[static_cast<size_t>(t)] = TerrainOfTile(t);
    game.roadInfo.resize(static_cast<size_t>(kTiles) * 6, 0);
    game.randomFlags.resize(kTiles, 0);
    test::WriteMiniGame(folder, game);
    folder.WriteBytes("brak_files/mapnames.str", MapNamesBytes({"", "Harbour", "Old Mill"}));
    folder.WriteBytes("data/brakequp.eqp",
                      EquipmentFileBytes({"Rifle Brigade", "Light Tank", "Field Gun"}));
    std::string error;
    ASSERT_TRUE(StartUp(editor, error)) << error;
    ui.Clear();
  }

  std::string Path(const std::string& name) const { return (folder / name).string(); }
  void Write(const SetValues& set, const ScenarioValues& scenario = {},
             const std::string& name = "sets/game005") {
    folder.WriteBytes(name + ".set", SetFileBytes(set));
    folder.WriteBytes(name + ".scn", ScenarioFileBytes(scenario));
  }
  bool Import(const std::string& name = "sets/game005.set") {
    return ImportSetFile(editor, Path(name));
  }

  TempFolder folder;
  RecordingInteraction ui;
  SeededRandom random{3};
  Editor editor{folder.Game(), ui, random};
};

TEST_F(SetImportTest, ASetOf39By29GivesAMapOf40By29) {
  Write({.a = 39, .b = 29});
  ASSERT_TRUE(Import()) << testing::PrintToString(ui.Messages());
  EXPECT_EQ(editor.Document.MapWidth, 40);
  EXPECT_EQ(editor.Document.MapHeight, 29);
  EXPECT_EQ(editor.Document.HexTile.size(), 41u * 30u);
  EXPECT_EQ(editor.Document.HexPixelPos.size(), 2u * 41u * 30u);
  EXPECT_TRUE(ui.Messages().empty()) << testing::PrintToString(ui.Messages());
}

TEST_F(SetImportTest, SetColumnXBecomesEditorColumnXPlusOneAndColumnZeroRepeatsColumnZero) {
  SetValues set{.a = 5, .b = 4};
  set.tile = [](int x, int y) { return 4 + (7 * x + 3 * y) % 28; };
  set.road = [](int x, int y) { return x == 0 ? 137 : (x + y) % 4 == 0 ? 8 : 0; };
  set.owner = [](int x, int) { return x == 0 ? 2 : 0; };
  Write(set);
  ASSERT_TRUE(Import());
  const MapDocument& d = editor.Document;
  for (int y = 0; y <= 4; ++y) {
    for (int column = 0; column <= 6; ++column) {
      const int x = column == 0 ? 0 : column - 1;  // the set column shown there
      const int tile = set.tile(x, y);
      ASSERT_EQ(d.Tile(column, y), tile) << column << "," << y;
      ASSERT_EQ(d.Terrain(column, y), TerrainOfTile(tile)) << column << "," << y;
      const uint8_t sides = DecodeRoadBits(static_cast<uint8_t>(set.road(x, y)));
      for (int side = 1; side <= 6; ++side)
        ASSERT_EQ(d.Data(column, y, side), (sides >> side) & 1) << column << "," << y;
    }
    // Owners are not repeated in column 0.
    EXPECT_EQ(d.Owner(0, y), 0);
    EXPECT_EQ(d.Owner(1, y), 2);
  }
  EXPECT_EQ(d.Data(0, 2, 4), kRoadLink);  // 137 opens side 4 ...
  EXPECT_EQ(d.Data(1, 2, 4), kRoadLink);
}

TEST_F(SetImportTest, RoadBitsOpenTheirSides) {
  struct Case {
    int bits;
    uint8_t sides;
  };
  const Case cases[] = {
      {137, Sides({4, 1, 5})},  // 128 + 8 + 1
      {64, 0},
      {4, 0},
      {68, 0},
      {65, Sides({5})},
      {6, Sides({6})},
      {128, Sides({4})},
      {32, Sides({3})},
      {16, Sides({2})},
      {8, Sides({1})},
      {2, Sides({6})},
      {1, Sides({5})},
      {0, 0},
      {255, Sides({1, 2, 3, 4, 5, 6})},
      {191, Sides({1, 2, 3, 4, 5, 6})},  // 255 without 64
  };
  for (const Case& c : cases)
    EXPECT_EQ(DecodeRoadBits(static_cast<uint8_t>(c.bits)), c.sides) << c.bits;

  // The same bytes through an import: one row, a case per set column.
  SetValues set{.a = static_cast<int>(std::size(cases)) - 1, .b = 0};
  set.road = [&cases](int x, int) { return cases[x].bits; };
  Write(set);
  ASSERT_TRUE(Import());
  for (size_t x = 0; x < std::size(cases); ++x) {
    for (int side = 1; side <= 6; ++side) {
      EXPECT_EQ(editor.Document.Data(static_cast<int>(x) + 1, 0, side),
                (cases[x].sides >> side) & 1 ? kRoadLink : kNoLink)
          << "bits " << cases[x].bits << ", side " << side;
    }
  }
}

TEST_F(SetImportTest, OwnersBecomeSecondaryObjectivesInTheShiftedColumn) {
  SetValues set{.a = 3, .b = 2};
  set.owner = [](int x, int y) { return x == 2 && y == 1 ? 3 : x == 0 && y == 0 ? 1 : 0; };
  Write(set);
  ASSERT_TRUE(Import());
  const MapDocument& d = editor.Document;
  for (int y = 0; y <= d.MapHeight; ++y) {
    for (int x = 0; x <= d.MapWidth; ++x) {
      const int owner = x == 3 && y == 1 ? 3 : x == 1 && y == 0 ? 1 : 0;
      EXPECT_EQ(d.Owner(x, y), owner) << x << "," << y;
      EXPECT_EQ(d.Mark(x, y), owner ? kSecondaryObjective : kNoObjective) << x << "," << y;
    }
  }
  // The objective list follows, column by column.
  ASSERT_EQ(d.ObjectiveCount, 2);
  EXPECT_EQ(d.Objective(1, kObjectiveX), 1);
  EXPECT_EQ(d.Objective(1, kObjectiveY), 0);
  EXPECT_EQ(d.Objective(1, kObjectiveOwner), 1);
  EXPECT_EQ(d.Objective(2, kObjectiveX), 3);
  EXPECT_EQ(d.Objective(2, kObjectiveY), 1);
  EXPECT_EQ(d.Objective(2, kObjectiveOwner), 3);
}

TEST_F(SetImportTest, TileNumbersAbove255KeepAllTheirBits) {
  SetValues set{.a = 2, .b = 1};
  set.tile = [](int x, int y) { return x == 1 && y == 1 ? 300 : x == 2 ? 319 : 256; };
  Write(set);
  ASSERT_TRUE(Import());
  EXPECT_EQ(editor.Document.Tile(2, 1), 300);
  EXPECT_EQ(editor.Document.Terrain(2, 1), 7);
  EXPECT_EQ(editor.Document.Tile(3, 0), 319);
  EXPECT_EQ(editor.Document.Tile(1, 0), 256);
  EXPECT_EQ(editor.Document.Tile(0, 0), 256);
}

TEST_F(SetImportTest, DeploymentHexesBelongToTheFirstNationOfSide1) {
  ScenarioValues scenario;
  scenario.side1 = {3, 1, 0, 0, 0, 0};
  scenario.deployment = {{0, 0}, {3, 2}, {1, 1}};
  Write({.a = 3, .b = 2}, scenario);
  ASSERT_TRUE(Import());
  const MapDocument& d = editor.Document;
  const std::set<std::pair<int, int>> deployed = {{1, 0}, {4, 2}, {2, 1}};
  for (int y = 0; y <= d.MapHeight; ++y)
    for (int x = 0; x <= d.MapWidth; ++x)
      EXPECT_EQ(d.HexDeployment[d.Index(x, y)], deployed.count({x, y}) ? 3 : 0) << x << "," << y;
}

TEST_F(SetImportTest, VictoryHexesBecomePrimaryObjectivesOfOwnedHexes) {
  SetValues set{.a = 3, .b = 2};
  set.owner = [](int x, int y) { return x == 1 && y == 1 ? 2 : 0; };
  ScenarioValues scenario;
  scenario.victory = {{1, 1}, {0, 2}};
  Write(set, scenario);
  ASSERT_TRUE(Import());
  const MapDocument& d = editor.Document;
  EXPECT_EQ(d.Mark(2, 1), kPrimaryObjective);
  EXPECT_EQ(d.Owner(2, 1), 2);
  // (0, 2) of the set is (1, 2) in the editor; nobody owns it.
  EXPECT_EQ(d.Mark(1, 2), kNoObjective);
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_NE(ui.Messages()[0].find("victory hexes that nobody owns: (1, 2)"), std::string::npos)
      << ui.Messages()[0];
}

TEST_F(SetImportTest, AMissingMapNameFileIsReportedAndTheImportGoesOn) {
  std::filesystem::remove(folder / "brak_files/mapnames.str");
  Write({.a = 3, .b = 2});
  ASSERT_TRUE(Import());
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{(folder / "brak_files/mapnames.str").string() +
                                                    " not found."});
  EXPECT_EQ(editor.Document.MapWidth, 4);
}

TEST_F(SetImportTest, TheImportedMapIsNewmapWithEmptyHexNameFiles) {
  SetValues set{.a = 4, .b = 3};
  set.name = [](int x, int y) { return (x + y) % 3; };  // names of the game are not taken over
  Write(set);
  ASSERT_TRUE(Import());
  const MapDocument& d = editor.Document;
  EXPECT_EQ(d.MapName, "");
  EXPECT_EQ(d.MapPath, Path("newmap.map"));
  EXPECT_EQ(d.HexNamesPath, Path("newmap.str"));
  EXPECT_EQ(d.HexNamesIndexPath, Path("newmap.ndx"));
  EXPECT_EQ(folder.ReadBytes("newmap.ndx"), std::vector<uint8_t>(4 * 6 * 4, 0));
  EXPECT_TRUE(folder.ReadBytes("newmap.str").empty());
  for (int y = 0; y <= d.MapHeight; ++y)
    for (int x = 0; x <= d.MapWidth; ++x) EXPECT_EQ(GetHexName(editor, x, y), "");
  EXPECT_EQ(editor.ImportedSet.ImportedSetPath, Path("sets/game005.set"));
  EXPECT_EQ(editor.ImportedSet.ImportedOobPath, Path("game005.oob"));
}

TEST_F(SetImportTest, TheOrderOfBattleWaitsInTheEditorsFolder) {
  ScenarioValues scenario;
  scenario.side1 = {1, 0, 0, 0, 0, 0};
  scenario.side2 = {3, 2, 0, 0, 0, 0};
  scenario.units = {
      {.equipment = 2, .nation = 1, .x = 2, .y = 1, .strength = 10},
      {.equipment = 3,
       .groundTransport = 1,
       .nation = 2,
       .x = 0,
       .y = 0,
       .strength = 7,
       .entrenchment = 1,
       .experience = 20},
      {.equipment = 1, .nation = 3, .seaAirTransport = 2, .x = 3, .y = 2, .strength = 12},
  };
  folder.WriteText("game005.oob", "an order of battle of an earlier import");
  folder.WriteText("game005.dep", "a deployment file of an earlier import");
  Write({.a = 3, .b = 2}, scenario);
  ASSERT_TRUE(Import());
  const std::string text = folder.ReadText("game005.oob");
  EXPECT_EQ(text.substr(0, 34), "* number of sequences or sides\r2\r\n");
  const std::string sides = "* sequence/side names\rZeta\r\nBeta\r\n";
  EXPECT_EQ(text.substr(34, sides.size()), sides);
  const std::string units =
      "* number of starting units in scenario\r3\r\n"
      "* unit name-mapx-mapy-strength-entrenchment-side-nation-unit type-experience-turn of "
      "entry-trans1-trans2\r"
      "Light Tank,3,1,10,0,1,1,2,0,1,0,0\r\n"
      "Field Gun,1,0,7,1,2,2,3,20,1,1,0\r\n"
      "Rifle Brigade,4,2,12,0,2,3,1,0,1,0,2\r\n"
      "* Side 1 Nations Available\r\n";
  EXPECT_NE(text.find(units), std::string::npos) << text;
  EXPECT_EQ(text, editor.ImportedSet.OrderOfBattleText);
  EXPECT_FALSE(FileExists(folder / "game005.dep"));
}

TEST_F(SetImportTest, NamesOfAnyCaseAreFound) {
  folder.WriteBytes("sets/GAME007.SET", SetFileBytes({.a = 2, .b = 2}));
  folder.WriteBytes("sets/Game007.Scn", ScenarioFileBytes({}));
  std::filesystem::rename(folder / "data/brakequp.eqp", folder / "data/BRAKEQUP.EQP");
  ASSERT_TRUE(Import("sets/GAME007.SET")) << testing::PrintToString(ui.Messages());
  EXPECT_TRUE(FileExists(folder / "game007.oob"));
}

TEST_F(SetImportTest, SaveMovesTheOrderOfBattleBesideTheMapOnce) {
  Write({.a = 3, .b = 2});
  ASSERT_TRUE(Import());
  const std::vector<uint8_t> oob = folder.ReadBytes("game005.oob");
  // "Save" typed as abc in the folder maps/.
  std::filesystem::create_directories(folder / "maps");
  editor.Document.MapName = "abc";
  editor.Document.MapPath = Path("maps/abc.map");
  ASSERT_TRUE(SaveMap(editor));
  ASSERT_TRUE(WriteScenarioFiles(editor, Path("maps/abc.oob"), Path("maps/abc.scn")));
  EXPECT_EQ(folder.ReadBytes("maps/abc.oob"), oob);
  EXPECT_FALSE(FileExists(folder / "game005.oob"));
  EXPECT_EQ(folder.ReadText("maps/abc.scn"),
            "abc.map\rabc.bmp\rabc.oob\rWeather,clear\rGround Conditions,dry\r"
            "Weather Zone,moderate\rPolitics,False\rScenario Type,0\r");
  // A second "Save" writes no scenario file.
  std::filesystem::remove(folder / "maps/abc.scn");
  ASSERT_TRUE(SaveMap(editor));
  ASSERT_TRUE(WriteScenarioFiles(editor, Path("maps/abc.oob"), Path("maps/abc.scn")));
  EXPECT_FALSE(FileExists(folder / "maps/abc.scn"));
}

bool SameDocument(const MapDocument& a, const MapDocument& b) {
  return a.MapWidth == b.MapWidth && a.MapHeight == b.MapHeight && a.HexData == b.HexData &&
         a.HexTile == b.HexTile && a.HexControl == b.HexControl &&
         a.HexDeployment == b.HexDeployment && a.HexLandMass == b.HexLandMass &&
         a.HexOriginalOwner == b.HexOriginalOwner && a.HexPixelPos == b.HexPixelPos &&
         a.ObjectiveCount == b.ObjectiveCount && a.Objectives == b.Objectives &&
         a.MapPath == b.MapPath && a.MapName == b.MapName && a.NationSetName == b.NationSetName &&
         a.HexNamesPath == b.HexNamesPath && a.HexNamesIndexPath == b.HexNamesIndexPath;
}

// Every refused import: the open map, its names, the import state and the
// editor's files stay as they were, and one message names the file and the
// fault.
TEST_F(SetImportTest, RefusedSetFilesAndIncompleteScenarios) {
  // Faults of the set file refuse the import and leave everything as it was;
  // faults of the scenario part (from "no scenario file" on) import the map
  // without its scenario.
  struct Inputs {
    std::string name = "sets/game005.set";
    SetValues set{.a = 3, .b = 2};
    ScenarioValues scenario;
    std::function<void(std::vector<uint8_t>&)> cutSet = [](std::vector<uint8_t>&) {};
    std::function<void(std::vector<uint8_t>&)> cutScenario = [](std::vector<uint8_t>&) {};
    std::vector<uint8_t> rawSet;  // written instead of `set` when not empty
  };
  struct Case {
    const char* name;
    std::function<void(Inputs&, const TempFolder&)> change;
    std::string fault;
  };
  const std::string scenarioPath = Path("sets/game005.scn");
  const std::string equipmentPath = Path("data/brakequp.eqp");
  const Case cases[] = {
      {"a name not ending in set", [](Inputs& in, auto&) { in.name = "sets/game005.map"; },
       "its name \"game005.map\" does not end in \"set\""},
      {"a name shorter than six characters", [](Inputs& in, auto&) { in.name = "sets/g.set"; },
       "its name \"g.set\" is shorter than six characters"},
      {"a header cut short",
       [](Inputs& in, auto&) { in.cutSet = [](std::vector<uint8_t>& b) { b.resize(122); }; },
       "it is 122 bytes long, shorter than the 123 bytes of its header"},
      {"a negative A", [](Inputs& in, auto&) { in.set.a = -1; },
       "it gives A = -1 as its highest column, which is negative"},
      {"a negative B", [](Inputs& in, auto&) { in.set.b = -7; },
       "it gives B = -7 as its highest row, which is negative"},
      {"an A too large for the editor",
       [](Inputs& in, auto&) {
         in.set.a = 3999;
         in.set.b = 0;
       },
       "it gives A = 3999 as its highest column, but the editor's maps end at column 3999 and "
       "the import adds a column, so A can be at most 3998"},
      {"a B too large for the editor",
       [](Inputs& in, auto&) {
         in.set.a = 0;
         in.set.b = 4000;
       },
       "it gives B = 4000 as its highest row, but the editor's maps end at row 3999"},
      {"a large set in a short file",
       [](Inputs& in, auto&) {
         test::ByteBuilder header;
         header.PadTo(101);
         header.I16(3000);
         header.I16(3000);
         header.PadTo(200);
         in.rawSet = header.bytes;
       },
       "it is 200 bytes long, but the five blocks of a set of 3001 x 3001 hexes end at byte "
       "63042130: the file is cut short"},
      {"tile block cut short",
       [](Inputs& in, auto&) { in.cutSet = [](std::vector<uint8_t>& b) { b.pop_back(); }; },
       "it is 206 bytes long, but the five blocks of a set of 4 x 3 hexes end at byte 207"},
      {"a tile beyond the sheet",
       [](Inputs& in, auto&) {
         in.set.tile = [](int x, int y) { return x == 1 && y == 2 ? 320 : 5; };
       },
       "it gives hex (1, 2) (column 2 in the editor) tile number 320, but the tile sheet has "
       "tiles 0 to 319"},
      {"a negative tile",
       [](Inputs& in, auto&) {
         in.set.tile = [](int x, int y) { return x == 3 && y == 0 ? 0xffff : 5; };
       },
       "tile number -1"},
      {"no scenario file",
       [](Inputs& in, auto&) { in.cutScenario = [](std::vector<uint8_t>& b) { b.clear(); }; },
       "its scenario file " + scenarioPath + " does not exist"},
      {"no equipment file",
       [](Inputs&, const TempFolder& f) { std::filesystem::remove(f / "data/brakequp.eqp"); },
       "the equipment file " + equipmentPath + " does not exist"},
      {"an equipment file cut short",
       [](Inputs&, const TempFolder& f) {
         f.WriteBytes("data/brakequp.eqp", EquipmentFileBytes({"A"}, 5));
       },
       "the equipment file " + equipmentPath + " announces 5 records but holds only 2 whole"},
      {"byte 21 below byte 19",
       [](Inputs& in, auto&) {
         in.scenario.byte19 = 5;
         in.scenario.byte21 = 3;
       },
       "its scenario file " + scenarioPath + " has byte 21 (3) smaller than byte 19 (5)"},
      {"a scenario file cut short",
       [](Inputs& in, auto&) { in.cutScenario = [](std::vector<uint8_t>& b) { b.resize(100); }; },
       "its scenario file " + scenarioPath + " is 100 bytes long"},
      {"a unit record cut short",
       [](Inputs& in, auto&) {
         in.scenario.units.resize(1);
         in.scenario.trailing = {0, 0, 0};
       },
       "ends in a unit record cut short"},
      {"a deployment hex beyond the last column",
       [](Inputs& in, auto&) {
         in.scenario.deployment = {{1, 1}, {4, 0}};
       },
       "its scenario file " + scenarioPath +
           " gives deployment hex 2 at (4, 0), outside the set's columns 0 to 3 and rows 0 to 2"},
      {"a deployment hex left of the first column",
       [](Inputs& in, auto&) {
         in.scenario.deployment = {{-1, 0}};
       },
       "gives deployment hex 1 at (-1, 0)"},
      {"a victory hex below the last row",
       [](Inputs& in, auto&) {
         in.scenario.victory = {{0, 3}};
       },
       "gives victory hex 1 at (0, 3)"},
      {"a nation the nation set does not have", [](Inputs& in, auto&) { in.scenario.side2[0] = 4; },
       "the scenario file " + scenarioPath +
           " gives side 2 nation 4 in slot 1, but the nation set holds nations 1 to 3"},
      {"a unit of unknown equipment",
       [](Inputs& in, auto&) { in.scenario.units = {{.equipment = 9, .x = 2, .y = 1}}; },
       "unit 1 (at 2, 1) names equipment record 9, but the equipment file " + equipmentPath +
           " holds records 1 to 3"},
  };
  bool scenarioPart = false;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    scenarioPart = scenarioPart || std::string(c.name) == "no scenario file";
    TearDown();
    std::filesystem::remove_all(folder / "sets");
    SetUp();
    folder.WriteText("game005.dep", "deployment");
    folder.WriteBytes("data/brakequp.eqp",
                      EquipmentFileBytes({"Rifle Brigade", "Light Tank", "Field Gun"}));
    Inputs in;
    c.change(in, folder);
    std::vector<uint8_t> setBytes = in.rawSet.empty() ? SetFileBytes(in.set) : in.rawSet;
    in.cutSet(setBytes);
    folder.WriteBytes(in.name, setBytes);
    std::vector<uint8_t> scenarioBytes = ScenarioFileBytes(in.scenario);
    in.cutScenario(scenarioBytes);
    if (!scenarioBytes.empty()) folder.WriteBytes("sets/game005.scn", scenarioBytes);

    const MapDocument before = editor.Document;
    const std::vector<uint8_t> namesBefore = folder.ReadBytes("newmap.ndx");
    EXPECT_EQ(Import(in.name), scenarioPart);
    EXPECT_FALSE(editor.ImportedSet.Pending());
    EXPECT_FALSE(FileExists(folder / "game005.oob"));
    ASSERT_EQ(ui.Messages().size(), 1u);
    const std::string message = ui.Messages()[0];
    EXPECT_NE(message.find(c.fault), std::string::npos) << message;
    if (scenarioPart) {
      EXPECT_EQ(editor.Document.MapWidth, 4);
      EXPECT_EQ(message.find("The map of the set file " + Path(in.name) +
                             " was imported without its scenario"),
                0u)
          << message;
      continue;
    }
    EXPECT_TRUE(SameDocument(editor.Document, before));
    EXPECT_EQ(folder.ReadText("game005.dep"), "deployment");
    EXPECT_EQ(folder.ReadBytes("newmap.ndx"), namesBefore);
    EXPECT_EQ(message.find("The set file " + Path(in.name) + " was not imported: "), 0u) << message;
    EXPECT_EQ(message.substr(message.size() - 28), ". The open map is unchanged.");
  }
}

TEST_F(SetImportTest, EveryProblemOfTheScenarioPartInOneMessageAndNoScenarioFilesOnSave) {
  Write({.a = 3, .b = 2});
  std::filesystem::remove(folder / "sets/game005.scn");
  folder.WriteBytes("data/brakequp.eqp", EquipmentFileBytes({"A"}, 5));
  ASSERT_TRUE(Import());
  ASSERT_EQ(ui.Messages().size(), 1u);
  const std::string message = ui.Messages()[0];
  EXPECT_NE(message.find("\n- its scenario file " + Path("sets/game005.scn") + " does not exist."),
            std::string::npos)
      << message;
  EXPECT_NE(message.find("\n- the equipment file " + Path("data/brakequp.eqp") + " announces 5"),
            std::string::npos)
      << message;
  // The map is there; "Save" writes it and no scenario files.
  editor.Document.MapName = "abc";
  editor.Document.MapPath = Path("abc.map");
  ASSERT_TRUE(SaveMap(editor));
  EXPECT_TRUE(WriteScenarioFiles(editor, Path("abc.oob"), Path("abc.scn")));
  EXPECT_FALSE(FileExists(folder / "abc.oob"));
  EXPECT_FALSE(FileExists(folder / "abc.scn"));
}

TEST_F(SetImportTest, ASoundScenarioFileStillMarksItsHexesWithoutEquipment) {
  ScenarioValues scenario;
  scenario.side1 = {3, 1, 0, 0, 0, 0};
  scenario.deployment = {{1, 1}, {2, 2}};
  Write({.a = 3, .b = 2}, scenario);
  std::filesystem::remove(folder / "data/brakequp.eqp");
  ASSERT_TRUE(Import());
  EXPECT_EQ(editor.Document.Deployment(2, 1), 3);  // set hex (1, 1), first nation of side 1
  EXPECT_EQ(editor.Document.Deployment(3, 2), 3);
  EXPECT_FALSE(editor.ImportedSet.Pending());
}

}  // namespace
}  // namespace korv
