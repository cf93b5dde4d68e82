#include "printer/mib_mapping.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string_view>

#include "printer/configuration_fields.h"
#include "printer/printer_severity.h"
#include "printer/status_messages.h"

namespace {

using prt::kFieldService, prt::kNoInterventionRequired, prt::kTrained, prt::kUntrained;
constexpr HrPrinterStatus kIdle = HrPrinterStatus::kIdle;
constexpr HrPrinterStatus kPrinting = HrPrinterStatus::kPrinting;
constexpr HrPrinterStatus kOtherActivity = HrPrinterStatus::kOther;
constexpr DetectedErrors kNone = 0;

// One row a family of codes, as docs/snmp.md lists them. The activity only
// counts for the ready codes (first digit 0); the others set the printer's
// status by their severity.
// clang-format off
constexpr StatusCodeMapping kStatusCodes[] = {
    {"000000", kIdle, prt::kGroupGeneralPrinter, prt::kCodePrinterReadyToPrint, kNoInterventionRequired, kNone},
    {"000001", kPrinting, prt::kGroupGeneralPrinter, prt::kCodeOther, kNoInterventionRequired, kNone},  // Receiving
    {"000002", kPrinting, prt::kGroupGeneralPrinter, prt::kCodeOther, kNoInterventionRequired, kNone},
    {"001", kIdle, prt::kGroupGeneralPrinter, prt::kCodeSubunitPowerSaver, kNoInterventionRequired, kNone},
    // Change Toner, P/H Clean Up, Eject All Toner: the operator's action in progress.
    {"002", kOtherActivity, prt::kGroupGeneralPrinter, prt::kCodeOther, kUntrained, kNone},
    {"100", kOtherActivity, prt::kGroupGeneralPrinter, prt::kCodeSubunitUnrecoverableFailure, kFieldService,
     Bit(DetectedError::kServiceRequested)},
    {"2000", kOtherActivity, prt::kGroupInput, prt::kCodeInputMediaSupplyEmpty, kUntrained,
     Bit(DetectedError::kNoPaper)},
    {"2001", kOtherActivity, prt::kGroupMediaPath, prt::kCodeJam, kTrained, Bit(DetectedError::kJammed)},
    {"2002", kOtherActivity, prt::kGroupMediaPath, prt::kCodeJam, kTrained, Bit(DetectedError::kJammed)},
    {"2003", kOtherActivity, prt::kGroupMediaPath, prt::kCodeJam, kTrained, Bit(DetectedError::kJammed)},
    {"201", kOtherActivity, prt::kGroupCover, prt::kCodeCoverOpen, kUntrained, Bit(DetectedError::kDoorOpen)},
    {"202", kOtherActivity, prt::kGroupMarkerSupplies, prt::kCodeMarkerTonerCartridgeMissing, kUntrained,
     Bit(DetectedError::kMarkerSupplyMissing)},
    {"203", kOtherActivity, prt::kGroupMarkerSupplies, prt::kCodeMarkerOpcLifeOver, kUntrained,
     Bit(DetectedError::kServiceRequested)},
    {"204", kOtherActivity, prt::kGroupMarkerSupplies, prt::kCodeMarkerTonerEmpty, kUntrained,
     Bit(DetectedError::kNoToner)},
    {"205", kOtherActivity, prt::kGroupMarker, prt::kCodeSubunitRecoverableFailure, kTrained,
     Bit(DetectedError::kServiceRequested)},
    {"206", kOtherActivity, prt::kGroupInput, prt::kCodeInputCannotFeedSizeSelected, kUntrained,
     Bit(DetectedError::kServiceRequested)},
    {"207", kOtherActivity, prt::kGroupOutput, prt::kCodeOutputMediaTrayFull, kUntrained,
     Bit(DetectedError::kOutputFull)},
    {"209", kOtherActivity, prt::kGroupInterpreter, prt::kCodeSubunitMemoryExhausted, kUntrained,
     Bit(DetectedError::kServiceRequested)},
    {"210", kOtherActivity, prt::kGroupMarkerSupplies, prt::kCodeMarkerTonerEmpty, kUntrained,
     Bit(DetectedError::kNoToner)},
    {"300", kOtherActivity, prt::kGroupMarkerSupplies, prt::kCodeMarkerTonerEmpty, kUntrained,
     Bit(DetectedError::kNoToner)},
    {"301", kOtherActivity, prt::kGroupMarkerSupplies, prt::kCodeMarkerOpcLifeAlmostOver, kUntrained, kNone},
    {"302", kOtherActivity, prt::kGroupMarkerSupplies, prt::kCodeMarkerTonerAlmostEmpty, kUntrained,
     Bit(DetectedError::kLowToner)},
    {"303", kOtherActivity, prt::kGroupMarkerSupplies, prt::kCodeSubunitRecoverableStorageError, kTrained, kNone},
    {"304", kOtherActivity, prt::kGroupChannel, prt::kCodeOther, kTrained, kNone},
    {"305", kOtherActivity, prt::kGroupMarker, prt::kCodeOther, kTrained, kNone},
    {"306", kOtherActivity, prt::kGroupMarkerSupplies, prt::kCodeOther, kUntrained, kNone},
    {"307", kOtherActivity, prt::kGroupMarkerSupplies, prt::kCodeMarkerOpcLifeOver, kUntrained,
     Bit(DetectedError::kServiceRequested)},
    {"308", kOtherActivity, prt::kGroupMarkerSupplies, prt::kCodeOther, kUntrained, kNone},
};
// clang-format on

// A code the printer's message table lacks: something someone should read.
constexpr StatusCodeMapping kUnknownCode = {
    "", HrPrinterStatus::kUnknown, prt::kGroupOther, prt::kCodeUnknown, kTrained, kNone};

constexpr SupplyMapping kSupplies[] = {
    {"cyan", prt::kSupplyToner, "Cyan Toner", "cyan"},
    {"magenta", prt::kSupplyToner, "Magenta Toner", "magenta"},
    {"yellow", prt::kSupplyToner, "Yellow Toner", "yellow"},
    {"black", prt::kSupplyToner, "Black Toner", "black"},
    {"imaging_cartridge", prt::kSupplyOpc, "Imaging Cartridge", nullptr},
};
constexpr bool SuppliesInFieldOrder() {
  if (std::size(kSupplies) != std::size(kSupplyFields)) return false;
  for (std::size_t i = 0; i < std::size(kSupplies); ++i)
    if (std::string_view(kSupplies[i].name) != kSupplyFields[i].name) return false;
  return true;
}
static_assert(SuppliesInFieldOrder());

// An empty cartridge is empty whatever percent its page still shows.
constexpr SupplyStateMapping kSupplyStates[] = {
    {SupplyState::Ready, prt::kLevelSomeRemaining, true, kNone, kNone},
    {SupplyState::Low, prt::kLevelSomeRemaining, true, Bit(DetectedError::kLowToner), kNone},
    {SupplyState::End, 0, false, Bit(DetectedError::kNoToner),
     Bit(DetectedError::kServiceRequested)},
    {SupplyState::LifeEnd, 0, false, Bit(DetectedError::kNoToner),
     Bit(DetectedError::kServiceRequested)},
    {SupplyState::Unknown, prt::kLevelUnknown, false, kNone, kNone},
    {std::nullopt, prt::kLevelUnknown, false, kNone, kNone},
};

bool Holds(const StatusCodeMapping& family, const char code[kStatusCodeLength]) {
  const std::string_view prefix(family.prefix);
  return std::string_view(code, kStatusCodeLength).substr(0, prefix.size()) == prefix;
}

// What the printer is doing by its ready codes: printing before an
// operator's action before idle.
HrPrinterStatus ActivityOf(const StatusList& status) {
  HrPrinterStatus activity = kIdle;
  for (int i = 0; i < status.count; ++i) {
    const char* code = StatusCodeAt(status, i);
    if (SeverityOfCode(code) != Severity::kReady) continue;
    const HrPrinterStatus said = MappingOfCode(code).activity;
    if (said == kPrinting) return kPrinting;
    if (said == kOtherActivity) activity = kOtherActivity;
  }
  return activity;
}

}  // namespace

std::vector<std::uint8_t> DetectedErrorOctets(DetectedErrors errors) {
  std::vector<std::uint8_t> octets(2, 0);
  for (int bit = 0; bit < 16; ++bit)
    if (errors & (1u << bit)) octets[bit / 8] |= static_cast<std::uint8_t>(0x80u >> (bit % 8));
  return octets;
}

std::span<const StatusCodeMapping> StatusCodeMappings() { return kStatusCodes; }

const StatusCodeMapping& UnknownCodeMapping() { return kUnknownCode; }

const StatusCodeMapping& MappingOfCode(const char code[kStatusCodeLength]) {
  if (!LookupStatusMessage(code)) return kUnknownCode;
  const auto found =
      std::find_if(std::begin(kStatusCodes), std::end(kStatusCodes),
                   [&](const StatusCodeMapping& family) { return Holds(family, code); });
  return found == std::end(kStatusCodes) ? kUnknownCode : *found;
}

std::optional<int> AlertSeverityOf(Severity severity) {
  switch (severity) {
    case Severity::kError:
    case Severity::kNoPrinter: return prt::kAlertCritical;
    case Severity::kWarning: return prt::kAlertWarning;
    case Severity::kReady: break;
  }
  return std::nullopt;
}

std::span<const SupplyMapping> SupplyMappings() { return kSupplies; }

const SupplyStateMapping& MappingOfSupplyState(std::optional<SupplyState> state) {
  for (const SupplyStateMapping& row : kSupplyStates)
    if (row.state == state) return row;
  return kSupplyStates[std::size(kSupplyStates) - 1];
}

PrinterMibState PrinterMibStateOf(const PrinterState& printer) {
  DetectedErrors errors = 0;
  for (int i = 0; i < printer.status.count; ++i)
    errors |= MappingOfCode(StatusCodeAt(printer.status, i)).errors;
  for (const SupplySeverity& supply : SupplySeverities(printer)) {
    const SupplyStateMapping& row = MappingOfSupplyState(supply.state);
    errors |= supply.supply->type == kNoSupplyType ? row.cartridgeErrors : row.tonerErrors;
  }
  switch (SeverityOf(printer)) {
    case Severity::kReady:
    case Severity::kWarning: return {ActivityOf(printer.status), errors};
    case Severity::kError: break;
    case Severity::kNoPrinter: return NotAnsweringMibState();
  }
  return {HrPrinterStatus::kOther, errors};
}

PrinterMibState NotAnsweringMibState() {
  return {HrPrinterStatus::kUnknown, kNotAnsweringAlert.errors};
}

std::string AlertDescription(const char code[kStatusCodeLength]) {
  const std::optional<PanelMessage> message = LookupStatusMessage(code);
  if (!message) return "status code " + std::string(code, strnlen(code, kStatusCodeLength));
  std::string text;
  for (const PanelLine& line : {message->line1, message->line2}) {
    if (!line.stringId) continue;
    std::string part = ComposePanelLine(line);
    part.erase(part.find_last_not_of(' ') + 1);
    text += (text.empty() ? "" : " / ") + part;
  }
  return text;
}
