#include "document/map_changes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "support/blank_map.h"
#include "support/kept.h"

namespace korv {
namespace {

MapDocument RandomMap(int width, int height, std::mt19937& rng) {
  MapDocument document = test::BlankMap(width, height);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> wide(-32768, 32767);
  for (auto& v : document.HexData) v = static_cast<uint8_t>(byte(rng));
  for (auto& v : document.HexTile) v = static_cast<int16_t>(wide(rng));
  for (auto& v : document.HexControl) v = static_cast<uint8_t>(byte(rng));
  for (auto& v : document.HexDeployment) v = static_cast<int16_t>(wide(rng));
  for (auto& v : document.HexLandMass) v = static_cast<int16_t>(wide(rng));
  for (auto& v : document.HexOriginalOwner) v = static_cast<uint8_t>(byte(rng));
  return document;
}

// Every layer, the objectives, the size and the names alike.
void ExpectSameMap(const MapDocument& actual, const MapDocument& expected, const char* when) {
  EXPECT_EQ(test::Kept(expected).Changes(actual), "") << when;
}

// A block of the map, sometimes reaching past its edges.
HexRange RandomRange(const MapDocument& document, std::mt19937& rng) {
  std::uniform_int_distribution<int> x(-2, document.MapWidth + 2);
  std::uniform_int_distribution<int> y(-2, document.MapHeight + 2);
  HexRange range{x(rng), 0, y(rng), 0};
  range.lastX = range.firstX + std::uniform_int_distribution<int>(0, 6)(rng);
  range.lastY = range.firstY + std::uniform_int_distribution<int>(0, 6)(rng);
  return range;
}

// Changes a few values of hexes inside `range` (some to what they were
// already) and now and then the objective list.
void EditInside(MapDocument& document, const HexRange& range, std::mt19937& rng) {
  std::uniform_int_distribution<int> count(0, 12);
  std::uniform_int_distribution<int> value(0, 3);
  const int edits = count(rng);
  for (int e = 0; e < edits; ++e) {
    const int x = std::uniform_int_distribution<int>(range.firstX, range.lastX)(rng);
    const int y = std::uniform_int_distribution<int>(range.firstY, range.lastY)(rng);
    if (!document.Contains(x, y)) continue;
    switch (std::uniform_int_distribution<int>(0, 5)(rng)) {
      case 0:
        document.Data(x, y, value(rng) + 3) = static_cast<uint8_t>(value(rng));
        break;
      case 1:
        document.Tile(x, y) = static_cast<int16_t>(-value(rng));
        break;
      case 2:
        document.Mark(x, y) = static_cast<uint8_t>(value(rng));
        break;
      case 3:
        document.Deployment(x, y) = static_cast<int16_t>(value(rng));
        break;
      case 4:
        document.LandMass(x, y) = static_cast<int16_t>(value(rng) * 1000);
        break;
      default:
        document.OriginalOwner(x, y) = static_cast<uint8_t>(value(rng) + 250);
        break;
    }
  }
  // Now and then every hex of the range: long runs of altered values.
  if (value(rng) == 1) {
    for (int x = std::max(range.firstX, 0); x <= std::min<int>(range.lastX, document.MapWidth); ++x)
      for (int y = std::max(range.firstY, 0); y <= std::min<int>(range.lastY, document.MapHeight);
           ++y)
        document.Deployment(x, y) = static_cast<int16_t>(x * 7 + y);
  }
  if (value(rng) == 0) {
    document.ResetObjectives(static_cast<int16_t>(value(rng)));
    document.Objective(0, kObjectiveKind) = 3;
  }
}

size_t DifferingValues(const MapDocument& a, const MapDocument& b) {
  size_t differing = 0;
  const auto count = [&differing](const auto& x, const auto& y) {
    for (size_t i = 0; i < x.size(); ++i) differing += x[i] != y[i] ? 1 : 0;
  };
  count(a.HexData, b.HexData);
  count(a.HexTile, b.HexTile);
  count(a.HexControl, b.HexControl);
  count(a.HexDeployment, b.HexDeployment);
  count(a.HexLandMass, b.HexLandMass);
  count(a.HexOriginalOwner, b.HexOriginalOwner);
  return differing;
}

TEST(MapChange, RecordedEditsUndoAndRedoToTheCopiesTakenBeforeAndAfter) {
  std::mt19937 rng(11);
  for (int trial = 0; trial < 300; ++trial) {
    const int width = std::uniform_int_distribution<int>(0, 12)(rng);
    const int height = std::uniform_int_distribution<int>(0, 9)(rng);
    MapDocument document = RandomMap(width, height, rng);
    const HexRange range =
        trial % 10 == 0 ? HexRange{0, width, 0, height} : RandomRange(document, rng);
    const MapDocument before = document;
    const ChangeRecorder recorder(document, range);
    EditInside(document, range, rng);
    const MapDocument after = document;
    const std::optional<MapChange> change = recorder.Finish(document, "Edit");
    ASSERT_TRUE(change) << trial;
    size_t cells = 0;
    for (const auto& layer : change->cells) cells += layer.size();
    EXPECT_EQ(cells, DifferingValues(before, after)) << trial;

    ASSERT_TRUE(RevertChange(document, *change));
    ExpectSameMap(document, before, "undone");
    ASSERT_TRUE(ReapplyChange(document, *change));
    ExpectSameMap(document, after, "redone");
  }
}

TEST(ChangeHistory, WalksBackAndForthThroughTheLastHundredChanges) {
  std::mt19937 rng(5);
  MapDocument document = RandomMap(20, 15, rng);
  ChangeHistory history;
  std::vector<MapDocument> states{document};
  for (int step = 0; step < 200; ++step) {
    const HexRange range = RandomRange(document, rng);
    const ChangeRecorder recorder(document, range);
    EditInside(document, range, rng);
    const std::optional<MapChange> change = recorder.Finish(document, "Edit");
    ASSERT_TRUE(change);
    // A change that altered nothing is not kept, and the map stays as it is.
    if (change->Empty()) continue;
    history.Record(*change);
    states.push_back(document);
  }
  ASSERT_GT(states.size(), ChangeHistory::kMaxChanges + 1);
  ASSERT_EQ(history.UndoCount(), ChangeHistory::kMaxChanges);

  const size_t last = states.size() - 1;
  for (size_t back = 1; back <= ChangeHistory::kMaxChanges; ++back) {
    ASSERT_NE(history.Undo(document), nullptr) << back;
    ExpectSameMap(document, states[last - back], "undo");
  }
  EXPECT_EQ(history.Undo(document), nullptr);
  ExpectSameMap(document, states[last - ChangeHistory::kMaxChanges], "past the oldest");

  for (size_t forth = 1; forth <= 30; ++forth) ASSERT_NE(history.Redo(document), nullptr);
  ExpectSameMap(document, states[last - ChangeHistory::kMaxChanges + 30], "redo");

  // A new change after undoing leaves nothing to redo.
  const ChangeRecorder recorder(document);
  document.Tile(0, 0) = static_cast<int16_t>(document.Tile(0, 0) ^ 1);
  history.Record(*recorder.Finish(document, "New"));
  EXPECT_EQ(history.RedoCount(), 0u);
  EXPECT_EQ(history.Redo(document), nullptr);
  EXPECT_EQ(history.NextUndo()->name, "New");
}

// Map-wide changes on a map big enough for planes kept whole, and for their
// blocks to be kept for the next recorder: every tile anew, varied or all
// one, over tiles varied or all one, and a few other values; each undone
// and redone twice against the copies. Tiles that were all one (but for a
// few) are kept as runs, in a fraction of the plane's bytes.
TEST(ChangeHistory, MapWideChangesKeepTheirMostlyAlteredPlanesWhole) {
  std::mt19937 rng(7);
  MapDocument document = RandomMap(250, 150, rng);
  const size_t plane = document.HexCount() * sizeof(int16_t);
  const int fills[] = {5, 0, 0, 6, 7, 0, 8, 0};  // 0: varied tiles
  for (int step = 0; step < 8; ++step) {
    SCOPED_TRACE(step);
    const MapDocument before = document;
    // Tiles all one but for a few edits come in few runs of equal values.
    size_t runs = 1;
    for (size_t i = 1; i < document.HexTile.size(); ++i)
      runs += document.HexTile[i] != document.HexTile[i - 1] ? 1 : 0;
    ChangeRecorder recorder(document);
    for (auto& tile : document.HexTile)
      tile = static_cast<int16_t>(fills[step] ? fills[step] : static_cast<int>(rng()));
    EditInside(document, HexRange{0, 250, 0, 150}, rng);
    const MapDocument after = document;
    std::optional<MapChange> change =
        step % 2 ? std::move(recorder).Finish(document, "Fill") : recorder.Finish(document, "Fill");
    ASSERT_TRUE(change && change->planes[kTileLayer].size() == 1);
    const size_t kept = change->planes[kTileLayer][0].other.size();
    if (runs < 100) {
      EXPECT_LT(kept, plane / 8);
    } else {
      EXPECT_EQ(kept, plane);
    }
    for (int round = 0; round < 2; ++round) {
      // Undone twice in a row is undone once.
      ASSERT_TRUE(RevertChange(document, *change) && RevertChange(document, *change));
      ExpectSameMap(document, before, "undone twice");
      ASSERT_TRUE(ReapplyChange(document, *change));
      ExpectSameMap(document, after, "redone");
    }
  }
  // A fifth of the tiles altered: as single values they take less than the plane.
  ChangeRecorder recorder(document);
  for (size_t i = 0; i < document.HexTile.size(); i += 5) document.HexTile[i] ^= 1;
  const std::optional<MapChange> fifth = recorder.Finish(document, "Fifth");
  ASSERT_TRUE(fifth);
  EXPECT_FALSE(fifth->WholePlanes());
}

}  // namespace
}  // namespace korv
