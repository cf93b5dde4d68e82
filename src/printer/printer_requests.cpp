#include "printer/printer_requests.h"

#include "device/request_catalogue.h"

CommandResult SendCommand(DeviceLink& link, int code, int wValue) {
  std::uint8_t reply[kValueReplySize] = {};
  const LinkReply sent = link.Request(code, wValue, kValueReplySize, reply);
  if (IsAcknowledgement(reply)) return {CommandOutcome::Acknowledged, std::nullopt};
  if (sent.error) return {CommandOutcome::NoReply, sent.error};
  if (sent.received == 0)
    return {CommandOutcome::NoReply,
            LinkError{LinkErrorKind::ShortReply, LinkStep::Request, code & 0xFF, 0, ""}};
  return {CommandOutcome::Refused, std::nullopt};
}

bool SendAcknowledgedCommand(DeviceLink& link, int code, int wValue) {
  return SendCommand(link, code, wValue).outcome == CommandOutcome::Acknowledged;
}

ReadFailure ReadPrinterValue(DeviceLink& link, int code, std::int32_t& value) {
  std::uint8_t reply[kValueReplySize] = {};
  const LinkReply read = link.Request(code, 0, kValueReplySize, reply);
  if (read.error) return read.error;
  if (read.received < kValueReplySize)
    return LinkError{
        LinkErrorKind::ShortReply, LinkStep::Request, code & 0xFF, 0,
        std::to_string(read.received) + " of " + std::to_string(kValueReplySize) + " bytes"};
  value = ReplyValue(reply);
  return std::nullopt;
}
