// The made-up nations of the demo game and their flags, drawn pixel by
// pixel at the three sizes the editor shows (21 x 14, 20 x 13, 9 x 9), and
// the blank flags it falls back on.
#pragma once

#include <QImage>
#include <span>

#include "canvas.h"

namespace korv::demo {

enum class FlagPattern { kTricolour, kCross, kDiagonal, kBicolourStar, kDisc, kStripesCanton };

struct Nation {
  const char* Name;  // also the flags' file name
  int TileId;        // strength tile id, counted from 1
  FlagPattern Pattern;
  Colour First;
  Colour Second;
  Colour Third;
};
std::span<const Nation> DemoNations();

// The flag sizes: large (NAME.bmp), medium (NAME02.bmp), small (NAME03.bmp).
struct FlagSize {
  const char* Suffix;
  int Width;
  int Height;
};
std::span<const FlagSize> FlagSizes();

QImage DrawFlag(const Nation& nation, int width, int height);
QImage DrawBlankFlag(int width, int height);

}  // namespace korv::demo
