// Printers are the present devices of the USB printer interface class;
// requests go through the driver's vendor-command I/O control, overlapped
// and bounded in time.
#include "device/backend_usbprint.h"

#include <winioctl.h>
// Defines GUID_DEVINTERFACE_USBPRINT here (the one unit that uses it).
#include <initguid.h>
#include <usbprint.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdio>
#include <cwchar>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/win32/system_error_text.h"
#include "common/win32/utf16.h"

namespace {

const UsbprintPlatform& Os(void* context) { return *static_cast<const UsbprintPlatform*>(context); }

// The present devices of the printer interface class, released however
// the search ends.
class PrinterDeviceSet {
 public:
  explicit PrinterDeviceSet(const UsbprintPlatform& os)
      : os_(os),
        set_(os.getClassDevs ? os.getClassDevs(&GUID_DEVINTERFACE_USBPRINT, nullptr, nullptr,
                                               DIGCF_PRESENT | DIGCF_DEVICEINTERFACE)
                             : INVALID_HANDLE_VALUE) {}
  ~PrinterDeviceSet() {
    if (set_ != INVALID_HANDLE_VALUE) os_.destroyDeviceInfoList(set_);
  }
  PrinterDeviceSet(const PrinterDeviceSet&) = delete;
  PrinterDeviceSet& operator=(const PrinterDeviceSet&) = delete;

  bool Valid() const { return set_ != INVALID_HANDLE_VALUE; }
  HDEVINFO Get() const { return set_; }

 private:
  const UsbprintPlatform& os_;
  HDEVINFO set_;
};

enum class IdsRead { Read, None, Failed };

// The device's hardware IDs, a list of strings ended by an empty one, read
// with a buffer as large as the system asks for.
IdsRead ReadHardwareIds(const UsbprintPlatform& os, HDEVINFO set, SP_DEVINFO_DATA& info,
                        std::vector<std::string>& ids) {
  std::vector<BYTE> buffer;
  DWORD size = 0;
  while (!os.getDeviceRegistryProperty(set, &info, SPDRP_HARDWAREID, nullptr,
                                       buffer.empty() ? nullptr : buffer.data(),
                                       DWORD(buffer.size()), &size)) {
    DWORD error = GetLastError();
    if (error == ERROR_INVALID_DATA) return IdsRead::None;  // a device without hardware IDs
    // A size that does not grow would ask for ever.
    if (error != ERROR_INSUFFICIENT_BUFFER || size <= buffer.size()) return IdsRead::Failed;
    buffer.assign(size, 0);
  }
  const auto* p = reinterpret_cast<const wchar_t*>(buffer.data());
  const wchar_t* end = p + std::min<std::size_t>(size, buffer.size()) / sizeof(wchar_t);
  while (p < end && *p) {
    const wchar_t* start = p;
    while (p < end && *p) ++p;
    ids.push_back(Utf8(std::wstring_view(start, std::size_t(p - start))));
    ++p;
  }
  return IdsRead::Read;
}

// The device path of the printer interface with the given member index.
bool InterfacePath(const UsbprintPlatform& os, HDEVINFO set, DWORD index, std::wstring& path) {
  SP_DEVICE_INTERFACE_DATA iface{};
  iface.cbSize = sizeof iface;
  if (!os.enumDeviceInterfaces(set, nullptr, &GUID_DEVINTERFACE_USBPRINT, index, &iface))
    return false;
  DWORD size = 0;
  os.getDeviceInterfaceDetail(set, &iface, nullptr, 0, &size, nullptr);
  if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) return false;
  std::vector<BYTE> buffer(size, 0);
  auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer.data());
  detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
  if (!os.getDeviceInterfaceDetail(set, &iface, detail, size, nullptr, nullptr)) return false;
  const std::size_t room =
      (size - offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath)) / sizeof(wchar_t);
  path.assign(detail->DevicePath, wcsnlen(detail->DevicePath, room));
  return !path.empty();
}

// Calls `visit` with the member index of each present device that `matches`
// accepts, in enumeration order, until it returns false. False when the
// device list or a device's hardware IDs could not be read.
template <typename Visit>
bool ForEachMatchingDevice(const UsbprintPlatform& os, const PrinterDeviceSet& devices,
                           const HardwareIdMatch& matches, Visit visit) {
  if (!devices.Valid()) return false;
  SP_DEVINFO_DATA info{};
  info.cbSize = sizeof info;
  for (DWORD index = 0; os.enumDeviceInfo(devices.Get(), index, &info); ++index) {
    std::vector<std::string> ids;
    switch (ReadHardwareIds(os, devices.Get(), info, ids)) {
      case IdsRead::Failed: return false;
      case IdsRead::None: continue;
      case IdsRead::Read: break;
    }
    if (matches(ids) && !visit(index)) break;
  }
  return true;
}

LinkError SystemError(DWORD code, LinkStep step) {
  LinkErrorKind kind = LinkErrorKind::Io;
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DEVICE_NOT_CONNECTED:
    case ERROR_DEV_NOT_EXIST: kind = LinkErrorKind::NoDevice; break;
    case ERROR_ACCESS_DENIED: kind = LinkErrorKind::AccessDenied; break;
    case ERROR_SHARING_VIOLATION:
    case ERROR_BUSY: kind = LinkErrorKind::Busy; break;
    case ERROR_SEM_TIMEOUT:
    case ERROR_OPERATION_ABORTED: kind = LinkErrorKind::TimedOut; break;
    case ERROR_NOT_SUPPORTED:
    case ERROR_INVALID_FUNCTION: kind = LinkErrorKind::Refused; break;
    default: break;
  }
  LinkError error{kind, step, 0, int(code), ""};
  if (kind == LinkErrorKind::TimedOut) return error;
  error.osText = SystemErrorText(code);
  return error;
}

bool FindPrinter(void* context, const HardwareIdMatch& matches, std::string& key,
                 LinkError& error) {
  const UsbprintPlatform& os = Os(context);
  PrinterDeviceSet devices(os);
  if (!devices.Valid()) {
    error = SystemError(GetLastError(), LinkStep::Open);
    return false;
  }
  bool found = false;
  const bool walked = ForEachMatchingDevice(os, devices, matches, [&](DWORD index) {
    // Only the first matching device is tried.
    std::wstring path;
    found = InterfacePath(os, devices.Get(), index, path);
    if (found) key = Utf8(std::wstring_view(path.data(), path.size()));
    return false;
  });
  if (!walked)
    error = SystemError(GetLastError(), LinkStep::Open);
  else if (!found)
    error = LinkError{LinkErrorKind::NoDevice, LinkStep::Open, 0, 0, ""};
  return walked && found;
}

HANDLE OpenPath(const UsbprintPlatform& os, const std::wstring& path) {
  return os.createFile(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OVERLAPPED, nullptr);
}

// The device path is "\\?\usb#vid_xxxx&pid_xxxx#INSTANCE#{class}"; a device
// with a serial number has it as its instance, one without gets a made-up
// instance holding "&".
std::string SerialInPath(const std::wstring& path) {
  const std::size_t first = path.find(L'#');
  const std::size_t second = first == std::wstring::npos ? first : path.find(L'#', first + 1);
  const std::size_t third = second == std::wstring::npos ? second : path.find(L'#', second + 1);
  if (third == std::wstring::npos) return "";
  const std::wstring_view instance(path.data() + second + 1, third - second - 1);
  return instance.find(L'&') == std::wstring_view::npos ? Utf8(instance) : "";
}

bool ListPrinters(void* context, const HardwareIdMatch& matches,
                  std::vector<PresentPrinter>& printers) {
  const UsbprintPlatform& os = Os(context);
  PrinterDeviceSet devices(os);
  return ForEachMatchingDevice(os, devices, matches, [&](DWORD index) {
    std::wstring path;
    if (!InterfacePath(os, devices.Get(), index, path)) return true;  // gone meanwhile
    PresentPrinter printer;
    printer.key = printer.location = Utf8(std::wstring_view(path.data(), path.size()));
    printer.serial = SerialInPath(path);
    // Opening sends nothing; it is how to learn whether this user may.
    const HANDLE handle = OpenPath(os, path);
    printer.access = handle != INVALID_HANDLE_VALUE          ? PrinterAccess::Granted
                     : GetLastError() == ERROR_ACCESS_DENIED ? PrinterAccess::Denied
                                                             : PrinterAccess::Failed;
    if (handle != INVALID_HANDLE_VALUE) os.closeHandle(handle);
    printers.push_back(std::move(printer));
    return true;
  });
}

// The device path names the device's vendor and product ID ("vid_xxxx&pid_xxxx")
// and its serial number as its instance.
bool PathIsOf(const std::wstring& path, const ExpectedDevice& expected) {
  wchar_t ids[32];
  std::swprintf(ids, 32, L"vid_%04x&pid_%04x", expected.vendorId, expected.productId);
  std::wstring lower = path;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](wchar_t c) { return c < 0x80 ? wchar_t(std::tolower(c)) : c; });
  return lower.find(ids) != std::wstring::npos &&
         (expected.serial.empty() || SerialInPath(path) == expected.serial);
}

bool Open(void* context, const std::string& key, const ExpectedDevice& expected, void* storage,
          LinkError& error) {
  const std::wstring path = Wide(key);
  if (!PathIsOf(path, expected)) {
    error = LinkError{LinkErrorKind::NoDevice, LinkStep::Open, 0, 0, "not the printer: " + key};
    return false;
  }
  const HANDLE handle = OpenPath(Os(context), path);
  if (handle == INVALID_HANDLE_VALUE) {
    error = SystemError(GetLastError(), LinkStep::Open);
    return false;
  }
  *static_cast<HANDLE*>(storage) = handle;
  return true;
}

void Close(void* context, void* storage) {
  Os(context).closeHandle(*static_cast<HANDLE*>(storage));
}

// The request is overlapped so that it can be bounded: after the time-out
// it is cancelled, and the cancellation is waited for, because until the
// driver completes the request it may still write into reply and overlapped.
int VendorRequest(void* context, void* storage, const std::uint8_t input[3], std::uint8_t* reply,
                  std::uint16_t length, LinkError& error) {
  const UsbprintPlatform& os = Os(context);
  HANDLE device = *static_cast<HANDLE*>(storage);
  OVERLAPPED overlapped{};
  overlapped.hEvent = os.createEvent(nullptr, TRUE, FALSE, nullptr);
  if (!overlapped.hEvent) {
    error = SystemError(GetLastError(), LinkStep::Request);
    return -1;
  }

  BYTE command[3] = {input[0], input[1], input[2]};
  DWORD returned = 0;
  bool started = os.deviceIoControl(device, IOCTL_USBPRINT_VENDOR_GET_COMMAND, command,
                                    sizeof command, reply, length, &returned, &overlapped);
  bool done = started;
  // The driver may also end an unanswered request itself, as an I/O time-out.
  DWORD failure = started ? 0 : GetLastError();
  bool timedOut = failure == ERROR_SEM_TIMEOUT;
  if (!started && failure == ERROR_IO_PENDING) {
    if (os.waitForSingleObject(overlapped.hEvent, kTransferTimeoutMs) != WAIT_OBJECT_0) {
      os.cancelIoEx(device, &overlapped);
      timedOut = true;
    }
    // Returns once the driver has completed the request, cancelled or not.
    done = os.getOverlappedResult(device, &overlapped, &returned, TRUE);
    if (!done) failure = GetLastError();
  }
  os.closeHandle(overlapped.hEvent);
  if (done) return static_cast<int>(returned);  // answered, even during the cancellation
  error = timedOut ? LinkError{LinkErrorKind::TimedOut, LinkStep::Request, 0, int(failure), ""}
                   : SystemError(failure, LinkStep::Request);
  return -1;
}

}  // namespace

namespace {

// The device search's DLL is loaded when the printer is first looked for,
// not at the program's start, which needs only its window and icon. From
// the system folder only, wherever the program was copied to.
template <typename Function>
Function FromSetupApi(const char* name) {
  static const HMODULE setupApi =
      LoadLibraryExW(L"setupapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (!setupApi) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(setupApi, name)));
}

}  // namespace

const UsbprintPlatform& SystemUsbprintPlatform() {
  static const UsbprintPlatform system = {
      FromSetupApi<decltype(&SetupDiGetClassDevsW)>("SetupDiGetClassDevsW"),
      FromSetupApi<decltype(&SetupDiEnumDeviceInfo)>("SetupDiEnumDeviceInfo"),
      FromSetupApi<decltype(&SetupDiGetDeviceRegistryPropertyW)>(
          "SetupDiGetDeviceRegistryPropertyW"),
      FromSetupApi<decltype(&SetupDiEnumDeviceInterfaces)>("SetupDiEnumDeviceInterfaces"),
      FromSetupApi<decltype(&SetupDiGetDeviceInterfaceDetailW)>("SetupDiGetDeviceInterfaceDetailW"),
      FromSetupApi<decltype(&SetupDiDestroyDeviceInfoList)>("SetupDiDestroyDeviceInfoList"),
      CreateFileW,
      CloseHandle,
      DeviceIoControl,
      CreateEventW,
      WaitForSingleObject,
      CancelIoEx,
      GetOverlappedResult,
  };
  return system;
}

DeviceBackend UsbprintBackend(const UsbprintPlatform& platform) {
  return {"usbprint",     const_cast<UsbprintPlatform*>(&platform),
          sizeof(HANDLE), FindPrinter,
          Open,           Close,
          VendorRequest,  nullptr,
          ListPrinters};
}

const DeviceBackend& PlatformDeviceBackend() {
  static const DeviceBackend backend = UsbprintBackend(SystemUsbprintPlatform());
  return backend;
}
