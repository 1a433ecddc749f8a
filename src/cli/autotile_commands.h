// korvmap paint and korvmap learn: painting hexes as left clicks do, with or
// without automatic tile choice, and teaching the pattern libraries from the
// game's own maps and set files in one step.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace korv {

constexpr const char* kAutoTileUsage =
    "  paint IN OUT --tile T [--auto [--fit]] [--random] [--seed N] X,Y...\n"
    "                            paint hexes in order as left clicks do (patterns are learnt\n"
    "                            unless --auto chooses the tiles; --fit also fits each\n"
    "                            painted hex's neighbours to it), save as OUT\n"
    "  control IN OUT --nation N [--original-owner N] [--mark M] X,Y...\n"
    "                            give hexes an owner, original owner (default: the owner)\n"
    "                            and objective mark (0-3) as clicks in hex control mode do,\n"
    "                            save as OUT\n"
    "  learn SET_OR_MAP...       run the three memorise commands on each map or set file\n"
    "  seams MAP [--list]        count the road ends and edge seams the tile sheet could\n"
    "                            close (--list: one \"x, y, kind\" a line); exit 0 when\n"
    "                            there is none, 1 otherwise\n";

// What a click in hex control mode gives a hex.
struct ControlClick {
  uint8_t nation = 0;
  uint8_t originalOwner = 0;
  uint8_t mark = 0;
};

struct PaintSettings {
  int tile = 0;
  bool autoDraw = false;
  bool randomTiles = false;
  bool fitNeighbours = false;
  uint64_t seed = 1;
  // Clicks in hex control mode instead of painting.
  std::optional<ControlClick> control;
};

// Paints `hexes` ("x,y" each) of map IN in order (or sets their control)
// and saves it as OUT.
int PaintCommand(const std::string& folder, const std::string& in, const std::string& out,
                 const std::vector<std::string>& hexes, const PaintSettings& settings,
                 std::ostream& output, std::ostream& err);

// Counts the tile seams of the map at `path` (every one with `list`):
// kExitOk when it has none, kExitRefused when it has some or cannot be read.
int SeamsCommand(const std::string& folder, const std::string& path, bool list,
                 std::ostream& output, std::ostream& err);

// Loads each map (or imports each set file in memory) and memorises its
// road, river and mountain patterns; prints how many records each library
// gained.
int LearnCommand(const std::string& folder, const std::vector<std::string>& sources,
                 std::ostream& output, std::ostream& err);

}  // namespace korv
