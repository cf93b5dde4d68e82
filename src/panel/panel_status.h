// Reading the printer's status list from the panel page.
#pragma once

#include "ui/dialog.h"

struct PrinterState;
class DeviceLink;

// The panel timer on the panel page: one tick draws one status code.
inline constexpr int kPanelTimerId = 1000;
inline constexpr int kPanelTimerPeriodMs = 1000;

// Sends the panel-status request over the open device link and stores the
// reply's codes. On success the display starts again with the first code one
// full period later; when nothing is received the page shows "Send command
// to F/W is failed" and the list, index and timer stay as they were.
void ReadPanelStatus(Window& page, DeviceLink& link, PrinterState& printer);
