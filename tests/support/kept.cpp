#include "support/kept.h"

#include "platform/files.h"

namespace korv::test {

Kept::Kept(const MapDocument& map, const std::vector<std::filesystem::path>& files) : map_(map) {
  for (const auto& file : files) files_.emplace_back(file, ReadWholeFile(file));
}

std::string Kept::Changes(const MapDocument& map) const {
  const MapDocument& was = map_;
  const std::pair<bool, const char*> parts[] = {
      {map.MapWidth == was.MapWidth && map.MapHeight == was.MapHeight, "size"},
      {map.HexData == was.HexData, "terrain and sides"},
      {map.HexTile == was.HexTile, "tiles"},
      {map.HexControl == was.HexControl, "owners and marks"},
      {map.HexDeployment == was.HexDeployment, "deployment"},
      {map.HexLandMass == was.HexLandMass, "land masses"},
      {map.HexOriginalOwner == was.HexOriginalOwner, "original owners"},
      {map.HexPixelPos == was.HexPixelPos, "hex pixel table"},
      {map.ObjectiveCount == was.ObjectiveCount && map.Objectives == was.Objectives, "objectives"},
      {map.MapPath == was.MapPath && map.MapName == was.MapName, "map path or name"},
      {map.NationSetName == was.NationSetName, "nation set"},
      {map.HexNamesPath == was.HexNamesPath && map.HexNamesIndexPath == was.HexNamesIndexPath,
       "hex-name files"},
  };
  std::string changes;
  for (const auto& [same, part] : parts) {
    if (!same) changes += std::string(part) + "\n";
  }
  for (const auto& [path, bytes] : files_) {
    if (ReadWholeFile(path) != bytes) changes += path.string() + "\n";
  }
  return changes;
}

}  // namespace korv::test
