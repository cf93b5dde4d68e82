// The libusb backend (Linux, macOS). It never detaches the kernel's printer
// driver and never claims the interface: vendor control requests need no
// claim, so printing through the spooler is not disturbed.
#pragma once

#include "device/device_backend.h"

const DeviceBackend& LibusbBackend();

// A transfer that has not completed after this long fails as timed out, so
// a hung printer cannot freeze the program. kTransferTimeoutMs unless changed (tests shorten it).
void SetLibusbTransferTimeout(unsigned milliseconds);
