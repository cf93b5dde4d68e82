// What a desktop front end keeps of the program's runs and of the actions
// it takes in them, from whichever loop runs: the running program's
// platform, the modal depth each running action was taken at, and when an
// action was last taken. A second instance runs nested in the first one's
// loop, with its own platform and no action running; the first's come back
// when it ends.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "script.h"

// No action taken for this long while the program runs: something modal the
// runner does not know holds the loop, and the run is given up.
inline constexpr int kLongestStallMs = 10000;

// Says so on standard error, naming what was open, and ends the runner.
[[noreturn]] void GiveUpStalled(const std::string& innermost);

template <typename ProgramPlatform>
class ProgramRuns {
 public:
  // The running program's platform; null outside the program's run.
  ProgramPlatform* Running() const { return platform_; }

  // Runs the program (body) on its platform; returns what body returns.
  template <typename Body>
  int Run(ProgramPlatform& platform, Body body) {
    ProgramPlatform* first = std::exchange(platform_, &platform);
    std::vector<std::size_t> running = std::exchange(running_, {});
    ActionTaken();
    programRunning_ = true;
    const int code = body();
    running_ = std::move(running);
    platform_ = first;
    programRunning_ = first != nullptr;
    return code;
  }

  // An action still running at this depth takes its next turn when done;
  // one that opened a modal thing lets that thing's loop take the next.
  bool ActionRunning(std::size_t modalDepth) const {
    return !running_.empty() && modalDepth <= running_.back();
  }

  // Runs work as an action at this depth: meanwhile the loops it runs take
  // no action.
  template <typename Work>
  void AsAction(std::size_t modalDepth, Work work) {
    running_.push_back(modalDepth);
    work();
    running_.pop_back();
  }

  // Takes the script's next action at this depth.
  void PlayNext(Script& script, FrontEnd& frontEnd, std::size_t modalDepth) {
    AsAction(modalDepth, [&] {
      ActionTaken();
      script.PlayNext(frontEnd);
    });
    ActionTaken();
  }

  void ActionTaken() { lastActionMs_ = NowMs(); }

  // No action taken for too long while the program runs; asked from any
  // thread (the program's may be stuck in a read that never returns).
  bool Stalled() const { return programRunning_ && NowMs() - lastActionMs_ >= kLongestStallMs; }

 private:
  static long long NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  }

  ProgramPlatform* platform_ = nullptr;
  std::vector<std::size_t> running_;
  std::atomic<long long> lastActionMs_{NowMs()};
  std::atomic<bool> programRunning_{false};
};
