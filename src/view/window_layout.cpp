#include "view/window_layout.h"

#include <algorithm>

namespace korv {

namespace {

// The map view's border: added to the size of the hexes it shows.
constexpr int kViewBorderWidth = 5;
constexpr int kViewBorderHeight = 4;
// Gap between the "Roads" label and the hex name box.
constexpr int kNameBoxGap = 40;

PixelRect At(int x, int y, PixelSize size) {
  return {x, y, size.width, size.height};
}

int Right(const PixelRect& rect) {
  return rect.x + rect.width;
}

int Bottom(const PixelRect& rect) {
  return rect.y + rect.height;
}

// How many steps of `step` pixels fit into `extent` (truncated), at least
// one and no more than `most`.
int64_t StepsThatFit(int64_t extent, int step, int64_t most) {
  return std::clamp<int64_t>(extent / step, 1, std::max<int64_t>(most, 1));
}

}  // namespace

std::optional<WindowLayout> Form_Resize(const WindowLayoutInput& input, const HexGeometry& geometry,
                                        const MapDocument& document, UserInteraction& ui) {
  if (input.inner.width <= 0) return std::nullopt;  // minimized
  if (std::string problem = CheckViewGeometry(geometry); !problem.empty()) {
    ui.Message(problem);
    return std::nullopt;
  }
  const int columnStep = geometry.ColumnStep;
  const int rowStep = geometry.RowStep;
  WindowLayout layout;

  // 1, 2. Status line at the top left, the map view below it, one column in.
  layout.statusLine = At(0, 0, input.statusLine);
  const int viewLeft = columnStep;
  const int viewTop = Bottom(layout.statusLine);

  // 3, 4. Whole columns and rows that fit beside the vertical scroll bar and
  // above the horizontal one; the width adds the last column's slant.
  const int64_t columns = StepsThatFit(
      int64_t{input.inner.width} - (input.verticalScrollBarWidth + 2 * int64_t{columnStep}),
      columnStep, (kMaxViewPixels - kViewBorderWidth - geometry.HexSlant) / columnStep);
  const int64_t rows =
      StepsThatFit(int64_t{input.inner.height} -
                       (input.horizontalScrollBarHeight + input.statusLine.height + rowStep),
                   rowStep, (kMaxViewPixels - kViewBorderHeight) / rowStep);
  // 5. The border.
  const int viewWidth =
      static_cast<int>(columns * columnStep + geometry.HexSlant) + kViewBorderWidth;
  const int viewHeight = static_cast<int>(rows * rowStep) + kViewBorderHeight;
  layout.mapView = {viewLeft, viewTop, viewWidth, viewHeight};

  // 6, 8. The view's inner size and what it shows.
  layout.ViewPixelWidth = std::max(viewWidth - 2 * input.viewFrame, 0);
  layout.ViewPixelHeight = std::max(viewHeight - 2 * input.viewFrame, 0);
  layout.ViewRows = viewHeight / rowStep - 1;
  layout.ViewColumns = viewWidth / columnStep - 1;
  layout.ScrollMaxX = document.MapWidth - layout.ViewColumns;
  layout.ScrollMaxY = document.MapHeight - layout.ViewRows;
  layout.horizontalRange = {1, std::max(layout.ScrollMaxX, 1), 10, 1};
  layout.verticalRange = {1, std::max(layout.ScrollMaxY, 1), 10, 1};

  // 9-11. Scroll bars along the view, the road-side strip below the horizontal one.
  layout.horizontalScrollBar = {viewLeft, Bottom(layout.mapView), viewWidth,
                                input.horizontalScrollBarHeight};
  layout.roadStrip = At(viewLeft, Bottom(layout.horizontalScrollBar), input.roadStrip);
  layout.verticalScrollBar = {Right(layout.mapView), viewTop, input.verticalScrollBarWidth,
                              viewHeight};

  // 12. Tool strip right of the status line, each button after the one before.
  const int toolTop = layout.statusLine.y;
  layout.blockFillButton = At(Right(layout.statusLine), toolTop, input.blockFillButton);
  layout.mapTilesButton = At(Right(layout.blockFillButton), toolTop, input.mapTilesButton);
  layout.clearSidesButton = At(Right(layout.mapTilesButton), toolTop, input.clearSidesButton);
  layout.deploymentButton = At(Right(layout.clearSidesButton), toolTop, input.deploymentButton);
  layout.autoTileButton = At(Right(layout.deploymentButton), toolTop, input.autoTileButton);
  layout.progressLabel =
      At(Right(layout.autoTileButton), layout.deploymentButton.y, input.progressLabel);

  // 13. Right of the road-side strip: the two road labels, the name box and its buttons.
  layout.roadsLabel = At(Right(layout.roadStrip), layout.roadStrip.y, input.roadsLabel);
  layout.railRoadsLabel = At(layout.roadsLabel.x, Bottom(layout.roadsLabel), input.railRoadsLabel);
  layout.hexNameBox =
      At(Right(layout.roadsLabel) + kNameBoxGap, layout.roadsLabel.y, input.hexNameBox);
  layout.renameButton = At(Right(layout.hexNameBox), layout.hexNameBox.y, input.renameButton);
  layout.clearButton = At(layout.renameButton.x, Bottom(layout.renameButton), input.clearButton);
  return layout;
}

void ApplyViewLayout(ViewState& view, const WindowLayout& layout) {
  view.DrawScale = 1.0;
  view.ViewPixelWidth = layout.ViewPixelWidth;
  view.ViewPixelHeight = layout.ViewPixelHeight;
  view.ViewLeft = 1;
  view.ViewTop = 1;
  view.ViewColumns = layout.ViewColumns;
  view.ViewRows = layout.ViewRows;
  view.ScrollMaxX = layout.ScrollMaxX;
  view.ScrollMaxY = layout.ScrollMaxY;
}

std::optional<WindowLayout> ResizeView(const Editor& editor, const HexDrawingResources& resources,
                                       const DrawSwitches& switches, ViewState& view,
                                       const WindowLayoutInput& input) {
  std::optional<WindowLayout> layout =
      Form_Resize(input, editor.Geometry, editor.Document, editor.Ui);
  if (!layout) return std::nullopt;
  ApplyViewLayout(view, *layout);
  CreateViewBuffer(editor, resources, switches, view);
  return layout;
}

}  // namespace korv
