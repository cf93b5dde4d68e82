#include "cli/time_limit.h"

#include <chrono>
#include <cstdlib>
#include <utility>

TimeLimit::TimeLimit(int seconds, std::function<void()> lastWord, int status) {
  watcher_ = std::thread([this, seconds, lastWord = std::move(lastWord), status] {
    std::unique_lock lock(mutex_);
    if (wake_.wait_for(lock, std::chrono::seconds(seconds), [this] { return finished_; })) return;
    // The lock stays held: the run cannot print its own line after this one.
    lastWord();
    std::_Exit(status);
  });
}

TimeLimit::~TimeLimit() {
  Finish();
  watcher_.join();
}

void TimeLimit::Finish() {
  {
    std::lock_guard lock(mutex_);
    finished_ = true;
  }
  wake_.notify_one();
}
