// The reading commands' output for Prometheus, in the two text formats:
// the Prometheus text format (0.0.4) that the node exporter's textfile
// collector reads, and OpenMetrics 1.0 (ending in "# EOF") for scrapers that
// speak it. The families are the same in both; every printer's samples
// carry its serial number. Every command gives vantrel_up; the rest by
// command, so that one file never repeats a family.
#pragma once

#include <span>
#include <string>

#include "cli/printer_session.h"
#include "cli/reading_command.h"

enum class MetricsFormat { Prometheus, OpenMetrics };

// One printer: its serial number and what was read from it, nullptr when it
// could not be read (then only its vantrel_up, 0).
struct PrinterMetrics {
  std::string serial;
  const PrinterReading* reading;
};

std::string MetricsOutput(ReadingCommand command, std::span<const PrinterMetrics> printers,
                          MetricsFormat format);
