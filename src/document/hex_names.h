// The hex-name files of a map: the index file (".ndx", one 32-bit position
// per hex, 0 for no name) and the text file (".str", 20-byte name slots,
// blank-padded, no header). Both stay open while a map is edited and are
// patched in place at 1-based byte positions, so a rename is on disk at once.
// Names are single-byte text (one byte per character), as the game keeps them.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "document/map_document.h"
#include "platform/files.h"

namespace korv {

class UserInteraction;

// Length of a name slot in the text file.
constexpr int kHexNameLength = 20;
constexpr const char* kHexNamesExtension = "str";
constexpr const char* kHexNamesIndexExtension = "ndx";

// The two open hex-name files of the map (HexNamesIndexPath, HexNamesPath).
struct HexNameFiles {
  ByteFile Index;
  ByteFile Text;
};

// A hex-name file of a map: the map path without its last three characters
// followed by `extension` ("abc.map" -> "abc.str").
std::string HexNameFilePath(const std::string& mapPath, std::string_view extension);

// 1-based byte position of the index entry of hex (x, y).
int64_t HexNameIndexPosition(const MapDocument& document, int x, int y);
// Whether an index entry `position` points into a text file of `textLength`
// bytes. The name is the 20 bytes from there, wherever that is (the game's
// own tools write names at the file's length + 1, so a text file whose
// length is not a multiple of 20 has names between the 20-byte steps);
// bytes past the end read as zeros. An entry of 0, below it or past the end
// of the file gives no name.
bool HexNameInFile(int64_t position, int64_t textLength);
// Where a new name goes: right after the end of the text file.
int64_t NewHexNameSlotPosition(int64_t textLength);
// `name` as it is stored: blank-padded or cut to 20 characters.
std::string HexNameSlotText(std::string_view name);

// The 20-character name of hex (x, y) with its trailing blanks, or empty
// when it has none (index entry 0, a hex outside the map, files not open, or
// an entry that points outside the text file).
std::string GetHexName(HexNameFiles& files, const MapDocument& document, int x, int y);
// Stores `name` for hex (x, y), or clears it when `name` is empty. A hex
// without a name gets a new slot at the end of the text file; a named hex
// keeps its slot. Clearing writes 0 into the index and leaves the slot.
// False when the hex is outside the map or the files are not open.
bool SetHexName(HexNameFiles& files, const MapDocument& document, int x, int y,
                std::string_view name);

void CloseHexNameFiles(HexNameFiles& files);
// Opens the files at the document's HexNamesIndexPath and HexNamesPath for
// reading and writing (a missing one is created empty).
bool OpenHexNameFiles(HexNameFiles& files, const MapDocument& document, std::string* error);
// Closes both files and makes them anew for the document's size: an index of
// 4 x (MapWidth + 1) x (MapHeight + 1) zero bytes and an empty text file,
// then opens them. An empty path is first set to the editor's folder and
// MapName without its last three characters, followed by "ndx" / "str".
bool CreateHexNameFiles(HexNameFiles& files, MapDocument& document, const GameFolder& folder,
                        std::string* error);

// A named hex as the index and text files give it.
struct NamedHex {
  int X = 0;
  int Y = 0;
  std::string Name;  // 20 characters, blank-padded
};
// Every named hex of a map of the given size, column by column, from the
// bytes of its index and text files (entries that are not a slot of the
// text file, as GetHexName judges them, are left out).
std::vector<NamedHex> ListHexNames(std::span<const uint8_t> index, std::span<const uint8_t> text,
                                   int mapWidth, int mapHeight);

}  // namespace korv
