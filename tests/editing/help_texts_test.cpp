// The tile commands' labels read from korv_info/s2_help.txt: the fields it
// has replace the first labels, the rest stay built in. How fields are split
// is the text reader's tests'.
#include "editing/help_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_folder.h"

namespace korv {
namespace {

TEST(TileCommandTexts, ReadFromTheHelpFile) {
  struct Case {
    const char* name;
    const char* path;  // "" for no file
    std::string text;
    std::vector<std::string> replaced;  // labels 0.. that the file replaces
  };
  const Case cases[] = {
      {"no file", "", "", {}},
      {"empty file", "korv_info/s2_help.txt", "", {}},
      {"a short file stops at its end",
       "korv_info/s2_help.txt",
       "\"One\",\"Two\"\r\n\"Three\"\r\n",
       {"One", "Two", "Three"}},
      {"a longer file: label 8 keeps its built-in text",
       "korv_info/s2_help.txt",
       "\"1\",\"2\",\"3\",\"4\",\"5\",\"6\",\"7\",\"8\",\"9\",\"10\"\r\n",
       {"1", "2", "3", "4", "5", "6", "7", "8"}},
      {"the file's name in another case", "KORV_INFO/S2_Help.TXT", "\"Upper\"\r\n", {"Upper"}},
  };
  const TileCommandTexts builtIn = BuiltInTileCommandTexts();
  for (const Case& c : cases) {
    test::TempFolder folder;
    if (*c.path) folder.WriteText(c.path, c.text);
    TileCommandTexts expected = builtIn;
    for (size_t i = 0; i < c.replaced.size(); ++i) expected[i] = c.replaced[i];
    EXPECT_EQ(ReadTileCommandTexts(folder.Game()), expected) << c.name;
  }
}

}  // namespace
}  // namespace korv
