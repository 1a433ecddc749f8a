// korvmap run in this process: its exit code and what it wrote to stdout
// and stderr.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/korvmap.h"

namespace korv::test {

struct KorvmapRun {
  int code;
  std::string out;
  std::string err;
};

inline KorvmapRun Korvmap(const std::vector<std::string>& arguments) {
  std::ostringstream out, err;
  const int code = RunKorvmap(arguments, out, err);
  return {code, out.str(), err.str()};
}

}  // namespace korv::test
