// The command line's --watch[=SECONDS]: the one option of the program that
// turns on the status watch.
#pragma once

#include <string>
#include <vector>

struct WatchOption {
  int seconds = 0;    // 0: no watch asked for
  std::string error;  // a value refused: what to tell the user, after "vantrel: "
};

// Looks for --watch (the default period) or --watch=SECONDS among the
// arguments (without the program's name); other arguments are left alone.
WatchOption FindWatchOption(const std::vector<std::string>& arguments);
