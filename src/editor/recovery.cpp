#include "editor/recovery.h"

#include <cstring>
#include <span>

#include "editor/map_io.h"
#include "platform/files.h"

namespace korv {

namespace {

constexpr const char* kRecoveryMapFile = "recovery.map";
constexpr const char* kRecoveryNoteFile = "recovery.txt";

// Mixes the bytes eight at a time (a multiply-xorshift step per word), so a
// large map is hashed at memory speed.
class Hasher {
 public:
  template <typename T>
  void Add(const std::vector<T>& values) {
    Add(std::span(reinterpret_cast<const uint8_t*>(values.data()), values.size() * sizeof(T)));
  }
  void Add(std::span<const uint8_t> bytes) {
    Mix(bytes.size());
    size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
      uint64_t word;
      std::memcpy(&word, bytes.data() + i, 8);
      Mix(word);
    }
    uint64_t tail = 0;
    if (i < bytes.size()) std::memcpy(&tail, bytes.data() + i, bytes.size() - i);
    Mix(tail);
  }
  void Mix(uint64_t value) {
    state_ = (state_ ^ value) * 0x9e3779b97f4a7c15ull;
    state_ ^= state_ >> 29;
  }
  uint64_t Value() const { return state_; }

 private:
  uint64_t state_ = 0x6b6f7276ull;
};

}  // namespace

uint64_t MapFingerprint(const MapDocument& document) {
  Hasher hash;
  hash.Mix(static_cast<uint64_t>(static_cast<uint16_t>(document.MapWidth)) << 16 |
           static_cast<uint16_t>(document.MapHeight));
  ForEachEditableLayer(document, [&hash](const auto& values, int) { hash.Add(values); });
  hash.Add(document.Objectives);
  hash.Add(std::span(reinterpret_cast<const uint8_t*>(document.NationSetName.data()),
                     document.NationSetName.size()));
  return hash.Value();
}

void TrackUnsavedChanges(Editor& editor) {
  editor.SavedFingerprint = MapFingerprint(editor.Document);
}

void NoteMapSaved(Editor& editor) {
  if (editor.SavedFingerprint) TrackUnsavedChanges(editor);
}

bool HasUnsavedChanges(const Editor& editor) {
  return editor.SavedFingerprint && MapFingerprint(editor.Document) != *editor.SavedFingerprint;
}

std::filesystem::path RecoveryMapPath(const GameFolder& folder) {
  return folder.Resolve(kRecoveryMapFile);
}

bool WriteRecoveryCopy(const Editor& editor, std::string* error) {
  const MapDocument& document = editor.Document;
  const std::string note = document.MapPath + "\n" + document.MapName + "\n";
  // The note goes last: a copy without its note is not offered.
  return WriteFileAtomically(RecoveryMapPath(editor.Folder),
                             EncodeVersionedMap(document, editor.Settings.MapFileVersion, true),
                             error) &&
         WriteFileAtomically(editor.Folder.Resolve(kRecoveryNoteFile), std::string_view(note),
                             error);
}

std::optional<RecoveryCopy> FindRecoveryCopy(const GameFolder& folder) {
  RecoveryCopy recovery;
  recovery.copy = RecoveryMapPath(folder);
  auto note = ReadWholeFile(folder.Resolve(kRecoveryNoteFile));
  if (!FileExists(recovery.copy) || !note) return std::nullopt;
  const std::string text(note->begin(), note->end());
  const size_t first = text.find('\n');
  if (first == std::string::npos) return std::nullopt;
  const size_t second = text.find('\n', first + 1);
  recovery.mapPath = text.substr(0, first);
  recovery.mapName =
      text.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
  return recovery;
}

bool RestoreRecoveryCopy(Editor& editor, const RecoveryCopy& recovery) {
  MapDocument& document = editor.Document;
  const std::string path = document.MapPath;
  const std::string name = document.MapName;
  document.MapPath = recovery.copy.string();
  if (!LoadMap(editor)) {
    document.MapPath = path;
    document.MapName = name;
    return false;
  }
  document.MapPath = recovery.mapPath;
  document.MapName = recovery.mapName.empty() ? "newmap.map" : recovery.mapName;
  editor.CaptionName = document.MapName;
  // Nothing of it is saved in the map's own file.
  editor.SavedFingerprint = ~MapFingerprint(document);
  return true;
}

void DropRecoveryCopy(const GameFolder& folder) {
  DeleteFile(folder.Resolve(kRecoveryNoteFile));
  DeleteFile(RecoveryMapPath(folder));
}

}  // namespace korv
