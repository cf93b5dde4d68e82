// The emulated USB bus every test of this binary plugs its printers into,
// and the wait for libusb to hear of a plug or an unplug.
#pragma once

#include <cstddef>

#include "sim/umockdev_printer.h"

EmulatedUsbBus& TestBus();

// libusb takes plugging and unplugging from uevents on its own thread: waits
// (up to 3 s) until the backend lists `count` printer-class devices.
bool WaitForPrinters(std::size_t count);
