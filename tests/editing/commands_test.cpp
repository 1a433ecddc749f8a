// (korvmap apply's refusals: the korvmap tests.)
#include "editing/commands.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "editing/editing.h"
#include "editor/map_io.h"
#include "support/editor_fixture.h"
#include "support/korvmap_run.h"

namespace korv {
namespace {

using test::Korvmap;
using test::KorvmapRun;
using test::SessionOnMiniGame;

TEST(FindCommand, ByNameOrCaptionWithoutAccessKeyOrCase) {
  SessionOnMiniGame world;
  const Command* random = FindCommand("random-tiles");
  ASSERT_NE(random, nullptr);
  struct Case {
    const char* name;
    const char* id;  // nullptr: no entry, or more than one fits
  };
  const Case cases[] = {
      {"&Save Map File", "save-map"},
      {"SAVE MAP FILE &AS", "save-map-as"},
      {"Random Tiles OFF", "random-tiles"},
      {"Random Tiles", "random-tiles"},  // the caption without its state
      {"Default Area", "default-area"},
      {"Hex Control", nullptr},  // "Hex Control ON" and "Hex Control OFF"
      {"Hex", nullptr},          // not followed by a blank: no caption word
      {"Paint", nullptr},
      {"", nullptr},
  };
  for (const Case& c : cases) {
    const Command* found = FindCommand(c.name);
    EXPECT_EQ(found ? std::string(found->id) : std::string("none"), c.id ? c.id : "none") << c.name;
  }
  // The caption an entry shows now names it too.
  random->run(world.session);
  EXPECT_EQ(FindCommand("random tiles on", &world.session), random);
  EXPECT_EQ(FindCommand("random tiles on"), nullptr);
  // The other switches flip what they name.
  for (const char* id : {"show-road-control", "default-area", "grid-lines"}) {
    FindCommand(id)->run(world.session);
  }
  EXPECT_FALSE(world.session.editor.Settings.ShowRoadControl);
  EXPECT_TRUE(world.session.control.WholeMapArea);
  EXPECT_TRUE(world.session.switches.GridLines);
  GridDimensionsDialog_Cancel(world.session);  // a cancelled grid dialog takes them away
  EXPECT_FALSE(world.session.switches.GridLines);
  // The Hex Control entries check the one the edit mode is in.
  FindCommand("hex-control-on")->run(world.session);
  EXPECT_TRUE(CommandState(*FindCommand("hex-control-on"), world.session).Checked);
  EXPECT_FALSE(CommandState(*FindCommand("hex-control-off"), world.session).Checked);
}

TEST(CommandTable, FindingRoadProblemsWalksFromOneToTheNext) {
  SessionOnMiniGame world;
  for (int y = 12; y <= 15; ++y) {
    world.Map().Tile(20, y) = 15;  // a road with exits top and bottom, owned
    world.Map().Owner(20, y) = 1;
  }
  const Command* find = FindCommand("Find connection/control problems");
  const auto press = [&] { return RunCommand(world.session, *find).report; };
  const std::vector<std::string> walk = {"Hex (20, 12): a road that ends",
                                         "Hex (20, 15): a road that ends", "",
                                         "Hex (20, 12): a road that ends"};
  for (const std::string& expected : walk) {
    world.ui.Clear();
    EXPECT_EQ(press(), expected);
    if (expected.empty()) {
      EXPECT_EQ(world.ui.Messages(), std::vector<std::string>{"none found"});
      continue;
    }
    // The view is centred on the problem: 10 columns and 8 rows shown.
    EXPECT_EQ(world.session.view.ViewLeft, 20 - 9 / 2);
    EXPECT_EQ(world.session.view.ViewTop, std::stoi(expected.substr(9, 2)) - 7 / 2);
  }
  // A move of the view by the user starts the walk again at its left column.
  world.session.view.ViewTop = 1;
  EXPECT_EQ(press(), "Hex (20, 12): a road that ends");
  // So does another map: its first press finds what lies before the old position.
  ASSERT_TRUE(test::ReplaceWithNewMap(world.session, 30, 30));
  world.Map().Owner(20, 3) = 1;  // owned, off the roads
  EXPECT_EQ(press(), "Hex (20, 3): an owned hex off the roads");
}

// An entry that may change what the view draws shows the map again. (Original
// owners, terrain and land masses are not drawn; F7 needs an undo copy; the
// filled-in road exits and repaired values wait for the next redraw.)
TEST(CommandTable, EntriesThatChangeTheMapRedrawTheView) {
  // The road problem walk draws only when it finds one (the mini game has none).
  const std::set<std::string> undrawn = {"undo",
                                         "original-owners",
                                         "terrain-from-tiles",
                                         "land-masses",
                                         "fill-road-connections",
                                         "verify-hex-data",
                                         "find-road-problems"};
  for (const Command& command : CommandTable()) {
    if (!command.change || !command.Available() || undrawn.count(command.id)) continue;
    SessionOnMiniGame world;
    int presents = 0;
    world.session.view.OnPresent = [&presents] { ++presents; };
    RunCommand(world.session, command);
    EXPECT_GT(presents, 0) << command.id;
  }
}

TEST(KorvmapApply, RunsTheMenusCommandsAndSavesTheSameBytes) {
  // A map with a city (terrain 5) at (2, 2) and a road tile at (3, 3).
  test::MiniGame game = test::DefaultMiniGame();
  game.tileTerrain[2] = 5;
  SessionOnMiniGame world(game);
  MapDocument& map = world.Map();
  map.Tile(2, 2) = 2;
  map.Terrain(2, 2) = 5;
  map.Tile(3, 3) = 15;
  map.MapPath = world.Path("in.map");
  ASSERT_TRUE(SaveMap(world.session.editor));

  // The same commands through the session, as the menus run them.
  world.session.control.SelectedNation = 2;
  world.session.control.SelectedObjectiveMark = kPrimaryObjective;
  for (const char* name : {"Default Area (Screen)", "Set Hex Control (Screen Area)"}) {
    FindCommand(name)->run(world.session);
  }
  map.MapPath = world.Path("menus.map");
  ASSERT_TRUE(SaveMap(world.session.editor));
  EXPECT_EQ(map.Owner(2, 2), 2);
  EXPECT_EQ(map.Mark(2, 2), kPrimaryObjective);
  EXPECT_EQ(map.Owner(3, 3), 2);  // a road hex takes the owner

  const KorvmapRun run = Korvmap({"--folder", world.folder.Path().string(), "apply",
                                  world.Path("in.map"), world.Path("out.map"), "--nation", "2",
                                  "--mark", "2", "default area", "set-hex-control"});
  ASSERT_EQ(run.code, kExitOk) << run.err;
  EXPECT_EQ(world.folder.ReadBytes("out.map"), world.folder.ReadBytes("menus.map"));
  EXPECT_EQ(world.folder.ReadBytes("out.ctl"), world.folder.ReadBytes("menus.ctl"));

  // --view (left, top, columns, rows) limits an area command to the hexes it shows.
  const KorvmapRun viewed =
      Korvmap({"--folder", world.folder.Path().string(), "apply", world.Path("in.map"),
               world.Path("viewed.map"), "--view", "3,2,2,3", "--nation", "1", "set-hex-control"});
  ASSERT_EQ(viewed.code, kExitOk) << viewed.err;
  std::string error;
  auto parsed =
      ReadMapFile(world.Path("viewed.map"), world.session.editor.Tiles.TileTerrain, error);
  ASSERT_TRUE(parsed) << error;
  EXPECT_EQ(parsed->Document.Owner(3, 3), 1);
  EXPECT_EQ(parsed->Document.Owner(2, 2), 0);  // the city left of the view, in its rows
}

}  // namespace
}  // namespace korv
