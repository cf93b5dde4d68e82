#include "panel/panel_status.h"

#include "printer/printer_state.h"
#include "printer/status_read.h"
#include "string_ids.h"

void ReadPanelStatus(Window& page, PrinterState& printer) {
  const std::optional<StatusList> list = ReadStatusList();
  if (!list) {
    page.ShowMessage(kTextSendFailed);
    return;
  }
  // Restarting the timer makes the first tick after a read a full period away.
  page.KillTimer(kPanelTimerId);
  printer.displayIndex = 0;
  printer.status = *list;
  page.SetTimer(kPanelTimerId, kPanelTimerPeriodMs);
}
