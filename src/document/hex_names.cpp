#include "document/hex_names.h"

#include <algorithm>
#include <limits>

namespace korv {

namespace {

constexpr int64_t kIndexEntryBytes = 4;

std::string EditorFolderNamePath(const GameFolder& folder, const std::string& mapName,
                                 std::string_view extension) {
  // The start-up map is called "newmap.map"; an unnamed one is treated alike.
  const std::string name = mapName.empty() ? "newmap.map" : mapName;
  return folder.Resolve(HexNameFilePath(name, extension)).string();
}

}  // namespace

std::string HexNameFilePath(const std::string& mapPath, std::string_view extension) {
  const size_t keep = mapPath.size() >= 3 ? mapPath.size() - 3 : 0;
  return mapPath.substr(0, keep) + std::string(extension);
}

int64_t HexNameIndexPosition(const MapDocument& document, int x, int y) {
  const int64_t entry = static_cast<int64_t>(y) * (document.MapWidth + 1) + x;
  return kIndexEntryBytes * entry + 1;
}

bool HexNameInFile(int64_t position, int64_t textLength) {
  return position >= 1 && position <= textLength;
}

int64_t NewHexNameSlotPosition(int64_t textLength) {
  return std::max<int64_t>(textLength, 0) + 1;
}

std::string HexNameSlotText(std::string_view name) {
  std::string slot(name.substr(0, std::min<size_t>(name.size(), kHexNameLength)));
  slot.resize(kHexNameLength, ' ');
  return slot;
}

std::string GetHexName(HexNameFiles& files, const MapDocument& document, int x, int y) {
  if (!document.Contains(x, y) || !files.Index.IsOpen() || !files.Text.IsOpen()) return {};
  const int32_t position = files.Index.ReadI32(HexNameIndexPosition(document, x, y));
  if (!HexNameInFile(position, files.Text.Length())) return {};
  std::string name(kHexNameLength, ' ');
  files.Text.Read(position, std::span(reinterpret_cast<uint8_t*>(name.data()), name.size()));
  return name;
}

bool SetHexName(HexNameFiles& files, const MapDocument& document, int x, int y,
                std::string_view name) {
  if (!document.Contains(x, y) || !files.Index.IsOpen() || !files.Text.IsOpen()) return false;
  const int64_t entry = HexNameIndexPosition(document, x, y);
  if (name.empty()) {
    // The old slot stays in the text file, unreferenced.
    files.Index.WriteI32(entry, 0);
    return true;
  }
  const int64_t textLength = files.Text.Length();
  int64_t position = files.Index.ReadI32(entry);
  // A named hex keeps its slot. An entry past the end of the text file (a
  // damaged index) is not followed, as writing there could grow the file to
  // any size; the hex gets a new slot.
  if (!HexNameInFile(position, textLength)) position = NewHexNameSlotPosition(textLength);
  if (position > std::numeric_limits<int32_t>::max()) return false;
  const std::string slot = HexNameSlotText(name);
  // The text first, so the index never points at a slot not yet written.
  files.Text.Write(position, std::span(reinterpret_cast<const uint8_t*>(slot.data()), slot.size()));
  files.Index.WriteI32(entry, static_cast<int32_t>(position));
  return true;
}

void CloseHexNameFiles(HexNameFiles& files) {
  files.Index.Close();
  files.Text.Close();
}

bool OpenHexNameFiles(HexNameFiles& files, const MapDocument& document, std::string* error) {
  CloseHexNameFiles(files);
  for (auto [file, path] : {std::pair{&files.Index, &document.HexNamesIndexPath},
                            std::pair{&files.Text, &document.HexNamesPath}}) {
    if (path->empty() || !file->Open(*path)) {
      CloseHexNameFiles(files);
      if (error) *error = "the hex-name file " + *path + " cannot be opened for writing";
      return false;
    }
  }
  return true;
}

bool CreateHexNameFiles(HexNameFiles& files, MapDocument& document, const GameFolder& folder,
                        std::string* error) {
  CloseHexNameFiles(files);
  if (document.HexNamesIndexPath.empty()) {
    document.HexNamesIndexPath =
        EditorFolderNamePath(folder, document.MapName, kHexNamesIndexExtension);
  }
  if (document.HexNamesPath.empty()) {
    document.HexNamesPath = EditorFolderNamePath(folder, document.MapName, kHexNamesExtension);
  }
  // Written whole, so an index left from a larger map loses its tail and a
  // text file its old slots.
  const std::vector<uint8_t> zeros(static_cast<size_t>(kIndexEntryBytes) * document.HexCount(), 0);
  if (!WriteFileAtomically(document.HexNamesIndexPath, zeros, error) ||
      !WriteFileAtomically(document.HexNamesPath, std::span<const uint8_t>(), error)) {
    return false;
  }
  return OpenHexNameFiles(files, document, error);
}

std::vector<NamedHex> ListHexNames(std::span<const uint8_t> index, std::span<const uint8_t> text,
                                   int mapWidth, int mapHeight) {
  std::vector<NamedHex> named;
  if (mapWidth < 0 || mapHeight < 0) return named;
  const auto textLength = static_cast<int64_t>(text.size());
  for (int x = 0; x <= mapWidth; ++x) {
    for (int y = 0; y <= mapHeight; ++y) {
      const size_t offset =
          static_cast<size_t>(kIndexEntryBytes) *
          (static_cast<size_t>(y) * static_cast<size_t>(mapWidth + 1) + static_cast<size_t>(x));
      if (offset + kIndexEntryBytes > index.size()) continue;  // a short index: no name
      const auto position = static_cast<int32_t>(static_cast<uint32_t>(index[offset]) |
                                                 (static_cast<uint32_t>(index[offset + 1]) << 8) |
                                                 (static_cast<uint32_t>(index[offset + 2]) << 16) |
                                                 (static_cast<uint32_t>(index[offset + 3]) << 24));
      if (!HexNameInFile(position, textLength)) continue;
      // Bytes past the end of the text file read as zeros.
      std::string name(kHexNameLength, '\0');
      const auto start = static_cast<size_t>(position - 1);
      const size_t available = std::min<size_t>(kHexNameLength, text.size() - start);
      std::copy_n(text.begin() + static_cast<std::ptrdiff_t>(start), available, name.begin());
      named.push_back({x, y, std::move(name)});
    }
  }
  return named;
}

}  // namespace korv
