#include "cli/status_watch.h"

#include <chrono>
#include <csignal>
#include <thread>

#ifndef _WIN32
#include <poll.h>
#include <unistd.h>
#endif

namespace {

volatile std::sig_atomic_t g_stop = 0;

void AskToStop(int) { g_stop = 1; }

// Whether whoever read standard output has gone (`| head -1` has its
// line): nothing printed would be read any more, so the watch ends.
bool ReaderGone() {
#ifdef _WIN32
  return false;
#else
  pollfd out{STDOUT_FILENO, 0, 0};
  return poll(&out, 1, 0) == 1 && (out.revents & (POLLERR | POLLHUP)) != 0;
#endif
}

}  // namespace

void WatchStatus(int seconds, const std::function<std::string()>& read,
                 const std::function<bool(const std::string&)>& print) {
  std::signal(SIGINT, AskToStop);
  std::signal(SIGTERM, AskToStop);
#ifndef _WIN32
  // A reader that has gone shows as a failed write, not as the end of us.
  std::signal(SIGPIPE, SIG_IGN);
#endif
  using Clock = std::chrono::steady_clock;
  // Short naps, so that a signal ends the wait soon wherever it lands.
  constexpr auto kNap = std::chrono::milliseconds(50);
  std::string last;
  bool first = true;
  while (!g_stop) {
    const auto next = Clock::now() + std::chrono::seconds(seconds);
    std::string lines;
    try {
      lines = read();
    } catch (...) {
      // The signal cuts a transfer short: that is the stop asked for, not a
      // printer that failed.
      if (g_stop) break;
      throw;
    }
    if (g_stop) break;
    if ((first || lines != last) && !print(lines)) return;
    first = false;
    last = std::move(lines);
    while (!g_stop && Clock::now() < next) {
      if (ReaderGone()) return;
      std::this_thread::sleep_for(kNap);
    }
  }
}
