#include "scenario/nations.h"

#include <gtest/gtest.h>

#include "support/test_folder.h"

namespace korv {
namespace {

using test::TempFolder;

TEST(LoadNationList, ReadsNamesTileIdsAndOrder) {
  TempFolder folder;
  folder.WriteText("Default/Nations/NATIONS.TXT", "3\r\n\"Zeta\",4\r\nalpha,1\n\"Beta\",7\r\n");
  NationTables nations;
  std::string set;  // empty means "default"
  std::string error;
  ASSERT_TRUE(LoadNationList(nations, set, folder.Game(), error)) << error;
  EXPECT_EQ(set, "default");
  EXPECT_EQ(nations.NationCount, 3);
  EXPECT_EQ(nations.NationNames, (std::vector<std::string>{"", "Zeta", "alpha", "Beta"}));
  EXPECT_EQ(nations.NationTileId, (std::vector<int16_t>{0, 3, 0, 6}));
  // Ordinal order puts upper case first: Beta, Zeta, alpha.
  EXPECT_EQ(nations.NationOrder, (std::vector<int16_t>{0, 3, 1, 2}));

  // No nations at all is a list too.
  folder.WriteText("Default/Nations/NATIONS.TXT", "0\r\n");
  ASSERT_TRUE(LoadNationList(nations, set, folder.Game(), error)) << error;
  EXPECT_EQ(nations.NationCount, 0);
  EXPECT_EQ(nations.NationOrder, std::vector<int16_t>{0});
}

TEST(LoadNationList, MissingAndMalformedListsAreExplainedAndLeaveNoNations) {
  struct Case {
    const char* name;
    const char* text;  // nullptr: no file
    const char* says;
  } const cases[] = {
      {"no file", nullptr, "does not exist"},
      {"empty file", "", "it is empty"},
      {"count not a number", "many\r\nA,1\r\n", "begins with \"many\""},
      {"negative count", "-2\r\n", "negative number of nations (-2)"},
      {"fewer nations than announced", "3\r\nA,1\r\nB,2\r\n",
       "announces 3 nations but lists only 2"},
      {"name without tile id", "1\r\nA\r\n", "lists only 0"},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    if (c.text) folder.WriteText("winter/nations/nations.txt", c.text);
    NationTables nations;
    nations.NationCount = 5;
    std::string set = "winter";
    std::string error;
    EXPECT_FALSE(LoadNationList(nations, set, folder.Game(), error)) << c.name;
    EXPECT_NE(error.find("nations.txt"), std::string::npos) << c.name << ": " << error;
    EXPECT_NE(error.find(c.says), std::string::npos) << c.name << ": " << error;
    EXPECT_EQ(nations.NationCount, 0) << c.name;
    EXPECT_EQ(nations.NationNames.size(), 1u) << c.name;
  }
}

}  // namespace
}  // namespace korv
