#include "printer/printer_requests.h"

#include "device/device_link.h"
#include "device/request_catalogue.h"

CommandOutcome SendCommand(int code, int wValue) {
  std::uint8_t reply[kValueReplySize] = {};
  const int received = SendVendorRequest(code, wValue, kValueReplySize, reply);
  if (IsAcknowledgement(reply)) return CommandOutcome::Acknowledged;
  return received == 0 ? CommandOutcome::NoReply : CommandOutcome::Refused;
}

bool SendAcknowledgedCommand(int code, int wValue) {
  return SendCommand(code, wValue) == CommandOutcome::Acknowledged;
}

bool ReadPrinterValue(int code, std::int32_t& value) {
  std::uint8_t reply[kValueReplySize] = {};
  if (SendVendorRequest(code, 0, kValueReplySize, reply) == 0) return false;
  value = ReplyValue(reply);
  return true;
}
