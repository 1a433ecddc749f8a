// Drawing of the overlay bitmaps (see overlays.h).
#include "overlays.h"

#include <cmath>
#include <functional>
#include <vector>

#include "hex_cell.h"
#include "tile_art.h"

namespace korv::demo {

namespace {

constexpr QRgb kMaskShows = 0xff000000u;
constexpr QRgb kMaskHides = 0xffffffffu;

// Lays cells side by side into a mask and a picture.
OverlayPair Strip(const std::vector<OverlayCell>& cells) {
  const int width = static_cast<int>(cells.size()) * kTileWidth;
  OverlayPair pair{QImage(width, kTileHeight, QImage::Format_RGB32),
                   QImage(width, kTileHeight, QImage::Format_RGB32)};
  pair.Mask.fill(kMaskHides);
  pair.Picture.fill(0xff000000u);
  for (size_t i = 0; i < cells.size(); ++i) {
    const int left = static_cast<int>(i) * kTileWidth;
    for (int y = 0; y < kTileHeight; ++y) {
      for (int x = 0; x < kTileWidth; ++x) {
        if (!cells[i].At(x, y)) continue;
        pair.Mask.setPixel(left + x, y, kMaskShows);
        pair.Picture.setPixel(left + x, y, 0xff000000u | Pack(cells[i].Picture.At(x, y)));
      }
    }
  }
  return pair;
}

// A marker shape given by its signed distance: the pixels whose centres lie
// inside show; the outermost pixel ring takes the outline colour.
OverlayCell Marker(const std::function<float(Point)>& distance,
                   const std::function<Colour(Point)>& fill, Colour outline) {
  OverlayCell cell;
  for (int y = 0; y < kTileHeight; ++y) {
    for (int x = 0; x < kTileWidth; ++x) {
      if (!InsideHex(x, y)) continue;
      const Point p{x + 0.5f, y + 0.5f};
      const float d = distance(p);
      if (d > 0) continue;
      cell.Set(x, y, d > -1.0f ? outline : fill(p));
    }
  }
  return cell;
}

// A see-through tint: every other pixel of the hex, with a solid rim.
OverlayCell Tint(Colour colour, bool rim) {
  OverlayCell cell;
  for (int y = 0; y < kTileHeight; ++y) {
    for (int x = 0; x < kTileWidth; ++x) {
      if (!InsideHex(x, y)) continue;
      const Point p{x + 0.5f, y + 0.5f};
      float border = 1e9f;
      for (int d = 1; d <= 6; ++d) border = std::min(border, DistanceToSide(p, d));
      if (rim && border < 2.0f)
        cell.Set(x, y, Mix(colour, Rgb(255, 255, 255), 0.25f));
      else if ((x + y) % 2 == 0)
        cell.Set(x, y, colour);
    }
  }
  return cell;
}

// Corners of a five-pointed star, from a table of directions.
std::vector<Point> Star(Point centre, float outer, float inner) {
  static constexpr float kDirections[10][2] = {
      {0.0f, -1.0f},       {0.5878f, -0.809f}, {0.9511f, -0.309f}, {0.9511f, 0.309f},
      {0.5878f, 0.809f},   {0.0f, 1.0f},       {-0.5878f, 0.809f}, {-0.9511f, 0.309f},
      {-0.9511f, -0.309f}, {-0.5878f, -0.809f}};
  // The table steps 36 degrees from straight up: the even entries are the
  // star's points, the odd ones the inner corners between them.
  std::vector<Point> corners;
  for (int i = 0; i < 10; ++i) {
    const float r = i % 2 == 0 ? outer : inner;
    corners.push_back(centre + Point{kDirections[i][0] * r, kDirections[i][1] * r});
  }
  return corners;
}

OverlayCell StarMarker(Point centre, float outer, Colour light, Colour dark, Colour outline) {
  const std::vector<Point> star = Star(centre, outer, outer * 0.42f);
  return Marker(
      [star](Point p) { return PolygonDistance(p, star); },
      [=](Point p) { return Mix(light, dark, Clamp01((p.y - centre.y + outer) / (2 * outer))); },
      outline);
}

OverlayCell Crosshair() {
  const Point c = HexCentre();
  return Marker(
      [c](Point p) {
        const float ring = std::fabs(Length(p - c) - 11.0f) - 1.2f;
        const float horizontal =
            std::max(std::fabs(p.y - c.y) - 1.2f, std::fabs(std::fabs(p.x - c.x) - 11.0f) - 6.0f);
        const float vertical =
            std::max(std::fabs(p.x - c.x) - 1.2f, std::fabs(std::fabs(p.y - c.y) - 11.0f) - 6.0f);
        return std::min(ring, std::min(horizontal, vertical));
      },
      [](Point) { return Rgb(250, 250, 250); }, Rgb(30, 30, 30));
}

OverlayCell OilMarker() {
  // An oil drop: a disc with a point on top, glossy black with a yellow rim.
  const Point centre{30.0f, 16.0f};
  const float r = 5.5f;
  const std::vector<Point> tip{{30.0f, 4.5f}, {34.6f, 13.4f}, {25.4f, 13.4f}};
  return Marker([=](Point p) { return std::min(Length(p - centre) - r, PolygonDistance(p, tip)); },
                [=](Point p) {
                  const float highlight = Length(p - (centre + Point{-2.0f, -2.0f}));
                  return highlight < 1.6f ? Rgb(150, 150, 160) : Rgb(22, 22, 26);
                },
                Rgb(248, 208, 40));
}

}  // namespace

QImage BlackHexMask() {
  QImage mask(kTileWidth, kTileHeight, QImage::Format_RGB32);
  for (int y = 0; y < kTileHeight; ++y)
    for (int x = 0; x < kTileWidth; ++x)
      mask.setPixel(x, y, InsideHex(x, y) ? kMaskShows : kMaskHides);
  return mask;
}

OverlayPair HexOutline() {
  OverlayCell cell;
  for (int y = 0; y < kTileHeight; ++y)
    for (int x = 0; x < kTileWidth; ++x)
      if (OnHexBorder(x, y)) cell.Set(x, y, Rgb(40, 40, 40));
  return Strip({cell});
}

OverlayPair EffectStrip() {
  std::vector<OverlayCell> cells;
  cells.push_back(Tint(Rgb(230, 40, 40), true));   // 0 red highlight
  cells.push_back(Tint(Rgb(40, 200, 60), true));   // 1 green highlight
  cells.push_back(Tint(Rgb(240, 220, 40), true));  // 2 yellow highlight
  cells.push_back(Crosshair());                    // 3 target
  cells.push_back(StarMarker({30, 14}, 7.0f, Rgb(250, 250, 250), Rgb(160, 170, 184),
                             Rgb(40, 44, 52)));  // 4 secondary objective
  cells.push_back(StarMarker({30, 14}, 9.0f, Rgb(255, 236, 120), Rgb(214, 150, 20),
                             Rgb(70, 40, 0)));     // 5 primary objective
  cells.push_back(Tint(Rgb(0, 0, 0), false));      // 6 shade (darkens the hex)
  cells.push_back(Tint(Rgb(40, 110, 255), true));  // 7 blue highlight
  cells.push_back(OilMarker());                    // 8 oil resource
  return Strip(cells);
}

OverlayPair RoadStrip() {
  std::vector<OverlayCell> cells;
  for (int d = 1; d <= 6; ++d) cells.push_back(RoadArm(d));
  return Strip(cells);
}

OverlayPair RailStrip() {
  std::vector<OverlayCell> cells;
  for (int d = 1; d <= 6; ++d) cells.push_back(RailArm(d));
  return Strip(cells);
}

QImage RoadSideStrip() {
  // Digits 1..6 in a 3 x 5 pixel font, drawn twice as large.
  static constexpr const char* kDigits[6][5] = {
      {".#.", "##.", ".#.", ".#.", "###"}, {"###", "..#", "###", "#..", "###"},
      {"###", "..#", "###", "..#", "###"}, {"#.#", "#.#", "###", "..#", "..#"},
      {"###", "#..", "###", "..#", "###"}, {"###", "#..", "###", "#.#", "###"}};
  QImage strip(6 * kTileWidth, kTileHeight, QImage::Format_RGB32);
  strip.fill(0xff000000u);
  for (int d = 1; d <= 6; ++d) {
    Canvas canvas(kTileWidth, kTileHeight);
    const Point centre = HexCentre();
    const Point m = SideMidpoint(d);
    canvas.ForEachPixel([&](int x, int y, Colour& colour) {
      if (!InsideHex(x, y)) return;
      const Point p{x + 0.5f, y + 0.5f};
      colour = Mix(Rgb(58, 66, 78), Rgb(44, 50, 60), p.y / kTileHeight);
      if (OnHexBorder(x, y)) colour = Rgb(120, 130, 144);
      if (DistanceToSide(p, d) < 2.5f) colour = Rgb(250, 206, 60);
    });
    // An arrow from the centre to the side.
    const Point direction = (m - centre) * (1.0f / Length(m - centre));
    const Point across{-direction.y, direction.x};
    const Point shaft[] = {centre + direction * 2.0f, m - direction * 8.0f};
    canvas.StrokePath(shaft, 1.2f, Rgb(250, 206, 60));
    const Point head[] = {m - direction * 3.5f, m - direction * 10.0f + across * 4.5f,
                          m - direction * 10.0f - across * 4.5f};
    canvas.FillPolygon(head, Rgb(250, 206, 60));
    // The side's number on the far side of the centre.
    const Point label = centre - direction * 11.0f;
    const int left = static_cast<int>(std::floor(label.x)) - 3;
    const int top = static_cast<int>(std::floor(label.y)) - 5;
    for (int row = 0; row < 5; ++row)
      for (int column = 0; column < 3; ++column)
        if (kDigits[d - 1][row][column] == '#')
          canvas.FillRect(static_cast<float>(left + 2 * column), static_cast<float>(top + 2 * row),
                          2, 2, Rgb(240, 240, 240));
    ClipToHex(canvas);
    canvas.CopyInto(strip, (d - 1) * kTileWidth, 0);
  }
  return strip;
}

QImage SideSelector(bool set) {
  constexpr int kSize = 16;
  QImage picture(kSize, kSize, QImage::Format_RGB32);
  picture.fill(0xffd8d8d8u);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const float dx = x + 0.5f - kSize / 2.0f;
      const float dy = y + 0.5f - kSize / 2.0f;
      const float r = std::sqrt(dx * dx + dy * dy);
      if (r <= 6.5f && r >= 5.0f) picture.setPixel(x, y, 0xff404040u);
      if (set && r < 5.0f) picture.setPixel(x, y, 0xff2e9e44u);
    }
  }
  return picture;
}

}  // namespace korv::demo
