// Control and objectives: the nation lists, what each button and list
// click selects, the hex control click, the "Hex Control" menu, the area
// switch and the area command on the visible area and on the whole map.
#include "editing/control.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "editor/map_io.h"
#include "support/test_folder.h"
#include "view/view_fixture.h"
#include "view/viewport.h"

namespace korv {
namespace {

// The shared session with road tiles 15 and 20 and three nations.
struct ControlSession : test::SessionWorld {
  ControlSession() : SessionWorld(7) {
    Editor& e = session.editor;
    e.Tiles.TileRoad[15] = 1;
    e.Tiles.TileRoad[20] = 1;
    e.Nations.NationCount = 3;
    e.Nations.NationNames = {"", "Zeta", "alpha", "Beta"};
    e.Nations.NationTileId = {0, 4, 1, 7};
    BuildNationOrder(e.Nations);  // Beta (3), Zeta (1), alpha (2)
  }

  // Every hex: the given terrain, tile and control.
  void FillMap(uint8_t terrain, int16_t tile, uint8_t owner, uint8_t original, uint8_t mark) {
    MapDocument& d = Document();
    for (int x = 0; x <= d.MapWidth; ++x) {
      for (int y = 0; y <= d.MapHeight; ++y) {
        d.Terrain(x, y) = terrain;
        d.Tile(x, y) = tile;
        d.Owner(x, y) = owner;
        d.OriginalOwner(x, y) = original;
        d.Mark(x, y) = mark;
      }
    }
  }
};

struct ListCase {
  const char* name;
  std::vector<std::string> names;  // nations 1..n in file order
  std::vector<std::string> entries;
  std::vector<int> nations;  // nation at each list position
};

TEST(ControlTest, FillNationListShowsTheNationsSortedByName) {
  const ListCase cases[] = {
      {"three nations",
       {"Zeta", "alpha", "Beta"},
       {"-None-", "Beta", "Zeta", "alpha"},
       {0, 3, 1, 2}},
      {"no nations", {}, {"-None-"}, {0}},
      {"equal names keep file order",
       {"Gaul", "Angles", "Gaul"},
       {"-None-", "Angles", "Gaul", "Gaul"},
       {0, 2, 1, 3}},
  };
  for (const ListCase& c : cases) {
    SCOPED_TRACE(c.name);
    NationTables nations;
    nations.NationCount = static_cast<int16_t>(c.names.size());
    nations.NationNames = {""};
    nations.NationNames.insert(nations.NationNames.end(), c.names.begin(), c.names.end());
    nations.NationTileId.assign(c.names.size() + 1, 0);
    BuildNationOrder(nations);
    EXPECT_EQ(FillNationList(nations), c.entries);
    for (size_t k = 0; k < c.nations.size(); ++k) {
      EXPECT_EQ(NationAtListPosition(nations, static_cast<int>(k)), c.nations[k]) << k;
      if (k == 0 || c.nations[k] != c.nations[k - 1]) {
        EXPECT_EQ(ListPositionOfNation(nations, c.nations[k]), static_cast<int>(k));
      }
    }
    // Positions the list does not have stand for nobody.
    EXPECT_EQ(NationAtListPosition(nations, -1), 0);
    EXPECT_EQ(NationAtListPosition(nations, static_cast<int>(c.names.size()) + 1), 0);
    EXPECT_EQ(ListPositionOfNation(nations, 40), -1);
  }
}

TEST(ControlTest, ObjectiveButtonsSelectTheirMarkAndHexControlMode) {
  struct Case {
    const char* caption;
    int mark;
  };
  const Case cases[] = {{"Primary", 2}, {"Secondary", 1}, {"Oil Resource", 3}, {"Road/None", 0}};
  ASSERT_EQ(std::size(kObjectiveButtons), std::size(cases));
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].caption);
    EXPECT_EQ(std::string(kObjectiveButtons[i].caption), cases[i].caption);
    EXPECT_EQ(kObjectiveButtons[i].mark, cases[i].mark);
    for (int mode : {0, 1, 2}) {
      ControlSession s;
      s.session.switches.EditMode = static_cast<int16_t>(mode);
      s.session.control.SelectedObjectiveMark = 9;
      const bool changed = ObjectiveButton_Click(s.session, kObjectiveButtons[i].mark);
      EXPECT_EQ(s.session.control.SelectedObjectiveMark, cases[i].mark);
      EXPECT_EQ(s.session.switches.EditMode, 2);
      EXPECT_EQ(changed, mode != 2);
    }
  }
}

TEST(ControlTest, LeavingDeploymentModeRedrawsTheView) {
  ControlSession s;
  s.MakeView(3, 3);
  s.Document().Deployment(2, 2) = 1;
  s.Document().Owner(2, 2) = 2;
  s.Document().Mark(2, 2) = 1;
  s.session.switches.EditMode = 1;
  RedrawBuffers(s.session.editor, s.session.resources, s.session.switches, s.session.view);
  const int before = s.presents;
  ObjectiveButton_Click(s.session, 2);
  EXPECT_EQ(s.presents, before + 1);
  // Only a change from the deployment mode needs the flags back.
  s.session.switches.EditMode = 0;
  ObjectiveButton_Click(s.session, 2);
  EXPECT_EQ(s.presents, before + 1);
}

TEST(ControlTest, OwnerAndOriginalOwnerListClicks) {
  // List positions: 0 -None-, 1 Beta (3), 2 Zeta (1), 3 alpha (2).
  enum List { kOwner, kOriginal };
  struct Step {
    List list;
    int position;
    int nation, original, mark;  // selection afterwards
    int moveTo;                  // owner list: where the original list moves, -1 none
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
      {"an original owner chosen afterwards stays different",
       1,
       {{kOwner, 3, 2, 2, 1, 3}, {kOriginal, 1, 2, 3, 1, -1}}},
      {"-None- resets the objective type", 3, {{kOwner, 1, 3, 3, 3, 1}, {kOwner, 0, 0, 0, 0, 0}}},
      {"-None- again still resets it", 3, {{kOwner, 0, 0, 0, 0, -1}}},
      {"a position the list does not have means nobody", 2, {{kOwner, 7, 0, 0, 0, -1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ControlSession s;
    s.session.control.SelectedObjectiveMark = static_cast<uint8_t>(c.startMark);
    for (const Step& step : c.steps) {
      if (step.list == kOwner) {
        const OwnerListOutcome outcome = OwnerList_Click(s.session, step.position);
        EXPECT_EQ(s.session.switches.EditMode, 2);
        EXPECT_EQ(outcome.moveOriginalOwnerList.value_or(-1), step.moveTo);
        // The window moves the list, whose own click handling follows.
        if (outcome.moveOriginalOwnerList) {
          OriginalOwnerList_Click(s.session, *outcome.moveOriginalOwnerList);
        }
      } else {
        s.session.switches.EditMode = 0;
        OriginalOwnerList_Click(s.session, step.position);
        EXPECT_EQ(s.session.switches.EditMode, 0);  // the original owner list leaves the mode
      }
      EXPECT_EQ(s.session.control.SelectedNation, step.nation);
      EXPECT_EQ(s.session.control.SelectedOriginalOwner, step.original);
      EXPECT_EQ(s.session.control.SelectedObjectiveMark, step.mark);
    }
  }
}

TEST(ControlTest, ModeLabelsAndKeys) {
  const ControlModeLabels initial;
  EXPECT_FALSE(initial.areaBold);
  EXPECT_TRUE(initial.hexBold);
  const ControlModeLabels area = ModeLabel_Click(ControlModeLabel::kArea);
  EXPECT_TRUE(area.areaBold);
  EXPECT_FALSE(area.hexBold);
  const ControlModeLabels hex = ModeLabel_Click(ControlModeLabel::kHex);
  EXPECT_FALSE(hex.areaBold);
  EXPECT_TRUE(hex.hexBold);

  const std::pair<int, ControlWindowCommand> keys[] = {
      {112, ControlWindowCommand::kShowJumpMap},
      {113, ControlWindowCommand::kShowTilePicker},
      {114, ControlWindowCommand::kShowControlWindow},
      {115, ControlWindowCommand::kNone},
      {111, ControlWindowCommand::kNone},
      {65, ControlWindowCommand::kNone},
      {191, ControlWindowCommand::kNone},
      {0, ControlWindowCommand::kNone},
  };
  for (const auto& [code, command] : keys) EXPECT_EQ(ControlWindowKey(code), command) << code;
}

TEST(ControlTest, HexControlClickWritesTheSelection) {
  ControlSession s;
  s.MakeView(4, 4);
  MapDocument& d = s.Document();
  d.Tile(3, 2) = 17;
  d.Owner(3, 2) = 1;
  d.Mark(3, 2) = 2;
  d.OriginalOwner(3, 2) = 1;
  s.session.control = {2, 3, 3, false};
  s.session.editor.CurrentTile = 5;
  HexControl_Click(s.session, 3, 2);
  EXPECT_EQ(d.Owner(3, 2), 2);
  EXPECT_EQ(d.Mark(3, 2), 3);
  EXPECT_EQ(d.OriginalOwner(3, 2), 3);
  EXPECT_EQ(s.session.editor.CurrentTile, 17);
  EXPECT_EQ(d.Tile(3, 2), 17);

  // Nobody selected clears control.
  s.session.control = {0, 0, 0, false};
  HexControl_Click(s.session, 3, 2);
  EXPECT_EQ(d.Owner(3, 2), 0);
  EXPECT_EQ(d.Mark(3, 2), 0);
  EXPECT_EQ(d.OriginalOwner(3, 2), 0);

  // A hex off the map changes nothing.
  const std::vector<uint8_t> control = d.HexControl;
  s.session.control = {1, 1, 1, false};
  HexControl_Click(s.session, 10, 2);
  HexControl_Click(s.session, 2, -1);
  EXPECT_EQ(d.HexControl, control);
}

TEST(ControlTest, HexControlMenuEntries) {
  ControlSession s;
  s.MakeView(3, 3);
  const HexControlMenuEntries start;
  EXPECT_EQ(start.on.Caption, "Hex Control ON");
  EXPECT_EQ(start.off.Caption, "Hex Control OFF");
  EXPECT_FALSE(start.on.Checked);
  EXPECT_TRUE(start.off.Checked);

  s.session.control.SelectedObjectiveMark = 2;
  int before = s.presents;
  HexControlMenuEntries entries = HexControlOn_Click(s.session);
  EXPECT_EQ(s.session.switches.EditMode, 2);
  EXPECT_TRUE(entries.on.Checked);
  EXPECT_FALSE(entries.off.Checked);
  EXPECT_EQ(entries.on.Caption, "Hex Control ON");
  EXPECT_EQ(s.session.control.SelectedObjectiveMark, 2);
  EXPECT_EQ(s.presents, before + 1);

  before = s.presents;
  entries = HexControlOff_Click(s.session);
  EXPECT_EQ(s.session.switches.EditMode, 0);
  EXPECT_EQ(s.session.control.SelectedObjectiveMark, 0);
  EXPECT_FALSE(entries.on.Checked);
  EXPECT_TRUE(entries.off.Checked);
  EXPECT_EQ(entries.off.Caption, "Hex Control OFF");
  EXPECT_EQ(s.presents, before + 1);
}

TEST(ControlTest, AreaSwitchCaptions) {
  ControlSession s;
  EXPECT_FALSE(s.session.control.WholeMapArea);
  EXPECT_STREQ(kAreaSwitchInitialCaption, "Default Area (Screen)");
  MenuEntry entry = AreaSwitch_Click(s.session.control);
  EXPECT_TRUE(s.session.control.WholeMapArea);
  EXPECT_EQ(entry.Caption, "Default Area (Entire Map)");
  EXPECT_TRUE(entry.Checked);
  entry = AreaSwitch_Click(s.session.control);
  EXPECT_FALSE(s.session.control.WholeMapArea);
  EXPECT_EQ(entry.Caption, "Default Area (Screen Only)");
  EXPECT_FALSE(entry.Checked);
}

TEST(ControlTest, AreaCommandRange) {
  struct Case {
    const char* name;
    bool wholeMap;
    int left, top, columns, rows;
    HexRange expected;
  };
  // The map has columns 0..9 and rows 0..8.
  const Case cases[] = {
      {"whole map", true, 3, 2, 3, 2, {0, 9, 0, 8}},
      {"visible area inside the map", false, 3, 2, 3, 2, {3, 6, 2, 4}},
      {"visible area cut at the right and bottom edges", false, 7, 6, 4, 5, {7, 9, 6, 8}},
      {"view larger than the map", false, 1, 1, 20, 20, {1, 9, 1, 8}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ControlSession s;
    ViewState& v = s.session.view;
    v.ViewLeft = c.left;
    v.ViewTop = c.top;
    v.ViewColumns = c.columns;
    v.ViewRows = c.rows;
    const HexRange range = AreaCommandRange(v, s.Document(), c.wholeMap);
    EXPECT_EQ(range.firstX, c.expected.firstX);
    EXPECT_EQ(range.lastX, c.expected.lastX);
    EXPECT_EQ(range.firstY, c.expected.firstY);
    EXPECT_EQ(range.lastY, c.expected.lastY);
  }
}

TEST(ControlTest, AreaCommandSetsControlFromTerrain) {
  struct Case {
    const char* name;
    int terrain, tile;
    int owner, original, mark;  // before
    int selectedNation, selectedOriginal, selectedMark;
    int expectOwner, expectOriginal, expectMark;
  };
  const Case cases[] = {
      {"city takes the whole selection", 5, 4, 1, 1, 0, 3, 1, 3, 3, 1, 3},
      {"city with no objective type", 5, 4, 1, 1, 2, 3, 2, 0, 3, 2, 0},
      {"terrain 6 is a secondary objective", 6, 4, 0, 0, 0, 3, 1, 3, 3, 1, 1},
      {"terrain 14 is a primary objective", 14, 4, 0, 0, 0, 3, 1, 0, 3, 1, 2},
      {"a road keeps mark and original owner", 1, 15, 2, 2, 1, 3, 1, 3, 3, 2, 1},
      {"a road on forest too", 8, 20, 0, 0, 3, 1, 2, 0, 1, 0, 3},
      {"a city with a road tile follows the city rule", 5, 15, 2, 2, 1, 3, 1, 2, 3, 1, 2},
      {"a plain hex loses everything", 1, 4, 2, 2, 1, 3, 1, 3, 0, 0, 0},
      {"terrain 14 without a road tile still counts", 14, 3, 2, 2, 0, 1, 3, 0, 1, 3, 2},
      {"a tile number off the sheet has no road", 1, -3, 2, 2, 1, 3, 1, 3, 0, 0, 0},
      {"a tile number past the sheet has no road", 1, 400, 2, 2, 1, 3, 1, 3, 0, 0, 0},
      {"nobody selected clears a city's owner", 5, 4, 2, 2, 1, 0, 1, 2, 0, 1, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ControlSession s;
    MapDocument& d = s.Document();
    s.FillMap(static_cast<uint8_t>(c.terrain), static_cast<int16_t>(c.tile),
              static_cast<uint8_t>(c.owner), static_cast<uint8_t>(c.original),
              static_cast<uint8_t>(c.mark));
    const ControlSelection selection{static_cast<uint8_t>(c.selectedNation),
                                     static_cast<uint8_t>(c.selectedOriginal),
                                     static_cast<uint8_t>(c.selectedMark), false};
    SetHexControlArea(d, s.session.editor.Tiles, selection, HexRange{2, 3, 4, 4});
    for (int x = 0; x <= d.MapWidth; ++x) {
      for (int y = 0; y <= d.MapHeight; ++y) {
        const bool inside = x >= 2 && x <= 3 && y == 4;
        EXPECT_EQ(d.Owner(x, y), inside ? c.expectOwner : c.owner) << x << "," << y;
        EXPECT_EQ(d.OriginalOwner(x, y), inside ? c.expectOriginal : c.original) << x << "," << y;
        EXPECT_EQ(d.Mark(x, y), inside ? c.expectMark : c.mark) << x << "," << y;
        EXPECT_EQ(d.Terrain(x, y), c.terrain);
        EXPECT_EQ(d.Tile(x, y), c.tile);
      }
    }
  }
}

TEST(ControlTest, AreaCommandOnTheVisibleAreaOrTheWholeMap) {
  struct Case {
    const char* name;
    bool wholeMap;
    int left, top;
    int firstX, lastX, firstY, lastY;  // hexes that change
  };
  // A view of 4 x 3 hexes (ViewColumns 3, ViewRows 2).
  const Case cases[] = {
      {"visible area", false, 3, 2, 3, 6, 2, 4},
      {"visible area at the map's corner", false, 7, 7, 7, 9, 7, 8},
      {"whole map", true, 3, 2, 0, 9, 0, 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ControlSession s;
    s.FillMap(5, 4, 1, 1, 1);  // cities of nation 1
    s.MakeView(3, 2, c.left, c.top);
    MapDocument& d = s.Document();
    const std::vector<uint8_t> controlBefore = d.HexControl;
    s.session.control = {2, 3, 2, c.wholeMap};
    const int presentsBefore = s.presents;

    EXPECT_TRUE(SetHexControl_Click(s.session));
    EXPECT_EQ(s.presents, presentsBefore + 1);
    for (int x = 0; x <= d.MapWidth; ++x) {
      for (int y = 0; y <= d.MapHeight; ++y) {
        const bool inside = x >= c.firstX && x <= c.lastX && y >= c.firstY && y <= c.lastY;
        EXPECT_EQ(d.Owner(x, y), inside ? 2 : 1) << x << "," << y;
        EXPECT_EQ(d.OriginalOwner(x, y), inside ? 3 : 1) << x << "," << y;
        EXPECT_EQ(d.Mark(x, y), inside ? 2 : 1) << x << "," << y;
      }
    }
    const std::filesystem::path snapshot = s.folder / "autosave.map";
    if (!c.wholeMap) {
      EXPECT_FALSE(std::filesystem::exists(snapshot));
      continue;
    }
    // The snapshot holds the map as it was before the command.
    ASSERT_TRUE(std::filesystem::exists(snapshot));
    EXPECT_EQ(s.ui.lastProgress, "Writing map data");
    ASSERT_TRUE(ReadSnapshot(s.session.editor));
    EXPECT_EQ(d.HexControl, controlBefore);
    EXPECT_TRUE(s.ui.Messages().empty());
  }
}

TEST(ControlTest, AWholeMapCommandWithoutASnapshotChangesNothing) {
  ControlSession s;
  s.FillMap(5, 4, 1, 1, 1);
  s.MakeView(3, 2);
  // A folder of that name cannot be replaced by the snapshot file.
  std::filesystem::create_directories(s.folder / "autosave.map" / "keep");
  const std::vector<uint8_t> control = s.Document().HexControl;
  const std::vector<uint8_t> original = s.Document().HexOriginalOwner;
  s.session.control = {2, 3, 2, true};
  EXPECT_FALSE(SetHexControl_Click(s.session));
  EXPECT_EQ(s.Document().HexControl, control);
  EXPECT_EQ(s.Document().HexOriginalOwner, original);
  ASSERT_EQ(s.ui.Messages().size(), 1u);
  EXPECT_NE(s.ui.Messages()[0].find("autosave.map"), std::string::npos);
}

TEST(ControlTest, SetOriginalOwnerToCurrentOwner) {
  ControlSession s;
  MapDocument& d = s.Document();
  s.FillMap(1, 4, 0, 3, 0);  // no owners, stale original owners everywhere
  d.Owner(2, 5) = 1;
  d.Mark(2, 5) = 2;
  d.Owner(2, 1) = 3;
  d.Mark(2, 1) = 1;
  d.Owner(7, 0) = 2;
  d.Mark(7, 0) = 3;
  d.Owner(4, 4) = 2;  // owned, no objective
  d.Mark(6, 6) = 1;   // an objective nobody owns
  s.MakeView(3, 3);
  const int presents = s.presents;

  SetOriginalOwnerToCurrentOwner(d);

  for (int x = 0; x <= d.MapWidth; ++x) {
    for (int y = 0; y <= d.MapHeight; ++y) {
      EXPECT_EQ(d.OriginalOwner(x, y), d.Owner(x, y)) << x << "," << y;
    }
  }
  EXPECT_EQ(d.OriginalOwner(0, 0), 0);
  EXPECT_EQ(d.OriginalOwner(2, 5), 1);
  // The list, column by column: (2, 1), (2, 5), (7, 0); the unowned mark is dropped.
  ASSERT_EQ(d.ObjectiveCount, 3);
  const int expected[3][5] = {{2, 1, 3, 0, 3}, {2, 5, 1, 0, 1}, {7, 0, 2, 0, 2}};
  for (int r = 1; r <= 3; ++r) {
    for (int f = 0; f < 5; ++f) {
      EXPECT_EQ(d.Objective(r, f), expected[r - 1][f]) << "record " << r << " field " << f;
    }
  }
  EXPECT_EQ(d.Mark(6, 6), 0);
  EXPECT_EQ(s.presents, presents);  // nothing is redrawn
}

}  // namespace
}  // namespace korv
