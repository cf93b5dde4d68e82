// The modal loops a backend runs for the program (message boxes, the save
// prompt, modal dialogs), counted, and the actions that must wait until
// they have all returned: destroying the main window and quitting, on Exit
// with modal windows open. Asking for such an action ends the loops first,
// innermost out, so no loop sees its window vanish beneath it.
#pragma once

#include <functional>
#include <utility>
#include <vector>

class ModalLoops {
 public:
  // endAll: asks every running loop to end, innermost first.
  explicit ModalLoops(std::function<void()> endAll) : endAll_(std::move(endAll)) {}

  bool Running() const { return depth_ > 0; }
  // From the first waiting action until the last loop has returned; nothing
  // new is asked of the user meanwhile.
  bool Closing() const { return closing_; }

  void After(std::function<void()> action) {
    waiting_.push_back(std::move(action));
    if (closing_) return;
    closing_ = true;
    endAll_();
  }

  // Held while one loop runs; the end of the last one runs what waits.
  class Loop {
   public:
    explicit Loop(ModalLoops& loops) : loops_(loops) { ++loops_.depth_; }
    ~Loop() {
      if (--loops_.depth_ > 0 || loops_.waiting_.empty()) return;
      auto actions = std::move(loops_.waiting_);
      loops_.waiting_.clear();
      loops_.closing_ = false;
      for (auto& action : actions) action();
    }
    Loop(const Loop&) = delete;
    Loop& operator=(const Loop&) = delete;

   private:
    ModalLoops& loops_;
  };

 private:
  std::function<void()> endAll_;
  int depth_ = 0;
  bool closing_ = false;
  std::vector<std::function<void()>> waiting_;
};
