// The seam between the portable link and a platform: list the present
// printer-class devices with their hardware IDs, open one, send one vendor
// request, close. One operations table per platform, chosen at start.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "device/device_link.h"

struct PresentDevice {
  std::vector<std::string> hardwareIds;  // as the platform reports them
  std::string key;                       // what the backend opens it by
  // Its hardware IDs could not be read: a search that gets this far ends
  // here, failed (the platform lists nothing after it).
  bool unreadable = false;
};

struct DeviceBackend {
  const char* name;
  // Present printer-class devices in the platform's enumeration order.
  // False when the device list cannot be read.
  bool (*listPrinters)(std::vector<PresentDevice>& out);
  // Opens the device; kInvalidDeviceHandle on failure.
  DeviceHandle (*open)(const std::string& key);
  void (*close)(DeviceHandle handle);
  // The printing-support driver's vendor request: input is the 3 bytes
  // code, wValue low byte, wValue high byte. Returns the reply byte count,
  // 0 on failure, kVendorRequestTimedOut when the printer did not answer
  // within the time-out; writes nothing but the reply.
  int (*vendorRequest)(DeviceHandle handle, const std::uint8_t input[3],
                       std::uint8_t* reply, std::uint16_t length);
};

inline constexpr int kVendorRequestTimedOut = -1;

// The backend in use. Defaults to the platform's own (usbprint on Windows,
// libusb elsewhere).
const DeviceBackend* CurrentDeviceBackend();
// Replaces the backend (the simulated printer, tests). Closes the link first.
void UseDeviceBackend(const DeviceBackend* backend);

const DeviceBackend* PlatformDeviceBackend();
