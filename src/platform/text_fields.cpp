#include "platform/text_fields.h"

#include <cmath>
#include <cstdlib>
#include <limits>

#include "platform/files.h"

namespace korv {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

TextFieldReader::TextFieldReader(std::string text) : text_(std::move(text)) {}

std::optional<TextFieldReader> TextFieldReader::FromFile(const std::filesystem::path& path) {
  auto bytes = ReadWholeFile(path);
  if (!bytes) return std::nullopt;
  return TextFieldReader(std::string(bytes->begin(), bytes->end()));
}

bool TextFieldReader::AtLineEnd() const {
  return pos_ < text_.size() && (text_[pos_] == '\r' || text_[pos_] == '\n');
}

void TextFieldReader::SkipLineEnd() {
  if (pos_ < text_.size() && text_[pos_] == '\r') ++pos_;
  if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
}

bool TextFieldReader::AtEnd() {
  size_t probe = pos_;
  while (probe < text_.size()) {
    char c = text_[probe];
    if (IsBlank(c) || c == '\r' || c == '\n' || c == '\x1a') {
      ++probe;
      continue;
    }
    return false;
  }
  return true;
}

bool TextFieldReader::Next(std::string& field) {
  field.clear();
  // Blank lines between fields are not fields of their own.
  for (;;) {
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
    if (lastEndedLine_ && AtLineEnd()) {
      SkipLineEnd();
      continue;
    }
    break;
  }
  if (pos_ >= text_.size() || (lastEndedLine_ && AtEnd())) return false;

  if (text_[pos_] == '"') {
    ++pos_;
    size_t close = text_.find('"', pos_);
    if (close == std::string::npos) close = text_.size();
    field = text_.substr(pos_, close - pos_);
    pos_ = std::min(close + 1, text_.size());
    // Anything between the closing quote and the separator is dropped.
    while (pos_ < text_.size() && text_[pos_] != ',' && !AtLineEnd()) ++pos_;
  } else {
    size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] != ',' && !AtLineEnd()) ++pos_;
    field = std::string(TrimBlanks(std::string_view(text_).substr(start, pos_ - start)));
  }
  if (pos_ < text_.size() && text_[pos_] == ',') {
    ++pos_;
    lastEndedLine_ = false;
    // A comma at the end of a line also ends the line.
    size_t probe = pos_;
    while (probe < text_.size() && IsBlank(text_[probe])) ++probe;
    if (probe < text_.size() && (text_[probe] == '\r' || text_[probe] == '\n')) {
      pos_ = probe;
      SkipLineEnd();
      lastEndedLine_ = true;
    }
  } else {
    SkipLineEnd();
    lastEndedLine_ = true;
  }
  ++fieldsRead_;
  return true;
}

std::string TextFieldReader::NextField() {
  std::string field;
  Next(field);
  return field;
}

double TextFieldReader::NextNumber() {
  return ParseLeadingNumber(NextField());
}

int16_t TextFieldReader::NextI16() {
  return RoundToI16(NextNumber());
}

void TextFieldReader::Skip(int fields) {
  std::string ignored;
  for (int i = 0; i < fields; ++i) Next(ignored);
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

double ParseLeadingNumber(std::string_view text) {
  text = TrimBlanks(text);
  size_t i = 0;
  std::string number;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) number += text[i++];
  bool digits = false;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    number += text[i++];
    digits = true;
  }
  if (i < text.size() && text[i] == '.') {
    number += text[i++];
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
      number += text[i++];
      digits = true;
    }
  }
  if (!digits) return 0.0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    std::string exponent = "e";
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
    bool expDigits = false;
    while (j < text.size() && text[j] >= '0' && text[j] <= '9') {
      exponent += text[j++];
      expDigits = true;
    }
    if (expDigits) number += exponent;
  }
  double value = std::strtod(number.c_str(), nullptr);
  if (!std::isfinite(value)) return 0.0;
  return value;
}

int16_t RoundToI16(double value) {
  double rounded = std::nearbyint(value);  // the default mode rounds half to even
  if (!(rounded >= std::numeric_limits<int16_t>::min())) return std::numeric_limits<int16_t>::min();
  if (rounded > std::numeric_limits<int16_t>::max()) return std::numeric_limits<int16_t>::max();
  return static_cast<int16_t>(rounded);
}

}  // namespace korv
