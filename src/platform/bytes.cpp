#include "platform/bytes.h"

#include <algorithm>
#include <bit>

namespace korv {

size_t ByteCursor::Fetch(uint8_t* out, size_t count) {
  size_t available = std::min(count, Remaining());
  if (available == 0) return 0;
  std::memcpy(out, bytes_.data() + offset_, available);
  return available;
}

void ByteCursor::Skip(size_t count) {
  offset_ += count;
}

uint8_t ByteCursor::ReadU8() {
  uint8_t value = 0;
  Fetch(&value, 1);
  ++offset_;
  return value;
}

void ByteCursor::ReadBytes(std::span<uint8_t> out) {
  size_t got = Fetch(out.data(), out.size());
  std::fill(out.begin() + static_cast<std::ptrdiff_t>(got), out.end(), uint8_t{0});
  offset_ += out.size();
}

void ByteCursor::ReadI16Block(std::span<int16_t> out) {
  auto* raw = reinterpret_cast<uint8_t*>(out.data());
  const size_t bytes = out.size() * 2;
  size_t got = Fetch(raw, bytes);
  // A value cut by the end of the block keeps its low byte.
  std::fill(raw + got, raw + bytes, uint8_t{0});
  offset_ += bytes;
  if constexpr (std::endian::native == std::endian::big) {
    for (int16_t& value : out) {
      auto bits = static_cast<uint16_t>(value);
      value = static_cast<int16_t>((bits >> 8) | (bits << 8));
    }
  }
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
