#include "gui/jump_map_window.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "editing/imagery_commands.h"
#include "platform/interaction.h"
#include "view/hex_drawing.h"

namespace korv {

JumpMapView::JumpMapView(const JumpMapState& jumpMap, QWidget* parent)
    : QAbstractScrollArea(parent), jumpMap_(jumpMap) {
  setBackgroundRole(QPalette::Dark);
}

int JumpMapView::Scale() const {
  const int largest = std::max({jumpMap_.Shown.Width(), jumpMap_.Shown.Height(), 1});
  return std::clamp(400 / largest, 1, 8);
}

void JumpMapView::UpdateRanges() {
  const QSize frame = viewport()->size();
  const int scale = Scale();
  horizontalScrollBar()->setRange(0, std::max(jumpMap_.Shown.Width() * scale - frame.width(), 0));
  verticalScrollBar()->setRange(0, std::max(jumpMap_.Shown.Height() * scale - frame.height(), 0));
  horizontalScrollBar()->setPageStep(std::max(frame.width(), 1));
  verticalScrollBar()->setPageStep(std::max(frame.height(), 1));
}

void JumpMapView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  painter.fillRect(viewport()->rect(), palette().dark());
  if (!jumpMap_.Shown.IsNull()) {
    const QImage& image = jumpMap_.Shown.Image();
    const int scale = Scale();
    painter.drawImage(QRect(-horizontalScrollBar()->value(), -verticalScrollBar()->value(),
                            image.width() * scale, image.height() * scale),
                      image);
  }
}

void JumpMapView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateRanges();
}

void JumpMapView::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const int scale = Scale();
  if (onClick) {
    onClick((at.x() + horizontalScrollBar()->value()) / scale,
            (at.y() + verticalScrollBar()->value()) / scale);
  }
}

JumpMapWindow::JumpMapWindow(MapEditor& session, QWidget* parent)
    : QMainWindow(parent, Qt::Tool), session_(session) {
  setWindowTitle("Jump Map (F1)");
  view_ = new JumpMapView(session.editor.JumpMap, this);
  setCentralWidget(view_);
  view_->onClick = [this](int x, int y) { Centre(x, y); };
  countries_ = new QListWidget(view_);
  countries_->hide();
  connect(countries_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    // The first nation of that name, 0 when none matches.
    const std::vector<std::string>& names = session_.editor.Nations.NationNames;
    int nation = 0;
    for (size_t i = 1; i < names.size() && nation == 0; ++i) {
      if (names[i] == item->text().toStdString()) nation = static_cast<int>(i);
    }
    Flags(nation);
    countries_->hide();
  });
  QMenuBar* bar = menuBar();
  connect(bar->addAction("Country"), &QAction::triggered, this, [this] {
    countries_->clear();
    const NationTables& nations = session_.editor.Nations;
    for (int n = 1; n <= nations.NationCount; ++n) {
      countries_->addItem(QString::fromStdString(nations.NationNames[static_cast<size_t>(n)]));
    }
    countries_->setGeometry(4, 4, 180, std::min(view_->height() - 8, 300));
    countries_->show();
    countries_->raise();
  });
  connect(bar->addAction("Objectives"), &QAction::triggered, this, [this] { Flags(0); });
  QMenu* terrain = bar->addMenu("Terrain");
  connect(terrain->addAction("Roads"), &QAction::triggered, this, [this] { Repaint(0); });
  connect(terrain->addAction("Cities"), &QAction::triggered, this, [this] { Repaint(5); });
  resize(520, 420);
}

void JumpMapWindow::Refresh() {
  const ViewState& view = session_.view;
  DrawJumpBox(session_.editor.JumpMap, session_.editor.Document, session_.editor.Tiles,
              view.ViewLeft, view.ViewTop, view.ViewColumns, view.ViewRows);
  view_->UpdateRanges();
  view_->viewport()->update();
}

void JumpMapWindow::Repaint(int highlightTerrain) {
  Editor& editor = session_.editor;
  editor.JumpMap.HighlightTerrain = highlightTerrain;
  ReplaceStrategicMap(editor.JumpMap,
                      DrawStrategicMap(editor.Document, editor.Tiles, highlightTerrain));
  Refresh();
}

void JumpMapWindow::Flags(int nation) {
  if (JumpMapFlags(session_, nation)) Refresh();
}

void JumpMapWindow::Centre(int x, int y) {
  ViewState& view = session_.view;
  const ViewCorner corner =
      JumpMapClick(x, y, view.ViewColumns, view.ViewRows, std::max(view.ScrollMaxX, 1),
                   std::max(view.ScrollMaxY, 1));
  view.CentringView = true;
  view.ViewLeft = corner.left;
  view.ViewTop = corner.top;
  RedrawIfDrawn(session_);
  view.CentringView = false;
  countries_->hide();
  if (onViewMoved) onViewMoved();
  Refresh();
}

void JumpMapWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  JumpMapState& jumpMap = session_.editor.JumpMap;
  jumpMap.JumpShown = true;
  Repaint(jumpMap.HighlightTerrain);
  // The window fits the picture, as far as the screen allows.
  const int scale = view_->Scale();
  resize(
      std::clamp(jumpMap.Shown.Width() * scale + 24, 240, 900),
      std::clamp(jumpMap.Shown.Height() * scale + 48 + menuBar()->sizeHint().height(), 160, 700));
}

void JumpMapWindow::hideEvent(QHideEvent* event) {
  session_.editor.JumpMap.JumpShown = false;
  QMainWindow::hideEvent(event);
}

void JumpMapWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() != QEvent::ActivationChange || !isActiveWindow()) return;
  Refresh();
  // The outline comes into sight. The bars count the shown pixels, each hex
  // Scale() of them.
  const ViewState& view = session_.view;
  const int scale = view_->Scale();
  view_->horizontalScrollBar()->setValue((view.ViewLeft + view.ViewColumns) * scale -
                                         view_->viewport()->width() / 2);
  view_->verticalScrollBar()->setValue((view.ViewTop + view.ViewRows) * scale -
                                       view_->viewport()->height() / 2);
}

void JumpMapWindow::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_F1:
      show();
      raise();
      break;
    case Qt::Key_F2:
      if (onShowTilePicker) onShowTilePicker();
      break;
    case Qt::Key_F3:
      if (onShowControl) onShowControl();
      break;
    case Qt::Key_C:
      ToggleJumpBoxColour(session_.editor.JumpMap);
      Refresh();
      break;
    default:
      QMainWindow::keyPressEvent(event);
  }
}

}  // namespace korv
