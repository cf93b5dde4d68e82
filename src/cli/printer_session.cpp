#include "cli/printer_session.h"

#include <cstdint>
#include <string>

#include "cli/exit_status.h"
#include "common/string_table.h"
#include "device/device_link.h"
#include "printer/configuration_read.h"
#include "printer/info_page.h"
#include "printer/printer_info.h"
#include "printer/status_read.h"
#include "string_ids.h"

namespace {

constexpr char kNoAccessAdvice[] =
    " Install the udev rule 60-vantrel.rules (the package does) and use the printer from the "
    "local seat; without a seat, add the user to the group the rule gives the printer to "
    "(sudo adduser USER vantrel-metrics).";

void ThrowIfFailed(const ReadFailure& failure) {
  if (failure) throw CliFailureOf(*failure);
}

// A page counts as read when it holds at least one of its keys: an answer
// without any ("NG", bytes of no page) is a refusal, not a page of blanks.
bool HoldsAnyValue(const PrinterState& state, int page) {
  const InfoPageLayout* layout = FindInfoPageLayout(page);
  for (std::size_t field = 0; layout && field < layout->keys.size(); ++field)
    if (*PageField(state, page, static_cast<int>(field))) return true;
  return false;
}

void ThrowIfFailed(const InfoPageRead& read, const PrinterState& state, int page) {
  ThrowIfFailed(read.failure);
  if (!read.compatible)
    throw CliFailure(kExitRefused, "the printer sent a page of another kind (" +
                                       TextOrEmpty(kTextNotCompatible) + ")");
  if (!HoldsAnyValue(state, page))
    throw CliFailure(kExitRefused, "the printer sent information page " + std::to_string(page) +
                                       " without any of its values");
}

}  // namespace

CliFailure CliFailureOf(const LinkError& error, const std::string& chosen) {
  if (error.step == LinkStep::Open) {
    const std::string which = chosen.empty() ? "the printer" : chosen;
    switch (error.kind) {
      case LinkErrorKind::NoDevice:
        if (chosen.empty()) return CliFailure(kExitNoPrinter, "no printer found");
        break;
      case LinkErrorKind::AccessDenied:
        return CliFailure(kExitNoAccess,
                          which + " is there, but this user may not open it." + kNoAccessAdvice);
      default: break;
    }
    return CliFailure(kExitNoPrinter, which + " could not be opened" +
                                          (error.osText.empty() ? "" : ": " + error.osText));
  }
  return CliFailure(kExitNoPrinter, LinkErrorText(error));
}

PrinterReading::~PrinterReading() { ReleasePrinterInfo(printer); }

PrinterSession::PrinterSession(const std::optional<PresentPrinter>& printer)
    : link_(PlatformDeviceBackend()) {
  if (!printer) {
    if (!link_.Open()) throw CliFailureOf(link_.OpenError());
    return;
  }
  const std::string which = "the printer at " + printer->location +
                            (printer->serial.empty() ? "" : " (" + printer->serial + ")");
  // Listing found that this user may not open it: say so before trying.
  if (printer->access == PrinterAccess::Denied)
    throw CliFailureOf(LinkError{LinkErrorKind::AccessDenied, LinkStep::Open, 0, 0, ""}, which);
  if (!link_.OpenTo(*printer)) throw CliFailureOf(link_.OpenError(), which);
  serial_ = printer->serial;
}

void PrinterSession::Read(const ReadParts& parts, PrinterReading& reading) {
  PrinterState& state = reading.printer;
  reading.serial = serial_;
  if (parts.status) {
    ThrowIfFailed(ReadStatusList(link_, state.status));
    // The panel always shows a state: a reply without a code is garbled.
    if (state.status.count == 0)
      throw CliFailure(kExitRefused, "the printer sent a status reply without any status code");
  }
  const bool pages[] = {parts.supplies, parts.counters, parts.machine, parts.adjustment};
  if (!AllocatePageBlocks(state) || (parts.counters && !AllocateCounterBlocks(state)))
    throw CliFailure(kExitInternal, "out of memory");
  for (int page = kTonerPageNumber; page <= kAdjustPageNumber; ++page) {
    if (!pages[page - kTonerPageNumber]) continue;
    ThrowIfFailed(ReadInfoPage(link_, state, page), state, page);
  }
  if (parts.counters) ThrowIfFailed(ReadCounterRecords(link_, state));
  if (parts.energySave) ThrowIfFailed(ReadEnergySaveSwitch(link_, state));
}

void RequireAcknowledged(const CommandResult& result, const char* what) {
  switch (result.outcome) {
    case CommandOutcome::Acknowledged: return;
    case CommandOutcome::Refused:
      throw CliFailure(kExitRefused, std::string("the printer refused ") + what);
    case CommandOutcome::NoReply: break;
  }
  const LinkError error =
      result.error.value_or(LinkError{LinkErrorKind::TimedOut, LinkStep::Request, 0, 0, ""});
  const CliFailure failure = CliFailureOf(error);
  if (error.kind == LinkErrorKind::TimedOut)
    throw CliFailure(failure.status(), std::string(failure.what()) + " to " + what);
  throw CliFailure(failure.status(), std::string(failure.what()) + ", sending " + what);
}
