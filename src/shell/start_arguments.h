// The program's command line: --at-login (the session's autostart entry),
// --watch[=SECONDS] (the status watch),
// --help and --version, which are answered without any window or display,
// and the toolkit's own options, left to it. Anything else is refused.
#pragma once

#include <string>
#include <vector>

#include "shell/vantrel.h"

// An option the toolkit reads itself (Qt's "-platform NAME", say).
struct ToolkitOption {
  const char* name;
  bool takesValue;  // the next argument is its value
};

struct StartArguments {
  enum class Action { Run, Help, Version, Refuse } action = Action::Run;
  StartKind start = StartKind::ByUser;
  int watchSeconds = 0;  // --watch[=SECONDS]; 0: no watch
  std::string refusal;   // what was wrong, for Refuse
};

// arguments: the command line without the program's name.
StartArguments ReadStartArguments(const std::vector<std::string>& arguments,
                                  const std::vector<ToolkitOption>& toolkitOptions);

// Answers Help and Version on standard output and a refusal on standard
// error; returns the exit status (0, or 2 for a refusal).
int AnswerWithoutRunning(const StartArguments& arguments);
