// Every reply through the real device link: a backend stands for the
// platform and answers each request with the next piece of the input (a
// failed transfer, a time-out, or bytes, cut to the length asked for), and
// the program reads them as it does: the status list, the information pages,
// the counter records, value reads, acknowledged writes and commands.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "device/device_backend.h"
#include "device/device_link.h"
#include "device/request_catalogue.h"
#include "fuzz_input.h"
#include "panel/panel_page.h"
#include "printer/info_page.h"
#include "printer/printer_info.h"
#include "printer/printer_requests.h"
#include "printer/printer_state.h"
#include "printer/status_list.h"
#include "service/request_patterns.h"

namespace {

FuzzInput* g_input = nullptr;

class QuietOwner final : public MessageOwner {
 public:
  void ShowMessage(int) override {}
};

int Answer(void*, void*, const std::uint8_t*, std::uint8_t* reply, std::uint16_t length,
           LinkError& error) {
  switch (g_input->Below(8)) {
    case 0: error.kind = LinkErrorKind::Refused; return -1;
    case 1: error.kind = LinkErrorKind::TimedOut; return -1;
    default: break;
  }
  const std::string bytes = g_input->Run();
  const std::size_t count = std::min<std::size_t>(bytes.size(), length);
  std::memcpy(reply, bytes.data(), count);
  return int(count);
}

const DeviceBackend kFuzzBackend = {
    "fuzz",
    nullptr,
    0,
    [](void*, const HardwareIdMatch& matches, std::string& key, LinkError&) {
      if (!matches({kPrinterHardwareId})) return false;
      key = "printer";
      return true;
    },
    [](void*, const std::string&, const ExpectedDevice&, void*, LinkError&) { return true; },
    [](void*, void*) {},
    Answer,
    nullptr,
    nullptr,
};

// Each family on a freshly opened link, as each action opens it.
void Open(DeviceLink& link) {
  if (!OpenDeviceLink(link)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  g_input = &input;
  DeviceLink link(kFuzzBackend);
  QuietOwner owner;
  auto printer = std::make_unique<PrinterState>();

  // Every request with a buffer of exactly its catalogue length.
  Open(link);
  for (const RequestInfo& request : RequestCatalogue()) {
    std::vector<std::uint8_t> reply(std::size_t(request.length));
    const int received = SendVendorRequest(link, request.code, 0, request.length, reply.data());
    if (received < 0 || received > request.length) std::abort();
  }

  Open(link);
  char status[kStatusReplySize] = {};
  ParseStatusReply(status,
                   SendVendorRequest(link, REQ_READ_PANEL_STATUS, 0, kStatusReplySize, status));

  Open(link);
  AllocatePageBlocks(*printer);
  AllocateCounterBlocks(*printer);
  for (int page = kTonerPageNumber; page <= kAdjustPageNumber; ++page)
    ReadInfoPage(link, *printer, page);
  ReadCounterRecords(link, *printer);
  ReleasePrinterInfo(*printer);

  Open(link);
  std::int32_t value = 0;
  for (int code : {REQ_READ_GDI_TIMEOUT, REQ_READ_ENERGY_SAVE, REQ_READ_MACHINE_KIND,
                   REQ_READ_TEMP_PLAIN, REQ_READ_JAM_COUNTER})
    ReadSettingValue(owner, link, code, value);

  Open(link);
  SendAcknowledgedCommand(link, REQ_WRITE_GDI_TIMEOUT, PackPlain(input.Byte()));
  SendAcknowledgedCommand(link, REQ_TONER_OPERATION, PackPlain(input.Byte()));
  CloseDeviceLink(link);
  g_input = nullptr;
  return 0;
}
