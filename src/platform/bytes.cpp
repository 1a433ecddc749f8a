#include "platform/bytes.h"

#include <algorithm>
#include <bit>

namespace korv {

void ByteCursor::ReadBytes(std::span<uint8_t> out) {
  size_t available = std::min(out.size(), Remaining());
  if (available > 0) std::memcpy(out.data(), bytes_.data() + offset_, available);
  std::fill(out.begin() + static_cast<std::ptrdiff_t>(available), out.end(), uint8_t{0});
  offset_ += out.size();
}

void ByteCursor::ReadI16Block(std::span<int16_t> out) {
  size_t whole = std::min(out.size(), Remaining() / 2);
  if constexpr (std::endian::native == std::endian::little) {
    if (whole > 0) std::memcpy(out.data(), bytes_.data() + offset_, whole * 2);
    offset_ += whole * 2;
  } else {
    for (size_t i = 0; i < whole; ++i) out[i] = ReadI16();
  }
  // A value cut by the end of the block keeps its low byte.
  for (size_t i = whole; i < out.size(); ++i) out[i] = ReadI16();
}

std::string ByteCursor::ReadString(size_t length) {
  std::string text(length, '\0');
  ReadBytes(std::span(reinterpret_cast<uint8_t*>(text.data()), text.size()));
  return text;
}

void ByteWriter::WriteI16Block(std::span<const int16_t> block) {
  if constexpr (std::endian::native == std::endian::little) {
    size_t start = bytes_.size();
    bytes_.resize(start + block.size() * 2);
    if (!block.empty()) std::memcpy(bytes_.data() + start, block.data(), block.size() * 2);
  } else {
    for (int16_t value : block) WriteI16(value);
  }
}

}  // namespace korv
