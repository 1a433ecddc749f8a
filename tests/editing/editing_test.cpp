#include "editing/editing.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <tuple>

#include "analysis/roads.h"
#include "editing/file_dialog.h"
#include "editor/map_io.h"
#include "platform/interaction.h"
#include "platform/random.h"
#include "support/test_folder.h"
#include "editing/clipboard.h"
#include "view/viewport.h"

namespace korv {
namespace {

using test::TempFolder;

// A started editing session on the small test game: tiles 0-3 sea, 4-15
// clear (tile 15 has a road through top and bottom), 16-23 forest, 24-31
// hills; clear variants 5, 7, 9; forest variants 17, 18. Tiles 2 and 3 are
// turned into a city (5) and a port (14), tile 6 into a lone hill with a road.
class EditingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::MiniGame game = test::DefaultMiniGame();
    game.tileTerrain[2] = 5;
    game.tileTerrain[3] = 14;
    game.tileTerrain[6] = 3;
    game.roadInfo[6 * 6 + 1] = 1;  // tile 6: upper right
    test::WriteMiniGame(folder, game);
    std::string error;
    ASSERT_TRUE(StartMapEditor(session, error)) << error;
    session.view.ViewPixelWidth = 10 * 45;
    session.view.ViewPixelHeight = 8 * 50;
    session.view.ViewColumns = 9;
    session.view.ViewRows = 7;
    ResetViewForMap(session.view, session.editor.Document);
    ASSERT_TRUE(
        CreateViewBuffer(session.editor, session.resources, session.switches, session.view));
    ui.Clear();
  }
  // The view position of the middle of hex (x, y) with the view at column 1, row 1.
  static std::pair<double, double> Centre(int x, int y) {
    PixelPoint p = HexToPixel(HexGeometry::FromSizes(60, 50, 30), x, y);
    return {p.left + 20.0 - 45, p.top + 25.0 - 50};
  }
  void Press(int x, int y, MouseButton button = MouseButton::kLeft, int shift = 0) {
    auto [vx, vy] = Centre(x, y);
    MapView_MouseDown(session, button, shift, vx, vy);
  }
  MapDocument& Map() { return session.editor.Document; }

  TempFolder folder;
  RecordingInteraction ui;
  SeededRandom random{5};
  MapEditor session{folder.Game(), ui, random};
};

TEST_F(EditingTest, APressSetsTheCurrentHex) {
  Press(4, 6, MouseButton::kOther);
  EXPECT_EQ(session.interaction.CurrentHexX, 4);
  EXPECT_EQ(session.interaction.CurrentHexY, 6);
  Press(3, 2, MouseButton::kLeft, 2);  // Ctrl: nothing but the current hex
  EXPECT_EQ(session.interaction.CurrentHexX, 3);
  EXPECT_EQ(Map().Tile(3, 2), Map().Tile(3, 2));
}

TEST_F(EditingTest, ShiftPressesGrowTheSelection) {
  struct Step {
    int x, y;
    int left, right, top, bottom;
  };
  const Step steps[] = {
      {5, 5, 5, 5, 5, 5},
      {9, 3, 5, 9, 3, 5},
      {7, 4, 5, 7, 3, 4},  // inside: right and bottom pulled back
      {2, 6, 2, 7, 3, 6},
  };
  const auto tiles = Map().HexTile;
  for (const Step& s : steps) {
    Press(s.x, s.y, MouseButton::kLeft, 1);
    EXPECT_EQ(session.switches.SelectionLeft, s.left) << s.x << "," << s.y;
    EXPECT_EQ(session.switches.SelectionRight, s.right) << s.x << "," << s.y;
    EXPECT_EQ(session.switches.SelectionTop, s.top) << s.x << "," << s.y;
    EXPECT_EQ(session.switches.SelectionBottom, s.bottom) << s.x << "," << s.y;
  }
  EXPECT_EQ(Map().HexTile, tiles);  // selecting paints nothing
}

TEST_F(EditingTest, PaintingPutsTheTileItsTerrainAndItsRoads) {
  struct Case {
    const char* name;
    int16_t tile;
    int terrain;
    std::array<int, 6> sides;  // sides 1..6 after painting
  };
  const Case cases[] = {
      {"forest", 20, 8, {0, 0, 0, 0, 0, 0}},
      {"road tile joins", 15, 1, {0, 1, 0, 0, 1, 0}},
      {"city opens every side", 2, 5, {1, 1, 1, 1, 1, 1}},
      {"port opens every side", 3, 14, {1, 1, 1, 1, 1, 1}},
      {"road hill", 6, 3, {0, 0, 0, 0, 0, 1}},
  };
  for (const Case& c : cases) {
    for (int side = 1; side <= 6; ++side) Map().Data(4, 4, side) = kRailLink;
    session.editor.CurrentTile = c.tile;
    Press(4, 4);
    EXPECT_EQ(Map().Tile(4, 4), c.tile) << c.name;
    EXPECT_EQ(Map().Terrain(4, 4), c.terrain) << c.name;
    for (int side = 1; side <= 6; ++side) {
      // A tile without a road leaves the sides as they were.
      int expected = c.sides[side - 1];
      if (c.tile == 20) expected = kRailLink;
      EXPECT_EQ(Map().Data(4, 4, side), expected) << c.name << " side " << side;
    }
  }
}

TEST_F(EditingTest, RandomTilesPaintVariantsOfTheSameTerrain) {
  session.editor.Settings.RandomTiles = true;
  session.editor.CurrentTile = 20;
  std::set<int16_t> painted;
  for (int i = 0; i < 40; ++i) {
    Press(2 + i % 5, 2 + i / 10);
    painted.insert(Map().Tile(2 + i % 5, 2 + i / 10));
  }
  EXPECT_EQ(painted, (std::set<int16_t>{17, 18}));
}

TEST_F(EditingTest, HooksRecordWhenPaintingByHandAndChooseWhenAutomatic) {
  std::vector<std::tuple<int, int, int, bool>> recorded;
  session.autoTile.RecordPatterns = [&](Editor&, int x, int y, int16_t tile, bool road) {
    recorded.emplace_back(x, y, tile, road);
  };
  session.autoTile.ChooseTile = [](Editor&, int, int, bool road) { return road ? 6 : 30; };
  session.editor.CurrentTile = 15;
  Press(3, 3);
  ASSERT_EQ(recorded.size(), 1u);
  EXPECT_EQ(recorded[0], std::make_tuple(3, 3, 15, true));

  // With automatic choice a tile of another terrain goes down once; the
  // designer's tile stays current.
  session.editor.Settings.AutoDraw = true;
  session.editor.CurrentTile = 20;
  Press(5, 5);
  EXPECT_EQ(Map().Tile(5, 5), 30);
  EXPECT_EQ(Map().Terrain(5, 5), 3);
  EXPECT_EQ(session.editor.CurrentTile, 20);
  EXPECT_EQ(recorded.size(), 1u);
  // An answer of the same terrain becomes the current tile.
  session.autoTile.ChooseTile = [](Editor&, int, int, bool) { return 18; };
  Press(6, 5);
  EXPECT_EQ(session.editor.CurrentTile, 18);
  // No answer: the current tile goes down.
  session.autoTile.ChooseTile = [](Editor&, int, int, bool) { return -1; };
  Press(7, 5);
  EXPECT_EQ(Map().Tile(7, 5), 18);
}

TEST_F(EditingTest, RoadSideToolDeploymentAndControlModes) {
  ASSERT_TRUE(RoadStrip_MouseDown(session, 130));  // third cell: side 3
  EXPECT_EQ(session.interaction.RoadSide, 3);
  EXPECT_EQ(session.switches.RoadMode, 2);
  SetRoadKind(session, 2);
  const int16_t tile = Map().Tile(6, 6);
  Press(6, 6);
  EXPECT_EQ(Map().Data(6, 6, 3), kRailLink);
  EXPECT_EQ(Map().Tile(6, 6), tile);
  EXPECT_EQ(session.editor.CurrentTile, tile);
  EXPECT_FALSE(RoadStrip_MouseDown(session, 6 * 60 + 1));  // right of the sixth cell
  EXPECT_EQ(session.interaction.RoadSide, 3);

  session.switches.RoadMode = 0;
  session.switches.EditMode = 1;
  session.control.SelectedNation = 2;
  Press(2, 2);
  EXPECT_EQ(Map().Deployment(2, 2), 2);
  Press(2, 2);
  EXPECT_EQ(Map().Deployment(2, 2), 0);

  session.switches.EditMode = 2;
  session.control.SelectedNation = 3;
  session.control.SelectedObjectiveMark = kPrimaryObjective;
  session.control.SelectedOriginalOwner = 1;
  Press(8, 3);
  EXPECT_EQ(Map().Owner(8, 3), 3);
  EXPECT_EQ(Map().Mark(8, 3), kPrimaryObjective);
  EXPECT_EQ(Map().OriginalOwner(8, 3), 1);
  EXPECT_EQ(Map().Deployment(8, 3), 0);
}

TEST_F(EditingTest, ClearSidesInAnyModeAndTheButtonCaption) {
  EXPECT_EQ(ClearSides_Click(session), "Clear Sides ON");
  for (int side = 1; side <= 6; ++side) Map().Data(4, 3, side) = kRoadLink;
  session.switches.EditMode = 1;
  Press(4, 3);
  for (int side = 1; side <= 6; ++side) EXPECT_EQ(Map().Data(4, 3, side), 0);
  EXPECT_EQ(ClearSides_Click(session), "Clear Sides Off");
  ASSERT_TRUE(RoadStrip_MouseDown(session, 10));
  EXPECT_FALSE(session.interaction.ClearSides);
}

TEST_F(EditingTest, RightClickPicksUpAndResets) {
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
  EXPECT_EQ(session.switches.SelectionLeft, 0);
  EXPECT_EQ(Map().HexTile, tiles);
}

TEST_F(EditingTest, KeysBAndNStepThroughTilesOfTheSameKind) {
  struct Case {
    int16_t from;
    EditorKey key;
    int16_t to;
  };
  const Case cases[] = {
      {5, EditorKey::kN, 7},   {5, EditorKey::kB, 4},   {4, EditorKey::kB, 14},  // wraps below 0
      {14, EditorKey::kN, 4},   // the road tile 15 is skipped, then wraps past 31
      {15, EditorKey::kN, 15},  // the only clear road tile stays
      {2, EditorKey::kB, 2},    // the only city tile
      {31, EditorKey::kN, 24}, {16, EditorKey::kB, 23},
  };
  session.interaction.CurrentHexX = 3;
  session.interaction.CurrentHexY = 3;
  for (const Case& c : cases) {
    session.editor.CurrentTile = c.from;
    Map().Terrain(3, 3) = 99;  // B and N change the tile only
    KeyOutcome outcome = MainWindow_KeyDown(session, c.key);
    EXPECT_EQ(session.editor.CurrentTile, c.to) << c.from;
    EXPECT_EQ(Map().Tile(3, 3), c.to) << c.from;
    EXPECT_EQ(Map().Terrain(3, 3), 99);
    EXPECT_EQ(outcome.progress, "Tile  " + std::to_string(c.to)) << c.from;
  }
}

TEST_F(EditingTest, KeysThatChangeSwitches) {
  EXPECT_TRUE(MainWindow_KeyDown(session, EditorKey::kA).autoTileChanged);
  EXPECT_TRUE(session.editor.Settings.AutoDraw);
  session.editor.CurrentTile = 9;
  MainWindow_KeyDown(session, EditorKey::kF4);
  EXPECT_EQ(session.switches.HighlightTile, 9);
  MainWindow_KeyDown(session, EditorKey::kF4);
  EXPECT_EQ(session.switches.HighlightTile, -1);
  MainWindow_KeyDown(session, EditorKey::kC);
  EXPECT_EQ(session.editor.JumpMap.JumpBoxColour, 0xffffffu);
  MainWindow_KeyDown(session, EditorKey::kC);
  EXPECT_EQ(session.editor.JumpMap.JumpBoxColour, 0u);
  EXPECT_EQ(MainWindow_KeyDown(session, EditorKey::kF2).show, KeyOutcome::kTilePicker);
  EXPECT_EQ(MainWindow_KeyDown(session, EditorKey::kSlash).show, KeyOutcome::kHelp);
  EXPECT_EQ(MainWindow_KeyDown(session, EditorKey::kRight).scrollX, 1);
  EXPECT_EQ(MainWindow_KeyDown(session, EditorKey::kUp).scrollY, -1);
}

TEST_F(EditingTest, KeyXGivesAirfieldsTheirOwnerAsOriginalOwner) {
  Map().Terrain(2, 2) = 6;
  Map().Owner(2, 2) = 3;
  Map().Terrain(3, 3) = 6;  // unowned: original owner becomes 0
  Map().OriginalOwner(3, 3) = 2;
  Map().Owner(4, 4) = 1;  // not terrain 6: untouched
  MainWindow_KeyDown(session, EditorKey::kX);
  EXPECT_EQ(Map().OriginalOwner(2, 2), 3);
  EXPECT_EQ(Map().OriginalOwner(3, 3), 0);
  EXPECT_EQ(Map().OriginalOwner(4, 4), 0);
}

TEST_F(EditingTest, SnapshotKeysKeepOrRestoreTheMap) {
  Map().Tile(5, 5) = 26;
  MainWindow_KeyDown(session, EditorKey::kF5);
  Map().Tile(5, 5) = 1;
  session.view.ViewLeft = 3;
  KeyOutcome outcome = MainWindow_KeyDown(session, EditorKey::kF7);
  EXPECT_EQ(Map().Tile(5, 5), 26);
  EXPECT_FALSE(outcome.mapReplaced);
  EXPECT_EQ(session.view.ViewLeft, 3);  // same size: the view stays
}

TEST_F(EditingTest, EveryKeyDrawsTheJumpMapOutline) {
  session.view.ViewLeft = 2;
  session.view.ViewTop = 3;
  MainWindow_KeyDown(session, EditorKey::kH);
  const Picture& shown = session.editor.JumpMap.Shown;
  ASSERT_FALSE(shown.IsNull());
  const uint32_t terrain = session.editor.Tiles.TerrainRgb(Map().Terrain(5, 6));
  EXPECT_EQ(shown.PixelAt(2, 3), 0u);
  EXPECT_EQ(shown.PixelAt(2 + 9, 3 + 7), 0u);
  EXPECT_EQ(shown.PixelAt(2 + 5, 3), 0u);
  EXPECT_EQ(shown.PixelAt(5, 6), terrain);  // inside: the map shows through
}

TEST_F(EditingTest, ReplacingTheMapBringsTheSessionOntoIt) {
  // A 20 x 20 map file and an undo copy of that size, made by the editor.
  std::string error;
  ASSERT_TRUE(NewMapDialog_OK(session.editor, "20", "20", error)) << error;
  Map().MapPath = (folder / "small.map").string();
  ASSERT_TRUE(SaveMap(session.editor));
  ASSERT_TRUE(WriteSnapshot(session.editor));
  const std::function<void()> replacements[] = {
      [&] {
        ASSERT_TRUE(NewMapDialog_OK(session.editor, "20", "20", error)) << error;
        MapReplaced(session, false);
      },
      [&] { ASSERT_TRUE(OpenMapFile(session, (folder / "small.map").string())); },
      [&] { EXPECT_TRUE(MainWindow_KeyDown(session, EditorKey::kF7).mapReplaced); },
  };
  for (const auto& replace : replacements) {
    ASSERT_TRUE(NewMapDialog_OK(session.editor, "32", "30", error)) << error;
    MapReplaced(session, false);
    Press(30, 25);
    Press(28, 20, MouseButton::kLeft, 1);
    Press(31, 29, MouseButton::kLeft, 1);
    replace();
    ASSERT_EQ(Map().MapWidth, 20);
    EXPECT_EQ(session.interaction.CurrentHexX, 20);
    EXPECT_EQ(session.interaction.CurrentHexY, 20);
    EXPECT_FALSE(session.switches.HasSelection());
    EXPECT_EQ(session.editor.JumpMap.MapPicture.Width(), 20);
    // The keys that write to the current hex write on the map.
    MainWindow_KeyDown(session, EditorKey::kN);
    MainWindow_KeyDown(session, EditorKey::kB);
    MainWindow_KeyDown(session, EditorKey::kR);
    EXPECT_EQ(Map().Tile(20, 20), session.editor.CurrentTile);
    Copy_Click(session);
  }
}

TEST_F(EditingTest, KeysAreOffWhileTheHexNameBoxHasTheFocus) {
  Map().Tile(5, 5) = 26;
  ASSERT_TRUE(WriteSnapshot(session.editor));
  Map().Tile(5, 5) = 1;
  HexNameBox_Focus(session, true);
  for (EditorKey key : {EditorKey::kF5, EditorKey::kF7, EditorKey::kA, EditorKey::kN,
                        EditorKey::kDown, EditorKey::kF2}) {
    const KeyOutcome outcome = MainWindow_KeyDown(session, key, 1);
    EXPECT_EQ(outcome.scrollY, 0);
    EXPECT_EQ(outcome.show, KeyOutcome::kNone);
  }
  MainWindow_KeyUp(session, 2);
  EXPECT_EQ(Map().Tile(5, 5), 1);  // neither F5 nor F7 touched the map or its undo copy
  EXPECT_FALSE(session.editor.Settings.AutoDraw);
  EXPECT_EQ(session.interaction.ModifierKeys, 0);
  EXPECT_TRUE(session.editor.JumpMap.Shown.IsNull());
  HexNameBox_Focus(session, false);
  MainWindow_KeyDown(session, EditorKey::kF7);
  EXPECT_EQ(Map().Tile(5, 5), 26);
}

TEST_F(EditingTest, ModifiedKeysStillRunAndSetTheModifierState) {
  // Ctrl and Alt with a key: the key's command, the modifier state and the outline.
  EXPECT_TRUE(MainWindow_KeyDown(session, EditorKey::kA, 2).autoTileChanged);
  EXPECT_TRUE(session.editor.Settings.AutoDraw);
  EXPECT_EQ(session.interaction.ModifierKeys, 2);
  EXPECT_FALSE(session.editor.JumpMap.Shown.IsNull());
  MainWindow_KeyDown(session, EditorKey::kOther, 4 + 1);
  EXPECT_EQ(session.interaction.ModifierKeys, 5);
  MainWindow_KeyUp(session, 0);
  EXPECT_EQ(session.interaction.ModifierKeys, 0);
}

TEST_F(EditingTest, TileSheetPressesMakeTheTileCurrentWithAnyButton) {
  struct Case {
    MouseButton button;
    bool leavesTools;
    bool popUp;
  };
  const Case cases[] = {{MouseButton::kLeft, true, false},
                        {MouseButton::kRight, false, true},
                        {MouseButton::kOther, false, false}};
  for (const Case& c : cases) {
    session.editor.Settings.AutoDraw = true;
    session.switches.EditMode = 2;
    EXPECT_EQ(TileSheet_MouseDown(session, c.button, 18), c.popUp);
    EXPECT_EQ(session.editor.CurrentTile, 18);
    EXPECT_EQ(session.editor.Settings.AutoDraw, !c.leavesTools);
    EXPECT_EQ(session.switches.EditMode, c.leavesTools ? 0 : 2);
    session.editor.CurrentTile = 0;
  }
}

TEST_F(EditingTest, NewMapFileReturnsTheViewToTheFirstColumnAndRow) {
  session.view.ViewLeft = 7;
  session.view.ViewTop = 4;
  NewMapFile_Click(session);
  EXPECT_EQ(session.view.ViewLeft, 1);
  EXPECT_EQ(session.view.ViewTop, 1);
}

TEST_F(EditingTest, BlockFillFillsTheVisibleAreaOnly) {
  session.editor.CurrentTile = 20;
  session.view.ViewLeft = 2;
  session.view.ViewTop = 2;
  BlockFill_Click(session);
  EXPECT_EQ(Map().Tile(2, 2), 20);
  EXPECT_EQ(Map().Tile(11, 9), 20);
  EXPECT_EQ(Map().Terrain(11, 9), 8);
  EXPECT_NE(Map().Tile(12, 9), 20);
  EXPECT_NE(Map().Tile(1, 2), 20);
  EXPECT_NE(Map().Tile(2, 10), 20);
}

TEST(HexDistance, CountsMovesAcrossColumnsOfBothParities) {
  struct Case {
    int x1, y1, x2, y2, d;
  };
  const Case cases[] = {
      {3, 3, 3, 7, 4},
      {3, 3, 8, 3, 5},
      {2, 2, 2, 2, 0},
      // From an even (lower) column: up-right neighbours are one away.
      {4, 4, 5, 4, 1},
      {4, 4, 5, 5, 1},
      {4, 4, 5, 3, 2},
      // From an odd (upper) column.
      {5, 4, 6, 3, 1},
      {5, 4, 6, 4, 1},
      {5, 4, 6, 5, 2},
      {2, 2, 6, 8, 8},
      {2, 8, 6, 2, 8},
      {3, 2, 7, 8, 8},
      {3, 8, 7, 2, 8},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HexDistance(c.x1, c.y1, c.x2, c.y2), c.d)
        << c.x1 << "," << c.y1 << " -> " << c.x2 << "," << c.y2;
  }
}

// The formula must agree with walking the grid: a breadth-first search over
// the six neighbours of every hex gives the true number of moves.
TEST(HexDistance, AgreesWithABreadthFirstWalkOfTheGrid) {
  constexpr int kSize = 14;
  for (int16_t sx = 0; sx < kSize; ++sx) {
    for (int16_t sy = 0; sy < kSize; ++sy) {
      std::vector<int> moves(kSize * kSize, -1);
      std::vector<std::pair<int16_t, int16_t>> queue = {{sx, sy}};
      moves[sy * kSize + sx] = 0;
      for (size_t i = 0; i < queue.size(); ++i) {
        auto [x, y] = queue[i];
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

TEST_F(EditingTest, StatusTextNamesTheHexAndItsOwners) {
  Map().Terrain(4, 6) = 5;
  Map().Tile(4, 6) = 2;
  Map().LandMass(4, 6) = 3;
  Map().Owner(4, 6) = 1;
  Map().Mark(4, 6) = kPrimaryObjective;
  Map().OriginalOwner(4, 6) = 2;
  session.interaction.CurrentHexX = 1;
  session.interaction.CurrentHexY = 1;
  // Nations of the test game: 1 Zeta, 2 alpha, 3 Beta; terrain 5 is "City".
  EXPECT_EQ(StatusText(session, 4, 6, ""),
            "Hex: ( 4,  6) City(5)  LM(3) Zeta (alpha)  Primary Obj.(02) Tile # ( 2) d=7");
  Map().Owner(4, 6) = 0;
  Map().Mark(4, 6) = 0;
  EXPECT_EQ(StatusText(session, 4, 6, "Harbour Town        "),
            "Hex: ( 4,  6) City(5)  LM(3)  Tile # ( 2)Harbour Town         d=7");
}

}  // namespace
}  // namespace korv
