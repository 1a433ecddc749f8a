// The "&Edit" menu: "&Copy" writes the tiles of the selection rectangle to
// the clipboard file copybuff.dat in the game folder, "&Paste" puts them
// down at the hex last clicked (or, with no clipboard file, copies the
// selection within the map), and "Undo" reads the map snapshot back.
//
// copybuff.dat, little-endian: w and h (signed 16-bit, width and height of
// the block minus one), then (w + 1) * (h + 1) signed 16-bit tile numbers,
// i = 0..w fastest, then j = 0..h. Only tile numbers travel; terrain, sides,
// control, deployment and names stay where they are.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "editing/map_editor.h"
#include "view/view_state.h"

namespace korv {

constexpr const char* kClipboardFile = "copybuff.dat";
constexpr size_t kClipboardHeaderBytes = 4;

// The block "&Copy" takes: the selection rectangle as its four bounds give
// it (all 0, no selection: the single hex (0, 0)), cut to the map. Nothing
// when no part of it lies on the map.
std::optional<HexRange> CopyRange(const DrawSwitches& switches, const MapDocument& document);

// The clipboard file's bytes for the hexes of `range` (which lies on the map).
std::vector<uint8_t> EncodeClipboard(const MapDocument& document, const HexRange& range);

// "&Copy": replaces copybuff.dat with the selection's tiles. False, with a
// message, when the selection is off the map or the file cannot be written.
bool Copy_Click(MapEditor& session);

// What "&Paste" did.
enum class PasteOutcome {
  kFromClipboardFile,  // copybuff.dat was put down
  kFromSelection,      // no clipboard file: the selection was copied within the map
  kRefused,            // a damaged clipboard file (the user has been told); nothing changed
};

// Puts the block of the clipboard file at `path` down with its top left hex
// at (targetX, targetY); entries whose hex lies off the map are skipped.
// Only the part that lands on the map is read, so the file's sizes never
// decide how much memory is taken. A file shorter than its header or its
// block, or with a negative size, is refused with `error` set and the map
// unchanged.
bool PasteClipboardFile(MapDocument& document, const std::filesystem::path& path, int targetX,
                        int targetY, std::string& error);
// The same for the clipboard file's bytes in memory.
bool PasteClipboardBytes(MapDocument& document, std::span<const uint8_t> bytes, int targetX,
                         int targetY, std::string& error);

// Copies the tiles of the selection rectangle (cut to the map) so that its
// top left hex lands on (targetX, targetY); targets off the map are
// skipped. The block is read whole before any hex is written, so a target
// that overlaps the selection receives the selection as it was.
void PasteSelection(MapDocument& document, const DrawSwitches& switches, int targetX, int targetY);

// "&Paste" at (CurrentHexX, CurrentHexY): from copybuff.dat when it exists,
// else from the selection; then a full redraw. Only HexTile changes.
PasteOutcome Paste_Click(MapEditor& session);

// What "Undo" did.
struct UndoOutcome {
  bool restored = false;
  // The snapshot had another size than the map: the view went back to
  // column 1, row 1 with new scroll ranges, which the window's scroll bars
  // must take over.
  bool sizeChanged = false;
};
// "Undo" (and key F7): reads the map snapshot back (ReadSnapshot), then a
// full redraw. A missing or damaged snapshot leaves the map as it was (the
// user has been told).
UndoOutcome Undo_Click(MapEditor& session);

}  // namespace korv
