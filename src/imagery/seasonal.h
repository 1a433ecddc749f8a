// The seasonal pictures of a map: from its picture ("...x.bmp") the editor
// makes six more beside it with fixed colour rules: unhighlighted (d), red
// (r), winter light and dark (wl, wd) and mud light and dark (ml, md).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/picture.h"

namespace korv {

// Clamps to 0..255.
void ByteMe(long& value);

// DarkTable(i) = i * 0.75 and BrightTable(i) = i * 2.25, both rounded down
// and clamped to 0..255.
using ColourTable = std::array<uint8_t, 256>;
ColourTable DarkTable();
ColourTable BrightTable();

enum class SeasonalRule {
  kUnhighlight,  // every byte through DarkTable
  kRedHex,       // green and blue to 0
  kWinter,       // 195, 195, 119 through BrightTable (white)
  kMud,          // seven field colours darkened twice
};
// Applies `rule` to every pixel of `picture`.
void ApplySeasonalRule(Picture& picture, SeasonalRule rule);

// The six files made from the picture at `sourcePath`, in the order they
// are made: its path without the last five characters ("x.bmp") followed
// by "d.bmp", "r.bmp", "wl.bmp", "wd.bmp", "ml.bmp", "md.bmp".
std::vector<std::string> SeasonalFileNames(const std::string& sourcePath);

// Makes and saves the six pictures. `step` is told "Creating " and the
// file before each one. False, with `error` naming the file, when a file
// cannot be written (those written before stay); also when the source path
// is too short to name them.
bool CreateSeasonalMaps(const Picture& source, const std::string& sourcePath,
                        const std::function<void(const std::string&)>& step, std::string& error);

}  // namespace korv
