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
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"1,2\r\n3\r\n", {"1", "2", "3"}},
      {"a\rb", {"a", "b"}},
      {"\"Sea\",0,\"River, deep\"\r\n", {"Sea", "0", "River, deep"}},  // quotes are stripped
      {"  12 , abc  \r\n", {"12", "abc"}},                             // blanks around fields go
      {"\" a \"", {" a "}},                                            // quoted blanks stay
      {"1\r\n\r\n\n2\r\n", {"1", "2"}},                                // blank lines are no fields
      {"1,,2", {"1", "", "2"}},
      {"1,\r\n2", {"1", "2"}},  // a comma at the end of a line
      {"", {}},
  };
  for (const auto& [text, fields] : cases) EXPECT_EQ(AllFields(text), fields) << text;
}

TEST(ParseLeadingNumber, TakesTheLeadingNumberOnly) {
  const std::pair<const char*, double> cases[] = {
      {"12", 12}, {"12abc", 12},     {" -3.5", -3.5}, {"+7", 7},   {"abc", 0},
      {"", 0},    {".", 0},          {"-", 0},        {".5", 0.5}, {"1e3", 1000},
      {"2e", 2},  {"1.5E-1x", 0.15}, {"0012", 12}};
  for (const auto& [text, value] : cases) EXPECT_DOUBLE_EQ(ParseLeadingNumber(text), value) << text;
}

TEST(RoundToI16, RoundsHalfToEvenAndClamps) {
  const std::pair<double, int16_t> cases[] = {{2.5, 2},         {3.5, 4},       {-2.5, -2},
                                              {2.4999, 2},      {40000, 32767}, {-40000, -32768},
                                              {32767.4, 32767}, {0, 0}};
  for (const auto& [value, rounded] : cases) EXPECT_EQ(RoundToI16(value), rounded) << value;
}

}  // namespace
}  // namespace korv
