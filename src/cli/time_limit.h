// A run's time limit (check -t): when it runs out before the run is done,
// the last word is said and the program ends at once, whatever request to
// the printer is still waiting for its answer.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class TimeLimit {
 public:
  // After `seconds`, unless Finish came first: `lastWord`, then the end of
  // the program with `status`.
  TimeLimit(int seconds, std::function<void()> lastWord, int status);
  ~TimeLimit();
  TimeLimit(const TimeLimit&) = delete;
  TimeLimit& operator=(const TimeLimit&) = delete;

  // The run is done in time: the limit no longer applies. Holds back the
  // run's own output while the last word is being said.
  void Finish();

 private:
  std::mutex mutex_;
  std::condition_variable wake_;
  bool finished_ = false;
  std::thread watcher_;
};
