// The printer's status list: the reply of the panel-status request turned
// into six-character status codes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

inline constexpr int kStatusEntries = 170;
inline constexpr int kStatusCodeLength = 6;
inline constexpr int kStatusCodesSize = 1024;  // 170 entries use 1020

// Size of the reply buffer of the panel-status request.
inline constexpr int kStatusReplySize = 1024;

// The codes of one status reply: entries of exactly six bytes, no
// terminator, zeros after the last.
struct StatusList {
  std::int32_t count = 0;
  char codes[kStatusCodesSize] = {};
};

// The index-th code's six bytes (the offset computed in ptrdiff_t).
inline const char* StatusCodeAt(const StatusList& list, int index) {
  return list.codes + static_cast<std::ptrdiff_t>(index) * kStatusCodeLength;
}
inline char* StatusCodeAt(StatusList& list, int index) {
  return list.codes + static_cast<std::ptrdiff_t>(index) * kStatusCodeLength;
}
// The index-th code as text: fewer than six characters where the printer
// sent a shorter one (the zeros that pad it left off).
inline std::string_view StatusCodeText(const StatusList& list, int index) {
  const std::string_view code(StatusCodeAt(list, index), kStatusCodeLength);
  return code.substr(0, code.find('\0'));
}

// The codes of a status reply of `length` received bytes. The reply is text up to its first zero
// byte or `length`, whichever comes first (and never more than kStatusReplySize). Codes are read
// from between the first and second "=" (runs of "=" count as one, a leading "=" is skipped); each
// piece ended by CR, LF or "," stores its first six characters, zero-padded; an unterminated last
// piece is dropped.
StatusList ParseStatusReply(const char* reply, int length);
