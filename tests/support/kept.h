// What a refused file or command must leave as it was: the open map (every
// layer, the objectives and the names of its files) and the bytes of the
// files named, a missing file staying missing.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "document/map_document.h"
#include "platform/files.h"

namespace korv::test {

class Kept {
 public:
  explicit Kept(const MapDocument& map, const std::vector<std::filesystem::path>& files = {})
      : map_(map) {
    for (const auto& file : files) files_.emplace_back(file, ReadWholeFile(file));
  }
  // The parts that differ now, one a line; "" when none does.
  std::string Changes(const MapDocument& map) const {
    const MapDocument& was = map_;
    const std::pair<bool, const char*> parts[] = {
        {map.MapWidth == was.MapWidth && map.MapHeight == was.MapHeight, "size"},
        {map.HexData == was.HexData, "terrain and sides"},
        {map.HexTile == was.HexTile, "tiles"},
        {map.HexControl == was.HexControl, "owners and marks"},
        {map.HexDeployment == was.HexDeployment, "deployment"},
        {map.HexLandMass == was.HexLandMass, "land masses"},
        {map.HexOriginalOwner == was.HexOriginalOwner, "original owners"},
        {map.ObjectiveCount == was.ObjectiveCount && map.Objectives == was.Objectives,
         "objectives"},
        {map.MapPath == was.MapPath && map.MapName == was.MapName, "map path or name"},
        {map.NationSetName == was.NationSetName, "nation set"},
        {map.HexNamesPath == was.HexNamesPath && map.HexNamesIndexPath == was.HexNamesIndexPath,
         "hex-name files"},
    };
    std::string changes;
    for (const auto& [same, part] : parts) changes += same ? "" : std::string(part) + "\n";
    for (const auto& [path, bytes] : files_) {
      changes += ReadWholeFile(path) == bytes ? "" : path.string() + "\n";
    }
    return changes;
  }

 private:
  MapDocument map_;
  std::vector<std::pair<std::filesystem::path, std::optional<std::vector<uint8_t>>>> files_;
};

}  // namespace korv::test
