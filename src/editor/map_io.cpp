#include "editor/map_io.h"

#include <filesystem>

#include "document/hex_names.h"
#include "editor/recovery.h"
#include "editor/startup.h"
#include "platform/files.h"
#include "platform/interaction.h"

namespace korv {

bool SaveMap(Editor& editor) {
  MapDocument& document = editor.Document;
  if (document.MapName.empty()) document.MapName = "newmap.map";
  if (document.MapPath.empty()) return true;
  BusyScope busy(editor.Ui);
  std::string error;
  const int highlight = editor.JumpMap.HighlightTerrain;
  RebuildObjectiveList(document);
  editor.Ui.Progress("Writing map data");
  // The picture, the map and the control file are replaced together or not at all.
  VersionedMapBlocks blocks(document, editor.Settings.MapFileVersion, true);
  FileSetWriter files;
  // The strategic picture is drawn anew as its file is made, in the pixels
  // of the old one; where no map is shown it is not kept. It is drawn and
  // written beside the other two files, which only read the map.
  Picture picture = std::move(editor.JumpMap.MapPicture);
  StrategicBitmapFile pictureFile(document, editor.Tiles, highlight,
                                  editor.ShowsMap ? &picture : nullptr);
  const FileSetWriter::Piecewise mapFiles[] = {
      {JumpMapPicturePath(document.MapPath), pictureFile.Size(),
       [&] { return pictureFile.Next(); }},
      FileSetWriter::Piecewise::Of(document.MapPath, blocks.pieces),
      FileSetWriter::Piecewise::Of(ControlFilePath(document.MapPath), document.HexControl)};
  const bool written = files.AddTogether(mapFiles, &error);
  pictureFile.Finish();
  ReplaceStrategicMap(editor.JumpMap, editor.ShowsMap ? std::move(picture) : Picture());
  if (!written || !files.Commit(&error)) {
    editor.Ui.Progress("Map not saved");
    editor.Ui.Message("The map was not saved: " + error +
                      ". The files saved before are unchanged.");
    return false;
  }
  editor.Ui.Progress("Map Saved");
  NoteMapSaved(editor);
  return true;
}

namespace {

// The message of a map file that could not be read: unopened (`error`
// empty) or refused.
void SayNotOpened(Editor& editor, const std::string& what, const std::string& path,
                  const std::string& error) {
  editor.Ui.Message(error.empty() ? what + " " + path + " cannot be opened."
                                  : what + " " + path + " cannot be opened: " + error + ".");
}

}  // namespace

bool LoadMap(Editor& editor, bool* nationSetChanged) {
  if (nationSetChanged) *nationSetChanged = false;
  MapDocument& document = editor.Document;
  BusyScope busy(editor.Ui);
  std::string error;
  // The layers are read into the open map's own; a refused file leaves them.
  auto info = ReadMapFileInto(document.MapPath, editor.Tiles.TileTerrain, document, error);
  if (!info) {
    SayNotOpened(editor, "The map file", document.MapPath, error);
    return false;
  }
  if (info->Layout == MapLayout::kOld) {
    // An old-layout map is named by its full path from here on, keeps the
    // nation set and has no original owners.
    document.MapName = document.MapPath;
    RebuildObjectiveList(document);
    NoteMapSaved(editor);
    return true;
  }
  std::string storedSet = info->NationSetName;
  if (storedSet.empty() && !document.NationSetName.empty()) storedSet = document.NationSetName;
  if (storedSet != document.NationSetName) {
    document.NationSetName = storedSet;
    ReloadNations(editor);
    if (nationSetChanged) *nationSetChanged = true;
  }
  // A file of version 544 or older carries no objective list: build it from
  // the control layer, as for the oldest versions.
  if (!info->HasObjectiveList) RebuildObjectiveList(document);
  RestoreOriginalOwners(document);
  NoteMapSaved(editor);
  return true;
}

void NewMap(Editor& editor) {
  MapDocument& document = editor.Document;
  // The new map's hex-name files beside MapPath (the editor's folder and
  // MapName when there is none), made anew and empty: old names there go.
  document.HexNamesIndexPath.clear();
  document.HexNamesPath.clear();
  if (!document.MapPath.empty()) {
    document.HexNamesIndexPath = HexNameFilePath(document.MapPath, kHexNamesIndexExtension);
    document.HexNamesPath = HexNameFilePath(document.MapPath, kHexNamesExtension);
  }
  CreateHexNameFiles(editor);
  AllocateMapLayers(document);
  bool randomVariants =
      editor.Settings.RandomTiles && editor.Tiles.TerrainOf(editor.CurrentTile) > 0;
  FillWithCurrentTile(document, editor.CurrentTile, editor.Tiles, editor.RandomLists, editor.Random,
                      randomVariants);
  // The old objective list does not belong to the new map.
  RebuildObjectiveList(document);
  NoteMapSaved(editor);
}

bool WriteSnapshot(Editor& editor) {
  editor.Ui.Progress("Writing map data");
  std::string error;
  // Written from the layers themselves, without a copy of the map.
  const VersionedMapBlocks blocks(editor.Document, editor.Settings.MapFileVersion, false);
  if (!WriteFileAtomically(editor.Folder.Resolve(kSnapshotFile), blocks.pieces, &error)) {
    editor.Ui.Message("The undo copy of the map was not written: " + error + ".");
    return false;
  }
  return true;
}

bool ReadSnapshot(Editor& editor) {
  const std::filesystem::path path = editor.Folder.Resolve(kSnapshotFile);
  std::string error;
  if (!ReadSnapshotFileInto(path, editor.Document, error)) {
    editor.Ui.Message(error.empty()
                          ? "There is nothing to undo: " + path.string() + " does not exist."
                          : "The undo copy " + path.string() + " cannot be read: " + error + ".");
    return false;
  }
  RestoreOriginalOwners(editor.Document);
  return true;
}

std::string GetHexName(Editor& editor, int x, int y) {
  return GetHexName(editor.HexNames, editor.Document, x, y);
}

bool SetHexName(Editor& editor, int x, int y, std::string_view name) {
  const MapDocument& document = editor.Document;
  if (!document.Contains(x, y)) return false;
  if (SetHexName(editor.HexNames, document, x, y, name)) return true;
  editor.Ui.Message("The name of hex (" + std::to_string(x) + ", " + std::to_string(y) +
                    ") was not stored: the hex-name files " + document.HexNamesPath + " and " +
                    document.HexNamesIndexPath + " are not open.");
  return false;
}

bool CreateHexNameFiles(Editor& editor) {
  std::string error;
  if (CreateHexNameFiles(editor.HexNames, editor.Document, editor.Folder, &error)) return true;
  editor.Ui.Message("The hex-name files of " + editor.Document.MapName +
                    " cannot be made: " + error + ". Hexes cannot be named on this map.");
  return false;
}

bool OpenHexNamesOfMap(Editor& editor) {
  MapDocument& document = editor.Document;
  document.HexNamesPath =
      SpeltAsOnDisk(HexNameFilePath(document.MapPath, kHexNamesExtension)).string();
  document.HexNamesIndexPath =
      SpeltAsOnDisk(HexNameFilePath(document.MapPath, kHexNamesIndexExtension)).string();
  // Names live beside the map; where that cannot be written they cannot be
  // kept. In a read-only game folder the start-up's notice has said so.
  const std::filesystem::path folder = std::filesystem::path(document.MapPath).parent_path();
  if (!CanWriteIn(folder.empty() ? "." : folder)) {
    CloseHexNameFiles(editor.HexNames);
    if (!editor.FolderReadOnly) {
      editor.Ui.Message("The hex names of " + document.MapName +
                        " cannot be edited: you cannot write its folder " + folder.string() + ".");
    }
    return false;
  }
  if (!FileExists(document.HexNamesPath)) return CreateHexNameFiles(editor);
  std::string error;
  if (OpenHexNameFiles(editor.HexNames, document, &error)) return true;
  editor.Ui.Message("The hex names of " + document.MapName + " cannot be edited: " + error + ".");
  return false;
}

}  // namespace korv
