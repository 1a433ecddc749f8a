// The help windows' texts: the keyboard help exactly as shown, and the tile
// commands with and without korv_info/s2_help.txt.
#include "editing/help_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_folder.h"

namespace korv {
namespace {

TEST(HelpTextsTest, KeyboardHelpIsTheFourteenLinesEachEndedByACarriageReturn) {
  const std::string expected =
      "Korv Map Editor version 569\r"
      "Keyboard commands:\r"
      "F1 Show jump/strategic map.\r"
      "F2 Show tiles.\r"
      "F3 Show Country control/objectives form.\r"
      "F4 Select current Map Tile to hightlight in BlUE. ON/OFF\r"
      "Up,Down,Left,Right arrow keys - scroll map up,down,left,right.\r"
      "A - Toggle AutoDraw on / off\r"
      "B - Replace current hex tile with previous tile of the terrain type.\r"
      "C - Toggle Jump map box colour from Black to White.\r"
      "N - Replace current hex tile with next tile of the terrain type.\r"
      "R - Toggle Randomize Tiles On or Off.\r"
      "Right Mouse Button (Main Screen) - Pick up tile.\r"
      "Right Mouse Button (Tile screen) - Set Tile Info.\r";
  EXPECT_EQ(KeyboardHelpText(569), expected);
  const std::string other = KeyboardHelpText(570);
  EXPECT_EQ(other.substr(0, other.find('\r')), "Korv Map Editor version 570");
  EXPECT_EQ(other.find('\n'), std::string::npos);
}

const std::vector<std::string> kBuiltIn = {
    "F1 - Display this screen",
    "F2 - Set Tile Terrain Type",
    "F3 - Set Tile Road Connections",
    "F4 - Set Tile Terrain Patterns (AutoTile Info)",
    "Left Click - Select tile to place on Map Screen.",
    "Right Click - Open Road Connections screen.",
    "Same as hitting F2.",
    "Terrain NOT Tile based patterns. ",
    "For more info see \\korv_info\\patterns.",
};

std::vector<std::string> AsVector(const TileCommandTexts& texts) {
  return std::vector<std::string>(texts.begin(), texts.end());
}

TEST(HelpTextsTest, BuiltInTileCommands) {
  EXPECT_EQ(AsVector(BuiltInTileCommandTexts()), kBuiltIn);
  test::TempFolder folder;
  EXPECT_EQ(AsVector(ReadTileCommandTexts(folder.Game())), kBuiltIn);
}

TEST(HelpTextsTest, TileCommandsFromTheHelpFile) {
  struct Case {
    const char* name;
    const char* path;
    std::string text;
    std::vector<std::string> replaced;  // labels 0.. that the file replaces
  };
  const Case cases[] = {
      {"empty file", "korv_info/s2_help.txt", "", {}},
      {"short file stops at its end",
       "korv_info/s2_help.txt",
       "\"One\",\"Two\"\r\n\"Three\"\r\n",
       {"One", "Two", "Three"}},
      {"exactly eight fields, one a line, last line unended",
       "korv_info/s2_help.txt",
       "a\nb\nc\nd\ne\nf\ng\nh",
       {"a", "b", "c", "d", "e", "f", "g", "h"}},
      {"longer file: label 8 keeps its built-in text",
       "korv_info/s2_help.txt",
       "\"1\",\"2\",\"3\",\"4\",\"5\",\"6\",\"7\",\"8\",\"9\",\"10\"\r\n",
       {"1", "2", "3", "4", "5", "6", "7", "8"}},
      {"quoted commas stay, blanks inside quotes stay",
       "korv_info/s2_help.txt",
       "\"F1 - Show, then hide\",\" padded \"\r\n",
       {"F1 - Show, then hide", " padded "}},
      {"file name in another case", "KORV_INFO/S2_Help.TXT", "\"Upper\"\r\n", {"Upper"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempFolder folder;
    folder.WriteText(c.path, c.text);
    std::vector<std::string> expected = kBuiltIn;
    for (size_t i = 0; i < c.replaced.size(); ++i) expected[i] = c.replaced[i];
    EXPECT_EQ(AsVector(ReadTileCommandTexts(folder.Game())), expected);
  }
}

}  // namespace
}  // namespace korv
