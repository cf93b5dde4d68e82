// The Tarnlow as a USB device that libusb cannot tell from a real one:
// a umockdev testbed with the printer's sysfs entry and descriptors, and an
// ioctl handler on its /dev/bus/usb node that plays the kernel's usbfs for
// control transfers. Standard descriptor reads are answered here, every
// other request goes to the printer model. As on a desktop where the printer
// is installed, the kernel's printer driver holds its interface: claiming it
// fails as busy.
//
// The process must run under the umockdev preload (RunUnderUmockdevPreload)
// and create the bus before libusb is first initialised. The testbed belongs
// to the process (UMOCKDEV_DIR), so there is one bus per process.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "device/control_setup.h"
#include "device/device_link.h"

class TarnlowPrinter;

// Re-executes the current program with LD_PRELOAD=libumockdev-preload.so.0
// unless it already runs preloaded. Returns only when no re-exec was needed
// (true) or the re-exec failed (false).
bool RunUnderUmockdevPreload(char** argv);

// How an emulated device presents itself on the bus.
struct EmulatedDeviceIds {
  std::uint16_t vendorId = kPrinterVendorId;
  std::uint16_t productId = kPrinterProductId;
  std::uint8_t interfaceClass = 7;     // 7 printer; anything else is no printer
  std::string serial = "TL5C0042817";  // the serial number string descriptor
};

class EmulatedUsbBus {
 public:
  // An empty bus.
  EmulatedUsbBus();
  // A bus with `printer` plugged in as device 0.
  explicit EmulatedUsbBus(TarnlowPrinter& printer);
  ~EmulatedUsbBus();
  EmulatedUsbBus(const EmulatedUsbBus&) = delete;
  EmulatedUsbBus& operator=(const EmulatedUsbBus&) = delete;

  // False when the testbed could not be created.
  bool Ready() const;

  // Plugs in a device on a new port and address and announces it ("add").
  // Its vendor requests go to `model`; with no model every request stalls.
  // Returns the device's number on this bus, or -1.
  int PlugIn(TarnlowPrinter* model, const EmulatedDeviceIds& ids = {});

  // Pulls the device out: transfers in flight end with -ENODEV, every
  // other usbfs call on a node still open fails with ENODEV (once its
  // completed transfers are reaped), then the "remove" uevent is sent and
  // the device leaves the testbed.
  void Unplug(int index = 0);

  // The control setups the device received on the wire, oldest first,
  // standard requests included; clears the record.
  std::vector<ControlSetup> TakeControlSetups(int index = 0);

  // Takes every permission off the device's node, as on a host without the
  // udev rule: a process without CAP_DAC_OVERRIDE can no longer open it.
  bool DenyAccess(int device = 0);

  // "/dev/bus/usb/001/002" and the like.
  std::string DeviceNode(int device = 0) const;
  int BusNumber(int device = 0) const;
  int DeviceAddress(int device = 0) const;

  struct Device;  // one emulated device and its usbfs state

 private:
  struct Testbed;
  std::unique_ptr<Testbed> testbed_;
  std::vector<std::unique_ptr<Device>> devices_;
};
