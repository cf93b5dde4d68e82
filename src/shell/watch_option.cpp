#include "shell/watch_option.h"

#include "shell/printer_watch.h"

namespace {

constexpr char kOption[] = "--watch";

std::string Refusal(const std::string& value) {
  return "--watch takes a number of seconds from " + std::to_string(kWatchShortestSeconds) +
         " to " + std::to_string(kWatchLongestSeconds) + ", not \"" + value + "\"";
}

}  // namespace

WatchOption FindWatchOption(const std::vector<std::string>& arguments) {
  WatchOption option;
  for (const std::string& argument : arguments) {
    if (argument == kOption) {
      option.seconds = kWatchDefaultSeconds;
      continue;
    }
    if (argument.rfind(std::string(kOption) + "=", 0) != 0) continue;
    const std::string value = argument.substr(sizeof kOption);
    // Plain digits only, and few enough that the number cannot overflow.
    const bool digits = !value.empty() && value.size() <= 4 &&
                        value.find_first_not_of("0123456789") == std::string::npos;
    const int seconds = digits ? std::stoi(value) : 0;
    if (seconds < kWatchShortestSeconds || seconds > kWatchLongestSeconds) {
      // Shown to the user: only printable characters of what was typed.
      std::string shown;
      for (char c : value.substr(0, 40)) shown += c >= ' ' && c != 0x7F ? c : '?';
      return {0, Refusal(shown)};
    }
    option.seconds = seconds;
  }
  return option;
}
