#include "ui/win32/win32_start.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "common/language.h"
#include "common/string_table.h"
#include "common/win32/utf16.h"
#include "string_ids.h"

std::vector<std::string> Win32ProgramArguments() {
  std::vector<std::string> arguments;
  int count = 0;
  if (LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count)) {
    for (int i = 1; i < count; ++i) arguments.push_back(Utf8(words[i]));
    LocalFree(words);
  }
  return arguments;
}

void StartWin32Toolkit() {
  SetTextLanguage(LanguageForWindowsLanguage(GetUserDefaultUILanguage()));
  INITCOMMONCONTROLSEX controls{sizeof controls,
                                ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
}

void ShowProgramMessage(const std::string& text, ProgramMessageKind kind) {
  const UINT icon = kind == ProgramMessageKind::Error ? MB_ICONERROR : MB_ICONINFORMATION;
  MessageBoxW(nullptr, Wide(text).c_str(), Wide(TextOrEmpty(kTextProgramName)).c_str(),
              MB_OK | icon);
}
