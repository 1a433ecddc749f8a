// The tile sheet and the overlay bitmaps: the hex shape, black outside it,
// pure masks, and pictures that agree with what the tile table and the
// reference files say about roads, rail roads and water.
#include <gtest/gtest.h>

#include <cmath>

#include "demo_folder.h"
#include "document/hex_grid.h"
#include "hex_cell.h"
#include "tile_art.h"

namespace korv::demo::test {
namespace {

constexpr uint32_t kBlack = 0x000000u;
constexpr uint32_t kWhite = 0xffffffu;

int Red(uint32_t rgb) {
  return static_cast<int>((rgb >> 16) & 0xff);
}
int Green(uint32_t rgb) {
  return static_cast<int>((rgb >> 8) & 0xff);
}
int Blue(uint32_t rgb) {
  return static_cast<int>(rgb & 0xff);
}

double Distance(uint32_t rgb, Colour colour) {
  const double r = Red(rgb) - colour.r, g = Green(rgb) - colour.g, b = Blue(rgb) - colour.b;
  return std::sqrt(r * r + g * g + b * b);
}

bool Watery(uint32_t rgb) {
  return Blue(rgb) > Red(rgb) + 40 && Blue(rgb) > Green(rgb);
}

// A point `inward` pixels from the midpoint of side d toward the centre.
std::pair<int, int> NearSide(int d, float inward) {
  const Point m = SideMidpoint(d);
  const Point c = HexCentre();
  const Point toward = c - m;
  const float length = std::sqrt(toward.x * toward.x + toward.y * toward.y);
  const Point p = m + toward * (inward / length);
  return {static_cast<int>(std::floor(p.x)), static_cast<int>(std::floor(p.y))};
}

// Whether any pixel of the 3 x 3 block round (x, y) of the tile passes `test`.
template <typename Test>
bool AnyNear(const Picture& sheet, int tile, int x, int y, Test test) {
  const int left = (tile % 16) * 60, top = (tile / 16) * 50;
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      if (test(sheet.PixelAt(left + x + dx, top + y + dy))) return true;
  return false;
}

TEST(HexShape, FlatEdgesAreThirtyPixelsAndTheMiddleRowsFull) {
  const struct {
    int row, first, last;
  } kRows[] = {{0, 15, 44}, {49, 15, 44}, {24, 0, 59}, {25, 0, 59}};
  for (const auto& row : kRows) {
    for (int x = 0; x < kTileWidth; ++x)
      EXPECT_EQ(InsideHex(x, row.row), x >= row.first && x <= row.last)
          << "row " << row.row << " x " << x;
  }
}

TEST(HexShape, IsSymmetricAndConvex) {
  int previousWidth = 0;
  for (int y = 0; y < kTileHeight; ++y) {
    int width = 0, runs = 0;
    for (int x = 0; x < kTileWidth; ++x) {
      EXPECT_EQ(InsideHex(x, y), InsideHex(kTileWidth - 1 - x, y)) << x << "," << y;
      EXPECT_EQ(InsideHex(x, y), InsideHex(x, kTileHeight - 1 - y)) << x << "," << y;
      width += InsideHex(x, y) ? 1 : 0;
      if (InsideHex(x, y) && !InsideHex(x - 1, y)) ++runs;
    }
    EXPECT_EQ(runs, 1) << "row " << y;
    if (y < kTileHeight / 2) {
      EXPECT_GE(width, previousWidth) << "row " << y;
    }
    previousWidth = width;
  }
}

TEST(HexShape, NeighboursCoverTheMapWithoutGaps) {
  // Hex (2, 2) and its six neighbours, placed as the map places them: every
  // pixel of the middle hex's box lies in one of them, and no pixel lies in
  // more than two (neighbours share only their border pixels).
  const HexGeometry geometry;
  const PixelPoint middle = HexToPixel(geometry, 2, 2);
  std::vector<PixelPoint> origins{middle};
  for (int d = 1; d <= 6; ++d) {
    int16_t x = 2, y = 2;
    NeighbourStep(x, y, d);
    origins.push_back(HexToPixel(geometry, x, y));
  }
  for (int py = middle.top; py < middle.top + kTileHeight; ++py) {
    for (int px = middle.left; px < middle.left + kTileWidth; ++px) {
      int covering = 0;
      for (const PixelPoint& origin : origins)
        covering += InsideHex(px - origin.left, py - origin.top) ? 1 : 0;
      EXPECT_GE(covering, 1) << "gap at " << px << "," << py;
      EXPECT_LE(covering, 2) << "overlap at " << px << "," << py;
    }
  }
}

TEST(HexShape, BlackHexMaskIsTheShape) {
  const Picture mask = LoadDemoBitmap("bmp/blackhex.bmp");
  ASSERT_EQ(mask.Width(), kTileWidth);
  ASSERT_EQ(mask.Height(), kTileHeight);
  for (int y = 0; y < kTileHeight; ++y)
    for (int x = 0; x < kTileWidth; ++x)
      EXPECT_EQ(mask.PixelAt(x, y), InsideHex(x, y) ? kBlack : kWhite) << x << "," << y;
}

TEST(TileSheet, EveryTileIsBlackOutsideItsHexAndFilledInside) {
  const Picture sheet = LoadDemoBitmap("bmp/mapl.bmp");
  const Picture mask = LoadDemoBitmap("bmp/blackhex.bmp");
  for (const TileEntry& entry : Catalogue().Tiles) {
    const int left = (entry.Number % 16) * 60, top = (entry.Number / 16) * 50;
    int outsideNotBlack = 0, insideBlack = 0;
    for (int y = 0; y < kTileHeight; ++y) {
      for (int x = 0; x < kTileWidth; ++x) {
        const uint32_t pixel = sheet.PixelAt(left + x, top + y);
        if (mask.PixelAt(x, y) == kWhite && pixel != kBlack) ++outsideNotBlack;
        if (mask.PixelAt(x, y) == kBlack && pixel == kBlack) ++insideBlack;
      }
    }
    EXPECT_EQ(outsideNotBlack, 0) << "tile " << entry.Number;
    if (entry.Art != TileArt::kEmpty) {
      EXPECT_LT(insideBlack, 10) << "tile " << entry.Number;
    }
  }
}

TEST(TileSheet, RoadInfoAgreesWithTheTable) {
  const std::vector<uint8_t> roadInfo = ReadDemoFile("mapedit/roadinfo.dat");
  // Byte i of a tile belongs to side 5, 6, 1, 2, 3, 4.
  constexpr int kSideOfByte[6] = {5, 6, 1, 2, 3, 4};
  for (const TileEntry& entry : Catalogue().Tiles)
    for (int i = 0; i < 6; ++i)
      EXPECT_EQ(roadInfo[static_cast<size_t>(entry.Number * 6 + i)],
                HasSide(entry.LinkSides(), kSideOfByte[i]) ? 1 : 0)
          << "tile " << entry.Number << " byte " << i;
}

TEST(TileSheet, RoadsReachExactlyTheSidesTheyClaim) {
  const Picture sheet = LoadDemoBitmap("bmp/mapl.bmp");
  const std::vector<uint8_t> roadInfo = ReadDemoFile("mapedit/roadinfo.dat");
  constexpr int kSideOfByte[6] = {5, 6, 1, 2, 3, 4};
  int roadTiles = 0;
  for (const TileEntry& entry : Catalogue().Tiles) {
    if (entry.RoadSides == 0) continue;
    ++roadTiles;
    for (int i = 0; i < 6; ++i) {
      const int d = kSideOfByte[i];
      const auto [x, y] = NearSide(d, 3.0f);
      const bool road = AnyNear(sheet, entry.Number, x, y,
                                [](uint32_t p) { return Distance(p, kRoadSurface) < 24; });
      const bool claimed = roadInfo[static_cast<size_t>(entry.Number * 6 + i)] != 0;
      // A rail side of a level crossing is claimed too, but carries the rail.
      if (HasSide(entry.RailSides, d)) continue;
      EXPECT_EQ(road, claimed) << "tile " << entry.Number << " side " << d;
    }
  }
  EXPECT_GE(roadTiles, 40);
}

TEST(TileSheet, RailTilesLookTheSameUnderTheRailOverlay) {
  // The editor lays rr.bmp over every hex with rail links; on a rail tile
  // that must change no pixel where the tile's rail lies.
  const Picture sheet = LoadDemoBitmap("bmp/mapl.bmp");
  const Picture mask = LoadDemoBitmap("bmp/rrm.bmp");
  const Picture rails = LoadDemoBitmap("bmp/rr.bmp");
  int railTiles = 0;
  for (const TileEntry& entry : Catalogue().Tiles) {
    if (entry.RailSides == 0) continue;
    ++railTiles;
    const int left = (entry.Number % 16) * 60, top = (entry.Number / 16) * 50;
    for (int y = 0; y < kTileHeight; ++y) {
      for (int x = 0; x < kTileWidth; ++x) {
        // The overlay cells go down in side order, so the last one showing wins.
        int shown = 0;
        for (int d = 1; d <= 6; ++d)
          if (HasSide(entry.RailSides, d) && mask.PixelAt((d - 1) * 60 + x, y) == kBlack) shown = d;
        if (shown == 0) continue;
        ASSERT_EQ(sheet.PixelAt(left + x, top + y), rails.PixelAt((shown - 1) * 60 + x, y))
            << "tile " << entry.Number << " at " << x << "," << y;
      }
    }
    // And no rail where the tile claims none.
    for (int d = 1; d <= 6; ++d) {
      if (HasSide(entry.RailSides, d)) continue;
      const auto [x, y] = NearSide(d, 2.0f);
      EXPECT_NE(sheet.PixelAt(left + x, top + y), rails.PixelAt((d - 1) * 60 + x, y))
          << "tile " << entry.Number << " side " << d;
    }
  }
  EXPECT_GE(railTiles, 20);
}

TEST(TileSheet, WaterReachesExactlyItsWaterSides) {
  // Rivers and streams flow out through their water sides; sea, lake and
  // port tiles are open water toward their water neighbours and shore
  // toward the others. patterns.dat lists the same sides.
  const Picture sheet = LoadDemoBitmap("bmp/mapl.bmp");
  const std::vector<uint8_t> patterns = ReadDemoFile("mapedit/patterns.dat");
  constexpr int kSideOfByte[6] = {5, 6, 1, 2, 3, 4};
  const struct {
    TileArt art;
    float inward;
    int count;
  } kKinds[] = {{TileArt::kRiver, 3.0f, 21},  {TileArt::kStream, 2.0f, 21},
                {TileArt::kBridge, 3.0f, 12}, {TileArt::kCoast, 2.0f, 63},
                {TileArt::kOpenSea, 2.0f, 4}, {TileArt::kLake, 2.0f, 14},
                {TileArt::kPort, 2.0f, 18}};
  for (const auto& kind : kKinds) {
    int seen = 0;
    for (const TileEntry& entry : Catalogue().Tiles) {
      if (entry.Art != kind.art) continue;
      ++seen;
      for (int i = 0; i < 6; ++i) {
        const int d = kSideOfByte[i];
        const bool listed = patterns[static_cast<size_t>(entry.Number * 6 + i)] != 0;
        EXPECT_EQ(listed, HasSide(entry.WaterSides, d)) << "tile " << entry.Number;
        const auto [x, y] = NearSide(d, kind.inward);
        const bool wet = AnyNear(sheet, entry.Number, x, y, Watery);
        const bool dry = AnyNear(sheet, entry.Number, x, y, [](uint32_t p) { return !Watery(p); });
        if (listed) {
          EXPECT_TRUE(wet) << "tile " << entry.Number << " side " << d << " should be water";
        } else {
          EXPECT_TRUE(dry && !wet) << "tile " << entry.Number << " side " << d << " should be dry";
        }
      }
    }
    EXPECT_EQ(seen, kind.count) << static_cast<int>(kind.art);
  }
}

TEST(TileSheet, MassifTilesJoinWithoutASeam) {
  // Neighbouring massif tiles share their border pixels; cut from one
  // picture, they must agree on every one of them.
  const Picture sheet = LoadDemoBitmap("bmp/mapl.bmp");
  const HexGeometry geometry;
  auto origin = [&](const MassifPart& part) {
    return HexToPixel(geometry, 30 + part.Column, 6 + part.Row);  // tile 86 in a lower column
  };
  int shared = 0;
  for (const MassifPart& a : MassifParts()) {
    for (const MassifPart& b : MassifParts()) {
      if (a.Tile >= b.Tile) continue;
      const PixelPoint oa = origin(a), ob = origin(b);
      for (int y = 0; y < kTileHeight; ++y) {
        for (int x = 0; x < kTileWidth; ++x) {
          const int bx = oa.left + x - ob.left, by = oa.top + y - ob.top;
          if (!InsideHex(x, y) || !InsideHex(bx, by)) continue;
          ++shared;
          EXPECT_EQ(sheet.PixelAt((a.Tile % 16) * 60 + x, (a.Tile / 16) * 50 + y),
                    sheet.PixelAt((b.Tile % 16) * 60 + bx, (b.Tile / 16) * 50 + by))
              << a.Tile << " and " << b.Tile << " at " << x << "," << y;
        }
      }
    }
  }
  EXPECT_GT(shared, 40);  // slanted sides share a pixel every few rows
}

TEST(TileSheet, MountainCommandTilesAreMountains) {
  const std::vector<uint8_t> tileType = ReadDemoFile("mapedit/tiletype.dat");
  for (int tile : {75, 76, 78, 86, 90, 94, 104, 105, 115, 192})
    EXPECT_EQ(tileType[static_cast<size_t>(tile)], 3) << "tile " << tile;
}

TEST(TileSheet, DefaultTileIsTheLastRoadlessClearTile) {
  const std::vector<uint8_t> tileType = ReadDemoFile("mapedit/tiletype.dat");
  const std::vector<uint8_t> roadInfo = ReadDemoFile("mapedit/roadinfo.dat");
  int last = -1;
  for (size_t t = 0; t < tileType.size(); ++t) {
    bool road = false;
    for (size_t i = 0; i < 6; ++i) road = road || roadInfo[t * 6 + i] != 0;
    if (tileType[t] == 1 && !road) last = static_cast<int>(t);
  }
  ASSERT_GE(last, 0);
  EXPECT_EQ(last, Catalogue().DefaultTile());
  EXPECT_EQ(Catalogue().Tiles[static_cast<size_t>(last)].Art, TileArt::kClear);
}

TEST(TileSheet, RandomVariantsComeInGroups) {
  // A terrain with random variants has several of them, and only plain
  // tiles without roads or water sides vary at random.
  const std::vector<uint8_t> tileType = ReadDemoFile("mapedit/tiletype.dat");
  const std::vector<uint8_t> random = ReadDemoFile("mapedit/randomtile.dat");
  std::vector<int> perTerrain(256, 0);
  for (const TileEntry& entry : Catalogue().Tiles) {
    if (random[static_cast<size_t>(entry.Number)] != 1) continue;
    ++perTerrain[tileType[static_cast<size_t>(entry.Number)]];
    EXPECT_EQ(entry.LinkSides(), 0) << "tile " << entry.Number;
  }
  for (int terrain = 0; terrain < 256; ++terrain)
    EXPECT_NE(perTerrain[static_cast<size_t>(terrain)], 1) << "terrain " << terrain;
  EXPECT_GE(perTerrain[1], 4);
}

struct OverlayCase {
  const char* mask;
  const char* picture;
  int cells;
};

TEST(Overlays, MasksArePureAndPicturesBlackWhereTheMaskIsWhite) {
  const OverlayCase kCases[] = {{"bmp/hexm.bmp", "bmp/hexp.bmp", 1},
                                {"bmp/fx2m.bmp", "bmp/fx2.bmp", 9},
                                {"bmp/roadsm.bmp", "bmp/roads.bmp", 6},
                                {"bmp/rrm.bmp", "bmp/rr.bmp", 6}};
  for (const OverlayCase& c : kCases) {
    const Picture mask = LoadDemoBitmap(c.mask);
    const Picture picture = LoadDemoBitmap(c.picture);
    ASSERT_EQ(mask.Width(), c.cells * kTileWidth) << c.mask;
    ASSERT_EQ(mask.Height(), kTileHeight) << c.mask;
    ASSERT_EQ(picture.Width(), mask.Width()) << c.picture;
    ASSERT_EQ(picture.Height(), mask.Height()) << c.picture;
    for (int y = 0; y < mask.Height(); ++y) {
      for (int x = 0; x < mask.Width(); ++x) {
        const uint32_t m = mask.PixelAt(x, y);
        ASSERT_TRUE(m == kBlack || m == kWhite) << c.mask << " at " << x << "," << y;
        if (m == kWhite) {
          ASSERT_EQ(picture.PixelAt(x, y), kBlack) << c.picture << " " << x << "," << y;
        }
        // Nothing shows outside the hex of its cell.
        if (!InsideHex(x % kTileWidth, y)) {
          ASSERT_EQ(m, kWhite) << c.mask << " " << x << "," << y;
        }
      }
    }
  }
}

TEST(Overlays, RoadAndRailCellsLeaveThroughTheirOwnSide) {
  for (const char* file : {"bmp/roadsm.bmp", "bmp/rrm.bmp"}) {
    const Picture mask = LoadDemoBitmap(file);
    for (int cell = 0; cell < 6; ++cell) {
      const int d = cell + 1;
      EXPECT_EQ(mask.PixelAt(cell * 60 + 30, 25), kBlack) << file << " side " << d << " centre";
      for (int side = 1; side <= 6; ++side) {
        const auto [x, y] = NearSide(side, 2.0f);
        EXPECT_EQ(mask.PixelAt(cell * 60 + x, y), side == d ? kBlack : kWhite)
            << file << " cell of side " << d << " near side " << side;
      }
    }
  }
}

TEST(Overlays, EffectCellsTheEditorUses) {
  const Picture mask = LoadDemoBitmap("bmp/fx2m.bmp");
  const Picture picture = LoadDemoBitmap("bmp/fx2.bmp");
  auto shown = [&](int cell) {
    int count = 0;
    for (int y = 0; y < kTileHeight; ++y)
      for (int x = 0; x < kTileWidth; ++x) count += mask.PixelAt(cell * 60 + x, y) == kBlack;
    return count;
  };
  // Primary objective and oil markers: a mark on the upper half, clear of
  // the flag at (20, 30).
  for (int cell : {5, 8}) {
    EXPECT_GT(shown(cell), 60) << "cell " << cell;
    for (int y = 30; y < 44; ++y)
      for (int x = 20; x < 41; ++x)
        EXPECT_EQ(mask.PixelAt(cell * 60 + x, y), kWhite) << "cell " << cell << " covers the flag";
  }
  // The blue highlight at x = 420 is blue and lets the tile show through.
  EXPECT_GT(shown(7), 500);
  EXPECT_LT(shown(7), 1800);
  for (int y = 0; y < kTileHeight; ++y)
    for (int x = 0; x < kTileWidth; ++x)
      if (mask.PixelAt(420 + x, y) == kBlack) {
        const uint32_t p = picture.PixelAt(420 + x, y);
        EXPECT_GT(Blue(p), Red(p) + 60) << x << "," << y;
      }
}

TEST(Overlays, RoadSideStripMarksEachSide) {
  const Picture strip = LoadDemoBitmap("bmp/roadsp.bmp");
  ASSERT_EQ(strip.Width(), 360);
  ASSERT_EQ(strip.Height(), 50);
  auto marked = [](uint32_t p) { return Red(p) > 200 && Green(p) > 150 && Blue(p) < 120; };
  for (int cell = 0; cell < 6; ++cell) {
    for (int y = 0; y < kTileHeight; ++y)
      for (int x = 0; x < kTileWidth; ++x)
        if (!InsideHex(x, y)) {
          ASSERT_EQ(strip.PixelAt(cell * 60 + x, y), kBlack);
        }
    for (int side = 1; side <= 6; ++side) {
      const auto [x, y] = NearSide(side, 1.0f);
      EXPECT_EQ(marked(strip.PixelAt(cell * 60 + x, y)), side == cell + 1)
          << "cell " << cell << " side " << side;
    }
  }
}

}  // namespace
}  // namespace korv::demo::test
