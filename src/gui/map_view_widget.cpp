#include "gui/map_view_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace korv {

MapViewWidget::MapViewWidget(const ViewState& view, QWidget* parent) : QFrame(parent), view_(view) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(kFrame);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void MapViewWidget::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  const QRect inner = contentsRect();
  painter.setClipRect(inner);
  painter.fillRect(inner, Qt::black);
  if (view_.ViewScreen.IsNull()) return;
  // An overview is drawn at the shown size already.
  if (zoom_ == 1.0 || view_.DrawScale < 1.0) {
    painter.drawImage(inner.topLeft(), view_.ViewScreen.Image());
    return;
  }
  painter.setRenderHint(QPainter::SmoothPixmapTransform, zoom_ < 1.0);
  const QSizeF size(view_.ViewScreen.Width() * zoom_, view_.ViewScreen.Height() * zoom_);
  painter.drawImage(QRectF(inner.topLeft(), size), view_.ViewScreen.Image());
}

void MapViewWidget::wheelEvent(QWheelEvent* event) {
  if (event->modifiers() & Qt::ControlModifier) {
    if (onZoom && event->angleDelta().y() != 0) onZoom(event->angleDelta().y() > 0 ? 1 : -1);
    event->accept();
    return;
  }
  QFrame::wheelEvent(event);
}

void MapViewWidget::mousePressEvent(QMouseEvent* event) {
  const QPointF p = event->position() - contentsRect().topLeft();
  if (onPress) onPress(p.x() / zoom_, p.y() / zoom_, event->button(), event->modifiers());
}

void MapViewWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPointF p = event->position() - contentsRect().topLeft();
  if (onMove) onMove(p.x() / zoom_, p.y() / zoom_);
}

}  // namespace korv
