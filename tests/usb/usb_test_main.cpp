// Runs the USB tests preloaded, with the emulated bus in place before
// libusb starts; a program they start inherits the bus with the environment.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "device/backend_libusb.h"
#include "device/device_backend.h"
#include "tests/usb/test_bus.h"

namespace {
EmulatedUsbBus* g_bus = nullptr;
}  // namespace

EmulatedUsbBus& TestBus() { return *g_bus; }

bool WaitForPrinters(std::size_t count) {
  using Clock = std::chrono::steady_clock;
  for (auto end = Clock::now() + std::chrono::seconds(3); Clock::now() < end;
       std::this_thread::sleep_for(std::chrono::milliseconds(5))) {
    std::size_t listed = 0;
    std::string key;
    const DeviceBackend& backend = LibusbBackend();
    auto countEach = [&](const std::vector<std::string>&) { return ++listed, false; };
    LinkError error;
    backend.findPrinter(backend.context, countEach, key, error);
    if (listed == count) return true;
  }
  return false;
}

int main(int argc, char** argv) {
  if (!RunUnderUmockdevPreload(argv)) return 1;
  EmulatedUsbBus bus;
  if (!bus.Ready()) return 1;
  g_bus = &bus;
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
