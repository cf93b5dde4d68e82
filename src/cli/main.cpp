// vantrel-cli's start on Linux and macOS: the language the locale names.
#include "cli/program.h"
#include "common/language.h"

int main(int argc, char** argv) { return RunProgram(argc, argv, LanguageForEnvironment()); }
