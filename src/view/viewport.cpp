#include "view/viewport.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <limits>
#include <new>

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

// Steps of room the buffer's store keeps on each side of it. A run of
// one-step scrolls one way moves the buffer back across the store (one copy
// of it) every 2 * kStoreSteps steps.
constexpr int kStoreSteps = 4;

size_t StoreIndex(const ViewBufferStore& store, int left, int top) {
  return static_cast<size_t>(top) * static_cast<size_t>(store.Width) + static_cast<size_t>(left);
}

Picture StoreWindow(const ViewBufferStore& store, int left, int top, int width, int height) {
  return Picture::Window(store.Pixels, store.Count, StoreIndex(store, left, top), width, height,
                         store.Width);
}

// A store for a buffer of width x height with kStoreSteps steps of room on
// each side, the buffer in its middle; empty when it would be too large or
// there is no memory for it (the buffer is then a picture of its own). Its
// pixels are not cleared: a full redraw fills the buffer, and a shift
// clears the strip it brings in.
ViewBufferStore MakeStore(const HexGeometry& geometry, int64_t width, int64_t height) {
  const int64_t roomX = int64_t{kStoreSteps} * geometry.ColumnStep;
  const int64_t roomY = int64_t{kStoreSteps} * geometry.RowStep;
  const int64_t storeWidth = width + 2 * roomX, storeHeight = height + 2 * roomY;
  // One row more, so that every row of a window lies wholly in the store.
  const int64_t count = storeWidth * (storeHeight + 1);
  if (storeWidth > kMaxViewBufferSide || storeHeight > kMaxViewBufferSide ||
      count > kMaxViewBufferPixels) {
    return {};
  }
  ViewBufferStore store;
  store.Pixels =
      std::shared_ptr<uint32_t[]>(new (std::nothrow) uint32_t[static_cast<size_t>(count)]);
  if (!store.Pixels) return {};
  store.Count = static_cast<size_t>(count);
  store.Width = static_cast<int>(storeWidth);
  store.Height = static_cast<int>(storeHeight);
  store.Left = static_cast<int>(roomX);
  store.Top = static_cast<int>(roomY);
  return store;
}

// Whether the buffer is its store's window at (Left, Top) and nothing else
// shares it, so that it may move within the store and be shown in place.
bool BufferInStore(const ViewState& view) {
  const ViewBufferStore& store = view.BufferStore;
  const QImage& image = view.ViewBuffer.Image();
  if (!store.Pixels || image.isNull() || !image.isDetached()) return false;
  const auto* first = store.Pixels.get() + StoreIndex(store, store.Left, store.Top);
  return image.constBits() == reinterpret_cast<const uchar*>(first) &&
         image.bytesPerLine() == static_cast<qsizetype>(store.Width) * 4;
}

// Moves the buffer's picture by (dx, dy) pixels: afterwards buffer pixel
// (bx, by) shows what (bx + dx, by + dy) showed. In its store the buffer only
// changes its place; at the store's edge what stays in view is first copied
// to the far side, so the next steps the same way have the whole room. The
// strip that comes in is left for the caller to clear.
void ShiftBuffer(ViewState& view, int dx, int dy) {
  Picture& buffer = view.ViewBuffer;
  const int width = buffer.Width(), height = buffer.Height();
  const int keptX = std::max(-dx, 0), keptY = std::max(-dy, 0);  // where the kept part goes
  const int keptWidth = width - std::abs(dx), keptHeight = height - std::abs(dy);
  if (!BufferInStore(view)) {
    buffer.Copy(keptX, keptY, buffer, keptX + dx, keptY + dy, keptWidth, keptHeight);
    return;
  }
  ViewBufferStore& store = view.BufferStore;
  int left = store.Left + dx, top = store.Top + dy;
  if (left < 0 || top < 0 || left + width > store.Width || top + height > store.Height) {
    const int toLeft = left < 0 ? store.Width - width : left + width > store.Width ? 0 : left;
    const int toTop = top < 0 ? store.Height - height : top + height > store.Height ? 0 : top;
    Picture whole = StoreWindow(store, 0, 0, store.Width, store.Height);
    whole.Copy(toLeft + keptX, toTop + keptY, whole, store.Left + keptX + dx,
               store.Top + keptY + dy, keptWidth, keptHeight);
    left = toLeft;
    top = toTop;
  }
  store.Left = left;
  store.Top = top;
  buffer = StoreWindow(store, left, top, width, height);
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
    view.BufferStore = {};
    view.ViewBuffer = Picture(shown(view.ViewPixelWidth), shown(view.ViewPixelHeight));
    view.ViewBufferWidth = view.ViewBuffer.Width();
    view.ViewBufferHeight = view.ViewBuffer.Height();
    view.ViewScreen = Picture(view.ViewBuffer.Width(), view.ViewBuffer.Height());
    view.ScreenIsWindow = false;
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
  ViewBufferStore store = MakeStore(geometry, width, height);
  Picture buffer = store.Pixels ? StoreWindow(store, store.Left, store.Top, static_cast<int>(width),
                                              static_cast<int>(height))
                                : Picture(static_cast<int>(width), static_cast<int>(height));
  if (buffer.IsNull()) {
    DropViewBuffer(view);
    editor.Ui.Message("There is not enough memory for a view buffer of " + std::to_string(width) +
                      " x " + std::to_string(height) + " pixels.");
    return false;
  }
  view.ViewBuffer = std::move(buffer);
  view.BufferStore = std::move(store);
  view.ViewBufferWidth = static_cast<int32_t>(width);
  view.ViewBufferHeight = static_cast<int32_t>(height);
  // The present makes the screen.
  view.ViewScreen = Picture();
  view.ScreenIsWindow = false;
  RedrawBuffers(editor, resources, switches, view);
  return true;
}

void BlitPic1(const HexGeometry& geometry, ViewState& view, const PixelRect* area) {
  view.PresentedArea.reset();
  if (IsOverview(view)) {
    view.ViewScreen = view.ViewBuffer;
    view.ScreenIsWindow = false;
    view.ScreenMarked = false;
    if (view.OnPresent) view.OnPresent();
    return;
  }
  const int width = std::max(view.ViewPixelWidth, 0);
  const int height = std::max(view.ViewPixelHeight, 0);
  const auto clipped = [&] {
    const int left = std::max(area->x, 0), top = std::max(area->y, 0);
    const int right = std::min(area->x + area->width, width);
    const int bottom = std::min(area->y + area->height, height);
    return PixelRect{left, top, std::max(right - left, 0), std::max(bottom - top, 0)};
  };
  if (width > 0 && height > 0 && BufferInStore(view) &&
      geometry.ColumnStep + width <= view.ViewBuffer.Width() &&
      geometry.RowStep + height <= view.ViewBuffer.Height()) {
    // The screen is the buffer's own pixels: nothing is copied. A new
    // window each time, so what was handed out before keeps its own key.
    const ViewBufferStore& store = view.BufferStore;
    const int left = store.Left + geometry.ColumnStep, top = store.Top + geometry.RowStep;
    const bool showing =
        view.ScreenIsWindow && !view.ScreenMarked && view.ViewScreen.Width() == width &&
        view.ViewScreen.Height() == height &&
        view.ViewScreen.Image().constBits() ==
            reinterpret_cast<const uchar*>(store.Pixels.get() + StoreIndex(store, left, top));
    view.ViewScreen = StoreWindow(store, left, top, width, height);
    view.ScreenIsWindow = true;
    view.ScreenMarked = false;
    if (area && showing) view.PresentedArea = clipped();
    if (view.OnPresent) view.OnPresent();
    return;
  }
  // A window would show later drawing on the buffer or its store: the
  // screen gets pixels of its own.
  if (view.ScreenIsWindow) {
    view.ViewScreen = Picture();
    view.ScreenIsWindow = false;
  }
  const bool sameSize = view.ViewScreen.Width() == width && view.ViewScreen.Height() == height;
  if (area && sameSize && !view.ScreenMarked) {
    // The rest of the screen already shows the buffer.
    const PixelRect shown = clipped();
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
  ShiftBuffer(view, -step, 0);
  buffer.FillBlack(0, 0, step, buffer.Height());
  DrawHexes(editor, resources, switches, view,
            ColumnStrip(view.ViewLeft - 1, view, editor.Document));
}

void ScrollRight(const Editor& editor, const HexDrawingResources& resources,
                 const DrawSwitches& switches, ViewState& view) {
  Picture& buffer = view.ViewBuffer;
  const int step = editor.Geometry.ColumnStep;
  ShiftBuffer(view, step, 0);
  buffer.FillBlack(buffer.Width() - step, 0, step, buffer.Height());
  const int column = std::min<int>(view.ViewLeft + view.ViewColumns + 1, editor.Document.MapWidth);
  DrawHexes(editor, resources, switches, view, ColumnStrip(column, view, editor.Document));
}

void ScrollUp(const Editor& editor, const HexDrawingResources& resources,
              const DrawSwitches& switches, ViewState& view) {
  Picture& buffer = view.ViewBuffer;
  const int step = editor.Geometry.RowStep;
  ShiftBuffer(view, 0, -step);
  buffer.FillBlack(0, 0, buffer.Width(), step);
  DrawHexes(editor, resources, switches, view, RowStrip(view.ViewTop - 1, view, editor.Document));
}

void ScrollDown(const Editor& editor, const HexDrawingResources& resources,
                const DrawSwitches& switches, ViewState& view) {
  Picture& buffer = view.ViewBuffer;
  const int step = editor.Geometry.RowStep;
  ShiftBuffer(view, 0, step);
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
