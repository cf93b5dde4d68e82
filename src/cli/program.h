// vantrel-cli after its platform's start: the arguments as UTF-8, the
// language of its texts chosen; returns the exit status.
#pragma once

int RunProgram(int argc, char** argv, int language);
