#include "printer/info_page.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "device/request_catalogue.h"
#include "printer/info_page_parser.h"
#include "printer/printer_info.h"
#include "printer/printer_requests.h"

namespace {

// Stores the value into its field (at most 31 bytes and the NUL).
void StoreValue(char* field, const std::string& value) {
  std::memset(field, 0, kInfoFieldSize);
  value.copy(field, kInfoFieldSize - 1);
}

ReadFailure ReadCounters(DeviceLink& link, int firstCode, int items, std::int32_t* record) {
  ReadFailure first;
  for (int k = 0; k < items; ++k) {
    ReadFailure failure = ReadPrinterValue(link, firstCode + k, record[k]);
    if (failure && !first) first = failure;
  }
  return first;
}

}  // namespace

bool ParseInfoPage(PrinterState& state, int page, int byteCount, const char* text) {
  char* fields = PageFields(state, page);
  if (!FindInfoPageLayout(page) || !fields || !text) return true;
  const InfoPageValues parsed = ParseInfoPageText(page, text, byteCount);
  for (const auto& [field, value] : parsed.values)
    StoreValue(fields + static_cast<std::ptrdiff_t>(field) * kInfoFieldSize, value);
  return parsed.compatible;
}

InfoPageRead ReadInfoPage(DeviceLink& link, PrinterState& state, int page) {
  InfoPageRead read;
  if (!FindInfoPageLayout(page) || !PageFields(state, page)) return read;
  char reply[kTextReplySize] = {};
  const LinkReply sent =
      link.Request(REQ_READ_INFO_PAGE, PackInfoPage(page), kTextReplySize, reply);
  if (!sent || sent.received == 0) {
    read.failure = sent.error ? *sent.error
                              : LinkError{LinkErrorKind::ShortReply, LinkStep::Request,
                                          REQ_READ_INFO_PAGE, 0, "an empty page"};
    return read;
  }
  read.received = true;
  read.compatible = ParseInfoPage(state, page, std::min(sent.received, kTextReplySize), reply);
  return read;
}

ReadFailure ReadCounterRecords(DeviceLink& link, PrinterState& state) {
  ReadFailure first;
  if (state.replacementCounts) {
    first = ReadCounters(link, REQ_READ_REPLACEMENT_COUNT, kReplacementCountItems,
                         state.replacementCounts->item);
  }
  if (state.applicationCounts) {
    ReadFailure failure = ReadCounters(link, REQ_READ_APPLICATION_COUNT, kApplicationCountItems,
                                       state.applicationCounts->item);
    if (!first) first = failure;
  }
  return first;
}
