// The seam between the portable link and a platform: find the first present
// printer-class device that the link asks for, open it, send one vendor
// request, close. One operations table per platform; each operation
// receives the table's context (the backend's own state, shared by every
// link and safe to use from several threads) and, once a device is open,
// the link's storage for that handle (handleSize bytes, the backend's own
// type).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "device/link_error.h"

// Whether a device is the one looked for, given its hardware IDs as the
// platform reports them.
using HardwareIdMatch = std::function<bool(const std::vector<std::string>& hardwareIds)>;

// A transfer the device has not completed after this long fails with
// LinkErrorKind::TimedOut, so a printer that stops answering cannot hold a
// link for ever.
inline constexpr unsigned kTransferTimeoutMs = 5000;

// Whether this user may open a present printer.
enum class PrinterAccess { Granted, Denied, Failed };

struct PresentPrinter {
  std::string key;       // what the backend opens it by
  std::string location;  // where it is, for people: "1:2" (bus and address), a device path
  std::string serial;    // its serial number; empty when it gives none
  PrinterAccess access;
};

// What the device being opened must be: its vendor and product ID, and the
// serial number when one was chosen (empty: any).
struct ExpectedDevice {
  std::uint16_t vendorId;
  std::uint16_t productId;
  std::string serial;
};

struct DeviceBackend {
  const char* name;
  void* context;
  // Bytes of the backend's own data for one open handle (its type is the
  // backend's; the link keeps it suitably aligned).
  std::size_t handleSize;
  // Walks the present printer-class devices in the platform's enumeration
  // order and stops at the first one `matches` accepts, putting what open()
  // takes into key. False with error when none matched, or when the device
  // list, a device's hardware IDs or the matched device's key could not be
  // read. Releases whatever the walk took before it returns.
  bool (*findPrinter)(void* context, const HardwareIdMatch& matches, std::string& key,
                      LinkError& error);
  // Opens the device under key into handle, after checking that it is the
  // expected one; false with error otherwise (handle then holds nothing).
  bool (*open)(void* context, const std::string& key, const ExpectedDevice& expected, void* handle,
               LinkError& error);
  void (*close)(void* context, void* handle);
  // The printing-support driver's vendor request: input is the 3 bytes
  // code, wValue low byte, wValue high byte. Returns the reply byte count,
  // or -1 with error; writes nothing but the reply.
  int (*vendorRequest)(void* context, void* handle, const std::uint8_t input[3],
                       std::uint8_t* reply, std::uint16_t length, LinkError& error);
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

// The platform's own backend (usbprint on Windows, libusb elsewhere).
const DeviceBackend& PlatformDeviceBackend();

// Ends what the backend holds for the platform; at the program's end.
void ReleaseDeviceBackend(const DeviceBackend& backend);
