// A small software canvas for the demo game's art: colours kept as floats,
// shapes filled from signed distances with one pixel of antialiasing, and
// hashed value noise for textures. Everything is plain arithmetic, so the
// pictures come out the same on every machine (no font or platform painter).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include <QImage>

namespace korv::demo {

struct Point {
  float x = 0;
  float y = 0;
};
inline Point operator+(Point a, Point b) {
  return {a.x + b.x, a.y + b.y};
}
inline Point operator-(Point a, Point b) {
  return {a.x - b.x, a.y - b.y};
}
inline Point operator*(Point a, float f) {
  return {a.x * f, a.y * f};
}
float Length(Point p);
Point Lerp(Point a, Point b, float t);

// Red, green and blue, 0..255.
struct Colour {
  float r = 0;
  float g = 0;
  float b = 0;
};
constexpr Colour Rgb(int r, int g, int b) {
  return {float(r), float(g), float(b)};
}
Colour Mix(Colour a, Colour b, float t);
Colour Scaled(Colour c, float factor);
// 0x00RRGGBB, rounded and clamped.
uint32_t Pack(Colour c);

float Clamp01(float v);
float SmoothStep(float edge0, float edge1, float v);

class Canvas {
 public:
  Canvas(int width, int height, Colour fill = {});

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  Colour& At(int x, int y) { return pixels_[static_cast<size_t>(y * width_ + x)]; }
  const Colour& At(int x, int y) const { return pixels_[static_cast<size_t>(y * width_ + x)]; }
  void Blend(int x, int y, Colour colour, float alpha);

  // Calls f(x, y, colour&) for every pixel.
  template <typename F>
  void ForEachPixel(F f) {
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) f(x, y, At(x, y));
  }

  // Paints `colour` where `distance(point)` (negative inside the shape) says,
  // within the box [left, right] x [top, bottom]; the border pixel is blended
  // by how much of it the shape covers.
  template <typename Distance>
  void FillDistance(float left, float top, float right, float bottom, Colour colour, float alpha,
                    Distance distance) {
    const int x0 = static_cast<int>(left) - 1;
    const int y0 = static_cast<int>(top) - 1;
    const int x1 = static_cast<int>(right) + 1;
    const int y1 = static_cast<int>(bottom) + 1;
    for (int y = y0; y <= y1; ++y) {
      for (int x = x0; x <= x1; ++x) {
        if (!Contains(x, y)) continue;
        const float d = distance(Point{x + 0.5f, y + 0.5f});
        const float coverage = Clamp01(0.5f - d);
        if (coverage > 0) Blend(x, y, colour, coverage * alpha);
      }
    }
  }

  void FillDisc(Point centre, float radius, Colour colour, float alpha = 1.0f);
  void FillEllipse(Point centre, float rx, float ry, Colour colour, float alpha = 1.0f);
  void FillPolygon(std::span<const Point> corners, Colour colour, float alpha = 1.0f);
  void FillRect(float x, float y, float w, float h, Colour colour, float alpha = 1.0f);
  void StrokePath(std::span<const Point> path, float halfWidth, Colour colour, float alpha = 1.0f);

  // Writes the canvas into `image` (RGB32) with its top left at (dx, dy).
  void CopyInto(QImage& image, int dx, int dy) const;

 private:
  int width_;
  int height_;
  std::vector<Colour> pixels_;
};

// Distance from p to the segment a-b; `along` receives how far along the
// segment the nearest point lies (0 at a, the segment's length at b).
float DistanceToSegment(Point p, Point a, Point b, float* along = nullptr);
// Distance from p to a polyline; `arcLength` receives the arc length of the
// nearest point measured from the first point.
float DistanceToPath(Point p, std::span<const Point> path, float* arcLength = nullptr);
// Signed distance to a closed polygon: negative inside.
float PolygonDistance(Point p, std::span<const Point> corners);
std::vector<Point> CubicBezier(Point a, Point b, Point c, Point d, int segments);
void PathBounds(std::span<const Point> path, float& left, float& top, float& right, float& bottom);

// Hashing and value noise; every value depends only on its arguments.
uint32_t Hash(uint32_t a, uint32_t b = 0, uint32_t c = 0);
float HashUnit(uint32_t a, uint32_t b = 0, uint32_t c = 0);  // [0, 1)
float ValueNoise(float x, float y, uint32_t seed);           // [0, 1)
float Fbm(float x, float y, uint32_t seed, int octaves);     // about [0, 1)

}  // namespace korv::demo
