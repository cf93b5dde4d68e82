#include "panel/panel_status.h"

#include <cstring>

#include "device/device_link.h"
#include "device/request_catalogue.h"
#include "panel/status_list.h"
#include "common/app_context.h"
#include "string_ids.h"

void ReadPanelStatus(Window& page, AppContext& ctx) {
  char reply[kStatusReplySize] = {};
  const int received = SendVendorRequest(REQ_READ_PANEL_STATUS, 0, kStatusReplySize, reply);
  if (received == 0) {
    page.ShowMessage(kTextSendFailed);
    return;
  }
  // Restarting the timer makes the first tick after a read a full period away.
  page.KillTimer(kPanelTimerId);
  ctx.displayIndex = 0;
  const StatusList list = ParseStatusReply(reply, received);
  ctx.statusCount = list.count;
  std::memcpy(ctx.statusCodes, list.codes, sizeof ctx.statusCodes);
  page.SetTimer(kPanelTimerId, kPanelTimerPeriodMs);
}
