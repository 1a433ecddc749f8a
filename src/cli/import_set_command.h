// korvmap import-set SET OUT.map [--replace]: imports a set file of the game
// the way the file dialog's "Open Brak set file" does and saves the result
// the way its "Save" does: the map, control file and jump-map picture, empty
// hex-name files, and the order-of-battle and scenario texts beside OUT.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace korv {

constexpr const char* kImportSetUsage =
    "  import-set SET OUT.map [--replace]\n"
    "                            import a set file of the game with its scenario and save it as\n"
    "                            OUT.map with OUT.oob and OUT.scn; --replace replaces files\n";

// The command when `arguments` (without the program name) ask for it:
// "[--folder DIR] import-set SET OUT [--replace]"; nothing for any other
// command, which korvmap's own dispatcher then handles.
std::optional<int> RunImportSetCommand(const std::vector<std::string>& arguments, std::ostream& out,
                                       std::ostream& err);

// The import itself on the game folder `folder`. Without `replace` an
// existing OUT.map is left alone (nothing is written) and an existing
// OUT.oob is kept. The game folder is only read: the order-of-battle text
// goes straight to OUT.oob. Returns korvmap's exit code.
int ImportSetCommand(const std::string& folder, const std::string& setPath,
                     const std::string& outPath, bool replace, std::ostream& out,
                     std::ostream& err);

}  // namespace korv
