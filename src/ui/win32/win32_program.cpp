#include "ui/win32/win32_program.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "common/language.h"
#include "common/string_table.h"
#include "common/win32/utf16.h"
#include "device/device_backend.h"
#include "shell/vantrel.h"
#include "shell/watch_option.h"
#include "ui/win32/win32_platform.h"

namespace {

// The program's arguments, without its name, as UTF-8.
std::vector<std::string> ProgramArguments() {
  std::vector<std::string> arguments;
  int count = 0;
  if (LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count)) {
    for (int i = 1; i < count; ++i) arguments.push_back(Utf8(words[i]));
    LocalFree(words);
  }
  return arguments;
}

}  // namespace

int RunWin32Program(const DeviceBackend& backend) {
  const WatchOption watch = FindWatchOption(ProgramArguments());
  if (!watch.error.empty()) {
    // A program without a console says it in a box.
    MessageBoxW(nullptr, Wide("vantrel: " + watch.error).c_str(), L"", MB_OK | MB_ICONERROR);
    return 2;
  }
  SetTextLanguage(LanguageForWindowsLanguage(GetUserDefaultUILanguage()));
  INITCOMMONCONTROLSEX controls{sizeof controls,
                                ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  Win32Platform platform(GetModuleHandleW(nullptr));
  int code = 0;
  {
    DeviceLink link(backend);
    code = RunVantrel(platform, link, StartKind::ByUser, watch.seconds);
  }
  ReleaseDeviceBackend(backend);
  return code;
}
