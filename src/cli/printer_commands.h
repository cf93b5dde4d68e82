// The commands that change the printer: the panel's operator commands and
// its default settings. Each asks first (unless --yes) and tells what the
// printer answered.
#pragma once

#include <string>

#include "cli/arguments.h"

// Runs the command; returns the text to print on success, CliFailure else.
std::string RunPrinterCommand(const Arguments& arguments);
