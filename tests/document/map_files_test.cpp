#include "editor/map_io.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

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

TEST_F(MapFilesTest, SavedFilesHaveTheDocumentedLayout) {
  MapDocument& d = editor.Document;
  EXPECT_TRUE(SaveMap(editor));  // without a path nothing is written
  EXPECT_TRUE(ListFiles(folder.Path(), "*.map").empty());
  d.MapWidth = 32;
  d.MapHeight = 32;
  AllocateMapLayers(d);
  // Owner, mark and original owner; (4, 0) is owned but unmarked, and (4, 4)
  // marked but unowned (the save clears its mark): neither is an objective.
  const int objectives[][5] = {{3, 4, 2, kPrimaryObjective, 1},  {3, 9, 2, kPrimaryObjective, 0},
                               {20, 1, 2, kPrimaryObjective, 0}, {1, 5, 1, kSecondaryObjective, 0},
                               {3, 1, 1, kOilResource, 2},       {4, 0, 5, kNoObjective, 0}};
  for (const auto& o : objectives) {
    d.Owner(o[0], o[1]) = static_cast<uint8_t>(o[2]);
    d.Mark(o[0], o[1]) = static_cast<uint8_t>(o[3]);
    d.OriginalOwner(o[0], o[1]) = static_cast<uint8_t>(o[4]);
  }
  d.Mark(4, 4) = kSecondaryObjective;
  d.Terrain(5, 7) = 0xa1;
  d.Data(5, 7, 3) = kRailLink;
  d.Tile(5, 7) = 0x1234;
  d.NationSetName = "default";
  d.MapPath = Path("big.map");
  ASSERT_TRUE(SaveMap(editor));

  // The same map through the tests' own writer: the owned objectives of any
  // kind listed column by column, each record {x, y, owner, spare, original
  // owner, 3}, after the empty record 0.
  MapLayers layers;
  layers.data = [](int x, int y, int k) {
    return x == 5 && y == 7 ? (k == 0 ? 0xa1 : k == 3 ? kRailLink : 0) : 0;
  };
  layers.tile = [](int x, int y) { return x == 5 && y == 7 ? 0x1234 : 0; };
  layers.control = [&objectives](int x, int y, int k) {
    for (const auto& o : objectives)
      if (o[0] == x && o[1] == y) return o[2 + k];
    return 0;
  };
  layers.deployment = layers.landMass = [](int, int) { return 0; };
  const auto map = folder.ReadBytes("big.map");
  EXPECT_EQ(map, VersionedMapBytes(569, 32, 32, layers,
                                   {{1, 5, 1, 0, 0, 3},
                                    {3, 1, 1, 0, 2, 3},
                                    {3, 4, 2, 0, 1, 3},
                                    {3, 9, 2, 0, 0, 3},
                                    {20, 1, 2, 0, 0, 3}}));
  // The control file holds the owner and mark planes alone.
  const size_t C = 33 * 33;
  EXPECT_EQ(folder.ReadBytes("big.ctl"),
            std::vector<uint8_t>(map.begin() + 14 + 9 * C, map.begin() + 14 + 11 * C));
}

// The objective list from version 545 on, the nation set's name from 558
// on; a stored empty name keeps the current set. Each file is read over the
// last one's layers, which keep no value (no original owner either).
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
    ForEachEditableLayer(editor.Document, [](auto& layer, int) { std::ranges::fill(layer, 5); });
    // The stored list names a different original owner than the map has, so
    // it shows whether the list was read or rebuilt; the hexes take it as a
    // byte, and a record off the map gives none.
    std::vector<std::array<int, 6>> stored = {{1, 1, 1, 0, 0x0106, 3}, {40, 1, 2, 0, 5, 3}};
    bool changed = false;
    ui.Clear();
    ASSERT_TRUE(
        LoadBytes(VersionedMapBytes(c.version, 5, 6, layers, stored, c.stored), "in.map", &changed))
        << testing::PrintToString(ui.Messages());
    // The folder has no nations for "winter": the designer is told.
    EXPECT_EQ(ui.Messages().size(), changed ? 1u : 0u);
    ExpectLayersMatch(layers);
    const MapDocument& d = editor.Document;
    int originalOwners = 0;
    for (uint8_t value : d.HexOriginalOwner) originalOwners += value != 0;
    if (c.storesList) {
      EXPECT_EQ(d.ObjectiveCount, 2);
      EXPECT_EQ(d.Objective(1, kObjectiveOriginalOwner), 0x0106);
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
  }
  // A map of one hex is a map.
  ASSERT_TRUE(LoadBytes(VersionedMapBytes(569, 0, 0, layers), "in.map"));
  EXPECT_EQ(editor.Document.HexCount(), 1u);
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
  EXPECT_EQ(d.MapName, d.MapPath);  // old maps are named by their full path
  for (uint8_t value : d.HexOriginalOwner) ASSERT_EQ(value, 0);
  // Saved again: tile 5 is clear land, so the stored 14 and 5 give way to
  // the tile's 1, but the settlement rule opened their sides first; the
  // owned diagonal hexes (1, 1) and (2, 2) keep their marks as objectives.
  MapLayers loaded = layers;
  loaded.data = [](int x, int y, int k) {
    if (k == 0) return x == 4 && y == 2 ? 8 : 1;
    return (x == 2 && y == 3) || (x == 3 && y == 1) || (x == 1 && y == 1 && k == 2) ? 1 : 0;
  };
  loaded.control = [](int x, int y, int k) {
    return k == 0 ? (x * y) % 3 : x == y && (x * y) % 3 ? 1 : 0;
  };
  editor.Document.MapPath = Path("again.map");
  ASSERT_TRUE(SaveMap(editor));
  EXPECT_EQ(folder.ReadBytes("again.map"),
            VersionedMapBytes(569, 5, 3, loaded, {{1, 1, 1, 0, 0, 3}, {2, 2, 1, 0, 0, 3}}));
  // What lies past the layers is never read, however much: a (sparse) file
  // of a terabyte opens as the same map. Tile 0 is a tile like any other.
  layers.tile = [](int x, int) { return x == 0 ? 0 : 20; };
  folder.WriteBytes("huge.map", OldMapBytes(5, 3, layers));
  std::filesystem::resize_file(folder / "huge.map", uintmax_t{1} << 40);
  editor.Document.MapPath = Path("huge.map");
  ASSERT_TRUE(LoadMap(editor));
  EXPECT_EQ(editor.Document.Tile(0, 1), 0);
  EXPECT_EQ(editor.Document.Terrain(4, 2), 8);
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

// (A missing or damaged snapshot: the editing tests' F7.)
TEST_F(MapFilesTest, SnapshotRoundTripRestoresTheMapAndItsOwnSize) {
  MapDocument& d = editor.Document;
  d.Owner(3, 4) = 2;
  d.Mark(3, 4) = kOilResource;
  d.OriginalOwner(3, 4) = 1;
  d.Data(6, 7, 4) = kRailLink;
  d.Tile(32, 30) = 9;
  RebuildObjectiveList(d);
  ASSERT_TRUE(WriteSnapshot(editor));
  const test::Kept before(d, {folder / "autosave.map"});
  // The snapshot is the versioned layout without the nation-set name.
  EXPECT_EQ(folder.ReadBytes("autosave.map").size(), 14 + 15 * d.HexCount() + 2 + 12 * 2);

  d.MapWidth = 5;
  d.MapHeight = 4;
  AllocateMapLayers(d);
  ASSERT_TRUE(ReadSnapshot(editor));
  // Every layer, the original owners refilled from the list; the copy stays.
  EXPECT_EQ(before.Changes(d), "");
}

}  // namespace
}  // namespace korv
