#include "service/request_patterns.h"

#include <cstdarg>
#include <cstdio>

#include "common/string_ids.h"
#include "device/device_link.h"
#include "device/request_catalogue.h"
#include "ui/dialog.h"

namespace {
constexpr int kTraceBufferSize = 1024;
}  // namespace

void ReadSettingValue(MessageOwner& owner, int code, std::int32_t& field) {
  std::uint8_t reply[kValueReplySize] = {};
  if (SendVendorRequest(code, 0, kValueReplySize, reply) == 0) {
    owner.ShowMessage(kTextSendFailed);
    return;
  }
  // A short reply leaves the missing high bytes 0.
  field = ReplyValue(reply);
}

bool WriteSettingValue(int code, int wValue) {
  std::uint8_t reply[kValueReplySize] = {};
  SendVendorRequest(code, wValue, kValueReplySize, reply);
  return ReplyIsOk(reply);
}

bool ReplyIsOk(const std::uint8_t reply[4]) { return IsAcknowledgement(reply); }

void RunServiceCommand(MessageOwner& owner, int code, int wValue, int successStringId) {
  owner.ShowMessage(WriteSettingValue(code, wValue) ? successStringId : kTextSendFailed);
}

void DebugTrace(const char* format, ...) {
  char text[kTraceBufferSize] = {};
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  if (Platform* platform = PlatformInUse()) platform->DebugTrace(text);
}
