// What a refused file or command must leave as it was: the open map (every
// layer, the objectives and the names of its files) and the bytes of the
// files named, a missing file staying missing.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "document/map_document.h"

namespace korv::test {

class Kept {
 public:
  explicit Kept(const MapDocument& map, const std::vector<std::filesystem::path>& files = {});
  // The parts that differ now, one a line; "" when none does.
  std::string Changes(const MapDocument& map) const;

 private:
  MapDocument map_;
  std::vector<std::pair<std::filesystem::path, std::optional<std::vector<uint8_t>>>> files_;
};

}  // namespace korv::test
