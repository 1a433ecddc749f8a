// Little-endian byte handling for the editor's binary files. Every binary file
// of the game stores 16- and 32-bit numbers little-endian, one byte per
// character for strings, with no terminators.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korv {

// Sequential reader over a byte block. Reads past the end give zeros, the
// way the game's own files are read: a short file leaves the rest of a
// layer zero.
class ByteCursor {
 public:
  explicit ByteCursor(std::span<const uint8_t> bytes) : bytes_(bytes), size_(bytes.size()) {}

  size_t Offset() const { return offset_; }
  size_t Size() const { return size_; }
  size_t Remaining() const { return offset_ < size_ ? size_ - offset_ : 0; }
  void Skip(size_t count);

  uint8_t ReadU8();
  int16_t ReadI16() {
    uint16_t low = ReadU8();
    uint16_t high = ReadU8();
    return static_cast<int16_t>(low | (high << 8));
  }
  int32_t ReadI32() {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(ReadU8()) << (8 * i);
    return static_cast<int32_t>(value);
  }
  // Fills `out` from the block; the part beyond the end of the block is zeroed.
  void ReadBytes(std::span<uint8_t> out);
  // Reads `out.size()` little-endian 16-bit values, zero beyond the end.
  void ReadI16Block(std::span<int16_t> out);
  std::string ReadString(size_t length);

 private:
  // Copies up to out.size() bytes at the current offset; returns how many.
  size_t Fetch(uint8_t* out, size_t count);

  std::span<const uint8_t> bytes_;
  size_t size_ = 0;
  size_t offset_ = 0;
};

// Appends little-endian values to a growing byte block.
class ByteWriter {
 public:
  void Reserve(size_t bytes) { bytes_.reserve(bytes); }
  void WriteU8(uint8_t value) { bytes_.push_back(value); }
  void WriteI16(int16_t value) {
    auto bits = static_cast<uint16_t>(value);
    bytes_.push_back(static_cast<uint8_t>(bits & 0xff));
    bytes_.push_back(static_cast<uint8_t>(bits >> 8));
  }
  void WriteI32(int32_t value) {
    auto bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<uint8_t>((bits >> (8 * i)) & 0xff));
  }
  void WriteBytes(std::span<const uint8_t> block) { Append(block.data(), block.size()); }
  void WriteI16Block(std::span<const int16_t> block);
  void WriteString(std::string_view text) { bytes_.insert(bytes_.end(), text.begin(), text.end()); }

  const std::vector<uint8_t>& Bytes() const { return bytes_; }
  std::vector<uint8_t> Take() { return std::move(bytes_); }

 private:
  void Append(const void* data, size_t size) {
    if (size == 0) return;
    size_t start = bytes_.size();
    bytes_.resize(start + size);
    std::memcpy(bytes_.data() + start, data, size);
  }

  std::vector<uint8_t> bytes_;
};

}  // namespace korv
