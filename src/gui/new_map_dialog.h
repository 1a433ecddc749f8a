// "New Map": the width and height boxes ("Map Width", "Map Height", both
// "32" at first) with "OK" and "Cancel". "OK" makes a fresh map of that
// size; a size that cannot be made is refused with a message and the dialog
// stays open.
#pragma once

#include <QDialog>

class QLineEdit;

namespace korv {

struct MapEditor;

class NewMapDialog : public QDialog {
 public:
  explicit NewMapDialog(MapEditor& session, QWidget* parent = nullptr);

  QLineEdit* WidthBox() const { return width_; }
  QLineEdit* HeightBox() const { return height_; }
  // "OK": makes the map and closes, or tells why the size cannot be made.
  void Ok();

 private:
  MapEditor& session_;
  QLineEdit* width_;
  QLineEdit* height_;
};

// Shows the dialog and waits for it. True when a new map was made; the
// session has been told (MapReplaced) and the main window updates its
// caption and scroll bars.
bool ShowNewMapDialog(QWidget* parent, MapEditor& session);

}  // namespace korv
