// The commands that read the printer and print what they read, and what
// each of them reads.
#pragma once

#include "cli/printer_session.h"

enum class ReadingCommand { Status, Supplies, Counters, Config };

enum class OutputFormat { Text, Json, Prometheus, OpenMetrics };

ReadParts PartsFor(ReadingCommand command);

// CliFailure (the printer refused, 3) when the reading lacks a value the
// command is about: a supply's state or remaining percent (supplies,
// config), the faces or sheets printed (counters, config). Never a blank
// shown as if it were a value.
void RequireShownValues(ReadingCommand command, const PrinterState& printer);
