// Writes the demo game folder: the original tile sheet and overlay bitmaps,
// the flags of the made-up nations, the text tables under data/, the nation
// set "default", the tile knowledge under mapedit/ and the sample map. The
// same bytes on every run. Later additions (set files, scenario files,
// hex-name files) join the list in WriteDemoGame.
#pragma once

#include <filesystem>
#include <string>

namespace korv::demo {

// False, with `error` naming the file that could not be written.
bool WriteDemoGame(const std::filesystem::path& folder, std::string& error);

// The small text files, exactly as written.
std::string HexInfoText();  // data/hex_info.txt
std::string NationsText();  // default/nations/nations.txt
std::string FlagsXyText();  // flags.xy

}  // namespace korv::demo
