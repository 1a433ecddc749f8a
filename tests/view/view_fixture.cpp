#include "view/view_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "view/viewport.h"

namespace korv::test {

namespace {

constexpr int kBlueX = 420;

// A pixel of `picture`, or nothing outside it: transfers from outside a
// picture leave the destination alone.
std::optional<uint32_t> SourceAt(const Picture& picture, int x, int y) {
  if (picture.IsNull() || x < 0 || y < 0 || x >= picture.Width() || y >= picture.Height()) {
    return std::nullopt;
  }
  return picture.PixelAt(x, y);
}

// One mask-and-picture overlay at one pixel.
void OverlayPixel(uint32_t& pixel, const Picture& mask, const Picture& picture, int sx, int sy) {
  if (auto m = SourceAt(mask, sx, sy)) pixel &= *m;
  if (auto p = SourceAt(picture, sx, sy)) pixel |= *p;
}

void Box(Picture& picture, int x, int y, int w, int h, uint32_t colour) {
  picture.FillRect({x, y, w, h}, colour);
}

// Mask black over (x, y, w, h), picture coloured one pixel inside it, so a
// missing AND leaves a visible margin of the pixels below.
void OverlayBox(Picture& mask, Picture& picture, int cellX, int x, int y, int w, int h,
                uint32_t colour, bool patterned = false) {
  Box(mask, cellX + x, y, w, h, 0x000000);
  for (int b = 1; b < h - 1; ++b) {
    for (int a = 1; a < w - 1; ++a) {
      uint32_t c = patterned ? colour | (static_cast<uint32_t>(a % 3) << 12) : colour;
      picture.SetPixel(cellX + x + a, y + b, c);
    }
  }
}

}  // namespace

HexGeometry DefaultGeometry() {
  return HexGeometry::FromSizes(60, 50, 30);
}

HexGeometry LargerGeometry() {
  return HexGeometry::FromSizes(64, 56, 32);
}

bool InsideHex(const HexGeometry& geometry, int u, int v) {
  const int slant = geometry.HexSlant;
  const int rowStep = geometry.RowStep;
  if (u < 0 || v < 0 || u >= geometry.HexPixelWidth || v >= geometry.HexPixelHeight) return false;
  // The right slant narrows towards the top and bottom edges.
  auto insideRight = [&](int s, int row) {
    return std::abs(2 * row - (rowStep - 1)) * slant < (slant - s) * rowStep;
  };
  if (u >= slant && u < geometry.ColumnStep) return true;
  if (u >= geometry.ColumnStep) return insideRight(u - geometry.ColumnStep, v);
  // The left slant is what the left neighbour's right slant leaves: that
  // neighbour stands half a row higher or lower.
  return !insideRight(u, (v + rowStep / 2) % rowStep);
}

uint32_t TileColour(int tile, int u, int v) {
  return ((static_cast<uint32_t>(0x20 + tile * 6) & 0xff) << 16) |
         ((static_cast<uint32_t>(u * 4) & 0xff) << 8) | ((0x80u | static_cast<uint32_t>(v)) & 0xff);
}

uint32_t FlagColour(int strip, int nation, int a, int b) {
  return ((static_cast<uint32_t>(0x30 + nation * 0x28) & 0xff) << 16) |
         ((static_cast<uint32_t>(a * 11) & 0xff) << 8) |
         (static_cast<uint32_t>(b * 17 + strip * 5 + 1) & 0xff);
}

Picture MakeTileSheet(const HexGeometry& geometry, int rows) {
  const int w = geometry.HexPixelWidth, h = geometry.HexPixelHeight;
  Picture sheet(16 * w, rows * h);
  for (int t = 0; t < 16 * rows; ++t) {
    for (int v = 0; v < h; ++v) {
      for (int u = 0; u < w; ++u) {
        if (InsideHex(geometry, u, v)) {
          sheet.SetPixel((t % 16) * w + u, (t / 16) * h + v, TileColour(t, u, v));
        }
      }
    }
  }
  return sheet;
}

HexDrawingResources MakeResources(const HexGeometry& geometry, int nationCount) {
  const int w = geometry.HexPixelWidth, h = geometry.HexPixelHeight, s = geometry.HexSlant;
  HexDrawingResources r;

  r.BlackHex = Picture(w, h);
  r.HexOutlineMask = Picture(w, h);
  r.HexOutlinePicture = Picture(w, h);
  r.HexOutlineMask.Fill(0xffffff);
  for (int v = 0; v < h; ++v) {
    for (int u = 0; u < w; ++u) {
      const bool inside = InsideHex(geometry, u, v);
      r.BlackHex.SetPixel(u, v, inside ? 0x000000 : 0xffffff);
      const bool ring =
          inside && (!InsideHex(geometry, u - 1, v) || !InsideHex(geometry, u + 1, v) ||
                     !InsideHex(geometry, u, v - 1) || !InsideHex(geometry, u, v + 1));
      if (ring) {
        r.HexOutlineMask.SetPixel(u, v, 0x000000);
        r.HexOutlinePicture.SetPixel(u, v, kOutlineColour);
      }
    }
  }

  // Effect cells in one row; cells overlapping the blue highlight's fixed
  // place are left to it.
  r.EffectMask = Picture(9 * w, h);
  r.EffectPicture = Picture(9 * w, h);
  r.EffectMask.Fill(0xffffff);
  for (int c = 0; c < 9; ++c) {
    if (c * w < kBlueX + w && kBlueX < (c + 1) * w) continue;
    if (c == kPrimaryObjectiveCell) {
      OverlayBox(r.EffectMask, r.EffectPicture, c * w, s + 2, 26, 20, 8, kPrimaryColour);
    } else if (c == kOilResourceCell) {
      OverlayBox(r.EffectMask, r.EffectPicture, c * w, s + 6, 36, 16, 8, kOilColour);
    } else {
      OverlayBox(r.EffectMask, r.EffectPicture, c * w, s + 1 + c, 2 + 2 * c, 12, 8,
                 0x100000u * static_cast<uint32_t>(c + 1) | 0x77);
    }
  }
  OverlayBox(r.EffectMask, r.EffectPicture, kBlueX, s + 3, 12, 24, 30, kBlueColour, true);

  r.RoadMask = Picture(6 * w, h);
  r.RoadPicture = Picture(6 * w, h);
  r.RailMask = Picture(6 * w, h);
  r.RailPicture = Picture(6 * w, h);
  r.RoadMask.Fill(0xffffff);
  r.RailMask.Fill(0xffffff);
  for (int d = 1; d <= 6; ++d) {
    const int cell = (d - 1) * w;
    OverlayBox(r.RoadMask, r.RoadPicture, cell, s + 4 * (d - 1), 5 + 6 * (d - 1), 6, 8,
               0x808000u + 0x10u * static_cast<uint32_t>(d));
    OverlayBox(r.RailMask, r.RailPicture, cell, s + 4 * (d - 1) + 2, 8 + 6 * (d - 1), 6, 8,
               0x404040u + 0x0c0000u * static_cast<uint32_t>(d));
  }

  const int sizes[3][2] = {{kLargeFlagWidth, kLargeFlagHeight},
                           {kMediumFlagWidth, kMediumFlagHeight},
                           {kSmallFlagWidth, kSmallFlagHeight}};
  Picture* strips[3] = {&r.LargeFlags, &r.MediumFlags, &r.SmallFlags};
  for (int k = 0; k < 3; ++k) {
    const int cw = sizes[k][0], ch = sizes[k][1];
    *strips[k] = Picture((nationCount + 1) * cw, ch);
    for (int n = 1; n <= nationCount; ++n) {
      for (int b = 0; b < ch; ++b) {
        for (int a = 0; a < cw; ++a) strips[k]->SetPixel(n * cw + a, b, FlagColour(k, n, a, b));
      }
    }
  }
  return r;
}

ViewWorld::ViewWorld(const HexGeometry& geometry, int mapWidth, int mapHeight)
    : editor(GameFolder("unused-game-folder"), ui, random) {
  editor.Geometry = geometry;
  editor.TileSheet = MakeTileSheet(geometry, 2);
  editor.Tiles.TileCount = 31;
  editor.Tiles.TerrainColours = {{0, 0, 0}, {10, 20, 30}, {200, 100, 50}, {1, 2, 3}};
  resources = MakeResources(geometry, 3);
  editor.Document.MapWidth = static_cast<int16_t>(mapWidth);
  editor.Document.MapHeight = static_cast<int16_t>(mapHeight);
  AllocateMapLayers(editor.Document);
  BuildHexPixelTable(editor.Document, geometry);
  view.OnPresent = [this] { ++presents; };
}

void ViewWorld::FillSampleMap() {
  MapDocument& d = editor.Document;
  for (int x = 0; x <= d.MapWidth; ++x) {
    for (int y = 0; y <= d.MapHeight; ++y) {
      d.Tile(x, y) = static_cast<int16_t>((x * 7 + y * 3) % 32);
      d.Terrain(x, y) = static_cast<uint8_t>((x + y) % 4);
    }
  }
  d.Tile(3, 2) = 40;  // beyond the sheet's two rows
  d.Tile(4, 4) = -1;
  d.Tile(5, 3) = 12;
  struct Control {
    int x, y, owner, mark;
  };
  const Control controls[] = {
      {1, 1, 1, 0}, {2, 1, 2, 1}, {3, 1, 3, 2}, {4, 1, 1, 3},
      {5, 1, 2, 4}, {1, 2, 5, 2},  // owner beyond the strips
      {2, 2, 0, 2},                // a mark without owner
      {0, 2, 2, 1}, {2, 0, 3, 3}, {3, 3, 4, 0}, {4, 2, 2, 0},
  };
  for (const Control& c : controls) {
    if (!d.Contains(c.x, c.y)) continue;
    d.Owner(c.x, c.y) = static_cast<uint8_t>(c.owner);
    d.Mark(c.x, c.y) = static_cast<uint8_t>(c.mark);
  }
  struct Deployment {
    int x, y, nation;
  };
  const Deployment deployments[] = {{1, 3, 1}, {2, 3, 2}, {3, 1, 3},
                                    {0, 1, 1}, {4, 3, 7}, {5, 2, -2}};
  for (const Deployment& p : deployments) {
    if (d.Contains(p.x, p.y)) d.Deployment(p.x, p.y) = static_cast<int16_t>(p.nation);
  }
  struct Link {
    int x, y, side, value;
  };
  const Link links[] = {{2, 2, 1, 1}, {2, 2, 3, 1}, {2, 2, 2, 2}, {3, 2, 1, 1}, {3, 2, 2, 2},
                        {3, 2, 3, 1}, {3, 2, 4, 2}, {3, 2, 5, 1}, {3, 2, 6, 2}, {1, 1, 5, 2},
                        {1, 1, 6, 1}, {0, 3, 2, 1}, {0, 3, 4, 2}, {4, 0, 1, 2}, {5, 5, 3, 3}};
  for (const Link& l : links) {
    if (d.Contains(l.x, l.y)) d.Data(l.x, l.y, l.side) = static_cast<uint8_t>(l.value);
  }
}

void ViewWorld::MakeView(int columns, int rows, int left, int top) {
  const HexGeometry& g = editor.Geometry;
  view.ViewColumns = columns;
  view.ViewRows = rows;
  // As the layout makes it: whole hexes plus the last slant, 5 and 4 pixels
  // of border, 2 of them a side inside the frame.
  view.ViewPixelWidth = (columns + 1) * g.ColumnStep + g.HexSlant + 1;
  view.ViewPixelHeight = (rows + 1) * g.RowStep;
  view.ScrollMaxX = editor.Document.MapWidth - columns;
  view.ScrollMaxY = editor.Document.MapHeight - rows;
  view.ViewLeft = left;
  view.ViewTop = top;
  CreateViewBuffer(editor, resources, switches, view);
}

void ReferenceHex(Canvas& canvas, const ViewWorld& world, int x, int y, int mode) {
  const Editor& editor = world.editor;
  const MapDocument& d = editor.Document;
  const HexGeometry& g = editor.Geometry;
  const EditorSettings& settings = editor.Settings;
  const DrawSwitches& sw = world.switches;
  const HexDrawingResources& r = world.resources;
  const int w = g.HexPixelWidth, h = g.HexPixelHeight;
  // Even columns stand half a row lower.
  const int px = x * g.ColumnStep - (world.view.ViewLeft - 1) * g.ColumnStep;
  const int py =
      y * g.RowStep + (x % 2 == 0 ? g.RowStep / 2 : 0) - (world.view.ViewTop - 1) * g.RowStep;
  const int tile = d.HexTile[d.Index(x, y)];
  const int owner = d.HexControl[d.Index(x, y, 0)];
  const int mark = d.HexControl[d.Index(x, y, 1)];
  const int deployment = d.HexDeployment[d.Index(x, y)];
  const int fx = settings.FlagOffsetX, fy = settings.FlagOffsetY;

  // Which flag is copied where, if any.
  const Picture* strip = nullptr;
  int nation = 0, cw = 0, ch = 0, flagU = fx;
  if (sw.EditMode == 1) {
    if (deployment > 0) strip = &r.MediumFlags, nation = deployment, cw = 20, ch = 13;
  } else if (owner > 0) {
    if (mark == 0 && settings.ShowRoadControl) {
      strip = &r.SmallFlags, nation = owner, cw = 9, ch = 9, flagU = fx + 5;
    } else if (mark == 1) {
      strip = &r.MediumFlags, nation = owner, cw = 20, ch = 13;
    } else if (mark == 2 || mark == 3) {
      strip = &r.LargeFlags, nation = owner, cw = 21, ch = 14;
    }
  }
  const int effectCell = sw.EditMode != 1 && owner > 0 ? (mark == 2 ? 5 : mark == 3 ? 8 : -1) : -1;

  const int uEnd = std::max(w, flagU + cw), vEnd = std::max(h, fy + ch);
  for (int v = 0; v < vEnd; ++v) {
    for (int u = 0; u < uEnd; ++u) {
      const int bx = px + u, by = py + v;
      if (!canvas.Contains(bx, by)) continue;
      uint32_t& pixel = canvas.At(bx, by);
      const bool inCell = u < w && v < h;
      if (inCell) {
        if (auto m = SourceAt(r.BlackHex, u, v)) pixel &= *m;
        if (x > 0 && y > 0) {
          if (auto t = SourceAt(editor.TileSheet, (tile % 16) * w + u, (tile / 16) * h + v)) {
            pixel |= *t;
          }
        }
        if (settings.HexOutlines) OverlayPixel(pixel, r.HexOutlineMask, r.HexOutlinePicture, u, v);
      }
      if (strip && u >= flagU && u < flagU + cw && v >= fy && v < fy + ch) {
        pixel = SourceAt(*strip, nation * cw + (u - flagU), v - fy).value_or(0x000000);
      }
      if (!inCell) continue;
      if (effectCell >= 0)
        OverlayPixel(pixel, r.EffectMask, r.EffectPicture, effectCell * w + u, v);
      if (sw.RoadMode > 0) {
        for (int side = 1; side <= 6; ++side) {
          if (d.HexData[d.Index(x, y, side)] == 1) {
            OverlayPixel(pixel, r.RoadMask, r.RoadPicture, (side - 1) * w + u, v);
          }
        }
      }
      for (int side = 1; side <= 6; ++side) {
        if (d.HexData[d.Index(x, y, side)] == 2) {
          OverlayPixel(pixel, r.RailMask, r.RailPicture, (side - 1) * w + u, v);
        }
      }
      const bool selected = sw.SelectionLeft > 0 && sw.SelectionRight > 0 && sw.SelectionTop > 0 &&
                            sw.SelectionBottom > 0 && x >= sw.SelectionLeft &&
                            x <= sw.SelectionRight && y >= sw.SelectionTop &&
                            y <= sw.SelectionBottom;
      if (selected) OverlayPixel(pixel, r.EffectMask, r.EffectPicture, kBlueX + u, v);
      if (mode == 2) OverlayPixel(pixel, r.EffectMask, r.EffectPicture, kBlueX + u, v);
      if (sw.HighlightTile != -1 && tile == sw.HighlightTile) {
        OverlayPixel(pixel, r.EffectMask, r.EffectPicture, kBlueX + u, v);
      }
    }
  }
}

Canvas ReferenceRedraw(const ViewWorld& world) {
  const ViewState& v = world.view;
  const MapDocument& d = world.editor.Document;
  const EditorSettings& s = world.editor.Settings;
  Canvas canvas(v.ViewBuffer.Width(), v.ViewBuffer.Height());
  for (int x = std::max(0, v.ViewLeft - 1);
       x <= std::min<int>(v.ViewLeft + v.ViewColumns + 1, d.MapWidth); ++x) {
    for (int y = std::max(0, v.ViewTop - 2);
         y <= std::min<int>(v.ViewTop + v.ViewRows + 1, d.MapHeight); ++y) {
      const bool gridLine =
          world.switches.GridLines && ((s.GridWidth != 0 && x % s.GridWidth == 0) ||
                                       (s.GridHeight != 0 && y % s.GridHeight == 0));
      ReferenceHex(canvas, world, x, y, gridLine ? 2 : 0);
    }
  }
  return canvas;
}

std::string CompareWithCanvas(const Picture& picture, const Canvas& expected, int x, int y, int w,
                              int h, int offsetX, int offsetY) {
  std::ostringstream out;
  int differences = 0;
  for (int j = y; j < y + h; ++j) {
    for (int i = x; i < x + w; ++i) {
      const uint32_t want = expected.Contains(i, j) ? expected.At(i, j) : 0xdeadbeef;
      const uint32_t got = picture.PixelAt(i - offsetX, j - offsetY);
      if (got == want) continue;
      if (differences < 5) {
        out << std::hex << " at (" << std::dec << i << "," << j << ") got 0x" << std::hex << got
            << " want 0x" << want << ";";
      }
      ++differences;
    }
  }
  if (differences == 0) return {};
  return std::to_string(differences) + " pixels differ:" + out.str();
}

std::string ComparePictures(const Picture& a, const Picture& b, int x, int y, int w, int h) {
  std::ostringstream out;
  int differences = 0;
  for (int j = y; j < y + h; ++j) {
    for (int i = x; i < x + w; ++i) {
      if (a.PixelAt(i, j) == b.PixelAt(i, j)) continue;
      if (differences < 5) {
        out << " at (" << std::dec << i << "," << j << ") 0x" << std::hex << a.PixelAt(i, j)
            << " vs 0x" << b.PixelAt(i, j) << ";";
      }
      ++differences;
    }
  }
  if (differences == 0) return {};
  return std::to_string(differences) + " pixels differ:" + out.str();
}

SessionWorld::SessionWorld(uint64_t seed) : random(seed), session(folder.Game(), ui, random) {
  Editor& e = session.editor;
  e.Geometry = DefaultGeometry();
  e.TileSheet = MakeTileSheet(e.Geometry, 2);
  e.Tiles.TileCount = 31;
  e.Tiles.TileTerrain.assign(32, 1);
  e.Tiles.TileRoad.assign(32, 0);
  session.resources = MakeResources(e.Geometry, 3);
  e.Document.MapWidth = 9;
  e.Document.MapHeight = 8;
  AllocateMapLayers(e.Document);
  BuildHexPixelTable(e.Document, e.Geometry);
  session.view.OnPresent = [this] { ++presents; };
}

void SessionWorld::MakeView(int columns, int rows, int left, int top) {
  const HexGeometry& g = session.editor.Geometry;
  ViewState& v = session.view;
  v.ViewColumns = columns;
  v.ViewRows = rows;
  v.ViewPixelWidth = (columns + 1) * g.ColumnStep + g.HexSlant + 1;
  v.ViewPixelHeight = (rows + 1) * g.RowStep;
  v.ScrollMaxX = Document().MapWidth - columns;
  v.ScrollMaxY = Document().MapHeight - rows;
  v.ViewLeft = left;
  v.ViewTop = top;
  ASSERT_TRUE(CreateViewBuffer(session.editor, session.resources, session.switches, v));
}

}  // namespace korv::test
