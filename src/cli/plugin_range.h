// A threshold of check in the monitoring plugins' range syntax, on a
// percent: "20:" alerts below 20, "~:10" above 10, "10:20" outside 10..20,
// "@10:20" inside it. A plain number keeps what it always meant here:
// "20" alerts below 20, as "20:" does (and "@20" as "@20:").
#pragma once

#include <limits>
#include <optional>
#include <string>

struct PluginRange {
  double start = 0;  // -infinity for "~"
  double end = std::numeric_limits<double>::infinity();
  bool inside = false;  // "@": alert inside the range, else outside it

  bool Alerts(double value) const;
  // As the perfdata writes it: "20:", "~:10", "@10:20".
  std::string Text() const;
};

// Nothing for a text that is no range of percents (0 to 100, digits with
// at most one point; start not above end).
std::optional<PluginRange> ParsePluginRange(const std::string& text);
