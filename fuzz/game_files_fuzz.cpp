// Feeds arbitrary bytes to the readers of the game folder's small files. The
// first byte chooses the file, the rest is its content: hex_info.txt,
// flags.xy, terrain.txt, hexdata.txt, tiletype.dat, roadinfo.dat, a random
// list, a nation list, a pattern library or terrain list, hex-name files, the
// clipboard file, the undo copy or a bitmap. The readers take the bytes in
// memory, as the file functions hand them over after reading the file, so
// nothing touches the disk. Whatever the bytes, a reader gives values inside
// the sizes it promises or refuses with a reason. At exit the target prints
// how many inputs each reader was given.
//
// KORV_FUZZ_READER=NAME or INDEX (a name of kReaderNames or 0..12) pins the
// target to one reader, so that reader gets every input. The first byte is
// still taken off and ignored, so seeds, corpora and crash files keep one
// form whether the target is pinned or not.
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>

#include "autotile/pattern_library.h"
#include "autotile/tile_tables.h"
#include "document/hex_names.h"
#include "document/map_files.h"
#include "editing/clipboard.h"
#include "editor/startup.h"
#include "platform/files.h"
#include "platform/picture.h"
#include "scenario/nations.h"

namespace {

constexpr size_t kReaders = 13;
constexpr std::array<const char*, kReaders> kReaderNames = {
    "hex_info.txt", "flags.xy",    "terrain.txt", "hexdata.txt",          "tiletype.dat",
    "roadinfo.dat", "random list", "nation list", "pattern/terrain list", "hex names",
    "clipboard",    "undo copy",   "bitmap"};

// Inputs given to each reader; printed when the fuzzer exits.
std::array<uint64_t, kReaders> counts{};

// The reader every input goes to, or kReaders when the first byte chooses.
size_t pinned = kReaders;

size_t ReaderNamed(std::string_view name) {
  for (size_t k = 0; k < kReaders; ++k) {
    if (name == kReaderNames[k] || name == std::to_string(k)) return k;
  }
  return kReaders;
}

void PrintCounts() {
  std::fprintf(stderr, "fuzz_game_files inputs by reader:");
  for (size_t k = 0; k < kReaders; ++k) {
    std::fprintf(stderr, "%s %s %llu", k == 0 ? "" : ",", kReaderNames[k],
                 static_cast<unsigned long long>(counts[k]));
  }
  std::fprintf(stderr, "\n");
}

void Check(bool condition) {
  if (!condition) std::abort();
}

// Tile tables of 40 tiles over 10 terrain types.
korv::TileTables Tables() {
  korv::TileTables tables;
  tables.TileCount = 39;
  tables.TileTerrain.resize(40);
  tables.TileRoad.assign(40, 0);
  for (size_t t = 0; t < 40; ++t) tables.TileTerrain[t] = static_cast<uint8_t>(t % 10);
  tables.TerrainMax = 9;
  return tables;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (const char* name = std::getenv("KORV_FUZZ_READER"); name != nullptr && *name != '\0') {
    pinned = ReaderNamed(name);
    if (pinned == kReaders) {
      std::fprintf(stderr, "KORV_FUZZ_READER=%s names no reader; use 0..%zu or one of:", name,
                   kReaders - 1);
      for (const char* known : kReaderNames) std::fprintf(stderr, " \"%s\"", known);
      std::fprintf(stderr, "\n");
      std::exit(1);
    }
  }
  std::atexit(PrintCounts);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::span<const uint8_t> bytes(data + 1, size - 1);
  const std::string_view text = korv::AsText(bytes);
  std::string error;
  const size_t reader = pinned < kReaders ? pinned : data[0] % kReaders;
  ++counts[reader];
  switch (reader) {
    case 0: {
      // Any sizes are read as they stand; start-up refuses sizes below 1
      // and the view refuses steps below 1. The derived values follow the sizes.
      const korv::HexGeometry g = korv::ParseHexInfo(text);
      const korv::HexGeometry again =
          korv::HexGeometry::FromSizes(g.HexPixelWidth, g.HexPixelHeight, g.HexFlatWidth);
      Check(g.ColumnStep == again.ColumnStep && g.RowStep == again.RowStep);
      break;
    }
    case 1: {
      korv::EditorSettings settings;
      korv::ParseFlagOffsets(settings, text);
      break;
    }
    case 2: {
      korv::TileTables tables = Tables();
      korv::ParseTerrainTable(tables, text);
      Check(tables.TerrainNames.size() == static_cast<size_t>(tables.TerrainMax + 1));
      Check(tables.TerrainColours.size() == tables.TerrainNames.size());
      break;
    }
    case 3: {
      korv::TileTables tables = Tables();
      korv::ParseHexDataList(tables, text);
      Check(tables.TileTerrain.size() == 40);
      break;
    }
    case 4: {
      korv::TileTables tables = Tables();
      const korv::TileTables before = tables;
      if (korv::TakeTileTypes(tables, bytes)) {
        Check(std::equal(bytes.begin(), bytes.end(), tables.TileTerrain.begin(),
                         tables.TileTerrain.end()));
      } else {
        Check(bytes.size() != 40 && tables.TileTerrain == before.TileTerrain);
      }
      break;
    }
    case 5: {
      korv::TileTables tables = Tables();
      korv::ParseRoadInfo(tables, bytes);
      Check(tables.TileRoad.size() == 40);
      Check(tables.RoadTiles.size() >= 1 &&
            static_cast<size_t>(tables.RoadTiles[0][0]) + 1 == tables.RoadTiles.size());
      for (size_t k = 1; k < tables.RoadTiles.size(); ++k)
        Check(tables.IsTile(tables.RoadTiles[k][0]));
      break;
    }
    case 6: {
      const korv::TileTables tables = Tables();
      for (int16_t tile : korv::ParseRndList(tables, text)) Check(tables.IsTile(tile));
      break;
    }
    case 7: {
      korv::NationTables nations;
      if (korv::ParseNationList(nations, text, "nations.txt", error)) {
        Check(nations.NationNames.size() == static_cast<size_t>(nations.NationCount) + 1);
        Check(nations.NationTileId.size() == nations.NationNames.size());
        Check(nations.NationOrder.size() == nations.NationNames.size());
      } else {
        Check(!error.empty() && nations.NationCount == 0);
      }
      break;
    }
    case 8: {
      // Records whose keys the editor could have made (digits and '-') are
      // written back the same way and read the same again.
      auto records = korv::ParsePatternFile(text);
      std::erase_if(records, [](const korv::PatternRecord& record) {
        return record.key.empty() ||
               record.key.find_first_not_of("0123456789-") != std::string::npos;
      });
      Check(korv::ParsePatternFile(korv::FormatPatternFile(records)) == records);
      // A five-byte record holds the numbers -99..999 (the lists leave out
      // tiles from 1000 on); those read back the same.
      auto tiles = korv::ParseTileRecords(text);
      std::erase_if(tiles, [](int16_t tile) { return tile < -99 || tile > 999; });
      Check(korv::ParseTileRecords(korv::FormatTileRecords(tiles)) == tiles);
      break;
    }
    case 9: {
      // Index and text of a 7 x 5 map, split where the second byte says.
      const size_t cut = bytes.empty() ? 0 : bytes[0] % bytes.size();
      const auto named = korv::ListHexNames(bytes.subspan(0, cut), bytes.subspan(cut), 7, 5);
      for (const korv::NamedHex& hex : named)
        Check(hex.X >= 0 && hex.X <= 7 && hex.Y >= 0 && hex.Y <= 5);
      break;
    }
    case 10: {
      korv::MapDocument map;
      map.MapWidth = 9;
      map.MapHeight = 7;
      korv::AllocateMapLayers(map);
      const korv::MapDocument before = map;
      const int x = bytes.empty() ? 0 : bytes[0] % 12 - 2;
      if (!korv::PasteClipboardBytes(map, bytes, x, 3, error)) {
        Check(!error.empty());
        Check(map.HexTile == before.HexTile && map.HexData == before.HexData);
      }
      Check(map.HexTile.size() == before.HexTile.size());
      break;
    }
    case 11: {
      if (auto parsed = korv::ParseSnapshot(bytes, error)) {
        Check(parsed->Document.HexTile.size() == parsed->Document.HexCount());
      } else {
        Check(!error.empty());
      }
      break;
    }
    case 12: {
      korv::Picture picture;
      if (picture.DecodeBmp(bytes, &error)) {
        Check(picture.Width() > 0 && picture.Height() > 0);
      } else {
        Check(!error.empty() && picture.IsNull());
      }
      break;
    }
  }
  return 0;
}
