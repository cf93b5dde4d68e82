// Reading the printer's status list over a device link the caller has
// opened.
#pragma once

#include "device/device_link.h"
#include "printer/printer_requests.h"
#include "printer/status_list.h"

// Sends the panel-status request and parses its reply into list; a failure
// (also when no bytes came back) leaves list as it was.
ReadFailure ReadStatusList(DeviceLink& link, StatusList& list);
