#include "cli/reading_command.h"

#include <string>
#include <vector>

#include "cli/exit_status.h"
#include "cli/printer_values.h"

ReadParts PartsFor(ReadingCommand command) {
  ReadParts parts;
  switch (command) {
    case ReadingCommand::Status: parts.status = true; break;
    case ReadingCommand::Supplies: parts.supplies = true; break;
    case ReadingCommand::Counters: parts.counters = true; break;
    case ReadingCommand::Config: parts = {true, true, true, true, true, true}; break;
  }
  return parts;
}

void RequireShownValues(ReadingCommand command, const PrinterState& printer) {
  std::vector<std::string> missing;
  if (command == ReadingCommand::Supplies || command == ReadingCommand::Config)
    missing = MissingSupplyValues(printer);
  if (command == ReadingCommand::Counters || command == ReadingCommand::Config)
    for (const std::string& name : MissingCounterValues(printer)) missing.push_back(name);
  if (missing.empty()) return;
  std::string names;
  for (const std::string& name : missing) names += (names.empty() ? "" : ", ") + name;
  throw CliFailure(kExitRefused, "the printer's pages lack " + names);
}
