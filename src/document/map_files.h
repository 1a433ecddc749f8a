// The map file set as bytes: the map file in its versioned layout ("Version "
// and a version number, written) and its old layout (no signature, still
// read), the control file, and the whole-map snapshot used by Undo. Saving
// and loading the open map is editor/map_io.h.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "document/hex_grid.h"
#include "document/map_document.h"

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
// nation-set name (empty when the file has none). The names are not set. Nothing with `error` set
// when the file is refused. The old layout needs the terrain of every tile on the sheet
// (`tileTerrain`, tile t at t) for its terrain rule and refuses other tiles.
struct ParsedMap {
  MapDocument Document;
  MapFileInfo Info;
};
std::optional<ParsedMap> ParseMapFile(std::span<const uint8_t> bytes,
                                      std::span<const uint8_t> tileTerrain, std::string& error);

// Moves the size, layers and objective list of `from` into `document`,
// keeping its names.
void ReplaceMapLayers(MapDocument& document, MapDocument&& from);

// The versioned layout of `document`: header, five layers, objective list
// and, when `withNationSetName`, the nation-set name.
std::vector<uint8_t> EncodeVersionedMap(const MapDocument& document, int16_t version,
                                        bool withNationSetName);
// The control file: the HexControl layer alone.
std::vector<uint8_t> EncodeControlFile(const MapDocument& document);

// File names of a map's set: "abc.map" -> "abc.ctl", "abc.bmp".
std::string ControlFilePath(const std::string& mapPath);
std::string JumpMapPicturePath(const std::string& mapPath);

// Reads the map file at `path` (either layout); the versioned layout's
// layers go straight from the file into the document. Nothing when the file
// cannot be opened (`error` left empty) or is refused (`error` says why).
std::optional<ParsedMap> ReadMapFile(const std::filesystem::path& path,
                                     std::span<const uint8_t> tileTerrain, std::string& error);
// The same read into the size, layers and objective list of `document`
// (what ReplaceMapLayers moves): the versioned layout's layers go straight
// into the document's own, which are reused where they have the size. A file
// refused or not opened leaves the document as it was. What the header and
// the file's end say, or nothing as for ReadMapFile.
std::optional<MapFileInfo> ReadMapFileInto(const std::filesystem::path& path,
                                           std::span<const uint8_t> tileTerrain,
                                           MapDocument& document, std::string& error);
// The whole-map snapshot: the versioned layout with its objective list and
// without the nation-set name, read into `document` as ReadMapFileInto reads
// a map. False as ReadMapFile answers nothing.
bool ReadSnapshotFileInto(const std::filesystem::path& path, MapDocument& document,
                          std::string& error);
// The snapshot from its bytes in memory; refused, with `error` set, as above.
std::optional<ParsedMap> ParseSnapshot(std::span<const uint8_t> bytes, std::string& error);

// The versioned layout as blocks to be written one after the other: the
// layers straight from the document, with small buffers for the rest.
struct VersionedMapBlocks {
  VersionedMapBlocks(const MapDocument& document, int16_t version, bool withNationSetName);
  std::vector<uint8_t> head;
  std::vector<uint8_t> objectiveCount;
  std::vector<uint8_t> nationSetName;
  std::vector<std::span<const uint8_t>> pieces;
};

}  // namespace korv
