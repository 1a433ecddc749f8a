// The File menu's commands without a window: the file dialog "File Open"
// (`LoadSave`) with its folder and file lists, the file-name box and the
// buttons "Load", "Save" and "Cancel", and "OK" of the new-map dialog. The
// dialog window shows what this logic holds and forwards its events here;
// tests drive it the same way.
//
// Modes: 1 open a map, 2 import a set file of the game, 3 save the map under
// a new name, 4 choose a bitmap for the bitmap utility, 5 choose a nation set.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editor/editor.h"

namespace korv {

enum FileDialogModes : int16_t {
  kOpenMapMode = 1,
  kImportSetMode = 2,
  kSaveMapAsMode = 3,
  kChooseBitmapMode = 4,
  kNationSetMode = 5,
};

// The dialog's state, kept between uses.
struct FileDialogState {
  int16_t FileDialogMode = 0;
  std::string FileDialogExtension;  // ".map", ".set", ".txt"
  std::string FileDialogFolder;     // empty until the first use
  // ImportedSetPath lives with the import's other state in Editor::ImportedSet,
  // BitmapPath in Editor, as every file dialog sets it.
  std::string BitmapFileName;  // file name last confirmed in the bitmap mode
};

// The file-name filter of a mode: ".map" (1, 3), ".set" (2), ".txt" (5);
// empty for the bitmap mode, whose caller gives its own.
std::string FileDialogExtensionFor(int16_t mode);

// The question "Save" asks before it writes over an existing map file.
std::string ReplaceQuestion(const std::string& mapPath);
constexpr const char* kEraseControlQuestion = "This will erase all control flags. Continue ?";

// The nation set named by the folder that holds a chosen nations.txt: the
// text between its last and second-to-last separator ("/game/default/nations"
// gives "default"); empty when the folder has no such part.
std::string NationSetNameFromFolder(std::string_view folder);

// Whether a mounted volume belongs in the drive list: not a pseudo file
// system (proc, sysfs, cgroup, ...) and not mounted below /proc, /sys, /dev
// or /run.
bool ShowsAsDrive(std::string_view fileSystemType, std::string_view rootPath);

// What the window does after an event.
struct FileDialogOutcome {
  std::string ChosenBitmap{};     // mode 4: the bitmap's full path (Editor::BitmapPath)
  bool Closes = false;            // the dialog window closes
  bool MapReplaced = false;       // map loaded or control erased: redraw, view to 1, 1
  bool NationSetChanged = false;  // a new nation list: flags and control window follow
  bool CaptionChanged = false;    // MapName changed: the main window's caption follows
};

class FileDialog {
 public:
  explicit FileDialog(Editor& editor) : editor_(editor) {}

  FileDialogState& State() { return state_; }
  const FileDialogState& State() const { return state_; }

  // Sets the mode and its extension, then activates the dialog: the folder
  // list shows FileDialogFolder (the editor's folder the first time), the
  // file list is filled, and in mode 3 the file-name box holds MapName.
  // False for a mode the editor does not have.
  bool Open(int16_t mode);
  bool Open(int16_t mode, std::string extension);

  // The folder list's folder, and its subfolders by name, ignoring case
  // (hidden folders left out).
  const std::string& Folder() const { return folder_; }
  std::vector<std::string> Subfolders() const;
  // "folder changed": FileDialogFolder follows and the file list is
  // refilled. False, with nothing changed, when `folder` is not a folder.
  bool ChangeFolder(const std::string& folder);
  // A subfolder of the current folder by name, ".." for the parent.
  bool EnterSubfolder(const std::string& name);
  // "drive chosen": the folder list goes to the drive's root folder.
  bool ChooseDrive(const std::string& rootPath);

  // The file list: files of the folder matching "*" and the extension (in
  // mode 5 only "nations.txt"), by name, ignoring case.
  const std::vector<std::string>& Files() const { return files_; }
  void RefillFiles();
  // "file list clicked": the name goes into the file-name box.
  void ClickFile(const std::string& name) { fileName_ = name; }

  const std::string& FileName() const { return fileName_; }
  void SetFileName(std::string text) { fileName_ = std::move(text); }

  bool LoadEnabled() const { return loadEnabled_; }
  bool SaveEnabled() const { return saveEnabled_; }

  // "Load" in modes 1, 2 and 5 (see FileDialogOutcome); in mode 3 it only
  // closes the dialog. An empty file-name box, a refused map and an
  // unusable nation set keep the dialog open.
  FileDialogOutcome Load();
  // "Save" in mode 3: saves the map as the typed name (".map" appended when
  // missing), asking before it replaces a file, and moves the hex-name files
  // to the new name by copying them. An empty name empties MapName and
  // closes the dialog.
  FileDialogOutcome Save();
  FileDialogOutcome Cancel() { return {.Closes = true}; }

 private:
  FileDialogOutcome LoadMapFile(const std::string& typed);
  FileDialogOutcome ChooseNationSet(const std::string& typed);
  bool MoveHexNameFiles(const std::string& indexPath, const std::string& textPath);
  std::string EditorFolder() const;

  Editor& editor_;
  FileDialogState state_;
  std::string folder_;
  std::vector<std::string> files_;
  std::string fileName_;
  bool loadEnabled_ = true;
  bool saveEnabled_ = false;
};

// "OK" of the new-map dialog: the width and height boxes as decimal numbers
// rounded to whole numbers, then a fresh map "newmap.map" in the editor's
// folder with empty hex-name files. A text that is not a number, or a size
// below 1 or above the editor's limit, is refused with `error` set and
// nothing changes.
bool NewMapDialog_OK(Editor& editor, const std::string& widthText, const std::string& heightText,
                     std::string& error);

}  // namespace korv
