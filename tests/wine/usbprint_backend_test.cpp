// The printing-support driver backend on a driver of the test's own: the
// system functions it calls are answered from a list of present devices,
// with the simulated printer behind the I/O control and faults scripted per
// test. Every test ends with every device list, file and event released.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "device/backend_usbprint.h"
#include "device/control_setup.h"
#include "device/device_link.h"
#include "device/request_catalogue.h"
#include "sim/tarnlow_printer.h"

namespace {

struct FakeDevice {
  std::vector<std::wstring> hardwareIds;
  DWORD idsError = 0;  // the property read fails with this
  // Added to the list between the size query and the read: the caller has
  // to ask again with the larger size.
  std::wstring addedWhileReading;
  std::wstring path;
};

struct FakeDriver {
  std::vector<FakeDevice> devices;
  bool listFails = false;
  int failingOpen = 0;          // the n-th CreateFileW fails
  bool completesLater = false;  // requests return pending, done at the first wait

  TarnlowPrinter printer;

  // What the backend asked for.
  GUID classGuid{};
  DWORD classFlags = 0;
  std::vector<DWORD> idsReadOf;  // device index of every property read
  std::vector<DWORD> interfaceIndexes;
  std::vector<std::wstring> opened;
  std::vector<DWORD> openFlags;
  DWORD ioControlCode = 0;
  std::vector<std::uint8_t> input;
  std::vector<std::string> transferSteps;

  // What it holds.
  std::set<HANDLE> lists, files, events;
  int nextHandle = 0x100;

  // The request in flight.
  OVERLAPPED* pending = nullptr;
  DWORD pendingCount = 0;
  bool hangs = false, cancelled = false;
};
FakeDriver* g_driver = nullptr;

HANDLE NewHandle() { return reinterpret_cast<HANDLE>(std::intptr_t(g_driver->nextHandle += 4)); }

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

HDEVINFO WINAPI GetClassDevs(const GUID* guid, PCWSTR, HWND, DWORD flags) {
  g_driver->classGuid = *guid;
  g_driver->classFlags = flags;
  if (g_driver->listFails) {
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  HANDLE list = NewHandle();
  g_driver->lists.insert(list);
  return list;
}

BOOL WINAPI EnumDeviceInfo(HDEVINFO list, DWORD index, PSP_DEVINFO_DATA info) {
  if (!g_driver->lists.count(list) || info->cbSize != sizeof *info)
    return Fail(ERROR_INVALID_PARAMETER);
  if (index >= g_driver->devices.size()) return Fail(ERROR_NO_MORE_ITEMS);
  info->DevInst = index;
  return TRUE;
}

BOOL WINAPI GetDeviceRegistryProperty(HDEVINFO list, PSP_DEVINFO_DATA info, DWORD property, PDWORD,
                                      PBYTE buffer, DWORD size, PDWORD required) {
  if (!g_driver->lists.count(list) || property != SPDRP_HARDWAREID)
    return Fail(ERROR_INVALID_PARAMETER);
  g_driver->idsReadOf.push_back(info->DevInst);
  FakeDevice& device = g_driver->devices[info->DevInst];
  if (device.idsError) return Fail(device.idsError);
  if (buffer && !device.addedWhileReading.empty()) {
    device.hardwareIds.push_back(device.addedWhileReading);
    device.addedWhileReading.clear();
  }
  // A multi-string: every ID ends with a null, the list with one more, the
  // string's own.
  std::wstring ids;
  for (const std::wstring& id : device.hardwareIds) ids += id + L'\0';
  const DWORD bytes = DWORD((ids.size() + 1) * sizeof(wchar_t));
  if (required) *required = bytes;
  if (!buffer || size < bytes) return Fail(ERROR_INSUFFICIENT_BUFFER);
  std::memcpy(buffer, ids.c_str(), bytes);
  return TRUE;
}

BOOL WINAPI EnumDeviceInterfaces(HDEVINFO list, PSP_DEVINFO_DATA info, const GUID* guid,
                                 DWORD index, PSP_DEVICE_INTERFACE_DATA iface) {
  if (!g_driver->lists.count(list) || info || !IsEqualGUID(*guid, g_driver->classGuid) ||
      iface->cbSize != sizeof *iface)
    return Fail(ERROR_INVALID_PARAMETER);
  g_driver->interfaceIndexes.push_back(index);
  if (index >= g_driver->devices.size()) return Fail(ERROR_NO_MORE_ITEMS);
  iface->Reserved = index;
  return TRUE;
}

BOOL WINAPI GetDeviceInterfaceDetail(HDEVINFO list, PSP_DEVICE_INTERFACE_DATA iface,
                                     PSP_DEVICE_INTERFACE_DETAIL_DATA_W detail, DWORD size,
                                     PDWORD required, PSP_DEVINFO_DATA) {
  if (!g_driver->lists.count(list)) return Fail(ERROR_INVALID_PARAMETER);
  const std::wstring& path = g_driver->devices[iface->Reserved].path;
  if (path.empty()) return Fail(ERROR_NOT_FOUND);  // the interface went away
  const DWORD bytes =
      DWORD(offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath) + (path.size() + 1) * 2);
  if (required) *required = bytes;
  if (!detail || size < bytes) return Fail(ERROR_INSUFFICIENT_BUFFER);
  if (detail->cbSize != sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W))
    return Fail(ERROR_INVALID_USER_BUFFER);
  std::memcpy(detail->DevicePath, path.c_str(), (path.size() + 1) * 2);
  return TRUE;
}

BOOL WINAPI DestroyDeviceInfoList(HDEVINFO list) {
  return g_driver->lists.erase(list) ? TRUE : Fail(ERROR_INVALID_HANDLE);
}

HANDLE WINAPI CreateFile_(LPCWSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES,
                          DWORD disposition, DWORD flags, HANDLE) {
  g_driver->opened.push_back(path);
  g_driver->openFlags.push_back(flags);
  const bool asked = access == (GENERIC_READ | GENERIC_WRITE) &&
                     share == (FILE_SHARE_READ | FILE_SHARE_WRITE) && disposition == OPEN_EXISTING;
  if (!asked || int(g_driver->opened.size()) == g_driver->failingOpen) {
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  HANDLE file = NewHandle();
  g_driver->files.insert(file);
  return file;
}

BOOL WINAPI CloseHandle_(HANDLE handle) {
  if (g_driver->files.erase(handle) || g_driver->events.erase(handle)) return TRUE;
  ADD_FAILURE() << "closing a handle that is not open";
  return Fail(ERROR_INVALID_HANDLE);
}

HANDLE WINAPI CreateEvent_(LPSECURITY_ATTRIBUTES, BOOL manualReset, BOOL initialState, LPCWSTR) {
  EXPECT_TRUE(manualReset);
  EXPECT_FALSE(initialState);
  HANDLE event = NewHandle();
  g_driver->events.insert(event);
  return event;
}

// The simulated printer answers; a request it never answers stays pending
// until it is cancelled.
BOOL WINAPI DeviceIoControl_(HANDLE file, DWORD code, LPVOID in, DWORD inSize, LPVOID out,
                             DWORD outSize, LPDWORD returned, LPOVERLAPPED overlapped) {
  g_driver->transferSteps.push_back("control");
  if (!g_driver->files.count(file) || !overlapped || !g_driver->events.count(overlapped->hEvent))
    return Fail(ERROR_INVALID_PARAMETER);
  g_driver->ioControlCode = code;
  const auto* bytes = static_cast<const std::uint8_t*>(in);
  g_driver->input.assign(bytes, bytes + inSize);
  if (inSize != 3) return Fail(ERROR_INVALID_PARAMETER);
  ControlSetup setup = ControlSetupFromPrintSupportInput(bytes, TarnlowPrinter::kInterfaceNumber,
                                                         std::uint16_t(outSize));
  TarnlowPrinter::Answer answer = g_driver->printer.Handle(setup);
  if (answer.kind == TarnlowPrinter::Answer::Stall) return Fail(ERROR_GEN_FAILURE);
  g_driver->pending = overlapped;
  g_driver->cancelled = false;
  g_driver->hangs = answer.kind == TarnlowPrinter::Answer::Hang;
  if (!g_driver->hangs) {
    g_driver->pendingCount = DWORD(std::min<std::size_t>(answer.bytes.size(), outSize));
    if (g_driver->pendingCount) std::memcpy(out, answer.bytes.data(), g_driver->pendingCount);
  }
  if (g_driver->hangs || g_driver->completesLater) return Fail(ERROR_IO_PENDING);
  g_driver->pending = nullptr;
  *returned = g_driver->pendingCount;
  return TRUE;
}

DWORD WINAPI WaitForSingleObject_(HANDLE handle, DWORD milliseconds) {
  g_driver->transferSteps.push_back("wait " + std::to_string(milliseconds));
  if (!g_driver->pending || handle != g_driver->pending->hEvent) return WAIT_FAILED;
  // A request that hangs is not done however long one waits: the fake
  // spares the test the real wait.
  return g_driver->hangs ? WAIT_TIMEOUT : WAIT_OBJECT_0;
}

BOOL WINAPI CancelIoEx_(HANDLE file, LPOVERLAPPED overlapped) {
  g_driver->transferSteps.push_back("cancel");
  if (!g_driver->files.count(file) || overlapped != g_driver->pending) return Fail(ERROR_NOT_FOUND);
  g_driver->cancelled = true;
  return TRUE;
}

BOOL WINAPI GetOverlappedResult_(HANDLE file, LPOVERLAPPED overlapped, LPDWORD count, BOOL wait) {
  g_driver->transferSteps.push_back(wait ? "result, waiting" : "result");
  if (!g_driver->files.count(file) || overlapped != g_driver->pending)
    return Fail(ERROR_INVALID_PARAMETER);
  if (g_driver->hangs && !g_driver->cancelled) {
    // Waiting here would never return; not waiting leaves it in flight.
    ADD_FAILURE() << "the result of a request still in flight";
    return Fail(ERROR_IO_INCOMPLETE);
  }
  g_driver->pending = nullptr;
  if (g_driver->cancelled) return Fail(ERROR_OPERATION_ABORTED);
  *count = g_driver->pendingCount;
  return TRUE;
}

const UsbprintPlatform kFakePlatform = {
    GetClassDevs,
    EnumDeviceInfo,
    GetDeviceRegistryProperty,
    EnumDeviceInterfaces,
    GetDeviceInterfaceDetail,
    DestroyDeviceInfoList,
    CreateFile_,
    CloseHandle_,
    DeviceIoControl_,
    CreateEvent_,
    WaitForSingleObject_,
    CancelIoEx_,
    GetOverlappedResult_,
};

const std::wstring kTarnlowId = L"USB\\VID_F0CA&PID_7A71";
const std::wstring kInterface = L"{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";
const std::wstring kFirstPath = L"\\\\?\\usb#vid_f0ca&pid_7a71#1#" + kInterface;
const std::wstring kSecondPath = L"\\\\?\\usb#vid_f0ca&pid_7a71#2#" + kInterface;

class UsbprintBackendTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_driver = &driver;
    driver.printer.LoadDemoState();
  }
  void TearDown() override {
    link.Close();
    ExpectAllReleased();
    g_driver = nullptr;
  }
  void ExpectAllReleased() {
    EXPECT_TRUE(driver.lists.empty()) << "a device list was not destroyed";
    EXPECT_TRUE(driver.files.empty()) << "a device handle was not closed";
    EXPECT_TRUE(driver.events.empty()) << "an event was not closed";
  }
  // Opens the link afresh, forgetting what the last open asked for.
  int Open() {
    driver.idsReadOf.clear();
    driver.interfaceIndexes.clear();
    driver.opened.clear();
    driver.openFlags.clear();
    return OpenDeviceLink(link);
  }

  FakeDriver driver;
  DeviceBackend backend = UsbprintBackend(kFakePlatform);
  DeviceLink link{backend};
};

TEST_F(UsbprintBackendTest, OpensTheFirstMatchingPrinterTwiceAndSendsThroughTheDriver) {
  driver.devices = {
      {{L"USB\\VID_04B8&PID_0005"}, 0, {}, L"\\\\?\\usb#other"},
      {{}, ERROR_INVALID_DATA, {}, L"\\\\?\\usb#no-ids"},  // no hardware IDs: skipped
      // The matching ID arrives only with the second, larger read.
      {{L"USB\\VID_F0CA&PID_7A71&REV_0100"}, 0, L"usb\\vid_f0ca&pid_7a71", kFirstPath},
      {{kTarnlowId}, 0, {}, kSecondPath},
  };
  ASSERT_EQ(Open(), 1);

  const GUID usbprint = {
      0x28D78FAD, 0x5A12, 0x11D1, {0xAE, 0x5B, 0x00, 0x00, 0xF8, 0x03, 0xA8, 0xC2}};
  EXPECT_TRUE(IsEqualGUID(driver.classGuid, usbprint));
  EXPECT_EQ(driver.classFlags, DWORD(DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
  EXPECT_EQ(driver.idsReadOf, (std::vector<DWORD>{0, 0, 1, 2, 2, 2}))
      << "size, then the read; the third device asked again when its list grew";
  EXPECT_EQ(driver.interfaceIndexes, (std::vector<DWORD>{2}));
  EXPECT_EQ(driver.opened, (std::vector<std::wstring>{kFirstPath, kFirstPath}));
  for (DWORD flags : driver.openFlags) EXPECT_TRUE(flags & FILE_FLAG_OVERLAPPED);
  EXPECT_EQ(driver.files.size(), 2u);
  EXPECT_TRUE(driver.lists.empty()) << "the list is gone once the printer is open";
  EXPECT_TRUE(link.IsOpen());

  // Answered at once, and answered after a wait.
  for (bool later : {false, true}) {
    driver.completesLater = later;
    driver.transferSteps.clear();
    char reply[1024] = {};
    int count = SendVendorRequest(link, REQ_READ_PANEL_STATUS, 0x0F00, sizeof reply, reply);
    EXPECT_EQ(driver.ioControlCode, DWORD(0x22003C));
    EXPECT_EQ(driver.input, (std::vector<std::uint8_t>{REQ_READ_PANEL_STATUS, 0x00, 0x0F}));
    TarnlowPrinter::Answer expected = driver.printer.Handle(
        ControlSetupFromPrintSupportInput(driver.input.data(), 0, sizeof reply));
    ASSERT_GT(count, 0);
    EXPECT_EQ(std::string(reply, std::size_t(count)),
              std::string(expected.bytes.begin(), expected.bytes.end()));
    const std::vector<std::string> steps =
        later ? std::vector<std::string>{"control", "wait 5000", "result, waiting"}
              : std::vector<std::string>{"control"};
    EXPECT_EQ(driver.transferSteps, steps);
    EXPECT_TRUE(driver.events.empty());
  }
}

TEST_F(UsbprintBackendTest, EveryFailedSearchReleasesWhatItTook) {
  const FakeDevice tarnlow = {{kTarnlowId}, 0, {}, kFirstPath};
  const FakeDevice second = {{kTarnlowId}, 0, {}, kSecondPath};
  const FakeDevice idsDenied = {{}, ERROR_ACCESS_DENIED, {}, {}};
  const FakeDevice noPath = {{kTarnlowId}, 0, {}, {}};
  const FakeDevice longerIds = {
      {kTarnlowId + L"&REV_0100", kTarnlowId + L"&MI_00"}, 0, {}, kFirstPath};
  const struct {
    const char* what;
    std::vector<FakeDevice> devices;
    bool listFails;
    int failingOpen;
    std::vector<std::wstring> opened;
  } searches[] = {
      {"the device list cannot be read", {tarnlow}, true, 0, {}},
      {"hardware IDs that cannot be read end the search", {idsDenied, tarnlow}, false, 0, {}},
      {"only whole IDs match", {longerIds}, false, 0, {}},
      {"the first matching printer's path cannot be read", {noPath, second}, false, 0, {}},
      {"the first matching printer cannot be opened", {tarnlow, second}, false, 1, {kFirstPath}},
      {"the second handle fails", {tarnlow}, false, 2, {kFirstPath, kFirstPath}},
  };
  for (const auto& search : searches) {
    SCOPED_TRACE(search.what);
    driver.devices = search.devices;
    driver.listFails = search.listFails;
    driver.failingOpen = search.failingOpen;
    EXPECT_EQ(Open(), 0);
    EXPECT_EQ(driver.opened, search.opened);
    EXPECT_FALSE(link.IsOpen());
    ExpectAllReleased();
  }
  // IDs that cannot be read after the printer found are not reached.
  driver.listFails = false;
  driver.failingOpen = 0;
  driver.devices = {tarnlow, idsDenied};
  EXPECT_EQ(Open(), 1);
  EXPECT_EQ(driver.idsReadOf, (std::vector<DWORD>{0, 0}));
}

// The command line's list: every matching printer with the serial number in
// its device path and whether it may be opened; then the one chosen opened.
TEST_F(UsbprintBackendTest, ListsEveryPrinterWithItsSerialAndAccess) {
  const std::wstring serialPath = L"\\\\?\\usb#vid_f0ca&pid_7a71#TL5C0042817#" + kInterface;
  const std::wstring noSerialPath = L"\\\\?\\usb#vid_f0ca&pid_7a71#6&1a2b3c&0&2#" + kInterface;
  driver.devices = {
      {{kTarnlowId}, 0, {}, serialPath},
      {{L"USB\\VID_04B8&PID_0005"}, 0, {}, L"\\\\?\\usb#other"},
      {{kTarnlowId}, 0, {}, noSerialPath},
  };
  driver.failingOpen = 2;  // the second printer's open is refused
  const std::optional<std::vector<PresentPrinter>> printers = ListPresentPrinters(backend);
  ASSERT_TRUE(printers.has_value());
  ASSERT_EQ(printers->size(), 2u);
  EXPECT_EQ((*printers)[0].serial, "TL5C0042817");
  EXPECT_EQ((*printers)[0].access, PrinterAccess::Granted);
  EXPECT_EQ((*printers)[1].serial, "") << "a made-up instance is no serial number";
  EXPECT_EQ((*printers)[1].access, PrinterAccess::Denied);
  ExpectAllReleased();

  driver.opened.clear();
  driver.failingOpen = 0;
  ASSERT_TRUE(link.OpenTo((*printers)[0]));
  EXPECT_EQ(driver.opened, (std::vector<std::wstring>{serialPath, serialPath}));
  // Opened again only while the path is still the printer with that serial.
  PresentPrinter other = (*printers)[0];
  other.serial = "TL5C0000001";
  EXPECT_FALSE(link.OpenTo(other));
  EXPECT_EQ(link.OpenError().kind, LinkErrorKind::NoDevice);
  driver.listFails = true;
  EXPECT_FALSE(ListPresentPrinters(backend).has_value());
}

TEST_F(UsbprintBackendTest, ATransferThatNeverCompletesIsCancelledAndAwaited) {
  driver.devices = {{{kTarnlowId}, 0, {}, kFirstPath}};
  ASSERT_EQ(Open(), 1);
  driver.printer.SetFault(REQ_READ_PANEL_STATUS, {TarnlowPrinter::Fault::NeverAnswer, 0, {}});

  char reply[1024] = {};
  const LinkReply hung = link.Request(REQ_READ_PANEL_STATUS, 0, sizeof reply, reply);
  ASSERT_FALSE(hung);
  EXPECT_EQ(hung.error->kind, LinkErrorKind::TimedOut);
  // Waited for the bound, cancelled, and the cancellation waited for: only
  // then may the buffer and the request's record go.
  EXPECT_EQ(driver.transferSteps,
            (std::vector<std::string>{"control", "wait 5000", "cancel", "result, waiting"}));
  EXPECT_EQ(driver.pending, nullptr);
  EXPECT_TRUE(driver.events.empty());

  // Reported as a time-out: the rest of the action does not reach the driver.
  driver.printer.ClearFaults();
  driver.transferSteps.clear();
  EXPECT_EQ(SendVendorRequest(link, REQ_READ_PANEL_STATUS, 0, sizeof reply, reply), 0);
  EXPECT_TRUE(driver.transferSteps.empty());
}

// The same bound on the system's own waiting and cancelling: the request is
// a pipe's wait for a client that never comes.
HANDLE WINAPI CreatePipe_(LPCWSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD flags,
                          HANDLE) {
  static int count = 0;
  std::wstring name = L"\\\\.\\pipe\\vantrel-test-" + std::to_wstring(GetCurrentProcessId()) +
                      L"-" + std::to_wstring(++count);
  return CreateNamedPipeW(name.c_str(), PIPE_ACCESS_DUPLEX | (flags & FILE_FLAG_OVERLAPPED),
                          PIPE_TYPE_BYTE, 1, 0, 0, 0, nullptr);
}

BOOL WINAPI AwaitClient(HANDLE pipe, DWORD, LPVOID, DWORD, LPVOID, DWORD, LPDWORD,
                        LPOVERLAPPED overlapped) {
  return ConnectNamedPipe(pipe, overlapped);
}

TEST(UsbprintOnTheSystem, NoPrinterIsFoundAndAHungRequestEndsAfterTheBound) {
  {
    DeviceLink system(PlatformDeviceBackend());
    EXPECT_EQ(OpenDeviceLink(system), 0) << "Wine lists no printing-support devices";
  }

  FakeDriver driver;
  g_driver = &driver;
  driver.devices = {{{kTarnlowId}, 0, {}, kFirstPath}};
  UsbprintPlatform pipes = SystemUsbprintPlatform();
  pipes.getClassDevs = GetClassDevs;
  pipes.enumDeviceInfo = EnumDeviceInfo;
  pipes.getDeviceRegistryProperty = GetDeviceRegistryProperty;
  pipes.enumDeviceInterfaces = EnumDeviceInterfaces;
  pipes.getDeviceInterfaceDetail = GetDeviceInterfaceDetail;
  pipes.destroyDeviceInfoList = DestroyDeviceInfoList;
  pipes.createFile = CreatePipe_;
  pipes.deviceIoControl = AwaitClient;
  DeviceBackend backend = UsbprintBackend(pipes);
  auto link = std::make_unique<DeviceLink>(backend);
  ASSERT_EQ(OpenDeviceLink(*link), 1);

  char reply[16] = {};
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(SendVendorRequest(*link, REQ_READ_PANEL_STATUS, 0, sizeof reply, reply), 0);
  auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_GE(waited, std::chrono::milliseconds(kTransferTimeoutMs - 50));
  EXPECT_LT(waited, std::chrono::milliseconds(kTransferTimeoutMs + 2000));

  link.reset();
  EXPECT_TRUE(driver.lists.empty());
  g_driver = nullptr;
}

}  // namespace
