#include "platform/picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

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

TEST(Picture, BmpRoundTripKeepsEveryPixel) {
  test::TempFolder folder;
  Picture picture = Numbered(7, 3);  // an odd width exercises row padding
  std::string error;
  ASSERT_TRUE(picture.SaveBmp(folder / "p.bmp", &error)) << error;
  auto bytes = folder.ReadBytes("p.bmp");
  ASSERT_GE(bytes.size(), 54u);
  // 96 dots per inch across and down (3780 a metre), whatever the screen has;
  // the rest of the header is checked against Qt's writer below.
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
}

// A 4 x 2 bitmap of 8-bit run-length data with two colours, red (0) and
// green (1); `data` replaces its pixel data.
std::vector<uint8_t> RunLengthBmp(std::vector<uint8_t> data) {
  std::vector<uint8_t> bytes = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 62,  0, 0, 0,  // offset 62
                                40,  0,   0, 0, 4, 0, 0, 0, 2, 0, 0,   0, 1, 0,   8, 0,
                                1,   0,   0, 0, 0, 0, 0, 0, 0, 0, 0,   0, 0, 0,   0, 0,
                                2,   0,   0, 0, 0, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0};
  for (uint8_t byte : data) bytes.push_back(byte);
  return bytes;
}

TEST(Picture, ADamagedBitmapIsRefusedWithWhatIsWrong) {
  test::TempFolder folder;
  // Bottom row: four green; top row: red, green, red as they are, then one green.
  const std::vector<uint8_t> rows = {4, 1, 0, 0, 0, 3, 0, 1, 0, 0, 1, 1, 0, 1};
  const std::vector<uint8_t> sample = Numbered(7, 3).EncodeBmp();  // rows of 21 + 3 bytes
  const auto cut = [](std::vector<uint8_t> bytes, size_t drop) {
    bytes.resize(bytes.size() - drop);
    return bytes;
  };
  std::vector<uint8_t> topDown = sample;  // height -3: the rows top down
  std::copy_n(std::array<uint8_t, 4>{0xFD, 0xFF, 0xFF, 0xFF}.begin(), 4, topDown.begin() + 22);
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    const char* fault;  // nullptr: whole
  };
  const Case cases[] = {
      {"24-bit, whole", sample, nullptr},
      {"24-bit, top down, whole", topDown, nullptr},
      {"24-bit, a byte short", cut(sample, 1), "its pixels need 72 bytes and the file holds 71"},
      {"cut in the header", cut(sample, sample.size() - 30), "cut short in its header"},
      {"cut in the colour table", cut(RunLengthBmp({}), 4), "cut short in its colour table"},
      {"run-length without its end mark", cut(RunLengthBmp(rows), 2), "no end mark"},
      {"a run past the row's end", RunLengthBmp({5, 1, 0, 1}), "past the end of row 0"},
      {"a move out of the picture", RunLengthBmp({0, 2, 1, 5, 0, 1}), "moves outside"},
      {"a third row", RunLengthBmp({0, 0, 0, 0, 1, 1, 0, 1}), "below the last row"},
      {"pixels as they are, cut", RunLengthBmp({0, 3, 0, 1}), "no end mark"},
  };
  for (const Case& c : cases) {
    folder.WriteBytes("case.bmp", c.bytes);
    Picture loaded = Numbered(2, 2);
    std::string error;
    EXPECT_EQ(loaded.LoadBmp(folder / "case.bmp", &error), c.fault == nullptr)
        << c.what << ": " << error;
    if (c.fault) {
      EXPECT_NE(error.find(c.fault), std::string::npos) << c.what << ": " << error;
      EXPECT_EQ(Pixels(loaded), Pixels(Numbered(2, 2))) << c.what;
    }
  }
  Picture whole;
  folder.WriteBytes("rle.bmp", RunLengthBmp(rows));
  ASSERT_TRUE(whole.LoadBmp(folder / "rle.bmp"));
  EXPECT_EQ(Pixels(whole), (std::vector<uint32_t>{4, 0xff0000, 0x00ff00, 0xff0000, 0x00ff00,
                                                  0x00ff00, 0x00ff00, 0x00ff00, 0x00ff00}));
}

// The bitmaps read without Qt give what Qt gives: 24-bit rows of every
// padding and another resolution, 8-bit with a full and a short colour
// table, a pixel past the short table (which Qt reads), and 16-bit.
TEST(Picture, PlainBitmapsLoadAsQtLoadsThem) {
  test::TempFolder folder;
  const auto eightBit = [](uint8_t colours, uint8_t lastPixel) {
    std::vector<uint8_t> bytes = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 40, 0, 0, 0, 5,
                                  0,   0,   0, 2, 0, 0, 0, 1, 0, 8, 0, 0, 0, 0, 0,  0, 0, 0, 0};
    const uint32_t used = colours, offset = 54 + (colours ? colours : 256) * 4;
    bytes.insert(bytes.end(),
                 {19, 11, 0, 0, 19, 11, 0, 0, static_cast<uint8_t>(used), 0, 0, 0, 0, 0, 0, 0});
    bytes[10] = offset & 0xff;
    bytes[11] = offset >> 8;
    for (uint32_t i = 0; i < offset - 54; ++i) bytes.push_back(static_cast<uint8_t>(i * 37 + 5));
    bytes.insert(bytes.end(), {0, 1, 2, 3, 4, 0, 0, 0, 4, 3, 2, 1, lastPixel, 0, 0, 0});
    return bytes;
  };
  std::vector<std::vector<uint8_t>> files = {eightBit(0, 255), eightBit(6, 5), eightBit(6, 200)};
  for (int width : {1, 2, 3, 4, 7}) files.push_back(Numbered(width, 3).EncodeBmp());
  files.back()[38] = 0x13;  // another resolution across
  // 16 bits a pixel, five of each colour: rows of 6 bytes and 2 of padding.
  files.push_back(Numbered(3, 2).EncodeBmp());
  files.back()[28] = 16;
  files.back().resize(54 + 2 * 8);
  for (const std::vector<uint8_t>& bytes : files) {
    folder.WriteBytes("plain.bmp", bytes);
    Picture loaded;
    ASSERT_TRUE(loaded.LoadBmp(folder / "plain.bmp"));
    QImage byQt;
    ASSERT_TRUE(byQt.loadFromData(bytes.data(), static_cast<int>(bytes.size()), "bmp"));
    const Picture expected(byQt);
    EXPECT_EQ(Pixels(loaded), Pixels(expected)) << &bytes - files.data();
    EXPECT_EQ(loaded.Image().dotsPerMeterX(), byQt.dotsPerMeterX()) << &bytes - files.data();
    EXPECT_EQ(loaded.Image().dotsPerMeterY(), byQt.dotsPerMeterY()) << &bytes - files.data();
  }
}

}  // namespace
}  // namespace korv
