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
  auto reader = TextFieldReader::FromFile(folder.Resolve(kFlagsFile));
  if (!reader) return;
  // Stored as unsigned bytes, as the game keeps them.
  settings.FlagOffsetX = static_cast<uint8_t>(RoundToI16(reader->NextNumber()) & 0xff);
  settings.FlagOffsetY = static_cast<uint8_t>(RoundToI16(reader->NextNumber()) & 0xff);
}

HexGeometry ReadHexInfo(const GameFolder& folder) {
  auto reader = TextFieldReader::FromFile(folder.Resolve(kHexInfoFile));
  if (!reader) return HexGeometry::FromSizes(60, 50, 30);
  reader->Skip(1);
  int16_t width = reader->NextI16();
  reader->Skip(1);
  int16_t height = reader->NextI16();
  reader->Skip(1);
  int16_t flat = reader->NextI16();
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
  BuildHexPixelTable(document, editor.Geometry);

  ReloadNations(editor);

  editor.Settings.RandomTiles = false;
  editor.Settings.HexOutlines = false;
  for (const char* folder : kPatternFolders) EnsureFolder(editor.Folder.Resolve(folder));
  return true;
}

}  // namespace korv
