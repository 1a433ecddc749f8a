// The demo game folder writer (see demo_game.h).
#include "demo_game.h"

#include "document/map_document.h"
#include "editor/map_io.h"
#include "flags.h"
#include "overlays.h"
#include "platform/files.h"
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

  // The game's files of a set import, made from the sample map.
  if (!out.Bytes(kSampleSetFile, SampleSetFile(map), error)) return false;
  if (!out.Bytes(kSampleScenarioFile, SampleScenarioFile(map), error)) return false;
  if (!out.Bytes(kSampleMapNamesFile, SampleMapNamesFile(), error)) return false;
  if (!out.Bytes(kSampleEquipmentFile, SampleEquipmentFile(), error)) return false;
  return true;
}

}  // namespace korv::demo
