#include "document/map_changes.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <type_traits>
#include <unordered_set>
#include <utility>

namespace korv {

namespace {

// Calls visit(layer, values, planes) for each editable layer with its
// MapLayer number.
template <class Document, class Visit>
void ForEachNumberedLayer(Document& document, Visit&& visit) {
  size_t layer = 0;
  ForEachEditableLayer(document, [&](auto& values, int planes) { visit(layer++, values, planes); });
}

// Calls visit(start, count) for the values of `range` in a layer of
// `planes` planes, plane by plane and row by row, in runs of `count` values
// from `start`: a row each, or a whole plane's rows at once when the range
// spans every column.
template <class Visit>
void ForEachRow(const MapDocument& document, const HexRange& range, int planes, Visit&& visit) {
  const auto count = static_cast<size_t>(range.lastX - range.firstX + 1);
  const bool wholeRows = range.firstX == 0 && range.lastX == document.MapWidth;
  for (int k = 0; k < planes; ++k) {
    if (wholeRows) {
      if (range.lastY >= range.firstY) {
        visit(document.Index(0, range.firstY, k),
              count * static_cast<size_t>(range.lastY - range.firstY + 1));
      }
      continue;
    }
    for (int y = range.firstY; y <= range.lastY; ++y)
      visit(document.Index(range.firstX, y, k), count);
  }
}

// Calls visit(i) for each i in 0..count where now[i] differs from
// before[i]; equal stretches are passed over a block at a time.
template <class Value, class Visit>
void ForEachDifference(const Value* now, const Value* before, size_t count, Visit&& visit) {
  constexpr size_t kBlock = 64 / sizeof(Value);
  size_t i = 0;
  while (i < count) {
    const size_t block = std::min(kBlock, count - i);
    if (std::memcmp(now + i, before + i, block * sizeof(Value)) != 0) {
      for (size_t j = i; j < i + block; ++j)
        if (now[j] != before[j]) visit(j);
    }
    i += block;
  }
}

// A layer the document does not hold in full (a document not yet made) is
// left out of recording and restoring.
template <class Values>
bool Complete(const MapDocument& document, const Values& values, int planes) {
  return values.size() == document.HexCount() * static_cast<size_t>(planes);
}

ObjectiveList ObjectivesOf(const MapDocument& document) {
  return {document.ObjectiveCount, document.Objectives};
}

bool PutBack(MapDocument& document, const MapChange& change, bool after) {
  if (document.MapWidth != change.mapWidth || document.MapHeight != change.mapHeight) return false;
  ForEachNumberedLayer(document, [&](size_t layer, auto& values, int) {
    using Value = typename std::remove_reference_t<decltype(values)>::value_type;
    for (const CellChange& cell : change.cells[layer]) {
      if (cell.index < values.size()) {
        values[cell.index] = static_cast<Value>(after ? cell.after : cell.before);
      }
    }
  });
  const std::optional<ObjectiveList>& objectives =
      after ? change.objectivesAfter : change.objectivesBefore;
  if (objectives) {
    document.ObjectiveCount = objectives->count;
    document.Objectives = objectives->records;
  }
  return true;
}

}  // namespace

bool MapChange::Empty() const {
  return !objectivesBefore &&
         std::all_of(cells.begin(), cells.end(), [](const auto& layer) { return layer.empty(); });
}

size_t MapChange::Bytes() const {
  size_t bytes = sizeof(MapChange) + name.size();
  for (const auto& layer : cells) bytes += layer.capacity() * sizeof(CellChange);
  if (objectivesBefore) bytes += objectivesBefore->records.size() * sizeof(int16_t);
  if (objectivesAfter) bytes += objectivesAfter->records.size() * sizeof(int16_t);
  return bytes;
}

std::vector<std::pair<int, int>> MapChange::Hexes() const {
  const size_t columns = static_cast<size_t>(mapWidth) + 1;
  const size_t hexCount = columns * (static_cast<size_t>(mapHeight) + 1);
  std::vector<std::pair<int, int>> hexes;
  std::unordered_set<size_t> seen;
  for (const auto& layer : cells) {
    for (const CellChange& cell : layer) {
      const size_t hex = cell.index % hexCount;
      if (seen.insert(hex).second) {
        hexes.emplace_back(static_cast<int>(hex % columns), static_cast<int>(hex / columns));
      }
    }
  }
  return hexes;
}

ChangeRecorder::ChangeRecorder(const MapDocument& document, const HexRange& range)
    : width_(document.MapWidth), height_(document.MapHeight), objectives_(ObjectivesOf(document)) {
  range_.firstX = std::max(range.firstX, 0);
  range_.lastX = std::min<int>(range.lastX, document.MapWidth);
  range_.firstY = std::max(range.firstY, 0);
  range_.lastY = std::min<int>(range.lastY, document.MapHeight);
  if (range_.lastX < range_.firstX || range_.lastY < range_.firstY) range_ = HexRange{};
  const size_t hexes = static_cast<size_t>(range_.lastX - range_.firstX + 1) *
                       static_cast<size_t>(range_.lastY - range_.firstY + 1);
  size_t total = 0;
  ForEachNumberedLayer(document, [&](size_t layer, const auto& values, int planes) {
    if (!Complete(document, values, planes)) return;
    // Each layer's block starts on a multiple of 8 bytes.
    using Value = typename std::remove_reference_t<decltype(values)>::value_type;
    before_[layer] = {total, hexes * static_cast<size_t>(planes) * sizeof(Value)};
    total += (before_[layer].second + 7) & ~size_t{7};
  });
  taken_.reset(new uint8_t[std::max<size_t>(total, 1)]);
  ForEachNumberedLayer(document, [&](size_t layer, const auto& values, int planes) {
    if (before_[layer].second == 0) return;
    using Value = typename std::remove_reference_t<decltype(values)>::value_type;
    uint8_t* at = taken_.get() + before_[layer].first;
    ForEachRow(document, range_, planes, [&](size_t start, size_t count) {
      std::memcpy(at, values.data() + start, count * sizeof(Value));
      at += count * sizeof(Value);
    });
  });
}

ChangeRecorder::ChangeRecorder(const MapDocument& document)
    : ChangeRecorder(document, HexRange{0, document.MapWidth, 0, document.MapHeight}) {}

std::optional<MapChange> ChangeRecorder::Finish(const MapDocument& document,
                                                std::string name) const {
  if (document.MapWidth != width_ || document.MapHeight != height_) return std::nullopt;
  MapChange change;
  change.name = std::move(name);
  change.mapWidth = width_;
  change.mapHeight = height_;
  ForEachNumberedLayer(document, [&](size_t layer, const auto& values, int planes) {
    using Value = typename std::remove_reference_t<decltype(values)>::value_type;
    const auto [offset, size] = before_[layer];
    if (!Complete(document, values, planes) || size == 0) return;
    const auto* before = reinterpret_cast<const Value*>(taken_.get() + offset);
    // Counted first, so that the cells take exactly their room.
    size_t differing = 0;
    size_t next = 0;
    ForEachRow(document, range_, planes, [&](size_t start, size_t count) {
      ForEachDifference(values.data() + start, before + next, count, [&](size_t) { ++differing; });
      next += count;
    });
    std::vector<CellChange>& cells = change.cells[layer];
    cells.reserve(differing);
    next = 0;
    ForEachRow(document, range_, planes, [&](size_t start, size_t count) {
      ForEachDifference(values.data() + start, before + next, count, [&](size_t i) {
        cells.push_back({static_cast<uint32_t>(start + i), static_cast<int16_t>(before[next + i]),
                         static_cast<int16_t>(values[start + i])});
      });
      next += count;
    });
  });
  ObjectiveList now = ObjectivesOf(document);
  if (!(now == objectives_)) {
    change.objectivesBefore = objectives_;
    change.objectivesAfter = std::move(now);
  }
  return change;
}

bool RevertChange(MapDocument& document, const MapChange& change) {
  return PutBack(document, change, false);
}

bool ReapplyChange(MapDocument& document, const MapChange& change) {
  return PutBack(document, change, true);
}

void ChangeHistory::Record(MapChange change) {
  if (change.Empty()) return;
  for (const MapChange& undone : undone_) bytes_ -= undone.Bytes();
  undone_.clear();
  bytes_ += change.Bytes();
  done_.push_back(std::move(change));
  while (done_.size() > kMaxChanges || (bytes_ > kMaxBytes && done_.size() > 1)) {
    bytes_ -= done_.front().Bytes();
    done_.pop_front();
  }
}

void ChangeHistory::Clear() {
  done_.clear();
  undone_.clear();
  bytes_ = 0;
}

template <class From, class To>
const MapChange* ChangeHistory::Move(MapDocument& document, From& from, To& to, bool after) {
  if (from.empty()) return nullptr;
  if (!PutBack(document, from.back(), after)) {
    Clear();
    return nullptr;
  }
  to.push_back(std::move(from.back()));
  from.pop_back();
  return &to.back();
}

const MapChange* ChangeHistory::Undo(MapDocument& document) {
  return Move(document, done_, undone_, false);
}

const MapChange* ChangeHistory::Redo(MapDocument& document) {
  return Move(document, undone_, done_, true);
}

}  // namespace korv
