// The portable half of the device link: the hardware-ID list, the search
// for the first matching printer and the two handles. The platform half is
// the backend (device_backend.h).
#include "device/device_link.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstring>
#include <string>

#include "device/control_setup.h"
#include "device/device_backend.h"

namespace {

DeviceLink g_link = {{}, kInvalidDeviceHandle, kInvalidDeviceHandle};
const DeviceBackend* g_backend = nullptr;
// A request of this opening of the link timed out, or its budget ran out.
bool g_notAnswering = false;
using Clock = std::chrono::steady_clock;
Clock::time_point g_actionDeadline;

std::string UpperCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

// A device carries the wanted ID when one of its IDs is that whole string,
// in any letter case.
HardwareIdMatch Carrying(const std::string& id) {
  return [wanted = UpperCase(id)](const std::vector<std::string>& ids) {
    return std::any_of(ids.begin(), ids.end(),
                       [&](const std::string& one) { return UpperCase(one) == wanted; });
  };
}

// Both handles on the device under key, or neither.
bool OpenTwice(const DeviceBackend& backend, const std::string& key) {
  g_link.hPipeA = backend.open(backend.context, key);
  g_link.hPipeB = g_link.hPipeA == kInvalidDeviceHandle ? kInvalidDeviceHandle
                                                        : backend.open(backend.context, key);
  if (g_link.hPipeB == kInvalidDeviceHandle) {
    CloseDeviceLink();
    return false;
  }
  return true;
}

// The printer-class search for the one ID now in deviceId: only the first
// present device carrying that ID is tried, and it is opened twice.
bool OpenFirstMatchingPrinter(const DeviceBackend& backend) {
  std::string key;
  return backend.findPrinter(backend.context, Carrying(g_link.deviceId), key) &&
         OpenTwice(backend, key);
}

// Every opening starts an action: closed first, answering, its budget whole.
void StartAction() {
  CloseDeviceLink();
  g_notAnswering = false;
  g_actionDeadline = Clock::now() + std::chrono::milliseconds(kActionBudgetMs);
}

}  // namespace

const DeviceBackend* CurrentDeviceBackend() {
  if (!g_backend) g_backend = PlatformDeviceBackend();
  return g_backend;
}

void UseDeviceBackend(const DeviceBackend* backend) {
  ReleaseDeviceBackend();
  g_backend = backend;
}

void ReleaseDeviceBackend() {
  CloseDeviceLink();
  if (g_backend && g_backend->release) g_backend->release(g_backend->context);
}

DeviceLink* GetDeviceLink(const DeviceLinkSettings* settings) {
  if (settings) {
    std::memcpy(g_link.deviceId, settings->deviceId, sizeof g_link.deviceId);
    g_link.deviceId[kDeviceIdSize - 1] = '\0';
  }
  return &g_link;
}

void ConfigurePrinterLink() {
  DeviceLinkSettings settings{};
  std::strncpy(settings.deviceId, kPrinterHardwareId, kDeviceIdSize - 1);
  GetDeviceLink(&settings);
}

int OpenDeviceLink() {
  StartAction();
  const DeviceBackend* backend = CurrentDeviceBackend();

  // Split the list first: deviceId is overwritten by each token tried.
  char tokens[kMaxDeviceIdTokens][kDeviceIdSize] = {};
  int count = 0;
  const char* p = g_link.deviceId;
  while (*p && count < kMaxDeviceIdTokens) {
    const char* end = std::strchr(p, ',');
    std::size_t len = end ? std::size_t(end - p) : std::strlen(p);
    if (len > 0) {
      std::size_t kept = std::min<std::size_t>(len, kDeviceIdSize - 1);
      std::memcpy(tokens[count], p, kept);
      tokens[count][kept] = '\0';
      ++count;
    }
    if (!end) break;
    p = end + 1;
  }

  for (int i = 0; i < count; ++i) {
    std::memcpy(g_link.deviceId, tokens[i], kDeviceIdSize);
    if (backend && OpenFirstMatchingPrinter(*backend)) return 1;
  }
  return 0;
}

int CloseDeviceLink() {
  const DeviceBackend* backend = g_backend;
  if (backend) {
    if (g_link.hPipeA != kInvalidDeviceHandle) backend->close(backend->context, g_link.hPipeA);
    if (g_link.hPipeB != kInvalidDeviceHandle) backend->close(backend->context, g_link.hPipeB);
  }
  g_link.hPipeA = kInvalidDeviceHandle;
  g_link.hPipeB = kInvalidDeviceHandle;
  return 1;
}

int SendVendorRequest(int code, int wValue, int length, void* buffer) {
  const DeviceBackend* backend = g_backend;
  if (!backend || g_link.hPipeA == kInvalidDeviceHandle || !buffer || g_notAnswering) return 0;
  if (Clock::now() >= g_actionDeadline) {
    g_notAnswering = true;  // as if this request had timed out
    return 0;
  }
  std::uint8_t input[3];
  PrintSupportInput(code, wValue, input);
  int received = backend->vendorRequest(backend->context, g_link.hPipeA, input,
                                        static_cast<std::uint8_t*>(buffer),
                                        static_cast<std::uint16_t>(length));
  if (received == kVendorRequestTimedOut) g_notAnswering = true;
  return received > 0 ? received : 0;
}

std::optional<std::vector<PresentPrinter>> ListPresentPrinters() {
  const DeviceBackend* backend = CurrentDeviceBackend();
  std::vector<PresentPrinter> printers;
  if (!backend || !backend->listPrinters ||
      !backend->listPrinters(backend->context, Carrying(kPrinterHardwareId), printers))
    return std::nullopt;
  return printers;
}

bool OpenPrinterLink() {
  ConfigurePrinterLink();
  return OpenDeviceLink() == 1;
}

int OpenDeviceLinkTo(const PresentPrinter& printer) {
  StartAction();
  const DeviceBackend* backend = CurrentDeviceBackend();
  return backend && OpenTwice(*backend, printer.key) ? 1 : 0;
}
