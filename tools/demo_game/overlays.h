// The overlay bitmaps the editor lays over hexes: the hex clearing mask,
// hex outlines, the effect markers (objectives, oil, highlights), road and
// rail road exits, and the road-side strip under the map. Masks are pure
// black (overlay shows) and white; pictures are black wherever the mask is
// white, so an AND of the mask and an OR of the picture draw them exactly.
#pragma once

#include <QImage>

namespace korv::demo {

struct OverlayPair {
  QImage Mask;
  QImage Picture;
};

// Number of cells in the effect strip, and the cells the editor uses.
constexpr int kEffectCells = 9;
constexpr int kPrimaryObjectiveCell = 5;
constexpr int kBlueHighlightCell = 7;  // x = 420
constexpr int kOilResourceCell = 8;

QImage BlackHexMask();      // bmp/blackhex.bmp: black inside the hex, white outside
OverlayPair HexOutline();   // bmp/hexm.bmp, bmp/hexp.bmp
OverlayPair EffectStrip();  // bmp/fx2m.bmp, bmp/fx2.bmp
OverlayPair RoadStrip();    // bmp/roadsm.bmp, bmp/roads.bmp: cell d-1 for side d
OverlayPair RailStrip();    // bmp/rrm.bmp, bmp/rr.bmp
QImage RoadSideStrip();     // bmp/roadsp.bmp: six hexes, each marking its side
// bmp/c0.bmp and bmp/c1.bmp: a side selector of the tile dialogs, off and on.
QImage SideSelector(bool set);

}  // namespace korv::demo
