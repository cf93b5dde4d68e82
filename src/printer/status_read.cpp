#include "printer/status_read.h"

#include "device/request_catalogue.h"

ReadFailure ReadStatusList(DeviceLink& link, StatusList& list) {
  char reply[kStatusReplySize] = {};
  const LinkReply read = link.Request(REQ_READ_PANEL_STATUS, 0, kStatusReplySize, reply);
  if (read.error) return read.error;
  if (read.received == 0)
    return LinkError{LinkErrorKind::ShortReply, LinkStep::Request, REQ_READ_PANEL_STATUS, 0,
                     "an empty status"};
  list = ParseStatusReply(reply, read.received);
  return std::nullopt;
}
