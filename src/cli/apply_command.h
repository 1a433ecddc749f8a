// korvmap apply IN OUT COMMAND...: opens a map, runs commands of the main
// window's menus on it (the same command table the editor's menus are built
// from) and saves the result as OUT with its control file and picture.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace korv {

constexpr const char* kApplyUsage =
    "  apply IN OUT COMMAND...   open IN, run menu commands on it (by caption, \"&\" and case\n"
    "                            ignored, or by name: korvmap apply --list), save as OUT;\n"
    "                            --whole-map, --view L,T,C,R (left, top, columns, rows shown;\n"
    "                            default the whole map), --current-tile T, --nation N,\n"
    "                            --original-owner N, --mark M, --seed N, --fit (\"Fit\n"
    "                            Neighbours\" on)\n";

// What apply's options set before the first command.
struct ApplySettings {
  bool wholeMap = false;
  std::optional<std::vector<int>> view;  // left, top, columns, rows
  std::optional<int> currentTile;
  std::optional<int> nation;
  std::optional<int> originalOwner;
  std::optional<int> mark;
  bool fitNeighbours = false;
  uint64_t seed = 1;
};

// Every command of the table, one a line: its name, its caption and whether
// apply can run it.
void ListCommands(std::ostream& out);

// Runs `commands` in order on the map IN of the game folder `folder` and
// saves it as OUT. Messages go to `out`; a question is answered with its
// default (OK for OK/Cancel, No for Yes/No) and shown with the answer. A
// command that needs the editor's window, or is not in the editor yet, or
// an unknown one, refuses the whole run before the map is touched.
int ApplyCommands(const std::string& folder, const std::string& in, const std::string& outPath,
                  const std::vector<std::string>& commands, const ApplySettings& settings,
                  std::ostream& out, std::ostream& err);

}  // namespace korv
