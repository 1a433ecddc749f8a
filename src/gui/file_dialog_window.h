// The file dialog window "File Open": drive list, folder list, file list,
// the file-name box and the buttons "Load", "Save" and "Cancel". It shows
// what the dialog's logic (document/file_dialog.h) holds and forwards every
// event to it; the window is shown without waiting and kept, with its
// state, for the rest of the run.
#pragma once

#include <QDialog>
#include <functional>

#include "editing/file_dialog.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace korv {

struct MapEditor;

class FileDialogWindow : public QDialog {
 public:
  explicit FileDialogWindow(MapEditor& session, QWidget* parent = nullptr);

  // Opens the dialog in `mode` (1 open map, 3 save map as, 5 nation set)
  // and shows it without waiting. False for a mode the editor cannot serve
  // yet; the dialog then stays hidden.
  bool Open(int16_t mode);

  // Runs after "Load" or "Save" changed the session: MapReplaced has been
  // called already when the map was replaced; the main window updates its
  // caption, scroll bars and nation lists.
  std::function<void(const FileDialogOutcome&)> onChanged;

  FileDialog& Logic() { return logic_; }
  QComboBox* DriveList() const { return drives_; }
  QLabel* FolderLabel() const { return folderLabel_; }
  QListWidget* FolderList() const { return folders_; }
  QListWidget* FileList() const { return files_; }
  QLineEdit* FileNameBox() const { return fileName_; }
  QPushButton* LoadButton() const { return load_; }
  QPushButton* SaveButton() const { return save_; }
  QPushButton* CancelButton() const { return cancel_; }

  // The controls from the logic's state.
  void Refresh();

 private:
  void FillDrives();
  void LoadClicked();
  void SaveClicked();
  void Finish(const FileDialogOutcome& outcome);

  MapEditor& session_;
  FileDialog logic_;
  QComboBox* drives_;
  QLabel* folderLabel_;
  QListWidget* folders_;
  QListWidget* files_;
  QLineEdit* fileName_;
  QPushButton* load_;
  QPushButton* save_;
  QPushButton* cancel_;
};

// The file dialog of `parent` (made on first use as its child and kept, so
// its folder is remembered between uses), opened in `mode` and shown without
// waiting. Null for a mode the editor cannot serve yet or without a parent.
FileDialogWindow* ShowFileDialog(QWidget* parent, MapEditor& session, int16_t mode,
                                 std::function<void(const FileDialogOutcome&)> onChanged);

}  // namespace korv
