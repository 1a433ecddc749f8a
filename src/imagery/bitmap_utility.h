// The bitmap utility's tools on a picture: colour reduction, separating a
// dominant colour, the sprite mask, replacing one colour, cutting into
// 300 x 300 sectors, and turning a picture into a map whose hexes take
// their terrain from clicked colours. The window (and korvmap bitmap) show
// and save what these do.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "document/map_document.h"
#include "platform/picture.h"

namespace korv {

// The reduction value as used: 0 counts as 4.
int ReductionValue(int colourReductionValue);

// Every colour byte c becomes (c \ s) * s.
void ReduceColours(Picture& picture, int colourReductionValue);
// Channel 0 blue, 1 green, 2 red: a pixel whose channel is at least both
// others keeps only that channel; any other pixel turns white.
void SeparateColour(Picture& picture, int channel);
// Black pixels white, every other pixel black.
Picture SpriteMask(const Picture& picture);
// The sprite mask's file beside the bitmap: its path without ".bmp" and "m.bmp".
std::string SpriteMaskPath(const std::string& bitmapPath);

// Replacing colour `from` (0x00RRGGBB) by `to`: refused (false) when any
// channel of `from` equals that channel of `to`, as that would be the
// background colour; otherwise every pixel of `from` gets `to`.
bool ReplaceColour(Picture& picture, uint32_t from, uint32_t to);
constexpr const char* kBackgroundColourMessage =
    "you can not replace the background colour. (colour in upper left corner)";

// The sectors of a picture: blocks of 300 x 300 from (0, 0) on, while the
// corner's x and y are at most the picture's width and height, each saved
// as "XXYY.bmp" (two digits each) into `folder`, made when missing. False,
// with `error` naming the file, when one cannot be written.
bool SaveAsSectors(const Picture& picture, const std::string& folder, std::string& error);
std::string SectorFileName(int x, int y);

// A map made from a picture of w x h pixels: MapWidth w, MapHeight h, hex
// (x + 1, y + 1) for pixel (x, y).
struct BitmapToMap {
  // (0..width) x (0..height), x fastest; 1 where terrain was assigned
  std::vector<uint8_t> ConversionMarks;
  int width = 0;
  int height = 0;
};
// The conversion of a picture of w x h pixels, no pixel marked.
BitmapToMap StartConversion(int width, int height);
// The mark of pixel (x, y): 0 for a pixel the conversion does not cover.
uint8_t ConversionMark(const BitmapToMap& conversion, int x, int y);
// A click on a pixel of colour `colour` with terrain `terrain` current:
// every pixel of that colour is painted `marker`, marked, and its hex gets
// the terrain. Pixels beyond the conversion's size or the map are painted
// but neither marked nor given to a hex. Returns the pixels assigned.
int AssignTerrain(Picture& picture, BitmapToMap& conversion, MapDocument& document, uint32_t colour,
                  uint8_t terrain, uint32_t marker);

}  // namespace korv
