// The demo game's files for a set import: their layouts read by the game's
// offsets, and an import of them that gives back the sample map's columns,
// its objectives and deployment, and a unit line for every unit.
#include <gtest/gtest.h>

#include <filesystem>

#include "demo_folder.h"
#include "editor/editor.h"
#include "editor/map_io.h"
#include "editor/set_import.h"
#include "editor/startup.h"
#include "flags.h"
#include "platform/bytes.h"
#include "platform/interaction.h"
#include "platform/random.h"
#include "sample_map.h"
#include "sample_set.h"

namespace korv::demo::test {
namespace {

const MapDocument& SampleMap() {
  static const MapDocument map = [] {
    MapDocument document;
    std::string error;
    EXPECT_TRUE(BuildSampleMap(Catalogue(), document, error)) << error;
    return document;
  }();
  return map;
}

std::string NameAt(const std::vector<uint8_t>& bytes, size_t offset) {
  std::string name(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                   bytes.begin() + static_cast<std::ptrdiff_t>(offset + 20));
  return name.substr(0, name.find('\0'));
}

bool IsWater(int terrain) {
  return terrain == kOcean || terrain == kRiver || terrain == kLake || terrain == kStream;
}

TEST(SampleSet, SetFileHoldsColumns1To40OfTheSampleMap) {
  const std::vector<uint8_t> bytes = ReadDemoFile(kSampleSetFile);
  ByteCursor in(bytes);
  in.Skip(101);
  EXPECT_EQ(in.ReadI16(), 39);  // A
  EXPECT_EQ(in.ReadI16(), 30);  // B
  const size_t hexes = 40 * 31;
  ASSERT_EQ(bytes.size(), 123 + 7 * hexes);
  // The tile block, row by row, holds the map's tiles one column to the left.
  ByteCursor tiles(bytes);
  tiles.Skip(123 + 5 * hexes);
  for (int y = 0; y <= 30; ++y)
    for (int x = 0; x <= 39; ++x) ASSERT_EQ(tiles.ReadI16(), SampleMap().Tile(x + 1, y));
}

TEST(SampleSet, MapNameAndEquipmentFilesFollowTheGamesLayouts) {
  const std::vector<uint8_t> names = ReadDemoFile(kSampleMapNamesFile);
  const auto mapNames = SampleMapNames();
  ASSERT_EQ(names.size(), 2 + 20 * mapNames.size());
  EXPECT_EQ(ByteCursor(names).ReadI16(), static_cast<int16_t>(mapNames.size()));
  for (size_t m = 0; m < mapNames.size(); ++m) EXPECT_EQ(NameAt(names, 2 + 20 * m), mapNames[m]);

  const std::vector<uint8_t> equipment = ReadDemoFile(kSampleEquipmentFile);
  const auto records = SampleEquipment();
  ASSERT_EQ(equipment.size(), 2 + 50 * records.size());
  EXPECT_EQ(ByteCursor(equipment).ReadI16(), static_cast<int16_t>(records.size()));
  EXPECT_EQ(NameAt(equipment, 2), "");  // the reserved record
  for (size_t n = 1; n < records.size(); ++n) {
    EXPECT_EQ(NameAt(equipment, 2 + 50 * n), records[n].Name);
    EXPECT_EQ(std::string(records[n].Name).find_first_of(",\r\n"), std::string::npos);
  }
}

TEST(SampleSet, ScenarioSidesAndUnitsAgreeWithTheNationsAndTheMap) {
  const std::vector<uint8_t> bytes = ReadDemoFile(kSampleScenarioFile);
  const auto side1 = SampleSide1Nations();
  const auto side2 = SampleSide2Nations();
  for (size_t k = 0; k < 6; ++k) {
    EXPECT_EQ(bytes[2 * k], side1[k]);
    EXPECT_EQ(bytes[2 * k + 1], side2[k]);
    EXPECT_LE(side1[k], DemoNations().size());
    EXPECT_LE(side2[k], DemoNations().size());
  }
  const auto units = SampleUnits();
  const auto equipment = SampleEquipment();
  const int deployment = ByteCursor(std::span(bytes).subspan(117)).ReadI16();
  EXPECT_EQ(bytes.size(), 119 + 4 * static_cast<size_t>(deployment - 1) + 20 + 14 * units.size());
  const MapDocument& map = SampleMap();
  for (const SampleUnit& unit : units) {
    SCOPED_TRACE(std::string(equipment[static_cast<size_t>(unit.Equipment)].Name) + " at " +
                 std::to_string(unit.X) + "," + std::to_string(unit.Y));
    ASSERT_TRUE(map.Contains(unit.X, unit.Y));
    EXPECT_GE(unit.X, 1);  // column 0 is not in the set
    EXPECT_FALSE(IsWater(map.Terrain(unit.X, unit.Y)));
    const bool onSide1 = std::find(side1.begin(), side1.end(), unit.Nation) != side1.end();
    const bool onSide2 = std::find(side2.begin(), side2.end(), unit.Nation) != side2.end();
    EXPECT_TRUE(onSide1 != onSide2);
    ASSERT_GE(unit.Equipment, 1);
    ASSERT_LT(static_cast<size_t>(unit.Equipment), equipment.size());
    EXPECT_LE(equipment[static_cast<size_t>(unit.Equipment)].Class, 4);  // a fighting unit
    if (unit.GroundTransport != 0) {
      EXPECT_EQ(equipment[static_cast<size_t>(unit.GroundTransport)].Class, 5);
    }
    if (unit.SeaAirTransport != 0) {
      const int kind = equipment[static_cast<size_t>(unit.SeaAirTransport)].Class;
      EXPECT_TRUE(kind == 6 || kind == 7);
    }
  }
  // Every objective of the map has a name in the map-name file.
  for (int x = 1; x <= map.MapWidth; ++x) {
    for (int y = 0; y <= map.MapHeight; ++y) {
      if (map.Mark(x, y) == kNoObjective) continue;
      const auto places = SamplePlaces();
      EXPECT_TRUE(std::any_of(places.begin(), places.end(),
                              [&](const SamplePlace& p) {
                                return p.X == x && p.Y == y && p.NameNumber > 0 &&
                                       static_cast<size_t>(p.NameNumber) < SampleMapNames().size();
                              }))
          << x << "," << y;
    }
  }
}

std::filesystem::path CopyOfDemoFolder() {
  const std::filesystem::path copy = NewTemporaryFolder();
  std::filesystem::copy(DemoFolder(), copy, std::filesystem::copy_options::recursive);
  return copy;
}

// The editor imports the demo set from a copy of the demo folder.
class SampleSetImport : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(StartUp(editor, error, false)) << error;
    ui.Clear();
    ASSERT_TRUE(ImportSetFile(editor, (folder_ / kSampleSetFile).string()));
  }

  std::filesystem::path folder_ = CopyOfDemoFolder();
  RecordingInteraction ui;
  SeededRandom random{5};
  Editor editor{GameFolder(folder_), ui, random};
};

TEST_F(SampleSetImport, GivesBackTheSampleMapsColumnsObjectivesAndDeployment) {
  EXPECT_TRUE(ui.Messages().empty()) << ::testing::PrintToString(ui.Messages());
  const MapDocument& map = SampleMap();
  const MapDocument& d = editor.Document;
  ASSERT_EQ(d.MapWidth, map.MapWidth);
  ASSERT_EQ(d.MapHeight, map.MapHeight);
  for (int x = 0; x <= d.MapWidth; ++x) {
    const int source = x == 0 ? 1 : x;  // column 0 repeats the first set column
    for (int y = 0; y <= d.MapHeight; ++y) {
      SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
      ASSERT_EQ(d.Tile(x, y), map.Tile(source, y));
      ASSERT_EQ(d.Terrain(x, y), map.Terrain(source, y));
      for (int side = 1; side <= 6; ++side)
        ASSERT_EQ(d.Data(x, y, side), map.Data(source, y, side) != kNoLink ? kRoadLink : kNoLink);
      if (x == 0) continue;
      const bool objective = map.Mark(x, y) != kNoObjective;
      ASSERT_EQ(d.Owner(x, y), objective ? map.Owner(x, y) : 0);
      const int mark = map.Mark(x, y) == kPrimaryObjective ? kPrimaryObjective
                       : objective                         ? kSecondaryObjective
                                                           : kNoObjective;
      ASSERT_EQ(d.Mark(x, y), mark);
      ASSERT_EQ(d.HexDeployment[d.Index(x, y)], map.HexDeployment[map.Index(x, y)] == 1 ? 1 : 0);
    }
  }
}

TEST_F(SampleSetImport, OrderOfBattleListsTheSidesAndEveryUnit) {
  const std::vector<uint8_t> bytes =
      ReadWholeFile(folder_ / "game001.oob").value_or(std::vector<uint8_t>{});
  const std::string text(bytes.begin(), bytes.end());
  EXPECT_EQ(text.substr(0, 34), "* number of sequences or sides\r2\r\n");
  EXPECT_NE(text.find("* sequence/side names\rAldria\r\nBorvenia\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r1,Aldria,0,1,0\r5,Estmere,0,1,4\r2,Borvenia,0,2,1\r3,Calistan,0,2,2\r"),
            std::string::npos)
      << text;
  const auto units = SampleUnits();
  EXPECT_NE(
      text.find("* number of starting units in scenario\r" + std::to_string(units.size()) + "\r\n"),
      std::string::npos);
  size_t at = text.find("trans1-trans2\r");
  ASSERT_NE(at, std::string::npos);
  at += 14;
  for (const SampleUnit& unit : units) {
    const std::string name = SampleEquipment()[static_cast<size_t>(unit.Equipment)].Name;
    const std::string start =
        name + "," + std::to_string(unit.X) + "," + std::to_string(unit.Y) + ",";
    EXPECT_EQ(text.compare(at, start.size(), start), 0) << text.substr(at, 40);
    at = text.find("\r\n", at) + 2;
  }
  EXPECT_EQ(text.compare(at, 26, "* Side 1 Nations Available"), 0);
  EXPECT_NE(text.find("* Day Month Year\r\n14,5,1941\r\n"), std::string::npos);
}

}  // namespace
}  // namespace korv::demo::test
