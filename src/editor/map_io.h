// Saving and loading the open map as a whole: its map file set (SaveMap,
// LoadMap), a new map, the undo copy, and the hex-name files of the open
// map. These work on the state of the whole run (the Editor): the tile
// tables, the strategic picture, the nation set and the user's messages.
#pragma once

#include <string>
#include <string_view>

#include "document/map_files.h"
#include "editor/editor.h"

namespace korv {

// Saves the open map to Document.MapPath: the strategic picture (".bmp"),
// the map file and the control file, each written whole through a temporary
// file. Does nothing when MapPath is empty.
// False when a file could not be written (the user has been told).
bool SaveMap(Editor& editor);
// Reads the map file at Document.MapPath into the document (either layout;
// an old-layout map is named by its full path after).
// A refused file leaves the document as it was and tells the user which
// file and what is wrong; returns false then. `nationSetChanged` tells the
// caller that the map named another nation set.
bool LoadMap(Editor& editor, bool* nationSetChanged = nullptr);
// Builds a fresh map of the document's current size named by its MapName and MapPath.
void NewMap(Editor& editor);

// Writes the whole map (without the nation-set name) to autosave.map.
bool WriteSnapshot(Editor& editor);
// Reads autosave.map back. The snapshot's own size is used, and the original
// owners are refilled from its objective list. A missing or damaged snapshot
// is refused with a message and leaves the map as it was.
bool ReadSnapshot(Editor& editor);

// The name of hex (x, y) of the open map (GetHexName), and storing one
// (SetHexName); a hex outside the map has none, and a name that cannot be
// stored is reported.
std::string GetHexName(Editor& editor, int x, int y);
bool SetHexName(Editor& editor, int x, int y, std::string_view name);
// Makes the open map's hex-name files anew and empty (CreateHexNameFiles),
// telling the user when they cannot be made.
bool CreateHexNameFiles(Editor& editor);
// Opens the hex-name files beside the open map's file (abc.map: abc.str and
// abc.ndx, found ignoring case), made empty when the text file is missing.
bool OpenHexNamesOfMap(Editor& editor);

}  // namespace korv
