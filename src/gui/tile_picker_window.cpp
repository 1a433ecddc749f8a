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
  // The tile information dialogs arrive with auto-tiling.
  for (const char* entry : {"Terrain Type", "Road Connections", "Tile Patterns"}) {
    options_->addAction(entry)->setEnabled(false);
  }
  sheet_->onHover = [this](int tile) {
    setWindowTitle(QString::fromStdString(TilePickerCaption(tile, editor_.Tiles)));
  };
  sheet_->onPress = [this](int tile, Qt::MouseButton button, const QPoint& where) {
    if (onSheetPress && onSheetPress(tile, button)) options_->popup(where);
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
      ToggleRouting(routing_, PickerKey::kF2);
      break;
    case Qt::Key_F3:
      ToggleRouting(routing_, PickerKey::kF3);
      break;
    case Qt::Key_F4:
      ToggleRouting(routing_, PickerKey::kF4);
      break;
    default:
      QMainWindow::keyPressEvent(event);
  }
}

}  // namespace korv
