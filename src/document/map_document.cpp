#include "document/map_document.h"

#include <algorithm>
#include <cstring>

namespace korv {

void MapDocument::ResetObjectives(int16_t count) {
  ObjectiveCount = std::max<int16_t>(count, 0);
  Objectives.assign(static_cast<size_t>(ObjectiveCount + 1) * kObjectiveFields, 0);
}

std::string CheckMapSize(long long width, long long height) {
  auto check = [](const char* what, long long value) -> std::string {
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

void RebuildObjectiveList(MapDocument& document) {
  // Walk the control layer in memory order: marks on unowned hexes are
  // dropped, owned ones collected. The list itself is ordered column by
  // column, then row by row.
  const size_t hexes = document.HexCount();
  const size_t columns = static_cast<size_t>(document.MapWidth) + 1;
  uint8_t* owners = document.HexControl.data();
  uint8_t* marks = owners + hexes;
  std::vector<size_t> found;
  for (size_t i = 0; i < hexes; ++i) {
    // Most hexes have no mark: eight of them are passed at once.
    uint64_t eight = 1;
    if (i + 8 <= hexes) std::memcpy(&eight, marks + i, sizeof eight);
    if (eight == 0) {
      i += 7;
      continue;
    }
    if (marks[i] == 0) continue;
    if (owners[i] != 0) {
      found.push_back(i);
    } else {
      marks[i] = 0;
    }
  }
  auto columnFirst = [columns](size_t a, size_t b) {
    size_t ax = a % columns, bx = b % columns;
    return ax != bx ? ax < bx : a < b;
  };
  std::sort(found.begin(), found.end(), columnFirst);
  // The count is a 16-bit field of the file; a map with more objective
  // hexes than that cannot be stored, so the list stops there.
  if (found.size() > 32766) found.resize(32766);
  document.ResetObjectives(static_cast<int16_t>(found.size()));
  for (size_t n = 1; n <= found.size(); ++n) {
    const size_t i = found[n - 1];
    const int r = static_cast<int>(n);
    document.Objective(r, kObjectiveX) = static_cast<int16_t>(i % columns);
    document.Objective(r, kObjectiveY) = static_cast<int16_t>(i / columns);
    document.Objective(r, kObjectiveOwner) = owners[i];
    document.Objective(r, kObjectiveSpare) = 0;
    document.Objective(r, kObjectiveOriginalOwner) = document.HexOriginalOwner[i];
    document.Objective(r, kObjectiveKind) = 3;
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
