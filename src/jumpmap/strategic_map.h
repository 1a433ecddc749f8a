// The strategic map: the whole map at one pixel per hex, coloured by
// terrain. It is what the jump map window shows and what SaveMap writes
// beside the map as its ".bmp" picture.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "autotile/tile_tables.h"
#include "document/map_document.h"
#include "platform/picture.h"

namespace korv {

// State of the jump map that outlives its window.
struct JumpMapState {
  // 0: road tiles are black; otherwise hexes of this terrain are black.
  int HighlightTerrain = 0;
  uint32_t JumpBoxColour = 0x000000;  // black or white
  bool JumpShown = false;
  // The persistent picture (terrain colours, overlays made permanent).
  Picture MapPicture;
  // What the window shows: the persistent picture with the drawn layer
  // (the outline of the main view) on top.
  Picture Shown;
  // Where the outline lies on Shown; none while Shown is to be made anew.
  std::optional<PixelRect> Outline;
};

// The colour of hex (x, y) on the strategic picture.
uint32_t StrategicColour(const MapDocument& document, const TileTables& tables,
                         int highlightTerrain, int x, int y);
// A hex that changed: its pixel of the strategic picture, and of the shown
// one unless the outline runs over it.
void SetStrategicHex(JumpMapState& jumpMap, const MapDocument& document, const TileTables& tables,
                     int x, int y);
// A strategic picture drawn anew; the shown one is made again from it at
// the next outline.
void ReplaceStrategicMap(JumpMapState& jumpMap, Picture picture);

// Paints the strategic picture of `document`: MapWidth x MapHeight pixels,
// pixel (x, y) for hex (x, y); the last column and row have no pixel.
Picture DrawStrategicMap(const MapDocument& document, const TileTables& tables,
                         int highlightTerrain);

// What a hex's pixel is, looked up once per picture: the colour of each
// terrain (black for the highlighted one) and, when no terrain is
// highlighted, which tiles carry a road (black).
class StrategicPalette {
 public:
  StrategicPalette(const TileTables& tables, int highlightTerrain);
  // Pixels (0, y) .. (width - 1, y) of the picture, as 0xffRRGGBB words.
  void DrawRow(const MapDocument& document, int y, int width, uint32_t* out) const;

 private:
  std::array<uint32_t, 256> terrain_{};
  std::vector<uint8_t> roadTiles_;
};

// The strategic picture's 24-bit bitmap file made straight from the map, a
// block of rows at a time: the bytes of DrawStrategicMap(...).EncodeBmp()
// without a copy of the file in memory. When `picture` is given it becomes
// DrawStrategicMap's picture as well, row by row as the pieces are taken
// (its pixels are reused where it has the size already); Finish() draws the
// rows not taken. The map must stay as it is until then.
class StrategicBitmapFile {
 public:
  StrategicBitmapFile(const MapDocument& document, const TileTables& tables, int highlightTerrain,
                      Picture* picture = nullptr);
  size_t Size() const;
  // The header, then the rows bottom up in blocks; nothing after the last.
  std::optional<std::span<const uint8_t>> Next();
  // Takes the pieces left, so that the picture is whole even where the
  // file was not written to its end.
  void Finish();

 private:
  const MapDocument& document_;
  StrategicPalette palette_;
  Picture* picture_;
  int width_;
  int height_;
  int nextRow_ = -1;  // -1: the header comes next
  std::array<uint8_t, kBmpHeaderBytes> header_{};
  std::vector<uint8_t> block_;
  std::vector<uint32_t> row_;  // a row's pixels when there is no picture
};

}  // namespace korv

namespace korv {

// Clears the drawn layer and outlines the main view's hexes, columns left ..
// left + columns and rows top .. top + rows, one pixel per hex, in
// JumpBoxColour. Paints the strategic picture first when there is none yet.
// Only the pixels under the old outline are restored, so a step of the
// view costs the outline's length, not the picture's size.
void DrawJumpBox(JumpMapState& jumpMap, const MapDocument& document, const TileTables& tables,
                 int left, int top, int columns, int rows);

// Key C: the outline turns white when it was black, black otherwise.
void ToggleJumpBoxColour(JumpMapState& jumpMap);

// Where a click at pixel (x, y) of the jump map puts the main view's left
// column and top row: the view centred there, kept within 1 and the
// scroll bars' maxima.
struct ViewCorner {
  int left = 1;
  int top = 1;
};
ViewCorner JumpMapClick(int x, int y, int viewColumns, int viewRows, int maxLeft, int maxTop);

// The flag strips the objectives are drawn with: large cells 21 x 14,
// medium cells 20 x 13, nation n at x = n times the cell width.
struct FlagStrips {
  const Picture& large;
  const Picture& medium;
};
// The strategic bitmap saved beside a map: "map01.map" -> "map01.bmp".
std::string StrategicBitmapPath(const std::string& mapPath);
// "Objectives" (nation 0: every objective, after the objective list is
// rebuilt) or a country of the list (nation n: the objectives originally
// n's): the map's strategic bitmap from disk with their owners' flags on
// it, kept as the strategic picture until it is drawn anew. False, with
// `error`, when the bitmap cannot be read.
bool ZoomFlags(JumpMapState& jumpMap, MapDocument& document, const FlagStrips& flags, int nation,
               const std::string& mapPath, std::string& error);

}  // namespace korv
