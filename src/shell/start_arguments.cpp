#include "shell/start_arguments.h"

#include <cstdio>

#include "shell/watch_option.h"

#ifndef VANTREL_VERSION
#define VANTREL_VERSION "unknown"
#endif

namespace {

constexpr int kExitBadUsage = 2;

constexpr char kUsage[] =
    "Usage: vantrel [--at-login] [--watch[=SECONDS]]\n"
    "The Tarnlow printer's operator panel: an icon in the notification area,\n"
    "its window opened from the icon.\n"
    "\n"
    "  --at-login  started by the session at login: without a notification\n"
    "              area, wait ten seconds for one and end quietly if none comes\n"
    "  --watch[=SECONDS]\n"
    "              read the printer's status every SECONDS (10 to 3600, 60\n"
    "              without a value) and show it in the icon and notifications\n"
    "  --help      show this help and exit\n"
    "  --version   show the version and exit\n";

StartArguments Refused(std::string why) {
  StartArguments refused;
  refused.action = StartArguments::Action::Refuse;
  refused.refusal = std::move(why);
  return refused;
}

const ToolkitOption* FindToolkitOption(const std::vector<ToolkitOption>& options,
                                       const std::string& name) {
  for (const ToolkitOption& option : options)
    if (name == option.name) return &option;
  return nullptr;
}

}  // namespace

StartArguments ReadStartArguments(const std::vector<std::string>& arguments,
                                  const std::vector<ToolkitOption>& toolkitOptions) {
  StartArguments read;
  bool help = false, version = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const std::size_t equals = argument.find('=');
    const std::string name = argument.substr(0, equals);
    const bool hasValue = equals != std::string::npos;
    if (name == "--help" || name == "--version" || name == "--at-login") {
      if (hasValue) return Refused("option '" + name + "' takes no value");
      if (name == "--help")
        help = true;
      else if (name == "--version")
        version = true;
      else
        read.start = StartKind::AtLogin;
    } else if (name == "--watch") {
      const WatchOption watch = FindWatchOption({argument});
      if (!watch.error.empty()) return Refused(watch.error);
      read.watchSeconds = watch.seconds;
    } else if (const ToolkitOption* option = FindToolkitOption(toolkitOptions, argument)) {
      if (option->takesValue && ++i == arguments.size())
        return Refused("option '" + argument + "' needs a value");
    } else if (!argument.empty() && argument[0] == '-') {
      return Refused("unknown option '" + argument + "'");
    } else {
      return Refused("unexpected argument '" + argument + "'");
    }
  }
  if (help)
    read.action = StartArguments::Action::Help;
  else if (version)
    read.action = StartArguments::Action::Version;
  return read;
}

int AnswerWithoutRunning(const StartArguments& arguments) {
  switch (arguments.action) {
    case StartArguments::Action::Help: std::fputs(kUsage, stdout); return 0;
    case StartArguments::Action::Version: std::puts("vantrel " VANTREL_VERSION); return 0;
    case StartArguments::Action::Refuse:
      std::fprintf(stderr, "vantrel: %s\nRun 'vantrel --help' for the usage.\n",
                   arguments.refusal.c_str());
      return kExitBadUsage;
    case StartArguments::Action::Run: break;
  }
  return 0;
}
