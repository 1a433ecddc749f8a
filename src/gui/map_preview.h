// A plain picture of the whole open map composed from the tile sheet, shown
// in the editor's window until the scrolled editing view takes its place.
#pragma once

#include <QWidget>

#include "document/editor.h"

namespace korv {

// The map's hexes 1..MapWidth x 1..MapHeight as the tile sheet draws them.
Picture RenderMapPreview(const Editor& editor);

class MapPreviewWidget : public QWidget {
 public:
  explicit MapPreviewWidget(QWidget* parent = nullptr);
  void SetPicture(const Picture& picture);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage image_;
};

}  // namespace korv
