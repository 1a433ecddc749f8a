// Fixtures for the map view tests, built by code: a hex shape whose copies
// tile the plane exactly, a tile sheet and overlay pictures drawn in that
// shape, a small map with every kind of mark, and a pixel-by-pixel reference
// composition of the view buffer written straight from the drawing rules.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "editor/editor.h"
#include "platform/interaction.h"
#include "platform/random.h"
#include "support/test_folder.h"
#include "view/hex_drawing.h"
#include "editing/map_editor.h"
#include "view/view_state.h"

namespace korv::test {

// Geometries the tests run with; both tile exactly (HexPixelWidth =
// ColumnStep + HexSlant, HexPixelHeight = RowStep, RowStep even).
HexGeometry DefaultGeometry();  // 60 x 50, flat 30: steps 45 and 50
HexGeometry LargerGeometry();   // 64 x 56, flat 32: steps 48 and 56

// Whether pixel (u, v) of a hex picture belongs to the hex. Every pixel of
// the plane belongs to exactly one hex of the grid, so hexes drawn in any
// order give the same picture.
bool InsideHex(const HexGeometry& geometry, int u, int v);

// Colours the fixtures use, so tests can name what they expect.
uint32_t TileColour(int tile, int u, int v);
uint32_t FlagColour(int strip, int nation, int a, int b);  // strip 0 large, 1 medium, 2 small
constexpr uint32_t kOutlineColour = 0x00e000;
constexpr uint32_t kBlueColour = 0x0000ff;
constexpr uint32_t kPrimaryColour = 0xff4000;
constexpr uint32_t kOilColour = 0x603090;

// The tile sheet: 16 tiles a row, `rows` rows, each tile coloured inside the hex.
Picture MakeTileSheet(const HexGeometry& geometry, int rows);
// Overlay pictures and flag strips for `nationCount` nations.
HexDrawingResources MakeResources(const HexGeometry& geometry, int nationCount);

// An editor, the drawing resources and the view state, with a small map.
struct ViewWorld {
  explicit ViewWorld(const HexGeometry& geometry = DefaultGeometry(), int mapWidth = 9,
                     int mapHeight = 8);

  RecordingInteraction ui;
  SeededRandom random;
  Editor editor;
  HexDrawingResources resources;
  DrawSwitches switches;
  ViewState view;
  int presents = 0;  // calls of the view's OnPresent

  MapDocument& Document() { return editor.Document; }
  // Fills the map with tiles, owners with every objective mark, deployment
  // marks, roads and railroads, also in column 0 and row 0.
  void FillSampleMap();
  // A view of (columns + 1) x (rows + 1) hexes at (left, top), sized as the
  // window layout sizes it, with its buffer created and drawn.
  void MakeView(int columns, int rows, int left = 1, int top = 1);
};

// A plain pixel array for the reference composition.
struct Canvas {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;

  Canvas(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h, 0) {}
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  uint32_t& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Composes hex (x, y) onto `canvas` (laid out as the view buffer at the
// world's ViewLeft and ViewTop) pixel by pixel, layer by layer.
void ReferenceHex(Canvas& canvas, const ViewWorld& world, int x, int y, int mode);
// The whole view buffer as a full redraw leaves it.
Canvas ReferenceRedraw(const ViewWorld& world);

// An editing session over a fresh game folder with a 10 x 9 hex map
// (columns 0..9, rows 0..8), the fixture tile sheet (32 tiles of terrain 1,
// none with a road) and drawing resources for three nations.
struct SessionWorld {
  explicit SessionWorld(uint64_t seed);

  TempFolder folder;
  RecordingInteraction ui;
  SeededRandom random;
  MapEditor session;
  int presents = 0;  // calls of the view's OnPresent

  MapDocument& Document() { return session.editor.Document; }
  // A view of (columns + 1) x (rows + 1) hexes at (left, top), with its buffer.
  void MakeView(int columns, int rows, int left = 1, int top = 1);
};

// Empty when `picture` equals `expected` in the rectangle (x, y, w, h) of the
// canvas (picture pixel (x + i - offsetX, ...) against canvas pixel (x + i, ...)),
// else the first differences.
std::string CompareWithCanvas(const Picture& picture, const Canvas& expected, int x, int y, int w,
                              int h, int offsetX = 0, int offsetY = 0);
// Empty when the two pictures agree in the rectangle, else the first differences.
std::string ComparePictures(const Picture& a, const Picture& b, int x, int y, int w, int h);

}  // namespace korv::test
