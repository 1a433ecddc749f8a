// Feeds arbitrary bytes to the map file readers. Whatever the bytes, a
// reader either refuses them with a reason or gives a document whose layers
// fit its size and which saves and reads back to the same document. The
// editor opens maps through the streaming loader (LoadMap on a file), the
// tools through the in-memory parser: both must give the same document, or
// both refuse.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>

#include <filesystem>

#include "editor/editor.h"
#include "editor/map_io.h"
#include "platform/interaction.h"
#include "platform/random.h"

namespace {

const korv::TileTables& Tables() {
  static const korv::TileTables tables = [] {
    korv::TileTables t;
    t.TileCount = 255;
    t.TileTerrain.resize(256);
    for (int i = 0; i < 256; ++i)
      t.TileTerrain[static_cast<size_t>(i)] = static_cast<uint8_t>(i % 15);
    return t;
  }();
  return tables;
}

void Check(bool condition) {
  if (!condition) std::abort();
}

// The bytes loaded as the editor loads a map: written to a file, read by LoadMap.
bool LoadThroughTheEditor(std::span<const uint8_t> bytes, korv::MapDocument& loaded,
                          bool& hasObjectiveList) {
  static const std::filesystem::path folder = [] {
    auto path = std::filesystem::temp_directory_path() / "korv-fuzz-map-loaders";
    std::filesystem::create_directories(path);
    return path;
  }();
  const auto path = folder / "in.map";
  Check(korv::WriteFileAtomically(path, bytes));
  korv::RecordingInteraction ui;
  korv::SeededRandom random(1);
  korv::Editor editor{korv::GameFolder(folder), ui, random};
  editor.Tiles = Tables();
  editor.Document.MapPath = path.string();
  editor.Document.NationSetName = "default";
  if (!korv::LoadMap(editor)) {
    Check(!ui.Messages().empty());
    return false;
  }
  std::string error;
  auto info = korv::ReadMapFileInfo(bytes, error);
  hasObjectiveList = info && info->HasObjectiveList;
  loaded = std::move(editor.Document);
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::span<const uint8_t> bytes(data, size);
  // Large sizes are legal but each costs hundreds of megabytes of zeroed
  // layers; the size check itself is reached by anything above the limit.
  const bool versioned = size >= 8 && std::memcmp(data, "Version ", 8) == 0;
  const size_t sizeAt = versioned ? 10 : 0;
  if (size >= sizeAt + 4) {
    int width = static_cast<int16_t>(data[sizeAt] | (data[sizeAt + 1] << 8));
    int height = static_cast<int16_t>(data[sizeAt + 2] | (data[sizeAt + 3] << 8));
    if (korv::CheckMapSize(width, height).empty() &&
        static_cast<int64_t>(width + 1) * (height + 1) > 300 * 300) {
      return 0;
    }
  }
  std::string error;
  auto info = korv::ReadMapFileInfo(bytes, error);
  Check(info.has_value() || !error.empty());
  error.clear();
  auto parsed = korv::ParseMapFile(bytes, Tables().TileTerrain, error);
  korv::MapDocument loaded;
  bool hasObjectiveList = false;
  const bool editorLoaded = LoadThroughTheEditor(bytes, loaded, hasObjectiveList);
  Check(editorLoaded == parsed.has_value());
  if (!parsed) {
    Check(!error.empty());
    return 0;
  }
  const korv::MapDocument& document = parsed->Document;
  // A file without an objective list gets one built from its control layer
  // when it is opened, as the parser's caller does too.
  korv::MapDocument expected = document;
  if (!hasObjectiveList) korv::RebuildObjectiveList(expected);
  Check(loaded.MapWidth == expected.MapWidth && loaded.MapHeight == expected.MapHeight);
  Check(loaded.HexData == expected.HexData);
  Check(loaded.HexTile == expected.HexTile);
  Check(loaded.HexControl == expected.HexControl);
  Check(loaded.HexDeployment == expected.HexDeployment);
  Check(loaded.HexLandMass == expected.HexLandMass);
  Check(loaded.ObjectiveCount == expected.ObjectiveCount);
  Check(loaded.Objectives == expected.Objectives);
  const size_t hexes = document.HexCount();
  Check(document.HexData.size() == 7 * hexes);
  Check(document.HexTile.size() == hexes);
  Check(document.HexControl.size() == 2 * hexes);
  Check(document.Objectives.size() == 6 * static_cast<size_t>(document.ObjectiveCount + 1));

  auto saved = korv::EncodeVersionedMap(document, 569, true);
  auto again = korv::ParseMapFile(saved, Tables().TileTerrain, error);
  Check(again.has_value());
  Check(again->Document.HexData == document.HexData);
  Check(again->Document.HexTile == document.HexTile);
  Check(again->Document.HexControl == document.HexControl);
  Check(again->Document.HexDeployment == document.HexDeployment);
  Check(again->Document.HexLandMass == document.HexLandMass);
  Check(again->Document.Objectives == document.Objectives);
  Check(korv::EncodeVersionedMap(again->Document, 569, true) == saved);
  return 0;
}
