// The two help windows: the keyboard help of the main window ("Korv Map
// editor Help", key "/" and the "Help" menu) and the tile commands of the
// tile picker ("Tile Screen Commands", key F1 there). Both are made on first
// use and take their texts when they are made (view/help_texts.h).
#pragma once

#include <QPointer>
#include <QWidget>
#include <vector>

#include "platform/files.h"

class QLabel;

namespace korv {

class HelpWindow : public QWidget {
 public:
  explicit HelpWindow(int mapFileVersion, QWidget* parent = nullptr);
  QLabel* TextLabel() const { return text_; }

 private:
  QLabel* text_;
};

class TileCommandsWindow : public QWidget {
 public:
  explicit TileCommandsWindow(const GameFolder& folder, QWidget* parent = nullptr);
  // Label 0..8, or nullptr.
  QLabel* Label(int index) const;

 private:
  std::vector<QLabel*> labels_;
};

// Shows the window, making it first when there is none. Returns it.
HelpWindow* ShowHelpWindow(QPointer<HelpWindow>& window, int mapFileVersion, QWidget* parent);
TileCommandsWindow* ShowTileCommandsWindow(QPointer<TileCommandsWindow>& window,
                                           const GameFolder& folder, QWidget* parent);

}  // namespace korv
