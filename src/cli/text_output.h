// The reading commands' output for people: the texts the panel and the
// configuration window show, in the user's language.
#pragma once

#include <string>

#include "cli/printer_session.h"
#include "cli/reading_command.h"

// The panel's lines for the status list, one line each; a code the panel
// has no message for shows nothing.
std::string StatusText(const StatusList& status);

std::string TextOutput(ReadingCommand command, const PrinterReading& reading);

// status --watch's line for a printer it cannot read now (gone, or not
// answering): the reason in brackets, which no panel line has.
std::string TextUnreadable(const std::string& reason);
