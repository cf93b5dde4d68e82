#include "printer/split_tokens.h"

#include <algorithm>
#include <cstring>

namespace {

// The part of the source that is split, as if copied into a 1024-byte
// buffer with room for the NUL.
constexpr std::size_t kMaxSourceLength = 1023;

bool IsDelimiter(char c, const char* delimiters) {
  return delimiters && std::strchr(delimiters, c) != nullptr;
}

std::size_t BoundedLength(const char* text) {
  std::size_t length = 0;
  while (length < kMaxSourceLength && text[length] != '\0') ++length;
  return length;
}

}  // namespace

int SplitTokens(const char* source, const char* delimiters, char* firstSlot, int slotWidth,
                int maxSlots) {
  if (!source) return 0;
  const bool canStore = firstSlot && slotWidth > 0;
  const std::size_t length = BoundedLength(source);

  int count = 0;
  std::size_t pos = 0;
  while (pos < length) {
    // strchr also finds the NUL; the source holds none before length.
    while (pos < length && IsDelimiter(source[pos], delimiters)) ++pos;
    if (pos == length) break;
    const std::size_t start = pos;
    while (pos < length && !IsDelimiter(source[pos], delimiters)) ++pos;

    if (canStore && count < maxSlots) {
      char* slot = firstSlot + static_cast<std::size_t>(count) * slotWidth;
      const std::size_t kept = std::min(pos - start, static_cast<std::size_t>(slotWidth - 1));
      std::memcpy(slot, source + start, kept);
      slot[kept] = '\0';
    }
    ++count;
  }
  return count;
}
