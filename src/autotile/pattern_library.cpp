#include "autotile/pattern_library.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <iterator>
#include <optional>

#include "document/hex_grid.h"
#include "platform/interaction.h"
#include "platform/text_fields.h"

namespace korv {

namespace fs = std::filesystem;

namespace {

constexpr const char* kNewLibraryFile = "-1\r\n";
constexpr const char* kNewWaterLibraryFile = "0-0-0-0-0-0,0\r\n-1\r\n";

// The tile of a record: digits only (a number too large for an int reads
// as the largest, which is no tile of any sheet); none when the field is
// missing, empty or anything else.
std::optional<int> TileField(std::string_view field) {
  field = TrimBlanks(field);
  if (field.empty()) return std::nullopt;
  int64_t value = 0;
  for (const char c : field) {
    if (c < '0' || c > '9') return std::nullopt;
    value = std::min<int64_t>(value * 10 + (c - '0'), INT_MAX);
  }
  return static_cast<int>(value);
}

// Calls `visit(key, tile)` for every record of a library file's text up
// to the first key "-1"; stops early when `visit` returns false. A record
// without a tile that is a number (a file cut short, a damaged line) ends
// the reading too: nothing from there on is trusted.
template <class Visit>
void ForEachRecord(std::string_view text, Visit&& visit) {
  TextFieldReader reader{std::string(text)};
  std::string key;
  std::string tile;
  while (reader.Next(key)) {
    if (key == "-1" || !reader.Next(tile)) return;
    const std::optional<int> number = TileField(tile);
    if (!number || !visit(key, *number)) return;
  }
}

}  // namespace

Neighbourhood BuildNeighbourhood(const MapDocument& document, int x, int y, int lowest,
                                 bool separatedShape,
                                 const std::function<bool(int nx, int ny)>& counts) {
  Neighbourhood result;
  auto nx = static_cast<int16_t>(x);
  auto ny = static_cast<int16_t>(y - 1);
  for (int k = 1; k <= 6; ++k) {
    const bool inside =
        nx >= lowest && nx <= document.MapWidth && ny >= lowest && ny <= document.MapHeight;
    if (inside && counts(nx, ny)) {
      result.key += std::to_string(document.Tile(nx, ny));
      result.shape += '1';
    } else {
      result.key += '0';
      result.shape += '0';
    }
    if (k < 6) {
      result.key += '-';
      if (separatedShape) result.shape += '-';
      NeighbourStep(nx, ny, k);
    }
  }
  return result;
}

std::vector<PatternRecord> ParsePatternFile(std::string_view text) {
  std::vector<PatternRecord> records;
  ForEachRecord(text, [&records](const std::string& key, int tile) {
    records.push_back({key, tile});
    return true;
  });
  return records;
}

std::string FormatPatternFile(const std::vector<PatternRecord>& records) {
  std::string text;
  for (const PatternRecord& record : records) {
    text += record.key;
    text += ',';
    text += std::to_string(record.tile);
    text += "\r\n";
  }
  text += "-1\r\n";
  return text;
}

int FirstMatchingTile(std::string_view text, std::string_view key,
                      const std::function<bool(int tile)>& accept) {
  int found = -1;
  ForEachRecord(text, [&](const std::string& recordKey, int tile) {
    if (recordKey != key) return true;
    if (accept && !accept(tile)) return true;
    found = tile;
    return false;
  });
  return found;
}

std::string TileLibraryFolder(int terrain) {
  char name[32];
  std::snprintf(name, sizeof name, "mapedit/tilep%02d", terrain);
  return name;
}

// One library file in memory: its records in file order, indexed by key.
struct PatternRecorder::File {
  using Iterator = std::list<PatternRecord>::iterator;
  std::list<PatternRecord> records;
  std::unordered_map<std::string, std::vector<Iterator>> byKey;
  bool dirty = false;
  // Every record is known to belong to this terrain and to the sheet (the
  // water rule need not look at them again); INT_MIN when not known.
  int sweptTerrain = INT_MIN;

  void Append(PatternRecord record) {
    records.push_back(std::move(record));
    const Iterator last = std::prev(records.end());
    byKey[last->key].push_back(last);
  }
  void Erase(Iterator it) {
    auto found = byKey.find(it->key);
    std::vector<Iterator>& same = found->second;
    same.erase(std::find(same.begin(), same.end(), it));
    if (same.empty()) byKey.erase(found);
    records.erase(it);
  }
};

PatternRecorder::PatternRecorder(const GameFolder& folder, const TileTables& tables)
    : folder_(folder), tables_(tables) {}

PatternRecorder::~PatternRecorder() = default;

PatternRecorder::File& PatternRecorder::Open(const fs::path& path, const char* newContent) {
  std::unique_ptr<File>& file = files_[path];
  if (file) return *file;
  file = std::make_unique<File>();
  auto bytes = ReadWholeFile(path);
  const std::string text = bytes ? std::string(bytes->begin(), bytes->end()) : newContent;
  for (PatternRecord& record : ParsePatternFile(text)) file->Append(std::move(record));
  return *file;
}

void PatternRecorder::Record(const std::string& folderName, const fs::path& path,
                             const char* newContent, MergeRule rule, const std::string& key,
                             int16_t rethex, int centreTerrain) {
  File& file = Open(path, newContent);
  const auto sameKey = file.byKey.find(key);
  if (sameKey != file.byKey.end()) {
    const std::vector<File::Iterator> records = sameKey->second;
    for (File::Iterator it : records) {
      if (rule != MergeRule::kTileGroup || it->tile == rethex) {
        file.Erase(it);
      } else {
        it->tile = rethex;
      }
    }
  }
  if (rule != MergeRule::kTileGroup) {
    // Records of tiles the sheet no longer has go; the water libraries keep
    // only tiles of the centre hex's terrain.
    const int terrain = rule == MergeRule::kWater ? centreTerrain : INT_MIN + 1;
    if (file.sweptTerrain != terrain) {
      for (auto it = file.records.begin(); it != file.records.end();) {
        const auto next = std::next(it);
        const bool offSheet = it->tile > tables_.TileCount;
        const bool otherTerrain =
            rule == MergeRule::kWater && tables_.TerrainOf(it->tile) != centreTerrain;
        if (offSheet || otherTerrain) file.Erase(it);
        it = next;
      }
      file.sweptTerrain = terrain;
    }
  }
  file.Append({key, rethex});
  const bool newFits = rethex <= tables_.TileCount &&
                       (rule != MergeRule::kWater || tables_.TerrainOf(rethex) == centreTerrain);
  if (!newFits) file.sweptTerrain = INT_MIN;
  file.dirty = true;
  ++recorded_[folderName];
}

void PatternRecorder::NewRoadPattern(const MapDocument& document, int x, int y, int16_t rethex,
                                     int16_t currentTile) {
  const bool waterTile = IsWaterTerrain(tables_.TerrainOf(currentTile));
  const Neighbourhood hood =
      BuildNeighbourhood(document, x, y, kRoadRecorderLowest, true, [&](int nx, int ny) {
        const int terrain = document.Terrain(nx, ny);
        if (IsTownOrPortTerrain(terrain)) return true;
        for (int d = 1; d <= 6; ++d) {
          if (document.Data(nx, ny, d) == kRoadLink) return true;
        }
        if (waterTile && IsWaterTerrain(terrain)) return true;
        return tables_.RoadOf(document.Tile(nx, ny)) == 1;
      });
  if (hood.key == kEmptyPatternKey) return;
  const char* library = waterTile ? kBridgePatternFolder : kRoadPatternFolder;
  Record(library, folder_.Resolve(std::string(library) + "/" + hood.shape + ".txt"),
         kNewLibraryFile, MergeRule::kRoad, hood.key, rethex, 0);
}

void PatternRecorder::NewBridgePattern(const MapDocument& document, int x, int y, int16_t rethex) {
  const Neighbourhood hood =
      BuildNeighbourhood(document, x, y, kRecorderLowest, true, [&](int nx, int ny) {
        const int16_t tile = document.Tile(nx, ny);
        return IsWaterTerrain(tables_.TerrainOf(tile)) || tables_.RoadOf(tile) == 1;
      });
  Record(kBridgePatternFolder,
         folder_.Resolve(std::string(kBridgePatternFolder) + "/" + hood.shape + ".txt"),
         kNewWaterLibraryFile, MergeRule::kWater, hood.key, rethex, document.Terrain(x, y));
}

void PatternRecorder::NewRiverPattern(const MapDocument& document, int x, int y, int16_t rethex) {
  const Neighbourhood hood = BuildNeighbourhood(
      document, x, y, kRecorderLowest, true,
      [&](int nx, int ny) { return IsWaterTerrain(tables_.TerrainOf(document.Tile(nx, ny))); });
  Record(kRiverPatternFolder,
         folder_.Resolve(std::string(kRiverPatternFolder) + "/" + hood.shape + ".txt"),
         kNewWaterLibraryFile, MergeRule::kWater, hood.key, rethex, document.Terrain(x, y));
}

void PatternRecorder::SavePattern(const MapDocument& document, int x, int y, int16_t rethex,
                                  int16_t currentTile) {
  const int terrain = tables_.TerrainOf(currentTile);
  const Neighbourhood hood = BuildNeighbourhood(
      document, x, y, kRecorderLowest, false,
      [&](int nx, int ny) { return tables_.TerrainOf(document.Tile(nx, ny)) == terrain; });
  const std::string library = TileLibraryFolder(terrain);
  Record(library, folder_.Resolve(library + "/" + hood.shape + ".txt"), kNewLibraryFile,
         MergeRule::kTileGroup, hood.key, rethex, 0);
}

void PatternRecorder::NewPattern(const MapDocument& document, int x, int y, int16_t rethex,
                                 int16_t currentTile) {
  const int terrain = tables_.TerrainOf(rethex);
  if (terrain == 1) return;
  if (IsWaterTerrain(terrain)) {
    if (tables_.RoadOf(rethex) == 1) {
      NewBridgePattern(document, x, y, rethex);
    } else {
      NewRiverPattern(document, x, y, rethex);
    }
    return;
  }
  SavePattern(document, x, y, rethex, currentTile);
}

bool PatternRecorder::Flush(std::string* error) {
  bool ok = true;
  for (auto& [path, file] : files_) {
    if (!file->dirty) continue;
    const std::vector<PatternRecord> records(file->records.begin(), file->records.end());
    if (!EnsureFolder(path.parent_path(), error) ||
        !WriteFileAtomically(path, std::string_view(FormatPatternFile(records)), error)) {
      ok = false;
      continue;
    }
    file->dirty = false;
  }
  return ok;
}

namespace {

bool FlushOrSay(PatternRecorder& recorder, UserInteraction& ui) {
  std::string error;
  if (recorder.Flush(&error)) return true;
  ui.Message("The tile patterns learnt were not all stored: " + error + ".");
  return false;
}

}  // namespace

bool MemorizeRoadTilePatterns(const MapDocument& document, const GameFolder& folder,
                              const TileTables& tables, int16_t& currentTile, UserInteraction& ui) {
  PatternRecorder recorder(folder, tables);
  for (int x = 0; x <= document.MapWidth; ++x) {
    for (int y = 0; y <= document.MapHeight; ++y) {
      const int terrain = document.Terrain(x, y);
      const int16_t tile = document.Tile(x, y);
      if (IsTownOrPortTerrain(terrain) || terrain == 6 || tables.RoadOf(tile) == 1) {
        currentTile = tile;
        recorder.NewRoadPattern(document, x, y, tile, currentTile);
      }
    }
    ui.Progress(std::to_string(x) + " / " + std::to_string(document.MapWidth));
  }
  return FlushOrSay(recorder, ui);
}

bool MemoriseRiverTilePatterns(const MapDocument& document, const GameFolder& folder,
                               const TileTables& tables, UserInteraction& ui) {
  BusyScope busy(ui);
  PatternRecorder recorder(folder, tables);
  for (int x = 0; x <= document.MapWidth; ++x) {
    for (int y = 0; y <= document.MapHeight; ++y) {
      if (IsWaterTerrain(document.Terrain(x, y))) {
        recorder.NewRiverPattern(document, x, y, document.Tile(x, y));
      }
    }
  }
  return FlushOrSay(recorder, ui);
}

bool MemoriseMountainPatterns(const MapDocument& document, const GameFolder& folder,
                              const TileTables& tables, int16_t currentTile, UserInteraction& ui) {
  BusyScope busy(ui);
  PatternRecorder recorder(folder, tables);
  for (int x = 0; x <= document.MapWidth; ++x) {
    for (int y = 0; y <= document.MapHeight; ++y) {
      const int terrain = document.Terrain(x, y);
      if (IsWaterTerrain(terrain)) {
        recorder.NewRiverPattern(document, x, y, document.Tile(x, y));
      } else if (terrain == 3) {
        recorder.SavePattern(document, x, y, document.Tile(x, y), currentTile);
      }
    }
  }
  return FlushOrSay(recorder, ui);
}

}  // namespace korv
