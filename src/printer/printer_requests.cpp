#include "printer/printer_requests.h"

#include "device/device_link.h"
#include "device/request_catalogue.h"

bool SendAcknowledgedCommand(int code, int wValue) {
  std::uint8_t reply[kValueReplySize] = {};
  SendVendorRequest(code, wValue, kValueReplySize, reply);
  return IsAcknowledgement(reply);
}

bool ReadPrinterValue(int code, std::int32_t& value) {
  std::uint8_t reply[kValueReplySize] = {};
  if (SendVendorRequest(code, 0, kValueReplySize, reply) == 0) return false;
  value = ReplyValue(reply);
  return true;
}
