#include "document/map_changes.h"

#include <algorithm>
#include <type_traits>
#include <unordered_set>
#include <utility>

namespace korv {

namespace {

// Calls visit(values, planes) with the layer's array and its plane count.
template <class Document, class Visit>
void WithLayer(Document& document, int layer, Visit&& visit) {
  switch (layer) {
    case kDataLayer:
      visit(document.HexData, MapDocument::kDataPlanes);
      break;
    case kTileLayer:
      visit(document.HexTile, 1);
      break;
    case kControlLayer:
      visit(document.HexControl, MapDocument::kControlPlanes);
      break;
    case kDeploymentLayer:
      visit(document.HexDeployment, 1);
      break;
    case kLandMassLayer:
      visit(document.HexLandMass, 1);
      break;
    case kOriginalOwnerLayer:
      visit(document.HexOriginalOwner, 1);
      break;
    default:
      break;
  }
}

// Visits the position of every value of `range` in a layer of `planes`
// planes: plane by plane, row by row, so that a row is one run of memory.
template <class Visit>
void ForEachCell(const MapDocument& document, const HexRange& range, int planes, Visit&& visit) {
  for (int k = 0; k < planes; ++k) {
    for (int y = range.firstY; y <= range.lastY; ++y) {
      const size_t start = document.Index(range.firstX, y, k);
      for (int x = range.firstX; x <= range.lastX; ++x) {
        visit(start + static_cast<size_t>(x - range.firstX));
      }
    }
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
  for (int layer = 0; layer < kMapLayerCount; ++layer) {
    WithLayer(document, layer, [&](auto& values, int) {
      using Value = typename std::remove_reference_t<decltype(values)>::value_type;
      for (const CellChange& cell : change.cells[static_cast<size_t>(layer)]) {
        if (cell.index < values.size()) {
          values[cell.index] = static_cast<Value>(after ? cell.after : cell.before);
        }
      }
    });
  }
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
  for (int layer = 0; layer < kMapLayerCount; ++layer) {
    WithLayer(document, layer, [&](const auto& values, int planes) {
      if (!Complete(document, values, planes)) return;
      std::vector<int16_t>& taken = before_[static_cast<size_t>(layer)];
      const auto across = static_cast<size_t>(range_.lastX - range_.firstX + 1);
      taken.resize(across * static_cast<size_t>(range_.lastY - range_.firstY + 1) *
                   static_cast<size_t>(planes));
      // Row by row, in the order ForEachCell visits.
      auto next = taken.begin();
      for (int k = 0; k < planes; ++k) {
        for (int y = range_.firstY; y <= range_.lastY; ++y) {
          const auto row =
              values.begin() + static_cast<std::ptrdiff_t>(document.Index(range_.firstX, y, k));
          next = std::transform(row, row + static_cast<std::ptrdiff_t>(across), next,
                                [](auto value) { return static_cast<int16_t>(value); });
        }
      }
    });
  }
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
  for (int layer = 0; layer < kMapLayerCount; ++layer) {
    WithLayer(document, layer, [&](const auto& values, int planes) {
      const std::vector<int16_t>& taken = before_[static_cast<size_t>(layer)];
      if (!Complete(document, values, planes) || taken.empty()) return;
      std::vector<CellChange>& cells = change.cells[static_cast<size_t>(layer)];
      size_t next = 0;
      ForEachCell(document, range_, planes, [&](size_t i) {
        const auto now = static_cast<int16_t>(values[i]);
        const int16_t before = taken[next++];
        if (now != before) cells.push_back({static_cast<uint32_t>(i), before, now});
      });
      cells.shrink_to_fit();
    });
  }
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

const MapChange* ChangeHistory::Undo(MapDocument& document) {
  if (done_.empty()) return nullptr;
  if (!RevertChange(document, done_.back())) {
    Clear();
    return nullptr;
  }
  undone_.push_back(std::move(done_.back()));
  done_.pop_back();
  return &undone_.back();
}

const MapChange* ChangeHistory::Redo(MapDocument& document) {
  if (undone_.empty()) return nullptr;
  if (!ReapplyChange(document, undone_.back())) {
    Clear();
    return nullptr;
  }
  done_.push_back(std::move(undone_.back()));
  undone_.pop_back();
  return &done_.back();
}

}  // namespace korv
