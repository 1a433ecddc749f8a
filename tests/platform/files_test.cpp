#include "platform/files.h"

#include <gtest/gtest.h>

#include "support/test_folder.h"

namespace korv {
namespace {

using test::TempFolder;

TEST(GameFolder, FindsFilesWhateverTheirCase) {
  TempFolder folder;
  folder.WriteText("bmp/mapl.bmp", "x");
  folder.WriteText("Data/HexData.txt", "y");
  GameFolder game = folder.Game();
  EXPECT_EQ(game.Resolve("BMP/MAPL.BMP"), folder / "bmp/mapl.bmp");
  EXPECT_EQ(game.Resolve("data\\hexdata.txt"), folder / "Data/HexData.txt");
  EXPECT_TRUE(game.Exists("bmp\\Mapl.Bmp"));
  // A missing file keeps the spelling asked for, below the folders that exist.
  EXPECT_EQ(game.Resolve("DATA/new.txt"), folder / "Data/new.txt");
  EXPECT_FALSE(game.Exists("data/none.txt"));
}

TEST(GameFolder, ExactMatchWinsOverOtherCases) {
  TempFolder folder;
  folder.WriteText("maps/A.map", "1");
  folder.WriteText("maps/a.map", "2");
  EXPECT_EQ(folder.Game().Resolve("maps/a.map"), folder / "maps/a.map");
  EXPECT_EQ(folder.Game().Resolve("maps/A.map"), folder / "maps/A.map");
}

TEST(WriteFileAtomically, ReplacesTheFileAndLeavesNoTemporary) {
  TempFolder folder;
  folder.WriteText("out.map", "old contents");
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(folder / "out.map", std::string_view("new"), &error)) << error;
  EXPECT_EQ(folder.ReadText("out.map"), "new");
  EXPECT_EQ(ListFiles(folder.Path(), "*").size(), 1u);
}

TEST(WriteFileAtomically, FailsWithAMessageWhenTheFolderIsMissing) {
  TempFolder folder;
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(folder / "missing/out.map", std::string_view("x"), &error));
  EXPECT_NE(error.find("out.map"), std::string::npos);
}

TEST(ReadWholeFile, AFolderIsNoFile) {
  // A folder opens as a stream of an impossible length; reading it must not
  // try to hold that many bytes (a nation set named "." reached this).
  TempFolder folder;
  EnsureFolder(folder / "nations.txt");
  EXPECT_FALSE(ReadWholeFile(folder / "nations.txt").has_value());
  EXPECT_FALSE(ReadWholeFile(folder.Path()).has_value());
}

TEST(ByteFile, ReadsAndWritesAtOneBasedPositions) {
  TempFolder folder;
  folder.WriteBytes("t.dat", {10, 20, 30});
  ByteFile file;
  ASSERT_TRUE(file.Open(folder / "t.dat"));
  EXPECT_EQ(file.ReadU8(1), 10);
  EXPECT_EQ(file.ReadU8(3), 30);
  EXPECT_EQ(file.ReadU8(4), 0);  // past the end
  EXPECT_EQ(file.ReadI16(3), 30);
  file.WriteU8(2, 99);
  file.WriteI16(6, -2);  // leaves a zero gap at positions 4 and 5
  EXPECT_EQ(file.Length(), 7);
  file.Close();
  EXPECT_EQ(folder.ReadBytes("t.dat"), (std::vector<uint8_t>{10, 99, 30, 0, 0, 0xfe, 0xff}));
}

TEST(ByteFile, CreatesAMissingFile) {
  TempFolder folder;
  ByteFile file;
  ASSERT_TRUE(file.Open(folder / "new.dat"));
  EXPECT_EQ(file.Length(), 0);
  file.WriteI32(1, 0x01020304);
  file.Close();
  EXPECT_EQ(folder.ReadBytes("new.dat"), (std::vector<uint8_t>{4, 3, 2, 1}));
}

TEST(MatchesPattern, Wildcards) {
  struct Case {
    const char* name;
    const char* pattern;
    bool matches;
  };
  const Case cases[] = {
      {"abc.map", "*.map", true},
      {"ABC.MAP", "*.map", true},
      {"abc.mapx", "*.map", false},
      {"game012.scn", "game0??.scn", true},
      {"game1.scn", "game0??.scn", false},
      {"a", "*", true},
      {"", "*", true},
      {"x.set", "*set", true},
      {"aXbXc", "a*b*c", true},
      {"aXbX", "a*b*c", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MatchesPattern(c.name, c.pattern), c.matches) << c.name << " ~ " << c.pattern;
  }
}

TEST(ListFiles, ListsMatchingFilesInNameOrder) {
  TempFolder folder;
  for (const char* name : {"b.map", "a.MAP", "c.txt"}) folder.WriteText(name, "");
  std::filesystem::create_directories(folder / "d.map");
  auto files = ListFiles(folder.Path(), "*.map");
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0].filename(), "a.MAP");
  EXPECT_EQ(files[1].filename(), "b.map");
}

}  // namespace
}  // namespace korv
