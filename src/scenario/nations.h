// Nations of the open map's nation set: names, strength tile ids and the
// alphabetical order the lists show them in. A nation set is a folder in the
// game folder holding nations/nations.txt; nation 0 always means nobody.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace korv {

struct NationTables {
  int16_t NationCount = 0;
  std::vector<std::string> NationNames = {""};  // 0..NationCount, entry 0 empty
  std::vector<int16_t> NationTileId = {0};      // counted from 0
  std::vector<int16_t> NationOrder = {0};       // list position k -> nation number
};

// The nation list file of a set: DIR/<set>/nations/nations.txt.
std::filesystem::path NationListPath(const GameFolder& folder, const std::string& nationSetName);

// Reads the nation list of `nationSetName` ("default" when empty; the name is
// set to it). On a missing or malformed file the tables are left empty and
// `error` says, in plain words, which file and what is wrong.
bool LoadNationList(NationTables& nations, std::string& nationSetName, const GameFolder& folder,
                    std::string& error);
// Reads the text of a nation list; `fileName` is the file the messages name.
// Malformed text leaves the tables empty and sets `error`, as above.
bool ParseNationList(NationTables& nations, std::string_view text, const std::string& fileName,
                     std::string& error);

// Sorts the nations by name (ordinal comparison, upper case first); equal
// names keep their file order.
void BuildNationOrder(NationTables& nations);

}  // namespace korv
