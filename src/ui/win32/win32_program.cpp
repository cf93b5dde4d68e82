#include "ui/win32/win32_program.h"

#include <windows.h>
#include <commctrl.h>

#include "common/language.h"
#include "common/string_table.h"
#include "shell/vantrel.h"
#include "ui/win32/win32_platform.h"

int RunWin32Program() {
  SetTextLanguage(LanguageForWindowsLanguage(GetUserDefaultUILanguage()));
  INITCOMMONCONTROLSEX controls{sizeof controls,
                                ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  Win32Platform platform(GetModuleHandleW(nullptr));
  return RunVantrel(platform);
}
