#include "common/utf8.h"

namespace {

// The length a lead byte asks for, 0 for a byte that leads nothing, and
// the range its first continuation byte must lie in.
struct Lead {
  std::size_t length;
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

Utf8Sequence DecodeUtf8(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const Lead lead = LeadOf(byte(at));
  if (lead.length == 0) return {1, false, 0};
  char32_t code = lead.length == 1 ? byte(at) : byte(at) & (0x7F >> lead.length);
  std::size_t good = 1;
  while (good < lead.length && at + good < text.size()) {
    const unsigned char next = byte(at + good);
    const unsigned char low = good == 1 ? lead.low : 0x80, high = good == 1 ? lead.high : 0xBF;
    if (next < low || next > high) break;
    code = (code << 6) | (next & 0x3F);
    ++good;
  }
  if (good < lead.length) return {good, false, 0};
  return {good, true, code};
}
