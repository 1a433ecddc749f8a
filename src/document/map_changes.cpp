#include "document/map_changes.h"

#include <algorithm>
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

// Calls visit(start, count) for every row of `range` in a layer of `planes`
// planes, plane by plane: each row is one run of `count` values from `start`.
template <class Visit>
void ForEachRow(const MapDocument& document, const HexRange& range, int planes, Visit&& visit) {
  const auto count = static_cast<size_t>(range.lastX - range.firstX + 1);
  for (int k = 0; k < planes; ++k) {
    for (int y = range.firstY; y <= range.lastY; ++y)
      visit(document.Index(range.firstX, y, k), count);
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
  ForEachNumberedLayer(document, [&](size_t layer, const auto& values, int planes) {
    if (!Complete(document, values, planes)) return;
    std::vector<int16_t>& taken = before_[layer];
    taken.reserve(static_cast<size_t>(range_.lastX - range_.firstX + 1) *
                  static_cast<size_t>(range_.lastY - range_.firstY + 1) *
                  static_cast<size_t>(planes));
    ForEachRow(document, range_, planes, [&](size_t start, size_t count) {
      const auto row = values.begin() + static_cast<std::ptrdiff_t>(start);
      std::transform(row, row + static_cast<std::ptrdiff_t>(count), std::back_inserter(taken),
                     [](auto value) { return static_cast<int16_t>(value); });
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
    const std::vector<int16_t>& taken = before_[layer];
    if (!Complete(document, values, planes) || taken.empty()) return;
    std::vector<CellChange>& cells = change.cells[layer];
    size_t next = 0;
    ForEachRow(document, range_, planes, [&](size_t start, size_t count) {
      for (size_t i = start; i < start + count; ++i) {
        const auto now = static_cast<int16_t>(values[i]);
        const int16_t before = taken[next++];
        if (now != before) cells.push_back({static_cast<uint32_t>(i), before, now});
      }
    });
    cells.shrink_to_fit();
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
