// The reading commands' output for Prometheus, in the two text formats:
// the Prometheus text format (0.0.4) that the node exporter's textfile
// collector reads, and OpenMetrics 1.0 (ending in "# EOF") for scrapers that
// speak it. The families are the same in both; every printer's samples
// carry its serial number, and its location too where the serial number
// does not tell it apart (none, or one shared with another printer present),
// so that no two samples are the same series. Every command gives
// vantrel_up; the rest by command, so that one file never repeats a family.
#pragma once

#include <set>
#include <span>
#include <string>

#include "cli/printer_session.h"
#include "cli/reading_command.h"

enum class MetricsFormat { Prometheus, OpenMetrics };

// One printer: its serial number, its location and what was read from it,
// nullptr when it could not be read (then only its vantrel_up, 0). A gone
// printer is one seen by an earlier run and missing now: its vantrel_up, 0,
// carries the location it was last seen at.
struct PrinterMetrics {
  std::string serial;
  std::string location;  // as `list` shows it; empty where the platform gives none
  const PrinterReading* reading;
  bool gone = false;
};

// Without any printer, vantrel_up 0 alone, without labels.
std::string MetricsOutput(ReadingCommand command, std::span<const PrinterMetrics> printers,
                          MetricsFormat format);

// The serial numbers that more than one printer present gives (an empty one
// included): their samples carry the location.
std::set<std::string> SharedSerials(std::span<const PrinterMetrics> printers);
