#include "shell/start_arguments.h"

#include <cstdio>

#include "common/string_table.h"
#include "shell/printer_watch.h"
#include "string_ids.h"

#ifndef VANTREL_VERSION
#define VANTREL_VERSION "unknown"
#endif

namespace {

constexpr char kUsage[] =
    "Usage: vantrel [--at-login] [--watch[=SECONDS]] [--show | --quit]\n"
    "The Tarnlow printer's operator panel: an icon in the notification area,\n"
    "its window opened from the icon.\n"
    "\n"
    "  --at-login  started by the session at login: without a notification\n"
    "              area, wait ten seconds for one and end quietly if none comes\n"
    "  --watch[=SECONDS]\n"
    "              read the printer's status every SECONDS (10 to 3600, 60\n"
    "              without a value) and show it in the icon and notifications;\n"
    "              without a notification area the program then stays when\n"
    "              its window closes\n"
    "  --show      open the running instance's window; with none running, start\n"
    "              as at login and open the window\n"
    "  --quit      end the running instance (status 1 when none is running)\n"
    "  --help      show this help and exit\n"
    "  --version   show the version and exit\n";

constexpr char kWatchOption[] = "--watch";
constexpr char kShowOption[] = "--show";
constexpr char kQuitOption[] = "--quit";

StartArguments Refused(Refusal why, std::string what) {
  StartArguments refused;
  refused.action = StartArguments::Action::Refuse;
  refused.refusal = why;
  refused.refused = std::move(what);
  return refused;
}

const ToolkitOption* FindToolkitOption(const std::vector<ToolkitOption>& options,
                                       const std::string& name) {
  for (const ToolkitOption& option : options)
    if (name == option.name) return &option;
  return nullptr;
}

// --watch alone (the default period) or --watch=SECONDS within the watch's
// range; 0 for anything else.
int WatchSeconds(const std::string& argument) {
  if (argument == kWatchOption) return kWatchDefaultSeconds;
  const std::string value = argument.substr(sizeof kWatchOption);
  // Plain digits only, and few enough that the number cannot overflow.
  const bool digits = !value.empty() && value.size() <= 4 &&
                      value.find_first_not_of("0123456789") == std::string::npos;
  const int seconds = digits ? std::stoi(value) : 0;
  return seconds >= kWatchShortestSeconds && seconds <= kWatchLongestSeconds ? seconds : 0;
}

// Shown to the user: only printable characters of what was typed.
std::string Printable(const std::string& typed) {
  std::string shown;
  for (char c : typed.substr(0, 40)) shown += c >= ' ' && c != 0x7F ? c : '?';
  return shown;
}

// A text of the table with %1, %2... replaced by the values, in order.
std::string Filled(int stringId, const std::vector<std::string>& values) {
  std::string text = TextOrEmpty(stringId);
  for (std::size_t i = 0; i < values.size(); ++i) {
    const std::string mark = "%" + std::to_string(i + 1);
    if (const std::size_t at = text.find(mark); at != std::string::npos)
      text.replace(at, mark.size(), values[i]);
  }
  return text;
}

}  // namespace

StartArguments ReadStartArguments(const std::vector<std::string>& arguments,
                                  const std::vector<ToolkitOption>& toolkitOptions) {
  StartArguments read;
  bool help = false, version = false, show = false, quit = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const std::size_t equals = argument.find('=');
    const std::string name = argument.substr(0, equals);
    const bool hasValue = equals != std::string::npos;
    if (name == "--help" || name == "--version" || name == "--at-login" || name == kShowOption ||
        name == kQuitOption) {
      if (hasValue) return Refused(Refusal::TakesNoValue, name);
      if (name == "--help")
        help = true;
      else if (name == "--version")
        version = true;
      else if (name == "--at-login")
        read.start = StartKind::AtLogin;
      else if (name == kShowOption)
        show = true;
      else
        quit = true;
    } else if (name == kWatchOption) {
      read.watchSeconds = WatchSeconds(argument);
      if (read.watchSeconds == 0)
        return Refused(Refusal::WatchPeriod, Printable(argument.substr(sizeof kWatchOption)));
    } else if (const ToolkitOption* option = FindToolkitOption(toolkitOptions, argument)) {
      if (option->takesValue && ++i == arguments.size())
        return Refused(Refusal::NeedsValue, argument);
    } else if (!argument.empty() && argument[0] == '-') {
      return Refused(Refusal::UnknownOption, argument);
    } else {
      return Refused(Refusal::UnexpectedArgument, argument);
    }
  }
  // One running instance cannot both open its window and end.
  if (show && quit) return Refused(Refusal::Exclusive, kShowOption);
  read.request = quit ? StartRequest::Quit : show ? StartRequest::Show : StartRequest::Run;
  if (help)
    read.action = StartArguments::Action::Help;
  else if (version)
    read.action = StartArguments::Action::Version;
  return read;
}

const char* UsageText() { return kUsage; }

std::string VersionText() { return "vantrel " VANTREL_VERSION; }

std::string RefusalInEnglish(const StartArguments& arguments) {
  const std::string& what = arguments.refused;
  switch (arguments.refusal) {
    case Refusal::UnknownOption: return "unknown option '" + what + "'";
    case Refusal::UnexpectedArgument: return "unexpected argument '" + what + "'";
    case Refusal::TakesNoValue: return "option '" + what + "' takes no value";
    case Refusal::NeedsValue: return "option '" + what + "' needs a value";
    case Refusal::WatchPeriod:
      return "--watch takes a number of seconds from " + std::to_string(kWatchShortestSeconds) +
             " to " + std::to_string(kWatchLongestSeconds) + ", not \"" + what + "\"";
    case Refusal::Exclusive: return "options '--show' and '--quit' exclude each other";
    case Refusal::None: break;
  }
  return "";
}

std::string RefusalInTextLanguage(const StartArguments& arguments) {
  const std::string& what = arguments.refused;
  std::string reason;
  switch (arguments.refusal) {
    case Refusal::UnknownOption:
    case Refusal::UnexpectedArgument: reason = Filled(kTextUnknownArgument, {what}); break;
    case Refusal::TakesNoValue: reason = Filled(kTextOptionTakesNoValue, {what}); break;
    case Refusal::NeedsValue: reason = Filled(kTextOptionNeedsValue, {what}); break;
    case Refusal::WatchPeriod:
      reason = Filled(kTextWatchPeriodRefused, {std::to_string(kWatchShortestSeconds),
                                                std::to_string(kWatchLongestSeconds), what});
      break;
    case Refusal::Exclusive:
      reason = Filled(kTextOptionsExclusive, {kShowOption, kQuitOption});
      break;
    case Refusal::None: return "";
  }
  return reason + "\n" + TextOrEmpty(kTextSeeUsage);
}

const char* NotRunningInEnglish() { return "vantrel: no instance is running"; }

int AnswerWithoutRunning(const StartArguments& arguments) {
  switch (arguments.action) {
    case StartArguments::Action::Help: std::fputs(kUsage, stdout); return 0;
    case StartArguments::Action::Version: std::puts(VersionText().c_str()); return 0;
    case StartArguments::Action::Refuse:
      std::fprintf(stderr, "vantrel: %s\nRun 'vantrel --help' for the usage.\n",
                   RefusalInEnglish(arguments).c_str());
      return kExitBadUsage;
    case StartArguments::Action::Run: break;
  }
  return 0;
}
