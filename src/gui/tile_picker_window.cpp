#include "gui/tile_picker_window.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScrollBar>

namespace korv {

TileSheetView::TileSheetView(const Editor& editor, QWidget* parent)
    : QAbstractScrollArea(parent), editor_(editor) {
  viewport()->setMouseTracking(true);
  setBackgroundRole(QPalette::Dark);
  UpdateRanges();
}

void TileSheetView::UpdateRanges() {
  const QSize frame = viewport()->size();
  const HexGeometry& g = editor_.Geometry;
  SheetScrollRange across = SheetScroll(editor_.TileSheet.Width(), frame.width(), g.HexPixelWidth);
  SheetScrollRange down = SheetScroll(editor_.TileSheet.Height(), frame.height(), g.HexPixelHeight);
  // Every layout starts the sheet at its top left tile.
  horizontalScrollBar()->setRange(0, across.maximum);
  horizontalScrollBar()->setValue(0);
  verticalScrollBar()->setValue(0);
  horizontalScrollBar()->setSingleStep(across.step);
  horizontalScrollBar()->setPageStep(across.step);
  verticalScrollBar()->setRange(0, down.maximum);
  verticalScrollBar()->setSingleStep(down.step);
  verticalScrollBar()->setPageStep(down.step);
}

int TileSheetView::TileAt(const QPoint& point) const {
  return TileAtSheetPosition(point.x() + horizontalScrollBar()->value(),
                             point.y() + verticalScrollBar()->value(), editor_.Geometry);
}

void TileSheetView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  painter.fillRect(viewport()->rect(), palette().dark());
  painter.drawImage(-horizontalScrollBar()->value(), -verticalScrollBar()->value(),
                    editor_.TileSheet.Image());
}

void TileSheetView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateRanges();
}

void TileSheetView::mouseMoveEvent(QMouseEvent* event) {
  if (onHover) onHover(TileAt(event->position().toPoint()));
}

void TileSheetView::mousePressEvent(QMouseEvent* event) {
  if (onPress) {
    onPress(TileAt(event->position().toPoint()), event->button(),
            event->globalPosition().toPoint());
  }
}

TilePickerWindow::TilePickerWindow(Editor& editor, QWidget* parent)
    : QMainWindow(parent, Qt::Tool), editor_(editor) {
  setWindowTitle("Map Tiles");
  sheet_ = new TileSheetView(editor_, this);
  setCentralWidget(sheet_);
  options_ = menuBar()->addMenu("Options");
  const std::pair<const char*, PickerKey> entries[] = {{"Terrain Type", PickerKey::kF2},
                                                       {"Road Connections", PickerKey::kF3},
                                                       {"Tile Patterns", PickerKey::kF4}};
  for (const auto& [caption, which] : entries) {
    connect(options_->addAction(caption), &QAction::triggered, this,
            [this, which = which] { OpenDialog(which); });
  }
  sheet_->onHover = [this](int tile) {
    setWindowTitle(QString::fromStdString(TilePickerCaption(tile, editor_.Tiles)));
  };
  sheet_->onPress = [this](int tile, Qt::MouseButton button, const QPoint& where) {
    if (onSheetPress && onSheetPress(tile, button)) options_->popup(where);
    if (button == Qt::LeftButton) RouteChosenTile();
  };
  const int width = std::min(editor.TileSheet.Width() + 24, 1000);
  resize(width, 640);
}

void TilePickerWindow::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_F1:
      if (onHelp) onHelp();
      break;
    case Qt::Key_F2:
    case Qt::Key_F3:
    case Qt::Key_F4: {
      const PickerKey which = event->key() == Qt::Key_F2   ? PickerKey::kF2
                              : event->key() == Qt::Key_F3 ? PickerKey::kF3
                                                           : PickerKey::kF4;
      // Switched on: the dialog shows; switched off: it is left as it is.
      if (ToggleRouting(routing_, which)) OpenDialog(which);
      break;
    }
    default:
      QMainWindow::keyPressEvent(event);
  }
}

QPointer<TileInfoDialog>& TilePickerWindow::DialogSlot(PickerKey which) {
  switch (which) {
    case PickerKey::kF2:
      return terrainDialog_;
    case PickerKey::kF3:
      return roadDialog_;
    case PickerKey::kF4:
      break;
  }
  return patternDialog_;
}

TileInfoDialog* TilePickerWindow::Dialog(PickerKey which) const {
  return const_cast<TilePickerWindow*>(this)->DialogSlot(which);
}

void TilePickerWindow::OpenDialog(PickerKey which) {
  bool& routed = which == PickerKey::kF2   ? routing_.TerrainDialogActive
                 : which == PickerKey::kF3 ? routing_.RoadDialogActive
                                           : routing_.PatternDialogActive;
  routed = true;
  QPointer<TileInfoDialog>& dialog = DialogSlot(which);
  if (!dialog) {
    if (which == PickerKey::kF2) dialog = new TileTerrainTypeDialog(editor_, this);
    if (which == PickerKey::kF3) dialog = new RoadConnectionsDialog(editor_, this);
    if (which == PickerKey::kF4) dialog = new TilePatternDialog(editor_, this);
    // Closing a dialog ends its routing.
    dialog->onClosed = [&routed] { routed = false; };
  }
  dialog->LoadCurrentTile();
  dialog->show();
  dialog->raise();
}

void TilePickerWindow::RouteChosenTile() {
  const std::pair<bool, PickerKey> order[] = {{routing_.RoadDialogActive, PickerKey::kF3},
                                              {routing_.PatternDialogActive, PickerKey::kF4},
                                              {routing_.TerrainDialogActive, PickerKey::kF2}};
  for (const auto& [routed, which] : order) {
    if (routed) OpenDialog(which);
  }
}

}  // namespace korv
