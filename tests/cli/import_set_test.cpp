#include "cli/import_set_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "scenario/scenario_files.h"
#include "support/builders.h"
#include "support/korvmap_run.h"
#include "support/test_folder.h"

namespace korv {
namespace {

using test::KorvmapRun;
using ::testing::HasSubstr;

// A mini game folder with a 4 x 3 set (A = 3, B = 2) of tiles 4 + x + y and
// one owned hex, a scenario with one unit, and the equipment file.
class ImportSetCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::WriteMiniGame(folder, test::DefaultMiniGame());
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
  std::string Path(const std::string& name) const { return (folder / name).string(); }
  KorvmapRun Import(const std::string& out, bool replace = false) {
    std::vector<std::string> arguments = {"--folder", folder.Path().string(), "import-set",
                                          Path("sets/game005.set"), Path(out)};
    if (replace) arguments.push_back("--replace");
    return test::Korvmap(arguments);
  }

  test::TempFolder folder;
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
  EXPECT_EQ(folder.ReadText("out/abc.scn"), ScenarioText("abc"));
  // The hex-name files of an imported map are empty.
  EXPECT_EQ(folder.ReadBytes("out/abc.ndx"), std::vector<uint8_t>(4 * 5 * 3, 0));
  EXPECT_TRUE(folder.ReadBytes("out/abc.str").empty());
  // The game folder is only read.
  EXPECT_FALSE(FileExists(folder / "game005.oob"));
  EXPECT_FALSE(FileExists(folder / "newmap.str"));
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

TEST_F(ImportSetCommandTest, ARefusedSetWritesNothing) {
  folder.WriteBytes("sets/game005.set", std::vector<uint8_t>(40, 0));
  KorvmapRun run = Import("out/abc.map");
  EXPECT_EQ(run.code, kExitRefused);
  EXPECT_THAT(run.err, HasSubstr("is 40 bytes long"));
  EXPECT_TRUE(std::filesystem::is_empty(folder / "out"));
}

TEST_F(ImportSetCommandTest, WithoutItsScenarioOnlyTheMapIsWritten) {
  std::filesystem::remove(folder / "sets/game005.scn");
  KorvmapRun run = Import("out/abc.map");
  ASSERT_EQ(run.code, kExitOk) << run.err;
  EXPECT_THAT(run.err,
              HasSubstr("its scenario file " + Path("sets/game005.scn") + " does not exist"));
  EXPECT_TRUE(FileExists(folder / "out/abc.map"));
  EXPECT_FALSE(FileExists(folder / "out/abc.oob"));
  EXPECT_FALSE(FileExists(folder / "out/abc.scn"));
}

// Other commands are left to korvmap; misuse gives the usage.
TEST(ImportSetCommand, TakesItsOwnCommandLinesOnly) {
  const std::pair<std::vector<std::string>, std::optional<int>> cases[] = {
      {{"info", "x.map"}, std::nullopt},
      {{"--seed", "5", "new", "import-set"}, std::nullopt},
      {{"import-set", "a.set"}, kExitUsage},
      {{"import-set", "--width", "3", "a.set", "b.map"}, kExitUsage},
  };
  for (const auto& [arguments, code] : cases) {
    std::ostringstream out, err;
    EXPECT_EQ(RunImportSetCommand(arguments, out, err), code) << arguments[0];
    if (code) {
      EXPECT_THAT(err.str(), HasSubstr("import-set SET OUT.map [--replace]"));
    }
  }
}

}  // namespace
}  // namespace korv
