// The program's texts are UTF-8; Windows takes UTF-16 through its wide (W)
// functions, and older formats text in a code page.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

inline std::wstring Wide(std::string_view text) {
  if (text.empty()) return {};
  const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(std::size_t(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), length);
  return wide;
}

// A character the code page lacks becomes what the system puts for it.
inline std::string Narrow(std::wstring_view wide, UINT codePage) {
  if (wide.empty()) return {};
  const int length =
      WideCharToMultiByte(codePage, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string text(std::size_t(length), '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), int(wide.size()), text.data(), length, nullptr,
                      nullptr);
  return text;
}

// A lone surrogate becomes U+FFFD.
inline std::string Utf8(std::wstring_view wide) { return Narrow(wide, CP_UTF8); }
