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
class NumberGroups {
 public:
  explicit NumberGroups(size_t hexes) : parent_(hexes, -1), size_(hexes, 1), value_(hexes, 0) {}

  int32_t ValueOf(int32_t hex) {
    return parent_[static_cast<size_t>(hex)] < 0 ? 0 : value_[static_cast<size_t>(Find(hex))];
  }

  void Assign(int32_t hex, bool border, int32_t value) {
    auto& roots = roots_[border ? 1 : 0];
    parent_[static_cast<size_t>(hex)] = hex;
    value_[static_cast<size_t>(hex)] = value;
    auto it = roots.find(value);
    if (it == roots.end()) {
      roots.emplace(value, hex);
    } else {
      it->second = Union(it->second, hex, value);
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
      const int32_t moving = it->second;
      roots.erase(it);
      auto target = roots.find(to);
      if (target == roots.end()) {
        value_[static_cast<size_t>(moving)] = to;
        roots.emplace(to, moving);
      } else {
        target->second = Union(target->second, moving, to);
      }
    }
  }

 private:
  int32_t Find(int32_t hex) {
    while (parent_[static_cast<size_t>(hex)] != hex) {
      const auto up = static_cast<size_t>(parent_[static_cast<size_t>(hex)]);
      parent_[static_cast<size_t>(hex)] = parent_[up];
      hex = parent_[static_cast<size_t>(hex)];
    }
    return hex;
  }
  int32_t Union(int32_t a, int32_t b, int32_t value) {
    a = Find(a);
    b = Find(b);
    if (a != b) {
      if (size_[static_cast<size_t>(a)] < size_[static_cast<size_t>(b)]) std::swap(a, b);
      parent_[static_cast<size_t>(b)] = a;
      size_[static_cast<size_t>(a)] += size_[static_cast<size_t>(b)];
    }
    value_[static_cast<size_t>(a)] = value;
    return a;
  }

  std::vector<int32_t> parent_;  // -1: the hex holds no number yet
  std::vector<int32_t> size_;
  std::vector<int32_t> value_;  // of roots
  std::unordered_map<int32_t, int32_t> roots_[2];
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
                         const std::function<void(const std::string&)>& progress) {
  Passes passes{document, NumberGroups(document.HexCount()), progress};
  passes.Label(false, 0);
  const int32_t lastLand = passes.Compact(1);
  passes.Label(true, lastLand + 1);
  passes.Compact(lastLand + 1);
  std::vector<int16_t> numbers(document.HexCount());
  int32_t highest = 0;
  for (int x = 0; x <= document.MapWidth; ++x) {
    for (int y = 0; y <= document.MapHeight; ++y) {
      const int32_t number = passes.groups.ValueOf(passes.Id(x, y));
      highest = std::max(highest, number);
      if (number > std::numeric_limits<int16_t>::max()) continue;
      numbers[document.Index(x, y)] = static_cast<int16_t>(number);
    }
  }
  // A wrapped number would be negative, or 0 ("not numbered").
  if (highest > std::numeric_limits<int16_t>::max()) {
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
      document.LandMass(x, y) = numbers[document.Index(x, y)];
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
