// Everything the editor holds for the whole run, owned by one object that the
// main window (or korvmap) owns: services, settings, geometry, tile tables,
// the tile sheet, the open map, its nations and the strategic map.
// Procedures take the parts they need.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "autotile/tile_tables.h"
#include "document/hex_grid.h"
#include "document/hex_names.h"
#include "document/map_document.h"
#include "jumpmap/strategic_map.h"
#include "platform/files.h"
#include "platform/picture.h"
#include "scenario/nations.h"
#include "scenario/scenario_files.h"

namespace korv {

class RandomSource;
class UserInteraction;

// Switches and values fixed at start-up.
struct EditorSettings {
  int16_t GridWidth = 15;
  int16_t GridHeight = 15;
  int16_t MapFileVersion = 569;
  bool ShowRoadControl = true;
  bool AutoDraw = false;
  bool RandomTiles = true;
  // Automatic choice also fits the painted hex's neighbours ("Fit
  // Neighbours"); korvedit remembers it, korvmap starts with it off.
  bool FitNeighbours = false;
  bool HexOutlines = false;
  uint8_t FlagOffsetX = 20;
  uint8_t FlagOffsetY = 30;
  int16_t RoadKind = 1;  // 1 roads, 2 rail roads
  int16_t MapToBitmapWidth = 75;
  int16_t MapToBitmapHeight = 75;
  int16_t BitmapUtilityValue = 4;
};

struct Editor {
  Editor(GameFolder folder, UserInteraction& ui, RandomSource& random)
      : Folder(std::move(folder)), Ui(ui), Random(random) {}

  GameFolder Folder;
  // The user cannot write the game folder: the editor opened it read-only,
  // writes nothing there (no random lists, hex-name files or learnt
  // patterns) and saves maps elsewhere.
  bool FolderReadOnly = false;
  UserInteraction& Ui;
  RandomSource& Random;

  EditorSettings Settings;
  HexGeometry Geometry;
  TileTables Tiles;
  RandomTileLists RandomLists;
  Picture TileSheet;
  MapDocument Document;
  int16_t CurrentTile = 0;
  NationTables Nations;
  JumpMapState JumpMap;
  // The open map's .ndx and .str, kept open while it is edited.
  HexNameFiles HexNames;
  ImportedSetState ImportedSet;  // the last set import, until "Save" writes its scenario files
  // What the main window's caption shows after "Main: editing ": the name
  // the map was opened or saved as. Usually MapName, but an old-layout map
  // is named by its full path while the caption keeps the name typed, and
  // "Save" with an empty name empties MapName and leaves the caption.
  std::string CaptionName;
  // The folder and file name last confirmed with "Load" in a file dialog
  // (every mode sets it; a map opened from the recent list or the command
  // line too). The jump map's objectives look for the map's picture by it.
  std::string BitmapPath;
  // MapFingerprint of the map as last saved or opened, while the window
  // tracks unsaved changes (editor/recovery.h); korvmap never hashes.
  std::optional<uint64_t> SavedFingerprint;
  // Off in korvmap, which shows no map: SaveMap writes the strategic
  // picture's file straight from the map instead of keeping the picture for
  // the jump map window.
  bool ShowsMap = true;
};

}  // namespace korv
