// korv-demo-game DIR: writes the project's own demo game folder into DIR.
#include <cstdio>
#include <string>

#include "demo_game.h"

int main(int argc, char** argv) {
  if (argc != 2 || argv[1][0] == '\0' || argv[1][0] == '-') {
    std::fprintf(stderr,
                 "usage: korv-demo-game DIR\n"
                 "Writes the demo game folder (tile sheet, overlays, flags, tables,\n"
                 "tile knowledge and a sample map) into DIR.\n");
    return 2;
  }
  std::string error;
  if (!korv::demo::WriteDemoGame(argv[1], error)) {
    std::fprintf(stderr, "korv-demo-game: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
