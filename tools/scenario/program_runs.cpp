#include "program_runs.h"

#include <cstdio>
#include <cstdlib>

void GiveUpStalled(const std::string& innermost) {
  std::fflush(stdout);
  std::fprintf(stderr, "vantrel-scenario: no action could be taken for %d s; given up with %s\n",
               kLongestStallMs / 1000, innermost.c_str());
  std::_Exit(3);
}
