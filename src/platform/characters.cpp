#include "platform/characters.h"

#include <algorithm>

namespace korv {

namespace {

// The second and later bytes of a character of several bytes.
bool ContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xc0) == 0x80;
}

}  // namespace

std::string DropLastCharacters(std::string_view text, size_t count) {
  size_t end = text.size();
  for (size_t i = 0; i < count && end > 0; ++i) {
    --end;
    while (end > 0 && ContinuationByte(text[end])) --end;
  }
  return std::string(text.substr(0, end));
}

size_t CharacterCount(std::string_view text) {
  return static_cast<size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return !ContinuationByte(c); }));
}

}  // namespace korv
