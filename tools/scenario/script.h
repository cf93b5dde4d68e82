// The actions of a scenario in order, each with the line it came from.
#pragma once

#include <deque>
#include <functional>
#include <string>

#include "front_end.h"
#include "ui/headless/transcript.h"

struct Action {
  std::string echo;  // the line as written
  std::function<void(FrontEnd&)> act;
};

class Script {
 public:
  explicit Script(Transcript& transcript) : transcript_(transcript) {}
  void Add(Action action) { actions_.push_back(std::move(action)); }
  bool Done() const { return actions_.empty(); }
  std::size_t Left() const { return actions_.size(); }

  // Writes the next action's line and does it; false when none is left.
  bool PlayNext(FrontEnd& frontEnd) {
    if (actions_.empty()) return false;
    Action action = std::move(actions_.front());
    actions_.pop_front();
    transcript_.Line("> " + action.echo);
    action.act(frontEnd);
    return true;
  }

 private:
  Transcript& transcript_;
  std::deque<Action> actions_;
};
