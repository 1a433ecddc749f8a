// Reversible changes of the map document. A change keeps, layer by layer,
// only the values it altered, each with its value before and after, so
// undoing and redoing it costs in proportion to what it altered, not to the
// size of the map. A whole plane of a layer where most values were altered
// (a map-wide command) is kept as one block instead, the values the map
// does not hold: those before while the change stands, those after once it
// is undone; undo and redo exchange it with the map's. A recorder takes the
// values of the hexes an edit may touch before it runs and compares them
// afterwards.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "document/map_document.h"
#include "platform/memory.h"

namespace korv {

// The per-hex layers an edit can alter, in the order ForEachEditableLayer
// visits them.
enum MapLayer : uint8_t {
  kDataLayer,
  kTileLayer,
  kControlLayer,
  kDeploymentLayer,
  kLandMassLayer,
  kOriginalOwnerLayer,
  kMapLayerCount,
};

// One altered value: its position in the layer, before and after.
struct CellChange {
  uint32_t index;
  int16_t before;
  int16_t after;
};

// The objective list as a whole.
struct ObjectiveList {
  int16_t count = 0;
  std::vector<int16_t> records;
  bool operator==(const ObjectiveList&) const = default;
};

// Gives a block of AllocateBlock back, knowing its size.
struct BlockFree {
  size_t size = 0;
  void operator()(uint8_t* bytes) const { FreeBlock(bytes, size); }
};

// Bytes made without zeroing (each is written before it is read), copied whole.
class ByteBlock {
 public:
  ByteBlock() = default;
  explicit ByteBlock(size_t size);
  ByteBlock(const ByteBlock& other);
  ByteBlock& operator=(const ByteBlock& other);
  // A block moved from is empty: no bytes and a size of 0.
  ByteBlock(ByteBlock&& other) noexcept
      : bytes_(std::move(other.bytes_)), size_(std::exchange(other.size_, 0)) {}
  ByteBlock& operator=(ByteBlock&& other) noexcept {
    bytes_ = std::move(other.bytes_);
    size_ = std::exchange(other.size_, 0);
    return *this;
  }

  uint8_t* data() { return bytes_.get(); }
  const uint8_t* data() const { return bytes_.get(); }
  size_t size() const { return size_; }

 private:
  std::unique_ptr<uint8_t, BlockFree> bytes_;
  size_t size_ = 0;
};

// A plane of a layer kept whole: `count` values from `start`, and the bytes
// of those values the map does not hold now.
struct PlaneChange {
  uint32_t start = 0;
  uint32_t count = 0;
  // Exchanged with the map's values by each undo and redo (so a change
  // undone twice in a row is undone once).
  mutable ByteBlock other;
  mutable bool undone = false;
  // Whether `other` holds the values as runs of equal ones (a ValueRun
  // each) rather than one after the other: a plane filled with one value
  // (a fill over a fill, a cleared layer) takes a few bytes instead of a
  // copy of the plane.
  mutable bool runs = false;
};

// `count` equal values in a row.
struct ValueRun {
  uint32_t count;
  int32_t value;
};

// A plane of at least this many values whose altered values would take
// more memory as records than the plane takes is kept whole.
constexpr size_t kWholePlaneValues = 1024;

struct MapChange {
  std::string name;  // what the Edit menu calls it: "Paint", "Block Fill", ...
  int16_t mapWidth = 0;
  int16_t mapHeight = 0;
  std::array<std::vector<CellChange>, kMapLayerCount> cells;
  std::array<std::vector<PlaneChange>, kMapLayerCount> planes;
  // The objective list before and after, when the change altered it.
  std::optional<ObjectiveList> objectivesBefore;
  std::optional<ObjectiveList> objectivesAfter;

  bool Empty() const;
  // Memory the change holds, roughly.
  size_t Bytes() const;
  // Whether the change keeps whole planes (and so may alter any hex).
  bool WholePlanes() const;
  // The hexes (x, y) of the single values the change altered, each once, in
  // the order of their first altered value (planes kept whole not counted).
  std::vector<std::pair<int, int>> Hexes() const;
};

class ChangeRecorder {
 public:
  // Takes the values of the hexes of `range` (clipped to the map) in every layer.
  ChangeRecorder(const MapDocument& document, const HexRange& range);
  // Takes every hex of the map.
  explicit ChangeRecorder(const MapDocument& document);
  // Keeps the blocks no change took for the next recorder (up to a limit).
  ~ChangeRecorder();
  ChangeRecorder(ChangeRecorder&&) noexcept = default;
  ChangeRecorder& operator=(ChangeRecorder&&) noexcept = default;

  // What changed in the recorded hexes since, named `name`; nothing when the
  // map has another size now (it was replaced, and no change leads back).
  // A recorder used up by its finish hands its planes kept whole over
  // instead of copying them.
  std::optional<MapChange> Finish(const MapDocument& document, std::string name) const&;
  std::optional<MapChange> Finish(const MapDocument& document, std::string name) &&;

 private:
  // The finish, taking the planes kept whole from `from` when it is given.
  std::optional<MapChange> Compare(const MapDocument& document, std::string name,
                                   ChangeRecorder* from) const;

  int16_t width_;
  int16_t height_;
  HexRange range_;
  // Each plane's values in the range as they lie in the layer, row after
  // row, a block for each plane of each layer (none for a layer the
  // document does not hold in full).
  std::array<std::vector<ByteBlock>, kMapLayerCount> taken_;
  ObjectiveList objectives_;
};

// Puts back the values `change` found (undo) or left (redo). False, with the
// map untouched, when the map has another size than the one it was made on.
bool RevertChange(MapDocument& document, const MapChange& change);
bool ReapplyChange(MapDocument& document, const MapChange& change);

// The last changes, newest last, and the ones undone since, next to redo last.
class ChangeHistory {
 public:
  static constexpr size_t kMaxChanges = 100;
  // Past this much memory the oldest changes go, whatever their number.
  static constexpr size_t kMaxBytes = size_t{512} << 20;

  // Keeps `change` as the newest (an empty one is not kept); what was
  // undone can no longer be redone.
  void Record(MapChange change);
  // Forgets everything: the map was replaced.
  void Clear();

  const MapChange* NextUndo() const { return done_.empty() ? nullptr : &done_.back(); }
  const MapChange* NextRedo() const { return undone_.empty() ? nullptr : &undone_.back(); }
  // Reverts the newest change on `document` and returns it, or null when
  // there is none (or it no longer fits the map, which clears the history).
  const MapChange* Undo(MapDocument& document);
  // Reapplies the change undone last.
  const MapChange* Redo(MapDocument& document);
  size_t UndoCount() const { return done_.size(); }
  size_t RedoCount() const { return undone_.size(); }

 private:
  // Puts back the newest change of `from` (its values after it when
  // `after`) and moves it to `to`.
  template <class From, class To>
  const MapChange* Move(MapDocument& document, From& from, To& to, bool after);

  std::deque<MapChange> done_;
  std::vector<MapChange> undone_;
  size_t bytes_ = 0;
};

}  // namespace korv
