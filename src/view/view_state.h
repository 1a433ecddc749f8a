// The state the map view's drawing reads and writes: which part of the map
// is visible, the off-screen view buffer and the picture presented to the
// screen (ViewState), and the switches that change what a hex shows
// (DrawSwitches). The main window owns one of each next to the Editor.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "document/map_document.h"
#include "platform/picture.h"

namespace korv {

class OverviewCells;

// Memory the view buffer lies in, with room for a few steps around it: a
// one-step scroll moves the buffer within it instead of copying the buffer
// onto itself, and the presented picture is a window of the buffer instead
// of a copy (view/viewport.h). Empty in an overview.
struct ViewBufferStore {
  std::shared_ptr<uint32_t[]> Pixels;
  size_t Count = 0;
  int Width = 0;  // pixels a row
  int Height = 0;
  // The buffer's first pixel in it.
  int Left = 0;
  int Top = 0;
};

struct ViewState {
  // Map column and row at the left and top edge of the view; never below 1,
  // so column 0 and row 0 are never at an edge.
  int32_t ViewLeft = 1;
  int32_t ViewTop = 1;
  // Visible columns and rows, each minus one.
  int32_t ViewColumns = 0;
  int32_t ViewRows = 0;
  // Largest ViewLeft and ViewTop: MapWidth - ViewColumns, MapHeight - ViewRows.
  // Below 1 when the whole map fits; the scroll bars then stay at 1.
  int32_t ScrollMaxX = 0;
  int32_t ScrollMaxY = 0;
  // Inner size of the map view in pixels.
  int32_t ViewPixelWidth = 0;
  int32_t ViewPixelHeight = 0;

  // The drawn hexes around the visible area. Buffer pixel (bx, by) shows
  // whole-map pixel (bx + (ViewLeft - 1) * ColumnStep, by + (ViewTop - 1) * RowStep),
  // so the visible area starts at (ColumnStep, RowStep).
  Picture ViewBuffer;
  int32_t ViewBufferWidth = 0;
  int32_t ViewBufferHeight = 0;
  ViewBufferStore BufferStore;

  // True while the jump map sets both scroll bars at once; the scroll bar
  // handlers then do nothing.
  bool CentringView = false;

  // What the map view shows: ViewPixelWidth x ViewPixelHeight of the buffer
  // as BlitPic1 presented it, a window of the buffer's own pixels while the
  // buffer lies in its store, else a copy (BlueHex draws on a copy).
  Picture ViewScreen;
  // Called after every change of ViewScreen, so the widget repaints and the
  // jump map can draw its box of the visible area.
  std::function<void()> OnPresent;
  // The part of ViewScreen the last present changed, or none when it may
  // have changed all of it.
  std::optional<PixelRect> PresentedArea;
  // True while ViewScreen shows something the buffer does not (BlueHex):
  // the next present then copies all of it.
  bool ScreenMarked = false;
  // True while ViewScreen is a window of the buffer's store.
  bool ScreenIsWindow = false;

  // Shown pixels per map pixel of the buffer and screen. Below 1 the view is
  // an overview (view/overview.h): both have the shown size, the buffer has
  // no margin, and the hexes come from scaled cells kept in `Overview`.
  double DrawScale = 1.0;
  std::shared_ptr<OverviewCells> Overview;
};

// View switches read by the hex drawing. HexOutlines, ShowRoadControl, the
// grid spacing and the flag position are settings (EditorSettings).
struct DrawSwitches {
  int16_t EditMode = 0;  // 0 tile painting, 1 deployment marks, 2 hex control
  int16_t RoadMode = 0;  // above 0 while the road-side tool is active
  bool GridLines = false;
  int16_t HighlightTile = -1;  // -1 off
  // Selection rectangle in hexes; 0 in any bound means no selection.
  int16_t SelectionLeft = 0;
  int16_t SelectionRight = 0;
  int16_t SelectionTop = 0;
  int16_t SelectionBottom = 0;

  bool HasSelection() const {
    return SelectionLeft > 0 && SelectionRight > 0 && SelectionTop > 0 && SelectionBottom > 0;
  }
  bool InSelection(int x, int y) const {
    return HasSelection() && x >= SelectionLeft && x <= SelectionRight && y >= SelectionTop &&
           y <= SelectionBottom;
  }
};

// What the mouse and keys of the main window work with besides the drawing
// switches: the hex last clicked, the road-side tool, the side clearing.
struct InteractionState {
  int16_t CurrentHexX = 1;
  int16_t CurrentHexY = 1;
  int16_t RoadSide = 1;     // hex side 1..6 picked on the road-side strip
  bool ClearSides = false;  // a click clears the hex's six side values
  // Modifier state of the last key event: 1 Shift, 2 Ctrl, 4 Alt, summed.
  int ModifierKeys = 0;
  // Off while the hex name box has the keyboard focus: what is typed there
  // is a name, not a command.
  bool KeysEnabled = true;
};

// The values the control window sets and the hex-control and deployment
// modes write, and the area switch of the area commands.
struct ControlSelection {
  uint8_t SelectedNation = 0;
  uint8_t SelectedOriginalOwner = 0;
  uint8_t SelectedObjectiveMark = 0;
  // On: area commands work on the whole map (after a snapshot); off: on the
  // visible area.
  bool WholeMapArea = false;
};

}  // namespace korv
