// The seam between the portable link and a platform: find the first present
// printer-class device that the link asks for, open it, send one vendor
// request, close. One operations table per platform, chosen at start; each
// operation receives the table's context (the backend's own state).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "device/device_link.h"

// Whether a device is the one looked for, given its hardware IDs as the
// platform reports them.
using HardwareIdMatch = std::function<bool(const std::vector<std::string>& hardwareIds)>;

// A transfer the device has not completed after this long fails (result 0),
// so a printer that stops answering cannot freeze the program.
inline constexpr unsigned kTransferTimeoutMs = 5000;

struct DeviceBackend {
  const char* name;
  void* context;
  // Walks the present printer-class devices in the platform's enumeration
  // order and stops at the first one `matches` accepts, putting what open()
  // takes into key. False when none matched, or when the device list, a
  // device's hardware IDs or the matched device's key could not be read.
  // Releases whatever the walk took before it returns.
  bool (*findPrinter)(void* context, const HardwareIdMatch& matches, std::string& key);
  // Opens the device; kInvalidDeviceHandle on failure.
  DeviceHandle (*open)(void* context, const std::string& key);
  void (*close)(void* context, DeviceHandle handle);
  // The printing-support driver's vendor request: input is the 3 bytes
  // code, wValue low byte, wValue high byte. Returns the reply byte count,
  // 0 on failure, kVendorRequestTimedOut when the printer did not answer
  // within the time-out; writes nothing but the reply.
  int (*vendorRequest)(void* context, DeviceHandle handle, const std::uint8_t input[3],
                       std::uint8_t* reply, std::uint16_t length);
  // Ends what the backend holds for the platform (its session with the USB
  // library); the next operation starts it afresh. nullptr: nothing to end.
  void (*release)(void* context);
  // Every present printer-class device `matches` accepts, in enumeration
  // order, with where it is, its serial number and whether this user may
  // open it. False when the device list could not be read. nullptr: the
  // platform lists none (then only the first printer is reachable).
  bool (*listPrinters)(void* context, const HardwareIdMatch& matches,
                       std::vector<PresentPrinter>& printers);
};

inline constexpr int kVendorRequestTimedOut = -1;

// The backend in use. Defaults to the platform's own (usbprint on Windows,
// libusb elsewhere).
const DeviceBackend* CurrentDeviceBackend();
// Replaces the backend (the simulated printer, tests). Closes the link and
// releases the backend in use first.
void UseDeviceBackend(const DeviceBackend* backend);
// Closes the link and releases the backend in use; at the program's end.
void ReleaseDeviceBackend();

const DeviceBackend* PlatformDeviceBackend();
