// The tests' one set of file builders: map files of both layouts and the
// game's set, scenario, equipment and map-name files, written byte by byte
// from values, independently of the editor's readers and writers, so that
// each test states its input. Offsets follow the files' layouts; positions
// in the comments are 1-based where the order-of-battle text counts so.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace korv::test {

class ByteBuilder {
 public:
  void U8(int value) { bytes.push_back(static_cast<uint8_t>(value & 0xff)); }
  void I16(int value) {
    U8(value & 0xff);
    U8((value >> 8) & 0xff);
  }
  void I32(int32_t value) {
    I16(value & 0xffff);
    I16((value >> 16) & 0xffff);
  }
  // `text` in a field of `width` bytes, zero-padded.
  void Text(const std::string& text, size_t width) {
    for (size_t i = 0; i < width; ++i)
      U8(i < text.size() ? static_cast<unsigned char>(text[i]) : 0);
  }
  void Text(const std::string& text) { Text(text, text.size()); }
  void PadTo(size_t offset) {
    while (bytes.size() < offset) U8(0);
  }
  std::vector<uint8_t> bytes;
};

// Layer values of a test map, as functions of the hex.
struct MapLayers {
  std::function<int(int x, int y, int k)> data = [](int x, int y, int k) {
    return k == 0 ? 1 : (x + y + k) % 3;
  };
  std::function<int(int x, int y)> tile = [](int x, int y) { return 4 + (x + 2 * y) % 12; };
  std::function<int(int x, int y, int k)> control = [](int x, int y, int k) {
    return k == 0 ? (x * y) % 3 : (x == y ? 1 : 0);
  };
  std::function<int(int x, int y)> deployment = [](int x, int y) { return x == 2 ? y : 0; };
  std::function<int(int x, int y)> landMass = [](int x, int y) { return -x - 100 * y; };
};

// A versioned map file: signature, version, size, the five layers (x fastest,
// then y, then the plane), the objective list from version 545 on (after the
// empty record 0) and the nation-set name from version 558 on.
inline std::vector<uint8_t> VersionedMapBytes(
    int version, int w, int h, const MapLayers& layers = {},
    const std::vector<std::array<int, 6>>& objectives = {},
    const std::string& nationSet = "default") {
  ByteBuilder file;
  file.Text("Version ");
  file.I16(version);
  file.I16(w);
  file.I16(h);
  for (int k = 0; k < 7; ++k)
    for (int y = 0; y <= h; ++y)
      for (int x = 0; x <= w; ++x) file.U8(layers.data(x, y, k));
  for (int y = 0; y <= h; ++y)
    for (int x = 0; x <= w; ++x) file.I16(layers.tile(x, y));
  for (int k = 0; k < 2; ++k)
    for (int y = 0; y <= h; ++y)
      for (int x = 0; x <= w; ++x) file.U8(layers.control(x, y, k));
  for (int y = 0; y <= h; ++y)
    for (int x = 0; x <= w; ++x) file.I16(layers.deployment(x, y));
  for (int y = 0; y <= h; ++y)
    for (int x = 0; x <= w; ++x) file.I16(layers.landMass(x, y));
  if (version > 544) {
    file.I16(static_cast<int>(objectives.size()));
    for (size_t f = 0; f < 6; ++f) {
      file.I16(0);  // record 0
      for (const auto& record : objectives) file.I16(record[f]);
    }
  }
  if (version >= 558) {
    file.I16(static_cast<int>(nationSet.size()));
    file.Text(nationSet);
  }
  return file.bytes;
}

// An old-layout map file: size, then column by column (x outer) the seven
// data bytes and the tile of each hex, owner and mark, deployment, land mass.
inline std::vector<uint8_t> OldMapBytes(int w, int h, const MapLayers& layers = {}) {
  ByteBuilder file;
  file.I16(w);
  file.I16(h);
  for (int x = 0; x <= w; ++x)
    for (int y = 0; y <= h; ++y) {
      for (int k = 0; k < 7; ++k) file.U8(layers.data(x, y, k));
      file.I16(layers.tile(x, y));
    }
  for (int x = 0; x <= w; ++x)
    for (int y = 0; y <= h; ++y) {
      file.U8(layers.control(x, y, 0));
      file.U8(layers.control(x, y, 1));
    }
  for (int x = 0; x <= w; ++x)
    for (int y = 0; y <= h; ++y) file.I16(layers.deployment(x, y));
  for (int x = 0; x <= w; ++x)
    for (int y = 0; y <= h; ++y) file.I16(layers.landMass(x, y));
  return file.bytes;
}

// A set file: header, then five blocks row by row (y outer, x inner).
struct SetValues {
  int a = 3;  // highest set column
  int b = 2;  // highest row
  std::string header = "A set written by the tests";
  std::function<int(int x, int y)> name = [](int, int) { return 0; };
  std::function<int(int x, int y)> road = [](int, int) { return 0; };
  std::function<int(int x, int y)> owner = [](int, int) { return 0; };
  std::function<int(int x, int y)> unused = [](int, int) { return 0; };
  std::function<int(int x, int y)> tile = [](int x, int y) { return 4 + (x + y) % 12; };
};

inline std::vector<uint8_t> SetFileBytes(const SetValues& set) {
  ByteBuilder file;
  file.Text(set.header, 101);
  file.I16(set.a);
  file.I16(set.b);
  file.PadTo(123);
  const auto block = [&](const std::function<int(int, int)>& value, bool wide) {
    for (int y = 0; y <= set.b; ++y) {
      for (int x = 0; x <= set.a; ++x) {
        if (wide) {
          file.I16(value(x, y));
        } else {
          file.U8(value(x, y));
        }
      }
    }
  };
  block(set.name, true);
  block(set.road, false);
  block(set.owner, false);
  block(set.unused, false);
  block(set.tile, true);
  return file.bytes;
}

struct UnitValues {
  int equipment = 1, groundTransport = 0, nation = 1, seaAirTransport = 0;
  int x = 0, y = 0;  // game column and row
  int strength = 10, entrenchment = 0, experience = 0;
};

// A scenario file; every value has a small default.
struct ScenarioValues {
  std::array<int, 6> side1 = {1, 0, 0, 0, 0, 0};  // S1(1..6)
  std::array<int, 6> side2 = {2, 0, 0, 0, 0, 0};  // S2(1..6)
  std::array<int, 6> bytes13To18 = {};
  int byte19 = 10;  // max core units
  int byte20 = 4;   // side 1 max aux units
  int byte21 = 13;  // side 2 max aux units + byte 19
  int byte22 = 20;  // turns
  int day = 1, month = 6, year = 44;
  int byte26 = 0;
  int daysPerTurn = 1;
  int pool1 = 0, pool2 = 0;  // i16 at 28 and 30
  int interval1 = 0, interval2 = 0;
  std::array<int, 4> bytes34To37 = {};
  std::vector<std::pair<int, int>> victory;
  std::optional<int> victoryCount;  // written instead of victory.size()
  std::vector<std::pair<int, int>> deployment;
  std::optional<int> deploymentCount;  // written instead of deployment.size() + 1
  std::array<int, 2> unusedAfterDeployment = {};
  int prestige1 = 0, prestige2 = 0;
  std::array<int, 4> transport = {};  // air 1, air 2, naval 1, naval 2
  std::array<int, 8> eight = {};
  std::vector<UnitValues> units;
  std::vector<uint8_t> trailing;  // bytes after the last unit
};

inline std::vector<uint8_t> ScenarioFileBytes(const ScenarioValues& s) {
  ByteBuilder file;
  for (size_t k = 0; k < 6; ++k) {
    file.U8(s.side1[k]);
    file.U8(s.side2[k]);
  }
  for (int b : s.bytes13To18) file.U8(b);
  for (int b :
       {s.byte19, s.byte20, s.byte21, s.byte22, s.day, s.month, s.year, s.byte26, s.daysPerTurn})
    file.U8(b);
  file.I16(s.pool1);
  file.I16(s.pool2);
  file.U8(s.interval1);
  file.U8(s.interval2);
  for (int b : s.bytes34To37) file.U8(b);
  file.I16(s.victoryCount.value_or(static_cast<int>(s.victory.size())));
  for (auto [x, y] : s.victory) {
    file.I16(x);
    file.I16(y);
  }
  file.PadTo(117);
  file.I16(s.deploymentCount.value_or(static_cast<int>(s.deployment.size()) + 1));
  for (auto [x, y] : s.deployment) {
    file.I16(x);
    file.I16(y);
  }
  for (int v : s.unusedAfterDeployment) file.I16(v);
  file.I16(s.prestige1);
  file.I16(s.prestige2);
  for (int b : s.transport) file.U8(b);
  for (int b : s.eight) file.U8(b);
  for (const UnitValues& u : s.units) {
    file.I16(u.equipment);
    file.I16(u.groundTransport);
    file.U8(u.nation);
    file.I16(u.seaAirTransport);
    file.I16(u.x);
    file.I16(u.y);
    file.U8(u.strength);
    file.U8(u.entrenchment);
    file.U8(u.experience);
  }
  file.bytes.insert(file.bytes.end(), s.trailing.begin(), s.trailing.end());
  return file.bytes;
}

// An equipment file: records 1.. named by `names` after the reserved record 0;
// the count includes record 0 unless `count` says otherwise.
inline std::vector<uint8_t> EquipmentFileBytes(const std::vector<std::string>& names,
                                               std::optional<int> count = std::nullopt) {
  ByteBuilder file;
  file.I16(count.value_or(static_cast<int>(names.size()) + 1));
  file.Text("", 50);
  for (const std::string& name : names) {
    file.Text(name, 20);
    for (int i = 20; i < 50; ++i) file.U8(i);  // class and values, not read by the editor
  }
  return file.bytes;
}

// A hex-name text file: each name in a slot of 20 bytes, blank-padded.
inline std::vector<uint8_t> NameSlots(const std::vector<std::string>& names) {
  ByteBuilder file;
  for (std::string name : names) {
    name.resize(20, ' ');
    file.Text(name);
  }
  return file.bytes;
}

// A map-name file: a count, then 20-byte names from name 0 on.
inline std::vector<uint8_t> MapNamesBytes(const std::vector<std::string>& names) {
  ByteBuilder file;
  file.I16(static_cast<int>(names.size()));
  for (const std::string& name : names) file.Text(name, 20);
  return file.bytes;
}

}  // namespace korv::test
