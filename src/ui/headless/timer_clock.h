// The program's timers on a clock of the test's own: a wait moves the clock
// on and fires each timer every time it falls due, in order, so waiting is
// exact and takes no real time. The headless backend and the scenario
// runner on the Qt and Win32 windows keep their timers so.
#pragma once

#include <algorithm>
#include <vector>

template <typename Window>
class TimerClock {
 public:
  // Starts the window's timer `id` afresh: due `period` from now, then
  // every `period`.
  void Set(Window* window, int id, int period) {
    Kill(window, id);
    timers_.push_back({window, id, period, now_ + period});
  }

  void Kill(const Window* window, int id) {
    std::erase_if(timers_, [&](const Timer& t) { return t.window == window && t.id == id; });
  }

  // Every timer of a window that goes.
  void Forget(const Window* window) {
    std::erase_if(timers_, [&](const Timer& t) { return t.window == window; });
  }

  // Moves the clock on, calling fire(window, id) for each timer as it falls
  // due; what fire does may set, kill or forget timers.
  template <typename Fire>
  void Advance(int milliseconds, Fire fire) {
    const long long target = now_ + milliseconds;
    for (;;) {
      auto next = std::min_element(timers_.begin(), timers_.end(),
                                   [](const Timer& a, const Timer& b) { return a.due < b.due; });
      if (next == timers_.end() || next->due > target) break;
      now_ = next->due;
      next->due += next->period;
      fire(next->window, next->id);
    }
    now_ = target;
  }

 private:
  struct Timer {
    Window* window;
    int id;
    int period;
    long long due;
  };
  std::vector<Timer> timers_;
  long long now_ = 0;
};
