// `vantrel-cli check`: the printer summed up for monitoring systems in the
// plugin convention they all run: one line "TARNLOW STATE - text | perfdata"
// and the exit status 0 OK, 1 WARNING, 2 CRITICAL, 3 UNKNOWN.
#pragma once

#include <string>

#include "cli/printer_session.h"

enum PluginState : int {
  kPluginOk = 0,
  kPluginWarning = 1,
  kPluginCritical = 2,
  kPluginUnknown = 3,
};

// Remaining toner and imaging-cartridge life, in percent, below which the
// check warns or is critical.
struct CheckThresholds {
  double warning = 20;
  double critical = 5;
};

// What check reads from the printer.
ReadParts CheckParts();

struct PluginResult {
  PluginState state = kPluginUnknown;
  std::string line;  // without the line end
};

// The status codes by their severity (warning, error critical) and the
// supplies against the thresholds; the worst decides.
PluginResult CheckPrinter(const PrinterReading& reading, const CheckThresholds& thresholds);

// The line for a check that could not look at the printer.
PluginResult UnknownResult(const std::string& why);
