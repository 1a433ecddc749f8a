// Feeds arbitrary bytes to the readers of the game folder's small files. The
// first byte chooses the file, the rest is its content: hex_info.txt,
// flags.xy, terrain.txt, hexdata.txt, tiletype.dat, roadinfo.dat, a random
// list, a nation list, a pattern library or terrain list, hex-name files, the
// clipboard file, the undo copy or a bitmap. Whatever the bytes, a reader
// gives values inside the sizes it promises or refuses with a reason.
#include <unistd.h>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
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
#include "platform/interaction.h"
#include "platform/picture.h"
#include "scenario/nations.h"

namespace {

namespace fs = std::filesystem;

void Check(bool condition) {
  if (!condition) std::abort();
}

const fs::path& Folder() {
  static const fs::path folder = [] {
    fs::path path = fs::temp_directory_path() / ("korv-fuzz-game-" + std::to_string(getpid()));
    fs::remove_all(path);
    for (const char* sub : {"data", "mapedit", "default/nations", "bmp"})
      fs::create_directories(path / sub);
    return path;
  }();
  return folder;
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

void Put(const char* relative, std::span<const uint8_t> bytes) {
  Check(korv::WriteFileAtomically(Folder() / relative, bytes));
}

std::string_view Text(std::span<const uint8_t> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::span<const uint8_t> bytes(data + 1, size - 1);
  const korv::GameFolder folder(Folder());
  korv::RecordingInteraction ui;
  std::string error;
  switch (data[0] % 13) {
    case 0: {
      Put("data/hex_info.txt", bytes);
      // Any sizes are read as they stand; start-up refuses sizes below 1
      // and the view refuses steps below 1. The derived values follow the sizes.
      const korv::HexGeometry g = korv::ReadHexInfo(folder);
      const korv::HexGeometry again =
          korv::HexGeometry::FromSizes(g.HexPixelWidth, g.HexPixelHeight, g.HexFlatWidth);
      Check(g.ColumnStep == again.ColumnStep && g.RowStep == again.RowStep);
      break;
    }
    case 1: {
      Put("flags.xy", bytes);
      korv::EditorSettings settings;
      korv::ReadFlagOffsets(settings, folder);
      break;
    }
    case 2:
    case 3:
    case 4: {
      // terrain.txt, hexdata.txt or tiletype.dat, with the other two valid-looking.
      const char* files[] = {"data/terrain.txt", "data/hexdata.txt", "mapedit/tiletype.dat"};
      Put(files[data[0] % 13 - 2], bytes);
      korv::TileTables tables;
      tables.TileCount = 39;
      korv::LoadTileTerrain(tables, folder, ui);
      Check(tables.TileTerrain.size() == 40);
      Check(tables.TerrainNames.size() == tables.TerrainColours.size());
      fs::remove(Folder() / files[data[0] % 13 - 2]);
      break;
    }
    case 5: {
      Put("mapedit/roadinfo.dat", bytes);
      korv::TileTables tables = Tables();
      korv::LoadRoadInfo(tables, folder);
      Check(tables.TileRoad.size() == 40);
      Check(tables.RoadTiles.size() >= 1 &&
            static_cast<size_t>(tables.RoadTiles[0][0]) + 1 == tables.RoadTiles.size());
      for (size_t k = 1; k < tables.RoadTiles.size(); ++k)
        Check(tables.IsTile(tables.RoadTiles[k][0]));
      break;
    }
    case 6: {
      Put("mapedit/003.rnd", bytes);
      const korv::TileTables tables = Tables();
      const korv::RandomTileLists lists = korv::ReadRndTables(tables, folder);
      for (const auto& list : lists.ByTerrain)
        for (int16_t tile : list) Check(tables.IsTile(tile));
      break;
    }
    case 7: {
      Put("default/nations/nations.txt", bytes);
      korv::NationTables nations;
      std::string set = "default";
      if (korv::LoadNationList(nations, set, folder, error)) {
        Check(nations.NationNames.size() == static_cast<size_t>(nations.NationCount) + 1);
        Check(nations.NationTileId.size() == nations.NationNames.size());
      } else {
        Check(!error.empty());
      }
      break;
    }
    case 8: {
      // Records whose keys the editor could have made (digits and '-') are
      // written back the same way and read the same again.
      auto records = korv::ParsePatternFile(Text(bytes));
      std::erase_if(records, [](const korv::PatternRecord& record) {
        return record.key.empty() ||
               record.key.find_first_not_of("0123456789-") != std::string::npos;
      });
      Check(korv::ParsePatternFile(korv::FormatPatternFile(records)) == records);
      // A five-byte record holds the numbers -99..999 (the lists leave out
      // tiles from 1000 on); those read back the same.
      auto tiles = korv::ParseTileRecords(Text(bytes));
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
      Put("clip.dat", bytes);
      korv::MapDocument map;
      map.MapWidth = 9;
      map.MapHeight = 7;
      korv::AllocateMapLayers(map);
      const korv::MapDocument before = map;
      const int x = bytes.empty() ? 0 : bytes[0] % 12 - 2;
      if (!korv::PasteClipboardFile(map, Folder() / "clip.dat", x, 3, error)) {
        Check(!error.empty());
        Check(map.HexTile == before.HexTile && map.HexData == before.HexData);
      }
      Check(map.HexTile.size() == before.HexTile.size());
      break;
    }
    case 11: {
      Put("autosave.map", bytes);
      if (auto parsed = korv::ReadSnapshotFile(Folder() / "autosave.map", error)) {
        Check(parsed->Document.HexTile.size() == parsed->Document.HexCount());
      } else {
        Check(!error.empty());
      }
      break;
    }
    case 12: {
      Put("bmp/picture.bmp", bytes);
      korv::Picture picture;
      if (picture.LoadBmp(Folder() / "bmp/picture.bmp", &error)) {
        Check(picture.Width() > 0 && picture.Height() > 0);
      } else {
        Check(!error.empty());
      }
      break;
    }
  }
  return 0;
}
