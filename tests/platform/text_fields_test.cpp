#include "platform/text_fields.h"

#include <gtest/gtest.h>

namespace korv {
namespace {

std::vector<std::string> AllFields(const std::string& text) {
  TextFieldReader reader(text);
  std::vector<std::string> fields;
  std::string field;
  while (reader.Next(field)) fields.push_back(field);
  return fields;
}

TEST(TextFieldReader, SplitsFieldsAsTheGameWritesThem) {
  struct Case {
    const char* name;
    std::string text;
    std::vector<std::string> fields;
  };
  const Case cases[] = {
      {"commas and CR LF", "1,2\r\n3\r\n", {"1", "2", "3"}},
      {"LF only", "1,2\n3\n", {"1", "2", "3"}},
      {"CR only", "a\rb", {"a", "b"}},
      {"quotes are stripped", "\"Sea\",0,\"River, deep\"\r\n", {"Sea", "0", "River, deep"}},
      {"blanks around unquoted fields", "  12 , abc  \r\n", {"12", "abc"}},
      {"quoted blanks are kept", "\" a \"", {" a "}},
      {"blank lines are no fields", "1\r\n\r\n\n2\r\n", {"1", "2"}},
      {"empty field between commas", "1,,2", {"1", "", "2"}},
      {"comma at the end of a line", "1,\r\n2", {"1", "2"}},
      {"no final line end", "x", {"x"}},
      {"empty text", "", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(AllFields(c.text), c.fields) << c.name;
}

TEST(TextFieldReader, NumbersAndSkips) {
  TextFieldReader reader("\"Hex width\",60\r\n\"Hex height\",50.5\r\n\"Flat\",abc\r\n");
  reader.Skip(1);
  EXPECT_EQ(reader.NextI16(), 60);
  reader.Skip(1);
  EXPECT_EQ(reader.NextI16(), 50);  // half to even
  reader.Skip(1);
  EXPECT_EQ(reader.NextI16(), 0);  // not a number
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(reader.NextI16(), 0);  // past the end
  EXPECT_EQ(reader.FieldsRead(), 6);
}

TEST(ParseLeadingNumber, TakesTheLeadingNumberOnly) {
  struct Case {
    const char* text;
    double value;
  };
  const Case cases[] = {{"12", 12}, {"12abc", 12},     {" -3.5", -3.5}, {"+7", 7},   {"abc", 0},
                        {"", 0},    {".", 0},          {"-", 0},        {".5", 0.5}, {"1e3", 1000},
                        {"2e", 2},  {"1.5E-1x", 0.15}, {"0012", 12}};
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(ParseLeadingNumber(c.text), c.value) << c.text;
}

TEST(RoundToI16, RoundsHalfToEvenAndClamps) {
  struct Case {
    double value;
    int16_t rounded;
  };
  const Case cases[] = {{2.5, 2},       {3.5, 4},         {-2.5, -2},       {2.4999, 2},
                        {40000, 32767}, {-40000, -32768}, {32767.4, 32767}, {0, 0}};
  for (const Case& c : cases) EXPECT_EQ(RoundToI16(c.value), c.rounded) << c.value;
}

}  // namespace
}  // namespace korv
