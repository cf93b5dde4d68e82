#include "service/request_patterns.h"

#include <cstdarg>
#include <cstdio>

#include "page_helpers/link_session.h"
#include "printer/printer_requests.h"
#include "string_ids.h"
#include "ui/dialog.h"

namespace {
constexpr int kTraceBufferSize = 1024;
}  // namespace

void ReadSettingValue(MessageOwner& owner, DeviceLink& link, int code, std::int32_t& field) {
  if (const ReadFailure failure = ReadPrinterValue(link, code, field))
    owner.ShowMessage(WindowMessageOf(*failure));
}

void RunServiceCommand(MessageOwner& owner, DeviceLink& link, int code, int wValue,
                       int successStringId) {
  owner.ShowMessage(SendAcknowledgedCommand(link, code, wValue) ? successStringId
                                                                : kTextSendFailed);
}

void DebugTrace(const char* format, ...) {
  char text[kTraceBufferSize] = {};
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  if (Platform* platform = PlatformInUse()) platform->DebugTrace(text);
}
