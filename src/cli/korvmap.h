// korvmap: the editor's commands without a window, for batch work and tests.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace korv {

struct Editor;

// Exit codes of every command.
enum KorvmapExit : int { kExitOk = 0, kExitRefused = 1, kExitUsage = 2 };

// Whether korvmap's option `word` takes a value (--folder DIR, --tile T, ...).
bool KorvmapOptionTakesValue(std::string_view word);
// Starts `editor` on its game folder for a command (the random lists are
// not written). False, with the reason on `err` (for a folder without a
// tile sheet: what a game folder holds), when it cannot start.
bool StartCommandEditor(Editor& editor, std::ostream& err);

// The usage of every command, as --help prints it.
std::string KorvmapUsage();
// The usage lines of one command (its line and the indented lines that go
// on from it); empty when there is no such command.
std::string KorvmapCommandUsage(const std::string& command);
// The commands' names in the order of the usage.
std::vector<std::string> KorvmapCommands();
// A usage error in one screen: what was wrong, then the usage lines of
// `command` (the list of commands when it is none).
void SayUsageError(const std::string& problem, const std::string& command, std::ostream& err);

// Runs one korvmap command; `arguments` excludes the program name.
int RunKorvmap(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace korv
