#include "scenario/nations.h"
#include "scenario/scenario_files.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "support/builders.h"
#include "support/test_folder.h"

namespace korv {
namespace {

using test::EquipmentFileBytes;
using test::ScenarioFileBytes;
using test::ScenarioValues;
using test::TempFolder;

// (The order the lists show them in: the control tests, on this list.)
TEST(LoadNationList, ReadsNamesAndTileIds) {
  TempFolder folder;
  folder.WriteText("Default/Nations/NATIONS.TXT", "3\r\n\"Zeta\",4\r\nalpha,1\n\"Beta\",7\r\n");
  NationTables nations;
  std::string set;  // empty means "default"
  std::string error;
  ASSERT_TRUE(LoadNationList(nations, set, folder.Game(), error)) << error;
  EXPECT_EQ(set, "default");
  EXPECT_EQ(nations.NationCount, 3);
  EXPECT_EQ(nations.NationNames, (std::vector<std::string>{"", "Zeta", "alpha", "Beta"}));
  EXPECT_EQ(nations.NationTileId, (std::vector<int16_t>{0, 3, 0, 6}));

  // No nations at all is a list too.
  folder.WriteText("Default/Nations/NATIONS.TXT", "0\r\n");
  ASSERT_TRUE(LoadNationList(nations, set, folder.Game(), error)) << error;
  EXPECT_EQ(nations.NationCount, 0);
}

TEST(LoadNationList, MissingAndMalformedListsAreExplainedAndLeaveNoNations) {
  struct Case {
    const char* name;
    const char* text;  // nullptr: no file
    const char* says;
  } const cases[] = {
      {"no file", nullptr, "does not exist"},
      {"empty file", "", "it is empty"},
      {"count not a number", "many\r\nA,1\r\n", "begins with \"many\""},
      {"negative count", "-2\r\n", "negative number of nations (-2)"},
      {"fewer nations than announced", "3\r\nA,1\r\nB,2\r\n",
       "announces 3 nations but lists only 2"},
      {"name without tile id", "1\r\nA\r\n", "lists only 0"},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    if (c.text) folder.WriteText("winter/nations/nations.txt", c.text);
    NationTables nations;
    nations.NationCount = 5;
    std::string set = "winter";
    std::string error;
    EXPECT_FALSE(LoadNationList(nations, set, folder.Game(), error)) << c.name;
    EXPECT_NE(error.find("nations.txt"), std::string::npos) << c.name << ": " << error;
    EXPECT_NE(error.find(c.says), std::string::npos) << c.name << ": " << error;
    EXPECT_EQ(nations.NationCount, 0) << c.name;
    EXPECT_EQ(nations.NationNames.size(), 1u) << c.name;
  }
}

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
  s.side1 = {1, 0, 3, 0, 0, 0};  // a gap between filled slots
  s.side2 = {2, 1, 0, 0, 0, 3};  // nations of side 1 again
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
  // Equipment, ground transport, nation, sea or air transport, x, y, strength,
  // entrenchment, experience; the last two units' nations are on neither side
  // (0 is in the sides' empty slots).
  s.units = {{2, 5, 1, 0, 3, 1, 10, 2, 50},
             {1, 0, 2, 6, 0, 2, 8, 0, 0},
             {3, 0, 3, 0, 2, 0, 12, 1, 100},
             {1, 0, 9, 0, 1, 1, 5, 0, 0},
             {1, 0, 0, 0, 2, 2, 7, 0, 0}};
  return s;
}

const char kFullScenarioText[] =
    "* number of sequences or sides\r2\r\n"
    "* sequence/side names\rZeta\r\nalpha\r\n"
    "* Total number of nations in the scenario\r5\r"
    "* Nation Number-Nation name-production-move sequence-strength tile-id number\r"
    "1,Zeta,0,1,3\r3,Beta,0,1,6\r2,alpha,0,2,0\r1,Zeta,0,2,3\r3,Beta,0,2,6\r"
    "* number of starting units in scenario\r5\r\n"
    "* unit name-mapx-mapy-strength-entrenchment-side-nation-unit type-experience-turn of "
    "entry-trans1-trans2\r"
    "Light Tank,4,1,10,2,1,1,2,50,1,5,0\r\n"
    "Rifle Brigade,1,2,8,0,2,2,1,0,1,0,6\r\n"
    "Field Gun,3,0,12,1,1,3,3,100,1,0,0\r\n"
    "Rifle Brigade,2,1,5,0,0,9,1,0,1,0,0\r\n"
    "Rifle Brigade,3,2,7,0,0,0,1,0,1,0,0\r\n"
    "* Side 1 Nations Available\r\n1,0,3,0,0,0\r\n"
    "* Side 2 Nations Available\r\n2,1,0,0,0,3\r\n"
    "* 6 unknown bytes\r\n7,0,255,1,2,3\r\n"
    "* Side 1 max Core units\r\n8\r\n"
    "* Side 1 max Aux units\r\n2\r\n"
    "* Side 2 Max Core units\r\n8\r\n"
    "* Side 2 max Aux units\r\n3\r\n"
    "* Scenario Turns\r\n24\r\n"
    "* Day Month Year\r\n12,6,1944\r\n"
    "* unknown byte\r\n9\r\n"
    "* Days per turn\r\n2\r\n"
    "* Side 1 prestige pool\r\n400\r\n"
    "* Side 2 prestige pool\r\n-5\r\n"
    "* Side 1 prestige interval\r\n4\r\n"
    "* Side 2 prestige interval\r\n5\r\n"
    "* 4 unknown bytes\r\n1,2,3,4\r\n"
    "* Side 1 prestige\r\n150\r\n"
    "* Side 2 prestige\r\n1200\r\n"
    "* Side 1 Air transport available\r\n1\r\n"
    "* Side 2 Air transport available\r\n0\r\n"
    "* Side 1 Naval transport available\r\n2\r\n"
    "* Side 2 Naval transport available\r\n3\r\n"
    "* 8 unknown bytes\r\n8,7,6,5,4,3,2,1\r\n"
    "* first turn multiplier\r1";

ScenarioSource Parse(const ScenarioValues& values) {
  std::string error;
  auto source = ParseScenarioSource(ScenarioFileBytes(values), error);
  EXPECT_TRUE(source.has_value()) << error;
  return source.value_or(ScenarioSource{});
}

// The order-of-battle text shows every other field of a scenario file.
TEST(ScenarioSource, ReadsTheHexesAndFindsTheUnitsAfterThem) {
  const ScenarioSource s = Parse(FullScenario());
  EXPECT_EQ(s.VictoryHexes, (std::vector<GameHex>{{3, 2}}));
  EXPECT_EQ(s.DeploymentCount, 3);
  EXPECT_EQ(s.DeploymentHexes, (std::vector<GameHex>{{0, 1}, {2, 2}}));
  // A deployment count of 1, or of 0, announces no hexes: the units follow at once.
  ScenarioValues values;
  values.units = FullScenario().units;
  values.byte19 = values.byte21 = 6;  // side 2 without auxiliary units is no fault
  EXPECT_EQ(Parse(values).Units, s.Units);
  values.deploymentCount = 0;
  EXPECT_EQ(Parse(values).Units, s.Units);
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

TEST(OrderOfBattleText, IsWrittenLineByLineWithItsTerminators) {
  const std::string text = OrderOfBattleText(Parse(FullScenario()), kEquipment, ThreeNations());
  EXPECT_EQ(text, kFullScenarioText);
}

// Names are the first 20 bytes of each 50-byte record, cut at their padding
// (the builder fills the other 30 bytes); record 0 keeps its place, so that
// record n is name n.
TEST(EquipmentNames, AreReadFromWholeRecordsOnly) {
  std::string error;
  auto names = ParseEquipmentNames(
      EquipmentFileBytes({"Rifle Brigade", "Light Tank      ", "Twenty characters ab"}), error);
  ASSERT_TRUE(names.has_value()) << error;
  EXPECT_EQ(*names,
            (std::vector<std::string>{"", "Rifle Brigade", "Light Tank", "Twenty characters ab"}));
  auto empty = ParseEquipmentNames(EquipmentFileBytes({}, 0), error);
  ASSERT_TRUE(empty.has_value()) << error;
  EXPECT_TRUE(empty->empty());

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
    EXPECT_FALSE(ParseEquipmentNames(c.bytes, error).has_value()) << c.fault;
    EXPECT_NE(error.find(c.fault), std::string::npos) << error;
  }
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
      {"one record", [](Inputs& in) { in.names.resize(2); },
       "data/brakequp.eqp holds records 1 to 1"},
      {"equipment past the file", [](Inputs& in) { in.values.units[0].equipment = 4; },
       "unit 1 (at 3, 1) names equipment record 4"},
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
  EXPECT_EQ(ScenarioText("abc.mapx").substr(0, 13), "abc.mapx.map\r");
}

}  // namespace
}  // namespace korv
