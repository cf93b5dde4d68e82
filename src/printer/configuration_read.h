// Reading what the configuration shows, over a device link the caller has
// opened.
#pragma once

#include <functional>

#include "device/device_link.h"
#include "printer/info_page.h"
#include "printer/printer_state.h"

// Allocates the page and counter blocks, then reads the four information
// pages and the counter records into them. A block that cannot be
// allocated stays null: its reads are skipped and its fields show what an
// unreported value shows. Each page's read that failed is handed to
// pageFailed as it happens, before the next request goes out (a failed
// counter read is not: an unread counter shows 0).
void ReadConfigurationPages(DeviceLink& link, PrinterState& state,
                            const std::function<void(const InfoPageRead&)>& pageFailed);

// Reads the energy-save switch (the one the user service page shows) into
// state.energySave; a failure keeps what it held.
ReadFailure ReadEnergySaveSwitch(DeviceLink& link, PrinterState& state);
