#include "cli/plugin_range.h"

#include <cmath>

#include "cli/printer_values.h"

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// A percent, 0 to 100, as a script writes it: digits, at most one point
// with digits on both sides; no sign, no blank.
std::optional<double> Percent(const std::string& text) {
  const std::size_t point = text.find('.');
  auto digits = [](const std::string& part) {
    return !part.empty() && part.size() <= 9 &&
           part.find_first_not_of("0123456789") == std::string::npos;
  };
  if (!digits(text.substr(0, point))) return std::nullopt;
  if (point != std::string::npos && !digits(text.substr(point + 1))) return std::nullopt;
  const std::optional<double> value = NumberOf(text.c_str());
  if (!value || *value > 100) return std::nullopt;
  return value;
}

}  // namespace

bool PluginRange::Alerts(double value) const {
  const bool within = value >= start && value <= end;
  return inside ? within : !within;
}

std::string PluginRange::Text() const {
  std::string text = inside ? "@" : "";
  text += start == -kInfinity ? "~" : NumberText(start);
  text += ":";
  if (end != kInfinity) text += NumberText(end);
  return text;
}

std::optional<PluginRange> ParsePluginRange(const std::string& text) {
  PluginRange range;
  std::string rest = text;
  if (!rest.empty() && rest[0] == '@') {
    range.inside = true;
    rest.erase(0, 1);
  }
  const std::size_t colon = rest.find(':');
  const std::string start = rest.substr(0, colon);
  if (start == "~" && colon != std::string::npos) {
    range.start = -kInfinity;
  } else {
    const std::optional<double> value = Percent(start);
    if (!value) return std::nullopt;
    range.start = *value;
  }
  if (colon != std::string::npos && colon + 1 < rest.size()) {
    const std::optional<double> end = Percent(rest.substr(colon + 1));
    if (!end || *end < range.start) return std::nullopt;
    range.end = *end;
  }
  return range;
}
