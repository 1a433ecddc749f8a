// The tile picker window ("Map Tiles"): the whole tile sheet in a scrolled
// view. Moving the pointer names the tile under it in the caption; a click
// chooses it. The window only forwards events: the logic is in
// view/tile_picker.h and the main window decides what a choice does.
#pragma once

#include <QAbstractScrollArea>
#include <QMainWindow>
#include <QPointer>
#include <functional>

#include "editor/editor.h"
#include "gui/tile_dialogs.h"
#include "view/tile_picker.h"

class QMenu;

namespace korv {

class TileSheetView : public QAbstractScrollArea {
 public:
  TileSheetView(const Editor& editor, QWidget* parent);
  // Tile under a point of the viewport, counting the scrolled-away part.
  int TileAt(const QPoint& viewportPoint) const;
  void UpdateRanges();

  std::function<void(int tile)> onHover;
  std::function<void(int tile, Qt::MouseButton button, const QPoint& globalPosition)> onPress;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  const Editor& editor_;
};

class TilePickerWindow : public QMainWindow {
 public:
  TilePickerWindow(Editor& editor, QWidget* parent = nullptr);

  TileDialogRouting& Routing() { return routing_; }
  TileSheetView* Sheet() { return sheet_; }
  QMenu* Options() const { return options_; }
  // The tile information dialogs, once opened.
  TileInfoDialog* Dialog(PickerKey which) const;
  // A press on the sheet over `tile`; true when the "Options" menu pops up.
  std::function<bool(int tile, Qt::MouseButton button)> onSheetPress;
  // F1: the tile commands help (it arrives with the help windows).
  std::function<void()> onHelp;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Switches a dialog's routing on and shows it with the current tile.
  void OpenDialog(PickerKey which);
  // A tile chosen with the left button goes to every dialog routed to.
  void RouteChosenTile();
  QPointer<TileInfoDialog>& DialogSlot(PickerKey which);

  Editor& editor_;
  TileSheetView* sheet_;
  QMenu* options_;
  TileDialogRouting routing_;
  QPointer<TileInfoDialog> terrainDialog_;
  QPointer<TileInfoDialog> roadDialog_;
  QPointer<TileInfoDialog> patternDialog_;
};

}  // namespace korv
