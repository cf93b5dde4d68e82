// The reading commands' output for Prometheus: OpenMetrics 1.0 text that
// ends in "# EOF" (the node exporter's textfile collector reads it too).
// Every command gives vantrel_up; the rest by command, so that one file
// never repeats a family.
#pragma once

#include <string>

#include "cli/printer_session.h"
#include "cli/reading_command.h"

std::string OpenMetricsOutput(ReadingCommand command, const PrinterReading& reading);

// status --watch's exposition for a printer it cannot read now: vantrel_up 0.
std::string OpenMetricsUnreadable();
