// One run's session with the printer: the link opened once, the reads a
// command needs, every failure turned into its exit status.
#pragma once

#include <optional>
#include <string>

#include "cli/exit_status.h"
#include "device/device_link.h"
#include "printer/printer_requests.h"
#include "printer/printer_state.h"

// Which parts of the printer a command reads.
struct ReadParts {
  bool status = false;
  bool supplies = false;    // information page 1
  bool counters = false;    // information page 2 and the counter records
  bool machine = false;     // information page 3
  bool adjustment = false;  // information page 4
  bool energySave = false;  // the energy-save switch the configuration shows
};

// What was read: the page and counter blocks (released with it) and the
// status list.
class PrinterReading {
 public:
  PrinterReading() = default;
  ~PrinterReading();
  PrinterReading(const PrinterReading&) = delete;
  PrinterReading& operator=(const PrinterReading&) = delete;

  PrinterState printer;
  std::string serial;  // the printer's serial number; empty when unknown
};

class PrinterSession {
 public:
  // Opens a link to `printer`, or with none to the first printer the link
  // finds; CliFailure when it cannot (no printer, or no permission).
  explicit PrinterSession(const std::optional<PresentPrinter>& printer = std::nullopt);
  PrinterSession(const PrinterSession&) = delete;
  PrinterSession& operator=(const PrinterSession&) = delete;

  DeviceLink& Link() { return link_; }

  // Reads the parts into `reading`; CliFailure when a read fails or a page
  // is not the one asked for.
  void Read(const ReadParts& parts, PrinterReading& reading);

 private:
  DeviceLink link_;  // closed with the session
  std::string serial_;
};

// The one mapping from a failure on the link to the command line's exit
// status and message; chosen: the printer asked for, for people ("the
// printer at 1:2"), empty for the first one found.
CliFailure CliFailureOf(const LinkError& error, const std::string& chosen = "");

// CliFailure unless the printer acknowledged the command `what`.
void RequireAcknowledged(const CommandResult& result, const char* what);
