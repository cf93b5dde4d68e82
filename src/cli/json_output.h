// The reading commands' output for programs: one JSON object per run, as
// docs/cli.schema.json describes it.
#pragma once

#include <string>

#include <vector>

#include "cli/printer_session.h"
#include "cli/reading_command.h"

inline constexpr int kJsonSchemaVersion = 1;

// `compact`: the object on one line (one line per change when watching).
std::string JsonOutput(ReadingCommand command, const PrinterReading& reading, bool compact);

// status --watch's object, on one line, for a printer it cannot read now:
// "error" with the reason in place of "status".
std::string JsonUnreadable(const std::string& reason);

// list's object: every printer present with its location, serial number
// and access ("can_be_opened", "no_permission", "cannot_be_opened").
std::string JsonPrinterList(const std::vector<PresentPrinter>& printers);
