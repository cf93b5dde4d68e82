#include "panel/panel_status.h"

#include <cstring>

#include "common/app_context.h"
#include "printer/status_read.h"
#include "string_ids.h"

void ReadPanelStatus(Window& page, AppContext& ctx) {
  const std::optional<StatusList> list = ReadStatusList();
  if (!list) {
    page.ShowMessage(kTextSendFailed);
    return;
  }
  // Restarting the timer makes the first tick after a read a full period away.
  page.KillTimer(kPanelTimerId);
  ctx.displayIndex = 0;
  ctx.statusCount = list->count;
  std::memcpy(ctx.statusCodes, list->codes, sizeof ctx.statusCodes);
  page.SetTimer(kPanelTimerId, kPanelTimerPeriodMs);
}
