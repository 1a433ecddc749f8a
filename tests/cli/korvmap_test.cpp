#include "cli/korvmap.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "document/map_files.h"
#include "platform/picture.h"
#include "scenario/scenario_files.h"
#include "support/builders.h"
#include "support/korvmap_run.h"
#include "support/test_folder.h"

namespace korv {
namespace {

using test::Korvmap;
using test::KorvmapRun;
using test::TempFolder;
using ::testing::HasSubstr;

class KorvmapTest : public ::testing::Test {
 protected:
  void SetUp() override { test::WriteMiniGame(folder, test::DefaultMiniGame()); }
  std::string Path(const std::string& name) const { return (folder / name).string(); }
  TempFolder folder;
};

TEST_F(KorvmapTest, NewGivesTheSameMapForTheSameSeedAndInfoDescribesIt) {
  for (const char* name : {"a.map", "b.map"}) {
    const KorvmapRun made =
        Korvmap({"--folder", folder.Path().string(), "new", "--random-tiles", "--width", "40",
                 "--height", "25", "--seed", "99", Path(name)});
    ASSERT_EQ(made.code, 0) << made.err;
  }
  EXPECT_EQ(folder.ReadBytes("a.map"), folder.ReadBytes("b.map"));
  const KorvmapRun info = Korvmap({"info", Path("a.map")});
  ASSERT_EQ(info.code, 0) << info.err;
  EXPECT_EQ(info.out,
            "layout: versioned\nversion: 569\nwidth: 40\nheight: 25\nobjectives: 0\n"
            "nation set: default\n");
}

TEST_F(KorvmapTest, ConvertTurnsAnOldMapIntoTheVersionedLayout) {
  // A 1 x 1 old map: four hexes of tile 20 (forest) stored with terrain 1,
  // every hex marked, only (1, 1) owned.
  test::MapLayers old;
  old.data = [](int, int, int k) { return k == 0 ? 1 : 0; };
  old.tile = [](int, int) { return 20; };
  old.control = [](int x, int y, int k) { return k == 1 || (x == 1 && y == 1) ? 1 : 0; };
  old.deployment = old.landMass = [](int, int) { return 0; };
  folder.WriteBytes("old.map", test::OldMapBytes(1, 1, old));
  EXPECT_EQ(Korvmap({"info", Path("old.map")}).out,
            "layout: old\nwidth: 1\nheight: 1\nobjectives: none stored\nnation set: none stored\n");
  KorvmapRun run =
      Korvmap({"--folder", folder.Path().string(), "convert", Path("old.map"), Path("new.map")});
  ASSERT_EQ(run.code, 0) << run.err;
  // Terrain from the tile, the marks of unowned hexes cleared, one objective.
  test::MapLayers converted = old;
  converted.data = [](int, int, int k) { return k == 0 ? 8 : 0; };
  converted.control = [](int x, int y, int) { return x == 1 && y == 1 ? 1 : 0; };
  EXPECT_EQ(folder.ReadBytes("new.map"),
            test::VersionedMapBytes(569, 1, 1, converted, {{1, 1, 1, 0, 0, 3}}));
  EXPECT_EQ(folder.ReadBytes("new.ctl"), (std::vector<uint8_t>{0, 0, 0, 1, 0, 0, 0, 1}));
  Picture strategic;
  ASSERT_TRUE(strategic.LoadBmp(folder / "new.bmp"));
  EXPECT_EQ(strategic.Width(), 1);
  EXPECT_EQ(strategic.PixelAt(0, 0), 0xa0505fu);  // forest: red 160, green 80, blue 95

  KorvmapRun jump =
      Korvmap({"--folder", folder.Path().string(), "jumpmap", Path("new.map"), Path("j.bmp")});
  ASSERT_EQ(jump.code, 0) << jump.err;
  EXPECT_EQ(folder.ReadBytes("j.bmp"), folder.ReadBytes("new.bmp"));
}

// Nothing written: neither an output file nor the input map and its names.
TEST_F(KorvmapTest, RefusalsAndUsageErrorsWriteNothing) {
  const std::string game = folder.Path().string(), in = Path("in.map"), out = Path("x.map");
  ASSERT_EQ(Korvmap({"--folder", game, "new", "--width", "4", "--height", "3", in}).code, 0);
  ASSERT_EQ(Korvmap({"name", in, "1", "1", "Mill"}).code, 0);
  struct Case {
    std::vector<std::string> arguments;
    int code;
    const char* says;
  };
  const Case cases[] = {
      {{}, kExitUsage, "usage"},
      {{"--folder", game, "new", "--width", "a", "--height", "3", out}, kExitUsage, "whole number"},
      {{"--folder", game, "new", "--width", "-2", "--height", "3", out}, kExitRefused, "negative"},
      {{"--folder", game, "new", "--width", "3", "--height", "123456", out},
       kExitRefused,
       "height 123456 is larger"},
      {{"--folder", Path("nothing"), "convert", in, out},
       kExitRefused,
       "nothing is not a game folder: it holds no tile sheet bmp/mapl.bmp. Give the game "
       "folder with --folder DIR"},
      {{"--folder", game, "apply", in, out, "&Open Map File"},
       kExitRefused,
       "needs the editor's window"},
      {{"--folder", game, "apply", in, out, "grid-lines", "Paint it blue"},
       kExitRefused,
       "there is no command \"Paint it blue\""},
      {{"--folder", game, "apply", in, out, "--mark", "4", "grid-lines"},
       kExitUsage,
       "--mark needs a whole number from 0 to 3"},
      {{"--folder", game, "apply", in, out, "--view", "1,2,3", "grid-lines"},
       kExitUsage,
       "--view needs four whole numbers"},
      {{"--folder", game, "apply", in, out, "--current-tile", "32", "grid-lines"},
       kExitRefused,
       "tile 32 is not on the tile sheet"},
      {{"--folder", game, "paint", in, out, "--tile", "15", "99,1"},
       kExitRefused,
       "\"99,1\" is not a hex of the map"},
      // A later word "import-set" is no command.
      {{"name", in, "5", "0", "import-set"}, kExitRefused, "not on the map"},
      {{"name", in, "a", "0", "x"}, kExitUsage, "whole numbers"},
      {{"name", Path("none.map"), "1", "1", "x"}, kExitRefused, "cannot be opened"},
      {{"names"}, kExitUsage, "names takes one map file"},
      {{"seams", in, out}, kExitUsage, "seams takes one map file"},
      {{"--folder", game, "import-set", "--width", "3", "a.set", out},
       kExitUsage,
       "import-set does not take --width"},
      {{"import-set", "a.set", out, "--folder"}, kExitUsage, "import-set does not take --folder"},
  };
  const auto inputs = [&] {
    return std::vector{ReadWholeFile(in), ReadWholeFile(Path("in.ndx")),
                       ReadWholeFile(Path("in.str"))};
  };
  const auto before = inputs();
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.arguments));
    const KorvmapRun run = Korvmap(c.arguments);
    EXPECT_EQ(run.code, c.code);
    EXPECT_THAT(run.err, HasSubstr(c.says));
    EXPECT_FALSE(FileExists(out) || FileExists(Path("none.str")));
    EXPECT_EQ(inputs(), before);
  }
}

TEST_F(KorvmapTest, NamesListsAndNameSetsOrClearsHexNames) {
  ASSERT_EQ(Korvmap({"--folder", folder.Path().string(), "new", "--width", "4", "--height", "3",
                     "--seed", "1", Path("made.map")})
                .code,
            0);
  const std::pair<std::string, std::string> names[] = {
      {"2 1", "Bridge"}, {"4 0", "K\xc3\xb6ln am Rhein und mehr"}, {"2 0", "North"}};
  for (const auto& [hex, name] : names) {
    KorvmapRun run = Korvmap({"name", Path("made.map"), hex.substr(0, 1), hex.substr(2), name});
    ASSERT_EQ(run.code, 0) << run.err;
  }
  // Stored one byte per character, cut to 20 and blank-padded.
  EXPECT_EQ(folder.ReadText("made.str"),
            "Bridge              K\xf6ln am Rhein und meNorth               ");
  KorvmapRun listed = Korvmap({"names", Path("made.map")});
  ASSERT_EQ(listed.code, 0) << listed.err;
  // Column by column.
  EXPECT_EQ(listed.out, "2, 0, North\n2, 1, Bridge\n4, 0, K\xc3\xb6ln am Rhein und me\n");

  ASSERT_EQ(Korvmap({"name", Path("made.map"), "2", "1", ""}).code, 0);
  EXPECT_EQ(Korvmap({"names", Path("made.map")}).out,
            "2, 0, North\n4, 0, K\xc3\xb6ln am Rhein und me\n");
  EXPECT_EQ(folder.ReadBytes("made.str").size(), 60u);  // the cleared name's slot stays
}

TEST_F(KorvmapTest, ControlGivesHexesOwnerOriginalOwnerAndMarkAsClicksDo) {
  const std::string game = folder.Path().string();
  ASSERT_EQ(
      Korvmap({"--folder", game, "new", "--width", "6", "--height", "5", Path("in.map")}).code, 0);
  KorvmapRun set = Korvmap({"--folder", game, "control", Path("in.map"), Path("a.map"), "--nation",
                            "3", "--mark", "2", "1,1", "4,2"});
  ASSERT_EQ(set.code, 0) << set.err;
  set = Korvmap({"--folder", game, "control", Path("a.map"), Path("b.map"), "--nation", "2",
                 "--original-owner", "5", "--mark", "1", "4,2"});
  ASSERT_EQ(set.code, 0) << set.err;
  std::string error;
  auto map = ReadMapFile(folder / "b.map", {}, error);
  ASSERT_TRUE(map) << error;
  const MapDocument& d = map->Document;
  EXPECT_EQ(d.Owner(1, 1), 3);
  EXPECT_EQ(d.Mark(1, 1), kPrimaryObjective);
  EXPECT_EQ(d.Owner(4, 2), 2);
  EXPECT_EQ(d.Mark(4, 2), kSecondaryObjective);
  EXPECT_EQ(d.Owner(0, 0), 0);
  // Objectives listed column by column, each with its original owner.
  ASSERT_EQ(d.ObjectiveCount, 2);
  EXPECT_EQ(d.Objective(1, kObjectiveOriginalOwner), 3);
  EXPECT_EQ(d.Objective(2, kObjectiveOriginalOwner), 5);

  EXPECT_EQ(Korvmap({"--folder", game, "control", Path("in.map"), Path("x.map"), "1,1"}).code,
            kExitUsage);
  EXPECT_FALSE(FileExists(folder / "x.map"));
}

// A mini game folder with a 4 x 3 set (A = 3, B = 2) of tiles 4 + x + y and
// one owned hex, a scenario with one unit, and the equipment file.
class ImportSetCommandTest : public KorvmapTest {
 protected:
  void SetUp() override {
    KorvmapTest::SetUp();
    folder.WriteBytes("brak_files/mapnames.str", test::MapNamesBytes({""}));
    folder.WriteBytes("data/brakequp.eqp", test::EquipmentFileBytes({"Rifle Brigade"}));
    test::SetValues set{.a = 3, .b = 2};
    set.tile = [](int x, int y) { return 4 + x + y; };
    set.owner = [](int x, int y) { return x == 1 && y == 1 ? 2 : 0; };
    folder.WriteBytes("sets/game005.set", test::SetFileBytes(set));
    test::ScenarioValues scenario;
    scenario.units = {{.equipment = 1, .nation = 2, .x = 3, .y = 2, .strength = 9}};
    folder.WriteBytes("sets/game005.scn", test::ScenarioFileBytes(scenario));
    std::filesystem::create_directories(folder / "out");
  }
  KorvmapRun Import(const std::string& out, bool replace = false) {
    std::vector<std::string> arguments = {"--folder", folder.Path().string(), "import-set",
                                          Path("sets/game005.set"), Path(out)};
    if (replace) arguments.push_back("--replace");
    return Korvmap(arguments);
  }
};

// Without --replace an order of battle already there is kept.
TEST_F(ImportSetCommandTest, WritesTheMapAndItsScenarioFilesBesideIt) {
  folder.WriteText("out/abc.oob", "edited by hand");
  KorvmapRun run = Import("out/abc");  // the extension is added
  ASSERT_EQ(run.code, kExitOk) << run.err;
  for (const std::string file :
       {"abc.map", "abc.ctl", "abc.bmp", "abc.ndx", "abc.str", "abc.oob", "abc.scn"}) {
    EXPECT_TRUE(FileExists(folder / "out" / file)) << file;
    EXPECT_THAT(run.out, HasSubstr((file == "abc.oob" ? "kept " : "wrote ") + Path("out/" + file)));
  }
  EXPECT_EQ(folder.ReadText("out/abc.oob"), "edited by hand");
  EXPECT_THAT(run.err, HasSubstr(Path("out/abc.oob") + "already exists."));
  // The hex-name files of an imported map are empty.
  EXPECT_EQ(folder.ReadBytes("out/abc.ndx"), std::vector<uint8_t>(4 * 5 * 3, 0));
  EXPECT_TRUE(folder.ReadBytes("out/abc.str").empty());
  // The game folder is only read: no hex-name files or random lists of its own start-up.
  for (const char* file : {"game005.oob", "newmap.str", "newmap.ndx", "mapedit/001.rnd"})
    EXPECT_FALSE(FileExists(folder / file)) << file;
}

TEST_F(ImportSetCommandTest, AnExistingMapAndOrderOfBattleAreReplacedOnlyWhenAsked) {
  folder.WriteText("out/abc.map", "an older map");
  folder.WriteText("out/abc.oob", "edited by hand");
  KorvmapRun kept = Import("out/abc.map");
  EXPECT_EQ(kept.code, kExitRefused);
  EXPECT_THAT(kept.err, HasSubstr(Path("out/abc.map") + " already exists."));
  EXPECT_EQ(folder.ReadText("out/abc.map"), "an older map");
  EXPECT_EQ(folder.ReadText("out/abc.oob"), "edited by hand");
  EXPECT_FALSE(FileExists(folder / "out/abc.scn"));

  KorvmapRun replaced = Import("out/abc.map", true);
  ASSERT_EQ(replaced.code, kExitOk) << replaced.err;
  EXPECT_NE(folder.ReadText("out/abc.map"), "an older map");
  EXPECT_EQ(folder.ReadText("out/abc.scn"), ScenarioText("abc"));
  EXPECT_THAT(folder.ReadText("out/abc.oob"),
              HasSubstr("\r1\r\n* unit name-mapx-mapy-strength-entrenchment-side-nation-unit "
                        "type-experience-turn of entry-trans1-trans2\r"
                        "Rifle Brigade,4,2,9,0,2,2,1,0,1,0,0\r\n"));
}

}  // namespace
}  // namespace korv
