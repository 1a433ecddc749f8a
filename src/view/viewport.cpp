#include "view/viewport.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/interaction.h"
#include "view/overview.h"

namespace korv {

namespace {

// Largest view buffer the editor makes: each side, and in all (1 GiB of
// 32-bit pixels). The layout keeps real windows far below both.
constexpr int64_t kMaxViewBufferSide = 65535;
constexpr int64_t kMaxViewBufferPixels = int64_t{1} << 28;

// Floor of a / b for b > 0.
int64_t FloorDiv(int64_t a, int64_t b) {
  int64_t q = a / b;
  if (a % b != 0 && a < 0) --q;
  return q;
}

// n / 2 rounded half to even.
int64_t HalfRoundedToEven(int64_t n) {
  int64_t q = FloorDiv(n, 2);
  if (n % 2 != 0 && q % 2 != 0) ++q;
  return q;
}

int32_t RoundToLong(double value) {
  const double rounded = std::nearbyint(value);  // half to even
  return static_cast<int32_t>(std::clamp(rounded, double{std::numeric_limits<int32_t>::min()},
                                         double{std::numeric_limits<int32_t>::max()}));
}

void DrawHexes(const Editor& editor, const HexDrawingResources& resources,
               const DrawSwitches& switches, ViewState& view, const HexRange& range) {
  ForEachHex(range, [&](int x, int y) {
    Print_hex(editor, resources, switches, view, x, y,
              HexDrawMode(editor.Settings, switches, x, y));
  });
}

// Column x of the strips: rows ViewTop - 1 .. ViewTop + ViewRows + 1 within the map.
HexRange ColumnStrip(int x, const ViewState& view, const MapDocument& document) {
  if (x < 0 || x > document.MapWidth) return {};
  return {x, x, std::max(0, view.ViewTop - 1),
          std::min<int>(view.ViewTop + view.ViewRows + 1, document.MapHeight)};
}

// Row y of the strips: columns ViewLeft - 1 .. ViewLeft + ViewColumns + 1 within the map.
HexRange RowStrip(int y, const ViewState& view, const MapDocument& document) {
  if (y < 0 || y > document.MapHeight) return {};
  return {std::max(0, view.ViewLeft - 1),
          std::min<int>(view.ViewLeft + view.ViewColumns + 1, document.MapWidth), y, y};
}

void DropViewBuffer(ViewState& view) {
  view.ViewBuffer = Picture();
  view.ViewBufferWidth = 0;
  view.ViewBufferHeight = 0;
}

ScrollOutcome ScrollChange(const Editor& editor, const HexDrawingResources& resources,
                           const DrawSwitches& switches, ViewState& view, int newValue,
                           bool horizontal) {
  if (view.CentringView) return ScrollOutcome::kIgnored;
  const ScrollBarRange range = horizontal ? HorizontalScrollRange(view) : VerticalScrollRange(view);
  newValue = std::clamp(newValue, range.minimum, range.maximum);
  int32_t& position = horizontal ? view.ViewLeft : view.ViewTop;
  const int64_t step = int64_t{position} - newValue;
  position = newValue;
  ScrollOutcome outcome = ScrollOutcome::kPresented;
  if ((step == 1 || step == -1) && !IsOverview(view)) {
    if (horizontal) {
      step == 1 ? ScrollLeft(editor, resources, switches, view)
                : ScrollRight(editor, resources, switches, view);
    } else {
      step == 1 ? ScrollUp(editor, resources, switches, view)
                : ScrollDown(editor, resources, switches, view);
    }
    outcome = ScrollOutcome::kShifted;
  } else if (step != 0) {
    // RedrawBuffers presents as well.
    RedrawBuffers(editor, resources, switches, view);
    return ScrollOutcome::kRedrawn;
  }
  BlitPic1(editor.Geometry, view);
  return outcome;
}

}  // namespace

std::string CheckViewGeometry(const HexGeometry& geometry) {
  if (geometry.ColumnStep >= 1 && geometry.RowStep >= 1 && geometry.HexPixelWidth >= 1 &&
      geometry.HexPixelHeight >= 1) {
    return {};
  }
  return "The hex geometry of data/hex_info.txt (width " + std::to_string(geometry.HexPixelWidth) +
         ", height " + std::to_string(geometry.HexPixelHeight) + ", flat width " +
         std::to_string(geometry.HexFlatWidth) + ") gives a column step of " +
         std::to_string(geometry.ColumnStep) + " and a row step of " +
         std::to_string(geometry.RowStep) +
         " pixels; the map view needs hexes and steps of at least 1 pixel.";
}

HexPosition pixel_hex(const HexGeometry& geometry, const MapDocument& document, int32_t X,
                      int32_t Y) {
  if (geometry.ColumnStep < 1 || geometry.RowStep < 1) return {0, 0};
  int64_t hx = FloorDiv(X, geometry.ColumnStep);
  int64_t y = Y;
  if (IsLowerColumn(hx)) y -= geometry.RowStep / 2;
  int64_t hy = FloorDiv(y, geometry.RowStep);
  if (hx < 0) hx = 0;
  if (hy < 0) hy = 0;
  if (hx > document.MapWidth) hx = document.MapWidth;
  if (hy > document.MapHeight) hy = document.MapHeight;
  return {static_cast<int>(hx), static_cast<int>(hy)};
}

PixelPoint ViewToMapPixel(const HexGeometry& geometry, const ViewState& view, double vx,
                          double vy) {
  return {RoundToLong(vx + static_cast<double>(geometry.ColumnStep) * view.ViewLeft),
          RoundToLong(vy + static_cast<double>(geometry.RowStep) * view.ViewTop)};
}

HexPosition ViewPixelToHex(const HexGeometry& geometry, const ViewState& view,
                           const MapDocument& document, double vx, double vy) {
  const PixelPoint map = ViewToMapPixel(geometry, view, vx, vy);
  return pixel_hex(geometry, document, map.left, map.top);
}

bool CreateViewBuffer(const Editor& editor, const HexDrawingResources& resources,
                      const DrawSwitches& switches, ViewState& view) {
  const HexGeometry& geometry = editor.Geometry;
  if (std::string problem = CheckViewGeometry(geometry); !problem.empty()) {
    DropViewBuffer(view);
    editor.Ui.Message(problem);
    return false;
  }
  if (IsOverview(view)) {
    // The buffer is the shown picture itself.
    const auto shown = [&view](int32_t pixels) {
      return static_cast<int>(std::ceil(std::max(pixels, 0) * view.DrawScale));
    };
    view.ViewBuffer = Picture(shown(view.ViewPixelWidth), shown(view.ViewPixelHeight));
    view.ViewBufferWidth = view.ViewBuffer.Width();
    view.ViewBufferHeight = view.ViewBuffer.Height();
    view.ViewScreen = Picture(view.ViewBuffer.Width(), view.ViewBuffer.Height());
    RedrawBuffers(editor, resources, switches, view);
    return true;
  }
  const int64_t columns = std::max(view.ViewColumns, 0);
  const int64_t rows = std::max(view.ViewRows, 0);
  const int64_t width =
      columns * geometry.ColumnStep + 2 * int64_t{geometry.ColumnStep} + geometry.HexPixelWidth;
  // (rows + 1) * RowStep + 2.5 * HexPixelHeight, rounded half to even.
  const int64_t height =
      HalfRoundedToEven(2 * (rows + 1) * geometry.RowStep + 5 * int64_t{geometry.HexPixelHeight});
  if (width > kMaxViewBufferSide || height > kMaxViewBufferSide ||
      width * height > kMaxViewBufferPixels) {
    DropViewBuffer(view);
    editor.Ui.Message("A map view of " + std::to_string(columns + 1) + " x " +
                      std::to_string(rows + 1) + " hexes needs a view buffer of " +
                      std::to_string(width) + " x " + std::to_string(height) +
                      " pixels, more than the editor can make.");
    return false;
  }
  Picture buffer(static_cast<int>(width), static_cast<int>(height));
  if (buffer.IsNull()) {
    DropViewBuffer(view);
    editor.Ui.Message("There is not enough memory for a view buffer of " + std::to_string(width) +
                      " x " + std::to_string(height) + " pixels.");
    return false;
  }
  view.ViewBuffer = std::move(buffer);
  view.ViewBufferWidth = static_cast<int32_t>(width);
  view.ViewBufferHeight = static_cast<int32_t>(height);
  view.ViewScreen = Picture(std::max(view.ViewPixelWidth, 0), std::max(view.ViewPixelHeight, 0));
  RedrawBuffers(editor, resources, switches, view);
  return true;
}

void BlitPic1(const HexGeometry& geometry, ViewState& view, const PixelRect* area) {
  view.PresentedArea.reset();
  if (IsOverview(view)) {
    view.ViewScreen = view.ViewBuffer;
    view.ScreenMarked = false;
    if (view.OnPresent) view.OnPresent();
    return;
  }
  const int width = std::max(view.ViewPixelWidth, 0);
  const int height = std::max(view.ViewPixelHeight, 0);
  const bool sameSize = view.ViewScreen.Width() == width && view.ViewScreen.Height() == height;
  if (area && sameSize && !view.ScreenMarked) {
    // The rest of the screen already shows the buffer.
    const int left = std::max(area->x, 0), top = std::max(area->y, 0);
    const int right = std::min(area->x + area->width, width);
    const int bottom = std::min(area->y + area->height, height);
    PixelRect shown{left, top, std::max(right - left, 0), std::max(bottom - top, 0)};
    view.ViewScreen.Copy(shown.x, shown.y, view.ViewBuffer, shown.x + geometry.ColumnStep,
                         shown.y + geometry.RowStep, shown.width, shown.height);
    view.PresentedArea = shown;
    if (view.OnPresent) view.OnPresent();
    return;
  }
  view.ScreenMarked = false;
  if (!sameSize) {
    view.ViewScreen = Picture(width, height);
  } else if (geometry.ColumnStep + width > view.ViewBuffer.Width() ||
             geometry.RowStep + height > view.ViewBuffer.Height()) {
    // What the buffer does not cover shows black, not the last picture.
    view.ViewScreen.Fill(0x000000);
  }
  view.ViewScreen.Copy(0, 0, view.ViewBuffer, geometry.ColumnStep, geometry.RowStep, width, height);
  if (view.OnPresent) view.OnPresent();
}

// The strip that comes in is cleared black before its hexes are drawn, as a
// full redraw would have it: otherwise the pixels beyond the map's last
// column would keep a shifted copy of the hex that stood there.
void ScrollLeft(const Editor& editor, const HexDrawingResources& resources,
                const DrawSwitches& switches, ViewState& view) {
  Picture& buffer = view.ViewBuffer;
  const int step = editor.Geometry.ColumnStep;
  buffer.Copy(step, 0, buffer, 0, 0, buffer.Width() - step, buffer.Height());
  buffer.FillBlack(0, 0, step, buffer.Height());
  DrawHexes(editor, resources, switches, view,
            ColumnStrip(view.ViewLeft - 1, view, editor.Document));
}

void ScrollRight(const Editor& editor, const HexDrawingResources& resources,
                 const DrawSwitches& switches, ViewState& view) {
  Picture& buffer = view.ViewBuffer;
  const int step = editor.Geometry.ColumnStep;
  buffer.Copy(0, 0, buffer, step, 0, buffer.Width() - step, buffer.Height());
  buffer.FillBlack(buffer.Width() - step, 0, step, buffer.Height());
  const int column = std::min<int>(view.ViewLeft + view.ViewColumns + 1, editor.Document.MapWidth);
  DrawHexes(editor, resources, switches, view, ColumnStrip(column, view, editor.Document));
}

void ScrollUp(const Editor& editor, const HexDrawingResources& resources,
              const DrawSwitches& switches, ViewState& view) {
  Picture& buffer = view.ViewBuffer;
  const int step = editor.Geometry.RowStep;
  buffer.Copy(0, step, buffer, 0, 0, buffer.Width(), buffer.Height() - step);
  buffer.FillBlack(0, 0, buffer.Width(), step);
  DrawHexes(editor, resources, switches, view, RowStrip(view.ViewTop - 1, view, editor.Document));
}

void ScrollDown(const Editor& editor, const HexDrawingResources& resources,
                const DrawSwitches& switches, ViewState& view) {
  Picture& buffer = view.ViewBuffer;
  const int step = editor.Geometry.RowStep;
  buffer.Copy(0, 0, buffer, 0, step, buffer.Width(), buffer.Height() - step);
  buffer.FillBlack(0, buffer.Height() - step, buffer.Width(), step);
  const int row = std::min<int>(view.ViewTop + view.ViewRows + 1, editor.Document.MapHeight);
  DrawHexes(editor, resources, switches, view, RowStrip(row, view, editor.Document));
}

ScrollOutcome HorizontalScroll_Change(const Editor& editor, const HexDrawingResources& resources,
                                      const DrawSwitches& switches, ViewState& view, int newValue) {
  return ScrollChange(editor, resources, switches, view, newValue, true);
}

ScrollOutcome VerticalScroll_Change(const Editor& editor, const HexDrawingResources& resources,
                                    const DrawSwitches& switches, ViewState& view, int newValue) {
  return ScrollChange(editor, resources, switches, view, newValue, false);
}

ScrollBarRange HorizontalScrollRange(const ViewState& view) {
  return {1, std::max(view.ScrollMaxX, 1), 10, 1};
}

ScrollBarRange VerticalScrollRange(const ViewState& view) {
  return {1, std::max(view.ScrollMaxY, 1), 10, 1};
}

void ResetViewForMap(ViewState& view, const MapDocument& document) {
  view.ViewLeft = 1;
  view.ViewTop = 1;
  view.ScrollMaxX = document.MapWidth - view.ViewColumns;
  view.ScrollMaxY = document.MapHeight - view.ViewRows;
}

}  // namespace korv
