#include "platform/bytes.h"

#include <gtest/gtest.h>

#include <sstream>

namespace korv {
namespace {

// Values written little-endian read back alike from a block and from a
// stream; past the end both read zeros, and a value cut by the end keeps its
// low byte.
TEST(ByteCursor, WrittenValuesReadBackAlikeFromABlockAndAStream) {
  ByteWriter writer;
  writer.WriteString("V");
  writer.WriteI16(569);
  writer.WriteI16(-2);
  writer.WriteI16Block(std::vector<int16_t>{0x1234, -32768});
  writer.WriteI32(0x01020304);
  writer.WriteU8(0x7f);
  const std::vector<uint8_t> bytes = writer.Bytes();
  ASSERT_EQ(bytes, (std::vector<uint8_t>{'V', 0x39, 0x02, 0xfe, 0xff, 0x34, 0x12, 0x00, 0x80, 0x04,
                                         0x03, 0x02, 0x01, 0x7f}));
  std::istringstream stream(std::string(bytes.begin(), bytes.end()));
  ByteCursor fromBlock(bytes);
  ByteCursor fromStream(stream, bytes.size());
  for (ByteCursor* cursor : {&fromBlock, &fromStream}) {
    EXPECT_EQ(cursor->ReadString(1), "V");
    EXPECT_EQ(cursor->ReadI16(), 569);
    EXPECT_EQ(cursor->ReadI16(), -2);
    std::vector<int16_t> block(2);
    cursor->ReadI16Block(block);
    EXPECT_EQ(block, (std::vector<int16_t>{0x1234, -32768}));
    EXPECT_EQ(cursor->ReadI32(), 0x01020304);
    EXPECT_EQ(cursor->ReadI16(), 0x7f);
    std::vector<uint8_t> rest(3, 99);
    cursor->ReadBytes(rest);
    EXPECT_EQ(rest, std::vector<uint8_t>(3, 0));
    cursor->Skip(100);
    EXPECT_EQ(cursor->ReadI32(), 0);
    EXPECT_EQ(cursor->Remaining(), 0u);
  }
  // A block read across the end keeps what is there.
  ByteCursor cut(bytes);
  cut.Skip(11);
  std::vector<int16_t> values(3, 99);
  cut.ReadI16Block(values);
  EXPECT_EQ(values, (std::vector<int16_t>{0x0102, 0x7f, 0}));
}

}  // namespace
}  // namespace korv
