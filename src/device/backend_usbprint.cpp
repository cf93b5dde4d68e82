// The Windows backend: the printing-support driver (usbprint). Printers are
// the present devices of the USB printer interface class; requests go
// through its vendor-command I/O control.
#include <windows.h>
#include <setupapi.h>
#include <usbprint.h>

#include <string>
#include <vector>

#include "device/device_backend.h"

namespace {

// Ends a device information set however the function using it returns.
struct DeviceInfoSet {
  HDEVINFO set = SetupDiGetClassDevsW(&GUID_DEVINTERFACE_USBPRINT, nullptr, nullptr,
                                      DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  ~DeviceInfoSet() {
    if (set != INVALID_HANDLE_VALUE) SetupDiDestroyDeviceInfoList(set);
  }
};

enum class IdsResult { Read, NoIds, Failed };

// The device's hardware IDs (a list of strings ended by an empty one).
IdsResult HardwareIds(HDEVINFO set, SP_DEVINFO_DATA& info, std::vector<std::string>& ids) {
  std::vector<BYTE> buffer;
  DWORD size = 0;
  while (!SetupDiGetDeviceRegistryPropertyW(set, &info, SPDRP_HARDWAREID, nullptr,
                                            buffer.empty() ? nullptr : buffer.data(),
                                            static_cast<DWORD>(buffer.size()), &size)) {
    DWORD error = GetLastError();
    if (error == ERROR_INVALID_DATA) return IdsResult::NoIds;
    if (error != ERROR_INSUFFICIENT_BUFFER || size <= buffer.size()) return IdsResult::Failed;
    buffer.assign(size, 0);
  }
  const wchar_t* p = reinterpret_cast<const wchar_t*>(buffer.data());
  const wchar_t* end = p + buffer.size() / sizeof(wchar_t);
  while (p < end && *p) {
    std::string id;
    for (; p < end && *p; ++p) id += (*p < 128) ? char(*p) : '?';  // IDs are ASCII
    ids.push_back(id);
    ++p;
  }
  return IdsResult::Read;
}

bool ListPrinters(std::vector<PresentDevice>& out) {
  out.clear();
  DeviceInfoSet devices;
  if (devices.set == INVALID_HANDLE_VALUE) return false;
  SP_DEVINFO_DATA info{};
  info.cbSize = sizeof info;
  for (DWORD index = 0; SetupDiEnumDeviceInfo(devices.set, index, &info); ++index) {
    PresentDevice device;
    switch (HardwareIds(devices.set, info, device.hardwareIds)) {
      case IdsResult::Failed:
        // Fails the search only if no printer before it matches.
        out.push_back({{}, {}, true});
        return true;
      case IdsResult::NoIds: continue;
      case IdsResult::Read: break;
    }
    device.key = std::to_string(index);
    out.push_back(std::move(device));
  }
  return true;
}

// The device path of the printer interface with the given member index.
bool DevicePath(DWORD index, std::wstring& path) {
  DeviceInfoSet devices;
  if (devices.set == INVALID_HANDLE_VALUE) return false;
  SP_DEVICE_INTERFACE_DATA iface{};
  iface.cbSize = sizeof iface;
  if (!SetupDiEnumDeviceInterfaces(devices.set, nullptr, &GUID_DEVINTERFACE_USBPRINT, index,
                                   &iface))
    return false;
  DWORD size = 0;
  SetupDiGetDeviceInterfaceDetailW(devices.set, &iface, nullptr, 0, &size, nullptr);
  if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) return false;
  std::vector<BYTE> buffer(size, 0);
  auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer.data());
  detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
  if (!SetupDiGetDeviceInterfaceDetailW(devices.set, &iface, detail, size, nullptr, nullptr))
    return false;
  path = detail->DevicePath;
  return true;
}

DeviceHandle Open(const std::string& key) {
  std::wstring path;
  if (!DevicePath(static_cast<DWORD>(std::stoul(key)), path)) return kInvalidDeviceHandle;
  HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  return handle == INVALID_HANDLE_VALUE ? kInvalidDeviceHandle
                                        : reinterpret_cast<DeviceHandle>(handle);
}

void Close(DeviceHandle handle) { CloseHandle(reinterpret_cast<HANDLE>(handle)); }

int VendorRequest(DeviceHandle handle, const std::uint8_t input[3], std::uint8_t* reply,
                  std::uint16_t length) {
  BYTE command[3] = {input[0], input[1], input[2]};
  DWORD returned = 0;
  if (!DeviceIoControl(reinterpret_cast<HANDLE>(handle), IOCTL_USBPRINT_VENDOR_GET_COMMAND,
                       command, sizeof command, reply, length, &returned, nullptr))
    // The driver ends a request the printer leaves unanswered as an I/O time-out.
    return GetLastError() == ERROR_SEM_TIMEOUT ? kVendorRequestTimedOut : 0;
  return static_cast<int>(returned);
}

const DeviceBackend kUsbprintBackend = {"usbprint", ListPrinters, Open, Close, VendorRequest};

}  // namespace

const DeviceBackend* PlatformDeviceBackend() { return &kUsbprintBackend; }
