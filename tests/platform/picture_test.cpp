#include "platform/picture.h"

#include <gtest/gtest.h>

#include "support/test_folder.h"

namespace korv {
namespace {

// A picture whose every pixel differs, so a misplaced transfer shows.
Picture Numbered(int width, int height) {
  Picture picture(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) picture.SetPixel(x, y, static_cast<uint32_t>(y * 1000 + x + 1));
  }
  return picture;
}

// Copy computed pixel by pixel from an untouched source, for comparison.
Picture ReferenceCopy(const Picture& original, int dx, int dy, int sx, int sy, int w, int h) {
  Picture result = Numbered(original.Width(), original.Height());
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      int tx = dx + x, ty = dy + y, fx = sx + x, fy = sy + y;
      if (tx < 0 || ty < 0 || tx >= original.Width() || ty >= original.Height()) continue;
      if (fx < 0 || fy < 0 || fx >= original.Width() || fy >= original.Height()) continue;
      result.SetPixel(tx, ty, original.PixelAt(fx, fy));
    }
  }
  return result;
}

void ExpectSamePixels(const Picture& a, const Picture& b, const std::string& what) {
  ASSERT_EQ(a.Width(), b.Width());
  ASSERT_EQ(a.Height(), b.Height());
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      ASSERT_EQ(a.PixelAt(x, y), b.PixelAt(x, y)) << what << " at " << x << "," << y;
    }
  }
}

TEST(Picture, OverlappingCopiesWithinOnePictureReadTheOldPixels) {
  struct Case {
    const char* name;
    int dx, dy, sx, sy, w, h;
  };
  // The one-step scrolls of the map view shift the buffer onto itself.
  const Case cases[] = {
      {"right", 5, 0, 0, 0, 15, 12},
      {"left", 0, 0, 5, 0, 15, 12},
      {"down", 0, 4, 0, 0, 20, 8},
      {"up", 0, 0, 0, 4, 20, 8},
      {"diagonal", 3, 2, 0, 0, 17, 10},
      {"clipped", 15, 10, 0, 0, 20, 12},
      {"negative source", 0, 0, -3, -2, 10, 10},
  };
  for (const Case& c : cases) {
    Picture picture = Numbered(20, 12);
    Picture expected = ReferenceCopy(Numbered(20, 12), c.dx, c.dy, c.sx, c.sy, c.w, c.h);
    picture.Copy(c.dx, c.dy, picture, c.sx, c.sy, c.w, c.h);
    ExpectSamePixels(picture, expected, c.name);
  }
}

TEST(Picture, AndThenOrComposesAMaskedOverlay) {
  Picture destination(4, 1);
  for (int x = 0; x < 4; ++x) destination.SetPixel(x, 0, 0x336699);
  Picture mask(4, 1), overlay(4, 1);
  mask.Fill(0xffffff);
  mask.SetPixel(1, 0, 0);  // the overlay shows at x = 1 and 2
  mask.SetPixel(2, 0, 0);
  overlay.SetPixel(1, 0, 0xff0000);
  overlay.SetPixel(2, 0, 0x00ff00);
  destination.And(0, 0, mask, 0, 0, 4, 1);
  destination.Or(0, 0, overlay, 0, 0, 4, 1);
  EXPECT_EQ(destination.PixelAt(0, 0), 0x336699u);
  EXPECT_EQ(destination.PixelAt(1, 0), 0xff0000u);
  EXPECT_EQ(destination.PixelAt(2, 0), 0x00ff00u);
  EXPECT_EQ(destination.PixelAt(3, 0), 0x336699u);
  // Bitwise, not blended: AND of two colours keeps the common bits only.
  destination.And(3, 0, overlay, 1, 0, 1, 1);
  EXPECT_EQ(destination.PixelAt(3, 0), 0x336699u & 0xff0000u);
}

TEST(Picture, FillBlackAndOutline) {
  Picture picture(6, 5);
  picture.Fill(0xffffff);
  picture.FillBlack(1, 1, 2, 2);
  EXPECT_EQ(picture.PixelAt(1, 1), 0u);
  EXPECT_EQ(picture.PixelAt(3, 3), 0xffffffu);
  picture.DrawRectOutline({0, 0, 6, 5}, 0x0000ff);
  EXPECT_EQ(picture.PixelAt(5, 4), 0x0000ffu);
  EXPECT_EQ(picture.PixelAt(0, 2), 0x0000ffu);
  EXPECT_EQ(picture.PixelAt(3, 3), 0xffffffu);
}

TEST(Picture, StretchDoublesEveryPixel) {
  Picture source = Numbered(3, 2);
  Picture target(6, 4);
  target.Stretch({0, 0, 6, 4}, source, {0, 0, 3, 2});
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) EXPECT_EQ(target.PixelAt(x, y), source.PixelAt(x / 2, y / 2));
  }
}

TEST(Picture, PixelBytesAreBlueGreenRedAndAFourthByte) {
  Picture picture(2, 2);
  picture.SetPixel(1, 1, 0x112233);
  EXPECT_EQ(picture.BitsPerPixel(), 32);
  EXPECT_EQ(picture.BytesPerRow(), 8);
  auto bytes = picture.Bytes();
  ASSERT_EQ(bytes.size(), 16u);
  EXPECT_EQ(bytes[12], 0x33);  // blue
  EXPECT_EQ(bytes[13], 0x22);  // green
  EXPECT_EQ(bytes[14], 0x11);  // red
  picture.MutableBytes()[0] = 0x44;
  EXPECT_EQ(picture.PixelAt(0, 0), 0x000044u);
}

TEST(Picture, BmpRoundTripKeepsEveryPixel) {
  test::TempFolder folder;
  Picture picture = Numbered(7, 3);  // an odd width exercises row padding
  std::string error;
  ASSERT_TRUE(picture.SaveBmp(folder / "p.bmp", &error)) << error;
  auto bytes = folder.ReadBytes("p.bmp");
  ASSERT_GE(bytes.size(), 54u);
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[1], 'M');
  EXPECT_EQ(bytes[28], 24);  // bits per pixel
  Picture loaded;
  ASSERT_TRUE(loaded.LoadBmp(folder / "p.bmp", &error)) << error;
  ExpectSamePixels(loaded, picture, "round trip");
}

TEST(Picture, LoadingABadFileLeavesThePictureAndSaysWhy) {
  test::TempFolder folder;
  folder.WriteText("bad.bmp", "BM this is no bitmap");
  Picture picture = Numbered(2, 2);
  std::string error;
  EXPECT_FALSE(picture.LoadBmp(folder / "bad.bmp", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(picture.Width(), 2);
  EXPECT_FALSE(picture.LoadBmp(folder / "none.bmp", &error));
  EXPECT_EQ(error, "the file does not exist");
}

}  // namespace
}  // namespace korv
