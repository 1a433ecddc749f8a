#include "editing/editing.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <tuple>

#include "document/map_files.h"
#include "editing/clipboard.h"
#include "editing/commands.h"
#include "editor/map_io.h"
#include "support/editor_fixture.h"
#include "support/kept.h"

namespace korv {
namespace {

// The small test game (tiles 0-3 sea, 4-15 clear with tile 15 a road
// through top and bottom, 16-23 forest, 24-31 hills; random variants 5, 7,
// 9 and 17, 18) with tile 2 a city (5), tile 3 a port (14) and tile 6 a
// lone hill with a road through its upper right side.
test::MiniGame EditingGame() {
  test::MiniGame game = test::DefaultMiniGame();
  game.tileTerrain[2] = 5;
  game.tileTerrain[3] = 14;
  game.tileTerrain[6] = 3;
  game.roadInfo[6 * 6 + 1] = 1;
  return game;
}

class EditingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    session.view.OnPresent = [this] { ++presents; };
  }
  // A press in the middle of hex (x, y) with the view at column 1, row 1.
  void Press(int x, int y, MouseButton button = MouseButton::kLeft, int shift = 0) {
    const PixelPoint p = HexToPixel(session.editor.Geometry, x, y);
    MapView_MouseDown(session, button, shift, p.left + 20.0 - 45, p.top + 25.0 - 50);
  }
  MapDocument& Map() { return s.Map(); }

  test::SessionOnMiniGame s{EditingGame()};
  MapEditor& session = s.session;
  int presents = 0;
};

// A Ctrl press sets the current hex; Shift presses grow the selection and
// pull it back. Neither paints.
TEST_F(EditingTest, ModifiedPressesSetTheCurrentHexOrTheSelection) {
  session.editor.CurrentTile = 20;
  const auto tiles = Map().HexTile;
  Press(3, 2, MouseButton::kLeft, 2);
  EXPECT_EQ(session.interaction.CurrentHexX, 3);
  EXPECT_EQ(session.interaction.CurrentHexY, 2);
  struct Step {
    int x, y, left, right, top, bottom;
  };
  const Step steps[] = {
      {5, 5, 5, 5, 5, 5},
      {9, 3, 5, 9, 3, 5},
      {7, 4, 5, 7, 3, 4},  // inside: right and bottom pulled back
      {2, 6, 2, 7, 3, 6},
  };
  for (const Step& step : steps) {
    Press(step.x, step.y, MouseButton::kLeft, 1);
    const DrawSwitches& sw = session.switches;
    EXPECT_EQ(
        std::make_tuple(sw.SelectionLeft, sw.SelectionRight, sw.SelectionTop, sw.SelectionBottom),
        std::make_tuple(step.left, step.right, step.top, step.bottom))
        << step.x << "," << step.y;
  }
  EXPECT_EQ(Map().HexTile, tiles);
}

TEST_F(EditingTest, PaintingPutsTheTileItsTerrainAndItsRoads) {
  struct Case {
    const char* name;
    int16_t tile;
    int terrain;
    std::array<int, 6> sides;  // sides 1..6 afterwards
  };
  constexpr int R = kRailLink;
  const Case cases[] = {
      {"a tile without a road keeps the sides", 20, 8, {R, R, R, R, R, R}},
      {"a road tile joins", 15, 1, {0, 1, 0, 0, 1, 0}},
      {"a city opens every side", 2, 5, {1, 1, 1, 1, 1, 1}},
      {"a port opens every side", 3, 14, {1, 1, 1, 1, 1, 1}},
      {"a road hill", 6, 3, {0, 0, 0, 0, 0, 1}},
  };
  for (const Case& c : cases) {
    for (int side = 1; side <= 6; ++side) Map().Data(4, 4, side) = kRailLink;
    session.editor.CurrentTile = c.tile;
    Press(4, 4);
    EXPECT_EQ(Map().Tile(4, 4), c.tile) << c.name;
    EXPECT_EQ(Map().Terrain(4, 4), c.terrain) << c.name;
    for (int side = 1; side <= 6; ++side) {
      EXPECT_EQ(Map().Data(4, 4, side), c.sides[side - 1]) << c.name << ", side " << side;
    }
  }
}

TEST_F(EditingTest, HooksRecordWhenPaintingByHandAndChooseWhenAutomatic) {
  std::vector<std::tuple<int, int, int, bool>> recorded;
  session.autoTile.RecordPatterns = [&](Editor&, int x, int y, int16_t tile, bool road) {
    recorded.emplace_back(x, y, tile, road);
  };
  session.autoTile.ChooseTile = [](Editor&, int, int, bool road) { return road ? 6 : 30; };
  session.editor.CurrentTile = 15;
  Press(3, 3);
  EXPECT_EQ(recorded, (std::vector<std::tuple<int, int, int, bool>>{{3, 3, 15, true}}));

  // A chosen tile of another terrain goes down once; the designer's tile
  // stays current.
  session.editor.Settings.AutoDraw = true;
  session.editor.CurrentTile = 20;
  Press(5, 5);
  EXPECT_EQ(Map().Tile(5, 5), 30);
  EXPECT_EQ(Map().Terrain(5, 5), 3);
  EXPECT_EQ(session.editor.CurrentTile, 20);
  EXPECT_EQ(recorded.size(), 1u);
  // No choice: the current tile goes down.
  session.autoTile.ChooseTile = [](Editor&, int, int, bool) { return -1; };
  Press(7, 5);
  EXPECT_EQ(Map().Tile(7, 5), 20);
  // F8 records the forest hexes of the visible area, columns 1..10 and rows 1..8.
  recorded.clear();
  for (auto [x, y] : {std::pair{1, 1}, {10, 8}, {11, 8}, {10, 9}, {0, 1}}) Map().Terrain(x, y) = 8;
  MainWindow_KeyDown(session, EditorKey::kF8);
  EXPECT_EQ(
      recorded,
      (std::vector<std::tuple<int, int, int, bool>>{
          {1, 1, Map().Tile(1, 1), false}, {7, 5, 20, false}, {10, 8, Map().Tile(10, 8), false}}));
  // A chosen tile of the painted terrain stays current.
  session.autoTile.ChooseTile = [](Editor&, int, int, bool) { return 21; };
  Press(8, 5);
  EXPECT_EQ(session.editor.CurrentTile, 21);
}

TEST_F(EditingTest, RoadSideToolDeploymentModeAndClearingSides) {
  ClearSides_Click(session);
  ASSERT_TRUE(RoadStrip_MouseDown(session, 130));  // third cell: side 3
  EXPECT_FALSE(session.interaction.ClearSides);    // the road tool ends side clearing
  EXPECT_EQ(session.interaction.RoadSide, 3);
  EXPECT_EQ(session.switches.RoadMode, 2);
  SetRoadKind(session, 2);
  const int16_t tile = Map().Tile(6, 6);
  Press(6, 6);
  EXPECT_EQ(Map().Data(6, 6, 3), kRailLink);
  EXPECT_EQ(Map().Tile(6, 6), tile);
  EXPECT_FALSE(RoadStrip_MouseDown(session, 6 * 60 + 1));  // right of the sixth cell
  EXPECT_EQ(session.interaction.RoadSide, 3);

  session.switches.RoadMode = 0;
  session.switches.EditMode = 1;
  session.control.SelectedNation = 2;
  Press(2, 2);
  EXPECT_EQ(Map().Deployment(2, 2), 2);
  Press(2, 2);
  EXPECT_EQ(Map().Deployment(2, 2), 0);
  // Clearing sides works in any mode, the deployment mode too.
  ClearSides_Click(session);
  for (int side = 1; side <= 6; ++side) Map().Data(4, 3, side) = kRoadLink;
  Press(4, 3);
  for (int side = 1; side <= 6; ++side) EXPECT_EQ(Map().Data(4, 3, side), 0);
}

TEST_F(EditingTest, RightClickPicksUpTheTileAndResetsTheTools) {
  session.editor.Settings.AutoDraw = true;
  session.editor.Settings.RandomTiles = true;
  session.switches.EditMode = 2;
  session.switches.RoadMode = 2;
  Press(5, 5, MouseButton::kLeft, 1);
  Map().Tile(3, 4) = 27;
  const auto tiles = Map().HexTile;
  Press(3, 4, MouseButton::kRight);
  EXPECT_EQ(session.editor.CurrentTile, 27);
  EXPECT_FALSE(session.editor.Settings.AutoDraw);
  EXPECT_FALSE(session.editor.Settings.RandomTiles);
  EXPECT_EQ(session.switches.EditMode, 0);
  EXPECT_EQ(session.switches.RoadMode, 0);
  EXPECT_FALSE(session.switches.HasSelection());
  EXPECT_EQ(Map().HexTile, tiles);
  // The view no longer shows the selection: it is what a full redraw shows.
  ViewState fresh = session.view;
  fresh.OnPresent = nullptr;
  RedrawBuffers(session.editor, session.resources, session.switches, fresh);
  EXPECT_TRUE(fresh.ViewBuffer.Image() == session.view.ViewBuffer.Image());
}

TEST_F(EditingTest, KeysBAndNStepThroughTilesOfTheSameKind) {
  struct Case {
    int16_t from;
    EditorKey key;
    int16_t to;
  };
  const Case cases[] = {
      {5, EditorKey::kN, 7},   {5, EditorKey::kB, 4},
      {4, EditorKey::kB, 14},   // wraps below 0, past the road tile 15
      {14, EditorKey::kN, 4},   // skips the road tile 15, wraps past 31
      {15, EditorKey::kN, 15},  // the only clear road tile stays
  };
  session.interaction.CurrentHexX = 3;
  session.interaction.CurrentHexY = 3;
  for (const Case& c : cases) {
    session.editor.CurrentTile = c.from;
    Map().Terrain(3, 3) = 99;  // B and N change the tile only
    MainWindow_KeyDown(session, c.key);
    EXPECT_EQ(session.editor.CurrentTile, c.to) << c.from;
    EXPECT_EQ(Map().Tile(3, 3), c.to) << c.from;
    EXPECT_EQ(Map().Terrain(3, 3), 99);
  }
}

TEST_F(EditingTest, ReplacingTheMapBringsTheSessionOntoIt) {
  // A 20 x 20 map file and an undo copy of that size, made by the editor.
  ASSERT_TRUE(test::ReplaceWithNewMap(session, 20, 20));
  Map().MapPath = s.Path("small.map");
  ASSERT_TRUE(SaveMap(session.editor));
  ASSERT_TRUE(WriteSnapshot(session.editor));
  const std::function<void()> replacements[] = {
      [&] { ASSERT_TRUE(test::ReplaceWithNewMap(session, 20, 20)); },
      [&] { ASSERT_TRUE(OpenMapFile(session, s.Path("small.map"))); },
      [&] { EXPECT_TRUE(MainWindow_KeyDown(session, EditorKey::kF7).mapReplaced); },
  };
  for (const auto& replace : replacements) {
    ASSERT_TRUE(test::ReplaceWithNewMap(session, 32, 30));
    Press(30, 25);
    Press(28, 20, MouseButton::kLeft, 1);
    Press(31, 29, MouseButton::kLeft, 1);
    session.view.ViewLeft = 5;
    replace();
    ASSERT_EQ(Map().MapWidth, 20);
    EXPECT_EQ(session.view.ViewLeft, 1);
    EXPECT_EQ(session.interaction.CurrentHexX, 20);
    EXPECT_EQ(session.interaction.CurrentHexY, 20);
    EXPECT_FALSE(session.switches.HasSelection());
    EXPECT_EQ(session.editor.JumpMap.MapPicture.Width(), 20);
    // The keys that write to the current hex write on the map.
    MainWindow_KeyDown(session, EditorKey::kN);
    MainWindow_KeyDown(session, EditorKey::kB);
    MainWindow_KeyDown(session, EditorKey::kR);
    EXPECT_EQ(Map().Tile(20, 20), session.editor.CurrentTile);
    EXPECT_TRUE(Copy_Click(session));
  }
  // A selection that ends on the new map's last column and row stays.
  ASSERT_TRUE(test::ReplaceWithNewMap(session, 32, 30));
  Press(18, 18, MouseButton::kLeft, 1);
  Press(20, 20, MouseButton::kLeft, 1);
  ASSERT_TRUE(test::ReplaceWithNewMap(session, 20, 20));
  EXPECT_EQ(session.switches.SelectionRight, 20);
  EXPECT_EQ(session.switches.SelectionBottom, 20);
}

TEST_F(EditingTest, F7RestoresOnlyAGoodUndoCopyAndNotWhileTheHexNameBoxHasTheFocus) {
  // Without an undo copy, or with a damaged one, F7 keeps the map, says so
  // and draws nothing.
  const test::Kept kept(Map());
  EXPECT_FALSE(Undo_Click(session).restored);
  s.folder.WriteBytes("autosave.map", {'V', 'e', 'r'});
  EXPECT_FALSE(Undo_Click(session).restored);
  EXPECT_EQ(kept.Changes(Map()), "");
  EXPECT_THAT(s.ui.Messages(), testing::Each(testing::HasSubstr("autosave.map")));
  EXPECT_EQ(s.ui.Messages().size(), 2u);
  EXPECT_EQ(presents, 0);
  Map().Tile(5, 5) = 26;
  Map().Owner(2, 2) = 1;
  ASSERT_TRUE(WriteSnapshot(session.editor));
  const test::Kept copy(Map());
  Map().Tile(5, 5) = 1;
  Map().Owner(2, 2) = 0;
  // The box keeps F7 (and its other keys: the GUI's theHexNameBoxKeepsItsKeys).
  HexNameBox_Focus(session, true);
  MainWindow_KeyDown(session, EditorKey::kF7);
  EXPECT_EQ(Map().Tile(5, 5), 1);
  // Without the focus F7 restores the undo copy; of the same size, the view
  // stays and is drawn once. (Of another size: ReplacingTheMap... above.)
  HexNameBox_Focus(session, false);
  session.view.ViewLeft = 3;
  const int before = presents;
  EXPECT_FALSE(MainWindow_KeyDown(session, EditorKey::kF7).mapReplaced);
  EXPECT_EQ(copy.Changes(Map()), "");
  EXPECT_EQ(session.view.ViewLeft, 3);
  EXPECT_EQ(presents, before + 1);
}

// A left press also leaves the tools: the GUI's tileSheetPresses... test.
TEST_F(EditingTest, ARightPressOnTheTileSheetTakesTheTileKeepsTheToolsAndAsksForItsMenu) {
  session.editor.Settings.AutoDraw = true;
  session.switches.EditMode = 2;
  EXPECT_TRUE(TileSheet_MouseDown(session, MouseButton::kRight, 18));
  EXPECT_EQ(session.editor.CurrentTile, 18);
  EXPECT_TRUE(session.editor.Settings.AutoDraw);
  EXPECT_EQ(session.switches.EditMode, 2);
}

TEST_F(EditingTest, BlockFillFillsTheVisibleAreaOnly) {
  session.editor.CurrentTile = 20;
  session.view.ViewLeft = 2;
  session.view.ViewTop = 2;
  BlockFill_Click(session);
  // Columns 2..11 and rows 2..9 are visible.
  EXPECT_EQ(Map().Tile(2, 2), 20);
  EXPECT_EQ(Map().Tile(11, 9), 20);
  EXPECT_EQ(Map().Terrain(11, 9), 8);
  EXPECT_NE(Map().Tile(12, 9), 20);
  EXPECT_NE(Map().Tile(1, 2), 20);
  EXPECT_NE(Map().Tile(2, 10), 20);
}

// Everything a save writes of the map, and the original owners.
std::vector<uint8_t> SavedBytes(const MapDocument& map) {
  std::vector<uint8_t> bytes = EncodeVersionedMap(map, 569, true);
  const std::vector<uint8_t> control = EncodeControlFile(map);
  bytes.insert(bytes.end(), control.begin(), control.end());
  bytes.insert(bytes.end(), map.HexOriginalOwner.begin(), map.HexOriginalOwner.end());
  return bytes;
}

TEST_F(EditingTest, EveryKindOfChangeUndoesAndRedoesToTheBytesItFoundAndLeft) {
  const auto run = [this](const char* id) { RunCommand(session, *FindCommand(id)); };
  const auto key = [this](EditorKey k) { MainWindow_KeyDown(session, k); };
  struct Step {
    const char* name;  // as Edit > Undo names it
    std::function<void()> change;
  };
  const std::vector<Step> steps = {
      {"Paint",
       [&] {
         session.editor.Settings.AutoDraw = true;
         session.editor.CurrentTile = 15;  // a road: its neighbours' sides change too
         Press(4, 4);
       }},
      {"Block Fill",
       [&] {
         session.editor.CurrentTile = 20;
         session.view.ViewLeft = 5;
         BlockFill_Click(session);
         session.view.ViewLeft = 1;
       }},
      {"Paste",
       [&] {
         Press(1, 1, MouseButton::kLeft, 1);
         Press(3, 2, MouseButton::kLeft, 1);
         Press(8, 6, MouseButton::kLeft, 2);
         run("paste");
       }},
      {"Hex Control",
       [&] {
         session.switches.EditMode = 2;
         session.control.SelectedNation = 2;
         session.control.SelectedObjectiveMark = kPrimaryObjective;
         Press(6, 3);
       }},
      {"Set Hex Control", [&] { run("set-hex-control"); }},
      {"Deployment",
       [&] {
         session.switches.EditMode = 1;
         Press(2, 5);
       }},
      {"Redraw Map based on Terrain", [&] { run("redraw-from-terrain"); }},
      {"Next Tile", [&] { key(EditorKey::kN); }},
      {"Original Owners of Cities", [&] { key(EditorKey::kX); }},
      {"Find Road Problems",  // it rebuilds and trims every hex's exits
       [&] {
         run("find-road-problems");
         session.view.ViewLeft = session.view.ViewTop = 1;
       }},
  };
  Map().Terrain(0, 20) = 6;  // an airfield owned by nation 3
  Map().Owner(0, 20) = 3;
  std::vector<std::vector<uint8_t>> states = {SavedBytes(Map())};
  for (const Step& step : steps) {
    step.change();
    ASSERT_NE(SavedBytes(Map()), states.back()) << step.name << " changed nothing";
    states.push_back(SavedBytes(Map()));
    ASSERT_EQ(UndoChangeMenuEntry(session).Caption, std::string("Undo ") + step.name);
  }
  // Commands that leave the map alone leave no change behind.
  run("count-road-hexes");
  key(EditorKey::kF5);
  EXPECT_EQ(session.history.UndoCount(), steps.size());

  for (size_t back = steps.size(); back-- > 0;) {
    const int shown = presents;
    EXPECT_EQ(UndoChange(session), std::string("Undone: ") + steps[back].name);
    ASSERT_EQ(SavedBytes(Map()), states[back]) << "undoing " << steps[back].name;
    EXPECT_GT(presents, shown) << "the view after undoing " << steps[back].name;
  }
  EXPECT_EQ(UndoChange(session), "Nothing to undo");
  EXPECT_FALSE(UndoChangeMenuEntry(session).Enabled);
  for (size_t forth = 0; forth < steps.size(); ++forth) {
    const int shown = presents;
    EXPECT_EQ(RedoChange(session), std::string("Redone: ") + steps[forth].name);
    ASSERT_EQ(SavedBytes(Map()), states[forth + 1]) << "redoing " << steps[forth].name;
    EXPECT_GT(presents, shown) << "the view after redoing " << steps[forth].name;
  }
  EXPECT_EQ(RedoChange(session), "Nothing to redo");

  // The undo copy read back (F7) is one change too; a new map ends the history.
  UndoChange(session);
  UndoChange(session);
  const std::vector<uint8_t> copied = SavedBytes(Map());
  key(EditorKey::kF7);  // the copy taken after the last step
  EXPECT_NE(SavedBytes(Map()), copied);
  EXPECT_EQ(UndoChangeMenuEntry(session).Caption, "Undo Undo Copy");
  UndoChange(session);
  EXPECT_EQ(SavedBytes(Map()), states[steps.size() - 2]);
  ASSERT_TRUE(test::ReplaceWithNewMap(session, 9, 9));
  EXPECT_EQ(session.history.UndoCount(), 0u);
  EXPECT_EQ(UndoChange(session), "Nothing to undo");
}

// A breadth-first walk over the six neighbours of every hex gives the true
// number of moves; the formula must agree from every start.
// The status line names the owner and a different original owner by the
// nation list, or by number past it.
TEST_F(EditingTest, StatusLineNamesTheOwnersByTheNationList) {
  session.editor.Nations.NationCount = 2;
  session.editor.Nations.NationNames = {"", "Alpha", "Beta"};
  Map().Owner(3, 2) = 1;
  Map().OriginalOwner(3, 2) = 2;
  Map().Mark(3, 2) = kPrimaryObjective;
  EXPECT_THAT(StatusText(session, 3, 2, ""), testing::HasSubstr("Alpha (Beta)  Primary Obj.(02)"));
  Map().Owner(3, 2) = 5;
  EXPECT_THAT(StatusText(session, 3, 2, ""), testing::HasSubstr("nation 5 (Beta)"));
}

TEST(HexDistance, AgreesWithABreadthFirstWalkOfTheGrid) {
  constexpr int kSize = 14;
  for (int16_t sx = 0; sx < kSize; ++sx) {
    for (int16_t sy = 0; sy < kSize; ++sy) {
      std::vector<int> moves(kSize * kSize, -1);
      std::vector<std::pair<int16_t, int16_t>> queue = {{sx, sy}};
      moves[sy * kSize + sx] = 0;
      for (size_t i = 0; i < queue.size(); ++i) {
        const auto [x, y] = queue[i];
        for (int d = 1; d <= 6; ++d) {
          int16_t nx = x, ny = y;
          NeighbourStep(nx, ny, d);
          if (nx < 0 || ny < 0 || nx >= kSize || ny >= kSize || moves[ny * kSize + nx] >= 0)
            continue;
          moves[ny * kSize + nx] = moves[y * kSize + x] + 1;
          queue.emplace_back(nx, ny);
        }
      }
      for (int x = 0; x < kSize; ++x) {
        for (int y = 0; y < kSize; ++y) {
          ASSERT_EQ(HexDistance(sx, sy, x, y), moves[y * kSize + x])
              << sx << "," << sy << " -> " << x << "," << y;
        }
      }
    }
  }
}

}  // namespace
}  // namespace korv
