#include "document/map_files.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <type_traits>

#include "platform/bytes.h"
#include "platform/files.h"

namespace korv {

namespace {

bool HasSignature(std::span<const uint8_t> bytes) {
  return bytes.size() >= kMapSignatureLength &&
         std::memcmp(bytes.data(), kMapSignature, kMapSignatureLength) == 0;
}

bool CheckSize(int16_t width, int16_t height, std::string& error) {
  std::string problem = CheckMapSize(width, height);
  if (problem.empty()) return true;
  error = "its header gives a map size that cannot be right: " + problem;
  return false;
}

// The five stored layers in file order, 15 bytes a hex.
constexpr size_t kLayerBytesPerHex =
    MapDocument::kDataPlanes + 2 + MapDocument::kControlPlanes + 2 + 2;

void ReadLayers(ByteCursor& cursor, MapDocument& document) {
  cursor.ReadBytes(document.HexData);
  cursor.ReadI16Block(document.HexTile);
  cursor.ReadBytes(document.HexControl);
  cursor.ReadI16Block(document.HexDeployment);
  cursor.ReadI16Block(document.HexLandMass);
}

bool ReadObjectiveList(ByteCursor& cursor, MapDocument& document, std::string& error) {
  int16_t count = cursor.ReadI16();
  if (count < 0) {
    error = "its objective count " + std::to_string(count) + " is negative";
    return false;
  }
  document.ResetObjectives(count);
  cursor.ReadI16Block(document.Objectives);
  return true;
}

// Which optional parts follow the layers: by the version for a map file,
// always the list and never the name for the snapshot.
enum class OptionalParts { kByVersion, kSnapshot };

// The header of a versioned map; `cursor` stands at the start of the file.
bool ReadVersionedHeader(ByteCursor& cursor, MapFileInfo& info, std::string& error) {
  if (cursor.Size() < kVersionedHeaderBytes) {
    error = "the file is shorter than the 14 bytes of its header";
    return false;
  }
  cursor.Skip(kMapSignatureLength);
  info.Layout = MapLayout::kVersioned;
  info.Version = cursor.ReadI16();
  info.MapWidth = cursor.ReadI16();
  info.MapHeight = cursor.ReadI16();
  return CheckSize(info.MapWidth, info.MapHeight, error);
}

// What follows the layers of a versioned map: the objective list and the
// nation-set name, as `parts` has them.
bool ReadAfterLayers(ByteCursor& cursor, OptionalParts parts, MapFileInfo& info,
                     MapDocument& document, std::string& error) {
  document.ResetObjectives(0);
  const bool snapshot = parts == OptionalParts::kSnapshot;
  if (snapshot || VersionHasObjectiveList(info.Version)) {
    if (!ReadObjectiveList(cursor, document, error)) return false;
    info.HasObjectiveList = true;
    info.ObjectiveCount = document.ObjectiveCount;
  }
  if (!snapshot && VersionHasNationSetName(info.Version)) {
    int16_t length = cursor.ReadI16();
    if (length < 0) {
      error = "its nation-set name length " + std::to_string(length) + " is negative";
      return false;
    }
    // A name cut short by the end of the file keeps what is there.
    size_t kept = std::min<size_t>(static_cast<size_t>(length), cursor.Remaining());
    info.NationSetName = cursor.ReadString(kept);
    info.HasNationSetName = true;
    document.NationSetName = info.NationSetName;
  }
  return true;
}

// Reads a versioned map from `cursor`, which stands at the start of the file.
std::optional<ParsedMap> ParseVersioned(ByteCursor& cursor, OptionalParts parts,
                                        std::string& error) {
  ParsedMap parsed;
  MapFileInfo& info = parsed.Info;
  if (!ReadVersionedHeader(cursor, info, error)) return std::nullopt;
  MapDocument& document = parsed.Document;
  document.MapWidth = info.MapWidth;
  document.MapHeight = info.MapHeight;
  AllocateMapLayers(document);
  ReadLayers(cursor, document);
  if (!ReadAfterLayers(cursor, parts, info, document, error)) return std::nullopt;
  return parsed;
}

// Sizes the layers of `document` for its size, to have values read over
// them: a layer of that length is kept as it is, any other is made anew
// (not grown, which would copy what it holds). HexOriginalOwner, which no
// file holds, is zeroed.
void SizeLayersForReading(MapDocument& document) {
  const size_t hexes = document.HexCount();
  ForEachEditableLayer(document, [hexes](auto& layer, int planes) {
    const size_t count = hexes * static_cast<size_t>(planes);
    if (layer.size() == count) return;
    std::remove_reference_t<decltype(layer)>().swap(layer);
    layer.resize(count);
  });
  std::fill(document.HexOriginalOwner.begin(), document.HexOriginalOwner.end(), uint8_t{0});
}

// The most bytes the parts after the layers can take: the objective count,
// the longest list, the name's length and the longest name.
constexpr size_t kMostBytesAfterLayers = 2 + 32767 * kObjectiveFields * 2 + 2 + 32767;

template <typename T>
std::span<uint8_t> AsWritableBytes(std::vector<T>& values) {
  return {reinterpret_cast<uint8_t*>(values.data()), values.size() * sizeof(T)};
}

void FromLittleEndian(std::vector<int16_t>& values) {
  if constexpr (std::endian::native == std::endian::big) {
    for (int16_t& value : values) {
      auto bits = static_cast<uint16_t>(value);
      value = static_cast<int16_t>((bits >> 8) | (bits << 8));
    }
  }
}

// Reads the versioned map of `file` into `document`. What can refuse the
// file (the header, the objective count and the name's length after the
// layers) is read first, so a refused file leaves the document as it was;
// then the layers are read straight into the document's own.
std::optional<MapFileInfo> ReadVersionedInto(const FileReader& file, OptionalParts parts,
                                             MapDocument& document, std::string& error) {
  MapFileInfo info;
  std::array<uint8_t, kVersionedHeaderBytes> head{};
  file.ReadAt(0, head);
  ByteCursor headCursor(
      std::span<const uint8_t>(head).first(std::min<uint64_t>(file.Size(), head.size())));
  if (!ReadVersionedHeader(headCursor, info, error)) return std::nullopt;
  MapDocument after;  // what follows the layers
  after.MapWidth = info.MapWidth;
  after.MapHeight = info.MapHeight;
  const uint64_t layersEnd = kVersionedHeaderBytes + after.HexCount() * kLayerBytesPerHex;
  std::vector<uint8_t> tail(static_cast<size_t>(
      std::min<uint64_t>(file.Size() - std::min(file.Size(), layersEnd), kMostBytesAfterLayers)));
  file.ReadAt(layersEnd, tail);
  ByteCursor tailCursor(tail);
  if (!ReadAfterLayers(tailCursor, parts, info, after, error)) return std::nullopt;

  document.MapWidth = info.MapWidth;
  document.MapHeight = info.MapHeight;
  SizeLayersForReading(document);
  const std::span<uint8_t> layers[] = {document.HexData, AsWritableBytes(document.HexTile),
                                       document.HexControl, AsWritableBytes(document.HexDeployment),
                                       AsWritableBytes(document.HexLandMass)};
  file.ReadAt(kVersionedHeaderBytes, layers);
  FromLittleEndian(document.HexTile);
  FromLittleEndian(document.HexDeployment);
  FromLittleEndian(document.HexLandMass);
  document.ObjectiveCount = after.ObjectiveCount;
  document.Objectives = std::move(after.Objectives);
  return info;
}

std::optional<ParsedMap> ParseOld(std::span<const uint8_t> bytes,
                                  std::span<const uint8_t> tileTerrain, std::string& error) {
  ByteCursor cursor(bytes);
  ParsedMap parsed;
  MapFileInfo& info = parsed.Info;
  info.Layout = MapLayout::kOld;
  info.MapWidth = cursor.ReadI16();
  info.MapHeight = cursor.ReadI16();
  if (!CheckSize(info.MapWidth, info.MapHeight, error)) return std::nullopt;

  MapDocument& document = parsed.Document;
  document.MapWidth = info.MapWidth;
  document.MapHeight = info.MapHeight;
  AllocateMapLayers(document);
  document.ResetObjectives(0);
  // The old layout stores hexes column by column.
  for (int x = 0; x <= document.MapWidth; ++x) {
    for (int y = 0; y <= document.MapHeight; ++y) {
      for (int k = 0; k < MapDocument::kDataPlanes; ++k) document.Data(x, y, k) = cursor.ReadU8();
      uint8_t terrain = document.Terrain(x, y);
      if (terrain == 5 || terrain == 14) {
        // Settlements of old maps open every side.
        for (int d = 1; d <= 6; ++d) document.Data(x, y, d) = kRoadLink;
      }
      int16_t tile = cursor.ReadI16();
      if (tile < 0 || static_cast<size_t>(tile) >= tileTerrain.size()) {
        error = "hex (" + std::to_string(x) + ", " + std::to_string(y) + ") has tile number " +
                std::to_string(tile) + ", but the tile sheet has tiles 0 to " +
                std::to_string(static_cast<int>(tileTerrain.size()) - 1);
        return std::nullopt;
      }
      document.Tile(x, y) = tile;
      document.Terrain(x, y) = tileTerrain[static_cast<size_t>(tile)];
    }
  }
  for (int x = 0; x <= document.MapWidth; ++x) {
    for (int y = 0; y <= document.MapHeight; ++y) {
      document.Owner(x, y) = cursor.ReadU8();
      document.Mark(x, y) = cursor.ReadU8();
    }
  }
  for (int x = 0; x <= document.MapWidth; ++x) {
    for (int y = 0; y <= document.MapHeight; ++y) document.Deployment(x, y) = cursor.ReadI16();
  }
  for (int x = 0; x <= document.MapWidth; ++x) {
    for (int y = 0; y <= document.MapHeight; ++y) document.LandMass(x, y) = cursor.ReadI16();
  }
  return parsed;
}

void AppendHeader(ByteWriter& writer, const MapDocument& document, int16_t version) {
  writer.WriteString(std::string_view(kMapSignature, kMapSignatureLength));
  writer.WriteI16(version);
  writer.WriteI16(document.MapWidth);
  writer.WriteI16(document.MapHeight);
}

std::string BaseOf(const std::string& mapPath) {
  // "abc.map" -> "abc"; a name without the extension keeps all of it.
  if (mapPath.size() >= 4) return mapPath.substr(0, mapPath.size() - 4);
  return mapPath;
}

// Whether the file starts with the signature.
bool FileHasSignature(const FileReader& file) {
  std::array<uint8_t, kMapSignatureLength> head{};
  file.ReadAt(0, head);
  return file.Size() >= head.size() && HasSignature(head);
}

// How much of an old-layout file its parse can take: the header, and the
// layers of the size it gives when that size is right. What lies beyond is
// never read, however large the file.
size_t OldLayoutLength(const FileReader& file) {
  std::array<uint8_t, kOldHeaderBytes> head{};
  file.ReadAt(0, head);
  ByteCursor cursor(head);
  const int16_t width = cursor.ReadI16();
  const int16_t height = cursor.ReadI16();
  uint64_t most = kOldHeaderBytes;
  if (CheckMapSize(width, height).empty()) {
    // Data and tile, owner and mark, deployment and land mass.
    constexpr size_t kBytesPerHex = MapDocument::kDataPlanes + 2 + 2 + 2 + 2;
    most += static_cast<uint64_t>(width + 1) * static_cast<uint64_t>(height + 1) * kBytesPerHex;
  }
  return static_cast<size_t>(std::min(file.Size(), most));
}

}  // namespace

void ReplaceMapLayers(MapDocument& document, MapDocument&& from) {
  document.MapWidth = from.MapWidth;
  document.MapHeight = from.MapHeight;
  document.HexData = std::move(from.HexData);
  document.HexTile = std::move(from.HexTile);
  document.HexControl = std::move(from.HexControl);
  document.HexDeployment = std::move(from.HexDeployment);
  document.HexLandMass = std::move(from.HexLandMass);
  document.HexOriginalOwner = std::move(from.HexOriginalOwner);
  document.ObjectiveCount = from.ObjectiveCount;
  document.Objectives = std::move(from.Objectives);
}

std::optional<MapFileInfo> ReadMapFileInfo(std::span<const uint8_t> bytes, std::string& error) {
  if (HasSignature(bytes)) {
    auto parsed = ParseMapFile(bytes, {}, error);
    if (!parsed) return std::nullopt;
    return parsed->Info;
  }
  if (bytes.size() < kOldHeaderBytes) {
    error = "the file is shorter than the 4 bytes of a map header";
    return std::nullopt;
  }
  // The old layout's layers need the tile tables; its header is all we read here.
  MapFileInfo info;
  ByteCursor cursor(bytes);
  info.Layout = MapLayout::kOld;
  info.MapWidth = cursor.ReadI16();
  info.MapHeight = cursor.ReadI16();
  if (!CheckSize(info.MapWidth, info.MapHeight, error)) return std::nullopt;
  return info;
}

std::optional<ParsedMap> ParseMapFile(std::span<const uint8_t> bytes,
                                      std::span<const uint8_t> tileTerrain, std::string& error) {
  if (HasSignature(bytes)) {
    ByteCursor cursor(bytes);
    return ParseVersioned(cursor, OptionalParts::kByVersion, error);
  }
  if (bytes.size() < kOldHeaderBytes) {
    error = "the file is shorter than the 4 bytes of a map header";
    return std::nullopt;
  }
  return ParseOld(bytes, tileTerrain, error);
}

std::optional<MapFileInfo> ReadMapFileInto(const std::filesystem::path& path,
                                           std::span<const uint8_t> tileTerrain,
                                           MapDocument& document, std::string& error) {
  const FileReader file(path);
  if (!file.IsOpen()) return std::nullopt;
  if (FileHasSignature(file))
    return ReadVersionedInto(file, OptionalParts::kByVersion, document, error);
  // The old layout is read whole, as far as its header's size reaches.
  std::vector<uint8_t> bytes(OldLayoutLength(file));
  file.ReadAt(0, bytes);
  auto parsed = ParseMapFile(bytes, tileTerrain, error);
  if (!parsed) return std::nullopt;
  ReplaceMapLayers(document, std::move(parsed->Document));
  return parsed->Info;
}

std::optional<ParsedMap> ReadMapFile(const std::filesystem::path& path,
                                     std::span<const uint8_t> tileTerrain, std::string& error) {
  ParsedMap parsed;
  auto info = ReadMapFileInto(path, tileTerrain, parsed.Document, error);
  if (!info) return std::nullopt;
  parsed.Info = *info;
  parsed.Document.NationSetName = info->NationSetName;
  return parsed;
}

bool ReadSnapshotFileInto(const std::filesystem::path& path, MapDocument& document,
                          std::string& error) {
  const FileReader file(path);
  if (!file.IsOpen()) return false;
  if (!FileHasSignature(file)) {
    error = "it does not begin with a map header";
    return false;
  }
  return ReadVersionedInto(file, OptionalParts::kSnapshot, document, error).has_value();
}

std::optional<ParsedMap> ParseSnapshot(std::span<const uint8_t> bytes, std::string& error) {
  if (!HasSignature(bytes)) {
    error = "it does not begin with a map header";
    return std::nullopt;
  }
  ByteCursor cursor(bytes);
  return ParseVersioned(cursor, OptionalParts::kSnapshot, error);
}

namespace {

template <typename T>
std::span<const uint8_t> AsBytes(const std::vector<T>& values) {
  static_assert(std::endian::native == std::endian::little,
                "layers are written as they lie in memory: little-endian only");
  return {reinterpret_cast<const uint8_t*>(values.data()), values.size() * sizeof(T)};
}

}  // namespace

VersionedMapBlocks::VersionedMapBlocks(const MapDocument& document, int16_t version,
                                       bool withNationSetName) {
  ByteWriter headWriter;
  AppendHeader(headWriter, document, version);
  head = headWriter.Take();
  objectiveCount = {static_cast<uint8_t>(document.ObjectiveCount & 0xff),
                    static_cast<uint8_t>((document.ObjectiveCount >> 8) & 0xff)};
  if (withNationSetName) {
    // The name's length is a 16-bit field.
    std::string_view name(document.NationSetName);
    name = name.substr(0, std::min<size_t>(name.size(), 32767));
    ByteWriter nameWriter;
    nameWriter.WriteI16(static_cast<int16_t>(name.size()));
    nameWriter.WriteString(name);
    nationSetName = nameWriter.Take();
  }
  pieces = {head,
            AsBytes(document.HexData),
            AsBytes(document.HexTile),
            AsBytes(document.HexControl),
            AsBytes(document.HexDeployment),
            AsBytes(document.HexLandMass),
            objectiveCount,
            AsBytes(document.Objectives),
            nationSetName};
}

std::vector<uint8_t> EncodeVersionedMap(const MapDocument& document, int16_t version,
                                        bool withNationSetName) {
  VersionedMapBlocks blocks(document, version, withNationSetName);
  ByteWriter writer;
  size_t total = 0;
  for (auto piece : blocks.pieces) total += piece.size();
  writer.Reserve(total);
  for (auto piece : blocks.pieces) writer.WriteBytes(piece);
  return writer.Take();
}

std::vector<uint8_t> EncodeControlFile(const MapDocument& document) {
  return document.HexControl;
}

std::string ControlFilePath(const std::string& mapPath) {
  return BaseOf(mapPath) + ".ctl";
}

std::string JumpMapPicturePath(const std::string& mapPath) {
  return BaseOf(mapPath) + ".bmp";
}

}  // namespace korv
