// The demo nations and their flags (see flags.h).
#include "flags.h"

#include <cmath>
#include <vector>

namespace korv::demo {

namespace {

constexpr Nation kNations[] = {
    {"Aldria", 1, FlagPattern::kTricolour, Rgb(36, 76, 156), Rgb(244, 244, 240), Rgb(40, 128, 70)},
    {"Borvenia", 2, FlagPattern::kCross, Rgb(186, 36, 40), Rgb(246, 246, 246), Rgb(186, 36, 40)},
    {"Calistan", 3, FlagPattern::kDiagonal, Rgb(232, 188, 36), Rgb(24, 24, 24), Rgb(232, 188, 36)},
    {"Dravonia", 4, FlagPattern::kBicolourStar, Rgb(118, 28, 52), Rgb(172, 172, 176),
     Rgb(250, 250, 250)},
    {"Estmere", 5, FlagPattern::kDisc, Rgb(244, 244, 240), Rgb(30, 90, 170), Rgb(30, 90, 170)},
    {"Fennholm", 6, FlagPattern::kStripesCanton, Rgb(46, 118, 60), Rgb(244, 244, 240),
     Rgb(196, 44, 36)},
};

constexpr FlagSize kFlagSizes[] = {{"", 21, 14}, {"02", 20, 13}, {"03", 9, 9}};

constexpr Colour kFlagEdge = Rgb(28, 28, 28);

// Whether (u, v) lies inside a five-pointed star of radius r round (cu, cv);
// the star is the union of the triangles from each point to the opposite
// inner corners, tested with the table of directions.
bool InStar(float u, float v, float cu, float cv, float r) {
  static constexpr float kPoints[5][2] = {{0.0f, -1.0f},
                                          {0.9511f, -0.309f},
                                          {0.5878f, 0.809f},
                                          {-0.5878f, 0.809f},
                                          {-0.9511f, -0.309f}};
  const Point p{u, v};
  std::vector<Point> corners;
  for (int i = 0; i < 5; ++i) {
    corners.push_back({cu + kPoints[i][0] * r, cv + kPoints[i][1] * r});
  }
  // A pentagram: join every second point.
  const Point star[5] = {corners[0], corners[2], corners[4], corners[1], corners[3]};
  // Non-zero winding over the self-crossing pentagram fills the middle too.
  int winding = 0;
  for (int i = 0; i < 5; ++i) {
    const Point a = star[i];
    const Point b = star[(i + 1) % 5];
    const float side = (b.x - a.x) * (p.y - a.y) - (p.x - a.x) * (b.y - a.y);
    if (a.y <= p.y && b.y > p.y && side > 0) ++winding;
    if (a.y > p.y && b.y <= p.y && side < 0) --winding;
  }
  return winding != 0;
}

Colour FlagColour(const Nation& nation, float u, float v, float aspect) {
  switch (nation.Pattern) {
    case FlagPattern::kTricolour:
      return v < 1.0f / 3 ? nation.First : (v < 2.0f / 3 ? nation.Second : nation.Third);
    case FlagPattern::kCross: {
      const float barU = 0.08f / aspect, barV = 0.1f;
      return (std::fabs(u - 0.36f) < barU || std::fabs(v - 0.5f) < barV) ? nation.Second
                                                                         : nation.First;
    }
    case FlagPattern::kDiagonal:
      return std::fabs((1 - v) - u) < 0.2f ? nation.Second : nation.First;
    case FlagPattern::kBicolourStar:
      if (u < 0.5f)
        return InStar(u * aspect, v, 0.25f * aspect, 0.5f, 0.34f) ? nation.Third : nation.First;
      return nation.Second;
    case FlagPattern::kDisc: {
      const float du = (u - 0.5f) * aspect, dv = v - 0.45f;
      if (du * du + dv * dv < 0.3f * 0.3f) return nation.Second;
      return v > 0.82f ? nation.Third : nation.First;
    }
    case FlagPattern::kStripesCanton:
      if (u < 0.42f && v < 0.5f) return nation.Third;
      return static_cast<int>(v * 5) % 2 == 0 ? nation.First : nation.Second;
  }
  return nation.First;
}

}  // namespace

std::span<const Nation> DemoNations() {
  return kNations;
}
std::span<const FlagSize> FlagSizes() {
  return kFlagSizes;
}

QImage DrawFlag(const Nation& nation, int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  const float aspect = static_cast<float>(width) / static_cast<float>(height);
  // The inner pixels sample the design; a dark rim sets the flag off the map.
  const int innerWidth = width - 2, innerHeight = height - 2;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      Colour colour = kFlagEdge;
      if (x > 0 && y > 0 && x < width - 1 && y < height - 1) {
        const float u = (static_cast<float>(x - 1) + 0.5f) / static_cast<float>(innerWidth);
        const float v = (static_cast<float>(y - 1) + 0.5f) / static_cast<float>(innerHeight);
        colour = FlagColour(nation, u, v, aspect);
      }
      image.setPixel(x, y, 0xff000000u | Pack(colour));
    }
  }
  return image;
}

QImage DrawBlankFlag(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const bool rim = x == 0 || y == 0 || x == width - 1 || y == height - 1;
      image.setPixel(x, y, 0xff000000u | Pack(rim ? Rgb(90, 90, 90) : Rgb(214, 214, 210)));
    }
  return image;
}

}  // namespace korv::demo
