#include "printer/info_page.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "device/device_link.h"
#include "device/request_catalogue.h"
#include "printer/printer_info.h"
#include "printer/split_tokens.h"

namespace {

constexpr int kStringSendFailed = 25;     // "Send command to F/W is failed"
constexpr int kStringNotCompatible = 29;  // "Not compatible commands"

constexpr int kLineSize = 32;  // a line holds at most 31 characters
constexpr int kSlotSize = 64;  // key and value slots

// Stores the value into its field, cut to the field's 31 characters.
void StoreValue(char* field, const char* value) {
  std::memset(field, 0, kInfoFieldSize);
  std::memcpy(field, value, strnlen(value, kInfoFieldSize - 1));
}

// Handles one complete line; false when parsing of the page must stop.
bool ProcessLine(MessageOwner& owner, const InfoPageLayout& layout,
                 char* fields, const char* line) {
  char slots[2][kSlotSize] = {};
  const int tokens = SplitTokens(line, "=", &slots[0][0], kSlotSize, 2);
  if (tokens == 0) return true;

  if (tokens == 1) {
    // A header line, or a key with an empty value; the adjustment page has
    // no header and ignores such lines.
    if (!layout.header || std::strcmp(slots[0], layout.header) == 0) {
      return true;
    }
    owner.ShowMessage(kStringNotCompatible);
    return false;
  }

  // Exact, case-sensitive whole-key match; a later line replaces the value.
  for (std::size_t i = 0; i < layout.keys.size(); ++i) {
    if (std::strcmp(slots[0], layout.keys[i]) == 0) {
      StoreValue(fields + i * kInfoFieldSize, slots[1]);
      break;
    }
  }
  return true;
}

void ReadCounters(int firstCode, int items, std::int32_t* record) {
  for (int k = 0; k < items; ++k) {
    std::uint8_t reply[kValueReplySize] = {};
    if (SendVendorRequest(firstCode + k, 0, kValueReplySize, reply) != 0) {
      record[k] = ReplyValue(reply);
    }
  }
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
void ParseInfoPage(MessageOwner& owner, AppContext& ctx, int page,
                   int byteCount, const char* text) {
  const InfoPageLayout* layout = FindInfoPageLayout(page);
  char* fields = PageFields(ctx, page);
  if (!layout || !fields || !text) return;

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
    if (!overlong && !ProcessLine(owner, *layout, fields, line)) return;
    std::memset(line, 0, sizeof line);
    lineLength = 0;
    overlong = false;
  }
}

int ReadInfoPage(MessageOwner& owner, AppContext& ctx, int page) {
  if (!FindInfoPageLayout(page) || !PageFields(ctx, page)) return 0;
  char reply[kTextReplySize] = {};
  const int received = SendVendorRequest(REQ_READ_INFO_PAGE, PackInfoPage(page),
                                         kTextReplySize, reply);
  if (received == 0) {
    owner.ShowMessage(kStringSendFailed);
    return 0;
  }
  ParseInfoPage(owner, ctx, page, std::min(received, kTextReplySize), reply);
  return 1;
}

void ReadCounterRecords(AppContext& ctx) {
  if (ctx.replacementCounts) {
    ReadCounters(REQ_READ_REPLACEMENT_COUNT, kReplacementCountItems,
                 ctx.replacementCounts->item);
  }
  if (ctx.applicationCounts) {
    ReadCounters(REQ_READ_APPLICATION_COUNT, kApplicationCountItems,
                 ctx.applicationCounts->item);
  }
}
