// The demo game folder the tests look at: written once per test program
// into a temporary folder, with small readers for its files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/picture.h"
#include "tile_catalogue.h"

namespace korv::demo::test {

// The folder written by korv-demo-game at build time, or, when there is
// none, one written by WriteDemoGame on first use (the test fails at once
// when it cannot be written). Tests only read it.
const std::filesystem::path& DemoFolder();
// A fresh, empty temporary folder that lives until the program ends.
std::filesystem::path NewTemporaryFolder();

std::vector<uint8_t> ReadDemoFile(const std::string& relative);
std::string ReadDemoText(const std::string& relative);
Picture LoadDemoBitmap(const std::string& relative);

// The tile table the folder was made from.
const TileCatalogue& Catalogue();

// Every file below `folder`, as paths relative to it, sorted.
std::vector<std::string> ListFilesBelow(const std::filesystem::path& folder);

}  // namespace korv::demo::test
