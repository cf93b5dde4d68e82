// The device link to one printer: finding it, opening and closing it, and
// sending one vendor request. Each user of a printer has a link of its
// own (the window's actions one, the status watch another, the command
// line one per printer); a link is used by one thread at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "device/device_backend.h"
#include "device/link_error.h"

// Hardware ID of the supported printer, "USB\VID_xxxx&PID_xxxx".
// The vendor and product IDs live only here (and in the udev rule).
inline constexpr std::uint16_t kPrinterVendorId = 0xF0CA;
inline constexpr std::uint16_t kPrinterProductId = 0x7A71;
inline constexpr char kPrinterHardwareId[] = "USB\\VID_F0CA&PID_7A71";

// How long an action (a button, a command of the command line, a beat of a
// watch) waits on a slow printer: an answer that takes longer than
// kSlowAnswerMs counts as slow, and once slow answers have taken
// kSlowAnswersBudgetMs together, or one request timed out, the printer is
// taken as not answering until the link is next opened. So a busy printer
// that answers each request within a second is read in full, however many
// requests an action sends, and one that answers just inside the time-out
// ends an action after two answers (under 11 s).
inline constexpr unsigned kSlowAnswerMs = 1000;
inline constexpr unsigned kSlowAnswersBudgetMs = 6000;

// A request's outcome: the count of reply bytes, or what went wrong.
struct LinkReply {
  int received = 0;
  std::optional<LinkError> error;
  explicit operator bool() const { return !error; }
};

class DeviceLink {
 public:
  // The link talks through `backend`, which must outlive it.
  explicit DeviceLink(const DeviceBackend& backend);
  ~DeviceLink();  // closes
  DeviceLink(const DeviceLink&) = delete;
  DeviceLink& operator=(const DeviceLink&) = delete;

  const DeviceBackend& Backend() const { return backend_; }

  // Closes what is open, then opens the first present printer of the
  // supported kind. Every opening starts an action: the printer is taken
  // as answering again and the action's budget is whole.
  bool Open();
  // The same, for a printer of ListPresentPrinters.
  bool OpenTo(const PresentPrinter& printer);
  // Why the last Open or OpenTo failed.
  const LinkError& OpenError() const { return openError_; }

  bool IsOpen() const { return open_; }
  void Close();

  // Sends one vendor request (only the low 8/16/16 bits of code, wValue and
  // length count). Nothing but the reply is written into buffer.
  LinkReply Request(int code, int wValue, int length, void* buffer);

 private:
  bool OpenKey(const std::string& key, const ExpectedDevice& expected);
  void StartAction();

  const DeviceBackend& backend_;
  // Two handles to the device, as the printing-support driver's clients
  // have always opened it: requests go on the first.
  std::unique_ptr<std::max_align_t[]> handleA_;
  std::unique_ptr<std::max_align_t[]> handleB_;
  bool open_ = false;
  LinkError openError_;
  // Set once this action's printer is taken as not answering.
  std::optional<LinkError> notAnswering_;
  unsigned slowMs_ = 0;  // time spent on slow answers in this action
};

// The link's operations under their long-standing names.
int OpenDeviceLink(DeviceLink& link);   // 1 opened, 0 not
int CloseDeviceLink(DeviceLink& link);  // always 1
// The count of reply bytes; 0 on any failure.
int SendVendorRequest(DeviceLink& link, int code, int wValue, int length, void* buffer);

// Beyond the window's one printer: the command line lists every printer of
// the supported kind and opens the one asked for. The present printers, in
// the platform's order; nothing when the platform cannot list them or the
// list cannot be read.
std::optional<std::vector<PresentPrinter>> ListPresentPrinters(const DeviceBackend& backend);
