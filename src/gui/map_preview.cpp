#include "gui/map_preview.h"

#include <QPainter>

namespace korv {

Picture RenderMapPreview(const Editor& editor) {
  const MapDocument& document = editor.Document;
  const HexGeometry& geometry = editor.Geometry;
  // Column 0 and row 0 are never shown: the picture starts at hex (1, 1).
  const int width =
      std::max(document.MapWidth, int16_t{0}) * geometry.ColumnStep + geometry.HexSlant;
  const int height =
      std::max(document.MapHeight, int16_t{0}) * geometry.RowStep + geometry.RowStep / 2;
  Picture picture(std::max(width, 1), std::max(height, 1));
  const int originX = geometry.ColumnStep;
  const int originY = geometry.RowStep;
  for (int x = 1; x <= document.MapWidth; ++x) {
    for (int y = 1; y <= document.MapHeight; ++y) {
      int tile = document.Tile(x, y);
      if (!editor.Tiles.IsTile(tile)) continue;
      PixelPoint origin = HexToPixel(geometry, x, y);
      // Tiles are black outside the hex, so OR joins neighbours seamlessly.
      picture.Or(origin.left - originX, origin.top - originY, editor.TileSheet,
                 (tile % 16) * geometry.HexPixelWidth, (tile / 16) * geometry.HexPixelHeight,
                 geometry.HexPixelWidth, geometry.HexPixelHeight);
    }
  }
  return picture;
}

MapPreviewWidget::MapPreviewWidget(QWidget* parent) : QWidget(parent) {}

void MapPreviewWidget::SetPicture(const Picture& picture) {
  image_ = picture.Image();
  setFixedSize(image_.size());
  update();
}

void MapPreviewWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  painter.drawImage(0, 0, image_);
}

}  // namespace korv
