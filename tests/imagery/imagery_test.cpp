#include "document/map_files.h"
#include "editing/imagery_commands.h"
#include "imagery/bitmap_utility.h"
#include "imagery/map_render.h"
#include "imagery/seasonal.h"
#include "platform/files.h"
#include "platform/random.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/blank_map.h"
#include "support/editor_fixture.h"
#include "support/korvmap_run.h"
#include "support/test_folder.h"

namespace korv {
namespace {

Picture Row(const std::vector<uint32_t>& colours) {
  Picture picture(static_cast<int>(colours.size()), 1);
  for (size_t x = 0; x < colours.size(); ++x) picture.SetPixel(static_cast<int>(x), 0, colours[x]);
  return picture;
}

std::vector<uint32_t> RowOf(const Picture& picture) {
  std::vector<uint32_t> colours;
  for (int x = 0; x < picture.Width(); ++x) colours.push_back(picture.PixelAt(x, 0));
  return colours;
}

TEST(BitmapTools, PerPixelRules) {
  Picture reduced = Row({0x000003, 0x040507, 0xffffff});
  ReduceColours(reduced, 4);
  EXPECT_EQ(RowOf(reduced), (std::vector<uint32_t>{0x000000, 0x040404, 0xfcfcfc}));
  Picture same = Row({0x123456});
  ReduceColours(same, 1);
  EXPECT_EQ(RowOf(same), std::vector<uint32_t>{0x123456});
  ReduceColours(same, 0);  // 0 counts as 4
  EXPECT_EQ(RowOf(same), std::vector<uint32_t>{0x103454});

  Picture separated = Row({0x0a0a0a, 0x090a0a, 0x30a020});
  SeparateColour(separated, 2);
  EXPECT_EQ(RowOf(separated), (std::vector<uint32_t>{0x0a0000, 0xffffff, 0xffffff}));
  Picture green = Row({0x30a020});
  SeparateColour(green, 1);
  EXPECT_EQ(RowOf(green), std::vector<uint32_t>{0x00a000});

  EXPECT_EQ(RowOf(SpriteMask(Row({0x000001, 0x000000, 0xffffff}))),
            (std::vector<uint32_t>{0x000000, 0xffffff, 0x000000}));
  EXPECT_EQ(SpriteMaskPath("maps/unit.bmp"), "maps/unitm.bmp");

  Picture replaced = Row({0x102030, 0x405060, 0x102030});
  EXPECT_FALSE(ReplaceColour(replaced, 0x102030, 0x10ffff));  // red is the same
  EXPECT_FALSE(ReplaceColour(replaced, 0x000001, 0x000000));  // a zero channel each
  EXPECT_TRUE(ReplaceColour(replaced, 0x102030, 0x0a0b0c));
  EXPECT_EQ(RowOf(replaced), (std::vector<uint32_t>{0x0a0b0c, 0x405060, 0x0a0b0c}));
}

TEST(BitmapTools, SectorsOfA600By300Picture) {
  test::TempFolder folder;
  Picture picture(600, 300);
  picture.FillRect({300, 0, 300, 300}, 0x00ff00);
  std::string error;
  ASSERT_TRUE(SaveAsSectors(picture, (folder / "newsectors").string(), error)) << error;
  const auto files = ListFiles(folder / "newsectors", "*.bmp");
  std::vector<std::string> names;
  for (const auto& file : files) names.push_back(file.filename().string());
  EXPECT_EQ(names, (std::vector<std::string>{"0000.bmp", "0001.bmp", "0100.bmp", "0101.bmp",
                                             "0200.bmp", "0201.bmp"}));
  Picture second;
  ASSERT_TRUE(second.LoadBmp(folder / "newsectors/0100.bmp"));
  EXPECT_EQ(second.PixelAt(0, 0), 0x00ff00u);
  EXPECT_EQ(SectorFileName(30300, 900), "0103.bmp");  // cut to the last two digits
}

TEST(BitmapTools, MarksOfASmallerPictureAreNeverWrittenOrReadPastTheirEnd) {
  Picture picture(8, 6);
  picture.Fill(0x808080);
  MapDocument document = test::BlankMap(3, 2);  // the map of a 3 x 2 picture
  BitmapToMap conversion = StartConversion(3, 2);
  EXPECT_EQ(AssignTerrain(picture, conversion, document, 0x808080, 9, 0x205020), 48);
  EXPECT_EQ(picture.PixelAt(7, 5), 0x205020u);
  EXPECT_EQ(ConversionMark(conversion, 2, 1), 1);
  EXPECT_EQ(ConversionMark(conversion, 7, 5), 0);
  EXPECT_EQ(document.Terrain(3, 2), 9);
  EXPECT_EQ(document.Terrain(0, 0), 0);  // column 0 and row 0 have no pixel
}

TEST(BitmapUtility, AnotherPictureEndsTheConversionAndAPressIsOneChange) {
  test::SessionOnMiniGame game;
  MapEditor& session = game.session;
  Picture small(3, 2);
  small.Fill(0x808080);
  small.SetPixel(2, 1, 0x0000f0);
  Picture large(8, 6);
  large.Fill(0x808080);
  ASSERT_TRUE(small.SaveBmp(game.folder / "small.bmp"));
  ASSERT_TRUE(large.SaveBmp(game.folder / "large.bmp"));
  BitmapUtilityState state;
  ASSERT_TRUE(LoadUtilityBitmap(session.editor, state, game.Path("small.bmp")));
  ASSERT_TRUE(ConvertBitmapToMap(session.editor, state));
  MapReplaced(session, false);
  EXPECT_EQ(game.Map().MapName, "small.map");
  session.editor.CurrentTile = 16;  // forest, terrain 8
  const std::vector<uint8_t> before = game.Map().HexData;
  EXPECT_EQ(BitmapUtility_Press(session, state, 1, 1), BitmapPress::kTerrainAssigned);
  EXPECT_EQ(game.Map().Terrain(1, 1), 8);  // the hex below and right of the pixel
  EXPECT_EQ(game.Map().Terrain(3, 2), before[game.Map().Index(3, 2)]);  // the blue pixel's
  EXPECT_THAT(*BitmapUtilityCaption(state, 0, 1), testing::EndsWith(" 1"));
  UndoChange(session);
  EXPECT_EQ(game.Map().HexData, before);

  // The larger picture brings no marks of the small one and no conversion.
  ASSERT_TRUE(LoadUtilityBitmap(session.editor, state, game.Path("large.bmp")));
  EXPECT_EQ(BitmapUtilityCaption(state, 7, 5), "large.bmp 128 128 128 0");
  EXPECT_FALSE(BitmapUtilityCaption(state, 8, 5));
  EXPECT_EQ(BitmapUtility_Press(session, state, 7, 5), BitmapPress::kNothing);
  EXPECT_EQ(state.picture.PixelAt(7, 5), 0x808080u);
  EXPECT_EQ(game.Map().HexData, before);
}

TEST(MapRender, WhichHexesASectionDrawsWhere) {
  const HexGeometry g = HexGeometry::FromSizes(60, 50, 30);  // steps 45 and 50
  Picture sheet(16 * 60, 50);
  for (int t = 0; t < 16; ++t) sheet.FillRect({t * 60, 0, 60, 50}, 0x010101u * (t + 1));
  Picture mask(60, 50);  // all black: each hex clears its whole cell
  MapDocument document = test::BlankMap(5, 4);
  for (int x = 0; x <= 5; ++x)
    for (int y = 0; y <= 4; ++y) document.Tile(x, y) = static_cast<int16_t>(x + 4 * y % 8);
  // One hex by one: four hexes on a 45 x 50 picture; column 1 is odd, so
  // the second column (2, even) is half a row lower.
  auto one = RenderMapBitmap(document, g, sheet, mask, 1, 1, 1, 1);
  ASSERT_TRUE(one);
  EXPECT_EQ(one->Width(), 45);
  EXPECT_EQ(one->Height(), 50);
  EXPECT_EQ(one->PixelAt(10, 10), 0x010101u * (document.Tile(1, 1) + 1));
  EXPECT_EQ(one->PixelAt(44, 10), 0x010101u * (document.Tile(1, 1) + 1));
  // Starting at an even column shifts the first column down.
  auto even = RenderMapBitmap(document, g, sheet, mask, 2, 1, 2, 2);
  ASSERT_TRUE(even);
  EXPECT_EQ(even->PixelAt(10, 10), 0u);  // above the shifted hex
  EXPECT_EQ(even->PixelAt(10, 30), 0x010101u * (document.Tile(2, 1) + 1));
  EXPECT_EQ(even->PixelAt(50, 10), 0x010101u * (document.Tile(3, 1) + 1));
  // Past the map's last column: refused.
  EXPECT_FALSE(RenderMapBitmap(document, g, sheet, mask, 4, 1, 2, 2));
  EXPECT_EQ(SectionSize(" 0"), 1);
  EXPECT_EQ(SectionSize("-3"), 1);
  EXPECT_EQ(SectionSize("12.6"), 13);
}

TEST(KorvmapImagery, APictureBecomesAMapAndASectionAPicture) {
  test::TempFolder folder;
  test::WriteMiniGame(folder, test::DefaultMiniGame());
  Picture picture(4, 3);
  picture.Fill(0x3c3228);
  picture.SetPixel(1, 1, 0x0000fc);
  ASSERT_TRUE(picture.SaveBmp(folder / "land.bmp"));
  ASSERT_TRUE(Picture(60, 50).SaveBmp(folder / "bmp/blackhex.bmp"));
  const auto run = [&](std::vector<std::string> words) {
    words.insert(words.begin(), {"--folder", folder.Path().string()});
    return test::Korvmap(words);
  };
  // Forest (tile 16) for the blue pixel, the rest clear.
  auto made = run({"bitmap", "to-map", (folder / "land.bmp").string(),
                   (folder / "land.map").string(), "--assign", "0,0,252=16", "60,50,40=5"});
  ASSERT_EQ(made.code, kExitOk) << made.err;
  auto map = ReadMapFile(folder / "land.map", {}, made.err);
  ASSERT_TRUE(map) << made.err;
  EXPECT_EQ(map->Document.MapWidth, 4);
  EXPECT_EQ(map->Document.MapHeight, 3);
  EXPECT_EQ(map->Document.Terrain(2, 2), 8);
  EXPECT_EQ(map->Document.Terrain(1, 1), 1);
  // The whole map but its last column and row fits a section; one more does not.
  // korvmap takes a section from column and row 0 too.
  auto drawn = run({"render", (folder / "land.map").string(), "--left", "1", "--top", "1",
                    "--width", "2", "--height", "2"});
  EXPECT_EQ(drawn.code, kExitOk) << drawn.err;
  EXPECT_TRUE(FileExists(folder / "map.bmp"));
  EXPECT_EQ(run({"render", (folder / "land.map").string(), "--left", "0", "--top", "0", "--width",
                 "2", "--height", "2"})
                .code,
            kExitOk);
  auto refused = run({"render", (folder / "land.map").string(), "--left", "1", "--top", "1",
                      "--width", "4", "--height", "2"});
  EXPECT_EQ(refused.code, kExitRefused);
  EXPECT_THAT(refused.err, testing::HasSubstr("Not enough Memory"));
  // A picture cut short is refused by name; nothing is made of it.
  std::vector<uint8_t> cut = picture.EncodeBmp();
  cut.resize(cut.size() - 2);
  folder.WriteBytes("karté.bmp", cut);
  for (auto words : {std::vector<std::string>{"seasonal"}, {"bitmap", "mask"}}) {
    words.push_back((folder / "karté.bmp").string());
    auto damaged = run(words);
    EXPECT_EQ(damaged.code, kExitRefused) << words[0];
    EXPECT_THAT(damaged.err, testing::HasSubstr("karté.bmp cannot be opened: it is cut short"));
  }
  EXPECT_EQ(ListFiles(folder.Path(), "kart*").size(), 1u);
  // Whole, its seasonal pictures are named by whole characters: "é" is two
  // bytes, and "é.bmp" the five characters the names replace.
  ASSERT_TRUE(picture.SaveBmp(folder / "karté.bmp"));
  ASSERT_EQ(run({"seasonal", (folder / "karté.bmp").string()}).code, kExitOk);
  EXPECT_TRUE(FileExists(folder / "kartwd.bmp"));
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
  // On a larger picture of those colours and others, each file holds the
  // bytes of the rules applied to the whole picture, one after the other.
  Picture large(37, 23);
  SeededRandom random(4);
  for (int y = 0; y < 23; ++y)
    for (int x = 0; x < 37; ++x)
      large.SetPixel(x, y,
                     random.NextBits() % 2 ? colours[random.NextBits() % 5]
                                           : static_cast<uint32_t>(random.NextBits()));
  ASSERT_TRUE(CreateSeasonalMaps(large, path, nullptr, error)) << error;
  Picture work;
  const SeasonalRule rules[] = {SeasonalRule::kUnhighlight, SeasonalRule::kRedHex,
                                SeasonalRule::kWinter,      SeasonalRule::kUnhighlight,
                                SeasonalRule::kMud,         SeasonalRule::kUnhighlight};
  for (size_t i = 0; i < 6; ++i) {
    if (i != 3 && i != 5) work = Picture(large.Image().copy());
    ApplySeasonalRule(work, rules[i]);
    EXPECT_EQ(ReadWholeFile(folder / expected[i].file), work.EncodeBmp()) << expected[i].file;
  }
  // Without the x the name loses its last letter; too short a path names nothing.
  EXPECT_EQ(SeasonalFileNames("maps/map01.bmp").front(), "maps/map0d.bmp");
  EXPECT_TRUE(SeasonalFileNames("a.bm").empty());
  EXPECT_EQ(SeasonalFileNames("a.bmp").size(), 6u);
  EXPECT_FALSE(CreateSeasonalMaps(source, "a.bm", nullptr, error));
}

}  // namespace
}  // namespace korv
