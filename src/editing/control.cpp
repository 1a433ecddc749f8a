#include "editing/control.h"

#include <algorithm>

#include "editor/map_io.h"

namespace korv {

namespace {

// Terrain types the area command treats as places worth holding.
constexpr int kCityTerrain = 5;
constexpr int kSecondaryObjectiveTerrain = 6;
constexpr int kPrimaryObjectiveTerrain = 14;

constexpr int kKeyF1 = 112;
constexpr int kKeyF2 = 113;
constexpr int kKeyF3 = 114;

}  // namespace

std::vector<std::string> FillNationList(const NationTables& nations) {
  std::vector<std::string> entries;
  entries.reserve(static_cast<size_t>(std::max<int>(nations.NationCount, 0)) + 1);
  entries.push_back(kNoNationEntry);
  for (int k = 1; k <= nations.NationCount; ++k) {
    const int nation = NationAtListPosition(nations, k);
    entries.push_back(static_cast<size_t>(nation) < nations.NationNames.size()
                          ? nations.NationNames[static_cast<size_t>(nation)]
                          : std::string());
  }
  return entries;
}

uint8_t NationAtListPosition(const NationTables& nations, int position) {
  if (position <= 0 || position > nations.NationCount ||
      static_cast<size_t>(position) >= nations.NationOrder.size()) {
    return 0;
  }
  // Nation numbers are bytes in the control layer; a list never holds more.
  return static_cast<uint8_t>(nations.NationOrder[static_cast<size_t>(position)] & 0xff);
}

int ListPositionOfNation(const NationTables& nations, int nation) {
  if (nation == 0) return 0;
  for (int k = 1; k <= nations.NationCount; ++k) {
    if (NationAtListPosition(nations, k) == nation) return k;
  }
  return -1;
}

bool EnterHexControlMode(MapEditor& session) {
  const int16_t before = session.switches.EditMode;
  session.switches.EditMode = 2;
  if (before == 1) RedrawIfDrawn(session);
  return before != 2;
}

bool ObjectiveButton_Click(MapEditor& session, uint8_t mark) {
  session.control.SelectedObjectiveMark = mark;
  return EnterHexControlMode(session);
}

OwnerListOutcome OwnerList_Click(MapEditor& session, int position) {
  ControlSelection& control = session.control;
  const uint8_t old = control.SelectedNation;
  control.SelectedNation = NationAtListPosition(session.editor.Nations, position);
  OwnerListOutcome outcome;
  outcome.editModeChanged = EnterHexControlMode(session);
  if (control.SelectedNation == 0) control.SelectedObjectiveMark = kNoObjective;
  if (control.SelectedNation != old) outcome.moveOriginalOwnerList = position;
  return outcome;
}

void OriginalOwnerList_Click(MapEditor& session, int position) {
  session.control.SelectedOriginalOwner = NationAtListPosition(session.editor.Nations, position);
}

ControlModeLabels ModeLabel_Click(ControlModeLabel clicked) {
  ControlModeLabels labels;
  labels.areaBold = clicked == ControlModeLabel::kArea;
  labels.hexBold = clicked == ControlModeLabel::kHex;
  return labels;
}

ControlWindowCommand ControlWindowKey(int keyCode) {
  switch (keyCode) {
    case kKeyF1:
      return ControlWindowCommand::kShowJumpMap;
    case kKeyF2:
      return ControlWindowCommand::kShowTilePicker;
    case kKeyF3:
      return ControlWindowCommand::kShowControlWindow;
    default:
      return ControlWindowCommand::kNone;
  }
}

void HexControl_Click(MapEditor& session, int x, int y) {
  MapDocument& document = session.editor.Document;
  if (!document.Contains(x, y)) return;
  const ControlSelection& control = session.control;
  session.editor.CurrentTile = document.Tile(x, y);
  document.Owner(x, y) = control.SelectedNation;
  document.Mark(x, y) = control.SelectedObjectiveMark;
  document.OriginalOwner(x, y) = control.SelectedOriginalOwner;
  if (!session.view.ViewBuffer.IsNull()) {
    Print_hex(session.editor, session.resources, session.switches, session.view, x, y, kDrawNormal);
  }
}

HexControlMenuEntries HexControlMenuState(bool hexControlOn) {
  HexControlMenuEntries entries;
  entries.on.Checked = hexControlOn;
  entries.off.Checked = !hexControlOn;
  return entries;
}

HexControlMenuEntries HexControlOn_Click(MapEditor& session) {
  session.switches.EditMode = 2;
  RedrawIfDrawn(session);
  return HexControlMenuState(true);
}

HexControlMenuEntries HexControlOff_Click(MapEditor& session) {
  session.switches.EditMode = 0;
  session.control.SelectedObjectiveMark = kNoObjective;
  RedrawIfDrawn(session);
  return HexControlMenuState(false);
}

MenuEntry AreaSwitchMenuEntry(bool wholeMapArea) {
  return {wholeMapArea ? "Default Area (Entire Map)" : "Default Area (Screen Only)", wholeMapArea};
}

MenuEntry AreaSwitch_Click(ControlSelection& control) {
  control.WholeMapArea = !control.WholeMapArea;
  return AreaSwitchMenuEntry(control.WholeMapArea);
}

HexRange AreaCommandRange(const ViewState& view, const MapDocument& document, bool wholeMapArea) {
  HexRange range;
  if (wholeMapArea) {
    range.firstX = 0;
    range.lastX = document.MapWidth;
    range.firstY = 0;
    range.lastY = document.MapHeight;
    return range;
  }
  // ViewLeft and ViewTop are never below 1; the clamp only guards the
  // layers against a view state that has not been laid out yet.
  range.firstX = std::max(view.ViewLeft, 0);
  range.lastX = std::min<int>(view.ViewLeft + view.ViewColumns, document.MapWidth);
  range.firstY = std::max(view.ViewTop, 0);
  range.lastY = std::min<int>(view.ViewTop + view.ViewRows, document.MapHeight);
  return range;
}

void SetHexControlArea(MapDocument& document, const TileTables& tables,
                       const ControlSelection& control, const HexRange& range) {
  ForEachHex(range, [&](int x, int y) {
    if (!document.Contains(x, y)) return;
    switch (document.Terrain(x, y)) {
      case kCityTerrain:
        document.Owner(x, y) = control.SelectedNation;
        document.OriginalOwner(x, y) = control.SelectedOriginalOwner;
        document.Mark(x, y) = control.SelectedObjectiveMark;
        break;
      case kSecondaryObjectiveTerrain:
        document.Owner(x, y) = control.SelectedNation;
        document.OriginalOwner(x, y) = control.SelectedOriginalOwner;
        document.Mark(x, y) = kSecondaryObjective;
        break;
      case kPrimaryObjectiveTerrain:
        document.Owner(x, y) = control.SelectedNation;
        document.OriginalOwner(x, y) = control.SelectedOriginalOwner;
        document.Mark(x, y) = kPrimaryObjective;
        break;
      default:
        if (tables.RoadOf(document.Tile(x, y)) == 1) {
          document.Owner(x, y) = control.SelectedNation;
        } else {
          document.Owner(x, y) = 0;
          document.OriginalOwner(x, y) = 0;
          document.Mark(x, y) = kNoObjective;
        }
    }
  });
}

bool SetHexControl_Click(MapEditor& session) {
  const bool wholeMap = session.control.WholeMapArea;
  if (wholeMap && !WriteSnapshot(session.editor)) return false;
  SetHexControlArea(session.editor.Document, session.editor.Tiles, session.control,
                    AreaCommandRange(session.view, session.editor.Document, wholeMap));
  RedrawIfDrawn(session);
  return true;
}

void SetOriginalOwnerToCurrentOwner(MapDocument& document) {
  const size_t hexes = document.HexCount();
  if (document.HexControl.size() < hexes) return;  // no map allocated
  document.HexOriginalOwner.resize(hexes);
  // Plane 0 of the control layer is the owner, in the same hex order.
  std::copy_n(document.HexControl.begin(), hexes, document.HexOriginalOwner.begin());
  RebuildObjectiveList(document);
}

}  // namespace korv
