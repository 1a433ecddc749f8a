// The demo game folder writer (see demo_game.h).
#include "demo_game.h"

#include <set>

#include "autotile/pattern_library.h"
#include "autotile/tile_knowledge.h"
#include "document/map_document.h"
#include "editor/map_io.h"
#include "flags.h"
#include "overlays.h"
#include "platform/files.h"
#include "platform/interaction.h"
#include "platform/picture.h"
#include "sample_map.h"
#include "sample_set.h"
#include "tile_art.h"
#include "tile_catalogue.h"

namespace korv::demo {

namespace {

class FolderWriter {
 public:
  explicit FolderWriter(std::filesystem::path root) : root_(std::move(root)) {}

  bool Bitmap(const std::string& relative, const QImage& image, std::string& error) {
    const std::filesystem::path path = Prepare(relative, error);
    return !path.empty() && Picture(image).SaveBmp(path, &error);
  }
  bool Bytes(const std::string& relative, const std::vector<uint8_t>& bytes, std::string& error) {
    const std::filesystem::path path = Prepare(relative, error);
    return !path.empty() && WriteFileAtomically(path, bytes, &error);
  }
  bool Text(const std::string& relative, const std::string& text, std::string& error) {
    const std::filesystem::path path = Prepare(relative, error);
    return !path.empty() && WriteFileAtomically(path, std::string_view(text), &error);
  }

 private:
  // The file's path, its folder made; empty with `error` set when the
  // folder cannot be made.
  std::filesystem::path Prepare(const std::string& relative, std::string& error) {
    const std::filesystem::path path = root_ / relative;
    if (!EnsureFolder(path.parent_path(), &error)) {
      if (error.empty()) error = "cannot make the folder " + path.parent_path().string();
      return {};
    }
    return path;
  }

  std::filesystem::path root_;
};

}  // namespace

std::string HexInfoText() {
  return "\"Hex picture width\",60\r\n\"Hex picture height\",50\r\n\"Hex flat side width\",30\r\n";
}

std::string NationsText() {
  std::string text = std::to_string(DemoNations().size()) + "\r\n";
  for (const Nation& nation : DemoNations())
    text += "\"" + std::string(nation.Name) + "\"," + std::to_string(nation.TileId) + "\r\n";
  return text;
}

std::string FlagsXyText() {
  return "20,30\r\n";
}

namespace {

// What auto-tiling needs to work from the start, made with the editor's own
// procedures: the terrain pattern list of every signature the member tiles
// have, and the pattern libraries learnt from the sample map.
bool WriteTileKnowledge(const std::filesystem::path& folder, const TileCatalogue& catalogue,
                        const MapDocument& map, std::string& error) {
  const GameFolder game(folder);
  TileTables tables;
  tables.TileCount = catalogue.TileCount();
  for (const TileEntry& entry : catalogue.Tiles) {
    tables.TileTerrain.push_back(entry.Terrain);
    tables.TileRoad.push_back(entry.LinkSides() != 0 ? 1 : 0);
  }
  std::set<std::pair<int, std::string>> lists;
  for (const TileEntry& entry : catalogue.Tiles) {
    if (!entry.PatternMember) continue;
    SideStates sides{};
    const auto bytes = InNeighbourOrder(entry.PatternSides);
    for (size_t k = 0; k < sides.size(); ++k) sides[k] = bytes[k] != 0;
    lists.insert({entry.Terrain, SignatureOf(sides)});
  }
  for (const auto& [terrain, signature] : lists) {
    if (!BuildPatternFile(game, tables, terrain, signature, &error)) return false;
  }
  RecordingInteraction ui;
  int16_t current = 0;
  int16_t mountain = 0;
  for (const TileEntry& entry : catalogue.Tiles) {
    if (entry.Terrain == 3) {
      mountain = entry.Number;
      break;
    }
  }
  if (!MemorizeRoadTilePatterns(map, game, tables, current, ui) ||
      !MemoriseRiverTilePatterns(map, game, tables, ui) ||
      !MemoriseMountainPatterns(map, game, tables, mountain, ui)) {
    error = ui.Messages().empty() ? "the pattern libraries cannot be written" : ui.Messages()[0];
    return false;
  }
  return true;
}

}  // namespace

bool WriteDemoGame(const std::filesystem::path& folder, std::string& error) {
  FolderWriter out(folder);
  const TileCatalogue catalogue = BuildCatalogue();

  // Pictures.
  if (!out.Bitmap("bmp/mapl.bmp", DrawTileSheet(catalogue), error)) return false;
  if (!out.Bitmap("bmp/blackhex.bmp", BlackHexMask(), error)) return false;
  const struct {
    const char* mask;
    const char* picture;
    OverlayPair pair;
  } overlays[] = {
      {"bmp/hexm.bmp", "bmp/hexp.bmp", HexOutline()},
      {"bmp/fx2m.bmp", "bmp/fx2.bmp", EffectStrip()},
      {"bmp/roadsm.bmp", "bmp/roads.bmp", RoadStrip()},
      {"bmp/rrm.bmp", "bmp/rr.bmp", RailStrip()},
  };
  for (const auto& overlay : overlays) {
    if (!out.Bitmap(overlay.mask, overlay.pair.Mask, error)) return false;
    if (!out.Bitmap(overlay.picture, overlay.pair.Picture, error)) return false;
  }
  if (!out.Bitmap("bmp/roadsp.bmp", RoadSideStrip(), error)) return false;
  if (!out.Bitmap("bmp/c0.bmp", SideSelector(false), error)) return false;
  if (!out.Bitmap("bmp/c1.bmp", SideSelector(true), error)) return false;

  // Flags.
  for (const FlagSize& size : FlagSizes()) {
    for (const Nation& nation : DemoNations())
      if (!out.Bitmap("flags/" + std::string(nation.Name) + size.Suffix + ".bmp",
                      DrawFlag(nation, size.Width, size.Height), error))
        return false;
    if (!out.Bitmap("flags/blank" + std::string(size.Suffix) + ".bmp",
                    DrawBlankFlag(size.Width, size.Height), error))
      return false;
  }
  if (!out.Text("flags.xy", FlagsXyText(), error)) return false;

  // Tables of the game and of the editor.
  if (!out.Text("data/hex_info.txt", HexInfoText(), error)) return false;
  if (!out.Text("data/terrain.txt", TerrainText(), error)) return false;
  if (!out.Text("data/hexdata.txt", HexDataText(catalogue), error)) return false;
  if (!out.Text("default/nations/nations.txt", NationsText(), error)) return false;
  if (!out.Bytes("mapedit/tiletype.dat", TileTypeFile(catalogue), error)) return false;
  if (!out.Bytes("mapedit/roadinfo.dat", RoadInfoFile(catalogue), error)) return false;
  if (!out.Bytes("mapedit/randomtile.dat", RandomTileFile(catalogue), error)) return false;
  if (!out.Bytes("mapedit/ptiles.dat", PatternTilesFile(catalogue), error)) return false;
  if (!out.Bytes("mapedit/patterns.dat", PatternsFile(catalogue), error)) return false;

  // The sample map.
  MapDocument map;
  if (!BuildSampleMap(catalogue, map, error)) {
    error = "the sample map cannot be built: " + error;
    return false;
  }
  if (!out.Bytes("maps/sample.map", EncodeVersionedMap(map, 569, true), error)) return false;
  if (!out.Bytes("maps/sample.ctl", EncodeControlFile(map), error)) return false;
  if (!WriteTileKnowledge(folder, catalogue, map, error)) return false;

  // The game's files of a set import, made from the sample map.
  if (!out.Bytes(kSampleSetFile, SampleSetFile(map), error)) return false;
  if (!out.Bytes(kSampleScenarioFile, SampleScenarioFile(map), error)) return false;
  if (!out.Bytes(kSampleMapNamesFile, SampleMapNamesFile(), error)) return false;
  if (!out.Bytes(kSampleEquipmentFile, SampleEquipmentFile(), error)) return false;
  return true;
}

}  // namespace korv::demo
