// Start-up of the editor up to a filled default map: reference files,
// geometry, tile sheet, tile tables, random lists and the 32 x 30 map.
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "editor/editor.h"

namespace korv {

// Whether `folder` is a game folder: it holds a tile sheet (bmp/mapl.bmp,
// in any case), without which nothing can be painted.
bool HoldsTileSheet(const std::filesystem::path& folder);
// The first of `candidates` that is a game folder, in their order.
std::optional<std::filesystem::path> FindGameFolder(
    std::span<const std::filesystem::path> candidates);
// What a game folder holds, in a sentence for the user.
std::string GameFolderNeeds();

// The user's own copy of the demo game folder installed with the programs:
// `userCopy` (korv/demo-game in the user's data folder) when it is a game
// folder already, else a copy of `installed` made there (into a temporary
// folder beside it, renamed when complete; every file and folder of the copy
// writable by its owner). Nothing, with `error` set, when there is no
// installed demo or the copy cannot be made; an existing `userCopy` that is
// no game folder is left alone.
std::optional<std::filesystem::path> UserDemoFolder(const std::filesystem::path& installed,
                                                    const std::filesystem::path& userCopy,
                                                    std::string& error);

// Reads flags.xy into the flag offsets (20 and 30 when the file is missing).
void ReadFlagOffsets(EditorSettings& settings, const GameFolder& folder);
// The flag offsets as the text of flags.xy gives them.
void ParseFlagOffsets(EditorSettings& settings, std::string_view text);
// Reads data/hex_info.txt (60, 50, 30 when missing) and derives the steps.
HexGeometry ReadHexInfo(const GameFolder& folder);
// The geometry as the text of hex_info.txt gives it.
HexGeometry ParseHexInfo(std::string_view text);

// Loads bmp/mapl.bmp and sets TileCount from its size. False, with `error`
// naming the file and the fault, when the sheet cannot be used.
bool LoadTileSheet(Editor& editor, std::string& error);

// The start-up sequence as far as it concerns the document and the tables:
// settings, flags.xy, hex_info.txt, tile sheet, tile terrain and road info,
// random lists (rebuilt on disk when `writeRandomLists`), the default tile
// and a 32 x 30 map filled with random variants of it, the nation list of
// the set "default", and the pattern folders. False, with `error` set, when the editor cannot start
// (no usable tile sheet); the caller ends the program in an orderly way.
// The editor (`writeRandomLists`) first checks that it can write the game
// folder and its mapedit/; when it cannot, it says so in one message, sets
// FolderReadOnly and writes nothing there, as korvmap does.
bool StartUp(Editor& editor, std::string& error, bool writeRandomLists = true);

// Reads the nation list of the document's nation set; a missing or broken
// list is reported and leaves no nations, and the editor goes on.
void ReloadNations(Editor& editor);

// Fills every hex with `currentTile`, column by column; when `randomVariants`
// each hex first draws a random variant, which also becomes the current tile.
void FillWithCurrentTile(MapDocument& document, int16_t& currentTile, const TileTables& tables,
                         const RandomTileLists& lists, RandomSource& random, bool randomVariants);

}  // namespace korv
