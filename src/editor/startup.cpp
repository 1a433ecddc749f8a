#include "editor/startup.h"

#include <algorithm>

#include "editor/map_io.h"
#include "platform/interaction.h"
#include "platform/random.h"
#include "platform/text_fields.h"

namespace korv {

namespace {

constexpr const char* kFlagsFile = "flags.xy";
constexpr const char* kHexInfoFile = "data/hex_info.txt";
constexpr const char* kTileSheetFile = "bmp/mapl.bmp";
constexpr const char* kPatternFolders[] = {"mapedit/roadpatterns", "mapedit/bridgepatterns",
                                           "mapedit/riverpatterns"};
constexpr int16_t kStartMapWidth = 32;
constexpr int16_t kStartMapHeight = 30;

}  // namespace

void ReadFlagOffsets(EditorSettings& settings, const GameFolder& folder) {
  settings.FlagOffsetX = 20;
  settings.FlagOffsetY = 30;
  const auto bytes = ReadWholeFile(folder.Resolve(kFlagsFile));
  if (bytes) ParseFlagOffsets(settings, AsText(*bytes));
}

void ParseFlagOffsets(EditorSettings& settings, std::string_view text) {
  TextFieldReader reader{std::string(text)};
  // Stored as unsigned bytes, as the game keeps them.
  settings.FlagOffsetX = static_cast<uint8_t>(RoundToI16(reader.NextNumber()) & 0xff);
  settings.FlagOffsetY = static_cast<uint8_t>(RoundToI16(reader.NextNumber()) & 0xff);
}

HexGeometry ReadHexInfo(const GameFolder& folder) {
  const auto bytes = ReadWholeFile(folder.Resolve(kHexInfoFile));
  if (!bytes) return HexGeometry::FromSizes(60, 50, 30);
  return ParseHexInfo(AsText(*bytes));
}

HexGeometry ParseHexInfo(std::string_view text) {
  TextFieldReader reader{std::string(text)};
  reader.Skip(1);
  int16_t width = reader.NextI16();
  reader.Skip(1);
  int16_t height = reader.NextI16();
  reader.Skip(1);
  int16_t flat = reader.NextI16();
  return HexGeometry::FromSizes(width, height, flat);
}

bool HoldsTileSheet(const std::filesystem::path& folder) {
  std::error_code ec;
  if (!std::filesystem::is_directory(folder, ec)) return false;
  return std::filesystem::is_regular_file(GameFolder(folder).Resolve(kTileSheetFile), ec);
}

std::optional<std::filesystem::path> FindGameFolder(
    std::span<const std::filesystem::path> candidates) {
  for (const std::filesystem::path& folder : candidates) {
    if (!folder.empty() && HoldsTileSheet(folder)) return folder;
  }
  return std::nullopt;
}

std::string GameFolderNeeds() {
  return std::string("A game folder holds the tile sheet ") + kTileSheetFile +
         " (and usually data/, flags/, mapedit/, the nation sets and the maps); "
         "korv-demo-game DIR writes one.";
}

std::optional<std::filesystem::path> UserDemoFolder(const std::filesystem::path& installed,
                                                    const std::filesystem::path& userCopy,
                                                    std::string& error) {
  namespace fs = std::filesystem;
  if (HoldsTileSheet(userCopy)) return userCopy;
  std::error_code ec;
  if (fs::exists(userCopy, ec)) {
    error = userCopy.string() + " exists but holds no tile sheet " + kTileSheetFile +
            "; move it away to get a fresh copy of the demo game.";
    return std::nullopt;
  }
  if (!HoldsTileSheet(installed)) {
    error = "There is no demo game folder in " + installed.string() + ".";
    return std::nullopt;
  }
  // A copy broken off half-way never looks like a game folder: it is made
  // beside the place it goes and renamed when complete.
  fs::path partial = userCopy;
  partial += ".partial";
  fs::remove_all(partial, ec);
  const auto fail = [&](const std::string& what) {
    error = "The demo game folder cannot be copied to " + userCopy.string() + ": " + what + ".";
    fs::remove_all(partial, ec);
    return std::nullopt;
  };
  // Folders are made anew and files copied one by one, so that the copy
  // is the user's to edit even where the installed files are read-only.
  fs::create_directories(partial, ec);
  if (ec) return fail(ec.message());
  for (auto it = fs::recursive_directory_iterator(installed, ec);
       !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    const fs::path target = partial / it->path().lexically_relative(installed);
    if (it->is_directory(ec)) {
      fs::create_directory(target, ec);
    } else if (it->is_regular_file(ec)) {
      fs::copy_file(it->path(), target, ec);
      if (!ec) fs::permissions(target, fs::perms::owner_write, fs::perm_options::add, ec);
    }
    if (ec) return fail(target.string() + ": " + ec.message());
  }
  if (ec) return fail(ec.message());
  fs::rename(partial, userCopy, ec);
  if (ec) return fail(ec.message());
  return userCopy;
}

bool LoadTileSheet(Editor& editor, std::string& error) {
  std::filesystem::path path = editor.Folder.Resolve(kTileSheetFile);
  const HexGeometry& geometry = editor.Geometry;
  if (geometry.HexPixelWidth <= 0 || geometry.HexPixelHeight <= 0) {
    error = "The hex size in " + editor.Folder.Resolve(kHexInfoFile).string() + " is " +
            std::to_string(geometry.HexPixelWidth) + " x " +
            std::to_string(geometry.HexPixelHeight) +
            " pixels; tiles need a width and height of at least 1.";
    return false;
  }
  Picture sheet;
  std::string why;
  if (!sheet.LoadBmp(path, &why)) {
    error = "The tile sheet " + path.string() + " cannot be loaded: " + why + ".";
    return false;
  }
  int16_t count = TileCountFromSheet(sheet.Width(), sheet.Height(), geometry.HexPixelWidth,
                                     geometry.HexPixelHeight);
  if (count < 0) {
    error = "The tile sheet " + path.string() + " (" + std::to_string(sheet.Width()) + " x " +
            std::to_string(sheet.Height()) + " pixels) is smaller than one tile of " +
            std::to_string(geometry.HexPixelWidth) + " x " +
            std::to_string(geometry.HexPixelHeight) + " pixels.";
    return false;
  }
  editor.TileSheet = std::move(sheet);
  editor.Tiles.TileCount = count;
  return true;
}

void FillWithCurrentTile(MapDocument& document, int16_t& currentTile, const TileTables& tables,
                         const RandomTileLists& lists, RandomSource& random, bool randomVariants) {
  for (int x = 0; x <= document.MapWidth; ++x) {
    for (int y = 0; y <= document.MapHeight; ++y) {
      if (randomVariants) randomtile(currentTile, tables, lists, random);
      document.Terrain(x, y) = tables.TerrainOf(currentTile);
      document.Tile(x, y) = currentTile;
    }
  }
}

void ReloadNations(Editor& editor) {
  std::string error;
  if (!LoadNationList(editor.Nations, editor.Document.NationSetName, editor.Folder, error)) {
    editor.Ui.Message(error);
  }
}

bool StartUp(Editor& editor, std::string& error, bool writeRandomLists) {
  editor.Settings = EditorSettings{};
  editor.Settings.RandomTiles = true;
  ReadFlagOffsets(editor.Settings, editor.Folder);
  editor.Geometry = ReadHexInfo(editor.Folder);
  if (!LoadTileSheet(editor, error)) return false;

  // The editor writes its random lists, hex-name files and learnt patterns
  // into the game folder; a folder the user cannot write is opened without
  // them, with one message instead of one per file.
  editor.FolderReadOnly = false;
  if (writeRandomLists) {
    const std::filesystem::path& root = editor.Folder.Root();
    const std::filesystem::path mapedit = editor.Folder.Resolve("mapedit");
    if (!CanWriteIn(root) || (FolderExists(mapedit) && !CanWriteIn(mapedit))) {
      editor.FolderReadOnly = true;
      writeRandomLists = false;
      editor.Ui.Message("You cannot write the game folder " + root.string() +
                        ", so it is opened read-only: nothing is written there, Auto-Tile "
                        "learns nothing from your painting, and maps are saved elsewhere "
                        "(\"Save Map File As\").");
    }
  }

  LoadTileTerrain(editor.Tiles, editor.Folder, editor.Ui);
  LoadRoadInfo(editor.Tiles, editor.Folder);

  MapDocument& document = editor.Document;
  document.MapName = "newmap.map";
  editor.CaptionName = document.MapName;
  document.MapPath.clear();
  document.NationSetName = "default";
  editor.RandomLists = writeRandomLists ? BuildRndTables(editor.Tiles, editor.Folder, editor.Ui)
                                        : ComputeRandomTileLists(editor.Tiles, editor.Folder);

  document.MapWidth = kStartMapWidth;
  document.MapHeight = kStartMapHeight;
  ChooseDefaultTile(editor.CurrentTile, editor.Tiles);
  // Empty hex-name files for "newmap.map" in the editor's folder. korvmap
  // (which does not write the random lists either) leaves the game folder alone.
  document.HexNamesIndexPath.clear();
  document.HexNamesPath.clear();
  if (writeRandomLists) CreateHexNameFiles(editor);
  AllocateMapLayers(document);
  document.ResetObjectives(0);
  FillWithCurrentTile(document, editor.CurrentTile, editor.Tiles, editor.RandomLists, editor.Random,
                      true);

  ReloadNations(editor);

  editor.Settings.RandomTiles = false;
  editor.Settings.HexOutlines = false;
  if (!editor.FolderReadOnly) {
    for (const char* folder : kPatternFolders) EnsureFolder(editor.Folder.Resolve(folder));
  }
  return true;
}

}  // namespace korv
