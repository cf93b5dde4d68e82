// The system's own words for an error code (GetLastError), as UTF-8 and
// without the final full stop and line break; "error N" when it has none.
#pragma once

#include <windows.h>

#include <string>

#include "common/win32/utf16.h"

inline std::string SystemErrorText(DWORD code) {
  wchar_t* text = nullptr;
  std::string words = "error " + std::to_string(code);
  if (FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                         FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, code, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr) &&
      text) {
    std::wstring said(text);
    LocalFree(text);
    while (!said.empty() && (said.back() == L'\n' || said.back() == L'\r' || said.back() == L' ' ||
                             said.back() == L'.'))
      said.pop_back();
    if (!said.empty()) words = Utf8(said);
  }
  return words;
}
