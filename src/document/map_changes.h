// Reversible changes of the map document. A change keeps, layer by layer,
// only the values it altered, each with its value before and after, so
// undoing and redoing it costs in proportion to what it altered, not to the
// size of the map. A recorder takes the values of the hexes an edit may
// touch before it runs and compares them afterwards.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/map_document.h"

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

struct MapChange {
  std::string name;  // what the Edit menu calls it: "Paint", "Block Fill", ...
  int16_t mapWidth = 0;
  int16_t mapHeight = 0;
  std::array<std::vector<CellChange>, kMapLayerCount> cells;
  // The objective list before and after, when the change altered it.
  std::optional<ObjectiveList> objectivesBefore;
  std::optional<ObjectiveList> objectivesAfter;

  bool Empty() const;
  // Memory the change holds, roughly.
  size_t Bytes() const;
  // The hexes (x, y) whose values the change altered, each once, in the
  // order of their first altered value.
  std::vector<std::pair<int, int>> Hexes() const;
};

class ChangeRecorder {
 public:
  // Takes the values of the hexes of `range` (clipped to the map) in every layer.
  ChangeRecorder(const MapDocument& document, const HexRange& range);
  // Takes every hex of the map.
  explicit ChangeRecorder(const MapDocument& document);

  // What changed in the recorded hexes since, named `name`; nothing when the
  // map has another size now (it was replaced, and no change leads back).
  std::optional<MapChange> Finish(const MapDocument& document, std::string name) const;

 private:
  int16_t width_;
  int16_t height_;
  HexRange range_;
  // Each layer's values in the range as they lie in the layer, row after
  // row, one layer after the other in one block (not zeroed first: every
  // byte is copied in); where each layer starts and how long it is.
  std::unique_ptr<uint8_t[]> taken_;
  std::array<std::pair<size_t, size_t>, kMapLayerCount> before_{};
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
