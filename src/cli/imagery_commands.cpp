#include "cli/imagery_commands.h"

#include <filesystem>

#include "cli/korvmap.h"
#include "editor/map_io.h"
#include "editor/startup.h"
#include "imagery/bitmap_utility.h"
#include "imagery/map_render.h"
#include "platform/interaction.h"
#include "platform/random.h"

namespace korv {

namespace fs = std::filesystem;

namespace {

bool Load(const std::string& path, Picture& picture, std::ostream& err) {
  std::string error;
  if (picture.LoadBmp(path, &error)) return true;
  err << "The bitmap " << path << " cannot be opened: " << error << ".\n";
  return false;
}

int Save(const Picture& picture, const std::string& path, std::ostream& out, std::ostream& err) {
  std::string error;
  if (!picture.SaveBmp(path, &error)) {
    err << "The bitmap was not written: " << error << ".\n";
    return kExitRefused;
  }
  out << "Saved " << path << '\n';
  return kExitOk;
}

std::string InFolder(const std::string& folder, const char* name) {
  return (fs::path(folder) / name).string();
}

}  // namespace

int BitmapToolCommand(const std::string& folder, const std::string& tool, const std::string& source,
                      const std::string& output, int reductionValue, std::ostream& out,
                      std::ostream& err) {
  Picture picture;
  if (!Load(source, picture, err)) return kExitRefused;
  if (tool == "reduce") {
    ReduceColours(picture, reductionValue);
    return Save(picture, output.empty() ? InFolder(folder, "picture2.bmp") : output, out, err);
  }
  for (const auto& [name, channel] : {std::pair{"separate-red", 2}, std::pair{"separate-green", 1},
                                      std::pair{"separate-blue", 0}}) {
    if (tool != name) continue;
    SeparateColour(picture, channel);
    return Save(picture, output.empty() ? InFolder(folder, "temp.bmp") : output, out, err);
  }
  if (tool == "mask") {
    return Save(SpriteMask(picture), output.empty() ? SpriteMaskPath(source) : output, out, err);
  }
  // sectors
  const std::string sectors = output.empty() ? InFolder(folder, "newsectors") : output;
  std::string error;
  if (!SaveAsSectors(picture, sectors, error)) {
    err << "The sectors were not all written: " << error << ".\n";
    return kExitRefused;
  }
  out << "Saved the sectors in " << sectors << '\n';
  return kExitOk;
}

int ReplaceColourCommand(const std::string& folder, const std::string& source,
                         const std::string& output, uint32_t from, uint32_t to, std::ostream& out,
                         std::ostream& err) {
  Picture picture;
  if (!Load(source, picture, err)) return kExitRefused;
  if (!ReplaceColour(picture, from, to)) {
    err << kBackgroundColourMessage << '\n';
    return kExitRefused;
  }
  return Save(picture, output.empty() ? InFolder(folder, "picture2.bmp") : output, out, err);
}

int BitmapToMapCommand(const std::string& folder, const std::string& source,
                       const std::string& mapPath, int reductionValue,
                       const std::vector<std::pair<uint32_t, int>>& assignments, std::ostream& out,
                       std::ostream& err) {
  ConsoleInteraction ui(err);
  SeededRandom random(1);
  Editor editor(GameFolder(folder), ui, random);
  if (!StartCommandEditor(editor, err)) return kExitRefused;
  Picture picture;
  if (!Load(source, picture, err)) return kExitRefused;
  if (const std::string problem = CheckMapSize(picture.Width(), picture.Height());
      !problem.empty()) {
    err << "The bitmap " << source << " cannot become a map: " << problem << ".\n";
    return kExitRefused;
  }
  ReduceColours(picture, reductionValue);
  MapDocument& document = editor.Document;
  document.MapWidth = static_cast<int16_t>(picture.Width());
  document.MapHeight = static_cast<int16_t>(picture.Height());
  document.MapPath = mapPath;
  document.MapName = fs::path(mapPath).filename().string();
  NewMap(editor);
  BitmapToMap conversion = StartConversion(picture.Width(), picture.Height());
  for (const auto& [colour, tile] : assignments) {
    if (!editor.Tiles.IsTile(tile)) {
      err << "korvmap: tile " << tile << " is not on the tile sheet.\n";
      return kExitRefused;
    }
    const uint8_t terrain = editor.Tiles.TerrainOf(tile);
    const int assigned = AssignTerrain(picture, conversion, document, colour, terrain,
                                       editor.Tiles.TerrainRgb(terrain));
    out << assigned << " pixels became " << editor.Tiles.TerrainName(terrain) << '\n';
  }
  return SaveMap(editor) ? kExitOk : kExitRefused;
}

int RenderCommand(const std::string& folder, const std::string& mapPath, int left, int top,
                  int width, int height, const std::string& output, std::ostream& out,
                  std::ostream& err) {
  ConsoleInteraction ui(err);
  SeededRandom random(1);
  Editor editor(GameFolder(folder), ui, random);
  if (!StartCommandEditor(editor, err)) return kExitRefused;
  std::string error;
  editor.Document.MapPath = mapPath;
  editor.Document.MapName = fs::path(mapPath).filename().string();
  if (!LoadMap(editor)) return kExitRefused;
  Picture mask;
  if (!mask.LoadBmp(editor.Folder.Resolve("bmp/blackhex.bmp"), &error)) {
    err << "The hex mask bmp/blackhex.bmp cannot be opened: " << error << ".\n";
    return kExitRefused;
  }
  auto section = RenderMapBitmap(editor.Document, editor.Geometry, editor.TileSheet, mask, left,
                                 top, width, height);
  if (!section) {
    err << kNotEnoughMemory << '\n';
    return kExitRefused;
  }
  if (EndsWithIgnoringCase(output, ".png")) {
    if (!section->SavePng(output, &error)) {
      err << "The picture was not written: " << error << ".\n";
      return kExitRefused;
    }
    out << "Saved " << output << '\n';
    return kExitOk;
  }
  return Save(*section, output.empty() ? editor.Folder.Resolve("map.bmp").string() : output, out,
              err);
}

}  // namespace korv
