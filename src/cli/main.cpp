// vantrel-cli's start on Linux and macOS: the language the locale names,
// text output in the locale's character set.
#include "cli/locale_charset_posix.h"
#include "cli/program.h"
#include "common/language.h"

int main(int argc, char** argv) {
  return RunProgram(argc, argv, LanguageForEnvironment(), InLocaleCharset);
}
