#include "platform/picture.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageWriter>

#include "support/test_folder.h"

namespace korv {
namespace {

// Copies within one picture are checked by the view's scroll tests, against
// a full redraw after every one-step shift.

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
  // 96 dots per inch across and down (3780 a metre), whatever the screen has.
  for (size_t at : {38u, 42u}) EXPECT_EQ(bytes[at] | bytes[at + 1] << 8, 3780) << at;
  Picture loaded;
  ASSERT_TRUE(loaded.LoadBmp(folder / "p.bmp", &error)) << error;
  EXPECT_EQ(Pixels(loaded), Pixels(picture));
  // The same bytes as Qt's own bitmap writer, for every row padding.
  for (int width : {1, 2, 3, 4, 7}) {
    const Picture numbered = Numbered(width, 3);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(QImageWriter(&buffer, "bmp").write(numbered.Image()));
    EXPECT_EQ(numbered.EncodeBmp(),
              std::vector<uint8_t>(buffer.data().begin(), buffer.data().end()))
        << width;
  }

  folder.WriteText("bad.bmp", "BM this is no bitmap");
  error.clear();
  EXPECT_FALSE(loaded.LoadBmp(folder / "bad.bmp", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(Pixels(loaded), Pixels(picture));  // a refused load leaves the picture
}

}  // namespace
}  // namespace korv
