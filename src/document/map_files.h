// The map file set: the map file in its versioned layout ("Version " and a
// version number, written) and its old layout (no signature, still read),
// the control file, and the whole-map snapshot used by Undo.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "document/editor.h"

namespace korv {

constexpr char kMapSignature[] = "Version ";
constexpr size_t kMapSignatureLength = 8;
constexpr size_t kVersionedHeaderBytes = 14;
constexpr size_t kOldHeaderBytes = 4;
constexpr const char* kSnapshotFile = "autosave.map";

enum class MapLayout { kVersioned, kOld };

// What a map file's header says, without reading the layers.
struct MapFileInfo {
  MapLayout Layout = MapLayout::kVersioned;
  int16_t Version = 0;  // 0 for the old layout
  int16_t MapWidth = 0;
  int16_t MapHeight = 0;
  bool HasObjectiveList = false;
  int16_t ObjectiveCount = 0;
  bool HasNationSetName = false;
  std::string NationSetName;
};

// Whether the file carries an objective list (newer than 544) or a
// nation-set name (558 and newer).
constexpr bool VersionHasObjectiveList(int version) {
  return version > 544;
}
constexpr bool VersionHasNationSetName(int version) {
  return version >= 558;
}

// The layout and header of a map file, or nothing with `error` set.
std::optional<MapFileInfo> ReadMapFileInfo(std::span<const uint8_t> bytes, std::string& error);

// The document a map file holds: size, layers, objective list and the stored
// nation-set name (empty when the file has none). HexPixelPos is not built
// and the names are not set. Nothing with `error` set when the file is
// refused. The old layout needs the tile tables for its terrain rule.
struct ParsedMap {
  MapDocument Document;
  MapFileInfo Info;
};
std::optional<ParsedMap> ParseMapFile(std::span<const uint8_t> bytes, const TileTables& tables,
                                      std::string& error);

// Moves the size, layers and objective list of `from` into `document`,
// keeping its names, and rebuilds HexPixelPos.
void ReplaceMapLayers(MapDocument& document, MapDocument&& from, const HexGeometry& geometry);

// The versioned layout of `document`: header, five layers, objective list
// and, when `withNationSetName`, the nation-set name.
std::vector<uint8_t> EncodeVersionedMap(const MapDocument& document, int16_t version,
                                        bool withNationSetName);
// The control file: the HexControl layer alone.
std::vector<uint8_t> EncodeControlFile(const MapDocument& document);

// File names of a map's set: "abc.map" -> "abc.ctl", "abc.bmp".
std::string ControlFilePath(const std::string& mapPath);
std::string JumpMapPicturePath(const std::string& mapPath);

// Saves the open map to Document.MapPath: the strategic picture (".bmp"),
// the map file and the control file, each written whole through a temporary
// file. Does nothing when MapPath is empty.
// False when a file could not be written (the user has been told).
bool SaveMap(Editor& editor);
// Reads the map file at Document.MapPath into the document (either layout).
// A refused file leaves the document as it was and tells the user which
// file and what is wrong; returns false then. `nationSetChanged` tells the
// caller that the map named another nation set.
bool LoadMap(Editor& editor, bool* nationSetChanged = nullptr);
// Reads an old-layout map file at Document.MapPath; LoadMap hands over to it
// when the file has no signature. The map is named by its full path after.
bool LoadMapOld(Editor& editor);
// Builds a fresh map of the document's current size named by its MapName and MapPath.
void NewMap(Editor& editor);

// Writes the whole map (without the nation-set name) to autosave.map.
bool WriteSnapshot(Editor& editor);
// Reads autosave.map back. The snapshot's own size is used, and the original
// owners are refilled from its objective list. A missing or damaged snapshot
// is refused with a message and leaves the map as it was.
bool ReadSnapshot(Editor& editor);

}  // namespace korv
