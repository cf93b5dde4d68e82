// Asking on the terminal before a command changes the printer.
#pragma once

#include <string>

// CliFailure (bad usage) when the answer cannot be asked for: standard
// input is no terminal and --yes was not given. Nothing has been sent then.
void RequireWayToConfirm(bool yes);

// Unless `yes`, asks "Send WHAT? [y/N]" and reads the answer; CliFailure
// (declined) unless it is yes.
void Confirm(bool yes, const std::string& what);
