// The portable half of the device link: the search for the first matching
// printer, the two handles and the action's budget. The platform half is
// the backend (device_backend.h).
#include "device/device_link.h"

#include <algorithm>
#include <cctype>
#include <chrono>

#include "device/control_setup.h"

namespace {

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

std::unique_ptr<std::max_align_t[]> HandleStorage(std::size_t bytes) {
  const std::size_t units = (bytes + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t);
  return std::make_unique<std::max_align_t[]>(std::max<std::size_t>(units, 1));
}

}  // namespace

DeviceLink::DeviceLink(const DeviceBackend& backend)
    : backend_(backend),
      handleA_(HandleStorage(backend.handleSize)),
      handleB_(HandleStorage(backend.handleSize)) {}

DeviceLink::~DeviceLink() { Close(); }

void DeviceLink::StartAction() {
  Close();
  notAnswering_.reset();
  slowMs_ = 0;
  openError_ = LinkError{};
}

bool DeviceLink::OpenKey(const std::string& key, const ExpectedDevice& expected) {
  if (!backend_.open(backend_.context, key, expected, handleA_.get(), openError_)) return false;
  if (!backend_.open(backend_.context, key, expected, handleB_.get(), openError_)) {
    backend_.close(backend_.context, handleA_.get());
    return false;
  }
  open_ = true;
  return true;
}

bool DeviceLink::Open() {
  StartAction();
  openError_.step = LinkStep::Open;
  std::string key;
  // Only the first present device carrying the ID is tried.
  if (!backend_.findPrinter(backend_.context, Carrying(kPrinterHardwareId), key, openError_))
    return false;
  return OpenKey(key, {kPrinterVendorId, kPrinterProductId, ""});
}

bool DeviceLink::OpenTo(const PresentPrinter& printer) {
  StartAction();
  openError_.step = LinkStep::Open;
  return OpenKey(printer.key, {kPrinterVendorId, kPrinterProductId, printer.serial});
}

void DeviceLink::Close() {
  if (!open_) return;
  backend_.close(backend_.context, handleA_.get());
  backend_.close(backend_.context, handleB_.get());
  open_ = false;
}

LinkReply DeviceLink::Request(int code, int wValue, int length, void* buffer) {
  LinkReply reply;
  if (notAnswering_) {
    reply.error = *notAnswering_;
    reply.error->request = code & 0xFF;
    return reply;
  }
  if (!open_ || !buffer) {
    reply.error = LinkError{LinkErrorKind::NoDevice, LinkStep::Request, code & 0xFF, 0, ""};
    return reply;
  }
  std::uint8_t input[3];
  PrintSupportInput(code, wValue, input);
  LinkError error;
  error.step = LinkStep::Request;
  const auto start = std::chrono::steady_clock::now();
  const int received = backend_.vendorRequest(backend_.context, handleA_.get(), input,
                                              static_cast<std::uint8_t*>(buffer),
                                              static_cast<std::uint16_t>(length), error);
  const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
  if (took > kSlowAnswerMs) slowMs_ += static_cast<unsigned>(took);
  if (received < 0) {
    error.step = LinkStep::Request;
    error.request = code & 0xFF;
    reply.error = error;
    if (error.kind == LinkErrorKind::TimedOut) notAnswering_ = error;
    return reply;
  }
  if (slowMs_ >= kSlowAnswersBudgetMs)
    notAnswering_ = LinkError{LinkErrorKind::TooSlow, LinkStep::Request, 0, 0, ""};
  reply.received = received;
  return reply;
}

int OpenDeviceLink(DeviceLink& link) { return link.Open() ? 1 : 0; }

int CloseDeviceLink(DeviceLink& link) {
  link.Close();
  return 1;
}

int SendVendorRequest(DeviceLink& link, int code, int wValue, int length, void* buffer) {
  const LinkReply reply = link.Request(code, wValue, length, buffer);
  return reply ? reply.received : 0;
}

std::optional<std::vector<PresentPrinter>> ListPresentPrinters(const DeviceBackend& backend) {
  std::vector<PresentPrinter> printers;
  if (!backend.listPrinters ||
      !backend.listPrinters(backend.context, Carrying(kPrinterHardwareId), printers))
    return std::nullopt;
  return printers;
}

void ReleaseDeviceBackend(const DeviceBackend& backend) {
  if (backend.release) backend.release(backend.context);
}
