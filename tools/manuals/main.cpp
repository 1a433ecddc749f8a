// korv-manuals OUTDIR: writes the manual pages korvedit.1 and korvmap.1 and
// the bash completion of korvmap into OUTDIR, made from the same usage
// texts that the programs' --help prints, so that they cannot drift apart.
// The build runs it; the package installs what it writes.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/korvmap.h"
#include "gui/korvedit_usage.h"

namespace {

namespace fs = std::filesystem;

// Text for roff: backslashes and minus signs escaped, and a line that
// would start with a control character made safe.
std::string Roff(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\') {
      out += "\\e";
    } else if (c == '-') {
      out += "\\-";
    } else {
      out += c;
    }
  }
  if (!out.empty() && (out[0] == '.' || out[0] == '\'')) out = "\\&" + out;
  return out;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The usage text as roff: "usage:" lines become the synopsis, "commands:"
// and "options:" sections, each entry ("  name ARGS   what it does" and
// the indented lines that go on) a tagged paragraph.
std::string UsageAsRoff(const std::string& usage) {
  std::ostringstream out;
  bool inEntry = false;
  for (const std::string& line : Lines(usage)) {
    if (line.rfind("usage: ", 0) == 0) {
      out << ".SH SYNOPSIS\n.nf\n" << Roff(line.substr(7)) << '\n';
      continue;
    }
    if (!line.empty() && line[0] != ' ') {
      // A section heading: "commands:", "options:".
      std::string title = line.substr(0, line.find(':'));
      std::transform(title.begin(), title.end(), title.begin(),
                     [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
      if (!inEntry) out << ".fi\n";
      out << ".SH " << title << '\n';
      inEntry = true;
      continue;
    }
    if (!inEntry) {  // the synopsis goes on
      out << Roff(Trimmed(line)) << '\n';
      continue;
    }
    if (line.size() > 2 && line[2] != ' ') {
      // "  head    what it does": the head is the entry's tag.
      const size_t gap = line.find("  ", 2);
      const std::string head =
          line.substr(2, gap == std::string::npos ? std::string::npos : gap - 2);
      out << ".TP\n.B " << Roff(head) << '\n';
      if (gap != std::string::npos && !Trimmed(line.substr(gap)).empty()) {
        out << Roff(Trimmed(line.substr(gap))) << '\n';
      }
      continue;
    }
    const std::string text = Trimmed(line);
    // A second form of the same command ("  bitmap replace ...") is set
    // apart from the words that describe it.
    if (line.rfind("    ", 0) != 0 || text.empty()) continue;
    out << Roff(text) << '\n';
  }
  if (!inEntry) out << ".fi\n";
  return out.str();
}

struct Page {
  std::string name;
  std::string summary;
  std::string usage;
  std::string description;  // roff
  std::string after;        // roff: sections after the usage
};

std::string ManualPage(const Page& page) {
  std::ostringstream out;
  out << ".TH " << page.name << " 1 \"\" \"Korv Map Editor\" \"User Commands\"\n"
      << ".SH NAME\n"
      << page.name << " \\- " << Roff(page.summary) << '\n';
  const std::string usage = UsageAsRoff(page.usage);
  // The synopsis first, then the description, then the entries.
  const size_t entries = usage.find(".SH ", 1);
  out << usage.substr(0, entries) << ".SH DESCRIPTION\n"
      << page.description << usage.substr(entries) << page.after;
  return out.str();
}

const char* const kKorveditDescription =
    "korvedit is the desktop editor of the Korv Map Editor: it paints the terrain tiles of a\n"
    "hex battle map hex by hex, sets roads, owners, objectives and deployment hexes, chooses\n"
    "fitting tiles by itself (Auto\\-Tile), analyses maps, imports the game's set files and\n"
    "makes the pictures the game shows.\n"
    ".PP\n"
    "It works inside a game folder that holds the tile sheet bmp/mapl.bmp, the tables in\n"
    "data/, the flags, what the editor knows about tiles in mapedit/, the nation sets and the\n"
    "maps. A game folder that the user cannot write is opened read\\-only: nothing is written\n"
    "there, and maps are saved elsewhere.\n"
    ".PP\n"
    "Help (or the key /) in the editor lists every key; the designer's guide is\n"
    "/usr/share/doc/korv\\-map\\-editor/guide.md.\n";

const char* const kKorveditAfter =
    ".SH FILES\n"
    ".TP\n"
    ".I ~/.local/share/korv/demo\\-game\n"
    "the user's copy of the demo game, made from\n"
    ".I /usr/share/korv/demo\\-game\n"
    "at the first start (under $XDG_DATA_HOME when it is set)\n"
    ".TP\n"
    ".I ~/.config/Korv/Korv Map Editor.conf\n"
    "the game folder used last, the recent maps and the window's place\n"
    ".SH SEE ALSO\n"
    ".BR korvmap (1)\n";

const char* const kKorvmapDescription =
    "korvmap runs the commands of the Korv Map Editor without a window, for batch work over\n"
    "many maps: converting, importing the game's set files, naming hexes, painting, setting\n"
    "control, learning tile patterns, running the editor's menu commands, and making pictures.\n"
    "Each command works on the game folder given with \\-\\-folder (default: the current\n"
    "folder) and writes nothing there.\n"
    ".PP\n"
    "korvmap COMMAND \\-\\-help prints the usage of one command.\n";

const char* const kKorvmapAfter =
    ".SH EXIT STATUS\n"
    ".TP\n.B 0\nsuccess\n"
    ".TP\n.B 1\nan input was refused; the reason is on standard error and nothing was written\n"
    ".TP\n.B 2\na usage error; what was wrong and the command's usage are on standard error\n"
    ".SH EXAMPLES\n"
    ".nf\n"
    "korvmap \\-\\-folder ~/.local/share/korv/demo\\-game info maps/sample.map\n"
    "korvmap apply \\-\\-list\n"
    ".fi\n"
    ".SH SEE ALSO\n"
    ".BR korvedit (1)\n";

// Every option word ("--tile", "-o") in `text`.
std::set<std::string> OptionsIn(const std::string& text) {
  std::set<std::string> options;
  for (size_t at = 0; at < text.size(); ++at) {
    const bool starts = text[at] == '-' && (at == 0 || text[at - 1] == ' ' || text[at - 1] == '[');
    if (!starts) continue;
    size_t end = at + 1;
    while (end < text.size() &&
           (std::isalnum(static_cast<unsigned char>(text[end])) || text[end] == '-')) {
      ++end;
    }
    const std::string word = text.substr(at, end - at);
    if (word.size() > 1 && std::isalpha(static_cast<unsigned char>(word.back()))) {
      options.insert(word);
    }
    at = end;
  }
  return options;
}

std::string Joined(const std::set<std::string>& words) {
  std::string out;
  for (const std::string& word : words) out += (out.empty() ? "" : " ") + word;
  return out;
}

// The bash completion of korvmap: its commands, each command's options,
// the bitmap tools, the menu command names that "korvmap apply --list"
// prints as runnable here, folders after --folder and file names elsewhere.
std::string KorvmapCompletion() {
  std::set<std::string> valued;
  std::ostringstream commands;
  std::ostringstream cases;
  for (const std::string& command : korv::KorvmapCommands()) {
    commands << (commands.tellp() > 0 ? " " : "") << command;
    const std::string lines = korv::KorvmapCommandUsage(command);
    std::set<std::string> options = OptionsIn(lines);
    options.insert("--help");
    for (const std::string& option : options) {
      if (korv::KorvmapOptionTakesValue(option)) valued.insert(option);
    }
    cases << "    " << command << ") options=\"" << Joined(options) << "\" ;;\n";
  }
  valued.insert("--folder");
  std::string valuedPattern;
  for (const std::string& option : valued) {
    valuedPattern += (valuedPattern.empty() ? "" : "|") + option;
  }
  std::ostringstream out;
  out << "# bash completion for korvmap, made by korv-manuals from korvmap's usage text\n"
      << "_korvmap() {\n"
      << "  local cur prev words cword\n"
      << "  _init_completion || return\n"
      << "  case $prev in\n"
      << "    --folder) _filedir -d; return ;;\n"
      << "    " << valuedPattern << ") return ;;\n"
      << "  esac\n"
      << "  local i command= position=0\n"
      << "  for ((i = 1; i < cword; i++)); do\n"
      << "    case ${words[i]} in\n"
      << "      " << valuedPattern << ") ((i++)) ;;\n"
      << "      -*) ;;\n"
      << "      *) if [[ -z $command ]]; then command=${words[i]}; else ((position++)); fi ;;\n"
      << "    esac\n"
      << "  done\n"
      << "  if [[ -z $command ]]; then\n"
      << "    COMPREPLY=($(compgen -W \"" << commands.str() << " --folder --help\" -- \"$cur\"))\n"
      << "    return\n"
      << "  fi\n"
      << "  local options=\n"
      << "  case $command in\n"
      << cases.str() << "  esac\n"
      << "  if [[ $cur == -* ]]; then\n"
      << "    COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n"
      << "    return\n"
      << "  fi\n"
      << "  if [[ $command == bitmap && $position == 0 ]]; then\n"
      << "    COMPREPLY=($(compgen -W \"reduce separate-red separate-green separate-blue mask "
         "sectors replace to-map\" -- \"$cur\"))\n"
      << "    return\n"
      << "  fi\n"
      << "  if [[ $command == apply && $position -ge 2 ]]; then\n"
      << "    local names\n"
      << "    names=$(\"${words[0]}\" apply --list 2>/dev/null |\n"
      << "      awk -F '\\t' '$3 == \"runs here\" { print $1 }')\n"
      << "    COMPREPLY=($(compgen -W \"$names\" -- \"$cur\"))\n"
      << "    return\n"
      << "  fi\n"
      << "  _filedir\n"
      << "}\n"
      << "complete -F _korvmap korvmap\n";
  return out.str();
}

bool Write(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  out.flush();
  if (!out) std::cerr << "korv-manuals: cannot write " << path.string() << "\n";
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: korv-manuals OUTDIR\n";
    return 2;
  }
  const fs::path folder = argv[1];
  std::error_code ec;
  fs::create_directories(folder, ec);
  const Page korvedit{"korvedit", "desktop editor for the hex battle maps of a wargame",
                      korv::kKorveditUsage, kKorveditDescription, kKorveditAfter};
  const Page korvmap{"korvmap", "the Korv Map Editor's commands on the command line",
                     korv::KorvmapUsage(), kKorvmapDescription, kKorvmapAfter};
  const bool written = Write(folder / "korvedit.1", ManualPage(korvedit)) &&
                       Write(folder / "korvmap.1", ManualPage(korvmap)) &&
                       Write(folder / "korvmap", KorvmapCompletion());
  return written ? 0 : 1;
}
