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
      {"1,2\r\n3\n4\r5", {"1", "2", "3", "4", "5"}},        // CR LF, LF and CR
      {"\"River, deep\",\" a \"", {"River, deep", " a "}},  // quotes go, their insides stay
      {"  12 , abc  \r\n\r\n\n", {"12", "abc"}},            // blanks and blank lines go
      {"1,,2,\r\n3", {"1", "", "2", "3"}},                  // a comma at a line end
      {"", {}},
  };
  for (const auto& [text, fields] : cases) EXPECT_EQ(AllFields(text), fields) << text;
}

TEST(ParseLeadingNumber, TakesTheLeadingNumberOnlyAndRoundingIsHalfToEven) {
  const std::pair<const char*, double> cases[] = {
      {"12abc", 12}, {" -3.5", -3.5}, {"+7", 7}, {"abc", 0},       {".", 0},
      {"-", 0},      {".5", 0.5},     {"2e", 2}, {"1.5E-1x", 0.15}};
  for (const auto& [text, value] : cases) EXPECT_DOUBLE_EQ(ParseLeadingNumber(text), value) << text;
  const std::pair<double, int16_t> rounded[] = {
      {2.5, 2}, {3.5, 4}, {-2.5, -2}, {40000, 32767}, {-40000, -32768}};
  for (const auto& [value, to] : rounded) EXPECT_EQ(RoundToI16(value), to) << value;
}

}  // namespace
}  // namespace korv
