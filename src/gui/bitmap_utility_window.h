// The bitmap utility window ("Bitmap Utility"): one bitmap at full size in
// a scrolled view with the tools of imagery/bitmap_utility.h and the
// seasonal pictures in its menus. Moving the mouse names the pixel's colour
// in the caption; a click replaces a colour or assigns terrain, as the
// chosen tool says.
#pragma once

#include <QMainWindow>
#include <functional>

#include "editing/imagery_commands.h"
#include "editing/map_editor.h"

class QLabel;
class QScrollArea;

namespace korv {

class BitmapUtilityWindow : public QMainWindow {
 public:
  BitmapUtilityWindow(MapEditor& session, QWidget* parent = nullptr);

  // Shows the bitmap at `path` (what "Load Bitmap" does once a file is chosen).
  bool LoadBitmap(const std::string& path);
  const Picture& Shown() const { return state_.picture; }
  // A press on pixel (x, y) of the picture.
  void PixelPressed(int x, int y);
  void PixelHovered(int x, int y);

  // "Convert Bitmap to Map" made a new map: the main window follows.
  std::function<void()> onMapReplaced;
  // A press gave hexes terrain: the main window redraws.
  std::function<void()> onMapChanged;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  bool HasBitmap();
  void Show();
  void SaveInFolder(const char* name);
  void Separate(int channel);
  void AskNewColour();
  void AskReductionValue();
  void ConvertToMap();

  MapEditor& session_;
  BitmapUtilityState state_;
  QScrollArea* scroll_;
  QLabel* label_;
};

}  // namespace korv
