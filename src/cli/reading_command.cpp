#include "cli/reading_command.h"

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
