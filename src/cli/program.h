// vantrel-cli after its platform's start: the arguments as UTF-8, the
// language of its texts chosen; returns the exit status.
#pragma once

#include <string>

// How the platform turns the text output (UTF-8) into what its terminal
// reads; nullptr keeps it UTF-8.
using TerminalEncoding = std::string (*)(const std::string& utf8);

int RunProgram(int argc, char** argv, int language, TerminalEncoding encoding = nullptr);
