// The commands that read the printer and print what they read, and what
// each of them reads.
#pragma once

#include "cli/printer_session.h"

enum class ReadingCommand { Status, Supplies, Counters, Config };

enum class OutputFormat { Text, Json, Prometheus, OpenMetrics };

ReadParts PartsFor(ReadingCommand command);
