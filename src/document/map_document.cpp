#include "document/map_document.h"

#include <algorithm>

namespace korv {

void MapDocument::ResetObjectives(int16_t count) {
  ObjectiveCount = std::max<int16_t>(count, 0);
  Objectives.assign(static_cast<size_t>(ObjectiveCount + 1) * kObjectiveFields, 0);
}

std::string CheckMapSize(int width, int height) {
  auto check = [](const char* what, int value) -> std::string {
    if (value < 0) return std::string("the ") + what + " " + std::to_string(value) + " is negative";
    if (value > kMaxMapIndex) {
      return std::string("the ") + what + " " + std::to_string(value) +
             " is larger than the editor's limit of " + std::to_string(kMaxMapIndex);
    }
    return {};
  };
  std::string problem = check("width", width);
  if (problem.empty()) problem = check("height", height);
  return problem;
}

void AllocateMapLayers(MapDocument& document) {
  const size_t hexes = document.HexCount();
  document.HexData.assign(hexes * MapDocument::kDataPlanes, 0);
  document.HexTile.assign(hexes, 0);
  document.HexControl.assign(hexes * MapDocument::kControlPlanes, 0);
  document.HexOriginalOwner.assign(hexes, 0);
  document.HexDeployment.assign(hexes, 0);
  document.HexLandMass.assign(hexes, 0);
}

void BuildHexPixelTable(MapDocument& document, const HexGeometry& geometry) {
  document.HexPixelPos.assign(document.HexCount() * 2, 0);
  for (int y = 0; y <= document.MapHeight; ++y) {
    for (int x = 0; x <= document.MapWidth; ++x) {
      PixelPoint origin = HexToPixel(geometry, x, y);
      document.HexPixelPos[document.Index(x, y, 0)] = origin.left;
      document.HexPixelPos[document.Index(x, y, 1)] = origin.top;
    }
  }
}

void RebuildObjectiveList(MapDocument& document) {
  // First pass: count owned objectives and drop marks from unowned hexes.
  int count = 0;
  for (int x = 0; x <= document.MapWidth; ++x) {
    for (int y = 0; y <= document.MapHeight; ++y) {
      if (document.Mark(x, y) == 0) continue;
      if (document.Owner(x, y) != 0) {
        ++count;
      } else {
        document.Mark(x, y) = 0;
      }
    }
  }
  // The count is a 16-bit field of the file; a map with more objective hexes
  // than that is out of what the format can hold, so the list stops there.
  count = std::min(count, 32767 - 1);
  document.ResetObjectives(static_cast<int16_t>(count));
  int n = 0;
  for (int x = 0; x <= document.MapWidth && n < count; ++x) {
    for (int y = 0; y <= document.MapHeight && n < count; ++y) {
      if (document.Mark(x, y) == 0) continue;
      ++n;
      document.Objective(n, kObjectiveX) = static_cast<int16_t>(x);
      document.Objective(n, kObjectiveY) = static_cast<int16_t>(y);
      document.Objective(n, kObjectiveOwner) = document.Owner(x, y);
      document.Objective(n, kObjectiveSpare) = 0;
      document.Objective(n, kObjectiveOriginalOwner) = document.OriginalOwner(x, y);
      document.Objective(n, kObjectiveKind) = 3;
    }
  }
}

void RestoreOriginalOwners(MapDocument& document) {
  document.HexOriginalOwner.assign(document.HexCount(), 0);
  for (int i = 1; i <= document.ObjectiveCount; ++i) {
    int x = document.Objective(i, kObjectiveX);
    int y = document.Objective(i, kObjectiveY);
    // A record pointing off the map comes from a damaged file; skip it
    // rather than write outside the layer.
    if (!document.Contains(x, y)) continue;
    document.OriginalOwner(x, y) =
        static_cast<uint8_t>(document.Objective(i, kObjectiveOriginalOwner) & 0xff);
  }
}

}  // namespace korv
