// Drawing of hexes into the view buffer: the overlay bitmaps and flag strips,
// the layers of one hex (Print_hex), the full redraw (RedrawBuffers), the
// redraw of one edited hex (RedrawHex), the blue pointer of the road problem
// search (BlueHex) and the menu switches that change what is drawn.
//
// Everything is composed from rectangle transfers: an overlay is its mask
// cell combined with AND (black where the overlay shows, white elsewhere),
// then its picture cell with OR (black outside the shape).
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "editor/editor.h"
#include "platform/files.h"
#include "platform/picture.h"
#include "view/view_state.h"

namespace korv {

// Flag strip cells: one row, cell i at x = i * width; cell 0 stays black.
constexpr int kLargeFlagWidth = 21;
constexpr int kLargeFlagHeight = 14;
constexpr int kMediumFlagWidth = 20;
constexpr int kMediumFlagHeight = 13;
constexpr int kSmallFlagWidth = 9;
constexpr int kSmallFlagHeight = 9;
// The small flag of a plain owned hex sits this far right of the flag position.
constexpr int kSmallFlagShiftX = 5;
// The blue highlight's cell in fx2.bmp is at a fixed pixel offset, whatever
// the hex width.
constexpr int kBlueHighlightX = 420;
// Effect cells counted in hex widths.
constexpr int kPrimaryObjectiveCell = 5;
constexpr int kOilResourceCell = 8;

// Print_hex modes.
constexpr int kDrawNormal = 0;
constexpr int kDrawScrolled = 1;  // the same as normal
constexpr int kDrawGridLine = 2;  // adds the blue highlight

// Overlay pictures and flag strips, loaded once and kept for the whole run.
// An empty picture draws nothing.
struct HexDrawingResources {
  Picture BlackHex;           // bmp/blackhex.bmp: clearing mask, AND only
  Picture HexOutlineMask;     // bmp/hexm.bmp
  Picture HexOutlinePicture;  // bmp/hexp.bmp
  Picture EffectMask;         // bmp/fx2m.bmp: effect cells in one row
  Picture EffectPicture;      // bmp/fx2.bmp
  Picture RoadMask;           // bmp/roadsm.bmp: side d at x = (d - 1) * HexPixelWidth
  Picture RoadPicture;        // bmp/roads.bmp
  Picture RailMask;           // bmp/rrm.bmp: as roads
  Picture RailPicture;        // bmp/rr.bmp
  Picture LargeFlags;         // 21 x 14 cells: primary objectives and oil
  Picture MediumFlags;        // 20 x 13 cells: secondary objectives, deployment marks
  Picture SmallFlags;         // 9 x 9 cells: plain owned hexes
};

// Loads the overlay bitmaps from the game folder and builds the flag strips.
// A missing file leaves its picture empty, without a message; a damaged one
// is refused the same way and returned, each as "FILE: what is wrong".
// `nationNames` holds entry 0 (unused) and one name per nation.
std::vector<std::string> LoadGraphics(HexDrawingResources& resources, const GameFolder& folder,
                                      const std::vector<std::string>& nationNames);

// Rebuilds the three flag strips: cell i from flags/<name>.bmp,
// flags/<name>02.bmp and flags/<name>03.bmp, else flags/blank.bmp,
// flags/blank02.bmp and flags/blank03.bmp; a cell stays black when neither
// exists or its file is damaged (returned as for LoadGraphics). Run after a
// map is loaded and after a nation set is opened.
std::vector<std::string> BuildFlagStrips(HexDrawingResources& resources, const GameFolder& folder,
                                         const std::vector<std::string>& nationNames);
// The message for damaged pictures the drawing goes without, or empty.
std::string DamagedPicturesMessage(const std::vector<std::string>& damaged);

// The mode a full redraw gives hex (x, y): grid line (2) while GridLines is
// on and x is a multiple of GridWidth or y a multiple of GridHeight, else 0.
// A spacing of 0 draws no grid line in that direction.
int HexDrawMode(const EditorSettings& settings, const DrawSwitches& switches, int x, int y);

// Draws hex (x, y) into the view buffer, layer by layer: clear, tile (not in
// column 0 or row 0), outline, flags or deployment marks, road exits (only
// while RoadMode > 0), railroad exits, selection, grid line (mode 2) and tile
// highlight. A hex outside the map is not drawn.
void Print_hex(const Editor& editor, const HexDrawingResources& resources,
               const DrawSwitches& switches, ViewState& view, int x, int y, int mode);

// The hexes a full redraw draws: columns ViewLeft - 1 .. ViewLeft + ViewColumns + 1
// and rows ViewTop - 2 .. ViewTop + ViewRows + 1, clipped to the map. The
// extra row above lets the lower columns' hexes in the top margin be whole.
HexRange RedrawRange(const ViewState& view, const MapDocument& document);

// Fills the buffer black, draws every hex of RedrawRange and presents.
void RedrawBuffers(const Editor& editor, const HexDrawingResources& resources,
                   const DrawSwitches& switches, ViewState& view);

// Redraws hex (x, y) after an edit and presents. When `jumpMap` is given,
// the hex's pixel of the strategic picture follows. The hex is drawn in the
// mode a full redraw would give it, so a painted hex keeps its grid line.
void RedrawHex(const Editor& editor, const HexDrawingResources& resources,
               const DrawSwitches& switches, ViewState& view, int x, int y, JumpMapState* jumpMap);
// The same for several hexes (x, y), presented once.
void RedrawHexes(const Editor& editor, const HexDrawingResources& resources,
                 const DrawSwitches& switches, ViewState& view,
                 const std::vector<std::pair<int, int>>& hexes, JumpMapState* jumpMap);

// Puts the blue highlight over hex (x, y) on the presented picture only (not
// into the buffer) and tells the widget; the next present removes it.
void BlueHex(const HexGeometry& geometry, const HexDrawingResources& resources, ViewState& view,
             int x, int y);

// What a menu entry shows.
struct MenuEntry {
  std::string Caption;
  bool Checked = false;
  bool Enabled = true;
};

// The outline entry of the "Hex Sides" menu for the switch's state.
MenuEntry HexOutlinesMenuEntry(bool hexOutlines);
// "&Hexsides on": switches the outlines, redraws and returns the entry.
MenuEntry HexsidesOn_Click(Editor& editor, const HexDrawingResources& resources,
                           const DrawSwitches& switches, ViewState& view);
// "Grid Lines": switches the grid; nothing is redrawn until the next full
// redraw. Returns the entry.
MenuEntry GridLines_Click(DrawSwitches& switches);

}  // namespace korv
