// The scrolled map view: conversion of a view or whole-map pixel to a hex,
// the view buffer's creation, presenting the visible part, the one-step
// scrolls that shift the buffer and draw the strip coming in, and the scroll
// bar handlers.
#pragma once

#include <cstdint>
#include <string>

#include "editor/editor.h"
#include "view/hex_drawing.h"
#include "view/view_state.h"

namespace korv {

struct HexPosition {
  int x = 0;
  int y = 0;
};

// Why the geometry cannot lay out a view (a ColumnStep or RowStep below 1
// from a damaged data/hex_info.txt), or empty when it can.
std::string CheckViewGeometry(const HexGeometry& geometry);

// Whole-map pixel (X, Y) to the hex whose cell (ColumnStep x RowStep at the
// hex's picture origin) holds it, clamped to the map. No exact hex-shape
// test: the slanted right part of a hex belongs to the next column's cell.
// A geometry that CheckViewGeometry refuses gives hex (0, 0).
HexPosition pixel_hex(const HexGeometry& geometry, const MapDocument& document, int32_t X,
                      int32_t Y);

// Position (vx, vy) in the map view to whole-map pixels:
// X = vx + ColumnStep * ViewLeft, Y = vy + RowStep * ViewTop, rounded.
PixelPoint ViewToMapPixel(const HexGeometry& geometry, const ViewState& view, double vx, double vy);

// The hex under view position (vx, vy).
HexPosition ViewPixelToHex(const HexGeometry& geometry, const ViewState& view,
                           const MapDocument& document, double vx, double vy);

// Makes the view buffer for the current ViewColumns and ViewRows
// ((ViewColumns + 2) * ColumnStep + HexPixelWidth wide,
// (ViewRows + 1) * RowStep + 2.5 * HexPixelHeight high, rounded half to even)
// and the presented picture, then draws everything and presents
// (RedrawBuffers). Called after the first layout and after every resize,
// so a larger window always shows a whole view. False, with a message, when
// the geometry is unusable or the picture cannot be made; the view is then
// left without a buffer and draws nothing.
bool CreateViewBuffer(const Editor& editor, const HexDrawingResources& resources,
                      const DrawSwitches& switches, ViewState& view);

// Presents the view: ViewScreen becomes ViewPixelWidth x ViewPixelHeight of
// the buffer from (ColumnStep, RowStep), then OnPresent is called. While the
// buffer lies in its store (ViewBufferStore) the screen is a window of its
// pixels and nothing is copied; else those pixels are copied. With `area`
// (in ViewScreen's pixels) PresentedArea tells the widget that only that
// part can differ, when it is so.
void BlitPic1(const HexGeometry& geometry, ViewState& view, const PixelRect* area = nullptr);

// One-step shifts of the buffer after ViewLeft or ViewTop has changed by one:
// the buffer moves by a step within its store (or, without one, is copied
// onto itself), the strip that comes in is cleared black
// and its hexes are drawn in the mode a full redraw gives them (grid lines
// included), so the visible area always equals a full redraw.
void ScrollLeft(const Editor& editor, const HexDrawingResources& resources,
                const DrawSwitches& switches, ViewState& view);
void ScrollRight(const Editor& editor, const HexDrawingResources& resources,
                 const DrawSwitches& switches, ViewState& view);
void ScrollUp(const Editor& editor, const HexDrawingResources& resources,
              const DrawSwitches& switches, ViewState& view);
void ScrollDown(const Editor& editor, const HexDrawingResources& resources,
                const DrawSwitches& switches, ViewState& view);

// What a scroll bar change did.
enum class ScrollOutcome {
  kIgnored,    // CentringView was set: nothing changed
  kPresented,  // no change of position: presented again
  kShifted,    // one step: buffer shifted, one strip drawn, presented
  kRedrawn,    // two or more steps: full redraw, presented
};

// Change handlers of the horizontal and vertical scroll bars. `newValue` is
// kept within the bar's range (1 .. the bar's maximum).
ScrollOutcome HorizontalScroll_Change(const Editor& editor, const HexDrawingResources& resources,
                                      const DrawSwitches& switches, ViewState& view, int newValue);
ScrollOutcome VerticalScroll_Change(const Editor& editor, const HexDrawingResources& resources,
                                    const DrawSwitches& switches, ViewState& view, int newValue);

// Minimum, maximum and steps of one scroll bar.
struct ScrollBarRange {
  int minimum = 1;
  int maximum = 1;
  int largeChange = 10;
  int smallChange = 1;
};
// The bars' ranges: 1 .. ScrollMaxX (ScrollMaxY), but never a maximum below
// the minimum when the whole map fits into the view.
ScrollBarRange HorizontalScrollRange(const ViewState& view);
ScrollBarRange VerticalScrollRange(const ViewState& view);

// After a map has been loaded or made: back to column 1, row 1, and the
// scroll maxima for the new map size. The caller redraws.
void ResetViewForMap(ViewState& view, const MapDocument& document);

}  // namespace korv
