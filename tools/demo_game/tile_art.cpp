// Drawing of the demo tile sheet (see tile_art.h). Each kind of tile is a
// small routine over the software canvas; a tile's random details come from
// a generator seeded by what the tile is, so every run draws the same sheet.
#include "tile_art.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "document/hex_grid.h"
#include "platform/random.h"

namespace korv::demo {

namespace {

// ---------------------------------------------------------------- palette

struct Ground {
  Colour base;
  Colour dark;
  Colour light;
  float grain;
};

constexpr Ground kGrass{Rgb(136, 163, 84), Rgb(112, 142, 70), Rgb(164, 180, 96), 0.07f};
constexpr Ground kForestFloor{Rgb(74, 100, 52), Rgb(58, 84, 42), Rgb(92, 114, 60), 0.10f};
constexpr Ground kRock{Rgb(132, 120, 100), Rgb(110, 100, 86), Rgb(152, 140, 116), 0.10f};
constexpr Ground kHillGrass{Rgb(150, 162, 88), Rgb(124, 138, 74), Rgb(176, 176, 104), 0.07f};
constexpr Ground kDryGrass{Rgb(164, 154, 104), Rgb(138, 128, 88), Rgb(186, 172, 118), 0.10f};
constexpr Ground kSand{Rgb(222, 200, 142), Rgb(204, 180, 124), Rgb(236, 216, 160), 0.05f};
constexpr Ground kMarsh{Rgb(116, 130, 84), Rgb(94, 110, 70), Rgb(138, 146, 94), 0.08f};

constexpr Colour kBlack = Rgb(0, 0, 0);
constexpr Colour kDeepSea = Rgb(34, 80, 138);
constexpr Colour kShallowSea = Rgb(76, 146, 168);
constexpr Colour kFoam = Rgb(214, 232, 234);
constexpr Colour kBeach = Rgb(224, 206, 150);
constexpr Colour kDeepLake = Rgb(48, 104, 150);
constexpr Colour kShallowLake = Rgb(96, 156, 164);
constexpr Colour kRiverDeep = Rgb(52, 102, 158);
constexpr Colour kRiverEdge = Rgb(92, 152, 186);
constexpr Colour kRiverBank = Rgb(92, 110, 60);
constexpr Colour kSleeper = Rgb(92, 66, 44);
constexpr Colour kRailSteel = Rgb(62, 62, 70);
constexpr Colour kQuay = Rgb(158, 152, 142);
constexpr Colour kSnow = Rgb(238, 240, 244);
constexpr Colour kSnowShade = Rgb(188, 198, 214);
constexpr Colour kRockLit = Rgb(190, 174, 148);
constexpr Colour kRockShade = Rgb(104, 90, 78);
constexpr Colour kTreeGreen = Rgb(60, 112, 46);
constexpr Colour kPineGreen = Rgb(40, 86, 52);
constexpr Colour kAsphalt = Rgb(94, 96, 100);

constexpr Colour kRoofs[] = {Rgb(168, 74, 56),  Rgb(150, 92, 64), Rgb(120, 110, 104),
                             Rgb(184, 100, 66), Rgb(110, 70, 60), Rgb(140, 132, 120)};

// ---------------------------------------------------------------- helpers

using Rng = korv::SeededRandom;
float Between(Rng& rng, float low, float high) {
  return low + (high - low) * static_cast<float>(rng.Uniform());
}
int Pick(Rng& rng, int count) {
  return std::min(count - 1, static_cast<int>(rng.Uniform() * count));
}

Point PixelCentre(int x, int y) {
  return {x + 0.5f, y + 0.5f};
}
Point Unit(Point p) {
  return p * (1.0f / Length(p));
}
Point Perpendicular(Point p) {
  return {-p.y, p.x};
}
float Dot(Point a, Point b) {
  return a.x * b.x + a.y * b.y;
}
float Cross(Point a, Point b) {
  return a.x * b.y - a.y * b.x;
}

float BorderDistance(Point p) {
  float best = 1e9f;
  for (int d = 1; d <= 6; ++d) best = std::min(best, DistanceToSide(p, d));
  return best;
}

// Distance from the hex border, negative outside the hex.
float HexRoom(Point p) {
  const float rise = std::fabs(2.0f * p.y - kTileHeight);
  const bool inside = p.y >= 0 && p.y <= kTileHeight &&
                      2.0f * p.x * kTileHeight >= 2.0f * kSlant * rise &&
                      2.0f * (kTileWidth - p.x) * kTileHeight >= 2.0f * kSlant * rise;
  return inside ? BorderDistance(p) : -BorderDistance(p);
}

// Whether a disc lies wholly inside the hex, `margin` pixels clear of its border.
bool DiscFits(Point centre, float radius, float margin) {
  if (!InsideHex(static_cast<int>(centre.x), static_cast<int>(centre.y))) return false;
  return BorderDistance(centre) >= radius + margin;
}

uint32_t SeedOf(const TileEntry& entry, uint32_t salt) {
  return Hash(static_cast<uint32_t>(entry.Art) * 977u + static_cast<uint32_t>(entry.Variant), salt,
              entry.WaterSides | (entry.RoadSides << 6) | (entry.RailSides << 12) |
                  (static_cast<uint32_t>(entry.MassifIndex + 1) << 18));
}

// Ground texture that fades to the plain base colour at the hex border, so
// tiles of one ground meet without a seam whatever their variant.
void PaintGround(Canvas& canvas, const Ground& ground, uint32_t seed) {
  canvas.ForEachPixel([&](int x, int y, Colour& colour) {
    const Point p = PixelCentre(x, y);
    const float fade = SmoothStep(0.5f, 9.0f, BorderDistance(p));
    const float n = (Fbm(p.x / 11.0f, p.y / 11.0f, seed, 3) - 0.5f) * 2.2f;
    const float grain = HashUnit(static_cast<uint32_t>(x), static_cast<uint32_t>(y), seed) - 0.5f;
    const Colour tone = n < 0 ? Mix(ground.base, ground.dark, std::min(1.0f, -n) * fade)
                              : Mix(ground.base, ground.light, std::min(1.0f, n) * fade);
    colour = Scaled(tone, 1.0f + grain * ground.grain * 2.0f * fade);
  });
}

void ScatterTufts(Canvas& canvas, Rng& rng, int count, const Ground& ground) {
  for (int i = 0; i < count; ++i) {
    const Point p{Between(rng, 6, 54), Between(rng, 5, 45)};
    if (!DiscFits(p, 1.5f, 3.0f)) continue;
    canvas.FillDisc(p, 1.1f, Scaled(ground.dark, 0.85f), 0.55f);
    canvas.FillDisc(p + Point{-0.6f, -0.7f}, 0.6f, ground.light, 0.6f);
  }
}

void ScatterFlowers(Canvas& canvas, Rng& rng, int count) {
  constexpr Colour kPetals[] = {Rgb(236, 232, 200), Rgb(232, 206, 88), Rgb(206, 120, 150)};
  for (int i = 0; i < count; ++i) {
    const Point p{Between(rng, 6, 54), Between(rng, 5, 45)};
    if (!DiscFits(p, 1.0f, 4.0f)) continue;
    canvas.FillDisc(p, 0.55f, kPetals[Pick(rng, 3)], 0.9f);
  }
}

void Tree(Canvas& canvas, Point p, float r, Colour crown, bool pine) {
  canvas.FillEllipse(p + Point{r * 0.45f, r * 0.55f}, r * 1.0f, r * 0.85f, kBlack, 0.30f);
  if (pine) {
    canvas.FillDisc(p, r * 0.95f, Scaled(crown, 0.72f));
    canvas.FillDisc(p + Point{-r * 0.1f, -r * 0.1f}, r * 0.75f, crown);
    canvas.FillDisc(p + Point{-r * 0.25f, -r * 0.3f}, r * 0.35f,
                    Mix(crown, Rgb(150, 190, 130), 0.35f), 0.8f);
  } else {
    canvas.FillDisc(p, r, Scaled(crown, 0.74f));
    canvas.FillDisc(p + Point{-r * 0.12f, -r * 0.12f}, r * 0.84f, crown);
    canvas.FillDisc(p + Point{-r * 0.34f, -r * 0.36f}, r * 0.44f,
                    Mix(crown, Rgb(196, 214, 128), 0.35f), 0.8f);
  }
}

Colour TreeColour(Rng& rng, Colour base) {
  return Scaled(Mix(base, Rgb(96, 124, 48), Between(rng, 0, 0.45f)), Between(rng, 0.88f, 1.1f));
}

void Building(Canvas& canvas, float x, float y, float w, float h, Colour roof) {
  canvas.FillRect(x + 1.0f, y + 1.2f, w, h, kBlack, 0.38f);
  canvas.FillRect(x, y, w, h, Scaled(roof, 0.62f));
  if (w >= h) {
    canvas.FillRect(x + 0.5f, y + 0.5f, w - 1.0f, h / 2 - 0.5f, Scaled(roof, 1.12f));
    canvas.FillRect(x + 0.5f, y + h / 2, w - 1.0f, h / 2 - 0.5f, Scaled(roof, 0.86f));
  } else {
    canvas.FillRect(x + 0.5f, y + 0.5f, w / 2 - 0.5f, h - 1.0f, Scaled(roof, 1.12f));
    canvas.FillRect(x + w / 2, y + 0.5f, w / 2 - 0.5f, h - 1.0f, Scaled(roof, 0.86f));
  }
}

// A house seen from above: its roof in two halves along the ridge, the
// half facing the light (upper left) brighter, and its shadow.
void House(Canvas& canvas, Point centre, Point along, float length, float depth, Colour roof) {
  const Point a = along * (length / 2);
  const Point n = Perpendicular(along) * (depth / 2);
  const Point outline[] = {centre - a - n, centre + a - n, centre + a + n, centre - a + n};
  Point shadow[4];
  for (int i = 0; i < 4; ++i) shadow[i] = outline[i] + Point{1.0f, 1.2f};
  canvas.FillPolygon(shadow, kBlack, 0.38f);
  canvas.FillPolygon(outline, Scaled(roof, 0.6f));
  const Point inner = a * 0.88f;
  const Point first[] = {centre - inner - n * 0.8f, centre + inner - n * 0.8f, centre + inner,
                         centre - inner};
  const Point second[] = {centre - inner, centre + inner, centre + inner + n * 0.8f,
                          centre - inner + n * 0.8f};
  const bool firstLit = Dot(n * -1.0f, Point{-0.6f, -0.8f}) > 0;
  canvas.FillPolygon(first, Scaled(roof, firstLit ? 1.12f : 0.84f));
  canvas.FillPolygon(second, Scaled(roof, firstLit ? 0.84f : 1.12f));
}

struct Footprint {
  Point centre;
  float radius;
};

bool Crowded(const std::vector<Footprint>& placed, Point centre, float radius) {
  for (const Footprint& other : placed)
    if (Length(other.centre - centre) < other.radius + radius + 0.6f) return true;
  return false;
}

// A rounded rise lit from the upper left, darker at its lower right foot.
void DrawMound(Canvas& canvas, Point centre, float rx, float ry, Colour colour, float strength,
               uint32_t seed, float softness = 1.0f) {
  canvas.FillEllipse(centre + Point{1.5f, 1.8f}, rx, ry, kBlack, 0.22f);
  for (int y = static_cast<int>(centre.y - ry) - 1; y <= static_cast<int>(centre.y + ry) + 1; ++y) {
    for (int x = static_cast<int>(centre.x - rx) - 1; x <= static_cast<int>(centre.x + rx) + 1;
         ++x) {
      if (!canvas.Contains(x, y)) continue;
      const Point q = PixelCentre(x, y) - centre;
      const Point n{q.x / rx, q.y / ry};
      const float r = Length(n);
      const float coverage = Clamp01(0.5f - (r - 1.0f) * ry / softness);
      if (coverage <= 0) continue;
      const float light = -(n.x * 0.6f + n.y * 0.8f) * (0.4f + 0.6f * std::min(r, 1.0f));
      const float grain = HashUnit(static_cast<uint32_t>(x), static_cast<uint32_t>(y), seed) - 0.5f;
      Colour c = Scaled(colour, 1.0f + strength * light + grain * 0.08f);
      if (r > 0.84f && n.x + n.y > 0.3f && softness <= 1.0f) c = Scaled(c, 0.88f);
      canvas.Blend(x, y, c, coverage);
    }
  }
}

// ---------------------------------------------------------------- courses

// Where a road, rail road or river runs for a set of sides: one path to the
// side for an end, a curve through the hex for two sides, and straight arms
// to the centre for a junction. Paths start a little beyond the border, so
// the course is cut cleanly by the hex shape and meets the neighbour's.
std::vector<std::vector<Point>> CoursePaths(SideSet sides, float endAt) {
  const Point centre = HexCentre();
  auto outside = [&](int d) {
    const Point m = SideMidpoint(d);
    return m + Unit(m - centre) * 3.0f;
  };
  std::vector<int> list;
  for (int d = 1; d <= 6; ++d)
    if (HasSide(sides, d)) list.push_back(d);
  std::vector<std::vector<Point>> paths;
  if (list.size() == 1) {
    const Point m = SideMidpoint(list[0]);
    paths.push_back({outside(list[0]), m, Lerp(m, centre, endAt)});
  } else if (list.size() == 2) {
    const Point a = SideMidpoint(list[0]);
    const Point b = SideMidpoint(list[1]);
    std::vector<Point> path{outside(list[0])};
    // Sharp bends between neighbouring sides turn close to their corner.
    const bool sharp = list[1] - list[0] == 1 || list[1] - list[0] == 5;
    const float pull = sharp ? 0.35f : 0.6f;
    auto curve = CubicBezier(a, Lerp(a, centre, pull), Lerp(b, centre, pull), b, 24);
    path.insert(path.end(), curve.begin(), curve.end());
    path.push_back(outside(list[1]));
    paths.push_back(path);
  } else {
    for (int d : list) paths.push_back({outside(d), SideMidpoint(d), centre});
  }
  return paths;
}

float CourseDistance(const std::vector<std::vector<Point>>& paths, Point p) {
  float best = 1e9f;
  for (const auto& path : paths) best = std::min(best, DistanceToPath(p, path));
  return best;
}

// Roads keep one width where they cross a side, so they meet the
// neighbour's; `narrowInside` lets the streets of a town narrow toward its centre.
void PaintRoad(Canvas& canvas, const std::vector<std::vector<Point>>& paths, float halfWidth,
               bool narrowInside = false) {
  canvas.ForEachPixel([&](int x, int y, Colour& colour) {
    const Point p = PixelCentre(x, y);
    const float d = CourseDistance(paths, p);
    float width = halfWidth;
    Colour rim = kRoadEdge, paving = kRoadSurface;
    if (narrowInside) {
      // Inside the town the road becomes a paved street.
      const float outer = SmoothStep(10.0f, 3.0f, BorderDistance(p));
      width *= 0.6f + 0.4f * outer;
      rim = Mix(Rgb(138, 132, 122), kRoadEdge, outer);
      paving = Mix(Rgb(170, 164, 152), kRoadSurface, outer);
    }
    const float edge = Clamp01(0.5f - (d - width - 1.1f));
    if (edge <= 0) return;
    colour = Mix(colour, rim, edge);
    const float surface = Clamp01(0.5f - (d - width));
    const float grain = HashUnit(static_cast<uint32_t>(x), static_cast<uint32_t>(y), 77u) - 0.5f;
    colour = Mix(colour, Scaled(paving, 1.0f + grain * 0.08f), surface);
  });
}

// Water along the paths; `narrowing` makes the first path narrower toward
// its end (a spring).
void PaintWater(Canvas& canvas, const std::vector<std::vector<Point>>& paths, float halfWidth,
                float bank, uint32_t seed, bool narrowing = false) {
  float total = 0;
  for (size_t i = 0; i + 1 < paths[0].size(); ++i) total += Length(paths[0][i + 1] - paths[0][i]);
  canvas.ForEachPixel([&](int x, int y, Colour& colour) {
    const Point p = PixelCentre(x, y);
    float d = 1e9f, width = halfWidth;
    for (size_t i = 0; i < paths.size(); ++i) {
      float arc = 0;
      const float here = DistanceToPath(p, paths[i], &arc);
      const float w = narrowing && i == 0 ? halfWidth * (1.0f - 0.45f * arc / total) : halfWidth;
      if (here - w < d - width) {
        d = here;
        width = w;
      }
    }
    const float bankCover = Clamp01(0.5f - (d - width - bank));
    if (bankCover <= 0) return;
    colour = Mix(colour, kRiverBank, bankCover * 0.85f);
    const float water = Clamp01(0.5f - (d - width));
    const float depth = Clamp01(d / width);
    Colour wet = Mix(kRiverDeep, kRiverEdge, depth * depth);
    const float ripple = ValueNoise(p.x / 2.5f, p.y / 2.5f, seed);
    if (ripple > 0.78f && depth < 0.7f) wet = Mix(wet, Rgb(150, 196, 220), (ripple - 0.78f) * 3.0f);
    colour = Mix(colour, wet, water);
  });
}

// ---------------------------------------------------------------- shores

// Land along the sides whose neighbour is not water. The shore line keeps a
// fixed distance from the corners, so it continues into the neighbouring
// water hexes whatever their own shape; between corners it wanders a little.
float ShoreDistance(Point p, SideSet waterSides, float width, uint32_t seed) {
  float best = 1e9f;
  for (int d = 1; d <= 6; ++d) {
    if (HasSide(waterSides, d)) continue;
    auto corners = SideCorners(d);
    float along = 0;
    const float distance = DistanceToSegment(p, corners[0], corners[1], &along);
    const float t = along / Length(corners[1] - corners[0]);
    const float wander =
        4.0f * t * (1.0f - t) * (ValueNoise(t * 3.0f, static_cast<float>(d), seed) - 0.5f) * 6.0f;
    best = std::min(best, distance - width - wander);
  }
  return best;
}

struct WaterLook {
  Colour deep;
  Colour shallow;
  float shelf;  // width of the shallow water along the shore
};

void PaintShoreWater(Canvas& canvas, SideSet waterSides, const WaterLook& look, uint32_t seed,
                     const Ground& land, bool beach) {
  Canvas grass(kTileWidth, kTileHeight);
  PaintGround(grass, land, seed + 5);
  canvas.ForEachPixel([&](int x, int y, Colour& colour) {
    const Point p = PixelCentre(x, y);
    const float shore = ShoreDistance(p, waterSides, 7.0f, seed);
    const float fade = SmoothStep(1.0f, 9.0f, BorderDistance(p));
    // Water: deep in the open, lighter over the shelf, foam on the shore line.
    const float n = Fbm(p.x / 9.0f, p.y / 9.0f, seed + 11, 2) - 0.5f;
    Colour water = Mix(look.shallow, look.deep, SmoothStep(0.0f, look.shelf, shore));
    water = Scaled(water, 1.0f + n * 0.12f * fade);
    water = Mix(water, kFoam, Clamp01(0.5f - std::fabs(shore - 0.6f)) * 0.7f);
    const Colour sand = Scaled(kBeach, 1.0f + (HashUnit(x, y, seed) - 0.5f) * 0.08f);
    Colour ground = grass.At(x, y);
    if (beach) ground = Mix(ground, sand, Clamp01(0.5f - (-shore - 2.2f)));
    colour = Mix(water, ground, Clamp01(0.5f - shore));
  });
}

void ScatterWaves(Canvas& canvas, SideSet waterSides, uint32_t seed, int count) {
  Rng rng(seed);
  for (int i = 0; i < count; ++i) {
    const Point p{Between(rng, 6, 54), Between(rng, 5, 45)};
    if (!DiscFits(p, 3.0f, 3.0f) || ShoreDistance(p, waterSides, 7.0f, seed) < 9.0f) continue;
    const float w = Between(rng, 1.6f, 3.0f);
    const Point a = p + Point{-w, 0.4f}, b = p, c = p + Point{w, 0.4f};
    const Point crest[] = {a, b + Point{0, -0.5f}, c};
    canvas.StrokePath(crest, 0.42f, Rgb(150, 190, 214), 0.55f);
  }
}

// ---------------------------------------------------------------- mountains

struct Peak {
  Point base;  // middle of the foot
  float halfWidth;
  float height;
  float skew;  // how far the summit leans right of the foot's middle
  float snow;  // share of the height under snow
  uint32_t seed;
};

void DrawPeak(Canvas& canvas, const Peak& peak) {
  const Point summit = peak.base + Point{peak.skew, -peak.height};
  const float leftSpan = peak.halfWidth + peak.skew;
  const float rightSpan = peak.halfWidth - peak.skew;
  // Shadow cast on the ground to the lower right.
  canvas.FillEllipse(peak.base + Point{peak.halfWidth * 0.3f, -peak.height * 0.05f},
                     peak.halfWidth * 1.05f, peak.height * 0.22f, kBlack, 0.2f);
  const int x0 = static_cast<int>(peak.base.x - peak.halfWidth) - 1;
  const int x1 = static_cast<int>(peak.base.x + peak.halfWidth) + 1;
  const int y0 = static_cast<int>(summit.y) - 1;
  const int y1 = static_cast<int>(peak.base.y) + 2;
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      if (!canvas.Contains(x, y)) continue;
      const Point p = PixelCentre(x, y);
      const float dx = p.x - summit.x;
      const float u = std::fabs(dx) / (dx < 0 ? leftSpan : rightSpan);
      if (u >= 1.0f) continue;
      // The flanks: a little concave, with a ragged skyline.
      const float ragged = (ValueNoise(p.x * 0.45f, 1.0f, peak.seed) - 0.5f) * peak.height * 0.3f *
                           u * (1.0f - u) * 4.0f;
      const float edge = summit.y + peak.height * u + ragged;
      const float foot = peak.base.y + (ValueNoise(p.x * 0.3f, 5.0f, peak.seed) - 0.5f) * 2.0f;
      const float coverage = Clamp01(p.y - edge + 0.5f) * Clamp01(foot - p.y + 0.5f) *
                             Clamp01((1.0f - u) * peak.halfWidth);
      if (coverage <= 0) continue;
      const float depth = Clamp01((p.y - summit.y) / peak.height);
      // The ridge that parts the lit face from the shaded one wanders down
      // from the summit toward the lower right.
      const float ridge = summit.x + (p.y - summit.y) * 0.32f +
                          (ValueNoise(p.y * 0.35f, 9.0f, peak.seed) - 0.5f) * 5.0f * depth;
      const bool lit = p.x < ridge;
      const float away = Clamp01(std::fabs(p.x - ridge) / peak.halfWidth);
      Colour rock = lit ? Mix(kRockLit, Scaled(kRockLit, 0.93f), away)
                        : Mix(kRockShade, Scaled(kRockShade, 0.86f), away);
      // A darker rim along the skyline sets the peak off the ground behind it.
      if (p.y - edge < 1.3f) rock = Scaled(rock, 0.78f);
      // Gullies fan out from the summit.
      const float fan = dx / (p.y - summit.y + 3.0f);
      const float gully = ValueNoise(fan * 7.0f, depth * 3.0f, peak.seed + 3);
      if (gully > 0.62f) rock = Scaled(rock, 0.84f);
      if (gully < 0.2f && lit) rock = Scaled(rock, 1.08f);
      // Snow on the heights, running down the gullies.
      const float snowLine = peak.snow +
                             (ValueNoise(fan * 5.0f, 2.0f, peak.seed + 4) - 0.5f) * 0.22f +
                             (gully > 0.55f ? 0.08f : 0.0f);
      if (depth < snowLine)
        rock = Mix(rock, lit ? kSnow : kSnowShade, SmoothStep(snowLine, snowLine - 0.04f, depth));
      // The foot melts into the ground.
      const float melt = Clamp01((foot - p.y) / 3.0f);
      canvas.Blend(x, y, rock, coverage * (0.35f + 0.65f * melt));
    }
  }
}

void DrawPeaks(Canvas& canvas, std::vector<Peak> peaks) {
  std::sort(peaks.begin(), peaks.end(),
            [](const Peak& a, const Peak& b) { return a.base.y < b.base.y; });
  for (const Peak& peak : peaks) DrawPeak(canvas, peak);
}

// Whether the peak stands clear of an edge: `room(p)` is how far a point is
// from the edge (negative beyond it).
bool PeakFits(const Peak& peak, const std::function<float(Point)>& room, float margin) {
  const Point summit = peak.base + Point{peak.skew, -peak.height};
  const Point checks[] = {summit,
                          peak.base + Point{-peak.halfWidth, 0},
                          peak.base + Point{peak.halfWidth, 0},
                          peak.base + Point{0, 2.0f},
                          Lerp(summit, peak.base + Point{-peak.halfWidth, 0}, 0.5f),
                          Lerp(summit, peak.base + Point{peak.halfWidth, 0}, 0.5f)};
  for (Point p : checks)
    if (room(p) < margin) return false;
  return true;
}

// The ten massif tiles are cut from one picture of the whole massif, so
// they fit together when the mountain command lays them out.
struct MassifPicture {
  static constexpr int kLeft = 45;  // picture position of hex origin (0, 0)
  static constexpr int kTop = 75;
  Canvas canvas{4 * kColumnStep + kTileWidth - kColumnStep, 7 * kTileHeight / 2};
};

Point MassifOrigin(const MassifPart& part) {
  // Tile 86 stands in a lower column; the parts are placed as the map would place them.
  const korv::PixelPoint at = korv::HexToPixel(korv::HexGeometry{}, part.Column, part.Row);
  const korv::PixelPoint centre = korv::HexToPixel(korv::HexGeometry{}, 0, 0);
  return {static_cast<float>(MassifPicture::kLeft + at.left - centre.left),
          static_cast<float>(MassifPicture::kTop + at.top - centre.top)};
}

const MassifPicture& Massif() {
  static const MassifPicture picture = [] {
    MassifPicture massif;
    Canvas& canvas = massif.canvas;
    std::vector<Point> origins;
    std::vector<SideSet> rims;  // sides of each part that face hexes outside the massif
    for (const MassifPart& part : MassifParts()) origins.push_back(MassifOrigin(part));
    for (size_t i = 0; i < origins.size(); ++i) {
      SideSet rim = 0;
      for (int d = 1; d <= 6; ++d) {
        const Point there = origins[i] + NeighbourOffset(d);
        bool inside = false;
        for (Point other : origins)
          inside = inside || (std::fabs(other.x - there.x) < 1 && std::fabs(other.y - there.y) < 1);
        if (!inside) rim = static_cast<SideSet>(rim | SideBit(d));
      }
      rims.push_back(rim);
    }
    // How far a point of the picture is from the massif's rim; negative outside.
    auto room = [&](Point q) {
      float best = -1.0f;
      for (size_t i = 0; i < origins.size(); ++i) {
        const Point local = q - origins[i];
        if (HexRoom(local) < 0) continue;
        float edge = 1e9f;
        for (int d = 1; d <= 6; ++d)
          if (HasSide(rims[i], d)) edge = std::min(edge, DistanceToSide(local, d));
        best = std::max(best, edge);
      }
      return best;
    };
    // Rocky ground under every part, fading to plain at the rim like the
    // other mountain tiles.
    for (size_t i = 0; i < origins.size(); ++i) {
      for (int y = 0; y < kTileHeight; ++y) {
        for (int x = 0; x < kTileWidth; ++x) {
          if (!InsideHex(x, y)) continue;
          const Point world = origins[i] + PixelCentre(x, y);
          const float fade = SmoothStep(0.5f, 9.0f, room(world));
          const float n = (Fbm(world.x / 13.0f, world.y / 13.0f, 4242u, 3) - 0.5f) * 2.2f;
          const float grain =
              HashUnit(static_cast<uint32_t>(world.x), static_cast<uint32_t>(world.y), 4243u) -
              0.5f;
          const Colour tone = n < 0 ? Mix(kRock.base, kRock.dark, std::min(1.0f, -n) * fade)
                                    : Mix(kRock.base, kRock.light, std::min(1.0f, n) * fade);
          canvas.At(static_cast<int>(world.x), static_cast<int>(world.y)) =
              Scaled(tone, 1.0f + grain * kRock.grain * 2.0f * fade);
        }
      }
    }
    auto centreOf = [&](int16_t tile) {
      for (size_t i = 0; i < origins.size(); ++i)
        if (MassifParts()[i].Tile == tile) return origins[i] + HexCentre();
      return Point{};
    };
    // The two great peaks over tiles 86 and 94 and the saddle between them,
    // made smaller until they keep clear of the rim.
    std::vector<Peak> peaks;
    const Peak great[] = {
        {centreOf(86) + Point{-2, 19}, 38, 50, 2, 0.36f, 980},
        {centreOf(94) + Point{3, 21}, 36, 52, -3, 0.38f, 981},
        {Lerp(centreOf(86), centreOf(94), 0.5f) + Point{1, 27}, 22, 28, 1, 0.22f, 982},
    };
    for (Peak peak : great) {
      while (!PeakFits(peak, room, 1.5f) && peak.halfWidth > 6) {
        peak.halfWidth *= 0.92f;
        peak.height *= 0.92f;
      }
      peaks.push_back(peak);
    }
    // Lesser peaks on the outer parts.
    for (size_t i = 0; i < origins.size(); ++i) {
      const int16_t tile = MassifParts()[i].Tile;
      if (tile == 86 || tile == 94) continue;
      Rng rng(7000u + static_cast<uint32_t>(tile));
      int placed = 0;
      for (int attempt = 0; attempt < 400 && placed < 3; ++attempt) {
        Peak peak;
        peak.halfWidth = Between(rng, 11, 16);
        peak.height = Between(rng, 13, 20);
        peak.base = origins[i] + HexCentre() + Point{Between(rng, -14, 14), Between(rng, -2, 16)};
        peak.skew = Between(rng, -3, 3);
        peak.snow = peak.height > 16 ? 0.28f : 0.12f;
        peak.seed = Hash(tile, static_cast<uint32_t>(attempt));
        if (!PeakFits(peak, room, 1.5f)) continue;
        bool crowded = false;
        for (const Peak& other : peaks)
          if (std::fabs(other.base.x - peak.base.x) < 11 &&
              std::fabs(other.base.y - peak.base.y) < 9)
            crowded = true;
        if (crowded) continue;
        peaks.push_back(peak);
        ++placed;
      }
    }
    DrawPeaks(canvas, peaks);
    return massif;
  }();
  return picture;
}

// ---------------------------------------------------------------- tile kinds

void DrawSea(Canvas& canvas, const TileEntry& entry) {
  const uint32_t seed = SeedOf(entry, 1);
  PaintShoreWater(canvas, entry.WaterSides, {kDeepSea, kShallowSea, 11.0f}, seed, kGrass, true);
  ScatterWaves(canvas, entry.WaterSides, seed + 3, entry.Art == TileArt::kOpenSea ? 7 : 4);
}

void DrawLake(Canvas& canvas, const TileEntry& entry) {
  const uint32_t seed = SeedOf(entry, 2);
  PaintShoreWater(canvas, entry.WaterSides, {kDeepLake, kShallowLake, 8.0f}, seed, kGrass, false);
  // Reeds along the shore.
  Rng rng(seed);
  for (int i = 0; i < 40; ++i) {
    const Point p{Between(rng, 4, 56), Between(rng, 3, 47)};
    const float shore = ShoreDistance(p, entry.WaterSides, 7.0f, seed);
    if (shore < -1.5f || shore > 1.5f || !DiscFits(p, 1, 2)) continue;
    const Point stem[] = {p, p + Point{0.3f, -2.4f}};
    canvas.StrokePath(stem, 0.35f, Rgb(70, 96, 44), 0.9f);
  }
}

void DrawClear(Canvas& canvas, const TileEntry& entry) {
  const uint32_t seed = SeedOf(entry, 3);
  PaintGround(canvas, kGrass, seed);
  Rng rng(seed);
  // Variant 0 is the default tile that fills a new map: the quietest.
  ScatterTufts(canvas, rng, entry.Variant == 0 ? 5 : 9, kGrass);
  switch (entry.Variant) {
    case 1:
      Tree(canvas, {24, 22}, 3.2f, TreeColour(rng, kTreeGreen), false);
      break;
    case 2:
      Tree(canvas, {34, 28}, 4.2f, TreeColour(rng, kTreeGreen), false);
      Tree(canvas, {28, 31}, 2.4f, TreeColour(rng, kTreeGreen), false);
      break;
    case 3:
      canvas.FillEllipse({27, 28}, 2.6f, 1.8f, Rgb(120, 116, 108));
      canvas.FillEllipse({26.3f, 27.3f}, 1.5f, 1.0f, Rgb(170, 166, 156));
      canvas.FillEllipse({32, 24}, 1.6f, 1.1f, Rgb(120, 116, 108));
      break;
    case 4:
      ScatterFlowers(canvas, rng, 14);
      break;
    case 5: {
      // A broken hedge row.
      const Point hedge[] = {{16, 30}, {24, 27}, {33, 26}};
      canvas.StrokePath(hedge, 1.5f, Rgb(80, 110, 54));
      canvas.StrokePath(hedge, 0.7f, Rgb(104, 136, 66), 0.8f);
      break;
    }
    case 6:
      for (int i = 0; i < 3; ++i)
        Tree(canvas, Point{22 + 6.0f * i, 20 + 4.0f * (i % 2)}, 2.0f, TreeColour(rng, kTreeGreen),
             false);
      break;
    case 7:
      ScatterFlowers(canvas, rng, 6);
      break;
    default:
      break;
  }
}

void DrawRoadTile(Canvas& canvas, const TileEntry& entry) {
  const uint32_t seed = SeedOf(entry, 4);
  PaintGround(canvas, kGrass, seed);
  Rng rng(seed);
  ScatterTufts(canvas, rng, 5, kGrass);
  PaintRoad(canvas, CoursePaths(entry.RoadSides, 0.8f), 2.3f);
  if (SideCount(entry.RoadSides) == 1) {
    // The road ends at a farmstead.
    int d = 1;
    while (!HasSide(entry.RoadSides, d)) ++d;
    const Point centre = HexCentre();
    const Point end = Lerp(SideMidpoint(d), centre, 1.05f);
    const Point beyond = end + Unit(centre - SideMidpoint(d)) * 4.0f;
    Building(canvas, beyond.x - 4.5f, beyond.y - 3.0f, 9, 6, kRoofs[d % 6]);
    Tree(canvas, beyond + Point{7, 2}, 2.6f, TreeColour(rng, kTreeGreen), false);
  }
}

void DrawRailTile(Canvas& canvas, const TileEntry& entry) {
  const uint32_t seed = SeedOf(entry, 5);
  PaintGround(canvas, kGrass, seed);
  Rng rng(seed);
  ScatterTufts(canvas, rng, 5, kGrass);
  if (SideCount(entry.RailSides) == 1) {
    // A station beside the end of the line.
    int d = 1;
    while (!HasSide(entry.RailSides, d)) ++d;
    const Point centre = HexCentre();
    const Point side = Unit(Perpendicular(SideMidpoint(d) - centre));
    const Point at = centre + side * 8.0f;
    canvas.FillRect(at.x - 5, at.y - 2.5f, 10, 5, Rgb(168, 160, 146));
    Building(canvas, at.x - 4, at.y - 2, 8, 4, Rgb(150, 80, 60));
  }
  // A level crossing: the road first, the rail road laid over it.
  if (entry.RoadSides) PaintRoad(canvas, CoursePaths(entry.RoadSides, 0.8f), 2.3f);
  for (int d = 1; d <= 6; ++d)
    if (HasSide(entry.RailSides, d)) RailArm(d).DrawOver(canvas);
}

void DrawRiver(Canvas& canvas, const TileEntry& entry, float halfWidth, float bank) {
  const uint32_t seed = SeedOf(entry, 6);
  PaintGround(canvas, kGrass, seed);
  Rng rng(seed);
  ScatterTufts(canvas, rng, 6, kGrass);
  auto paths = CoursePaths(entry.WaterSides, 0.8f);
  const bool spring = SideCount(entry.WaterSides) == 1;
  // Bushes along the banks.
  for (int i = 0; i < 14; ++i) {
    const Point p{Between(rng, 6, 54), Between(rng, 5, 45)};
    const float d = CourseDistance(paths, p);
    if (d < halfWidth + bank + 1.5f || d > halfWidth + bank + 3.5f || !DiscFits(p, 2, 2)) continue;
    Tree(canvas, p, Between(rng, 1.3f, 2.0f), TreeColour(rng, Rgb(76, 116, 52)), false);
  }
  PaintWater(canvas, paths, halfWidth, bank, seed, spring);
  if (spring) {
    // The water wells up in a small pond among reeds.
    const Point pool = paths[0].back();
    canvas.FillEllipse(pool, halfWidth + 2.5f + bank, halfWidth + 1.5f + bank, kRiverBank, 0.85f);
    canvas.FillEllipse(pool, halfWidth + 2.5f, halfWidth + 1.5f, kRiverEdge);
    canvas.FillEllipse(pool + Point{0.4f, 0.3f}, halfWidth + 1.0f, halfWidth + 0.2f, kRiverDeep);
    for (int i = 0; i < 7; ++i) {
      const Point at = pool + Point{Between(rng, -halfWidth - 4, halfWidth + 4),
                                    Between(rng, -halfWidth - 2, halfWidth + 3)};
      if (Length(at - pool) < halfWidth + 1.5f || !DiscFits(at, 2, 1)) continue;
      const Point stem[] = {at, at + Point{Between(rng, -0.6f, 0.6f), -2.5f}};
      canvas.StrokePath(stem, 0.35f, Rgb(70, 96, 44), 0.9f);
    }
  }
}

void DrawBridge(Canvas& canvas, const TileEntry& entry) {
  DrawRiver(canvas, entry, 4.5f, 1.6f);
  const auto river = CoursePaths(entry.WaterSides, 0.8f);
  const auto road = CoursePaths(entry.RoadSides, 0.8f);
  const Point start = road[0].front();
  const Point direction = Unit(road[0].back() - start);
  const float halfWidth = 2.3f;
  canvas.ForEachPixel([&](int x, int y, Colour& colour) {
    const Point p = PixelCentre(x, y);
    const float along = Dot(p - start, direction);
    const float lateral = Cross(direction, p - start);
    const Point onRoad = start + direction * along;
    const bool overWater = CourseDistance(river, onRoad) < 4.5f + 2.8f;
    const float off = std::fabs(lateral);
    if (!overWater) {
      const float edge = Clamp01(0.5f - (off - halfWidth - 1.1f));
      colour = Mix(colour, kRoadEdge, edge);
      colour = Mix(colour, kRoadSurface, Clamp01(0.5f - (off - halfWidth)));
      return;
    }
    // The deck with its parapets, and its shadow on the water below.
    const Point offset = p - onRoad;
    const bool shadowSide = offset.x * 0.6f + offset.y * 0.8f > 0;
    if (shadowSide && off > halfWidth + 1.4f && off < halfWidth + 4.5f)
      colour = Scaled(colour, 0.68f);
    colour = Mix(colour, Rgb(66, 62, 58), Clamp01(0.5f - (off - halfWidth - 2.0f)));
    colour = Mix(colour, Rgb(190, 184, 172), Clamp01(0.5f - (off - halfWidth - 1.0f)));
    const float plank = along / 1.6f;
    const Colour deck = plank - std::floor(plank) < 0.3f ? Rgb(140, 134, 124) : Rgb(166, 160, 148);
    colour = Mix(colour, deck, Clamp01(0.5f - (off - halfWidth - 0.2f)));
  });
}

void DrawMountains(Canvas& canvas, const TileEntry& entry) {
  const uint32_t seed = SeedOf(entry, 7);
  PaintGround(canvas, kRock, seed);
  Rng rng(seed);
  std::vector<Peak> peaks;
  // The range rises from a broad rocky swell that fills most of the hex.
  DrawMound(canvas, {30.0f + Between(rng, -2, 2), 29.0f}, 19.0f, 12.0f, kRock.light, 0.35f, seed,
            5.0f);
  const int count = 3 + entry.Variant % 2;
  for (int attempt = 0; attempt < 600 && static_cast<int>(peaks.size()) < count; ++attempt) {
    Peak peak;
    // Peaks further forward (lower on the tile) stand larger.
    peak.base = {Between(rng, 10, 50), Between(rng, 20, 46)};
    const float size = 0.75f + 0.4f * (peak.base.y - 20.0f) / 26.0f;
    peak.halfWidth = Between(rng, 12, 16) * size;
    peak.height = Between(rng, 14, 20) * size;
    peak.skew = Between(rng, -3, 3);
    peak.snow = peak.height > 17 ? 0.32f : 0.16f;
    peak.seed = Hash(seed, static_cast<uint32_t>(attempt));
    if (!PeakFits(peak, HexRoom, 1.0f)) continue;
    bool crowded = false;
    for (const Peak& other : peaks)
      if (std::fabs(other.base.x - peak.base.x) < 8 && std::fabs(other.base.y - peak.base.y) < 6)
        crowded = true;
    if (!crowded) peaks.push_back(peak);
  }
  DrawPeaks(canvas, peaks);
}

void DrawMassifTile(Canvas& canvas, const TileEntry& entry) {
  const MassifPicture& massif = Massif();
  const Point origin = MassifOrigin(MassifParts()[static_cast<size_t>(entry.MassifIndex)]);
  for (int y = 0; y < kTileHeight; ++y)
    for (int x = 0; x < kTileWidth; ++x)
      canvas.At(x, y) =
          massif.canvas.At(static_cast<int>(origin.x) + x, static_cast<int>(origin.y) + y);
}

void DrawHills(Canvas& canvas, const TileEntry& entry) {
  const uint32_t seed = SeedOf(entry, 8);
  PaintGround(canvas, kHillGrass, seed);
  Rng rng(seed);
  struct Mound {
    Point centre;
    float rx, ry;
  };
  std::vector<Mound> mounds;
  const int count = 2 + entry.Variant % 2;
  for (int attempt = 0; attempt < 200 && static_cast<int>(mounds.size()) < count; ++attempt) {
    Mound mound{{Between(rng, 14, 46), Between(rng, 12, 38)}, Between(rng, 8, 12), 0};
    mound.ry = mound.rx * Between(rng, 0.55f, 0.7f);
    if (!DiscFits(mound.centre, mound.rx, 1.5f)) continue;
    bool crowded = false;
    for (const Mound& other : mounds)
      if (Length(other.centre - mound.centre) < 12) crowded = true;
    if (!crowded) mounds.push_back(mound);
  }
  std::sort(mounds.begin(), mounds.end(),
            [](const Mound& a, const Mound& b) { return a.centre.y < b.centre.y; });
  for (const Mound& mound : mounds) {
    DrawMound(canvas, mound.centre, mound.rx, mound.ry, kHillGrass.base, 0.42f, seed);
    if (HashUnit(seed, static_cast<uint32_t>(mound.centre.x)) < 0.5f)
      Tree(canvas, mound.centre + Point{-mound.rx * 0.3f, -mound.ry * 0.2f}, 2.2f,
           TreeColour(rng, kTreeGreen), false);
  }
  ScatterTufts(canvas, rng, 5, kHillGrass);
}

void DrawRough(Canvas& canvas, const TileEntry& entry) {
  const uint32_t seed = SeedOf(entry, 9);
  PaintGround(canvas, kDryGrass, seed);
  Rng rng(seed);
  for (int i = 0; i < 14; ++i) {
    const Point p{Between(rng, 6, 54), Between(rng, 5, 45)};
    const float r = Between(rng, 1.2f, 2.8f);
    if (!DiscFits(p, r, 2)) continue;
    if (i % 3 == 0) {
      Tree(canvas, p, r * 0.8f, Rgb(104, 112, 58), false);  // scrub
      continue;
    }
    canvas.FillEllipse(p + Point{0.8f, 0.8f}, r, r * 0.7f, kBlack, 0.3f);
    canvas.FillEllipse(p, r, r * 0.7f, Rgb(128, 122, 112));
    canvas.FillEllipse(p + Point{-r * 0.3f, -r * 0.25f}, r * 0.55f, r * 0.35f, Rgb(178, 172, 160),
                       0.9f);
  }
}

void DrawDesert(Canvas& canvas, const TileEntry& entry) {
  const uint32_t seed = SeedOf(entry, 10);
  PaintGround(canvas, kSand, seed);
  // Wind ripples.
  canvas.ForEachPixel([&](int x, int y, Colour& colour) {
    const Point p = PixelCentre(x, y);
    const float fade = SmoothStep(1.0f, 8.0f, BorderDistance(p));
    const float warp = Fbm(p.x / 14.0f, p.y / 14.0f, seed + 1, 2) * 9.0f;
    const float band = (p.y + p.x * 0.35f + warp) / 4.5f;
    const float stripe = band - std::floor(band);
    if (stripe < 0.22f) colour = Scaled(colour, 1.0f - 0.07f * fade);
    if (stripe > 0.3f && stripe < 0.45f) colour = Scaled(colour, 1.0f + 0.04f * fade);
  });
  Rng rng(seed);
  for (int i = 0; i < 5 + entry.Variant; ++i) {
    const Point p{Between(rng, 6, 54), Between(rng, 5, 45)};
    if (!DiscFits(p, 2, 3)) continue;
    if (i % 2 == 0) {
      Tree(canvas, p, 1.4f, Rgb(132, 128, 70), false);  // dry shrub
    } else {
      canvas.FillEllipse(p, 1.4f, 1.0f, Rgb(170, 148, 110));
    }
  }
}

void DrawSwamp(Canvas& canvas, const TileEntry& entry) {
  const uint32_t seed = SeedOf(entry, 11);
  PaintGround(canvas, kMarsh, seed);
  canvas.ForEachPixel([&](int x, int y, Colour& colour) {
    const Point p = PixelCentre(x, y);
    const float inner = SmoothStep(3.0f, 8.0f, BorderDistance(p));
    const float wet = Fbm(p.x / 7.0f, p.y / 7.0f, seed + 2, 3) * inner;
    if (wet > 0.5f) colour = Mix(colour, Rgb(70, 92, 84), SmoothStep(0.5f, 0.54f, wet));
    if (wet > 0.56f) colour = Mix(colour, Rgb(86, 116, 118), SmoothStep(0.56f, 0.62f, wet));
  });
  Rng rng(seed);
  for (int i = 0; i < 34; ++i) {
    const Point p{Between(rng, 5, 55), Between(rng, 5, 45)};
    if (!DiscFits(p, 2, 2)) continue;
    const float lean = Between(rng, -0.8f, 0.8f);
    const Point stem[] = {p, p + Point{lean, -2.6f}};
    canvas.StrokePath(stem, 0.33f, Rgb(72, 92, 40), 0.9f);
  }
  for (int i = 0; i < 3; ++i) {
    const Point p{Between(rng, 12, 48), Between(rng, 10, 40)};
    if (DiscFits(p, 3, 2)) Tree(canvas, p, 2.0f, TreeColour(rng, Rgb(84, 108, 52)), false);
  }
}

void DrawFarmland(Canvas& canvas, const TileEntry& entry) {
  const uint32_t seed = SeedOf(entry, 12);
  PaintGround(canvas, kGrass, seed);
  Rng rng(seed);
  constexpr Colour kCrops[] = {Rgb(214, 196, 110), Rgb(130, 166, 76), Rgb(152, 118, 82),
                               Rgb(194, 184, 98),  Rgb(112, 150, 68), Rgb(174, 138, 92)};
  // Long strips of fields across the hex, each strip cut once or twice.
  static constexpr Point kDirections[] = {
      {1.0f, 0.0f}, {0.874f, 0.486f}, {0.874f, -0.486f}, {0.0f, 1.0f}};
  const Point along = kDirections[entry.Variant % 4];
  const Point across = Perpendicular(along);
  std::vector<float> bounds{-40.0f};
  while (bounds.back() < 40.0f) bounds.push_back(bounds.back() + Between(rng, 6.5f, 10.5f));
  struct Cut {
    float at;
    int crop;
    float spacing;
  };
  std::vector<std::array<Cut, 3>> strips;
  for (size_t i = 0; i < bounds.size(); ++i) {
    std::array<Cut, 3> cuts{};
    for (int k = 0; k < 3; ++k)
      cuts[static_cast<size_t>(k)] = {Between(rng, -20, 20) + 14.0f * static_cast<float>(k - 1),
                                      Pick(rng, 6), Between(rng, 1.8f, 2.6f)};
    std::sort(cuts.begin(), cuts.end(), [](const Cut& x, const Cut& y) { return x.at < y.at; });
    strips.push_back(cuts);
  }
  const Point centre = HexCentre();
  canvas.ForEachPixel([&](int x, int y, Colour& colour) {
    const Point p = PixelCentre(x, y) - centre;
    const float v = Dot(p, across);
    const float u = Dot(p, along);
    size_t strip = 0;
    while (strip + 1 < bounds.size() && bounds[strip + 1] <= v) ++strip;
    const auto& cuts = strips[strip];
    size_t field = 0;
    while (field + 1 < cuts.size() && cuts[field + 1].at <= u) ++field;
    const Cut& cut = cuts[field];
    // Furrows run along the strip.
    const float furrow = v / cut.spacing;
    Colour crop = kCrops[static_cast<size_t>(cut.crop)];
    crop = Scaled(crop, furrow - std::floor(furrow) < 0.4f ? 0.9f : 1.02f);
    const float inner = SmoothStep(0.0f, 2.0f, BorderDistance(PixelCentre(x, y)));
    colour = Mix(colour, crop, inner);
    // Hedges between the fields.
    const float toStrip =
        std::min(std::fabs(v - bounds[strip]),
                 strip + 1 < bounds.size() ? std::fabs(bounds[strip + 1] - v) : 9.0f);
    float toCut = 9.0f;
    for (const Cut& other : cuts) toCut = std::min(toCut, std::fabs(u - other.at));
    const float hedge = Clamp01(1.1f - std::min(toStrip, toCut)) * inner;
    colour = Mix(colour, Rgb(76, 106, 50), hedge);
  });
  // Trees along some hedges, and a farm in some variants.
  for (int i = 0; i < 5; ++i) {
    const size_t strip = static_cast<size_t>(Pick(rng, static_cast<int>(bounds.size())));
    const Point p = centre + across * bounds[strip] + along * Between(rng, -20, 20);
    if (DiscFits(p, 2, 1))
      Tree(canvas, p, Between(rng, 1.6f, 2.4f), TreeColour(rng, kTreeGreen), false);
  }
  if (entry.Variant % 3 == 0) {
    const Point farm = centre + Point{Between(rng, -6, 6), Between(rng, -4, 4)};
    House(canvas, farm, along, 8.0f, 4.5f, kRoofs[entry.Variant % 6]);
    House(canvas, farm + across * 5.0f + along * 3.0f, across, 5.0f, 3.5f, Rgb(150, 110, 80));
  }
}

std::vector<std::pair<Point, float>> PlaceTrees(Rng& rng, int count, float minRadius,
                                                float maxRadius, Point around, float spread) {
  std::vector<std::pair<Point, float>> trees;
  for (int attempt = 0; attempt < count * 30 && static_cast<int>(trees.size()) < count; ++attempt) {
    const float r = Between(rng, minRadius, maxRadius);
    const Point p = around + Point{Between(rng, -spread, spread), Between(rng, -spread, spread)};
    if (!DiscFits(p, r, 1.0f)) continue;
    bool crowded = false;
    for (const auto& [other, otherRadius] : trees)
      if (Length(other - p) < (r + otherRadius) * 0.78f) crowded = true;
    if (!crowded) trees.push_back({p, r});
  }
  std::sort(trees.begin(), trees.end(),
            [](const auto& a, const auto& b) { return a.first.y < b.first.y; });
  return trees;
}

void DrawForest(Canvas& canvas, const TileEntry& entry) {
  const uint32_t seed = SeedOf(entry, 13);
  PaintGround(canvas, kForestFloor, seed);
  Rng rng(seed);
  const float pines = entry.Variant >= 4 ? 0.7f : (entry.Variant >= 2 ? 0.3f : 0.05f);
  for (const auto& [p, r] : PlaceTrees(rng, 60, 3.2f, 4.6f, HexCentre(), 30)) {
    const bool pine = rng.Uniform() < pines;
    Tree(canvas, p, r, TreeColour(rng, pine ? kPineGreen : kTreeGreen), pine);
  }
}

void DrawCopse(Canvas& canvas, const TileEntry& entry) {
  const uint32_t seed = SeedOf(entry, 14);
  PaintGround(canvas, kGrass, seed);
  Rng rng(seed);
  ScatterTufts(canvas, rng, 6, kGrass);
  for (const auto& [p, r] : PlaceTrees(rng, 9, 2.8f, 4.2f, HexCentre(), 12))
    Tree(canvas, p, r, TreeColour(rng, kTreeGreen), entry.Variant == 1 && rng.Uniform() < 0.5);
}

// Houses packed round the centre within `reach`, each turned along the
// street nearest to it and kept off the streets.
void FillWithHouses(Canvas& canvas, Rng& rng, const std::vector<std::vector<Point>>& streets,
                    float reach, int count, std::vector<Footprint>& placed,
                    const std::function<bool(Point)>& allowed) {
  const Point centre = HexCentre();
  int built = 0;
  for (int attempt = 0; attempt < count * 40 && built < count; ++attempt) {
    const Point at =
        centre + Point{Between(rng, -reach, reach), Between(rng, -reach, reach) * 0.8f};
    const float length = Between(rng, 3.8f, 6.2f);
    const float depth = Between(rng, 3.0f, 4.2f);
    const float radius = length / 2;
    if (Length(at - centre) > reach || !DiscFits(at, radius, 0.8f) || !allowed(at)) continue;
    float nearest = 1e9f;
    Point along{1, 0};
    for (const auto& street : streets) {
      const float d = DistanceToPath(at, street);
      if (d < nearest) {
        nearest = d;
        along = Unit(street[street.size() - 1] - street[street.size() - 2]);
      }
    }
    if (!streets.empty() && nearest < 2.4f + radius * 0.7f) continue;
    if (Crowded(placed, at, radius * 0.82f)) continue;
    placed.push_back({at, radius * 0.82f});
    House(canvas, at, along, length, depth, kRoofs[Pick(rng, 6)]);
    ++built;
  }
}

void DrawTown(Canvas& canvas, const TileEntry& entry) {
  const uint32_t seed = SeedOf(entry, 15);
  PaintGround(canvas, kGrass, seed);
  Rng rng(seed);
  // Gardens and yards darken the ground inside the town.
  canvas.ForEachPixel([&](int x, int y, Colour& colour) {
    const Point p = PixelCentre(x, y);
    const float inner = SmoothStep(3.0f, 9.0f, BorderDistance(p));
    const float patch = Fbm(p.x / 5.0f, p.y / 5.0f, seed + 1, 2);
    colour = Mix(colour, patch > 0.5f ? Rgb(112, 136, 70) : Rgb(150, 150, 110), inner * 0.45f);
  });
  PaintRoad(canvas, CoursePaths(kAllSides, 1.0f), 2.3f, true);
  canvas.FillDisc(HexCentre(), 5.4f, Rgb(138, 132, 122));
  canvas.FillDisc(HexCentre(), 4.6f, Rgb(170, 164, 152));
  std::vector<Footprint> placed{{HexCentre(), 5.2f}};
  if (entry.Variant % 2 == 0) {
    // A church with its tower, on a corner of the square.
    const Point church = HexCentre() + Point{-9.5f, -6.5f} * (entry.Variant == 2 ? -1.0f : 1.0f);
    House(canvas, church, {1, 0}, 8.5f, 4.6f, Rgb(128, 118, 112));
    canvas.FillRect(church.x + 4.0f, church.y - 1.8f, 3.2f, 3.2f, Rgb(80, 76, 80));
    canvas.FillRect(church.x + 4.0f, church.y - 1.8f, 1.6f, 3.2f, Rgb(108, 104, 108));
    placed.push_back({church, 5.0f});
  }
  const int houses = entry.Variant < 2 ? 44 : (entry.Variant < 4 ? 34 : 24);
  FillWithHouses(canvas, rng, CoursePaths(kAllSides, 1.0f), entry.Variant < 4 ? 25.0f : 19.0f,
                 houses, placed, [](Point) { return true; });
  for (int i = 0; i < 10; ++i) {
    const Point p{Between(rng, 8, 52), Between(rng, 6, 44)};
    if (DiscFits(p, 2, 1) && !Crowded(placed, p, 1.8f) &&
        CourseDistance(CoursePaths(kAllSides, 1.0f), p) > 5.5f) {
      placed.push_back({p, 1.8f});
      Tree(canvas, p, 1.8f, TreeColour(rng, kTreeGreen), false);
    }
  }
}

void DrawPort(Canvas& canvas, const TileEntry& entry) {
  const uint32_t seed = SeedOf(entry, 16);
  const SideSet land = static_cast<SideSet>(kAllSides & ~entry.WaterSides);
  Canvas ground(kTileWidth, kTileHeight);
  PaintGround(ground, kGrass, seed);
  // The harbour basin reaches in from the sea sides; the quay rims it. Near
  // a corner shared with land the shore keeps the coast's distance, so the
  // neighbouring coast tiles run on into the port.
  auto basin = [&](Point p) {
    float sea = 1e9f;
    for (int d = 1; d <= 6; ++d)
      if (HasSide(entry.WaterSides, d)) sea = std::min(sea, DistanceToSide(p, d));
    const float shore = ShoreDistance(p, entry.WaterSides, 7.0f, seed);
    return std::max(sea - 15.0f, -shore);  // negative in the water
  };
  canvas.ForEachPixel([&](int x, int y, Colour& colour) {
    const Point p = PixelCentre(x, y);
    const float water = basin(p);
    const Colour sea = Mix(kShallowSea, kDeepSea, SmoothStep(0.0f, 12.0f, -water) * 0.7f + 0.2f);
    const Colour yard =
        Mix(ground.At(x, y), Rgb(160, 154, 138), SmoothStep(9.0f, 3.0f, water) * 0.7f);
    colour = Mix(yard, kQuay, Clamp01(0.5f - (water - 1.6f)));
    colour = Mix(colour, sea, Clamp01(0.5f - water));
  });
  if (land != 0) PaintRoad(canvas, CoursePaths(land, 1.0f), 2.3f, true);
  Rng rng(seed);
  // Piers and boats in the basin.
  const Point centre = HexCentre();
  for (int d = 1; d <= 6; ++d) {
    if (!HasSide(entry.WaterSides, d)) continue;
    const Point m = SideMidpoint(d);
    const Point in = Unit(centre - m);
    const Point across = Perpendicular(in);
    const Point pier[] = {m + in * 15.0f + across * 4.5f, m + in * 5.0f + across * 4.5f};
    canvas.StrokePath(pier, 1.1f, Rgb(120, 98, 70));
    const Point boat = m + in * 8.5f - across * 3.5f;
    const Point hullAlong = in;
    House(canvas, boat, hullAlong, 6.0f, 2.6f, Rgb(196, 188, 170));
    canvas.FillDisc(boat, 0.9f, Rgb(150, 60, 48));
  }
  // Warehouses along the streets, clear of the water.
  std::vector<Footprint> placed;
  std::vector<std::vector<Point>> streets;
  if (land != 0) streets = CoursePaths(land, 1.0f);
  FillWithHouses(canvas, rng, streets, 22.0f, 18, placed, [&](Point p) { return basin(p) > 6.5f; });
  for (int attempt = 0; attempt < 200 && placed.size() < 10; ++attempt) {
    const Point p{Between(rng, 8, 52), Between(rng, 6, 44)};
    const float length = Between(rng, 6, 9), depth = Between(rng, 4, 5);
    const float radius = length / 2;
    if (!DiscFits(p, radius, 1.0f) || basin(p) < radius + 3.0f || Crowded(placed, p, radius) ||
        (land != 0 && CourseDistance(CoursePaths(land, 1.0f), p) < radius + 3.5f))
      continue;
    placed.push_back({p, radius});
    House(canvas, p, rng.Uniform() < 0.5 ? Point{1, 0} : Point{0, 1}, length, depth,
          Rgb(128, 126, 120));
  }
}

void DrawAirfield(Canvas& canvas, const TileEntry& entry) {
  const uint32_t seed = SeedOf(entry, 17);
  PaintGround(canvas, kGrass, seed);
  const int d = entry.Variant % 3 + 1;
  const Point a = SideMidpoint(d), b = SideMidpoint(d + 3);
  const Point centre = HexCentre();
  const Point from = Lerp(centre, a, 0.72f), to = Lerp(centre, b, 0.72f);
  const Point along = Unit(to - from);
  const Point across = Perpendicular(along);
  const Point runway[] = {from, to};
  canvas.StrokePath(runway, 4.4f, Scaled(kAsphalt, 0.8f));
  canvas.StrokePath(runway, 3.6f, kAsphalt);
  // Centre line dashes.
  const float length = Length(to - from);
  for (float s = 3; s + 2 < length - 2; s += 5) {
    const Point dash[] = {from + along * s, from + along * (s + 2.2f)};
    canvas.StrokePath(dash, 0.4f, Rgb(232, 232, 224));
  }
  // Apron and hangar to one side.
  const Point apron = centre + across * 11.0f;
  const Point taxi[] = {centre, apron};
  canvas.StrokePath(taxi, 1.4f, kAsphalt);
  canvas.FillDisc(apron, 5.0f, Scaled(kAsphalt, 1.15f));
  Building(canvas, apron.x - 4, apron.y - 3, 8, 6, Rgb(150, 152, 150));
  // A small aeroplane on the apron.
  const Point plane = centre - across * 9.0f;
  const Point wing[] = {plane + Point{-3.5f, 0}, plane + Point{3.5f, 0}};
  const Point body[] = {plane + Point{0, -3}, plane + Point{0, 3}};
  const Point tail[] = {plane + Point{-1.5f, 2.4f}, plane + Point{1.5f, 2.4f}};
  for (const auto& part :
       {std::span<const Point>(wing), std::span<const Point>(body), std::span<const Point>(tail)})
    canvas.StrokePath(part, 0.7f, Rgb(220, 222, 226));
}

void DrawFortress(Canvas& canvas, const TileEntry& entry) {
  const uint32_t seed = SeedOf(entry, 18);
  PaintGround(canvas, kGrass, seed);
  const Point c = HexCentre();
  const int points = entry.Variant == 0 ? 4 : 5;
  // A star fort: bastions at the points, curtains between them.
  std::vector<Point> star;
  const float outer = entry.Variant == 0 ? 17.0f : 16.0f;
  const float inner = entry.Variant == 0 ? 10.0f : 10.5f;
  // Directions round the fort from a table of cosines and sines (no trigonometry at run time).
  static constexpr float kSquare[8][2] = {
      {0.0f, -1.0f}, {0.7071f, -0.7071f}, {1.0f, 0.0f},  {0.7071f, 0.7071f},
      {0.0f, 1.0f},  {-0.7071f, 0.7071f}, {-1.0f, 0.0f}, {-0.7071f, -0.7071f}};
  static constexpr float kPentagon[10][2] = {
      {0.0f, -1.0f},       {0.5878f, -0.809f}, {0.9511f, -0.309f}, {0.9511f, 0.309f},
      {0.5878f, 0.809f},   {0.0f, 1.0f},       {-0.5878f, 0.809f}, {-0.9511f, 0.309f},
      {-0.9511f, -0.309f}, {-0.5878f, -0.809f}};
  for (int i = 0; i < points * 2; ++i) {
    const float* dir = points == 4 ? kSquare[i] : kPentagon[i];
    const float r = i % 2 == 0 ? outer : inner;
    star.push_back(c + Point{dir[0] * r * 1.15f, dir[1] * r * 0.92f});
  }
  std::vector<Point> moat;
  for (Point p : star) moat.push_back(c + (p - c) * 1.22f);
  canvas.FillPolygon(moat, Rgb(80, 120, 130));
  std::vector<Point> glacis;
  for (Point p : star) glacis.push_back(c + (p - c) * 1.06f);
  canvas.FillPolygon(glacis, Rgb(120, 136, 80));
  std::vector<Point> shadow;
  for (Point p : star) shadow.push_back(p + Point{1.2f, 1.4f});
  canvas.FillPolygon(shadow, kBlack, 0.35f);
  canvas.FillPolygon(star, Rgb(150, 138, 106));
  std::vector<Point> yard;
  for (Point p : star) yard.push_back(c + (p - c) * 0.7f);
  canvas.FillPolygon(yard, Rgb(176, 164, 130));
  Building(canvas, c.x - 4, c.y - 3, 8, 5, Rgb(120, 84, 70));
  canvas.FillRect(c.x + 4.5f, c.y - 6, 0.8f, 6, Rgb(60, 50, 40));
  canvas.FillRect(c.x + 5.3f, c.y - 6, 3, 2, Rgb(196, 40, 40));
}

}  // namespace

void OverlayCell::DrawOver(Canvas& canvas) const {
  for (int y = 0; y < kTileHeight; ++y)
    for (int x = 0; x < kTileWidth; ++x)
      if (At(x, y)) canvas.At(x, y) = Picture.At(x, y);
}

OverlayCell RailArm(int d) {
  OverlayCell cell;
  const Point centre = HexCentre();
  const Point m = SideMidpoint(d);
  const Point direction = Unit(m - centre);
  // The bed runs a little past the centre, so arms that meet there join.
  const Point from = centre - direction * 2.0f;
  const Point to = m + direction * 3.0f;
  for (int y = 0; y < kTileHeight; ++y) {
    for (int x = 0; x < kTileWidth; ++x) {
      if (!InsideHex(x, y)) continue;
      const Point p = PixelCentre(x, y);
      if (DistanceToSegment(p, from, to) > 3.5f) continue;
      const float lateral = std::fabs(Cross(direction, p - centre));
      const float fromSide = Dot(m - p, direction);
      Colour colour = Scaled(kBallast, 0.92f + 0.16f * HashUnit(x, y, 41u));
      if (lateral > 2.8f) colour = Scaled(colour, 0.82f);
      // Sleepers every 4 pixels, one of them astride the side.
      const float phase = (fromSide + 0.8f) / 4.0f;
      if (phase - std::floor(phase) < 0.4f && lateral < 3.1f) colour = kSleeper;
      colour = Mix(colour, kRailSteel, Clamp01(0.5f + 0.55f - std::fabs(lateral - 1.7f)));
      cell.Set(x, y, colour);
    }
  }
  return cell;
}

OverlayCell RoadArm(int d) {
  OverlayCell cell;
  const Point centre = HexCentre();
  const Point m = SideMidpoint(d);
  const Point direction = Unit(m - centre);
  const Point to = m + direction * 3.0f;
  // Brighter than the roads of the tiles: the road-side tool shows the
  // links stored in the map, which a designer must tell from drawn roads.
  for (int y = 0; y < kTileHeight; ++y) {
    for (int x = 0; x < kTileWidth; ++x) {
      if (!InsideHex(x, y)) continue;
      const float distance = DistanceToSegment(PixelCentre(x, y), centre, to);
      if (distance > 3.0f) continue;
      const Colour edge = Rgb(96, 56, 24);
      const Colour surface = Rgb(240, 178, 60);
      cell.Set(x, y, Mix(edge, surface, Clamp01(0.5f - (distance - 1.8f))));
    }
  }
  return cell;
}

void ClipToHex(Canvas& canvas) {
  canvas.ForEachPixel([](int x, int y, Colour& colour) {
    if (!InsideHex(x, y)) colour = kBlack;
  });
}

Canvas DrawTile(const TileEntry& entry) {
  Canvas canvas(kTileWidth, kTileHeight);
  switch (entry.Art) {
    case TileArt::kEmpty:
      break;
    case TileArt::kOpenSea:
    case TileArt::kCoast:
      DrawSea(canvas, entry);
      break;
    case TileArt::kLake:
      DrawLake(canvas, entry);
      break;
    case TileArt::kClear:
      DrawClear(canvas, entry);
      break;
    case TileArt::kRoad:
      DrawRoadTile(canvas, entry);
      break;
    case TileArt::kRail:
      DrawRailTile(canvas, entry);
      break;
    case TileArt::kRiver:
      DrawRiver(canvas, entry, 4.5f, 1.6f);
      break;
    case TileArt::kStream:
      DrawRiver(canvas, entry, 2.2f, 1.0f);
      break;
    case TileArt::kBridge:
      DrawBridge(canvas, entry);
      break;
    case TileArt::kMountain:
      DrawMountains(canvas, entry);
      break;
    case TileArt::kMassif:
      DrawMassifTile(canvas, entry);
      break;
    case TileArt::kHills:
      DrawHills(canvas, entry);
      break;
    case TileArt::kTown:
      DrawTown(canvas, entry);
      break;
    case TileArt::kPort:
      DrawPort(canvas, entry);
      break;
    case TileArt::kForest:
      DrawForest(canvas, entry);
      break;
    case TileArt::kCopse:
      DrawCopse(canvas, entry);
      break;
    case TileArt::kSwamp:
      DrawSwamp(canvas, entry);
      break;
    case TileArt::kRough:
      DrawRough(canvas, entry);
      break;
    case TileArt::kDesert:
      DrawDesert(canvas, entry);
      break;
    case TileArt::kFarmland:
      DrawFarmland(canvas, entry);
      break;
    case TileArt::kAirfield:
      DrawAirfield(canvas, entry);
      break;
    case TileArt::kFortress:
      DrawFortress(canvas, entry);
      break;
  }
  ClipToHex(canvas);
  return canvas;
}

QImage DrawTileSheet(const TileCatalogue& catalogue) {
  QImage sheet(catalogue.SheetWidth(), catalogue.SheetHeight(), QImage::Format_RGB32);
  sheet.fill(0xff000000u);
  for (const TileEntry& entry : catalogue.Tiles) {
    const int column = entry.Number % kTilesPerRow;
    const int row = entry.Number / kTilesPerRow;
    DrawTile(entry).CopyInto(sheet, column * kTileWidth, row * kTileHeight);
  }
  return sheet;
}

}  // namespace korv::demo
