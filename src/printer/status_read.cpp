#include "printer/status_read.h"

#include "device/device_link.h"
#include "device/request_catalogue.h"

std::optional<StatusList> ReadStatusList() {
  char reply[kStatusReplySize] = {};
  const int received = SendVendorRequest(REQ_READ_PANEL_STATUS, 0, kStatusReplySize, reply);
  if (received == 0) return std::nullopt;
  return ParseStatusReply(reply, received);
}
