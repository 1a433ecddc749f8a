// The map document: every per-hex layer of the open map, the objective list
// and the names of the files it belongs to. Layers are dense arrays with x
// fastest, then y, then the per-hex index, which is also their order in the
// map file, so files read and write them as whole blocks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/hex_grid.h"

namespace korv {

// Objective marks of HexControl plane 1.
enum ObjectiveMark : uint8_t {
  kNoObjective = 0,
  kSecondaryObjective = 1,
  kPrimaryObjective = 2,
  kOilResource = 3,
};

// Road exit values of HexData planes 1..6.
enum SideLink : uint8_t { kNoLink = 0, kRoadLink = 1, kRailLink = 2 };

// Field numbers of an objective record.
enum ObjectiveField : int {
  kObjectiveX = 0,
  kObjectiveY = 1,
  kObjectiveOwner = 2,
  kObjectiveSpare = 3,
  kObjectiveOriginalOwner = 4,
  kObjectiveKind = 5,
};
constexpr int kObjectiveFields = 6;

struct MapDocument {
  static constexpr int kDataPlanes = 7;     // terrain, then sides 1..6
  static constexpr int kControlPlanes = 2;  // owner, objective mark

  int16_t MapWidth = 0;   // highest column
  int16_t MapHeight = 0;  // highest row

  std::vector<uint8_t> HexData;
  std::vector<int16_t> HexTile;
  std::vector<uint8_t> HexControl;
  std::vector<int16_t> HexDeployment;
  std::vector<int16_t> HexLandMass;
  std::vector<uint8_t> HexOriginalOwner;

  int16_t ObjectiveCount = 0;
  // Field f of record i at f * (ObjectiveCount + 1) + i; record 0 stays zero.
  std::vector<int16_t> Objectives = std::vector<int16_t>(kObjectiveFields, 0);

  std::string MapPath;
  std::string MapName;
  std::string NationSetName;
  std::string HexNamesPath;
  std::string HexNamesIndexPath;

  // Number of hexes, (MapWidth + 1) * (MapHeight + 1).
  size_t HexCount() const {
    return static_cast<size_t>(MapWidth + 1) * static_cast<size_t>(MapHeight + 1);
  }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x <= MapWidth && y <= MapHeight; }
  // Position of element (x, y, k) in a layer.
  size_t Index(int x, int y, int k = 0) const {
    return (static_cast<size_t>(k) * static_cast<size_t>(MapHeight + 1) + static_cast<size_t>(y)) *
               static_cast<size_t>(MapWidth + 1) +
           static_cast<size_t>(x);
  }

  uint8_t& Data(int x, int y, int k) { return HexData[Index(x, y, k)]; }
  uint8_t Data(int x, int y, int k) const { return HexData[Index(x, y, k)]; }
  uint8_t& Terrain(int x, int y) { return HexData[Index(x, y, 0)]; }
  uint8_t Terrain(int x, int y) const { return HexData[Index(x, y, 0)]; }
  int16_t& Tile(int x, int y) { return HexTile[Index(x, y)]; }
  int16_t Tile(int x, int y) const { return HexTile[Index(x, y)]; }
  uint8_t& Owner(int x, int y) { return HexControl[Index(x, y, 0)]; }
  uint8_t Owner(int x, int y) const { return HexControl[Index(x, y, 0)]; }
  uint8_t& Mark(int x, int y) { return HexControl[Index(x, y, 1)]; }
  uint8_t Mark(int x, int y) const { return HexControl[Index(x, y, 1)]; }
  int16_t& Deployment(int x, int y) { return HexDeployment[Index(x, y)]; }
  int16_t& LandMass(int x, int y) { return HexLandMass[Index(x, y)]; }
  uint8_t& OriginalOwner(int x, int y) { return HexOriginalOwner[Index(x, y)]; }

  int16_t Objective(int record, int field) const {
    return Objectives[static_cast<size_t>(field) * static_cast<size_t>(ObjectiveCount + 1) +
                      static_cast<size_t>(record)];
  }
  int16_t& Objective(int record, int field) {
    return Objectives[static_cast<size_t>(field) * static_cast<size_t>(ObjectiveCount + 1) +
                      static_cast<size_t>(record)];
  }
  // Re-creates the objective list with records 0..count, zero-filled.
  void ResetObjectives(int16_t count);
};

// Calls visit(values, planes) for each per-hex layer an edit can change, in
// the order of the map file: HexData, HexTile, HexControl, HexDeployment,
// HexLandMass, then HexOriginalOwner.
template <class Document, class Visit>
void ForEachEditableLayer(Document& document, Visit&& visit) {
  visit(document.HexData, MapDocument::kDataPlanes);
  visit(document.HexTile, 1);
  visit(document.HexControl, MapDocument::kControlPlanes);
  visit(document.HexDeployment, 1);
  visit(document.HexLandMass, 1);
  visit(document.HexOriginalOwner, 1);
}

// Largest map the editor builds or loads: columns and rows 0..kMaxMapIndex.
// A 4000 x 4000 map already takes over 240 MB of layers.
constexpr int kMaxMapIndex = 3999;
// Why a size cannot be made ("the width -3 is negative"), or empty when it can.
std::string CheckMapSize(long long width, long long height);

// Re-creates every per-hex layer zero-filled for the current size.
void AllocateMapLayers(MapDocument& document);
// Lists every owned objective hex, column by column; clears marks on unowned hexes.
void RebuildObjectiveList(MapDocument& document);
// Re-creates HexOriginalOwner from field 4 of the objective records.
void RestoreOriginalOwners(MapDocument& document);

// A block of hexes, columns firstX..lastX and rows firstY..lastY (empty when
// a last is below its first).
struct HexRange {
  int firstX = 0;
  int lastX = -1;
  int firstY = 0;
  int lastY = -1;
};

// Visits the hexes of `range` column by column, rows rising within a column:
// the order every drawing of several hexes uses.
template <class Visit>
void ForEachHex(const HexRange& range, Visit&& visit) {
  for (int x = range.firstX; x <= range.lastX; ++x) {
    for (int y = range.firstY; y <= range.lastY; ++y) visit(x, y);
  }
}

}  // namespace korv
