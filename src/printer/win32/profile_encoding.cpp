// The export's text in the system's ANSI code page, as Windows' profile
// writer stores text.
#include "printer/profile_encoding.h"

#include <cstddef>

#include "common/utf8.h"
#include "common/win32/utf16.h"

std::string ToProfileEncoding(const std::string& utf8) {
  std::string out;
  std::size_t at = 0;
  while (at < utf8.size()) {
    // Runs of UTF-8 are converted; any other byte goes through as it is.
    std::size_t end = at;
    while (end < utf8.size()) {
      const Utf8Sequence sequence = DecodeUtf8(utf8, end);
      if (!sequence.wellFormed) break;
      end += sequence.length;
    }
    out += Narrow(Wide(std::string_view(utf8).substr(at, end - at)), CP_ACP);
    if (end < utf8.size()) out += utf8[end++];
    at = end;
  }
  return out;
}
