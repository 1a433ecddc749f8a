#include "cli/korvmap.h"

#include "cli/apply_command.h"
#include "cli/autotile_commands.h"
#include "cli/imagery_commands.h"
#include "cli/import_set_command.h"

#include <charconv>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>

#include <QString>

#include "document/hex_names.h"
#include "editor/map_io.h"
#include "editor/startup.h"
#include "imagery/seasonal.h"
#include "platform/interaction.h"
#include "platform/random.h"

namespace korv {

namespace {

constexpr const char* kUsage =
    "usage: korvmap [--folder DIR] COMMAND ...\n"
    "commands:\n"
    "  info MAP                  layout, version, size, objectives and nation set of a map\n"
    "  convert IN OUT            load IN (either layout) and save it as OUT\n"
    "  new --width W --height H [--seed N] [--random-tiles] OUT\n"
    "                            a new map filled with the default tile, saved as OUT\n"
    "  jumpmap MAP OUT.bmp       the map's strategic picture, one pixel per hex\n"
    "  names MAP                 the named hexes of a map, one \"x, y, name\" a line\n"
    "  name MAP X Y TEXT         names hex (X, Y) of a map; an empty TEXT clears its name\n"
    "  seasonal SRC.bmp          the six seasonal pictures beside a map picture (...x.bmp)\n";
constexpr const char* kUsageOptions =
    "options:\n"
    "  --folder DIR              the game folder (default: the current folder)\n"
    "  --help                    this text; with a command, that command's lines\n";

// Options and positional words of one command line.
struct CommandLine {
  std::string folder = ".";
  std::map<std::string, std::string> values;  // --width 40
  std::map<std::string, bool> flags;          // --random-tiles
  std::vector<std::string> words;
};

class UsageError {
 public:
  explicit UsageError(std::string text) : text_(std::move(text)) {}
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

std::optional<CommandLine> Parse(const std::vector<std::string>& arguments, std::string& problem) {
  static const std::vector<std::string> kFlags = {
      "--random-tiles", "--whole-map", "--list", "--auto", "--random", "--assign", "--fit"};
  CommandLine line;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& word = arguments[i];
    if ((word.rfind("--", 0) != 0 || word == "--") && word != "-o") {
      line.words.push_back(word);
      continue;
    }
    if (std::find(kFlags.begin(), kFlags.end(), word) != kFlags.end()) {
      line.flags[word] = true;
      continue;
    }
    if (!KorvmapOptionTakesValue(word)) {
      problem = "unknown option " + word;
      return std::nullopt;
    }
    if (i + 1 >= arguments.size()) {
      problem = word + " needs a value";
      return std::nullopt;
    }
    if (word == "--folder") {
      line.folder = arguments[++i];
    } else {
      line.values[word] = arguments[++i];
    }
  }
  return line;
}

std::optional<long long> ParseInteger(const std::string& text) {
  long long value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// Holds the editor's state for one command, started up on the game folder.
class Session {
 public:
  Session(const std::string& folder, uint64_t seed, std::ostream& err)
      : ui_(err), random_(seed), editor_(GameFolder(folder), ui_, random_) {}

  bool Start(std::ostream& err) { return StartCommandEditor(editor_, err); }
  Editor& Get() { return editor_; }

 private:
  ConsoleInteraction ui_;
  SeededRandom random_;
  Editor editor_;
};

std::string FileNameOf(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

// Names the open map by `path`, as the file dialog does before a load or save.
void NameMap(Editor& editor, const std::string& path) {
  editor.Document.MapPath = path;
  editor.Document.MapName = FileNameOf(path);
}

// Starts a session on the game folder and loads the map at `path` into it.
bool StartAndLoad(Session& session, const std::string& path, std::ostream& err) {
  if (!session.Start(err)) return false;
  NameMap(session.Get(), path);
  return LoadMap(session.Get());
}

int Info(const CommandLine& line, std::ostream& out, std::ostream& err) {
  if (line.words.size() != 2) throw UsageError("info takes one map file");
  const std::string& path = line.words[1];
  auto bytes = ReadWholeFile(path);
  if (!bytes) {
    err << "The map file " << path << " cannot be opened.\n";
    return kExitRefused;
  }
  std::string error;
  auto info = ReadMapFileInfo(*bytes, error);
  if (!info) {
    err << "The map file " << path << " cannot be read: " << error << ".\n";
    return kExitRefused;
  }
  const bool versioned = info->Layout == MapLayout::kVersioned;
  out << "layout: " << (versioned ? "versioned" : "old") << '\n';
  if (versioned) out << "version: " << info->Version << '\n';
  out << "width: " << info->MapWidth << '\n';
  out << "height: " << info->MapHeight << '\n';
  if (info->HasObjectiveList) {
    out << "objectives: " << info->ObjectiveCount << '\n';
  } else {
    out << "objectives: none stored\n";
  }
  if (info->HasNationSetName) {
    out << "nation set: " << info->NationSetName << '\n';
  } else {
    out << "nation set: none stored\n";
  }
  return kExitOk;
}

int Convert(const CommandLine& line, std::ostream& err) {
  if (line.words.size() != 3) throw UsageError("convert takes an input and an output map file");
  Session session(line.folder, SeedFromClock(), err);
  if (!StartAndLoad(session, line.words[1], err)) return kExitRefused;
  NameMap(session.Get(), line.words[2]);
  return SaveMap(session.Get()) ? kExitOk : kExitRefused;
}

int New(const CommandLine& line, std::ostream& err) {
  if (line.words.size() != 2) throw UsageError("new takes one output map file");
  auto size = [&](const char* name) -> long long {
    auto it = line.values.find(name);
    if (it == line.values.end()) throw UsageError(std::string("new needs ") + name);
    auto value = ParseInteger(it->second);
    if (!value) throw UsageError(std::string(name) + " must be a whole number");
    return *value;
  };
  long long width = size("--width");
  long long height = size("--height");
  uint64_t seed = SeedFromClock();
  if (auto it = line.values.find("--seed"); it != line.values.end()) {
    auto value = ParseInteger(it->second);
    if (!value) throw UsageError("--seed must be a whole number");
    seed = static_cast<uint64_t>(*value);
  }
  std::string problem = CheckMapSize(width, height);
  if (!problem.empty()) {
    err << "A map of " << width << " x " << height << " cannot be made: " << problem << ".\n";
    return kExitRefused;
  }
  Session session(line.folder, seed, err);
  if (!session.Start(err)) return kExitRefused;
  Editor& editor = session.Get();
  editor.Settings.RandomTiles = line.flags.count("--random-tiles") > 0;
  editor.Document.MapWidth = static_cast<int16_t>(width);
  editor.Document.MapHeight = static_cast<int16_t>(height);
  NameMap(editor, line.words[1]);
  NewMap(editor);
  return SaveMap(editor) ? kExitOk : kExitRefused;
}

// The value of option `name` as a whole number in first..last, when given.
std::optional<int> NumberOption(const CommandLine& line, const std::string& name, long long first,
                                long long last) {
  auto it = line.values.find(name);
  if (it == line.values.end()) return std::nullopt;
  auto value = ParseInteger(it->second);
  if (!value || *value < first || *value > last) {
    throw UsageError(name + " needs a whole number from " + std::to_string(first) + " to " +
                     std::to_string(last));
  }
  return static_cast<int>(*value);
}

int Apply(const CommandLine& line, std::ostream& out, std::ostream& err) {
  if (line.flags.count("--list")) {
    ListCommands(out);
    return kExitOk;
  }
  if (line.words.size() < 4) {
    throw UsageError("apply takes an input map, an output map and at least one command");
  }
  ApplySettings settings;
  settings.wholeMap = line.flags.count("--whole-map") > 0;
  if (auto it = line.values.find("--view"); it != line.values.end()) {
    std::vector<int> numbers;
    const QStringList parts = QString::fromStdString(it->second).split(',');
    for (const QString& part : parts) {
      auto value = ParseInteger(part.trimmed().toStdString());
      if (!value || *value < 0 || *value > 4000) break;
      numbers.push_back(static_cast<int>(*value));
    }
    if (numbers.size() != 4 || parts.size() != 4) {
      throw UsageError("--view needs four whole numbers L,T,C,R (left, top, columns, rows)");
    }
    settings.view = numbers;
  }
  settings.currentTile = NumberOption(line, "--current-tile", 0, 32767);
  settings.nation = NumberOption(line, "--nation", 0, 255);
  settings.originalOwner = NumberOption(line, "--original-owner", 0, 255);
  settings.mark = NumberOption(line, "--mark", 0, 3);
  settings.fitNeighbours = line.flags.count("--fit") > 0;
  if (auto seed = NumberOption(line, "--seed", 0, 2147483647)) {
    settings.seed = static_cast<uint64_t>(*seed);
  }
  const std::vector<std::string> commands(line.words.begin() + 3, line.words.end());
  return ApplyCommands(line.folder, line.words[1], line.words[2], commands, settings, out, err);
}

int Paint(const CommandLine& line, std::ostream& out, std::ostream& err) {
  if (line.words.size() < 4) {
    throw UsageError("paint takes an input map, an output map and at least one hex X,Y");
  }
  PaintSettings settings;
  const auto tile = NumberOption(line, "--tile", 0, 32767);
  if (!tile) throw UsageError("paint needs --tile T");
  settings.tile = *tile;
  settings.autoDraw = line.flags.count("--auto") > 0;
  settings.randomTiles = line.flags.count("--random") > 0;
  settings.fitNeighbours = line.flags.count("--fit") > 0;
  if (auto seed = NumberOption(line, "--seed", 0, 2147483647)) {
    settings.seed = static_cast<uint64_t>(*seed);
  }
  const std::vector<std::string> hexes(line.words.begin() + 3, line.words.end());
  return PaintCommand(line.folder, line.words[1], line.words[2], hexes, settings, out, err);
}

int Control(const CommandLine& line, std::ostream& out, std::ostream& err) {
  if (line.words.size() < 4) {
    throw UsageError("control takes an input map, an output map and at least one hex X,Y");
  }
  const auto nation = NumberOption(line, "--nation", 0, 255);
  if (!nation) throw UsageError("control needs --nation N");
  ControlClick click;
  click.nation = static_cast<uint8_t>(*nation);
  click.originalOwner =
      static_cast<uint8_t>(NumberOption(line, "--original-owner", 0, 255).value_or(*nation));
  click.mark = static_cast<uint8_t>(NumberOption(line, "--mark", 0, 3).value_or(0));
  PaintSettings settings;
  settings.control = click;
  const std::vector<std::string> hexes(line.words.begin() + 3, line.words.end());
  return PaintCommand(line.folder, line.words[1], line.words[2], hexes, settings, out, err);
}

int Seams(const CommandLine& line, std::ostream& out, std::ostream& err) {
  if (line.words.size() != 2) throw UsageError("seams takes one map file");
  return SeamsCommand(line.folder, line.words[1], line.flags.count("--list") > 0, out, err);
}

int Learn(const CommandLine& line, std::ostream& out, std::ostream& err) {
  if (line.words.size() < 2) throw UsageError("learn takes at least one map or set file");
  return LearnCommand(line.folder,
                      std::vector<std::string>(line.words.begin() + 1, line.words.end()), out, err);
}

// "R,G,B" as 0x00RRGGBB.
uint32_t ColourOption(const std::string& text, const std::string& what) {
  const QStringList parts = QString::fromStdString(text).split(',');
  uint32_t colour = 0;
  for (const QString& part : parts) {
    auto value = ParseInteger(part.trimmed().toStdString());
    if (parts.size() != 3 || !value || *value < 0 || *value > 255) {
      throw UsageError(what + " needs a colour R,G,B of three numbers from 0 to 255");
    }
    colour = colour << 8 | static_cast<uint32_t>(*value);
  }
  return colour;
}

std::string Output(const CommandLine& line) {
  auto it = line.values.find("-o");
  return it == line.values.end() ? std::string() : it->second;
}

int Bitmap(const CommandLine& line, std::ostream& out, std::ostream& err) {
  static const std::vector<std::string> kTools = {"reduce",        "separate-red", "separate-green",
                                                  "separate-blue", "mask",         "sectors"};
  const std::string tool = line.words.size() > 1 ? line.words[1] : "";
  const int value = NumberOption(line, "--value", 0, 255).value_or(4);
  if (std::find(kTools.begin(), kTools.end(), tool) != kTools.end()) {
    if (line.words.size() != 3) throw UsageError("bitmap " + tool + " takes one bitmap file");
    return BitmapToolCommand(line.folder, tool, line.words[2], Output(line), value, out, err);
  }
  if (tool == "replace") {
    if (line.words.size() != 3) throw UsageError("bitmap replace takes one bitmap file");
    const auto from = line.values.find("--from");
    const auto to = line.values.find("--to");
    if (from == line.values.end() || to == line.values.end()) {
      throw UsageError("bitmap replace needs --from R,G,B and --to R,G,B");
    }
    return ReplaceColourCommand(line.folder, line.words[2], Output(line),
                                ColourOption(from->second, "--from"),
                                ColourOption(to->second, "--to"), out, err);
  }
  if (tool == "to-map") {
    if (line.words.size() < 5 || !line.flags.count("--assign")) {
      throw UsageError("bitmap to-map takes a bitmap, a map file and --assign R,G,B=TILE...");
    }
    std::vector<std::pair<uint32_t, int>> assignments;
    for (size_t i = 4; i < line.words.size(); ++i) {
      const std::string& word = line.words[i];
      const size_t equals = word.find('=');
      auto tile = ParseInteger(equals == std::string::npos ? "" : word.substr(equals + 1));
      if (!tile || *tile < 0 || *tile > 32767) {
        throw UsageError("\"" + word + "\" is not R,G,B=TILE");
      }
      assignments.emplace_back(ColourOption(word.substr(0, equals), "--assign"),
                               static_cast<int>(*tile));
    }
    return BitmapToMapCommand(line.folder, line.words[2], line.words[3], value, assignments, out,
                              err);
  }
  throw UsageError(
      "bitmap needs one of reduce, separate-red, separate-green, separate-blue, "
      "mask, sectors, replace, to-map");
}

int Render(const CommandLine& line, std::ostream& out, std::ostream& err) {
  if (line.words.size() != 2) throw UsageError("render takes one map file");
  const auto need = [&line](const char* name) {
    auto value = NumberOption(line, name, 0, 4000);
    if (!value) throw UsageError(std::string("render needs ") + name);
    return *value;
  };
  return RenderCommand(line.folder, line.words[1], need("--left"), need("--top"), need("--width"),
                       need("--height"), Output(line), out, err);
}

int Seasonal(const CommandLine& line, std::ostream& out, std::ostream& err) {
  if (line.words.size() != 2) throw UsageError("seasonal takes one bitmap file");
  const std::string& path = line.words[1];
  Picture source;
  std::string error;
  if (!source.LoadBmp(path, &error)) {
    err << "The bitmap " << path << " cannot be opened: " << error << ".\n";
    return kExitRefused;
  }
  if (!CreateSeasonalMaps(
          source, path, [&out](const std::string& step) { out << step << '\n'; }, error)) {
    err << "The seasonal pictures of " << path << " were not all written: " << error << ".\n";
    return kExitRefused;
  }
  return kExitOk;
}

int JumpMap(const CommandLine& line, std::ostream& err) {
  if (line.words.size() != 3) throw UsageError("jumpmap takes a map file and a picture file");
  Session session(line.folder, SeedFromClock(), err);
  if (!StartAndLoad(session, line.words[1], err)) return kExitRefused;
  Editor& editor = session.Get();
  Picture picture = DrawStrategicMap(editor.Document, editor.Tiles, 0);
  std::string error;
  if (!picture.SaveBmp(line.words[2], &error)) {
    err << "The picture was not written: " << error << ".\n";
    return kExitRefused;
  }
  return kExitOk;
}

// The size of a map from its header, or nothing with the user told why.
std::optional<MapFileInfo> MapHeader(const std::string& path, std::ostream& err) {
  auto bytes = ReadWholeFile(path);
  if (!bytes) {
    err << "The map file " << path << " cannot be opened.\n";
    return std::nullopt;
  }
  std::string error;
  auto info = ReadMapFileInfo(*bytes, error);
  if (!info) err << "The map file " << path << " cannot be read: " << error << ".\n";
  return info;
}

// Names are single-byte text as the game keeps them (Latin-1 here); the
// terminal speaks UTF-8.
std::string NameFromTerminal(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
      .toLatin1()
      .toStdString();
}

std::string NameToTerminal(std::string_view name) {
  return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())).toStdString();
}

int Names(const CommandLine& line, std::ostream& out, std::ostream& err) {
  if (line.words.size() != 2) throw UsageError("names takes one map file");
  const std::string& path = line.words[1];
  auto info = MapHeader(path, err);
  if (!info) return kExitRefused;
  // Without name files the map has no named hex; nothing is created here.
  auto index = ReadWholeFile(HexNameFilePath(path, kHexNamesIndexExtension));
  auto text = ReadWholeFile(HexNameFilePath(path, kHexNamesExtension));
  if (!index || !text) return kExitOk;
  for (const NamedHex& hex : ListHexNames(*index, *text, info->MapWidth, info->MapHeight)) {
    std::string_view name = hex.Name;
    name = name.substr(0, name.find_last_not_of(' ') + 1);
    out << hex.X << ", " << hex.Y << ", " << NameToTerminal(name) << '\n';
  }
  return kExitOk;
}

int Name(const CommandLine& line, std::ostream& err) {
  if (line.words.size() != 5) {
    throw UsageError("name takes a map file, a column, a row and a name (\"\" clears it)");
  }
  const std::string& path = line.words[1];
  auto x = ParseInteger(line.words[2]);
  auto y = ParseInteger(line.words[3]);
  if (!x || !y) throw UsageError("the column and row of name must be whole numbers");
  auto info = MapHeader(path, err);
  if (!info) return kExitRefused;
  MapDocument document;
  document.MapWidth = info->MapWidth;
  document.MapHeight = info->MapHeight;
  if (*x < 0 || *y < 0 || *x > document.MapWidth || *y > document.MapHeight) {
    err << "Hex (" << *x << ", " << *y << ") is not on the map " << path
        << ", which has columns 0 to " << document.MapWidth << " and rows 0 to "
        << document.MapHeight << ".\n";
    return kExitRefused;
  }
  document.MapPath = path;
  document.HexNamesIndexPath = HexNameFilePath(path, kHexNamesIndexExtension);
  document.HexNamesPath = HexNameFilePath(path, kHexNamesExtension);
  HexNameFiles files;
  std::string error;
  const bool opened = FileExists(document.HexNamesPath)
                          ? OpenHexNameFiles(files, document, &error)
                          : CreateHexNameFiles(files, document, GameFolder(line.folder), &error);
  if (!opened) {
    err << "The hex names of " << path << " cannot be changed: " << error << ".\n";
    return kExitRefused;
  }
  const std::string name = NameFromTerminal(line.words[4]);
  if (name.size() > static_cast<size_t>(kHexNameLength)) {
    err << "The name is cut to its first " << kHexNameLength << " characters.\n";
  }
  if (!SetHexName(files, document, static_cast<int>(*x), static_cast<int>(*y), name)) {
    err << "The name of hex (" << *x << ", " << *y << ") was not stored.\n";
    return kExitRefused;
  }
  return kExitOk;
}

}  // namespace

bool StartCommandEditor(Editor& editor, std::ostream& err) {
  if (!HoldsTileSheet(editor.Folder.Root())) {
    err << "korvmap: " << editor.Folder.Root().string()
        << " is not a game folder: it holds no tile sheet bmp/mapl.bmp. Give the game folder "
           "with --folder DIR (default: the current folder). "
        << GameFolderNeeds() << '\n';
    return false;
  }
  editor.ShowsMap = false;
  std::string error;
  if (!StartUp(editor, error, false)) {
    err << error << '\n';
    return false;
  }
  return true;
}

bool KorvmapOptionTakesValue(std::string_view word) {
  static constexpr std::string_view kValued[] = {
      "--folder", "--width",          "--height", "--seed",         "--view",
      "--nation", "--original-owner", "--mark",   "--current-tile", "--tile",
      "--value",  "--from",           "--to",     "--left",         "--top",
      "-o"};
  return std::find(std::begin(kValued), std::end(kValued), word) != std::end(kValued);
}

std::string KorvmapUsage() {
  return std::string(kUsage) + kImportSetUsage + kApplyUsage + kAutoTileUsage + kImageryUsage +
         kUsageOptions;
}

std::string KorvmapCommandUsage(const std::string& command) {
  if (command.empty()) return {};
  const std::string usage = KorvmapUsage();
  std::string lines;
  bool inside = false;
  size_t start = 0;
  while (start < usage.size()) {
    const size_t end = usage.find('\n', start);
    const std::string line = usage.substr(start, end - start);
    start = end == std::string::npos ? usage.size() : end + 1;
    const bool goesOn = line.rfind("        ", 0) == 0;
    if (line.rfind("  " + command + " ", 0) == 0 || line == "  " + command) {
      inside = true;
    } else if (!goesOn) {
      inside = false;
    }
    if (inside) lines += line + '\n';
  }
  return lines;
}

std::vector<std::string> KorvmapCommands() {
  std::vector<std::string> names;
  const std::string usage = KorvmapUsage();
  const size_t first = usage.find("commands:\n"), last = usage.find("options:\n");
  size_t start = first + std::string("commands:\n").size();
  while (first != std::string::npos && start < last) {
    const size_t end = usage.find('\n', start);
    const std::string line = usage.substr(start, end - start);
    start = end + 1;
    if (line.size() < 3 || line[2] == ' ') continue;
    const std::string name = line.substr(2, line.find(' ', 2) - 2);
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  }
  return names;
}

void SayUsageError(const std::string& problem, const std::string& command, std::ostream& err) {
  err << "korvmap: " << problem << '\n';
  const std::string lines = KorvmapCommandUsage(command);
  if (!lines.empty()) {
    err << "usage: korvmap [--folder DIR] " << command << " ...\n" << lines;
  } else {
    err << "usage: korvmap [--folder DIR] COMMAND ...\ncommands:";
    for (const std::string& name : KorvmapCommands()) err << ' ' << name;
    err << '\n';
  }
  err << "(korvmap --help: every command; korvmap COMMAND --help: one)\n";
}

namespace {

// The first word of `arguments` that is neither an option nor an option's value.
std::string CommandWord(const std::vector<std::string>& arguments) {
  for (size_t i = 0; i < arguments.size(); ++i) {
    if (KorvmapOptionTakesValue(arguments[i])) {
      ++i;
    } else if (arguments[i].rfind("-", 0) != 0) {
      return arguments[i];
    }
  }
  return {};
}

}  // namespace

int RunKorvmap(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  if (std::find(arguments.begin(), arguments.end(), "--help") != arguments.end()) {
    const std::string lines = KorvmapCommandUsage(CommandWord(arguments));
    if (lines.empty()) {
      out << KorvmapUsage();
    } else {
      out << "usage: korvmap [--folder DIR] ...\n" << lines << kUsageOptions;
    }
    return kExitOk;
  }
  if (auto code = RunImportSetCommand(arguments, out, err)) return *code;
  std::string problem;
  auto line = Parse(arguments, problem);
  if (!line) {
    SayUsageError(problem, CommandWord(arguments), err);
    return kExitUsage;
  }
  if (line->words.empty()) {
    SayUsageError("no command given", "", err);
    return kExitUsage;
  }
  try {
    const std::string& command = line->words[0];
    if (command == "info") return Info(*line, out, err);
    if (command == "convert") return Convert(*line, err);
    if (command == "new") return New(*line, err);
    if (command == "jumpmap") return JumpMap(*line, err);
    if (command == "names") return Names(*line, out, err);
    if (command == "name") return Name(*line, err);
    if (command == "apply") return Apply(*line, out, err);
    if (command == "paint") return Paint(*line, out, err);
    if (command == "control") return Control(*line, out, err);
    if (command == "learn") return Learn(*line, out, err);
    if (command == "seams") return Seams(*line, out, err);
    if (command == "seasonal") return Seasonal(*line, out, err);
    if (command == "bitmap") return Bitmap(*line, out, err);
    if (command == "render") return Render(*line, out, err);
    throw UsageError("unknown command " + command);
  } catch (const UsageError& usage) {
    SayUsageError(usage.Text(), line->words[0], err);
    return kExitUsage;
  }
}

}  // namespace korv
