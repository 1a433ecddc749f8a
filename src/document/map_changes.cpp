#include "document/map_changes.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <optional>
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

// Calls visit(start, count) for the values of `range` in plane `k` of a
// layer, row by row, in runs of `count` values from `start`: a row each, or
// the plane's rows at once when the range spans every column.
template <class Visit>
void ForEachRow(const MapDocument& document, const HexRange& range, int k, Visit&& visit) {
  const auto count = static_cast<size_t>(range.lastX - range.firstX + 1);
  if (range.firstX == 0 && range.lastX == document.MapWidth) {
    if (range.lastY >= range.firstY) {
      visit(document.Index(0, range.firstY, k),
            count * static_cast<size_t>(range.lastY - range.firstY + 1));
    }
    return;
  }
  for (int y = range.firstY; y <= range.lastY; ++y)
    visit(document.Index(range.firstX, y, k), count);
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

// Exchanges `size` bytes at `a` with those at `b` (blocks that do not overlap).
void SwapBytes(uint8_t* a, uint8_t* b, size_t size) {
  constexpr size_t kChunk = 4096;
  uint8_t held[kChunk];
  for (size_t at = 0; at < size; at += kChunk) {
    const size_t n = std::min(kChunk, size - at);
    std::memcpy(held, a + at, n);
    std::memcpy(a + at, b + at, n);
    std::memcpy(b + at, held, n);
  }
}

// The values at `values` as runs of equal ones, or nothing when they take
// more than `most` runs (the count stops there, so a plane of varied values
// costs only a look at its start).
template <class Value>
std::optional<ByteBlock> RunsOf(const Value* values, size_t count, size_t most) {
  size_t runs = 0;
  for (size_t i = 0; i < count; ++runs) {
    if (runs == most) return std::nullopt;
    const Value value = values[i];
    while (i < count && values[i] == value) ++i;
  }
  ByteBlock block(runs * sizeof(ValueRun));
  uint8_t* at = block.data();
  for (size_t i = 0; i < count;) {
    const size_t from = i;
    while (i < count && values[i] == values[from]) ++i;
    const ValueRun run{static_cast<uint32_t>(i - from), static_cast<int32_t>(values[from])};
    std::memcpy(at, &run, sizeof run);
    at += sizeof run;
  }
  return block;
}

// A plane kept whole as runs when they take at most an eighth of its bytes.
template <class Value>
size_t MostRuns(size_t count) {
  return count * sizeof(Value) / 8 / sizeof(ValueRun);
}

// Writes the runs of `block` out as values; false (with nothing written)
// when they do not make exactly `count` values.
template <class Value>
bool WriteRuns(const ByteBlock& block, Value* values, size_t count) {
  const size_t runs = block.size() / sizeof(ValueRun);
  size_t total = 0;
  for (size_t r = 0; r < runs; ++r) {
    ValueRun run;
    std::memcpy(&run, block.data() + r * sizeof run, sizeof run);
    total += run.count;
  }
  if (total != count || block.size() % sizeof(ValueRun) != 0) return false;
  for (size_t r = 0; r < runs; ++r) {
    ValueRun run;
    std::memcpy(&run, block.data() + r * sizeof run, sizeof run);
    std::fill_n(values, run.count, static_cast<Value>(run.value));
    values += run.count;
  }
  return true;
}

// Exchanges the plane's values in the map with those `plane` keeps as runs:
// the map's go into runs too when they fit, else into a copy.
template <class Value>
bool ExchangeRuns(Value* values, const PlaneChange& plane) {
  const size_t count = plane.count;
  std::optional<ByteBlock> mine = RunsOf(values, count, MostRuns<Value>(count));
  const bool asRuns = mine.has_value();
  if (!asRuns) {
    mine.emplace(count * sizeof(Value));
    std::memcpy(mine->data(), values, mine->size());
  }
  if (!WriteRuns(plane.other, values, count)) return false;
  plane.runs = asRuns;
  plane.other = std::move(*mine);
  return true;
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
    for (const PlaneChange& plane : change.planes[layer]) {
      // Undone already (or standing already): the map holds those values.
      if (plane.undone != after) continue;
      if (size_t{plane.start} + plane.count > values.size()) continue;
      if (plane.runs) {
        if (ExchangeRuns(values.data() + plane.start, plane)) plane.undone = !after;
      } else if (plane.other.size() == size_t{plane.count} * sizeof(Value)) {
        SwapBytes(reinterpret_cast<uint8_t*>(values.data() + plane.start), plane.other.data(),
                  plane.other.size());
        plane.undone = !after;
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

// The number of values of `now` that differ from `before`.
template <class Value>
size_t CountDifferences(const Value* now, const Value* before, size_t count) {
  constexpr size_t kBlock = 64 / sizeof(Value);
  size_t differing = 0;
  for (size_t i = 0; i < count; i += kBlock) {
    const size_t block = std::min(kBlock, count - i);
    if (std::memcmp(now + i, before + i, block * sizeof(Value)) == 0) continue;
    for (size_t j = i; j < i + block; ++j) differing += now[j] != before[j] ? 1 : 0;
  }
  return differing;
}

// Blocks of recorders that ended without handing them to a change, kept for
// the next recorder: a map-wide copy into memory the process already holds
// costs a third of one into pages the system must first hand over. Only
// large blocks are worth it; small ones (a painted hex's) would pile up by
// the thousand and make every recorder search them.
constexpr size_t kSpareBlockBytes = size_t{64} << 20;
constexpr size_t kSmallestSpareBlock = size_t{64} << 10;
constexpr size_t kSpareBlockCount = 64;

struct SpareBlocks {
  std::vector<ByteBlock> blocks;
  size_t bytes = 0;
};

SpareBlocks& Spares() {
  thread_local SpareBlocks spares;
  return spares;
}

ByteBlock TakeBlock(size_t size) {
  SpareBlocks& spares = Spares();
  for (auto it = spares.blocks.begin(); it != spares.blocks.end(); ++it) {
    if (it->size() != size) continue;
    ByteBlock block = std::move(*it);
    spares.blocks.erase(it);
    spares.bytes -= size;
    return block;
  }
  return ByteBlock(size);
}

void KeepSpare(ByteBlock&& block) {
  SpareBlocks& spares = Spares();
  if (block.data() == nullptr || block.size() < kSmallestSpareBlock ||
      spares.blocks.size() >= kSpareBlockCount || spares.bytes + block.size() > kSpareBlockBytes) {
    return;
  }
  spares.bytes += block.size();
  spares.blocks.push_back(std::move(block));
}

}  // namespace

ByteBlock::ByteBlock(size_t size) : bytes_(AllocateBlock(size), BlockFree{size}), size_(size) {}

ByteBlock::ByteBlock(const ByteBlock& other) : ByteBlock(other.size_) {
  if (size_ > 0) std::memcpy(bytes_.get(), other.bytes_.get(), size_);
}

ByteBlock& ByteBlock::operator=(const ByteBlock& other) {
  if (this != &other) *this = ByteBlock(other);
  return *this;
}

bool MapChange::Empty() const {
  const auto none = [](const auto& layer) { return layer.empty(); };
  return !objectivesBefore && std::all_of(cells.begin(), cells.end(), none) &&
         std::all_of(planes.begin(), planes.end(), none);
}

size_t MapChange::Bytes() const {
  size_t bytes = sizeof(MapChange) + name.size();
  for (const auto& layer : cells) bytes += layer.capacity() * sizeof(CellChange);
  for (const auto& layer : planes)
    for (const PlaneChange& plane : layer) bytes += sizeof(PlaneChange) + plane.other.size();
  if (objectivesBefore) bytes += objectivesBefore->records.size() * sizeof(int16_t);
  if (objectivesAfter) bytes += objectivesAfter->records.size() * sizeof(int16_t);
  return bytes;
}

bool MapChange::WholePlanes() const {
  return std::any_of(planes.begin(), planes.end(),
                     [](const auto& layer) { return !layer.empty(); });
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
  ForEachNumberedLayer(document, [&](size_t layer, const auto& values, int planes) {
    if (!Complete(document, values, planes)) return;
    using Value = typename std::remove_reference_t<decltype(values)>::value_type;
    for (int k = 0; k < planes; ++k) {
      ByteBlock& block = taken_[layer].emplace_back(TakeBlock(hexes * sizeof(Value)));
      uint8_t* at = block.data();
      ForEachRow(document, range_, k, [&](size_t start, size_t count) {
        std::memcpy(at, values.data() + start, count * sizeof(Value));
        at += count * sizeof(Value);
      });
    }
  });
}

ChangeRecorder::ChangeRecorder(const MapDocument& document)
    : ChangeRecorder(document, HexRange{0, document.MapWidth, 0, document.MapHeight}) {}

ChangeRecorder::~ChangeRecorder() {
  for (auto& blocks : taken_) {
    for (ByteBlock& block : blocks) KeepSpare(std::move(block));
  }
}

std::optional<MapChange> ChangeRecorder::Finish(const MapDocument& document,
                                                std::string name) const& {
  return Compare(document, std::move(name), nullptr);
}

std::optional<MapChange> ChangeRecorder::Finish(const MapDocument& document, std::string name) && {
  return Compare(document, std::move(name), this);
}

std::optional<MapChange> ChangeRecorder::Compare(const MapDocument& document, std::string name,
                                                 ChangeRecorder* from) const {
  if (document.MapWidth != width_ || document.MapHeight != height_) return std::nullopt;
  MapChange change;
  change.name = std::move(name);
  change.mapWidth = width_;
  change.mapHeight = height_;
  const bool wholePlanes = range_.firstX == 0 && range_.lastX == document.MapWidth &&
                           range_.firstY == 0 && range_.lastY == document.MapHeight &&
                           document.HexCount() >= kWholePlaneValues;
  ForEachNumberedLayer(document, [&](size_t layer, const auto& values, int planes) {
    using Value = typename std::remove_reference_t<decltype(values)>::value_type;
    if (!Complete(document, values, planes) || taken_[layer].size() != static_cast<size_t>(planes))
      return;
    std::vector<CellChange>& cells = change.cells[layer];
    for (int k = 0; k < planes; ++k) {
      const auto* before = reinterpret_cast<const Value*>(taken_[layer][k].data());
      // Counted first, so that the cells take exactly their room.
      size_t differing = 0;
      size_t next = 0;
      ForEachRow(document, range_, k, [&](size_t start, size_t count) {
        differing += CountDifferences(values.data() + start, before + next, count);
        next += count;
      });
      if (differing == 0) continue;
      if (wholePlanes && document.HexCount() * sizeof(Value) < differing * sizeof(CellChange)) {
        // The block taken before is the plane's other values, kept as runs
        // where they come in long ones.
        const size_t start = document.Index(0, 0, k);
        const size_t count = document.HexCount();
        std::optional<ByteBlock> runs = RunsOf(before, count, MostRuns<Value>(count));
        ByteBlock other = runs   ? std::move(*runs)
                          : from ? std::move(from->taken_[layer][k])
                                 : ByteBlock(taken_[layer][k]);
        change.planes[layer].push_back({static_cast<uint32_t>(start), static_cast<uint32_t>(count),
                                        std::move(other), false, runs.has_value()});
        continue;
      }
      cells.reserve(cells.size() + differing);
      next = 0;
      ForEachRow(document, range_, k, [&](size_t start, size_t count) {
        ForEachDifference(values.data() + start, before + next, count, [&](size_t i) {
          cells.push_back({static_cast<uint32_t>(start + i), static_cast<int16_t>(before[next + i]),
                           static_cast<int16_t>(values[start + i])});
        });
        next += count;
      });
    }
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
