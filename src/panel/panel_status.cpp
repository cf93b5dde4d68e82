#include "panel/panel_status.h"

#include "page_helpers/link_session.h"
#include "printer/printer_state.h"
#include "printer/status_read.h"
#include "string_ids.h"

void ReadPanelStatus(Window& page, DeviceLink& link, PrinterState& printer) {
  StatusList list{};
  if (const ReadFailure failure = ReadStatusList(link, list)) {
    page.ShowMessage(WindowMessageOf(*failure));
    return;
  }
  // Restarting the timer makes the first tick after a read a full period away.
  page.KillTimer(kPanelTimerId);
  printer.displayIndex = 0;
  printer.status = list;
  page.SetTimer(kPanelTimerId, kPanelTimerPeriodMs);
}
