#include "cli/printer_session.h"

#include <cstdint>
#include <string>

#include "cli/exit_status.h"
#include "common/message_owner.h"
#include "common/string_table.h"
#include "device/device_link.h"
#include "printer/configuration_read.h"
#include "printer/info_page.h"
#include "printer/printer_info.h"
#include "printer/status_read.h"
#include "string_ids.h"

namespace {

constexpr char kNoAnswer[] = "the printer did not answer";

// Takes what the window would show in a message box as the run's failure:
// no reply is the link failing, a page of another kind the printer refusing.
class FailureOwner : public MessageOwner {
 public:
  void ShowMessage(int stringId) override {
    if (failure_ != kExitDone) return;  // the first one tells
    if (stringId == kTextNotCompatible) {
      failure_ = kExitRefused;
      message_ = "the printer sent a page of another kind (" + TextOrEmpty(stringId) + ")";
    } else {
      failure_ = kExitNoPrinter;
      message_ = kNoAnswer;
    }
  }
  void ThrowIfFailed() const {
    if (failure_ != kExitDone) throw CliFailure(failure_, message_);
  }

 private:
  ExitStatus failure_ = kExitDone;
  std::string message_;
};

}  // namespace

PrinterReading::~PrinterReading() { ReleasePrinterInfo(printer); }

PrinterSession::PrinterSession(const std::optional<PresentPrinter>& printer) {
  if (!printer) {
    if (!OpenPrinterLink()) throw CliFailure(kExitNoPrinter, "no printer found");
    return;
  }
  const std::string which = "the printer at " + printer->location +
                            (printer->serial.empty() ? "" : " (" + printer->serial + ")");
  if (printer->access == PrinterAccess::Denied)
    throw CliFailure(kExitNoAccess,
                     which +
                         " is there, but this user may not open it. Install the udev rule "
                         "60-vantrel.rules (the package does) and use the printer from the "
                         "local seat; without a seat, give the rule GROUP=\"lp\", "
                         "MODE=\"0660\" and add the user to the group lp.");
  if (!OpenDeviceLinkTo(*printer)) throw CliFailure(kExitNoPrinter, which + " could not be opened");
  serial_ = printer->serial;
}

PrinterSession::~PrinterSession() { CloseDeviceLink(); }

void PrinterSession::Read(const ReadParts& parts, PrinterReading& reading) {
  FailureOwner owner;
  PrinterState& state = reading.printer;
  reading.serial = serial_;
  if (parts.status) {
    const std::optional<StatusList> list = ReadStatusList();
    if (!list)
      owner.ShowMessage(kTextSendFailed);
    else
      state.status = *list;
    owner.ThrowIfFailed();
  }
  const bool pages[] = {parts.supplies, parts.counters, parts.machine, parts.adjustment};
  if (!AllocatePageBlocks(state) || (parts.counters && !AllocateCounterBlocks(state)))
    throw CliFailure(kExitInternal, "out of memory");
  for (int page = kTonerPageNumber; page <= kAdjustPageNumber; ++page) {
    if (!pages[page - kTonerPageNumber]) continue;
    ReadInfoPage(owner, state, page);
    owner.ThrowIfFailed();
  }
  if (parts.counters && ReadCounterRecords(state) > 0) owner.ShowMessage(kTextSendFailed);
  if (parts.energySave) ReadEnergySaveSwitch(owner, state);
  owner.ThrowIfFailed();
}

void RequireAcknowledged(CommandOutcome outcome, const char* what) {
  switch (outcome) {
    case CommandOutcome::Acknowledged: return;
    case CommandOutcome::Refused:
      throw CliFailure(kExitRefused, std::string("the printer refused ") + what);
    case CommandOutcome::NoReply:
      throw CliFailure(kExitNoPrinter, std::string(kNoAnswer) + " to " + what);
  }
}
