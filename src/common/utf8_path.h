// File names are UTF-8 throughout the program. The system takes them as a
// std::filesystem::path made from UTF-8, which on Windows holds UTF-16 and
// so reaches the wide file functions: a narrow std::string would be read
// in the ANSI code page there.
#pragma once

#include <filesystem>
#include <string>

inline std::filesystem::path PathFromUtf8(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8FromPath(const std::filesystem::path& path) {
  const std::u8string utf8 = path.u8string();
  return std::string(utf8.begin(), utf8.end());
}
