// The export's text in the system's ANSI code page, as Windows' profile
// writer stores text.
#include "printer/profile_encoding.h"

#include <cstddef>

#include "common/win32/utf16.h"

namespace {

// The length of the well-formed UTF-8 character at text[at], 0 if none.
std::size_t Utf8CharLength(const std::string& text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80) return 1;
  const std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                             : lead >= 0xE0 && lead <= 0xEF ? 3
                             : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                            : 0;
  if (length == 0 || at + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i)
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
  // No overlong forms, surrogates or code points beyond U+10FFFF.
  const unsigned char second = byte(at + 1);
  if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
      (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F))
    return 0;
  return length;
}

}  // namespace

std::string ToProfileEncoding(const std::string& utf8) {
  std::string out;
  std::size_t at = 0;
  while (at < utf8.size()) {
    // Runs of UTF-8 are converted; any other byte goes through as it is.
    std::size_t end = at;
    while (end < utf8.size()) {
      std::size_t length = Utf8CharLength(utf8, end);
      if (length == 0) break;
      end += length;
    }
    out += Narrow(Wide(std::string_view(utf8).substr(at, end - at)), CP_ACP);
    if (end < utf8.size()) out += utf8[end++];
    at = end;
  }
  return out;
}
