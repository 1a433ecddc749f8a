// korvmap's picture commands: the bitmap utility's tools (korvmap bitmap),
// a picture made into a map, and a map section drawn into a picture
// (korvmap render). Default output names are the editor's own.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace korv {

constexpr const char* kImageryUsage =
    "  bitmap reduce|separate-red|separate-green|separate-blue|mask|sectors SRC [--value S] [-o "
    "OUT]\n"
    "  bitmap replace SRC --from R,G,B --to R,G,B [-o OUT]\n"
    "                            the bitmap utility's tools (OUT defaults to the editor's names:\n"
    "                            picture2.bmp, temp.bmp, SRCm.bmp, the folder newsectors)\n"
    "  bitmap to-map SRC OUT.map --assign R,G,B=TILE...\n"
    "                            a map of the picture's size, hexes of each colour given the\n"
    "                            terrain of TILE\n"
    "  render MAP --left L --top T --width W --height H [-o OUT]\n"
    "                            a section of the map drawn with its tiles (OUT: map.bmp; an\n"
    "                            OUT ending in .png is written as PNG)\n";

// reduce, separate-red, separate-green, separate-blue, mask or sectors on
// the bitmap SRC; an empty `output` takes the editor's name for it.
int BitmapToolCommand(const std::string& folder, const std::string& tool, const std::string& source,
                      const std::string& output, int reductionValue, std::ostream& out,
                      std::ostream& err);
int ReplaceColourCommand(const std::string& folder, const std::string& source,
                         const std::string& output, uint32_t from, uint32_t to, std::ostream& out,
                         std::ostream& err);
// Colours (0x00RRGGBB) with the tile whose terrain their hexes get.
int BitmapToMapCommand(const std::string& folder, const std::string& source,
                       const std::string& mapPath, int reductionValue,
                       const std::vector<std::pair<uint32_t, int>>& assignments, std::ostream& out,
                       std::ostream& err);
int RenderCommand(const std::string& folder, const std::string& mapPath, int left, int top,
                  int width, int height, const std::string& output, std::ostream& out,
                  std::ostream& err);

}  // namespace korv
