// Layout of the main editing window (Form_Resize) as a pure function: from
// the window's inner size, the sizes of its controls and the hex geometry to
// every control's rectangle and the view's size in hexes and pixels. The
// widget places its controls from the result; ResizeView also applies it to
// the view and re-creates the buffer.
#pragma once

#include <cstdint>
#include <optional>

#include "editor/editor.h"
#include "platform/interaction.h"
#include "platform/picture.h"
#include "view/hex_drawing.h"
#include "view/view_state.h"
#include "view/viewport.h"

namespace korv {

// The map view is never made larger than this in either direction (the
// largest size the game's own 16-bit arithmetic allowed); a larger window
// leaves the rest empty. All arithmetic is 32-bit.
constexpr int kMaxViewPixels = 32767;

struct PixelSize {
  int width = 0;
  int height = 0;
};

// What the layout needs from the window and its controls.
struct WindowLayoutInput {
  PixelSize inner;  // the window's inner (client) size
  PixelSize statusLine;
  int horizontalScrollBarHeight = 0;
  int verticalScrollBarWidth = 0;
  // The map view is made 5 pixels wider and 4 higher than the hexes it
  // shows, for its border; the inner size is that less this frame on each side.
  int viewFrame = 2;
  PixelSize roadStrip;  // the road-side strip below the horizontal scroll bar
  PixelSize blockFillButton;
  PixelSize mapTilesButton;
  PixelSize clearSidesButton;
  PixelSize deploymentButton;
  PixelSize autoTileButton;
  PixelSize progressLabel;
  PixelSize roadsLabel;
  PixelSize railRoadsLabel;
  PixelSize hexNameBox;
  PixelSize renameButton;
  PixelSize clearButton;
};

struct WindowLayout {
  PixelRect statusLine;
  PixelRect mapView;  // outer rectangle, border included
  PixelRect horizontalScrollBar;
  PixelRect verticalScrollBar;
  PixelRect roadStrip;
  PixelRect blockFillButton;
  PixelRect mapTilesButton;
  PixelRect clearSidesButton;
  PixelRect deploymentButton;
  PixelRect autoTileButton;
  PixelRect progressLabel;
  PixelRect roadsLabel;
  PixelRect railRoadsLabel;
  PixelRect hexNameBox;
  PixelRect renameButton;
  PixelRect clearButton;

  int32_t ViewPixelWidth = 0;  // the map view's inner size
  int32_t ViewPixelHeight = 0;
  int32_t ViewColumns = 0;
  int32_t ViewRows = 0;
  int32_t ScrollMaxX = 0;
  int32_t ScrollMaxY = 0;
  ScrollBarRange horizontalRange;
  ScrollBarRange verticalRange;
};

// Lays the window out. Nothing (and no message) for a window whose inner
// width is 0 (minimized). A geometry with a ColumnStep or RowStep below 1 is
// refused with a message. The view always shows at least one column and one
// row. The caller decides whether the window is visible.
std::optional<WindowLayout> Form_Resize(const WindowLayoutInput& input, const HexGeometry& geometry,
                                        const MapDocument& document, UserInteraction& ui);

// Takes the layout's view values: size, columns, rows, scroll maxima, and
// back to column 1, row 1.
void ApplyViewLayout(ViewState& view, const WindowLayout& layout);

// A resize of the main window: lays it out, applies the view values and
// re-creates the view buffer at the new size (drawn and presented), so a
// larger window shows the whole view rather than only what fitted the old
// buffer. Nothing when the layout gives nothing.
std::optional<WindowLayout> ResizeView(const Editor& editor, const HexDrawingResources& resources,
                                       const DrawSwitches& switches, ViewState& view,
                                       const WindowLayoutInput& input);

}  // namespace korv
