// Undo (F7) of a paste is the editing tests'.
#include "editing/clipboard.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "support/builders.h"
#include "support/editor_fixture.h"

namespace korv {
namespace {

using Bytes = std::vector<uint8_t>;

// Tiles that differ in both bytes from hex to hex.
int16_t Pattern(int x, int y) {
  return static_cast<int16_t>(x * 257 + y * 3 - 40);
}

// A session on a map of columns 0..9 and rows 0..8 holding Pattern.
class ClipboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test::ReplaceWithNewMap(s.session, 9, 8));
    FillPattern();
    for (size_t i = 0; i < Map().HexData.size(); ++i) Map().HexData[i] = static_cast<uint8_t>(i);
    s.session.view.OnPresent = [this] { ++presents; };
  }
  MapDocument& Map() { return s.Map(); }
  void Select(int16_t left, int16_t right, int16_t top, int16_t bottom) {
    s.session.switches = {0, 0, false, -1, left, right, top, bottom};
  }
  void ClickAt(int16_t x, int16_t y) {
    s.session.interaction.CurrentHexX = x;
    s.session.interaction.CurrentHexY = y;
  }
  void WriteClipboard(const Bytes& bytes) { s.folder.WriteBytes(kClipboardFile, bytes); }
  void FillPattern() {
    for (int x = 0; x <= 9; ++x) {
      for (int y = 0; y <= 8; ++y) Map().Tile(x, y) = Pattern(x, y);
    }
  }
  // The hexes whose tile is not expected(x, y), for the failure message.
  std::string Unexpected(const std::function<int(int x, int y)>& expected) {
    std::string hexes;
    for (int x = 0; x <= 9; ++x) {
      for (int y = 0; y <= 8; ++y) {
        if (Map().Tile(x, y) != expected(x, y))
          hexes += std::to_string(x) + "," + std::to_string(y) + " ";
      }
    }
    return hexes;
  }

  test::SessionOnMiniGame s;
  int presents = 0;
};

// A clipboard file with the given block, written by hand.
Bytes ClipboardBytes(int w, int h, const std::vector<int16_t>& tiles) {
  test::ByteBuilder file;
  file.I16(w);
  file.I16(h);
  for (int16_t t : tiles) file.I16(t);
  return file.bytes;
}

TEST_F(ClipboardTest, CopyReplacesTheFileWithTheSelectionByteForByte) {
  struct Case {
    const char* name;
    int left, right, top, bottom;
    bool copied;
    Bytes bytes;
  };
  const Bytes old(500, 0x55);
  // Columns 2..4 of rows 3 and 4: 483, 740, 997 and 486, -2, 1000.
  const Bytes block = {0x02, 0x00, 0x01, 0x00, 0xe3, 0x01, 0xe4, 0x02,
                       0xe5, 0x03, 0xe6, 0x01, 0xfe, 0xff, 0xe8, 0x03};
  const Case cases[] = {
      {"3 x 2 selection", 2, 4, 3, 4, true, block},
      {"no selection is the single hex (0, 0)", 0, 0, 0, 0, true, ClipboardBytes(0, 0, {-40})},
      {"a selection past the map is cut to it", 8, 12, 8, 8, true,
       ClipboardBytes(1, 0, {2040, 2297})},
      {"a selection off the map keeps the old file", 12, 14, 3, 4, false, old},
  };
  Map().Tile(3, 4) = -2;
  for (const Case& c : cases) {
    WriteClipboard(old);
    s.ui.Clear();
    Select(c.left, c.right, c.top, c.bottom);
    EXPECT_EQ(Copy_Click(s.session), c.copied) << c.name;
    EXPECT_EQ(s.folder.ReadBytes(kClipboardFile), c.bytes) << c.name;
    EXPECT_EQ(s.ui.Messages().size(), c.copied ? 0u : 1u) << c.name;
  }
}

TEST_F(ClipboardTest, PasteFromTheClipboardFileKeepsWhatLandsOnTheMap) {
  const std::tuple<const char*, int, int> cases[] = {
      {"inside the map", 2, 3},
      {"cut at the right and bottom edges", 9, 8},
      {"up and left of the map", -1, -1},
      {"right of the map", 10, 2},
  };
  // A 5 x 2 block: entry (i, j) = 1000 + i, negative in row 1; the bytes after it are not read.
  std::vector<int16_t> block;
  for (int j = 0; j < 2; ++j) {
    for (int i = 0; i < 5; ++i) block.push_back(static_cast<int16_t>((1 - 2 * j) * (1000 + i)));
  }
  Bytes bytes = ClipboardBytes(4, 1, block);
  bytes.insert(bytes.end(), {0xaa, 0xbb, 0xcc});
  WriteClipboard(bytes);
  const Bytes terrain = Map().HexData;
  const Bytes control = Map().HexControl;
  for (const auto& [name, targetX, targetY] : cases) {
    FillPattern();
    std::string error;
    EXPECT_TRUE(PasteClipboardFile(Map(), s.folder / kClipboardFile, targetX, targetY, error));
    EXPECT_EQ(Unexpected([&](int x, int y) {
                const int i = x - targetX, j = y - targetY;
                return i >= 0 && i < 5 && j >= 0 && j < 2 ? (1 - 2 * j) * (1000 + i)
                                                          : Pattern(x, y);
              }),
              "")
        << name;
    EXPECT_EQ(Map().HexData, terrain) << name;  // only tiles travel
    EXPECT_EQ(Map().HexControl, control) << name;
  }
}

TEST_F(ClipboardTest, PasteWithoutAClipboardFileCopiesTheSelection) {
  struct Case {
    const char* name;
    int left, right, top, bottom, targetX, targetY;
  };
  const Case cases[] = {
      {"one column to the right, overlapping", 2, 4, 2, 3, 3, 2},
      {"one row down, overlapping", 2, 4, 2, 3, 2, 3},
      {"up and left, overlapping", 2, 4, 2, 3, 1, 1},
      {"running off the right and bottom edges", 2, 4, 2, 3, 8, 7},
      {"left of the map", 1, 2, 1, 2, -1, 5},
  };
  const Bytes terrain = Map().HexData;
  for (const Case& c : cases) {
    FillPattern();
    Select(c.left, c.right, c.top, c.bottom);
    ClickAt(c.targetX, c.targetY);
    const int before = presents;
    EXPECT_EQ(Paste_Click(s.session), PasteOutcome::kFromSelection) << c.name;
    EXPECT_EQ(presents, before + 1) << c.name;
    // Every hex of the selection on the map lands at its place in the target.
    EXPECT_EQ(Unexpected([&](int x, int y) {
                const int sx = x - c.targetX + c.left, sy = y - c.targetY + c.top;
                const bool pasted = sx >= c.left && sx <= std::min(c.right, 9) && sy >= c.top &&
                                    sy <= std::min(c.bottom, 8);
                return pasted ? Pattern(sx, sy) : Pattern(x, y);
              }),
              "")
        << c.name;
    EXPECT_EQ(Map().HexData, terrain) << c.name;  // only tiles travel
  }
  EXPECT_FALSE(std::filesystem::exists(s.folder / kClipboardFile));
}

TEST_F(ClipboardTest, DamagedClipboardFilesAreRefused) {
  Bytes truncated = ClipboardBytes(1, 1, {1, 2, 3, 4});
  truncated.pop_back();
  const std::pair<const char*, Bytes> cases[] = {
      {"shorter than the header", {1, 0, 1}},
      {"negative width", ClipboardBytes(-1, 0, {5, 5})},
      {"negative height", ClipboardBytes(0, -3, {5, 5})},
      {"huge sizes with a few tiles", ClipboardBytes(32767, 32767, {5, 5, 5})},
      {"block cut in the middle of a tile", truncated},
      {"block cut after a whole tile", ClipboardBytes(2, 1, {5, 6, 7, 8})},
  };
  Select(1, 2, 1, 2);
  ClickAt(3, 3);
  const std::vector<int16_t> before = Map().HexTile;
  for (const auto& [name, bytes] : cases) {
    WriteClipboard(bytes);
    s.ui.Clear();
    EXPECT_EQ(Paste_Click(s.session), PasteOutcome::kRefused) << name;
    EXPECT_EQ(Map().HexTile, before) << name;
    ASSERT_EQ(s.ui.Messages().size(), 1u) << name;
    EXPECT_NE(s.ui.Messages()[0].find(kClipboardFile), std::string::npos) << name;
    EXPECT_EQ(s.folder.ReadBytes(kClipboardFile), bytes) << name;  // left as it was
  }
  // A block of one column (width 0) is whole.
  WriteClipboard(ClipboardBytes(0, 1, {7, 8}));
  EXPECT_NE(Paste_Click(s.session), PasteOutcome::kRefused);
}

TEST_F(ClipboardTest, TheWidestBlockAFileCanHold) {
  // One row, entry i = i - 100.
  std::vector<int16_t> wide;
  for (int i = 0; i <= 32767; ++i) wide.push_back(static_cast<int16_t>(i - 100));
  WriteClipboard(ClipboardBytes(32767, 0, wide));
  ClickAt(5, 1);
  EXPECT_EQ(Paste_Click(s.session), PasteOutcome::kFromClipboardFile);
  EXPECT_EQ(Unexpected([](int x, int y) { return y == 1 && x >= 5 ? x - 105 : Pattern(x, y); }),
            "");
}

}  // namespace
}  // namespace korv
