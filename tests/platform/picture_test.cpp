#include "platform/picture.h"

#include <gtest/gtest.h>

#include <tuple>

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

// The width, then every pixel row by row.
std::vector<uint32_t> Pixels(const Picture& picture) {
  std::vector<uint32_t> pixels = {static_cast<uint32_t>(picture.Width())};
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x) pixels.push_back(picture.PixelAt(x, y));
  return pixels;
}

TEST(Picture, OverlappingCopiesWithinOnePictureReadTheOldPixels) {
  // Destination, source and size: the one-step scrolls of the map view shift
  // the buffer onto itself (right, left, down, up, diagonal), clipped copies.
  const std::tuple<int, int, int, int, int, int> cases[] = {
      {5, 0, 0, 0, 15, 12}, {0, 0, 5, 0, 15, 12},   {0, 4, 0, 0, 20, 8},   {0, 0, 0, 4, 20, 8},
      {3, 2, 0, 0, 17, 10}, {15, 10, 0, 0, 20, 12}, {0, 0, -3, -2, 10, 10}};
  for (const auto& [dx, dy, sx, sy, w, h] : cases) {
    // The copy computed pixel by pixel from an untouched source.
    const Picture original = Numbered(20, 12);
    Picture expected = Numbered(20, 12);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const int tx = dx + x, ty = dy + y, fx = sx + x, fy = sy + y;
        if (tx < 0 || ty < 0 || tx >= 20 || ty >= 12 || fx < 0 || fy < 0 || fx >= 20 || fy >= 12)
          continue;
        expected.SetPixel(tx, ty, original.PixelAt(fx, fy));
      }
    }
    Picture picture = Numbered(20, 12);
    picture.Copy(dx, dy, picture, sx, sy, w, h);
    EXPECT_EQ(Pixels(picture), Pixels(expected)) << dx << "," << dy << " from " << sx << "," << sy;
  }
}

TEST(Picture, BmpRoundTripKeepsEveryPixelAndABadFileIsRefused) {
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
  EXPECT_EQ(Pixels(loaded), Pixels(picture));

  folder.WriteText("bad.bmp", "BM this is no bitmap");
  error.clear();
  EXPECT_FALSE(loaded.LoadBmp(folder / "bad.bmp", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(Pixels(loaded), Pixels(picture));  // a refused load leaves the picture
}

}  // namespace
}  // namespace korv
