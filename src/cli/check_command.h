// `vantrel-cli check`: the printer summed up for monitoring systems in the
// plugin convention they all run: one line "TARNLOW STATE - text | perfdata"
// and the exit status 0 OK, 1 WARNING, 2 CRITICAL, 3 UNKNOWN.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "cli/plugin_range.h"
#include "cli/printer_session.h"

enum PluginState : int {
  kPluginOk = 0,
  kPluginWarning = 1,
  kPluginCritical = 2,
  kPluginUnknown = 3,
};

// Remaining toner and imaging-cartridge life, in percent: the ranges
// outside which (or with "@" inside which) the check warns or is critical.
struct CheckThresholds {
  PluginRange warning{20};
  PluginRange critical{5};
};

// What check reads from the printer.
ReadParts CheckParts();

struct PluginResult {
  PluginState state = kPluginUnknown;
  std::string line;  // its lines, without the last line end
};

// One printer's verdict: its state, what needs someone ("ready" when
// nothing does) and its perfdata items, each after a blank.
struct PrinterVerdict {
  PluginState state = kPluginUnknown;
  std::string text;
  std::string perfdata;
};

// The status codes and the supplies by their severity
// (docs/status-severity.md: warning WARNING, error CRITICAL) and the
// supplies' percent against the thresholds; the worst decides. UNKNOWN
// naming the values the printer did not send. `label` goes before each
// perfdata label.
PrinterVerdict JudgePrinter(const PrinterReading& reading, const CheckThresholds& thresholds,
                            const std::string& label = "");
// A printer that could not be looked at: UNKNOWN with the reason.
PrinterVerdict UnknownVerdict(const std::string& why);

// The one line for one printer.
PluginResult SinglePrinterResult(const PrinterVerdict& verdict);
PluginResult CheckPrinter(const PrinterReading& reading, const CheckThresholds& thresholds);
PluginResult UnknownResult(const std::string& why);

// Several printers, by name: the worst state (CRITICAL, WARNING, UNKNOWN,
// OK in that order) on the first line with every printer's state and
// perfdata, then a line for each printer.
PluginResult SeveralPrintersResult(
    const std::vector<std::pair<std::string, PrinterVerdict>>& printers);
