// Control and objectives: what the control window's buttons, lists, labels
// and keys do, the click of the hex control mode, and the commands of the
// "Hex Control" menu and the area switch of the "Options" menu. The window
// (gui/control_window.h) only turns its events into these calls.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "editing/map_editor.h"
#include "editor/editor.h"
#include "view/hex_drawing.h"
#include "view/view_state.h"

namespace korv {

// The caption of the control window.
constexpr const char* kControlWindowCaption = "Control (F3)";
// The first entry of both nation lists: nation 0, nobody.
constexpr const char* kNoNationEntry = "-None-";

// The entries of a nation list: "-None-", then NationNames(NationOrder(k))
// for k = 1..NationCount, so the nations appear sorted by name. Position k
// stands for nation NationOrder(k); position 0 for nation 0.
std::vector<std::string> FillNationList(const NationTables& nations);

// The nation at list position `position`; 0 for "-None-" and for a position
// the list does not have.
uint8_t NationAtListPosition(const NationTables& nations, int position);
// The list position showing `nation`, or -1 when the list does not show it
// (a nation of another set).
int ListPositionOfNation(const NationTables& nations, int nation);

// The four objective buttons, top to bottom, with the mark each selects.
struct ObjectiveButtonEntry {
  const char* caption;
  uint8_t mark;
};
constexpr ObjectiveButtonEntry kObjectiveButtons[] = {
    {"Primary", kPrimaryObjective},
    {"Secondary", kSecondaryObjective},
    {"Oil Resource", kOilResource},
    {"Road/None", kNoObjective},
};

// Puts the main window into hex control mode (EditMode 2). Leaving the
// deployment mode redraws the view, because flags take the place of the
// deployment marks. True when EditMode was something else before.
bool EnterHexControlMode(MapEditor& session);

// An objective button: SelectedObjectiveMark = `mark`, hex control mode.
// True when EditMode changed.
bool ObjectiveButton_Click(MapEditor& session, uint8_t mark);

// What a click in the owner list ("Current Control") asks of the window.
struct OwnerListOutcome {
  bool editModeChanged = false;
  // The position the original owner list is to be moved to (its own click
  // handling then sets SelectedOriginalOwner), or none when the nation
  // did not change.
  std::optional<int> moveOriginalOwnerList;
};
// Owner list click at `position`: SelectedNation = NationOrder(position),
// hex control mode; "-None-" also resets the objective type.
OwnerListOutcome OwnerList_Click(MapEditor& session, int position);
// Original owner list click: SelectedOriginalOwner = NationOrder(position).
void OriginalOwnerList_Click(MapEditor& session, int position);

// The two labels "Area Mode" and "Hex Mode": a click makes the clicked one
// bold and the other plain. Nothing else depends on the choice.
enum class ControlModeLabel { kArea, kHex };
struct ControlModeLabels {
  bool areaBold = false;
  bool hexBold = true;  // the window opens on single hexes
};
ControlModeLabels ModeLabel_Click(ControlModeLabel clicked);

// Keys of the control window, by their key codes (112 F1, 113 F2, 114 F3).
enum class ControlWindowCommand { kNone, kShowJumpMap, kShowTilePicker, kShowControlWindow };
ControlWindowCommand ControlWindowKey(int keyCode);

// A press in hex control mode (EditMode 2) on hex (x, y): the hex's tile
// becomes current; owner, objective mark and original owner become the
// selected ones; the hex is drawn into the view buffer. The caller then
// redraws the hex and repaints, as after every press. A hex off the map is
// ignored.
void HexControl_Click(MapEditor& session, int x, int y);

// Captions and check marks of the two mode entries of the "Hex Control" menu.
struct HexControlMenuEntries {
  MenuEntry on{"Hex Control ON", false};
  MenuEntry off{"Hex Control OFF", true};  // at start-up: tile painting
};
HexControlMenuEntries HexControlMenuState(bool hexControlOn);
// "Hex Control ON": EditMode = 2 and a full redraw (flags are shown again).
// The caller creates the control window if needed and shows it.
HexControlMenuEntries HexControlOn_Click(MapEditor& session);
// "Hex Control OFF": EditMode = 0, no objective type, a full redraw.
HexControlMenuEntries HexControlOff_Click(MapEditor& session);

// The area switch of the "Options" menu: its caption and check mark for the
// state of WholeMapArea. (Before the first click the entry reads
// kAreaSwitchInitialCaption.)
constexpr const char* kAreaSwitchInitialCaption = "Default Area (Screen)";
MenuEntry AreaSwitchMenuEntry(bool wholeMapArea);
// Toggles WholeMapArea and returns the entry's new caption and check mark.
MenuEntry AreaSwitch_Click(ControlSelection& control);

// The hexes an area command works on: the whole map, or the visible area
// ViewLeft .. min(ViewLeft + ViewColumns, MapWidth) by
// ViewTop .. min(ViewTop + ViewRows, MapHeight).
HexRange AreaCommandRange(const ViewState& view, const MapDocument& document, bool wholeMapArea);

// Sets control over `range` from each hex's terrain: cities (5) take the
// selected owner, original owner and objective type, terrain 6 becomes a
// secondary and terrain 14 a primary objective of the selected nation; any
// other hex with a road tile takes the selected owner and keeps its mark and
// original owner; every other hex loses owner, original owner and mark.
void SetHexControlArea(MapDocument& document, const TileTables& tables,
                       const ControlSelection& control, const HexRange& range);

// "Set Hex Control (Screen Area)": on the area WholeMapArea chooses, the map
// snapshot written first when that is the whole map; then a full redraw.
// When the snapshot cannot be written (the user has been told) the map is
// left unchanged and false is returned, so the command can always be undone.
bool SetHexControl_Click(MapEditor& session);

// "Set Original Owner to Current Owner": every hex's original owner becomes
// its owner (0 included), then the objective list is rebuilt. No redraw.
void SetOriginalOwnerToCurrentOwner(MapDocument& document);

}  // namespace korv
