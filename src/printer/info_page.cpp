#include "printer/info_page.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "device/device_link.h"
#include "device/request_catalogue.h"
#include "printer/info_page_parser.h"
#include "printer/printer_info.h"
#include "printer/printer_requests.h"
#include "string_ids.h"

namespace {

// Stores the value into its field (at most 31 bytes and the NUL).
void StoreValue(char* field, const std::string& value) {
  std::memset(field, 0, kInfoFieldSize);
  value.copy(field, kInfoFieldSize - 1);
}

int ReadCounters(int firstCode, int items, std::int32_t* record) {
  int failed = 0;
  for (int k = 0; k < items; ++k) {
    if (!ReadPrinterValue(firstCode + k, record[k])) ++failed;
  }
  return failed;
}

}  // namespace

void ParseInfoPage(MessageOwner& owner, PrinterState& state, int page, int byteCount,
                   const char* text) {
  char* fields = PageFields(state, page);
  if (!FindInfoPageLayout(page) || !fields || !text) return;
  const InfoPageValues parsed = ParseInfoPageText(page, text, byteCount);
  for (const auto& [field, value] : parsed.values)
    StoreValue(fields + static_cast<std::ptrdiff_t>(field) * kInfoFieldSize, value);
  if (!parsed.compatible) owner.ShowMessage(kTextNotCompatible);
}

int ReadInfoPage(MessageOwner& owner, PrinterState& state, int page) {
  if (!FindInfoPageLayout(page) || !PageFields(state, page)) return 0;
  char reply[kTextReplySize] = {};
  const int received =
      SendVendorRequest(REQ_READ_INFO_PAGE, PackInfoPage(page), kTextReplySize, reply);
  if (received == 0) {
    owner.ShowMessage(kTextSendFailed);
    return 0;
  }
  ParseInfoPage(owner, state, page, std::min(received, kTextReplySize), reply);
  return 1;
}

int ReadCounterRecords(PrinterState& state) {
  int failed = 0;
  if (state.replacementCounts) {
    failed += ReadCounters(REQ_READ_REPLACEMENT_COUNT, kReplacementCountItems,
                           state.replacementCounts->item);
  }
  if (state.applicationCounts) {
    failed += ReadCounters(REQ_READ_APPLICATION_COUNT, kApplicationCountItems,
                           state.applicationCounts->item);
  }
  return failed;
}
