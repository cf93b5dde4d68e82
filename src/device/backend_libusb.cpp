#include "device/backend_libusb.h"

#include <libusb.h>

#include <cstdio>
#include <fstream>
#include <mutex>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "device/control_setup.h"

namespace {

constexpr std::uint8_t kPrinterClass = 7;

// The backend's context: the libusb session, made at the first use and
// shared by every link (libusb's calls on distinct handles may run on
// several threads at once).
struct LibusbState {
  std::mutex lock;  // guards session
  libusb_context* session = nullptr;
  unsigned timeoutMs = kTransferTimeoutMs;
};

LibusbState g_state;

LibusbState& State(void* context) { return *static_cast<LibusbState*>(context); }

struct OpenPrinter {
  libusb_device_handle* handle;
  std::uint16_t interfaceNumber;
};

LinkError ErrorOf(int code, LinkStep step) {
  LinkErrorKind kind = LinkErrorKind::Io;
  switch (code) {
    case LIBUSB_ERROR_NO_DEVICE:
    case LIBUSB_ERROR_NOT_FOUND: kind = LinkErrorKind::NoDevice; break;
    case LIBUSB_ERROR_ACCESS: kind = LinkErrorKind::AccessDenied; break;
    case LIBUSB_ERROR_BUSY: kind = LinkErrorKind::Busy; break;
    case LIBUSB_ERROR_TIMEOUT: kind = LinkErrorKind::TimedOut; break;
    case LIBUSB_ERROR_PIPE: kind = LinkErrorKind::Refused; break;
    default: break;
  }
  LinkError error{kind, step, 0, code, ""};
  // A time-out says it all; the others keep the library's own words.
  if (kind != LinkErrorKind::TimedOut)
    error.osText = std::string(libusb_error_name(code)) + ": " + libusb_strerror(code);
  return error;
}

libusb_context* Session(void* context, LinkError* error = nullptr) {
  LibusbState& state = State(context);
  std::lock_guard<std::mutex> hold(state.lock);
  if (!state.session) {
    const int started = libusb_init(&state.session);
    if (started != 0) {
      state.session = nullptr;
      if (error) *error = ErrorOf(started, LinkStep::Open);
    }
  }
  return state.session;
}

void Release(void* context) {
  LibusbState& state = State(context);
  std::lock_guard<std::mutex> hold(state.lock);
  if (state.session) libusb_exit(state.session);
  state.session = nullptr;
}

// The number of the device's first printer-class interface, or -1.
int PrinterInterface(libusb_device* device) {
  libusb_config_descriptor* config = nullptr;
  if (libusb_get_active_config_descriptor(device, &config) != 0 &&
      libusb_get_config_descriptor(device, 0, &config) != 0)
    return -1;
  int found = -1;
  for (int i = 0; i < config->bNumInterfaces && found < 0; ++i) {
    const libusb_interface& iface = config->interface[i];
    for (int a = 0; a < iface.num_altsetting; ++a) {
      if (iface.altsetting[a].bInterfaceClass == kPrinterClass) {
        found = iface.altsetting[a].bInterfaceNumber;
        break;
      }
    }
  }
  libusb_free_config_descriptor(config);
  return found;
}

std::string DeviceKey(libusb_device* device, int interfaceNumber) {
  char key[32];
  std::snprintf(key, sizeof key, "%u:%u:%d", libusb_get_bus_number(device),
                libusb_get_device_address(device), interfaceNumber);
  return key;
}

// Calls `visit` with each printer-class device that `matches` accepts, its
// descriptor and its printer interface, in the bus's order, until it returns
// false. False when the device list could not be read.
template <typename Visit>
bool ForEachMatchingPrinter(void* context, const HardwareIdMatch& matches, Visit visit,
                            LinkError* error = nullptr) {
  libusb_context* session = Session(context, error);
  if (!session) return false;
  libusb_device** list = nullptr;
  ssize_t count = libusb_get_device_list(session, &list);
  if (count < 0) {
    if (error) *error = ErrorOf(int(count), LinkStep::Open);
    return false;
  }
  for (ssize_t i = 0; i < count; ++i) {
    libusb_device_descriptor descriptor;
    if (libusb_get_device_descriptor(list[i], &descriptor) != 0) continue;
    int interfaceNumber = PrinterInterface(list[i]);
    if (interfaceNumber < 0) continue;
    char id[32];
    std::snprintf(id, sizeof id, "USB\\VID_%04X&PID_%04X", descriptor.idVendor,
                  descriptor.idProduct);
    if (matches({id}) && !visit(list[i], descriptor, interfaceNumber)) break;
  }
  libusb_free_device_list(list, 1);
  return true;
}

bool FindPrinter(void* context, const HardwareIdMatch& matches, std::string& key,
                 LinkError& error) {
  bool found = false;
  const bool walked = ForEachMatchingPrinter(
      context, matches,
      [&](libusb_device* device, const libusb_device_descriptor&, int number) {
        key = DeviceKey(device, number);
        found = true;
        return false;
      },
      &error);
  if (walked && !found) error = LinkError{LinkErrorKind::NoDevice, LinkStep::Open, 0, 0, ""};
  return found;
}

// The serial number as sysfs gives it to every user, without opening the
// device; on other systems (or without sysfs) from the device itself.
std::string SerialNumber(libusb_device* device, libusb_device_handle* handle,
                         std::uint8_t serialIndex) {
  std::string serial;
#ifdef __linux__
  std::uint8_t ports[8];
  const int depth = libusb_get_port_numbers(device, ports, sizeof ports);
  if (depth > 0) {
    std::string name = std::to_string(libusb_get_bus_number(device)) + "-";
    for (int i = 0; i < depth; ++i) name += (i ? "." : "") + std::to_string(ports[i]);
    std::ifstream file("/sys/bus/usb/devices/" + name + "/serial");
    std::getline(file, serial);
  }
#endif
  unsigned char text[128];
  if (serial.empty() && handle && serialIndex != 0) {
    const int length = libusb_get_string_descriptor_ascii(handle, serialIndex, text, sizeof text);
    if (length > 0) serial.assign(reinterpret_cast<const char*>(text), std::size_t(length));
  }
  return serial;
}

bool ListPrinters(void* context, const HardwareIdMatch& matches,
                  std::vector<PresentPrinter>& printers) {
  return ForEachMatchingPrinter(
      context, matches,
      [&](libusb_device* device, const libusb_device_descriptor& descriptor, int interfaceNumber) {
        PresentPrinter printer;
        printer.key = DeviceKey(device, interfaceNumber);
        printer.location = std::to_string(libusb_get_bus_number(device)) + ":" +
                           std::to_string(libusb_get_device_address(device));
        // Opening sends nothing; it is how to learn whether this user may.
        libusb_device_handle* handle = nullptr;
        const int opened = libusb_open(device, &handle);
        printer.access = opened == 0                     ? PrinterAccess::Granted
                         : opened == LIBUSB_ERROR_ACCESS ? PrinterAccess::Denied
                                                         : PrinterAccess::Failed;
        printer.serial =
            SerialNumber(device, opened == 0 ? handle : nullptr, descriptor.iSerialNumber);
        if (opened == 0) libusb_close(handle);
        printers.push_back(std::move(printer));
        return true;
      });
}

bool Open(void* context, const std::string& key, const ExpectedDevice& expected, void* storage,
          LinkError& error) {
  libusb_context* session = Session(context, &error);
  if (!session) return false;
  unsigned bus = 0, address = 0;
  int interfaceNumber = -1;
  if (std::sscanf(key.c_str(), "%u:%u:%d", &bus, &address, &interfaceNumber) != 3) {
    error = LinkError{LinkErrorKind::NoDevice, LinkStep::Open, 0, 0, "no such device: " + key};
    return false;
  }

  libusb_device** list = nullptr;
  ssize_t count = libusb_get_device_list(session, &list);
  if (count < 0) {
    error = ErrorOf(int(count), LinkStep::Open);
    return false;
  }
  libusb_device_handle* handle = nullptr;
  error = LinkError{LinkErrorKind::NoDevice, LinkStep::Open, 0, 0, ""};
  for (ssize_t i = 0; i < count; ++i) {
    if (libusb_get_bus_number(list[i]) != bus || libusb_get_device_address(list[i]) != address)
      continue;
    // An address is reused once a device goes: check it is still the one
    // that was found, by its IDs and, where one was chosen, its serial.
    libusb_device_descriptor descriptor;
    if (libusb_get_device_descriptor(list[i], &descriptor) != 0 ||
        descriptor.idVendor != expected.vendorId || descriptor.idProduct != expected.productId) {
      error.osText = "another device is at " + key.substr(0, key.rfind(':'));
      break;
    }
    const int opened = libusb_open(list[i], &handle);
    if (opened != 0) {
      error = ErrorOf(opened, LinkStep::Open);
      handle = nullptr;
    } else if (!expected.serial.empty() &&
               SerialNumber(list[i], handle, descriptor.iSerialNumber) != expected.serial) {
      libusb_close(handle);
      handle = nullptr;
      error.osText =
          "the printer at " + key.substr(0, key.rfind(':')) + " is no longer " + expected.serial;
    }
    break;
  }
  libusb_free_device_list(list, 1);
  if (!handle) return false;
  new (storage) OpenPrinter{handle, static_cast<std::uint16_t>(interfaceNumber)};
  return true;
}

void Close(void*, void* storage) {
  auto* printer = static_cast<OpenPrinter*>(storage);
  libusb_close(printer->handle);
  printer->~OpenPrinter();
}

int VendorRequest(void* context, void* storage, const std::uint8_t input[3], std::uint8_t* reply,
                  std::uint16_t length, LinkError& error) {
  auto* printer = static_cast<OpenPrinter*>(storage);
  ControlSetup setup = ControlSetupFromPrintSupportInput(input, printer->interfaceNumber, length);
  const int received =
      libusb_control_transfer(printer->handle, setup.bmRequestType, setup.bRequest, setup.wValue,
                              setup.wIndex, reply, setup.wLength, State(context).timeoutMs);
  if (received < 0) {
    error = ErrorOf(received, LinkStep::Request);
    return -1;
  }
  return received;
}

const DeviceBackend kLibusbBackend = {"libusb",      &g_state, sizeof(OpenPrinter),
                                      FindPrinter,   Open,     Close,
                                      VendorRequest, Release,  ListPrinters};

}  // namespace

const DeviceBackend& LibusbBackend() { return kLibusbBackend; }

#ifndef _WIN32
const DeviceBackend& PlatformDeviceBackend() { return LibusbBackend(); }
#endif

void SetLibusbTransferTimeout(unsigned milliseconds) { g_state.timeoutMs = milliseconds; }
