#include "editor/map_io.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/builders.h"
#include "support/editor_fixture.h"
#include "support/kept.h"

namespace korv {
namespace {

using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

using test::MapLayers;
using test::OldMapBytes;
using test::VersionedMapBytes;

// An editor started on a small game folder: tiles 0..31, 4-15 clear, 16-23 forest.
class MapFilesTest : public ::testing::Test, public test::EditorOnMiniGame {
 protected:
  bool LoadBytes(const std::vector<uint8_t>& bytes, const std::string& name = "in.map",
                 bool* nationSetChanged = nullptr) {
    folder.WriteBytes(name, bytes);
    editor.Document.MapPath = Path(name);
    editor.Document.MapName = name;
    return LoadMap(editor, nationSetChanged);
  }

  void ExpectLayersMatch(const MapLayers& layers) {
    const MapDocument& d = editor.Document;
    for (int y = 0; y <= d.MapHeight; ++y) {
      for (int x = 0; x <= d.MapWidth; ++x) {
        for (int k = 0; k < 7; ++k)
          ASSERT_EQ(d.Data(x, y, k), layers.data(x, y, k)) << x << "," << y;
        ASSERT_EQ(d.Tile(x, y), layers.tile(x, y));
        ASSERT_EQ(d.Owner(x, y), layers.control(x, y, 0));
        ASSERT_EQ(d.HexDeployment[d.Index(x, y)], layers.deployment(x, y));
        ASSERT_EQ(d.HexLandMass[d.Index(x, y)], layers.landMass(x, y));
      }
    }
  }
};

TEST_F(MapFilesTest, SavedFilesHaveTheDocumentedSizeAndOffsets) {
  MapDocument& d = editor.Document;
  EXPECT_TRUE(SaveMap(editor));  // without a path nothing is written
  EXPECT_TRUE(ListFiles(folder.Path(), "*.map").empty());
  d.MapWidth = 32;
  d.MapHeight = 32;
  AllocateMapLayers(d);
  const int objectives[3][2] = {{3, 4}, {3, 9}, {20, 1}};
  for (const auto& o : objectives) {
    d.Owner(o[0], o[1]) = 2;
    d.Mark(o[0], o[1]) = kPrimaryObjective;
  }
  d.Mark(4, 4) = kSecondaryObjective;  // no owner: the save clears it
  d.Terrain(5, 7) = 0xa1;
  d.Data(5, 7, 3) = kRailLink;
  d.Tile(5, 7) = 0x1234;
  d.NationSetName = "default";
  d.MapPath = Path("big.map");
  ASSERT_TRUE(SaveMap(editor));

  auto map = folder.ReadBytes("big.map");
  auto control = folder.ReadBytes("big.ctl");
  const size_t C = 33 * 33;
  ASSERT_EQ(map.size(), 16408u);
  ASSERT_EQ(control.size(), 2178u);
  EXPECT_EQ(std::string(map.begin(), map.begin() + 8), "Version ");
  EXPECT_EQ(map[8] | (map[9] << 8), 569);
  EXPECT_EQ(map[10] | (map[11] << 8), 32);
  EXPECT_EQ(map[14 + 7 * 33 + 5], 0xa1);               // terrain of (5, 7)
  EXPECT_EQ(map[14 + 3 * C + 7 * 33 + 5], kRailLink);  // its side 3
  EXPECT_EQ(map[14 + 7 * C + 2 * (7 * 33 + 5)], 0x34);
  EXPECT_EQ(map[14 + 7 * C + 2 * (7 * 33 + 5) + 1], 0x12);
  EXPECT_EQ(map[14 + 9 * C + 4 * 33 + 3], 2);  // owner of (3, 4)
  EXPECT_EQ(map[14 + 10 * C + 4 * 33 + 3], kPrimaryObjective);
  EXPECT_EQ(map[14 + 10 * C + 4 * 33 + 4], 0);  // the mark of unowned (4, 4)
  EXPECT_EQ(map[14 + 15 * C], 3);               // objective count
  // Field 1 (rows) of records 0..3 follows the four x values: 0, 4, 9, 1.
  const size_t rows = 16 + 15 * C + 2 * 4;
  EXPECT_EQ(map[rows + 2], 4);
  EXPECT_EQ(map[rows + 4], 9);
  EXPECT_EQ(map[rows + 6], 1);
  EXPECT_EQ(map[map.size() - 9], 7);  // name length
  EXPECT_EQ(std::string(map.end() - 7, map.end()), "default");
  EXPECT_TRUE(std::equal(control.begin(), control.end(), map.begin() + 14 + 9 * C));
}

// The objective list from version 545 on, the nation set's name from 558
// on; a stored empty name keeps the current set.
TEST_F(MapFilesTest, VersionRules) {
  struct Case {
    int version;
    bool storesList;
    const char* stored;    // the nation set's name in the file
    const char* setAfter;  // the current set is "desert"
  };
  const Case cases[] = {{544, false, "winter", "desert"},
                        {545, true, "winter", "desert"},
                        {557, true, "winter", "desert"},
                        {558, true, "winter", "winter"},
                        {569, true, "", "desert"}};
  MapLayers layers;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version);
    editor.Document.NationSetName = "desert";
    editor.Document.OriginalOwner(3, 3) = 5;  // in no list: cleared by the load
    // The stored list names a different original owner than the map has, so
    // it shows whether the list was read or rebuilt.
    std::vector<std::array<int, 6>> stored = {{1, 1, 1, 0, 6, 3}};
    bool changed = false;
    ASSERT_TRUE(
        LoadBytes(VersionedMapBytes(c.version, 5, 6, layers, stored, c.stored), "in.map", &changed))
        << testing::PrintToString(ui.Messages());
    ExpectLayersMatch(layers);
    const MapDocument& d = editor.Document;
    int originalOwners = 0;
    for (uint8_t value : d.HexOriginalOwner) originalOwners += value != 0;
    if (c.storesList) {
      EXPECT_EQ(d.ObjectiveCount, 1);
      EXPECT_EQ(d.Objective(1, kObjectiveOriginalOwner), 6);
      EXPECT_EQ(d.HexOriginalOwner[d.Index(1, 1)], 6);
      EXPECT_EQ(originalOwners, 1);
    } else {
      // Rebuilt from the control layer: (1,1), (2,2), (4,4), (5,5) are owned.
      EXPECT_EQ(d.ObjectiveCount, 4);
      EXPECT_EQ(d.Objective(4, kObjectiveX), 5);
      EXPECT_EQ(originalOwners, 0);
    }
    EXPECT_EQ(d.NationSetName, c.setAfter);
    EXPECT_EQ(changed, std::string(c.setAfter) != "desert");
    EXPECT_EQ(d.HexPixelPos.size(), 2u * 6 * 7);
  }
}

TEST_F(MapFilesTest, SaveThenLoadGivesTheSameDocumentAndBytes) {
  MapLayers layers;
  ASSERT_TRUE(LoadBytes(VersionedMapBytes(569, 9, 4, layers, {{1, 1, 1, 0, 2, 3}})));
  editor.Document.MapPath = Path("again.map");
  ASSERT_TRUE(SaveMap(editor));
  auto first = folder.ReadBytes("again.map");
  ASSERT_TRUE(LoadBytes(first, "again.map"));
  ExpectLayersMatch(layers);
  ASSERT_TRUE(SaveMap(editor));
  EXPECT_EQ(folder.ReadBytes("again.map"), first);
}

TEST_F(MapFilesTest, OldLayoutRules) {
  MapLayers layers;
  layers.data = [](int x, int y, int k) {
    if (k > 0) return (x == 1 && y == 1 && k == 2) ? 1 : 0;
    if (x == 2 && y == 3) return 14;  // a port without roads
    if (x == 3 && y == 1) return 5;   // a city without roads
    return 1;
  };
  // Tile 20 is forest: its stored terrain 1 must give way to 8.
  layers.tile = [](int x, int y) { return x == 4 && y == 2 ? 20 : 5; };
  ASSERT_TRUE(LoadBytes(OldMapBytes(5, 3, layers)));
  const MapDocument& d = editor.Document;
  EXPECT_EQ(d.MapWidth, 5);
  EXPECT_EQ(d.MapHeight, 3);
  EXPECT_EQ(d.MapName, d.MapPath);  // old maps are named by their full path
  EXPECT_EQ(d.Terrain(4, 2), 8);
  // Tile 5 is clear land, so the stored 14 and 5 give way to the tile's 1,
  // but the settlement rule opened the sides first.
  for (int side = 1; side <= 6; ++side) {
    EXPECT_EQ(d.Data(2, 3, side), kRoadLink);
    EXPECT_EQ(d.Data(3, 1, side), kRoadLink);
    EXPECT_EQ(d.Data(3, 2, side), 0);
  }
  EXPECT_EQ(d.Terrain(2, 3), 1);
  EXPECT_EQ(d.Data(1, 1, 2), kRoadLink);
  EXPECT_EQ(d.HexLandMass[d.Index(5, 3)], -5 - 300);
  EXPECT_EQ(d.HexDeployment[d.Index(2, 3)], 3);
  EXPECT_EQ(d.NationSetName, "default");
  for (uint8_t value : d.HexOriginalOwner) ASSERT_EQ(value, 0);
  EXPECT_EQ(d.ObjectiveCount, 2);  // (1,1) and (2,2) are owned diagonal hexes
}

TEST_F(MapFilesTest, AShortFileReadsZerosForTheMissingPart) {
  auto bytes = VersionedMapBytes(569, 4, 4);
  const size_t C = 25;
  bytes.resize(14 + 7 * C + 2 * 10 + 1);  // cut inside the tile of hex (0, 2)
  ASSERT_TRUE(LoadBytes(bytes));
  const MapDocument& d = editor.Document;
  EXPECT_EQ(d.Tile(4, 1), MapLayers{}.tile(4, 1));
  EXPECT_EQ(d.Tile(0, 2), MapLayers{}.tile(0, 2) & 0xff);
  EXPECT_EQ(d.Tile(1, 2), 0);
  for (uint8_t owner : d.HexControl) ASSERT_EQ(owner, 0);
  EXPECT_EQ(d.ObjectiveCount, 0);
  EXPECT_EQ(d.NationSetName, "default");  // no stored name: the current set stays
}

// A missing file, a negative or absurd size: the file dialog's tests.
TEST_F(MapFilesTest, RefusedFilesLeaveTheOpenMapUntouched) {
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    const char* says;
  };
  MapLayers badTile;
  badTile.tile = [](int x, int y) { return x == 1 && y == 2 ? 32 : 4; };
  auto negativeCount = VersionedMapBytes(569, 1, 1);
  const size_t objectiveCountAt = 14 + 15 * 4;
  negativeCount[objectiveCountAt] = 0xfe;
  negativeCount[objectiveCountAt + 1] = 0xff;
  auto negativeName = VersionedMapBytes(569, 1, 1, {}, {}, "");
  negativeName[negativeName.size() - 1] = 0xff;
  const Case cases[] = {
      {"empty file", {}, "shorter than the 4 bytes"},
      {"signature only", {'V', 'e', 'r', 's', 'i', 'o', 'n', ' ', 0x39, 0x02}, "14 bytes"},
      {"old negative size", {0xff, 0xff, 2, 0}, "the width -1 is negative"},
      {"old tile outside the sheet", OldMapBytes(2, 2, badTile), "hex (1, 2) has tile number 32"},
      {"negative objective count", negativeCount, "objective count -2"},
      {"negative name length", negativeName, "name length -256"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ui.Clear();
    editor.Document.MapPath = Path("bad.map");  // as LoadBytes names it
    editor.Document.MapName = "bad.map";
    const test::Kept kept(editor.Document);
    EXPECT_FALSE(LoadBytes(c.bytes, "bad.map"));
    EXPECT_THAT(ui.Messages(), ElementsAre(AllOf(HasSubstr(Path("bad.map")), HasSubstr(c.says))));
    EXPECT_EQ(kept.Changes(editor.Document), "");
  }
}

// The Undo tests compare every layer after a restore at the same size.
TEST_F(MapFilesTest, SnapshotRoundTripRestoresTheMapAndItsOwnSize) {
  MapDocument& d = editor.Document;
  d.Owner(3, 4) = 2;
  d.Mark(3, 4) = kOilResource;
  d.OriginalOwner(3, 4) = 1;
  d.Data(6, 7, 4) = kRailLink;
  d.Tile(32, 30) = 9;
  RebuildObjectiveList(d);
  const MapDocument before = d;
  ASSERT_TRUE(WriteSnapshot(editor));
  auto snapshot = folder.ReadBytes("autosave.map");
  // The snapshot is the versioned layout without the nation-set name.
  EXPECT_EQ(snapshot.size(), 14 + 15 * d.HexCount() + 2 + 12 * 2);

  d.MapWidth = 5;
  d.MapHeight = 4;
  AllocateMapLayers(d);
  BuildHexPixelTable(d, editor.Geometry);
  ASSERT_TRUE(ReadSnapshot(editor));
  EXPECT_EQ(d.MapWidth, before.MapWidth);
  EXPECT_EQ(d.MapHeight, before.MapHeight);
  EXPECT_EQ(d.HexData, before.HexData);
  EXPECT_EQ(d.HexTile, before.HexTile);
  EXPECT_EQ(d.Objectives, before.Objectives);
  EXPECT_EQ(d.HexOriginalOwner, before.HexOriginalOwner);  // refilled from the list
  EXPECT_EQ(d.HexPixelPos, before.HexPixelPos);
  EXPECT_EQ(folder.ReadBytes("autosave.map"), snapshot);  // reading leaves it alone
}

TEST_F(MapFilesTest, MissingOrDamagedSnapshotKeepsTheMap) {
  const test::Kept kept(editor.Document);
  EXPECT_FALSE(ReadSnapshot(editor));
  folder.WriteBytes("autosave.map", {'V', 'e', 'r'});
  EXPECT_FALSE(ReadSnapshot(editor));
  EXPECT_THAT(ui.Messages(), ElementsAre(HasSubstr("autosave.map"), HasSubstr("autosave.map")));
  EXPECT_EQ(kept.Changes(editor.Document), "");
}

}  // namespace
}  // namespace korv
