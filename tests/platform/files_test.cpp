#include "platform/files.h"

#include <gtest/gtest.h>

#include "support/test_folder.h"

namespace korv {
namespace {

using test::TempFolder;

TEST(GameFolder, FindsFilesWhateverTheirCaseButPrefersTheExactName) {
  TempFolder folder;
  folder.WriteText("bmp/mapl.bmp", "x");
  folder.WriteText("Data/HexData.txt", "y");
  folder.WriteText("maps/A.map", "1");
  folder.WriteText("maps/a.map", "2");
  GameFolder game = folder.Game();
  EXPECT_EQ(game.Resolve("BMP/MAPL.BMP"), folder / "bmp/mapl.bmp");
  EXPECT_EQ(game.Resolve("data\\hexdata.txt"), folder / "Data/HexData.txt");
  EXPECT_TRUE(game.Exists("bmp\\Mapl.Bmp"));
  // A missing file keeps the spelling asked for, below the folders that exist.
  EXPECT_EQ(game.Resolve("DATA/new.txt"), folder / "Data/new.txt");
  EXPECT_FALSE(game.Exists("data/none.txt"));
  EXPECT_EQ(game.Resolve("maps/a.map"), folder / "maps/a.map");
  EXPECT_EQ(game.Resolve("maps/A.map"), folder / "maps/A.map");
}

TEST(WriteFileAtomically, ReplacesTheFileLeavesNoTemporaryAndNamesAMissingFolder) {
  TempFolder folder;
  folder.WriteText("out.map", "old contents");
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(folder / "out.map", std::string_view("new"), &error)) << error;
  EXPECT_EQ(folder.ReadText("out.map"), "new");
  EXPECT_EQ(ListFiles(folder.Path(), "*").size(), 1u);
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

TEST(ByteFile, ReadsAndWritesAtOneBasedPositionsAndCreatesAMissingFile) {
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
  ASSERT_TRUE(file.Open(folder / "new.dat"));
  file.WriteI32(1, 0x01020304);
  file.Close();
  EXPECT_EQ(folder.ReadBytes("new.dat"), (std::vector<uint8_t>{4, 3, 2, 1}));
}

// Listing goes through the file dialog's wildcard patterns.
TEST(ListFiles, ListsFilesMatchingAPatternInNameOrder) {
  TempFolder folder;
  for (const char* name : {"b.map", "a.MAP", "c.mapx", "game012.scn", "game1.scn", "aXbXc", "aXbX"})
    folder.WriteText(name, "");
  std::filesystem::create_directories(folder / "d.map");
  const auto listed = [&folder](const char* pattern) {
    std::vector<std::string> names;
    for (const auto& file : ListFiles(folder.Path(), pattern)) names.push_back(file.filename());
    return names;
  };
  EXPECT_EQ(listed("*.map"), (std::vector<std::string>{"a.MAP", "b.map"}));
  EXPECT_EQ(listed("game0??.scn"), std::vector<std::string>{"game012.scn"});
  EXPECT_EQ(listed("a*b*c"), std::vector<std::string>{"aXbXc"});
  EXPECT_EQ(listed("*").size(), 7u);
  EXPECT_TRUE(MatchesPattern("", "*"));
}

}  // namespace
}  // namespace korv
