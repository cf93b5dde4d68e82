// A window's text as UTF-8.
#pragma once

#include <windows.h>

#include <string>

#include "common/win32/utf16.h"

// A window's text (a control's, or a window's title) as UTF-8.
inline std::string WindowTextOf(HWND window) {
  if (!window) return std::string();
  std::wstring text(GetWindowTextLengthW(window) + 1, L'\0');
  text.resize(GetWindowTextW(window, text.data(), int(text.size())));
  return Utf8(text);
}
