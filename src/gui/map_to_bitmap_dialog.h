// The "Map to Bitmap" dialog of F6: the section's width and height in hexes.
#pragma once

#include <QDialog>

#include "editing/map_editor.h"

class QLineEdit;

namespace korv {

class MapToBitmapDialog : public QDialog {
 public:
  MapToBitmapDialog(EditorSettings& settings, QWidget* parent = nullptr);
  QLineEdit* WidthBox() const { return width_; }
  QLineEdit* HeightBox() const { return height_; }
  // Closing takes both boxes: whole numbers, at least 1.
  void done(int result) override;

 private:
  EditorSettings& settings_;
  QLineEdit* width_;
  QLineEdit* height_;
};

// F6: the dialog, then the section drawn into map.bmp.
void RunMapToBitmap(QWidget* parent, MapEditor& session,
                    const std::function<void(const std::string&)>& report);

}  // namespace korv
