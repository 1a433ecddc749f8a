// "Grid Dimensions": the spacing of the grid lines in hexes.
#pragma once

#include <QDialog>

class QLineEdit;

namespace korv {

struct EditorSettings;
class UserInteraction;

class GridDimensionsDialog : public QDialog {
 public:
  GridDimensionsDialog(EditorSettings& settings, UserInteraction& ui, QWidget* parent = nullptr);

  QLineEdit* WidthBox() const { return width_; }
  QLineEdit* HeightBox() const { return height_; }
  // "Done": stores both boxes (a spacing below 1 is refused) and closes.
  void Done();

 private:
  EditorSettings& settings_;
  UserInteraction& ui_;
  QLineEdit* width_;
  QLineEdit* height_;
};

}  // namespace korv
