// The neighbour pattern libraries: what the editor learns from the map. For
// a hex it records which tile stands there together with its six neighbours
// (a key of their tile numbers and a shape of which of them count), one text
// file per shape, in four libraries: roads, bridges, rivers and the tiles of
// one terrain type. The choosers (choosers.h) read the same files back.
//
// A library file is "key,tile" lines (CR LF) ended by the line "-1". Each
// recording merges the new record into its file: the road, bridge and river
// libraries keep one record per key, the newest last; the tile library
// rewrites an older record of the key in place and appends the new one.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "autotile/tile_tables.h"
#include "document/map_document.h"
#include "platform/files.h"

namespace korv {

class UserInteraction;

constexpr const char* kRoadPatternFolder = "mapedit/roadpatterns";
constexpr const char* kBridgePatternFolder = "mapedit/bridgepatterns";
constexpr const char* kRiverPatternFolder = "mapedit/riverpatterns";
// The key of a hex no neighbour of which counts.
constexpr const char* kEmptyPatternKey = "0-0-0-0-0-0";

// Water terrain types (a water tile with a road is a bridge) and the
// settlements, which open every side.
constexpr bool IsWaterTerrain(int terrain) {
  return terrain == 2 || terrain == 11 || terrain == 12;
}
constexpr bool IsTownOrPortTerrain(int terrain) {
  return terrain == 5 || terrain == 14;
}

// Where the neighbour walk starts: the road recorder looks at column and
// row 0 too, the other recorders from 1 on (column 0 and row 0, never shown,
// count as off the map for them). A chooser walks as the recorders that fill
// its library, so that what they learnt at the map's edge is found.
constexpr int kRoadRecorderLowest = 0;
constexpr int kRecorderLowest = 1;

// A hex's neighbourhood as a library sees it: `key` lists the tile numbers
// of the neighbours that count ("0" for the others) and `shape` which of
// them count, both over the six neighbours top, upper right, lower right,
// bottom, lower left, upper left.
struct Neighbourhood {
  std::string key;    // "12-0-0-40-0-0"
  std::string shape;  // "1-0-0-1-0-0", or "100100" when not separated
};
// Walks the six neighbours of (x, y) from (x, y-1) on. A neighbour counts
// when it lies on the map from column and row `lowest` on and `counts`
// says so.
Neighbourhood BuildNeighbourhood(const MapDocument& document, int x, int y, int lowest,
                                 bool separatedShape,
                                 const std::function<bool(int nx, int ny)>& counts);

struct PatternRecord {
  std::string key;
  int tile = 0;
  bool operator==(const PatternRecord&) const = default;
};

// The records of a library file's text, up to its first field "-1" or its
// first damaged record, a key without a tile that is a number (commas and
// line ends separate fields; surrounding double quotes are dropped).
std::vector<PatternRecord> ParsePatternFile(std::string_view text);
// The text of a library file holding `records`.
std::string FormatPatternFile(const std::vector<PatternRecord>& records);
// The tile of the first record whose key is `key` and whose tile `accept`
// takes (records it refuses are passed over), or -1.
int FirstMatchingTile(std::string_view text, std::string_view key,
                      const std::function<bool(int tile)>& accept = nullptr);

// How a recorder merges its new record into a file.
enum class MergeRule {
  kRoad,       // drop records of the same key and of tiles past the sheet
  kWater,      // as kRoad, and records whose tile's terrain is not the centre hex's
  kTileGroup,  // drop the same key with the same tile; rewrite the same key
               // with another tile in place
};

// The recorders, over a set of library files kept in memory while a
// command runs and written back by Flush (painting flushes after every
// record, as each record rewrites its file). Files are read on first use.
class PatternRecorder {
 public:
  PatternRecorder(const GameFolder& folder, const TileTables& tables);
  ~PatternRecorder();
  PatternRecorder(const PatternRecorder&) = delete;
  PatternRecorder& operator=(const PatternRecorder&) = delete;

  // Hex (x, y) as an example of `rethex`, by the road test, into the road
  // library (or the bridge library when `currentTile` is a water tile).
  void NewRoadPattern(const MapDocument& document, int x, int y, int16_t rethex,
                      int16_t currentTile);
  // By the water-or-road test into the bridge library.
  void NewBridgePattern(const MapDocument& document, int x, int y, int16_t rethex);
  // By the water test into the river library.
  void NewRiverPattern(const MapDocument& document, int x, int y, int16_t rethex);
  // Into the tile library of the terrain type of `currentTile`.
  void SavePattern(const MapDocument& document, int x, int y, int16_t rethex, int16_t currentTile);
  // Chooses the recorder by the terrain type of `rethex`: none for 1, the
  // bridge or river recorder for water, SavePattern for the rest.
  void NewPattern(const MapDocument& document, int x, int y, int16_t rethex, int16_t currentTile);

  // Writes every file changed since the last flush. False (with `error`)
  // when one cannot be written.
  bool Flush(std::string* error = nullptr);
  // How many records were recorded per library folder since the start.
  const std::map<std::string, int>& Recorded() const { return recorded_; }

 private:
  struct File;
  File& Open(const std::filesystem::path& path, const char* newContent);
  void Record(const std::string& folderName, const std::filesystem::path& path,
              const char* newContent, MergeRule rule, const std::string& key, int16_t rethex,
              int centreTerrain);

  const GameFolder folder_;
  const TileTables& tables_;
  std::map<std::filesystem::path, std::unique_ptr<File>> files_;
  std::map<std::string, int> recorded_;
};

// The library file of a tile library: "mapedit/tilepNN/" + shape + ".txt".
std::string TileLibraryFolder(int terrain);

// The memorise commands of the "Tiles" menu. `progress` is told after each
// column, as "x / MapWidth". They return false (the user told) when a
// library file cannot be written.
bool MemorizeRoadTilePatterns(const MapDocument& document, const GameFolder& folder,
                              const TileTables& tables, int16_t& currentTile, UserInteraction& ui);
bool MemoriseRiverTilePatterns(const MapDocument& document, const GameFolder& folder,
                               const TileTables& tables, UserInteraction& ui);
bool MemoriseMountainPatterns(const MapDocument& document, const GameFolder& folder,
                              const TileTables& tables, int16_t currentTile, UserInteraction& ui);

}  // namespace korv
