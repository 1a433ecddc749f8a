// Reader of the comma- or line-separated text files the game and the editor
// keep (terrain tables, nation lists, reference lists). Fields are separated
// by commas or line ends (CR LF, LF or CR); a field in double quotes may hold
// commas and loses its quotes; blanks around unquoted fields are dropped.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace korv {

class TextFieldReader {
 public:
  explicit TextFieldReader(std::string text);
  static std::optional<TextFieldReader> FromFile(const std::filesystem::path& path);

  // True when no field is left (only blanks and line ends remain).
  bool AtEnd();
  // The next field; false at the end of the text (the field is then empty).
  bool Next(std::string& field);
  std::string NextField();
  // The next field as a number ("leading number of the text, 0 if none").
  double NextNumber();
  // The next field's number rounded to the nearest 16-bit integer.
  int16_t NextI16();
  void Skip(int fields);
  // Fields handed out so far, for messages such as "field 7".
  int FieldsRead() const { return fieldsRead_; }

 private:
  bool AtLineEnd() const;
  void SkipLineEnd();

  std::string text_;
  size_t pos_ = 0;
  bool lastEndedLine_ = true;
  int fieldsRead_ = 0;
};

// The leading decimal number of `text` (blanks, sign, digits, point, exponent);
// 0 when the text does not start with one.
double ParseLeadingNumber(std::string_view text);
// Rounds half to even and clamps to the 16-bit range.
int16_t RoundToI16(double value);
// Text without leading and trailing blanks.
std::string_view TrimBlanks(std::string_view text);

}  // namespace korv
