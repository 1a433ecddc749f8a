// The "&Edit" menu: the clipboard file's bytes, both kinds of paste (from
// the file and, without one, within the map) at targets that overlap the
// copied block or run off the map, damaged clipboard files, and Undo.
#include "editing/clipboard.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "editor/map_io.h"
#include "support/test_folder.h"
#include "view/view_fixture.h"
#include "view/viewport.h"

namespace korv {
namespace {

namespace fs = std::filesystem;

// The shared session with tiles that differ in both bytes from hex to hex.
struct ClipboardSession : test::SessionWorld {
  ClipboardSession() : SessionWorld(3) {
    MapDocument& d = Document();
    for (int x = 0; x <= 9; ++x) {
      for (int y = 0; y <= 8; ++y) {
        d.Tile(x, y) = Pattern(x, y);
        d.Terrain(x, y) = static_cast<uint8_t>(x + 10 * y);
      }
    }
  }
  static int16_t Pattern(int x, int y) { return static_cast<int16_t>(x * 257 + y * 3 - 40); }
  void MakeView() { SessionWorld::MakeView(3, 3); }
  void Select(int left, int right, int top, int bottom) {
    DrawSwitches& s = session.switches;
    s.SelectionLeft = static_cast<int16_t>(left);
    s.SelectionRight = static_cast<int16_t>(right);
    s.SelectionTop = static_cast<int16_t>(top);
    s.SelectionBottom = static_cast<int16_t>(bottom);
  }
  void ClickAt(int x, int y) {
    session.interaction.CurrentHexX = static_cast<int16_t>(x);
    session.interaction.CurrentHexY = static_cast<int16_t>(y);
  }
  // The tiles of the map, x fastest.
  std::vector<int16_t> Tiles() { return Document().HexTile; }
};

TEST(ClipboardTest, CopyWritesTheSelectionByteForByte) {
  struct Case {
    const char* name;
    int left, right, top, bottom;
    std::vector<uint8_t> bytes;
  };
  // Pattern(x, y) = 257 x + 3 y - 40, and hex (3, 4) holds -2.
  const Case cases[] = {
      {"3 x 2 selection",
       2,
       4,
       3,
       4,
       {0x02, 0x00, 0x01, 0x00,                //
        0xe3, 0x01, 0xe4, 0x02, 0xe5, 0x03,    // row 3: 483, 740, 997
        0xe6, 0x01, 0xfe, 0xff, 0xe8, 0x03}},  // row 4: 486, -2, 1000
      {"no selection is the single hex (0, 0)", 0, 0, 0, 0, {0, 0, 0, 0, 0xd8, 0xff}},
      {"one column", 9, 9, 7, 8, {0x00, 0x00, 0x01, 0x00, 0xf6, 0x08, 0xf9, 0x08}},  // 2294, 2297
      {"a selection beyond a smaller map is cut to it",
       8,
       12,
       8,
       8,
       {0x01, 0x00, 0x00, 0x00, 0xf8, 0x07, 0xf9, 0x08}},  // 2040, 2297
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ClipboardSession s;
    s.Document().Tile(3, 4) = -2;
    s.Select(c.left, c.right, c.top, c.bottom);
    ASSERT_TRUE(Copy_Click(s.session));
    EXPECT_EQ(s.folder.ReadBytes("copybuff.dat"), c.bytes);
    EXPECT_TRUE(s.ui.Messages().empty());
  }
}

TEST(ClipboardTest, CopyReplacesTheWholeOldFile) {
  ClipboardSession s;
  s.folder.WriteBytes("copybuff.dat", std::vector<uint8_t>(500, 0x55));
  s.Select(1, 1, 1, 1);
  ASSERT_TRUE(Copy_Click(s.session));
  EXPECT_EQ(s.folder.ReadBytes("copybuff.dat"),
            (std::vector<uint8_t>{0, 0, 0, 0, 0xdc, 0x00}));  // 220
}

TEST(ClipboardTest, CopyOfASelectionOffTheMapKeepsTheOldClipboard) {
  ClipboardSession s;
  const std::vector<uint8_t> old = {0, 0, 0, 0, 7, 0};
  s.folder.WriteBytes("copybuff.dat", old);
  s.Select(12, 14, 3, 4);
  EXPECT_FALSE(Copy_Click(s.session));
  EXPECT_EQ(s.folder.ReadBytes("copybuff.dat"), old);
  EXPECT_EQ(s.ui.Messages().size(), 1u);
}

// A clipboard file with the given block, written by hand.
std::vector<uint8_t> ClipboardBytes(int w, int h, const std::vector<int16_t>& tiles) {
  std::vector<uint8_t> bytes = {static_cast<uint8_t>(w & 0xff), static_cast<uint8_t>(w >> 8 & 0xff),
                                static_cast<uint8_t>(h & 0xff),
                                static_cast<uint8_t>(h >> 8 & 0xff)};
  for (int16_t t : tiles) {
    const auto u = static_cast<uint16_t>(t);
    bytes.push_back(static_cast<uint8_t>(u & 0xff));
    bytes.push_back(static_cast<uint8_t>(u >> 8));
  }
  return bytes;
}

TEST(ClipboardTest, PasteFromTheClipboardFile) {
  struct Case {
    const char* name;
    int targetX, targetY;
    int columns, rows;  // of the block that lands on the map
  };
  // A 5 x 2 block: entry (i, j) = 1000 + 10 j + i.
  const Case cases[] = {
      {"inside the map", 2, 3, 5, 2},
      {"two columns from the right edge keeps three", 7, 3, 3, 2},
      {"on the last row keeps one row", 1, 8, 5, 1},
      {"in the corner keeps one hex", 9, 8, 1, 1},
      {"at (0, 0)", 0, 0, 5, 2},
  };
  std::vector<int16_t> block;
  for (int j = 0; j < 2; ++j) {
    for (int i = 0; i < 5; ++i) block.push_back(static_cast<int16_t>(1000 + 10 * j + i));
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ClipboardSession s;
    s.MakeView();
    s.folder.WriteBytes("copybuff.dat", ClipboardBytes(4, 1, block));
    const std::vector<uint8_t> terrain = s.Document().HexData;
    const std::vector<uint8_t> control = s.Document().HexControl;
    s.ClickAt(c.targetX, c.targetY);
    const int presents = s.presents;
    EXPECT_EQ(Paste_Click(s.session), PasteOutcome::kFromClipboardFile);
    EXPECT_EQ(s.presents, presents + 1);
    const MapDocument& d = s.Document();
    for (int x = 0; x <= 9; ++x) {
      for (int y = 0; y <= 8; ++y) {
        const int i = x - c.targetX, j = y - c.targetY;
        const bool pasted = i >= 0 && i < c.columns && j >= 0 && j < c.rows;
        EXPECT_EQ(d.Tile(x, y), pasted ? 1000 + 10 * j + i : ClipboardSession::Pattern(x, y))
            << x << "," << y;
      }
    }
    EXPECT_EQ(d.HexData, terrain);  // only tiles travel
    EXPECT_EQ(d.HexControl, control);
    EXPECT_TRUE(s.ui.Messages().empty());
  }
}

TEST(ClipboardTest, CopyThenPasteOverTheCopiedBlockPutsItDownWhole) {
  ClipboardSession s;
  s.Select(2, 5, 2, 4);
  ASSERT_TRUE(Copy_Click(s.session));
  s.ClickAt(3, 3);
  EXPECT_EQ(Paste_Click(s.session), PasteOutcome::kFromClipboardFile);
  for (int x = 3; x <= 6; ++x) {
    for (int y = 3; y <= 5; ++y) {
      EXPECT_EQ(s.Document().Tile(x, y), ClipboardSession::Pattern(x - 1, y - 1)) << x << "," << y;
    }
  }
  EXPECT_EQ(s.Document().Tile(2, 2), ClipboardSession::Pattern(2, 2));
}

TEST(ClipboardTest, PasteWithoutAClipboardFileCopiesTheSelection) {
  struct Case {
    const char* name;
    int left, right, top, bottom;
    int targetX, targetY;
  };
  const Case cases[] = {
      {"apart from the selection", 2, 4, 2, 3, 6, 5},
      {"one column to the right, overlapping", 2, 4, 2, 3, 3, 2},
      {"one row down, overlapping", 2, 4, 2, 3, 2, 3},
      {"up and left, overlapping", 2, 4, 2, 3, 1, 1},
      {"running off the right and bottom edges", 2, 4, 2, 3, 8, 7},
      {"no selection copies hex (0, 0)", 0, 0, 0, 0, 4, 4},
      {"a selection beyond a smaller map copies its part on the map", 8, 12, 7, 9, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ClipboardSession s;
    s.MakeView();
    s.Select(c.left, c.right, c.top, c.bottom);
    s.ClickAt(c.targetX, c.targetY);
    const std::vector<uint8_t> terrain = s.Document().HexData;
    const int presents = s.presents;
    EXPECT_EQ(Paste_Click(s.session), PasteOutcome::kFromSelection);
    EXPECT_EQ(s.presents, presents + 1);
    EXPECT_FALSE(fs::exists(s.folder / "copybuff.dat"));
    // Every hex of the selection on the map lands at its place in the target.
    const int dx = c.targetX - c.left, dy = c.targetY - c.top;
    for (int x = 0; x <= 9; ++x) {
      for (int y = 0; y <= 8; ++y) {
        const int sx = x - dx, sy = y - dy;
        const bool pasted = sx >= c.left && sx <= std::min(c.right, 9) && sy >= c.top &&
                            sy <= std::min(c.bottom, 8);
        EXPECT_EQ(s.Document().Tile(x, y),
                  ClipboardSession::Pattern(pasted ? sx : x, pasted ? sy : y))
            << x << "," << y;
      }
    }
    EXPECT_EQ(s.Document().HexData, terrain);
  }
}

TEST(ClipboardTest, DamagedClipboardFilesAreRefused) {
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
  };
  std::vector<uint8_t> truncated = ClipboardBytes(1, 1, {1, 2, 3, 4});
  truncated.pop_back();
  std::vector<uint8_t> shortBlock = ClipboardBytes(2, 1, {5, 6, 7, 8});
  const Case cases[] = {
      {"empty", {}},
      {"shorter than the header", {1, 0, 1}},
      {"header without a block", {0, 0, 0, 0}},
      {"negative width", ClipboardBytes(-1, 0, {5, 5})},
      {"negative height", ClipboardBytes(0, -3, {5, 5})},
      {"most negative sizes", ClipboardBytes(-32768, -32768, {5, 5})},
      {"huge sizes with a few tiles", ClipboardBytes(32767, 32767, {5, 5, 5})},
      {"block cut in the middle of a tile", truncated},
      {"block cut after a whole tile", shortBlock},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ClipboardSession s;
    s.MakeView();
    s.folder.WriteBytes("copybuff.dat", c.bytes);
    s.Select(1, 2, 1, 2);
    s.ClickAt(3, 3);
    const std::vector<int16_t> before = s.Tiles();
    EXPECT_EQ(Paste_Click(s.session), PasteOutcome::kRefused);
    EXPECT_EQ(s.Tiles(), before);
    ASSERT_EQ(s.ui.Messages().size(), 1u);
    EXPECT_NE(s.ui.Messages()[0].find("copybuff.dat"), std::string::npos);
    EXPECT_EQ(s.folder.ReadBytes("copybuff.dat"), c.bytes);  // left as it was
  }
}

TEST(ClipboardTest, ClipboardFilesLargerThanTheMap) {
  ClipboardSession s;
  // The widest block a file can hold, one row, entry i = i - 100.
  std::vector<int16_t> wide;
  for (int i = 0; i <= 32767; ++i) wide.push_back(static_cast<int16_t>(i - 100));
  s.folder.WriteBytes("copybuff.dat", ClipboardBytes(32767, 0, wide));
  s.ClickAt(5, 1);
  EXPECT_EQ(Paste_Click(s.session), PasteOutcome::kFromClipboardFile);
  for (int x = 0; x <= 9; ++x) {
    EXPECT_EQ(s.Document().Tile(x, 1), x >= 5 ? x - 5 - 100 : ClipboardSession::Pattern(x, 1));
    EXPECT_EQ(s.Document().Tile(x, 2), ClipboardSession::Pattern(x, 2));
  }

  // Bytes after the block are ignored.
  ClipboardSession t;
  std::vector<uint8_t> bytes = ClipboardBytes(1, 1, {-7, 8, 9, 300});
  bytes.insert(bytes.end(), {0xaa, 0xbb, 0xcc});
  t.folder.WriteBytes("copybuff.dat", bytes);
  t.ClickAt(0, 7);
  EXPECT_EQ(Paste_Click(t.session), PasteOutcome::kFromClipboardFile);
  EXPECT_EQ(t.Document().Tile(0, 7), -7);
  EXPECT_EQ(t.Document().Tile(1, 7), 8);
  EXPECT_EQ(t.Document().Tile(0, 8), 9);
  EXPECT_EQ(t.Document().Tile(1, 8), 300);
  EXPECT_EQ(t.Document().Tile(2, 7), ClipboardSession::Pattern(2, 7));
}

TEST(ClipboardTest, TargetsOffTheMapPasteNothing) {
  ClipboardSession s;
  s.folder.WriteBytes("copybuff.dat", ClipboardBytes(1, 1, {1, 2, 3, 4}));
  const std::vector<int16_t> before = s.Tiles();
  for (auto [x, y] : {std::pair{10, 2}, std::pair{2, 9}, std::pair{-2, 3}, std::pair{3, -2}}) {
    std::string error;
    EXPECT_TRUE(PasteClipboardFile(s.Document(), s.folder / "copybuff.dat", x, y, error));
    EXPECT_EQ(s.Tiles(), before) << x << "," << y;
  }
  // A target left of and above the map puts down the part that reaches it.
  std::string error;
  EXPECT_TRUE(PasteClipboardFile(s.Document(), s.folder / "copybuff.dat", -1, -1, error));
  EXPECT_EQ(s.Document().Tile(0, 0), 4);
  EXPECT_EQ(s.Document().Tile(1, 0), ClipboardSession::Pattern(1, 0));
  PasteSelection(s.Document(), DrawSwitches{0, 0, false, -1, 1, 2, 1, 2}, -1, 5);
  EXPECT_EQ(s.Document().Tile(0, 5), ClipboardSession::Pattern(2, 1));
  EXPECT_EQ(s.Document().Tile(0, 6), ClipboardSession::Pattern(2, 2));
}

TEST(ClipboardTest, UndoRestoresTheSnapshot) {
  ClipboardSession s;
  s.MakeView();
  MapDocument& d = s.Document();
  d.Owner(2, 2) = 1;
  d.Mark(2, 2) = 2;
  d.Deployment(3, 3) = 2;
  d.LandMass(4, 4) = 5;
  d.Data(5, 5, 3) = 2;
  RebuildObjectiveList(d);
  ASSERT_TRUE(WriteSnapshot(s.session.editor));
  const MapDocument saved = d;

  for (int x = 0; x <= 9; ++x) d.Tile(x, 4) = 3;
  d.Owner(2, 2) = 0;
  d.Data(5, 5, 3) = 0;
  d.LandMass(4, 4) = 0;
  const int presents = s.presents;
  const UndoOutcome outcome = Undo_Click(s.session);
  EXPECT_TRUE(outcome.restored);
  EXPECT_FALSE(outcome.sizeChanged);
  EXPECT_EQ(s.presents, presents + 1);
  EXPECT_EQ(d.HexTile, saved.HexTile);
  EXPECT_EQ(d.HexData, saved.HexData);
  EXPECT_EQ(d.HexControl, saved.HexControl);
  EXPECT_EQ(d.HexDeployment, saved.HexDeployment);
  EXPECT_EQ(d.HexLandMass, saved.HexLandMass);
  EXPECT_EQ(d.Objectives, saved.Objectives);
  EXPECT_TRUE(s.ui.Messages().empty());
}

TEST(ClipboardTest, UndoOfASnapshotOfAnotherSizeTakesItsSize) {
  ClipboardSession s;
  // A snapshot left by an earlier run, of a 6 x 5 hex map.
  {
    RecordingInteraction ui;
    SeededRandom random;
    MapEditor earlier(s.folder.Game(), ui, random);
    earlier.editor.Document.MapWidth = 5;
    earlier.editor.Document.MapHeight = 4;
    AllocateMapLayers(earlier.editor.Document);
    earlier.editor.Document.Tile(5, 4) = 11;
    ASSERT_TRUE(WriteSnapshot(earlier.editor));
  }
  s.MakeView();
  s.session.view.ViewLeft = 4;
  s.ClickAt(9, 8);
  const UndoOutcome outcome = Undo_Click(s.session);
  EXPECT_TRUE(outcome.restored);
  EXPECT_TRUE(outcome.sizeChanged);
  const MapDocument& d = s.Document();
  EXPECT_EQ(d.MapWidth, 5);
  EXPECT_EQ(d.MapHeight, 4);
  EXPECT_EQ(d.HexTile.size(), 30u);
  EXPECT_EQ(d.Tile(5, 4), 11);
  EXPECT_EQ(s.session.view.ViewLeft, 1);
  EXPECT_EQ(s.session.view.ScrollMaxX, 5 - 3);
  EXPECT_EQ(s.session.interaction.CurrentHexX, 5);
  EXPECT_EQ(s.session.interaction.CurrentHexY, 4);
}

TEST(ClipboardTest, UndoWithoutASnapshotKeepsTheMap) {
  ClipboardSession s;
  s.MakeView();
  const std::vector<int16_t> before = s.Tiles();
  const int presents = s.presents;
  const UndoOutcome outcome = Undo_Click(s.session);
  EXPECT_FALSE(outcome.restored);
  EXPECT_EQ(s.Tiles(), before);
  EXPECT_EQ(s.presents, presents);
  EXPECT_EQ(s.ui.Messages().size(), 1u);
}

}  // namespace
}  // namespace korv
