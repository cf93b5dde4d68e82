#include "cli/valid_utf8.h"

namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";

bool IsContinuation(unsigned char c) { return c >= 0x80 && c <= 0xBF; }

// The length a lead byte asks for, 0 for a byte that leads nothing, and
// the range its first continuation byte must lie in.
struct Lead {
  int length;
  unsigned char low = 0x80, high = 0xBF;
};

Lead LeadOf(unsigned char c) {
  if (c < 0x80) return {1};
  if (c >= 0xC2 && c <= 0xDF) return {2};
  if (c == 0xE0) return {3, 0xA0, 0xBF};  // no overlong form
  if (c == 0xED) return {3, 0x80, 0x9F};  // no surrogate
  if (c >= 0xE1 && c <= 0xEF) return {3};
  if (c == 0xF0) return {4, 0x90, 0xBF};
  if (c >= 0xF1 && c <= 0xF3) return {4};
  if (c == 0xF4) return {4, 0x80, 0x8F};  // nothing above U+10FFFF
  return {0};
}

}  // namespace

std::string ValidUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    const Lead lead = LeadOf(c);
    // How many bytes from i form a well-formed prefix of the sequence.
    std::size_t good = lead.length > 0 ? 1 : 0;
    while (good > 0 && good < std::size_t(lead.length) && i + good < text.size()) {
      const auto next = static_cast<unsigned char>(text[i + good]);
      const bool fits = good == 1 ? next >= lead.low && next <= lead.high : IsContinuation(next);
      if (!fits) break;
      ++good;
    }
    if (lead.length > 0 && good == std::size_t(lead.length)) {
      out.append(text.substr(i, good));
      i += good;
    } else {
      // The whole ill-formed prefix (at least one byte) is one replacement.
      out += kReplacement;
      i += good > 0 ? good : 1;
    }
  }
  return out;
}
