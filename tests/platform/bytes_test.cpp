#include "platform/bytes.h"

#include <gtest/gtest.h>

#include <sstream>

namespace korv {
namespace {

TEST(ByteCursor, ReadsLittleEndianAndZerosPastTheEnd) {
  const std::vector<uint8_t> bytes = {0x39, 0x02, 0xff, 0xff, 0x7f};
  ByteCursor cursor(bytes);
  EXPECT_EQ(cursor.ReadI16(), 569);
  EXPECT_EQ(cursor.ReadI16(), -1);
  // The last value is cut by the end: its low byte is kept, the high one is 0.
  EXPECT_EQ(cursor.ReadI16(), 0x7f);
  EXPECT_EQ(cursor.ReadI32(), 0);
  EXPECT_EQ(cursor.Remaining(), 0u);
}

TEST(ByteCursor, BlockReadsFillTheMissingPartWithZeros) {
  const std::vector<uint8_t> bytes = {1, 2, 3, 4, 5};
  ByteCursor cursor(bytes);
  cursor.Skip(1);
  std::vector<int16_t> values(4, 99);
  cursor.ReadI16Block(values);
  EXPECT_EQ(values, (std::vector<int16_t>{0x0302, 0x0504, 0, 0}));

  ByteCursor second(bytes);
  std::vector<uint8_t> block(8, 99);
  second.ReadBytes(block);
  EXPECT_EQ(block, (std::vector<uint8_t>{1, 2, 3, 4, 5, 0, 0, 0}));
}

TEST(ByteWriter, WritesLittleEndianBlocks) {
  ByteWriter writer;
  writer.WriteString("Ver");
  writer.WriteI16(-2);
  const std::vector<int16_t> block = {0x1234, -32768};
  writer.WriteI16Block(block);
  writer.WriteI32(0x01020304);
  EXPECT_EQ(writer.Bytes(), (std::vector<uint8_t>{'V', 'e', 'r', 0xfe, 0xff, 0x34, 0x12, 0x00, 0x80,
                                                  0x04, 0x03, 0x02, 0x01}));
}

}  // namespace
}  // namespace korv

namespace korv {
namespace {

// The same reads from a block and from a stream must give the same values,
// including the zeros past the end.
TEST(ByteCursor, StreamAndBlockReadAlike) {
  const std::vector<uint8_t> bytes = {'V', 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  std::string text(bytes.begin(), bytes.end());
  std::istringstream stream(text);
  ByteCursor fromBlock(bytes);
  ByteCursor fromStream(stream, bytes.size());
  for (ByteCursor* cursor : {&fromBlock, &fromStream}) {
    EXPECT_EQ(cursor->ReadString(1), "V");
    cursor->Skip(2);
    EXPECT_EQ(cursor->ReadI16(), 0x0403);
    std::vector<int16_t> block(2);
    cursor->ReadI16Block(block);
    EXPECT_EQ(block, (std::vector<int16_t>{0x0605, 0x0807}));
    std::vector<uint8_t> rest(5, 99);
    cursor->ReadBytes(rest);
    EXPECT_EQ(rest, (std::vector<uint8_t>{9, 10, 0, 0, 0}));
    EXPECT_EQ(cursor->ReadU8(), 0);
    cursor->Skip(100);
    EXPECT_EQ(cursor->ReadI32(), 0);
    EXPECT_EQ(cursor->Remaining(), 0u);
  }
}

}  // namespace
}  // namespace korv
