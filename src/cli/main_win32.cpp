// vantrel-cli's start on Windows: the wide command line as UTF-8, so a file
// name outside the ANSI code page reaches the export as typed; the console
// showing the UTF-8 texts; the user's UI language unless the environment
// names a locale.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "cli/program.h"
#include "common/language.h"
#include "common/win32/utf16.h"

namespace {

bool EnvironmentNamesLocale() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
    if (const char* value = std::getenv(name); value && *value) return true;
  return false;
}

}  // namespace

int wmain(int argc, wchar_t** wideArgv) {
  // Line ends as on every other system: LF, not CR LF.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  std::vector<std::string> arguments;
  arguments.reserve(argc);
  for (int i = 0; i < argc; ++i) arguments.push_back(Utf8(wideArgv[i]));
  std::vector<char*> argv;
  argv.reserve(arguments.size() + 1);
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  const int language = EnvironmentNamesLocale()
                           ? LanguageForEnvironment()
                           : LanguageForWindowsLanguage(GetUserDefaultUILanguage());
  // The console shows UTF-8 for this run only; the shell gets its own back.
  const UINT consoleCodePage = GetConsoleOutputCP();
  if (consoleCodePage != 0) SetConsoleOutputCP(CP_UTF8);
  const int status = RunProgram(argc, argv.data(), language);
  if (consoleCodePage != 0) SetConsoleOutputCP(consoleCodePage);
  return status;
}
