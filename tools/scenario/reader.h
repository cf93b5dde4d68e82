// Reads a scenario (docs/scenarios.md): each line becomes an action of the
// script, played later by a front end. Nothing is played while reading.
#pragma once

#include <istream>
#include <string>

#include "printer_commands.h"
#include "script.h"
#include "ui/headless/transcript.h"

// Adds every line's action to the script. Returns "FILE:LINE: message" for
// the first line that makes no sense (file: the name to give), else "".
std::string ReadScenario(std::istream& in, const std::string& file, Script& script,
                         PrinterCommands& printer, Transcript& transcript);
