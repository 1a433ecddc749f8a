#include "editing/control.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "editor/map_io.h"
#include "support/editor_fixture.h"

namespace korv {
namespace {

// The test game's nations 1 Zeta, 2 alpha, 3 Beta (list: -None-, Beta, Zeta,
// alpha), road tile 15, and a map of columns 0..9 and rows 0..8.
class ControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test::ReplaceWithNewMap(session, 9, 8));
    session.view.OnPresent = [this] { ++presents; };
  }
  MapDocument& Map() { return s.Map(); }
  void FillMap(int terrain, int tile, int owner, int original, int mark) {
    for (int x = 0; x <= 9; ++x) {
      for (int y = 0; y <= 8; ++y) {
        Map().Terrain(x, y) = static_cast<uint8_t>(terrain);
        Map().Tile(x, y) = static_cast<int16_t>(tile);
        Map().Owner(x, y) = static_cast<uint8_t>(owner);
        Map().OriginalOwner(x, y) = static_cast<uint8_t>(original);
        Map().Mark(x, y) = static_cast<uint8_t>(mark);
      }
    }
  }

  test::SessionOnMiniGame s;
  MapEditor& session = s.session;
  int presents = 0;
};

TEST(NationList, SortedByNameWithEqualNamesInFileOrder) {
  NationTables nations;
  nations.NationCount = 4;
  nations.NationNames = {"", "Gaul", "Angles", "Gaul", "angles"};
  nations.NationTileId.assign(5, 0);
  BuildNationOrder(nations);
  EXPECT_EQ(FillNationList(nations),
            (std::vector<std::string>{"-None-", "Angles", "Gaul", "Gaul", "angles"}));
  const int order[] = {0, 2, 1, 3, 4};
  for (int k = 0; k < 5; ++k) EXPECT_EQ(NationAtListPosition(nations, k), order[k]) << k;
  EXPECT_EQ(ListPositionOfNation(nations, 3), 3);
  // Positions the list does not have stand for nobody.
  EXPECT_EQ(NationAtListPosition(nations, -1), 0);
  EXPECT_EQ(NationAtListPosition(nations, 5), 0);
  EXPECT_EQ(ListPositionOfNation(nations, 40), -1);
}

TEST_F(ControlTest, OwnerAndOriginalOwnerListClicks) {
  // List positions: 0 -None-, 1 Beta (3), 2 Zeta (1), 3 alpha (2).
  enum List { kOwner, kOriginal };
  struct Step {
    List list;
    int position;
    int nation, original, mark;  // the selection afterwards
    int moveTo;                  // where the original owner list is moved, -1 nowhere
  };
  struct Case {
    const char* name;
    int startMark;
    std::vector<Step> steps;
  };
  const Case cases[] = {
      {"a nation moves the original owner list along", 2, {{kOwner, 1, 3, 3, 2, 1}}},
      {"the same nation again does not move it",
       2,
       {{kOwner, 2, 1, 1, 2, 2}, {kOriginal, 3, 1, 2, 2, -1}, {kOwner, 2, 1, 2, 2, -1}}},
      {"-None- resets the objective type", 3, {{kOwner, 1, 3, 3, 3, 1}, {kOwner, 0, 0, 0, 0, 0}}},
      {"-None- again still resets it", 3, {{kOwner, 0, 0, 0, 0, -1}}},
      {"a position the list does not have means nobody", 2, {{kOwner, 7, 0, 0, 0, -1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    session.control = {0, 0, static_cast<uint8_t>(c.startMark), false};
    for (const Step& step : c.steps) {
      session.switches.EditMode = 0;
      if (step.list == kOwner) {
        const OwnerListOutcome outcome = OwnerList_Click(session, step.position);
        EXPECT_EQ(session.switches.EditMode, 2);
        EXPECT_EQ(outcome.moveOriginalOwnerList.value_or(-1), step.moveTo);
        // The window moves the list, whose own click handling follows.
        if (outcome.moveOriginalOwnerList) {
          OriginalOwnerList_Click(session, *outcome.moveOriginalOwnerList);
        }
      } else {
        OriginalOwnerList_Click(session, step.position);
        EXPECT_EQ(session.switches.EditMode, 0);
      }
      EXPECT_EQ(session.control.SelectedNation, step.nation);
      EXPECT_EQ(session.control.SelectedOriginalOwner, step.original);
      EXPECT_EQ(session.control.SelectedObjectiveMark, step.mark);
    }
  }
}

// What a click writes (owner, original owner, mark) korvmap control checks,
// which clicks through the same procedure; here the tile it picks up.
TEST_F(ControlTest, HexControlClickPicksUpTheTile) {
  Map().Tile(3, 2) = 17;
  session.control = {2, 3, 3, false};
  session.editor.CurrentTile = 5;
  const Picture before = session.view.ViewBuffer;
  HexControl_Click(session, 3, 2);
  EXPECT_EQ(Map().Owner(3, 2), 2);
  EXPECT_EQ(session.editor.CurrentTile, 17);
  EXPECT_EQ(Map().Tile(3, 2), 17);
  EXPECT_FALSE(before.Image() == session.view.ViewBuffer.Image());  // drawn with its flag
  // A hex off the map changes nothing.
  const std::vector<uint8_t> control = Map().HexControl;
  session.control = {1, 1, 1, false};
  HexControl_Click(session, 10, 2);
  HexControl_Click(session, 2, -1);
  EXPECT_EQ(Map().HexControl, control);
}

TEST_F(ControlTest, AreaCommandSetsControlFromTerrain) {
  struct Case {
    const char* name;
    int terrain, tile, owner, original, mark;  // every hex before
    int selectedNation, selectedOriginal, selectedMark;
    int expectOwner, expectOriginal, expectMark;
  };
  const Case cases[] = {
      {"a city takes the whole selection", 5, 4, 1, 1, 0, 3, 1, 3, 3, 1, 3},
      {"terrain 6 is a secondary objective", 6, 4, 0, 0, 0, 3, 1, 3, 3, 1, 1},
      {"terrain 14 is a primary objective", 14, 4, 0, 0, 0, 3, 1, 0, 3, 1, 2},
      {"a road keeps mark and original owner", 1, 15, 2, 2, 1, 3, 1, 3, 3, 2, 1},
      {"a city with a road tile follows the city rule", 5, 15, 2, 2, 1, 3, 1, 2, 3, 1, 2},
      {"a plain hex loses everything", 1, 4, 2, 2, 1, 3, 1, 3, 0, 0, 0},
      {"a tile number off the sheet has no road", 1, -3, 2, 2, 1, 3, 1, 3, 0, 0, 0},
      {"a tile number past the sheet has no road", 1, 400, 2, 2, 1, 3, 1, 3, 0, 0, 0},
  };
  for (const Case& c : cases) {
    FillMap(c.terrain, c.tile, c.owner, c.original, c.mark);
    const ControlSelection selection{static_cast<uint8_t>(c.selectedNation),
                                     static_cast<uint8_t>(c.selectedOriginal),
                                     static_cast<uint8_t>(c.selectedMark), false};
    SetHexControlArea(Map(), session.editor.Tiles, selection, HexRange{2, 3, 4, 4});
    for (int x = 0; x <= 9; ++x) {
      for (int y = 0; y <= 8; ++y) {
        const bool inside = x >= 2 && x <= 3 && y == 4;
        EXPECT_EQ(std::make_tuple(Map().Owner(x, y), Map().OriginalOwner(x, y), Map().Mark(x, y)),
                  inside ? std::make_tuple(c.expectOwner, c.expectOriginal, c.expectMark)
                         : std::make_tuple(c.owner, c.original, c.mark))
            << c.name << " at " << x << "," << y;
        EXPECT_EQ(Map().Tile(x, y), c.tile) << c.name;
      }
    }
  }
}

TEST_F(ControlTest, AreaCommandOnTheVisibleAreaOrTheWholeMapAfterASnapshot) {
  struct Case {
    const char* name;
    bool wholeMap;
    int left, top;
    int firstX, lastX, firstY, lastY;  // the hexes that change
    bool blocked = false;              // a folder stands where the undo copy goes
  };
  // The session's view shows 10 x 8 hexes (ViewColumns 9, ViewRows 7).
  const Case cases[] = {
      {"visible area", false, 1, 1, 1, 9, 1, 8},
      {"visible area cut at the map's edges", false, 7, 6, 7, 9, 6, 8},
      {"whole map", true, 7, 6, 0, 9, 0, 8},
      {"whole map without an undo copy changes nothing", true, 7, 6, 1, 0, 1, 0, true},
  };
  for (const Case& c : cases) {
    if (c.blocked) {
      std::filesystem::remove(s.folder / "autosave.map");
      std::filesystem::create_directories(s.folder / "autosave.map" / "keep");
    }
    FillMap(5, 4, 1, 1, 1);  // cities of nation 1
    session.view.ViewLeft = c.left;
    session.view.ViewTop = c.top;
    const std::vector<uint8_t> controlBefore = Map().HexControl;
    session.control = {2, 3, 2, c.wholeMap};
    const int before = presents;
    EXPECT_EQ(SetHexControl_Click(session), !c.blocked) << c.name;
    EXPECT_EQ(presents, before + (c.blocked ? 0 : 1)) << c.name;
    for (int x = 0; x <= 9; ++x) {
      for (int y = 0; y <= 8; ++y) {
        const bool inside = x >= c.firstX && x <= c.lastX && y >= c.firstY && y <= c.lastY;
        EXPECT_EQ(std::make_tuple(Map().Owner(x, y), Map().OriginalOwner(x, y), Map().Mark(x, y)),
                  inside ? std::make_tuple(2, 3, 2) : std::make_tuple(1, 1, 1))
            << c.name << " at " << x << "," << y;
      }
    }
    const std::filesystem::path snapshot = s.folder / "autosave.map";
    EXPECT_EQ(std::filesystem::exists(snapshot), c.wholeMap) << c.name;
    if (c.wholeMap && !c.blocked) {
      // The snapshot holds the map as it was before the command.
      ASSERT_TRUE(ReadSnapshot(session.editor));
      EXPECT_EQ(Map().HexControl, controlBefore);
    }
    EXPECT_THAT(s.ui.Messages(), testing::SizeIs(c.blocked ? 1 : 0)) << c.name;
  }
  EXPECT_THAT(s.ui.Messages(), testing::ElementsAre(testing::HasSubstr("autosave.map")));
}

TEST_F(ControlTest, SetOriginalOwnerToCurrentOwnerRebuildsTheObjectives) {
  FillMap(1, 4, 0, 3, 0);  // no owners, stale original owners everywhere
  Map().Owner(2, 5) = 1;
  Map().Mark(2, 5) = 2;
  Map().Owner(2, 1) = 3;
  Map().Mark(2, 1) = 1;
  Map().Owner(7, 0) = 2;
  Map().Mark(7, 0) = 3;
  Map().Owner(4, 4) = 2;  // owned, no objective
  Map().Mark(6, 6) = 1;   // an objective nobody owns
  SetOriginalOwnerToCurrentOwner(Map());
  for (int x = 0; x <= 9; ++x) {
    for (int y = 0; y <= 8; ++y) {
      EXPECT_EQ(Map().OriginalOwner(x, y), Map().Owner(x, y)) << x << "," << y;
    }
  }
  // The list is rebuilt from the new original owners, column by column:
  // (2, 1), (2, 5), (7, 0); the unowned mark is dropped.
  ASSERT_EQ(Map().ObjectiveCount, 3);
  EXPECT_EQ(Map().Objective(2, kObjectiveOriginalOwner), 1);
  EXPECT_EQ(Map().Objective(3, kObjectiveOriginalOwner), 2);
  EXPECT_EQ(Map().Mark(6, 6), 0);
}

}  // namespace
}  // namespace korv
