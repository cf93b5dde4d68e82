#include "device/backend_libusb.h"

#include <libusb.h>

#include <cstdio>
#include <string>

#include "device/control_setup.h"

namespace {

constexpr std::uint8_t kPrinterClass = 7;

// The backend's context: the libusb session, made at the first use.
struct LibusbState {
  libusb_context* session = nullptr;
  unsigned timeoutMs = kTransferTimeoutMs;
};

LibusbState g_state;

LibusbState& State(void* context) { return *static_cast<LibusbState*>(context); }

struct OpenPrinter {
  libusb_device_handle* handle;
  std::uint16_t interfaceNumber;
};

libusb_context* Session(void* context) {
  LibusbState& state = State(context);
  if (!state.session && libusb_init(&state.session) != 0) state.session = nullptr;
  return state.session;
}

void Release(void* context) {
  LibusbState& state = State(context);
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

bool FindPrinter(void* context, const HardwareIdMatch& matches, std::string& key) {
  libusb_context* session = Session(context);
  if (!session) return false;
  libusb_device** list = nullptr;
  ssize_t count = libusb_get_device_list(session, &list);
  if (count < 0) return false;
  bool found = false;
  for (ssize_t i = 0; i < count && !found; ++i) {
    libusb_device_descriptor descriptor;
    if (libusb_get_device_descriptor(list[i], &descriptor) != 0) continue;
    int interfaceNumber = PrinterInterface(list[i]);
    if (interfaceNumber < 0) continue;
    char id[32];
    std::snprintf(id, sizeof id, "USB\\VID_%04X&PID_%04X", descriptor.idVendor,
                  descriptor.idProduct);
    if (!matches({id})) continue;
    key = DeviceKey(list[i], interfaceNumber);
    found = true;
  }
  libusb_free_device_list(list, 1);
  return found;
}

DeviceHandle Open(void* context, const std::string& key) {
  libusb_context* session = Session(context);
  if (!session) return kInvalidDeviceHandle;
  unsigned bus = 0, address = 0;
  int interfaceNumber = -1;
  if (std::sscanf(key.c_str(), "%u:%u:%d", &bus, &address, &interfaceNumber) != 3)
    return kInvalidDeviceHandle;

  libusb_device** list = nullptr;
  ssize_t count = libusb_get_device_list(session, &list);
  if (count < 0) return kInvalidDeviceHandle;
  libusb_device_handle* handle = nullptr;
  for (ssize_t i = 0; i < count; ++i) {
    if (libusb_get_bus_number(list[i]) == bus && libusb_get_device_address(list[i]) == address) {
      // A device the user may not access fails here, like one not found.
      if (libusb_open(list[i], &handle) != 0) handle = nullptr;
      break;
    }
  }
  libusb_free_device_list(list, 1);
  if (!handle) return kInvalidDeviceHandle;
  auto* printer = new OpenPrinter{handle, static_cast<std::uint16_t>(interfaceNumber)};
  return reinterpret_cast<DeviceHandle>(printer);
}

void Close(void*, DeviceHandle handle) {
  auto* printer = reinterpret_cast<OpenPrinter*>(handle);
  libusb_close(printer->handle);
  delete printer;
}

int VendorRequest(void* context, DeviceHandle handle, const std::uint8_t input[3], std::uint8_t* reply,
                  std::uint16_t length) {
  auto* printer = reinterpret_cast<OpenPrinter*>(handle);
  ControlSetup setup = ControlSetupFromPrintSupportInput(input, printer->interfaceNumber, length);
  int received = libusb_control_transfer(printer->handle, setup.bmRequestType, setup.bRequest,
                                         setup.wValue, setup.wIndex, reply, setup.wLength,
                                         State(context).timeoutMs);
  if (received == LIBUSB_ERROR_TIMEOUT) return kVendorRequestTimedOut;
  return received > 0 ? received : 0;
}

const DeviceBackend kLibusbBackend = {"libusb", &g_state, FindPrinter, Open, Close, VendorRequest,
                                      Release};

}  // namespace

const DeviceBackend* LibusbBackend() { return &kLibusbBackend; }

#ifndef _WIN32
const DeviceBackend* PlatformDeviceBackend() { return LibusbBackend(); }
#endif

void SetLibusbTransferTimeout(unsigned milliseconds) { g_state.timeoutMs = milliseconds; }
