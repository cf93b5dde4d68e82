#include "printer/info_page_parser.h"

#include <cstring>

#include "printer/printer_info.h"
#include "printer/split_tokens.h"

namespace {

constexpr int kLineSize = 32;  // a line holds at most 31 characters
constexpr int kSlotSize = 64;  // key and value slots

// Handles one complete line; false when parsing of the page must stop.
bool ProcessLine(const InfoPageLayout& layout, InfoPageValues& page, const char* line) {
  char slots[2][kSlotSize] = {};
  const int tokens = SplitTokens(line, "=", &slots[0][0], kSlotSize, 2);
  if (tokens == 0) return true;

  if (tokens == 1) {
    // A header line, or a key with an empty value; the adjustment page has
    // no header and ignores such lines.
    if (!layout.header || std::strcmp(slots[0], layout.header) == 0) {
      return true;
    }
    page.compatible = false;
    return false;
  }

  // Exact, case-sensitive whole-key match; a later line replaces the value.
  for (std::size_t i = 0; i < layout.keys.size(); ++i) {
    if (std::strcmp(slots[0], layout.keys[i]) == 0) {
      page.values.emplace_back(static_cast<int>(i),
                               std::string(slots[1], strnlen(slots[1], kInfoFieldSize - 1)));
      break;
    }
  }
  return true;
}

}  // namespace

// Lines end at CR LF. Outside the printer's format, a bare CR or a bare LF
// also ends a line (each counts once), so a stray line end never glues two
// items together. Neither character is part of the line. Bytes after the
// last line end form an unterminated line and are ignored.
//
// A line longer than 31 characters does not fit the line buffer and is
// skipped whole: a cut line could store a truncated value or look like a
// header. Values therefore always fit their 32-byte field.
InfoPageValues ParseInfoPageText(int page, const char* text, int byteCount) {
  InfoPageValues values;
  const InfoPageLayout* layout = FindInfoPageLayout(page);
  if (!layout || !text) return values;

  char line[kLineSize] = {};
  int lineLength = 0;
  bool overlong = false;
  for (int i = 0; i < byteCount; ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      if (lineLength < kLineSize - 1) {
        line[lineLength++] = c;
      } else {
        overlong = true;
      }
      continue;
    }
    if (c == '\r' && i + 1 < byteCount && text[i + 1] == '\n') ++i;
    if (!overlong && !ProcessLine(*layout, values, line)) return values;
    std::memset(line, 0, sizeof line);
    lineLength = 0;
    overlong = false;
  }
  return values;
}
