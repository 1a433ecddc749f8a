// The map view of the main window: shows the presented view picture, scaled
// by the zoom, inside a thin border. Mouse and wheel events are forwarded;
// positions are handed on in map pixels of the view.
#pragma once

#include <QFrame>
#include <functional>

#include "view/view_state.h"

namespace korv {

class MapViewWidget : public QFrame {
 public:
  MapViewWidget(const ViewState& view, QWidget* parent = nullptr);

  void SetZoom(double zoom) {
    zoom_ = zoom;
    update();
  }
  double Zoom() const { return zoom_; }
  // Repaints what the last present changed (the view's PresentedArea) at
  // actual size, or all of the view.
  void Presented() {
    const QRect inner = contentsRect();
    if (view_.PresentedArea && zoom_ == 1.0 && view_.DrawScale >= 1.0) {
      const PixelRect& area = *view_.PresentedArea;
      update(QRect(inner.x() + area.x, inner.y() + area.y, area.width, area.height) & inner);
    } else {
      update();
    }
  }
  // The border on each side, included in the outer size.
  static constexpr int kFrame = 2;

  // Ctrl + wheel: +1 zooms in, -1 out.
  std::function<void(int direction)> onZoom;
  // A press at a view position in map pixels (button, shift state).
  std::function<void(double vx, double vy, Qt::MouseButton button, Qt::KeyboardModifiers)> onPress;
  std::function<void(double vx, double vy)> onMove;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  const ViewState& view_;
  double zoom_ = 1.0;
};

}  // namespace korv
