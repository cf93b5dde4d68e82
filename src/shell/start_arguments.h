// The program's command line: --at-login (the session's autostart entry),
// --watch[=SECONDS] (the status watch), --show and --quit (what a start
// asks of a running instance),
// --help and --version, which are answered without any window or display,
// and the toolkit's own options, left to it. Anything else is refused.
// Both programs read it here; each answers in its own way (a terminal's
// streams on Linux, a message box on Windows).
#pragma once

#include <string>
#include <vector>

#include "shell/vantrel.h"

// An option the toolkit reads itself (Qt's "-platform NAME", say).
struct ToolkitOption {
  const char* name;
  bool takesValue;  // the next argument is its value
};

// Why a command line was refused, with the argument it names.
enum class Refusal {
  None,
  UnknownOption,       // an option no one knows
  UnexpectedArgument,  // not an option at all
  TakesNoValue,        // --help=..., --version=..., --at-login=...
  NeedsValue,          // a toolkit option last, without its value
  WatchPeriod,         // --watch=SECONDS out of range or not a number
  Exclusive,           // --show and --quit together
};

struct StartArguments {
  enum class Action { Run, Help, Version, Refuse } action = Action::Run;
  StartKind start = StartKind::ByUser;
  int watchSeconds = 0;                      // --watch[=SECONDS]; 0: no watch
  StartRequest request = StartRequest::Run;  // --show, --quit
  Refusal refusal = Refusal::None;
  // What the refusal names: the option as typed (its name without the
  // value for TakesNoValue), or the printable part of a refused period.
  std::string refused;
};

// arguments: the command line without the program's name.
StartArguments ReadStartArguments(const std::vector<std::string>& arguments,
                                  const std::vector<ToolkitOption>& toolkitOptions);

// The usage, the version line and the reason of a refusal as a terminal
// shows them, in English (the Linux program's fixed texts).
const char* UsageText();
std::string VersionText();
std::string RefusalInEnglish(const StartArguments& arguments);
// The reason of a refusal in the string table's current language, with a
// line on how to see the usage: the Windows program's message.
std::string RefusalInTextLanguage(const StartArguments& arguments);

// Answers Help and Version on standard output and a refusal on standard
// error; returns the exit status (0, or kExitBadUsage for a refusal).
int AnswerWithoutRunning(const StartArguments& arguments);

// What --quit says on a terminal when no instance is running.
const char* NotRunningInEnglish();

inline constexpr int kExitBadUsage = 2;
