// Unsaved work: a fingerprint of the map's content that tells whether the
// open map differs from the one last saved or opened, and the recovery copy
// the editor keeps of a map with unsaved changes (written every few minutes
// and at exit, offered at the next start).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "editor/editor.h"

namespace korv {

// A 64-bit hash of everything a save writes: sizes, layers, objective list
// and nation set (not the names of the files).
uint64_t MapFingerprint(const MapDocument& document);

// From now on, notes what is saved; the open map counts as saved.
void TrackUnsavedChanges(Editor& editor);
// Marks the open map as saved as it stands (after an open, a save, a new
// map) when changes are tracked; a whole-map hash, so nothing otherwise.
void NoteMapSaved(Editor& editor);
// Whether the open map differs from what was last saved or opened.
bool HasUnsavedChanges(const Editor& editor);

// The recovery copy: "recovery.map" in the game folder, a map file of the
// editor's version, and "recovery.txt" beside it naming the map's own file
// (empty for a map never saved).
std::filesystem::path RecoveryMapPath(const GameFolder& folder);

struct RecoveryCopy {
  std::filesystem::path copy;
  std::string mapPath;  // where the map was saved, or empty
  std::string mapName;
};

// Writes the recovery copy of the open map; false (with `error`) when it
// cannot be written.
bool WriteRecoveryCopy(const Editor& editor, std::string* error = nullptr);
// The recovery copy left in the folder, if any.
std::optional<RecoveryCopy> FindRecoveryCopy(const GameFolder& folder);
// Makes the recovery copy the open map, named as the map it was made from
// and marked as unsaved. False, with a message, when it cannot be read; the
// open map is then unchanged.
bool RestoreRecoveryCopy(Editor& editor, const RecoveryCopy& recovery);
void DropRecoveryCopy(const GameFolder& folder);

}  // namespace korv
