#include "analysis/land_masses.h"

#include <algorithm>
#include <limits>
#include <string>
#include <unordered_map>
#include <vector>

#include "document/hex_grid.h"

namespace korv {

namespace {

// The numbers of the hexes as groups: every hex holding a number belongs to
// the group of that number in its region (column 0 and row 0 form one
// region, the rest of the map the other), so that renumbering all hexes of
// a number, or those outside column 0 and row 0, is a union of groups.
//
// The members of a group are not hexes but labels: a hex gets the label of
// the group its number had when the hex was numbered, and a new label only
// when its number had no group in its region yet. Labels are far fewer than
// hexes, so only the hex's label is kept per hex: 16 bits in the
// HexLandMass layer itself (which the passes overwrite at the end anyway)
// while there are fewer than 65 536 labels, 32 bits in a layer of its own
// beyond.
class NumberGroups {
 public:
  NumberGroups(std::vector<int16_t>& scratch, size_t narrowLimit)
      : narrow_(scratch), narrowLimit_(narrowLimit) {
    std::fill(narrow_.begin(), narrow_.end(), int16_t{0});
    parent_.push_back(0);  // label 0: the hex holds no number yet
    value_.push_back(0);
    size_.push_back(0);
  }

  int32_t ValueOf(int32_t hex) {
    const uint32_t label = LabelOf(static_cast<size_t>(hex));
    return label == 0 ? 0 : value_[Find(label)];
  }

  void Assign(int32_t hex, bool border, int32_t value) {
    auto& roots = roots_[border ? 1 : 0];
    auto it = roots.find(value);
    if (it == roots.end()) {
      const auto label = static_cast<uint32_t>(parent_.size());
      parent_.push_back(label);
      value_.push_back(value);
      size_.push_back(1);
      roots.emplace(value, label);
      SetLabel(static_cast<size_t>(hex), label);
    } else {
      SetLabel(static_cast<size_t>(hex), it->second);
    }
  }

  // Every hex holding `from` (only those outside column 0 and row 0 unless
  // `borderToo`) now holds `to`.
  void Replace(int32_t from, int32_t to, bool borderToo) {
    if (from == to) return;
    for (int region = 0; region < (borderToo ? 2 : 1); ++region) {
      auto& roots = roots_[region];
      auto it = roots.find(from);
      if (it == roots.end()) continue;
      const uint32_t moving = it->second;
      roots.erase(it);
      auto target = roots.find(to);
      if (target == roots.end()) {
        value_[moving] = to;
        roots.emplace(to, moving);
      } else {
        target->second = Union(target->second, moving, to);
      }
    }
  }

 private:
  uint32_t LabelOf(size_t hex) const {
    return wide_.empty() ? static_cast<uint16_t>(narrow_[hex]) : wide_[hex];
  }
  void SetLabel(size_t hex, uint32_t label) {
    if (wide_.empty() && label >= narrowLimit_) {
      wide_.assign(narrow_.size(), 0);
      for (size_t i = 0; i < narrow_.size(); ++i) wide_[i] = static_cast<uint16_t>(narrow_[i]);
    }
    if (wide_.empty()) {
      narrow_[hex] = static_cast<int16_t>(static_cast<uint16_t>(label));
    } else {
      wide_[hex] = label;
    }
  }
  uint32_t Find(uint32_t label) {
    while (parent_[label] != label) {
      parent_[label] = parent_[parent_[label]];
      label = parent_[label];
    }
    return label;
  }
  uint32_t Union(uint32_t a, uint32_t b, int32_t value) {
    a = Find(a);
    b = Find(b);
    if (a != b) {
      if (size_[a] < size_[b]) std::swap(a, b);
      parent_[b] = a;
      size_[a] += size_[b];
    }
    value_[a] = value;
    return a;
  }

  std::vector<int16_t>& narrow_;
  size_t narrowLimit_;
  std::vector<uint32_t> wide_;
  std::vector<uint32_t> parent_;
  std::vector<uint32_t> size_;
  std::vector<int32_t> value_;  // of roots
  std::unordered_map<int32_t, uint32_t> roots_[2];
};

// The layer as it was, so that a refused numbering can put it back: in runs
// of equal values (an empty or numbered layer is a few runs a column), or
// whole when runs would take more than half the layer's room.
class LayerBackup {
 public:
  explicit LayerBackup(const std::vector<int16_t>& layer) : size_(layer.size()) {
    for (size_t i = 0; i < layer.size(); ++i) {
      if (!runs_.empty() && runs_.back().value == layer[i]) {
        ++runs_.back().length;
        continue;
      }
      if (runs_.size() * sizeof(Run) >= layer.size()) {
        runs_ = {};
        whole_ = layer;
        return;
      }
      runs_.push_back({layer[i], 1});
    }
  }
  void Restore(std::vector<int16_t>& layer) const {
    if (!whole_.empty() || size_ == 0) {
      layer = whole_;
      return;
    }
    auto out = layer.begin();
    for (const Run& run : runs_) out = std::fill_n(out, run.length, run.value);
  }

 private:
  struct Run {
    int16_t value;
    uint32_t length;
  };
  size_t size_;
  std::vector<Run> runs_;
  std::vector<int16_t> whole_;
};

struct Passes {
  const MapDocument& document;
  NumberGroups groups;
  const std::function<void(const std::string&)>& progress;

  int32_t Id(int x, int y) const { return static_cast<int32_t>(document.Index(x, y)); }
  bool Water(int x, int y) const { return document.Terrain(x, y) == 0; }
  static bool Border(int x, int y) { return x == 0 || y == 0; }
  void Report(int x) const {
    if (progress) progress(std::to_string(x) + "," + std::to_string(document.MapHeight + 1));
  }

  // Pass 1 (land, `water` false) or 3 (water): number the bodies of one kind.
  void Label(bool water, int32_t counter) {
    for (int x = 0; x <= document.MapWidth; ++x) {
      int32_t current = 0;
      for (int y = 0; y <= document.MapHeight; ++y) {
        if (Water(x, y) != water) {
          current = 0;
          continue;
        }
        if (groups.ValueOf(Id(x, y)) != 0) continue;
        // The neighbours north-east, south-east, south, south-west,
        // north-west and north, the first numbered one of the same kind.
        int32_t found = 0;
        auto nx = static_cast<int16_t>(x);
        auto ny = static_cast<int16_t>(y - 1);
        for (int d = 1; d <= 6 && found == 0; ++d) {
          NeighbourStep(nx, ny, d);
          if (!document.Contains(nx, ny) || Water(nx, ny) != water) continue;
          const int32_t number = groups.ValueOf(Id(nx, ny));
          if (number > 0) found = number;
        }
        if (found == 0) {
          current = ++counter;
        } else if (current == 0) {
          current = found;
        } else if (found < current) {
          groups.Replace(current, found, true);
          current = found;
        } else if (found > current) {
          groups.Replace(found, current, true);
        }
        groups.Assign(Id(x, y), Border(x, y), current);
      }
      Report(x);
    }
  }

  // Pass 2 or 4: renumber from `next` on, in the order numbers first appear;
  // column 0 and row 0 keep what they hold. Returns the last number given.
  int32_t Compact(int32_t next) {
    for (int x = 0; x <= document.MapWidth; ++x) {
      for (int y = 0; y <= document.MapHeight; ++y) {
        const int32_t number = groups.ValueOf(Id(x, y));
        if (number <= next) continue;
        ++next;
        groups.Replace(number, next, false);
      }
      Report(x);
    }
    return next;
  }
};

}  // namespace

bool DetermineLandMasses(MapDocument& document, std::string& error,
                         const std::function<void(const std::string&)>& progress,
                         size_t narrowLabels) {
  const LayerBackup before(document.HexLandMass);
  // The labels live in HexLandMass until the numbers replace them.
  Passes passes{document, NumberGroups(document.HexLandMass, narrowLabels), progress};
  passes.Label(false, 0);
  const int32_t lastLand = passes.Compact(1);
  passes.Label(true, lastLand + 1);
  passes.Compact(lastLand + 1);
  int32_t highest = 0;
  for (int32_t hex = 0; hex < static_cast<int32_t>(document.HexCount()); ++hex) {
    highest = std::max(highest, passes.groups.ValueOf(hex));
  }
  // A wrapped number would be negative, or 0 ("not numbered").
  if (highest > std::numeric_limits<int16_t>::max()) {
    before.Restore(document.HexLandMass);
    error =
        "The land masses were not numbered: this map has so many separate bodies of land "
        "and water that they would need numbers up to " +
        std::to_string(highest) + ", and a map holds numbers up to " +
        std::to_string(std::numeric_limits<int16_t>::max()) +
        " only. The numbers the map had are kept.";
    return false;
  }
  for (int x = 0; x <= document.MapWidth; ++x) {
    for (int y = 0; y <= document.MapHeight; ++y) {
      // Each hex's label is read before its number takes its place.
      document.LandMass(x, y) = static_cast<int16_t>(passes.groups.ValueOf(passes.Id(x, y)));
    }
  }
  return true;
}

int VerifyHexData(MapDocument& document, int tileCount, int terrainMax) {
  int errors = 0;
  for (int x = 0; x <= document.MapWidth; ++x) {
    for (int y = 0; y <= document.MapHeight; ++y) {
      if (document.Tile(x, y) < 0 || document.Tile(x, y) > tileCount) {
        document.Tile(x, y) = 0;
        ++errors;
      }
      if (document.Terrain(x, y) > terrainMax) {
        document.Terrain(x, y) = 0;
        ++errors;
      }
      if (document.Mark(x, y) != 0 && document.Owner(x, y) == 0) document.Mark(x, y) = 0;
    }
  }
  return errors;
}

}  // namespace korv
