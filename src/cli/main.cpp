// Entry point of korvmap.
#include <iostream>

#include "cli/korvmap.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  return korv::RunKorvmap(arguments, std::cout, std::cerr);
}
