// The seasonal pictures: the tables at their edges, each rule on the
// colours it is about, and the six files with their names.
#include "imagery/seasonal.h"

#include <gtest/gtest.h>

#include "support/test_folder.h"

namespace korv {
namespace {

TEST(SeasonalTables, ValuesAtTheirEdges) {
  const ColourTable dark = DarkTable();
  const ColourTable bright = BrightTable();
  EXPECT_EQ(dark[1], 0);
  EXPECT_EQ(dark[4], 3);
  EXPECT_EQ(dark[255], 191);
  EXPECT_EQ(bright[113], 254);
  EXPECT_EQ(bright[114], 255);
  EXPECT_EQ(bright[255], 255);
  long value = 300;
  ByteMe(value);
  EXPECT_EQ(value, 255);
  value = -4;
  ByteMe(value);
  EXPECT_EQ(value, 0);
}

TEST(SeasonalMaps, SixFilesByTheirRules) {
  test::TempFolder folder;
  // One pixel per colour the rules tell apart, 0x00RRGGBB.
  const uint32_t colours[] = {0xc3c377, 0xffffff, 0xb3b373, 0xb4b373, 0x102030};
  Picture source(5, 1);
  for (int x = 0; x < 5; ++x) source.SetPixel(x, 0, colours[x]);
  const std::string path = (folder / "map01x.bmp").string();
  std::vector<std::string> steps;
  std::string error;
  ASSERT_TRUE(CreateSeasonalMaps(
      source, path, [&steps](const std::string& s) { steps.push_back(s); }, error))
      << error;
  struct Expected {
    const char* file;
    uint32_t pixels[5];
  };
  const Expected expected[] = {
      {"map01d.bmp", {0x929259, 0xbfbfbf, 0x868656, 0x878656, 0x0c1824}},
      {"map01r.bmp", {0xc30000, 0xff0000, 0xb30000, 0xb40000, 0x100000}},
      {"map01wl.bmp", {0xffffff, 0xffffff, 0xb3b373, 0xb4b373, 0x102030}},
      {"map01wd.bmp", {0xbfbfbf, 0xbfbfbf, 0x868656, 0x878656, 0x0c1824}},
      {"map01ml.bmp", {0xc3c377, 0xffffff, 0x646440, 0xb4b373, 0x102030}},
      {"map01md.bmp", {0x929259, 0xbfbfbf, 0x4b4b30, 0x878656, 0x0c1824}},
  };
  ASSERT_EQ(steps.size(), 6u);
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(steps[i], "Creating " + (folder / expected[i].file).string());
    Picture written;
    ASSERT_TRUE(written.LoadBmp(folder / expected[i].file)) << expected[i].file;
    for (int x = 0; x < 5; ++x) {
      EXPECT_EQ(written.PixelAt(x, 0), expected[i].pixels[x]) << expected[i].file << " " << x;
    }
  }
  // Without the x the name loses its last letter; too short a path names nothing.
  EXPECT_EQ(SeasonalFileNames("maps/map01.bmp").front(), "maps/map0d.bmp");
  EXPECT_TRUE(SeasonalFileNames("a.bm").empty());
  EXPECT_FALSE(CreateSeasonalMaps(source, "a.bm", nullptr, error));
}

}  // namespace
}  // namespace korv
