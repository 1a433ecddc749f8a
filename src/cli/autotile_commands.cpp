#include "cli/autotile_commands.h"

#include <charconv>
#include <filesystem>
#include <map>

#include "analysis/tile_seams.h"
#include "autotile/fit_neighbours.h"
#include "autotile/pattern_library.h"
#include "cli/korvmap.h"
#include "editing/control.h"
#include "editing/editing.h"
#include "editor/map_io.h"
#include "editor/set_import.h"
#include "editor/startup.h"
#include "platform/interaction.h"
#include "platform/random.h"

namespace korv {

namespace fs = std::filesystem;

namespace {

bool ParseHex(const std::string& text, int& x, int& y) {
  const size_t comma = text.find(',');
  if (comma == std::string::npos) return false;
  const char* begin = text.data();
  auto [xEnd, xError] = std::from_chars(begin, begin + comma, x);
  auto [yEnd, yError] = std::from_chars(begin + comma + 1, begin + text.size(), y);
  return xError == std::errc() && yError == std::errc() && xEnd == begin + comma &&
         yEnd == begin + text.size();
}

// Records in every library file, by library folder.
std::map<std::string, size_t> CountRecords(const GameFolder& folder) {
  std::map<std::string, size_t> counts;
  std::error_code ec;
  const fs::path mapedit = folder.Resolve("mapedit");
  for (const auto& entry : fs::directory_iterator(mapedit, ec)) {
    const std::string name = entry.path().filename().string();
    const bool library = name == "roadpatterns" || name == "bridgepatterns" ||
                         name == "riverpatterns" || name.rfind("tilep", 0) == 0;
    if (!library || !entry.is_directory(ec)) continue;
    size_t& count = counts["mapedit/" + name];
    for (const fs::path& file : ListFiles(entry.path(), "*.txt")) {
      if (auto bytes = ReadWholeFile(file)) {
        count += ParsePatternFile(std::string(bytes->begin(), bytes->end())).size();
      }
    }
  }
  return counts;
}

}  // namespace

int PaintCommand(const std::string& folder, const std::string& in, const std::string& out,
                 const std::vector<std::string>& hexes, const PaintSettings& settings,
                 std::ostream& output, std::ostream& err) {
  ConsoleInteraction ui(output);
  SeededRandom random(settings.seed);
  MapEditor session(GameFolder(folder), ui, random);
  Editor& editor = session.editor;
  if (!StartCommandEditor(editor, err)) return kExitRefused;
  if (!settings.control && !editor.Tiles.IsTile(settings.tile)) {
    err << "korvmap: tile " << settings.tile << " is not on the tile sheet (tiles 0 to "
        << editor.Tiles.TileCount << ").\n";
    return kExitRefused;
  }
  MapDocument& document = editor.Document;
  document.MapPath = in;
  document.MapName = fs::path(in).filename().string();
  if (!LoadMap(editor)) return kExitRefused;
  std::vector<std::pair<int, int>> positions;
  for (const std::string& text : hexes) {
    int x = 0;
    int y = 0;
    if (!ParseHex(text, x, y) || !document.Contains(x, y)) {
      err << "korvmap: \"" << text << "\" is not a hex of the map (columns 0 to "
          << document.MapWidth << ", rows 0 to " << document.MapHeight << ").\n";
      return kExitRefused;
    }
    positions.emplace_back(x, y);
  }
  editor.CurrentTile = static_cast<int16_t>(settings.tile);
  editor.Settings.AutoDraw = settings.autoDraw;
  editor.Settings.RandomTiles = settings.randomTiles;
  editor.Settings.FitNeighbours = settings.fitNeighbours;
  if (settings.control) {
    session.control.SelectedNation = settings.control->nation;
    session.control.SelectedOriginalOwner = settings.control->originalOwner;
    session.control.SelectedObjectiveMark = settings.control->mark;
  }
  for (const auto& [x, y] : positions) {
    session.interaction.CurrentHexX = static_cast<int16_t>(x);
    session.interaction.CurrentHexY = static_cast<int16_t>(y);
    if (settings.control) {
      HexControl_Click(session, x, y);
    } else {
      PaintHex(session, x, y);
    }
  }
  document.MapPath = out;
  document.MapName = fs::path(out).filename().string();
  return SaveMap(editor) ? kExitOk : kExitRefused;
}

int SeamsCommand(const std::string& folder, const std::string& path, bool list,
                 std::ostream& output, std::ostream& err) {
  ConsoleInteraction ui(err);
  SeededRandom random(1);
  Editor editor(GameFolder(folder), ui, random);
  if (!StartCommandEditor(editor, err)) return kExitRefused;
  editor.Document.MapPath = path;
  editor.Document.MapName = fs::path(path).filename().string();
  if (!LoadMap(editor)) return kExitRefused;
  const TileFitKnowledge knowledge = LoadTileFitKnowledge(editor.Folder, editor.Tiles);
  const std::vector<TileSeam> seams = FindTileSeams(editor.Document, editor.Tiles, knowledge);
  size_t roadEnds = 0;
  for (const TileSeam& seam : seams) {
    roadEnds += seam.kind == TileSeam::kRoadEnd ? 1 : 0;
    if (list) {
      output << seam.x << ", " << seam.y << ", "
             << (seam.kind == TileSeam::kRoadEnd ? "road end " + std::to_string(seam.side)
                                                 : std::string("edge seam"))
             << '\n';
    }
  }
  output << seams.size() << " seams: " << roadEnds << " road ends, " << seams.size() - roadEnds
         << " edge seams\n";
  return seams.empty() ? kExitOk : kExitRefused;
}

int LearnCommand(const std::string& folder, const std::vector<std::string>& sources,
                 std::ostream& output, std::ostream& err) {
  ConsoleInteraction ui(err);
  SeededRandom random(1);
  Editor editor(GameFolder(folder), ui, random);
  if (!StartCommandEditor(editor, err)) return kExitRefused;
  const std::map<std::string, size_t> before = CountRecords(editor.Folder);
  for (const std::string& source : sources) {
    const bool setFile = EndsWithIgnoringCase(source, ".set");
    if (setFile) {
      // The map part of the import, in memory: nothing is written beside it.
      auto import = ReadSetImport(editor, source);
      if (!import) return kExitRefused;
      TakeImportedMap(editor, *import);
    } else {
      editor.Document.MapPath = source;
      editor.Document.MapName = fs::path(source).filename().string();
      if (!LoadMap(editor)) return kExitRefused;
    }
    const MapDocument& document = editor.Document;
    // The mountain library is the one of the first mountain tile, as a
    // designer picks a mountain before "Memorise Mountain Patterns".
    int16_t mountain = editor.CurrentTile;
    for (int t = 0; t <= editor.Tiles.TileCount; ++t) {
      if (editor.Tiles.TerrainOf(t) == 3) {
        mountain = static_cast<int16_t>(t);
        break;
      }
    }
    if (!MemorizeRoadTilePatterns(document, editor.Folder, editor.Tiles, editor.CurrentTile, ui) ||
        !MemoriseRiverTilePatterns(document, editor.Folder, editor.Tiles, ui) ||
        !MemoriseMountainPatterns(document, editor.Folder, editor.Tiles, mountain, ui)) {
      return kExitRefused;
    }
    output << "learnt from " << source << '\n';
  }
  const std::map<std::string, size_t> after = CountRecords(editor.Folder);
  for (const auto& [library, count] : after) {
    const auto was = before.find(library);
    const size_t old = was == before.end() ? 0 : was->second;
    output << library << ": " << count << " records (" << (count >= old ? "+" : "")
           << static_cast<long long>(count) - static_cast<long long>(old) << ")\n";
  }
  return kExitOk;
}

}  // namespace korv
