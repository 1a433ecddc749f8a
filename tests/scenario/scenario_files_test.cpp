#include "scenario/scenario_files.h"

#include "editor/set_import.h"

#include <gtest/gtest.h>

#include "editor/editor.h"
#include "platform/interaction.h"
#include "platform/random.h"
#include "support/builders.h"
#include "support/test_folder.h"

namespace korv {
namespace {

using test::EquipmentFileBytes;
using test::ScenarioFileBytes;
using test::ScenarioValues;
using test::TempFolder;
using test::UnitValues;

// Nations 1 Zeta (tile id 3), 2 alpha (0), 3 Beta (6).
NationTables ThreeNations() {
  NationTables nations;
  nations.NationCount = 3;
  nations.NationNames = {"", "Zeta", "alpha", "Beta"};
  nations.NationTileId = {0, 3, 0, 6};
  nations.NationOrder = {0, 3, 1, 2};
  return nations;
}

const std::vector<std::string> kEquipment = {"", "Rifle Brigade", "Light Tank", "Field Gun"};

// A scenario with a value of its own in every field.
ScenarioValues FullScenario() {
  ScenarioValues s;
  s.side1 = {1, 3, 0, 0, 0, 0};
  s.side2 = {2, 0, 0, 0, 0, 0};
  s.bytes13To18 = {7, 0, 255, 1, 2, 3};
  s.byte19 = 8;
  s.byte20 = 2;
  s.byte21 = 11;
  s.byte22 = 24;
  s.day = 12;
  s.month = 6;
  s.year = 44;
  s.byte26 = 9;
  s.daysPerTurn = 2;
  s.pool1 = 400;
  s.pool2 = -5;
  s.interval1 = 4;
  s.interval2 = 5;
  s.bytes34To37 = {1, 2, 3, 4};
  s.victory = {{3, 2}};
  s.deployment = {{0, 1}, {2, 2}};
  s.unusedAfterDeployment = {77, 88};
  s.prestige1 = 150;
  s.prestige2 = 1200;
  s.transport = {1, 0, 2, 3};
  s.eight = {8, 7, 6, 5, 4, 3, 2, 1};
  s.units = {
      {.equipment = 2,
       .groundTransport = 5,
       .nation = 1,
       .x = 3,
       .y = 1,
       .strength = 10,
       .entrenchment = 2,
       .experience = 50},
      {.equipment = 1, .nation = 2, .seaAirTransport = 6, .x = 0, .y = 2, .strength = 8},
      {.equipment = 3,
       .nation = 3,
       .x = 2,
       .y = 0,
       .strength = 12,
       .entrenchment = 1,
       .experience = 100},
      // A nation on neither side.
      {.equipment = 1, .nation = 9, .x = 1, .y = 1, .strength = 5},
  };
  return s;
}

const char kFullScenarioText[] =
    "* number of sequences or sides\r"
    "2\r\n"
    "* sequence/side names\r"
    "Zeta\r\n"
    "alpha\r\n"
    "* Total number of nations in the scenario\r"
    "3\r"
    "* Nation Number-Nation name-production-move sequence-strength tile-id number\r"
    "1,Zeta,0,1,3\r"
    "3,Beta,0,1,6\r"
    "2,alpha,0,2,0\r"
    "* number of starting units in scenario\r"
    "4\r\n"
    "* unit name-mapx-mapy-strength-entrenchment-side-nation-unit type-experience-turn of "
    "entry-trans1-trans2\r"
    "Light Tank,4,1,10,2,1,1,2,50,1,5,0\r\n"
    "Rifle Brigade,1,2,8,0,2,2,1,0,1,0,6\r\n"
    "Field Gun,3,0,12,1,1,3,3,100,1,0,0\r\n"
    "Rifle Brigade,2,1,5,0,0,9,1,0,1,0,0\r\n"
    "* Side 1 Nations Available\r\n"
    "1,3,0,0,0,0\r\n"
    "* Side 2 Nations Available\r\n"
    "2,0,0,0,0,0\r\n"
    "* 6 unknown bytes\r\n"
    "7,0,255,1,2,3\r\n"
    "* Side 1 max Core units\r\n"
    "8\r\n"
    "* Side 1 max Aux units\r\n"
    "2\r\n"
    "* Side 2 Max Core units\r\n"
    "8\r\n"
    "* Side 2 max Aux units\r\n"
    "3\r\n"
    "* Scenario Turns\r\n"
    "24\r\n"
    "* Day Month Year\r\n"
    "12,6,1944\r\n"
    "* unknown byte\r\n"
    "9\r\n"
    "* Days per turn\r\n"
    "2\r\n"
    "* Side 1 prestige pool\r\n"
    "400\r\n"
    "* Side 2 prestige pool\r\n"
    "-5\r\n"
    "* Side 1 prestige interval\r\n"
    "4\r\n"
    "* Side 2 prestige interval\r\n"
    "5\r\n"
    "* 4 unknown bytes\r\n"
    "1,2,3,4\r\n"
    "* Side 1 prestige\r\n"
    "150\r\n"
    "* Side 2 prestige\r\n"
    "1200\r\n"
    "* Side 1 Air transport available\r\n"
    "1\r\n"
    "* Side 2 Air transport available\r\n"
    "0\r\n"
    "* Side 1 Naval transport available\r\n"
    "2\r\n"
    "* Side 2 Naval transport available\r\n"
    "3\r\n"
    "* 8 unknown bytes\r\n"
    "8,7,6,5,4,3,2,1\r\n"
    "* first turn multiplier\r"
    "1";

ScenarioSource Parse(const ScenarioValues& values) {
  std::string error;
  auto source = ParseScenarioSource(ScenarioFileBytes(values), error);
  EXPECT_TRUE(source.has_value()) << error;
  return source.value_or(ScenarioSource{});
}

TEST(ScenarioSource, ReadsEveryFieldFromItsPosition) {
  const ScenarioSource s = Parse(FullScenario());
  EXPECT_EQ(s.Side1Nations, (std::array<uint8_t, 6>{1, 3, 0, 0, 0, 0}));
  EXPECT_EQ(s.Side2Nations, (std::array<uint8_t, 6>{2, 0, 0, 0, 0, 0}));
  EXPECT_EQ(s.Bytes13To18, (std::array<uint8_t, 6>{7, 0, 255, 1, 2, 3}));
  EXPECT_EQ(s.MaxCoreUnits, 8);
  EXPECT_EQ(s.Side1MaxAuxUnits, 2);
  EXPECT_EQ(s.Byte21, 11);
  EXPECT_EQ(s.ScenarioTurns, 24);
  EXPECT_EQ(s.Day, 12);
  EXPECT_EQ(s.Month, 6);
  EXPECT_EQ(s.Year, 44);
  EXPECT_EQ(s.Byte26, 9);
  EXPECT_EQ(s.DaysPerTurn, 2);
  EXPECT_EQ(s.Side1PrestigePool, 400);
  EXPECT_EQ(s.Side2PrestigePool, -5);
  EXPECT_EQ(s.Side1PrestigeInterval, 4);
  EXPECT_EQ(s.Side2PrestigeInterval, 5);
  EXPECT_EQ(s.Bytes34To37, (std::array<uint8_t, 4>{1, 2, 3, 4}));
  EXPECT_EQ(s.VictoryHexes, (std::vector<GameHex>{{3, 2}}));
  EXPECT_EQ(s.DeploymentCount, 3);
  EXPECT_EQ(s.DeploymentHexes, (std::vector<GameHex>{{0, 1}, {2, 2}}));
  // The two i16 before the prestige values (77, 88) are skipped.
  EXPECT_EQ(s.Side1Prestige, 150);
  EXPECT_EQ(s.Side2Prestige, 1200);
  EXPECT_EQ(s.Side1AirTransport, 1);
  EXPECT_EQ(s.Side2AirTransport, 0);
  EXPECT_EQ(s.Side1NavalTransport, 2);
  EXPECT_EQ(s.Side2NavalTransport, 3);
  EXPECT_EQ(s.EightBytes, (std::array<uint8_t, 8>{8, 7, 6, 5, 4, 3, 2, 1}));
  ASSERT_EQ(s.Units.size(), 4u);
  EXPECT_EQ(s.Units[0], (ScenarioUnit{.Equipment = 2,
                                      .GroundTransport = 5,
                                      .Nation = 1,
                                      .SeaAirTransport = 0,
                                      .X = 3,
                                      .Y = 1,
                                      .Strength = 10,
                                      .Entrenchment = 2,
                                      .Experience = 50}));
  EXPECT_EQ(s.Units[1].SeaAirTransport, 6);
  EXPECT_EQ(s.Units[2].Experience, 100);
}

TEST(ScenarioSource, FixedPartIs139BytesAndUnitsFollowIn14ByteRecords) {
  ScenarioValues values;  // c = 1: no deployment hexes
  EXPECT_EQ(ScenarioFileBytes(values).size(), 139u);
  EXPECT_TRUE(Parse(values).Units.empty());
  values.units.resize(3);
  EXPECT_EQ(ScenarioFileBytes(values).size(), 139u + 3 * 14);
  EXPECT_EQ(Parse(values).Units.size(), 3u);
  // A count of 0 announces no deployment hexes either.
  values.deploymentCount = 0;
  EXPECT_EQ(Parse(values).Units.size(), 3u);
}

TEST(ScenarioSource, RefusesDamagedFiles) {
  struct Case {
    const char* name;
    std::function<void(ScenarioValues&)> change;
    size_t keepBytes;  // the file is cut to this length; 0 keeps it whole
    const char* fault;
  };
  const auto same = [](ScenarioValues&) {};
  const auto noDeployment = [](ScenarioValues& s) { s.deployment.clear(); };
  const Case cases[] = {
      {"cut before the units", noDeployment, 138,
       "is 138 bytes long, shorter than the 139 bytes every scenario file has before its units"},
      {"cut to one byte", same, 1, "is 1 byte long"},
      {"byte 21 below byte 19",
       [](ScenarioValues& s) {
         s.byte19 = 9;
         s.byte21 = 8;
       },
       0, "has byte 21 (8) smaller than byte 19 (9)"},
      {"20 victory hexes", [](ScenarioValues& s) { s.victoryCount = 20; }, 0,
       "gives 20 victory hexes at byte 38, but there is room for 0 to 19"},
      {"negative victory count", [](ScenarioValues& s) { s.victoryCount = -1; }, 0,
       "gives -1 victory hexes"},
      {"negative deployment count", [](ScenarioValues& s) { s.deploymentCount = -2; }, 0,
       "gives a negative deployment count (-2) at byte 118"},
      {"deployment count beyond the end", [](ScenarioValues& s) { s.deploymentCount = 30000; }, 0,
       "its deployment count of 30000"},
      {"deployment hexes cut short", same, 140, "need 147 bytes"},
      {"unit record cut short",
       [](ScenarioValues& s) {
         s.units.resize(2);
         s.trailing = {1, 2, 3, 4, 5};
       },
       0, "ends in a unit record cut short: the 33 bytes after byte 147"},
  };
  for (const Case& c : cases) {
    ScenarioValues values = FullScenario();
    c.change(values);
    std::vector<uint8_t> bytes = ScenarioFileBytes(values);
    if (c.keepBytes > 0) bytes.resize(c.keepBytes);
    std::string error;
    EXPECT_FALSE(ParseScenarioSource(bytes, error).has_value()) << c.name;
    EXPECT_NE(error.find(c.fault), std::string::npos) << c.name << ": " << error;
  }
}

TEST(ScenarioSource, Byte21EqualToByte19GivesNoAuxiliaryUnitsForSide2) {
  ScenarioValues values;
  values.byte19 = 6;
  values.byte21 = 6;
  const std::string text = OrderOfBattleText(Parse(values), kEquipment, ThreeNations());
  EXPECT_NE(text.find("* Side 2 max Aux units\r\n0\r\n"), std::string::npos);
}

TEST(OrderOfBattleText, IsWrittenLineByLineWithItsTerminators) {
  const std::string text = OrderOfBattleText(Parse(FullScenario()), kEquipment, ThreeNations());
  EXPECT_EQ(text, kFullScenarioText);
}

TEST(OrderOfBattleText, BeginsWithThe34BytesOfTheSidesCount) {
  const std::string text = OrderOfBattleText(Parse(ScenarioValues{}), kEquipment, ThreeNations());
  ASSERT_GE(text.size(), 34u);
  EXPECT_EQ(text.substr(0, 34), std::string("* number of sequences or sides\r2\r\n"));
  EXPECT_EQ(std::string("* number of sequences or sides").size(), 30u);
  // The last line has no terminator.
  const std::string tail = "* first turn multiplier\r1";
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
}

TEST(OrderOfBattleText, YearIsNineteenFollowedByTheYearByte) {
  for (auto [year, written] : {std::pair{44, "12,6,1944"}, std::pair{39, "12,6,1939"}}) {
    ScenarioValues values;
    values.day = 12;
    values.month = 6;
    values.year = year;
    const std::string text = OrderOfBattleText(Parse(values), kEquipment, ThreeNations());
    EXPECT_NE(text.find(std::string("* Day Month Year\r\n") + written + "\r\n"), std::string::npos)
        << year;
  }
}

TEST(OrderOfBattleText, CountsFilledSlotsOfBothSides) {
  ScenarioValues values;
  values.side1 = {1, 0, 3, 0, 0, 0};  // a gap between filled slots
  values.side2 = {2, 1, 0, 0, 0, 3};
  const std::string text = OrderOfBattleText(Parse(values), kEquipment, ThreeNations());
  EXPECT_NE(text.find("* Total number of nations in the scenario\r5\r"), std::string::npos);
  EXPECT_NE(text.find("number\r1,Zeta,0,1,3\r3,Beta,0,1,6\r2,alpha,0,2,0\r1,Zeta,0,2,3\r"
                      "3,Beta,0,2,6\r* number of starting units"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("* Side 1 Nations Available\r\n1,0,3,0,0,0\r\n"), std::string::npos);
  EXPECT_NE(text.find("* Side 2 Nations Available\r\n2,1,0,0,0,3\r\n"), std::string::npos);
}

TEST(DescribeUnit, GivesTheTwelveFieldsOfALine) {
  ScenarioSource source = Parse(FullScenario());
  struct Case {
    ScenarioUnit unit;
    int side;
  };
  const Case cases[] = {
      {{.Equipment = 3,
        .GroundTransport = 4,
        .Nation = 3,
        .SeaAirTransport = 7,
        .X = 0,
        .Y = 5,
        .Strength = 15,
        .Entrenchment = 3,
        .Experience = 200},
       1},
      {{.Equipment = 1, .Nation = 2, .X = 38, .Y = 0}, 2},
      {{.Equipment = 2, .Nation = 0}, 0},
      {{.Equipment = 2, .Nation = 6}, 0},
  };
  for (const Case& c : cases) {
    const OrderOfBattleUnit u = DescribeUnit(source, c.unit, kEquipment);
    EXPECT_EQ(u.Name, kEquipment[static_cast<size_t>(c.unit.Equipment)]);
    EXPECT_EQ(u.MapX, c.unit.X + 1);  // the editor's column
    EXPECT_EQ(u.MapY, c.unit.Y);
    EXPECT_EQ(u.Strength, c.unit.Strength);
    EXPECT_EQ(u.Entrenchment, c.unit.Entrenchment);
    EXPECT_EQ(u.Side, c.side);
    EXPECT_EQ(u.Nation, c.unit.Nation);
    EXPECT_EQ(u.UnitType, c.unit.Equipment);
    EXPECT_EQ(u.Experience, c.unit.Experience);
    EXPECT_EQ(u.TurnOfEntry, 1);
    EXPECT_EQ(u.Trans1, c.unit.GroundTransport);
    EXPECT_EQ(u.Trans2, c.unit.SeaAirTransport);
  }
}

TEST(DescribeUnit, TheDocumentedRecordGivesTheDocumentedLine) {
  // docs/scenario-units.md: equipment 5, nation 1, x 11, y 14, strength 8, experience 40.
  ScenarioValues values;
  values.trailing = {0x05, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00,
                     0x0B, 0x00, 0x0E, 0x00, 0x08, 0x00, 0x28};
  const std::vector<std::string> names = {"", "a", "b", "c", "d", "Light Tank"};
  const std::string text = OrderOfBattleText(Parse(values), names, ThreeNations());
  EXPECT_NE(text.find("trans2\rLight Tank,12,14,8,0,1,1,5,40,1,0,0\r\n* Side 1"), std::string::npos)
      << text;
}

TEST(EquipmentNames, AreTheFirst20BytesOfEach50ByteRecord) {
  test::ByteBuilder file;
  file.I16(4);
  file.Text("reserved", 50);
  file.Text("Rifle Brigade", 50);     // zero-padded
  file.Text("Light Tank      ", 20);  // blank-padded
  file.Text("", 30);
  file.Text("Twenty characters ab", 20);  // no padding at all
  file.Text("", 30);
  std::string error;
  auto names = ParseEquipmentNames(file.bytes, error);
  ASSERT_TRUE(names.has_value()) << error;
  EXPECT_EQ(*names, (std::vector<std::string>{"reserved", "Rifle Brigade", "Light Tank",
                                              "Twenty characters ab"}));
}

TEST(EquipmentNames, RefusesAFileShorterThanItsCount) {
  struct Case {
    std::vector<uint8_t> bytes;
    const char* fault;
  };
  std::vector<uint8_t> cut = EquipmentFileBytes({"A", "B"});
  cut.pop_back();
  const Case cases[] = {
      {{}, "is 0 bytes long"},
      {{7}, "is 1 byte long"},
      {EquipmentFileBytes({"A"}, -1), "negative record count (-1)"},
      {cut, "announces 3 records but holds only 2 whole"},
      {EquipmentFileBytes({"A"}, 300), "announces 300 records"},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_FALSE(ParseEquipmentNames(c.bytes, error).has_value()) << c.fault;
    EXPECT_NE(error.find(c.fault), std::string::npos) << error;
  }
  std::string error;
  auto empty = ParseEquipmentNames(EquipmentFileBytes({}, 0), error);
  ASSERT_TRUE(empty.has_value()) << error;
  EXPECT_TRUE(empty->empty());
}

TEST(CheckScenarioReferences, RefusesNationsAndRecordsTheTablesDoNotHold) {
  struct Inputs {
    ScenarioValues values = FullScenario();
    std::vector<std::string> names = kEquipment;
    NationTables nations = ThreeNations();
  };
  struct Case {
    const char* name;
    std::function<void(Inputs&)> change;
    const char* fault;  // empty: accepted
  };
  const Case cases[] = {
      {"all present", [](Inputs&) {}, ""},
      {"nation beyond the set", [](Inputs& in) { in.values.side1[1] = 4; },
       "the scenario file game005.scn gives side 1 nation 4 in slot 2, but the nation set "
       "holds nations 1 to 3"},
      {"no nations at all", [](Inputs& in) { in.nations = NationTables{}; },
       "gives side 1 nation 1 in slot 1, but the nation set holds no nations"},
      {"equipment 0", [](Inputs& in) { in.values.units[1].equipment = 0; },
       "unit 2 (at 0, 2) names equipment record 0, but the equipment file data/brakequp.eqp "
       "holds records 1 to 3"},
      {"equipment past the file", [](Inputs& in) { in.values.units[0].equipment = 4; },
       "unit 1 (at 3, 1) names equipment record 4"},
      {"negative equipment", [](Inputs& in) { in.values.units[3].equipment = -3; },
       "names equipment record -3"},
      {"comma in an equipment name", [](Inputs& in) { in.names[2] = "Tank, light"; },
       "record 2 of the equipment file data/brakequp.eqp is called \"Tank, light\""},
      {"comma in an unused record's name", [](Inputs& in) { in.names.push_back("a,b"); }, ""},
      {"line end in a nation name", [](Inputs& in) { in.nations.NationNames[3] = "Be\rta"; },
       "nation 3 of the nation set is called"},
      // Units' nations only give their side; they index nothing.
      {"unit of an unknown nation", [](Inputs& in) { in.values.units[0].nation = 200; }, ""},
  };
  for (const Case& c : cases) {
    Inputs in;
    c.change(in);
    const std::string problem = CheckScenarioReferences(Parse(in.values), in.names, in.nations,
                                                        "game005.scn", "data/brakequp.eqp");
    if (std::string(c.fault).empty()) {
      EXPECT_EQ(problem, "") << c.name;
    } else {
      EXPECT_NE(problem.find(c.fault), std::string::npos) << c.name << ": " << problem;
    }
  }
}

TEST(ScenarioText, NamesTheMapItsPictureAndItsOrderOfBattle) {
  const std::string expected =
      "abc.map\rabc.bmp\rabc.oob\rWeather,clear\rGround Conditions,dry\r"
      "Weather Zone,moderate\rPolitics,False\rScenario Type,0\r";
  EXPECT_EQ(ScenarioText("abc"), expected);
  // A name typed with its extension does not repeat it.
  EXPECT_EQ(ScenarioText("abc.map"), expected);
  EXPECT_EQ(ScenarioText("abc.MAP"), expected);
  EXPECT_EQ(ScenarioText("abc.mapx").substr(0, 13), "abc.mapx.map\r");
}

TEST(ScenarioPaths, ReplaceTheMapsExtension) {
  EXPECT_EQ(OrderOfBattlePath("/maps/abc.map"), "/maps/abc.oob");
  EXPECT_EQ(ScenarioTextPath("/maps/abc.map"), "/maps/abc.scn");
}

// "Save" after an import.
class WriteScenarioFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    editor.Document.MapName = "abc";
    folder.WriteText("game005.oob", kOobText);
    editor.ImportedSet = {"/sets/game005.set", Path("game005.oob"), "the kept copy"};
  }
  std::string Path(const std::string& name) const { return (folder / name).string(); }
  bool Save() { return WriteScenarioFiles(editor, Path("abc.oob"), Path("abc.scn")); }

  static constexpr const char* kOobText = "* number of sequences or sides\r2\r\n...";
  static constexpr const char* kScenarioLines =
      "abc.map\rabc.bmp\rabc.oob\rWeather,clear\rGround Conditions,dry\r"
      "Weather Zone,moderate\rPolitics,False\rScenario Type,0\r";
  TempFolder folder;
  RecordingInteraction ui;
  SeededRandom random{1};
  Editor editor{folder.Game(), ui, random};
};

TEST_F(WriteScenarioFilesTest, MovesTheOrderOfBattleAndWritesTheScenarioText) {
  ASSERT_TRUE(Save());
  EXPECT_EQ(folder.ReadText("abc.oob"), kOobText);
  EXPECT_FALSE(FileExists(folder / "game005.oob"));
  EXPECT_EQ(folder.ReadText("abc.scn"), kScenarioLines);
  EXPECT_TRUE(ui.events.empty());
  EXPECT_FALSE(editor.ImportedSet.Pending());
}

TEST_F(WriteScenarioFilesTest, ASecondSaveWritesNoScenarioFile) {
  ASSERT_TRUE(Save());
  std::filesystem::remove(folder / "abc.scn");
  std::filesystem::remove(folder / "abc.oob");
  ASSERT_TRUE(Save());
  EXPECT_FALSE(FileExists(folder / "abc.scn"));
  EXPECT_FALSE(FileExists(folder / "abc.oob"));
}

TEST_F(WriteScenarioFilesTest, AsksBeforeReplacingAnOrderOfBattle) {
  for (bool replace : {false, true}) {
    SetUp();
    ui.Clear();
    folder.WriteText("abc.oob", "older");
    ui.answers = {replace};
    ASSERT_TRUE(Save());
    ASSERT_EQ(ui.events.size(), 1u);
    EXPECT_EQ(ui.events[0].kind, RecordingInteraction::Event::kOkCancel);
    EXPECT_EQ(ui.events[0].text, Path("abc.oob") + "already exists.\rDo you want to replace it ?");
    EXPECT_EQ(folder.ReadText("abc.oob"), replace ? kOobText : "older");
    // Either way the editor's copy goes and the scenario text is written.
    EXPECT_FALSE(FileExists(folder / "game005.oob"));
    EXPECT_EQ(folder.ReadText("abc.scn"), kScenarioLines);
    EXPECT_FALSE(editor.ImportedSet.Pending());
  }
}

TEST_F(WriteScenarioFilesTest, SavingBesideTheEditorsCopyKeepsIt) {
  // The map saved as game005 in the editor's folder: its order of battle is
  // already where it belongs and must not be deleted.
  editor.Document.MapName = "game005";
  ASSERT_TRUE(WriteScenarioFiles(editor, Path("game005.oob"), Path("game005.scn")));
  EXPECT_EQ(folder.ReadText("game005.oob"), kOobText);
  EXPECT_TRUE(ui.events.empty());
  EXPECT_EQ(folder.ReadText("game005.scn").substr(0, 12), "game005.map\r");
}

TEST_F(WriteScenarioFilesTest, TheKeptTextStandsInForAVanishedCopy) {
  std::filesystem::remove(folder / "game005.oob");
  ASSERT_TRUE(Save());
  EXPECT_EQ(folder.ReadText("abc.oob"), "the kept copy");
}

TEST_F(WriteScenarioFilesTest, AFailedWriteKeepsTheImportPending) {
  EXPECT_FALSE(WriteScenarioFiles(editor, Path("no/such/folder/abc.oob"), Path("abc.scn")));
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_NE(ui.Messages()[0].find("no/such/folder/abc.oob"), std::string::npos);
  EXPECT_TRUE(editor.ImportedSet.Pending());
  EXPECT_EQ(folder.ReadText("game005.oob"), kOobText);
  EXPECT_FALSE(FileExists(folder / "abc.scn"));
}

TEST_F(WriteScenarioFilesTest, DoesNothingWithoutAnImport) {
  editor.ImportedSet = {};
  ASSERT_TRUE(Save());
  EXPECT_FALSE(FileExists(folder / "abc.oob"));
  EXPECT_FALSE(FileExists(folder / "abc.scn"));
  EXPECT_TRUE(FileExists(folder / "game005.oob"));
}

}  // namespace
}  // namespace korv
