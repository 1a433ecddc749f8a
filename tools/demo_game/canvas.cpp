// Software canvas, shape distances and noise for the demo game's art (see canvas.h).
#include "canvas.h"

#include <algorithm>
#include <cmath>

namespace korv::demo {

float Length(Point p) {
  return std::sqrt(p.x * p.x + p.y * p.y);
}
Point Lerp(Point a, Point b, float t) {
  return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

Colour Mix(Colour a, Colour b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Colour Scaled(Colour c, float factor) {
  return {c.r * factor, c.g * factor, c.b * factor};
}

uint32_t Pack(Colour c) {
  auto channel = [](float v) {
    const float rounded = std::floor(v + 0.5f);
    return static_cast<uint32_t>(std::clamp(rounded, 0.0f, 255.0f));
  };
  return (channel(c.r) << 16) | (channel(c.g) << 8) | channel(c.b);
}

float Clamp01(float v) {
  return std::clamp(v, 0.0f, 1.0f);
}
float SmoothStep(float edge0, float edge1, float v) {
  const float t = Clamp01((v - edge0) / (edge1 - edge0));
  return t * t * (3 - 2 * t);
}

Canvas::Canvas(int width, int height, Colour fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width * height), fill) {}

void Canvas::Blend(int x, int y, Colour colour, float alpha) {
  if (!Contains(x, y) || alpha <= 0) return;
  Colour& c = At(x, y);
  c = alpha >= 1 ? colour : Mix(c, colour, alpha);
}

void Canvas::FillDisc(Point centre, float radius, Colour colour, float alpha) {
  FillDistance(centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius, colour,
               alpha, [&](Point p) { return Length(p - centre) - radius; });
}

void Canvas::FillEllipse(Point centre, float rx, float ry, Colour colour, float alpha) {
  const float smaller = std::min(rx, ry);
  FillDistance(centre.x - rx, centre.y - ry, centre.x + rx, centre.y + ry, colour, alpha,
               [&](Point p) {
                 Point q = p - centre;
                 return (Length({q.x / rx, q.y / ry}) - 1.0f) * smaller;
               });
}

void Canvas::FillPolygon(std::span<const Point> corners, Colour colour, float alpha) {
  float left, top, right, bottom;
  PathBounds(corners, left, top, right, bottom);
  FillDistance(left, top, right, bottom, colour, alpha,
               [&](Point p) { return PolygonDistance(p, corners); });
}

void Canvas::FillRect(float x, float y, float w, float h, Colour colour, float alpha) {
  const Point corners[4] = {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}};
  FillPolygon(corners, colour, alpha);
}

void Canvas::StrokePath(std::span<const Point> path, float halfWidth, Colour colour, float alpha) {
  float left, top, right, bottom;
  PathBounds(path, left, top, right, bottom);
  FillDistance(left - halfWidth, top - halfWidth, right + halfWidth, bottom + halfWidth, colour,
               alpha, [&](Point p) { return DistanceToPath(p, path) - halfWidth; });
}

void Canvas::CopyInto(QImage& image, int dx, int dy) const {
  for (int y = 0; y < height_; ++y) {
    const int ty = dy + y;
    if (ty < 0 || ty >= image.height()) continue;
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(ty));
    for (int x = 0; x < width_; ++x) {
      const int tx = dx + x;
      if (tx < 0 || tx >= image.width()) continue;
      line[tx] = 0xff000000u | Pack(At(x, y));
    }
  }
}

float DistanceToSegment(Point p, Point a, Point b, float* along) {
  const Point ab = b - a;
  const Point ap = p - a;
  const float lengthSquared = ab.x * ab.x + ab.y * ab.y;
  float t = lengthSquared > 0 ? (ap.x * ab.x + ap.y * ab.y) / lengthSquared : 0.0f;
  t = Clamp01(t);
  if (along) *along = t * std::sqrt(lengthSquared);
  return Length(p - (a + ab * t));
}

float DistanceToPath(Point p, std::span<const Point> path, float* arcLength) {
  if (path.size() == 1) {
    if (arcLength) *arcLength = 0;
    return Length(p - path[0]);
  }
  float best = 1e9f;
  float travelled = 0;
  for (size_t i = 0; i + 1 < path.size(); ++i) {
    float along = 0;
    const float d = DistanceToSegment(p, path[i], path[i + 1], &along);
    if (d < best) {
      best = d;
      if (arcLength) *arcLength = travelled + along;
    }
    travelled += Length(path[i + 1] - path[i]);
  }
  return best;
}

float PolygonDistance(Point p, std::span<const Point> corners) {
  float best = 1e9f;
  bool inside = false;
  const size_t n = corners.size();
  for (size_t i = 0, j = n - 1; i < n; j = i++) {
    const Point a = corners[j];
    const Point b = corners[i];
    best = std::min(best, DistanceToSegment(p, a, b));
    if ((b.y > p.y) != (a.y > p.y) && p.x < (a.x - b.x) * (p.y - b.y) / (a.y - b.y) + b.x)
      inside = !inside;
  }
  return inside ? -best : best;
}

std::vector<Point> CubicBezier(Point a, Point b, Point c, Point d, int segments) {
  std::vector<Point> points;
  points.reserve(static_cast<size_t>(segments + 1));
  for (int i = 0; i <= segments; ++i) {
    const float t = static_cast<float>(i) / static_cast<float>(segments);
    const float u = 1 - t;
    const float wa = u * u * u, wb = 3 * u * u * t, wc = 3 * u * t * t, wd = t * t * t;
    points.push_back(
        {a.x * wa + b.x * wb + c.x * wc + d.x * wd, a.y * wa + b.y * wb + c.y * wc + d.y * wd});
  }
  return points;
}

void PathBounds(std::span<const Point> path, float& left, float& top, float& right, float& bottom) {
  left = top = 1e9f;
  right = bottom = -1e9f;
  for (Point p : path) {
    left = std::min(left, p.x);
    right = std::max(right, p.x);
    top = std::min(top, p.y);
    bottom = std::max(bottom, p.y);
  }
}

uint32_t Hash(uint32_t a, uint32_t b, uint32_t c) {
  uint32_t h = a * 0x9e3779b1u ^ (b + 0x7f4a7c15u) * 0x85ebca77u ^ (c + 0x165667b1u) * 0xc2b2ae3du;
  h ^= h >> 15;
  h *= 0x2c1b3c6du;
  h ^= h >> 12;
  h *= 0x297a2d39u;
  h ^= h >> 15;
  return h;
}

float HashUnit(uint32_t a, uint32_t b, uint32_t c) {
  return static_cast<float>(Hash(a, b, c) >> 8) * (1.0f / 16777216.0f);
}

float ValueNoise(float x, float y, uint32_t seed) {
  const float fx = std::floor(x), fy = std::floor(y);
  const auto ix = static_cast<uint32_t>(static_cast<int32_t>(fx));
  const auto iy = static_cast<uint32_t>(static_cast<int32_t>(fy));
  float tx = x - fx, ty = y - fy;
  tx = tx * tx * (3 - 2 * tx);
  ty = ty * ty * (3 - 2 * ty);
  const float v00 = HashUnit(ix, iy, seed), v10 = HashUnit(ix + 1, iy, seed);
  const float v01 = HashUnit(ix, iy + 1, seed), v11 = HashUnit(ix + 1, iy + 1, seed);
  const float top = v00 + (v10 - v00) * tx;
  const float bottom = v01 + (v11 - v01) * tx;
  return top + (bottom - top) * ty;
}

float Fbm(float x, float y, uint32_t seed, int octaves) {
  float sum = 0, amplitude = 0.5f, total = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += ValueNoise(x, y, seed + static_cast<uint32_t>(i) * 101u) * amplitude;
    total += amplitude;
    x = x * 2.03f + 17.1f;
    y = y * 2.03f + 5.3f;
    amplitude *= 0.5f;
  }
  return sum / total;
}

}  // namespace korv::demo
