#include "cli/terminal_text.h"

#include <cstdio>

#include "common/utf8.h"

namespace {

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
    const Utf8Sequence sequence = DecodeUtf8(utf8, i);
    if (!sequence.wellFormed) {
      out += Escaped("\\x%02x", static_cast<unsigned char>(utf8[i]));
      ++i;
      continue;
    }
    const char32_t c = sequence.code;
    if ((c < 0x20 && c != '\n') || c == 0x7F)
      out += Escaped("\\x%02x", unsigned(c));
    else if (c >= 0x80 && c <= 0x9F)
      out += Escaped("\\u%04x", unsigned(c));
    else
      out.append(utf8, i, sequence.length);
    i += sequence.length;
  }
  return out;
}
