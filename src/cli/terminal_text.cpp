#include "cli/terminal_text.h"

#include <cstdio>

namespace {

// The length of the valid UTF-8 sequence at text[i] (shortest form, no
// surrogates), 0 when there is none.
std::size_t SequenceLength(const std::string& text, std::size_t i, char32_t& c) {
  const auto lead = static_cast<unsigned char>(text[i]);
  std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3
                       : (lead >> 3) == 30 ? 4 : 0;
  if (length == 0 || i + length > text.size()) return 0;
  c = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) return 0;
    c = (c << 6) | (next & 0x3F);
  }
  static constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < kShortest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  return length;
}

std::string Escaped(const char* format, unsigned value) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

}  // namespace

std::string EscapeControls(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t c = 0;
    const std::size_t length = SequenceLength(utf8, i, c);
    if (length == 0) {
      out += Escaped("\\x%02x", static_cast<unsigned char>(utf8[i]));
      ++i;
      continue;
    }
    if ((c < 0x20 && c != '\n') || c == 0x7F) out += Escaped("\\x%02x", unsigned(c));
    else if (c >= 0x80 && c <= 0x9F) out += Escaped("\\u%04x", unsigned(c));
    else out.append(utf8, i, length);
    i += length;
  }
  return out;
}
