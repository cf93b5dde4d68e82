#include "printer/status_list.h"

#include <algorithm>
#include <cstring>

namespace {

bool EndsPiece(char c) { return c == '\r' || c == '\n' || c == ','; }

}  // namespace

// Limits that a well-formed reply never reaches, handled safely:
// - a reply without a zero byte is read up to `length`, at most
//   kStatusReplySize bytes, never further;
// - a piece of any length (even past the 31 characters a piece can hold)
//   stores its first six characters like any other piece;
// - pieces after the 170th are not stored.
StatusList ParseStatusReply(const char* reply, int length) {
  StatusList list;
  if (reply == nullptr || length <= 0) return list;

  const int limit = std::min(length, kStatusReplySize);
  const void* zero = std::memchr(reply, '\0', static_cast<std::size_t>(limit));
  const int end = zero ? static_cast<int>(static_cast<const char*>(zero) - reply) : limit;

  // The codes are the second "="-delimited token: skip leading "=", the
  // header, then the run of "=" that ends it. No "=" after the header, or
  // nothing after it, means no codes.
  int pos = 0;
  while (pos < end && reply[pos] == '=') ++pos;
  while (pos < end && reply[pos] != '=') ++pos;
  while (pos < end && reply[pos] == '=') ++pos;

  char piece[kStatusCodeLength] = {};
  int pieceLength = 0;
  for (; pos < end && reply[pos] != '=' && list.count < kStatusEntries; ++pos) {
    const char c = reply[pos];
    if (!EndsPiece(c)) {
      if (pieceLength < kStatusCodeLength) piece[pieceLength] = c;
      ++pieceLength;
      continue;
    }
    if (pieceLength > 0) {
      std::memcpy(StatusCodeAt(list, list.count), piece, kStatusCodeLength);
      ++list.count;
    }
    std::memset(piece, 0, sizeof piece);
    pieceLength = 0;
  }
  return list;
}
