// Editing the map with the mouse and keys in the main window: a press on
// the map in each edit mode, the status text while the mouse moves, the
// tool buttons, the road-side strip and the keyboard commands. The window
// turns its events into these calls and shows what they return.
#pragma once

#include <functional>
#include <string>

#include "editing/map_editor.h"

namespace korv {

// The hex distance between (x1, y1) and (x2, y2) in moves.
int HexDistance(int x1, int y1, int x2, int y2);

// The status line for the hex (hx, hy) under the mouse; `hexName` is its
// name (20 characters, blank-padded) or empty.
std::string StatusText(const MapEditor& session, int hx, int hy, const std::string& hexName);

enum class MouseButton { kLeft, kRight, kOther };

// What the window shows after a press.
struct PressOutcome {
  bool pickedUp = false;  // right click: auto-tile and random tiles are off now
};

// A press on the map view at view position (vx, vy) in map pixels; `shift`
// is the modifier state (1 Shift, 2 Ctrl, 4 Alt, summed). Sets the current
// hex, then paints, sets sides, deployment or control by the edit mode, or
// extends the selection (Shift), or picks the hex's tile up (right button),
// and redraws.
PressOutcome MapView_MouseDown(MapEditor& session, MouseButton button, int shift, double vx,
                               double vy);

// The tile that painting puts on hex (x, y), with its terrain and roads:
// random variant, pattern recording or automatic choice, road joining and
// open sides of settlements. Used by a plain left press in painting mode.
void PaintHex(MapEditor& session, int x, int y);

// A press on the tile picker's sheet over `tile`: the tile becomes current
// whatever the button; the left button also leaves the special tools
// (LeaveSpecialTools). True when the "Options" menu pops up (right button).
bool TileSheet_MouseDown(MapEditor& session, MouseButton button, int tile);

// "Block Fill": fills the visible area with the current tile (random
// variants when random tiles are on) and redraws.
void BlockFill_Click(MapEditor& session);
// "clear hex sides": toggles side clearing; returns the button's caption.
std::string ClearSides_Click(MapEditor& session);
// A press on the road-side strip at x: the road-side tool for that side.
// Presses right of the sixth cell are ignored (false).
bool RoadStrip_MouseDown(MapEditor& session, double x);
// "Roads" (1) or "Rail Roads" (2): the kind of link the road-side tool sets.
void SetRoadKind(MapEditor& session, int kind);

// Keys of the main window.
enum class EditorKey {
  kF1,
  kF2,
  kF3,
  kF4,
  kF5,
  kF6,
  kF7,
  kF8,
  kUp,
  kDown,
  kLeft,
  kRight,
  kA,
  kB,
  kC,
  kH,
  kN,
  kR,
  kX,
  kSlash,
  kOther,
};

// What the window must do after a key besides what the session did.
struct KeyOutcome {
  enum Window { kNone, kJumpMap, kTilePicker, kControl, kMapToBitmap, kHelp } show = kNone;
  int scrollX = 0;  // -1 or +1: move the horizontal scroll bar by one
  int scrollY = 0;
  bool autoTileChanged = false;  // the auto-tile button shows AutoDraw
  bool mapReplaced = false;      // the snapshot was read back: the map may have a new size
  std::string progress;          // text for the "Progress" label, when not empty
};

// Runs a key of the main window pressed with the modifier state
// `modifiers` (1 Shift, 2 Ctrl, 4 Alt, summed), whatever the modifiers;
// afterwards the jump map's outline is drawn again, whatever the key.
// Nothing happens while the keys are off (the hex name box has the focus).
KeyOutcome MainWindow_KeyDown(MapEditor& session, EditorKey key, int modifiers = 0);
// A key released: the modifier state follows (not while the keys are off).
void MainWindow_KeyUp(MapEditor& session, int modifiers);
// The hex name box gained (true) or lost the keyboard focus: the window's
// key commands are off while it has it.
void HexNameBox_Focus(MapEditor& session, bool hasFocus);

}  // namespace korv
