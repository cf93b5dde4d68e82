#include "cli/printer_values.h"

#include <charconv>
#include <cstdlib>
#include <cstring>

#include "device/request_catalogue.h"
#include "printer/printer_info.h"

namespace {

constexpr TonerSlot kTonerSlots[] = {
    {"cyan", CONSUMETCSTATEC, CONSUMETCREMAINC, CONSUMETCTYPEC},
    {"magenta", CONSUMETCSTATEM, CONSUMETCREMAINM, CONSUMETCTYPEM},
    {"yellow", CONSUMETCSTATEY, CONSUMETCREMAINY, CONSUMETCTYPEY},
    {"black", CONSUMETCSTATEK, CONSUMETCREMAINK, CONSUMETCTYPEK},
};

constexpr NamedField kFaceCounters[] = {
    {"total", kCountPageNumber, COUNTTOTAL},
    {"colour", kCountPageNumber, COUNTCOLORPRINT},
    {"monochrome", kCountPageNumber, COUNTMONOPRINT},
};

constexpr NamedField kTraySheets[] = {{"tray1", kCountPageNumber, COUNTTRAY1}};

constexpr NamedField kPaperSizes[] = {
    {"a4", kCountPageNumber, COUNTSIZEA4},         {"b5_jis", kCountPageNumber, COUNTSIZEB5},
    {"a5", kCountPageNumber, COUNTSIZEA5},         {"legal", kCountPageNumber, COUNTSIZELEGAL},
    {"letter", kCountPageNumber, COUNTSIZELETTER}, {"others", kCountPageNumber, COUNTSIZEOTHERS},
};

constexpr NamedField kPaperTypes[] = {
    {"plain", kCountPageNumber, COUNTMEDIAPLAIN},
    {"thick1", kCountPageNumber, COUNTMEDIATHICK},
    {"thick2", kCountPageNumber, COUNTMEDIATHICK2},
    {"envelope", kCountPageNumber, COUNTMEDIAENVELOPE},
    {"letterhead", kCountPageNumber, COUNTMEDIALETTERHEAD},
    {"postcard", kCountPageNumber, COUNTMEDIAPOSTCARD},
    {"labels", kCountPageNumber, COUNTMEDIALABELS},
};

constexpr NamedField kNormalizedFaces[] = {
    {"colour", kTonerPageNumber, COVERAGETOTALCOLOR},
    {"monochrome", kTonerPageNumber, COVERAGETOTALMONO},
    {"total", kTonerPageNumber, COVERAGETOTAL},
};

constexpr NamedField kNormalizedCoverage[] = {
    {"colour", kTonerPageNumber, COVERAGECOLOR},
    {"monochrome", kTonerPageNumber, COVERAGEMONO},
};

constexpr NamedField kAverageCoverage[] = {
    {"cyan", kTonerPageNumber, COVERAGEAVERAGEC},
    {"magenta", kTonerPageNumber, COVERAGEAVERAGEM},
    {"yellow", kTonerPageNumber, COVERAGEAVERAGEY},
    {"black", kTonerPageNumber, COVERAGEAVERAGEK},
};

constexpr NamedField kLastJobCoverage[] = {
    {"cyan", kTonerPageNumber, COVERAGELASTC},
    {"magenta", kTonerPageNumber, COVERAGELASTM},
    {"yellow", kTonerPageNumber, COVERAGELASTY},
    {"black", kTonerPageNumber, COVERAGELASTK},
};

constexpr NamedField kAdjustments[] = {
    {"top_plain", kAdjustPageNumber, ADJTOPPLAIN, kTopLeftBias},
    {"top_thick", kAdjustPageNumber, ADJTOPTHICK, kTopLeftBias},
    {"top_envelope", kAdjustPageNumber, ADJTOPENVELOPE, kTopLeftBias},
    {"left_tray1", kAdjustPageNumber, ADJLEFTFRONT, kTopLeftBias},
    {"image_param", kAdjustPageNumber, ADJIMAGE},
    {"transfer_plain", kAdjustPageNumber, ADJTRANSPLAINFRONT, kTransferBias},
    {"transfer_thick1", kAdjustPageNumber, ADJTRANSTHICK1, kTransferBias},
    {"transfer_thick2", kAdjustPageNumber, ADJTRANSTHICK2, kTransferBias},
    {"transfer_postcard", kAdjustPageNumber, ADJTRANSPOSTCARD, kTransferBias},
    {"transfer_envelope", kAdjustPageNumber, ADJTRANSENVELOPE, kTransferBias},
    {"transfer_labels", kAdjustPageNumber, ADJTRANSLABEL, kTransferBias},
};

constexpr NamedField kFirmware[] = {
    {"engine", kMachinePageNumber, MACHINEVERSIONENGINE},
    {"boot", kMachinePageNumber, MACHINEVERSIONBOOT},
    {"controller", kMachinePageNumber, MACHINEVERSIONFW},
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::span<const TonerSlot> TonerSlots() { return kTonerSlots; }
std::span<const NamedField> FaceCounterFields() { return kFaceCounters; }
const NamedField& FaceTotalField() { return kFaceCounters[0]; }
std::span<const NamedField> FacePartFields() { return std::span(kFaceCounters).subspan(1); }
std::span<const NamedField> TraySheetFields() { return kTraySheets; }
std::span<const NamedField> PaperSizeFields() { return kPaperSizes; }
std::span<const NamedField> PaperTypeFields() { return kPaperTypes; }
std::span<const NamedField> NormalizedFaceFields() { return kNormalizedFaces; }
std::span<const NamedField> NormalizedFacePartFields() {
  return std::span(kNormalizedFaces).first(2);
}
std::span<const NamedField> NormalizedCoverageFields() { return kNormalizedCoverage; }
std::span<const NamedField> AverageCoverageFields() { return kAverageCoverage; }
std::span<const NamedField> LastJobCoverageFields() { return kLastJobCoverage; }
std::span<const NamedField> AdjustmentFields() { return kAdjustments; }
std::span<const NamedField> FirmwareFields() { return kFirmware; }

std::optional<double> NumberOf(const char* text) {
  const char* p = text;
  if (*p == '-' || *p == '+') ++p;
  int digits = 0;
  bool point = false;
  for (; *p; ++p) {
    if (IsDigit(*p)) ++digits;
    else if (*p == '.' && !point) point = true;
    else return std::nullopt;
  }
  if (digits == 0) return std::nullopt;
  // The printer's decimal text in the C locale, whatever the user's.
  return std::strtod(text, nullptr);
}

std::optional<double> FieldNumber(const PrinterState& ctx, const NamedField& field) {
  const std::optional<double> number = NumberOf(PageField(ctx, field.page, field.field));
  if (!number) return std::nullopt;
  return *number - field.bias;
}

std::optional<std::string> FieldText(const PrinterState& ctx, int page, int field) {
  const char* text = PageField(ctx, page, field);
  if (!*text) return std::nullopt;
  return std::string(text);
}

std::optional<SupplyState> StateOf(const PrinterState& ctx, int stateField) {
  return ParseSupplyState(PageField(ctx, kTonerPageNumber, stateField));
}

std::optional<double> RemainingPercent(const PrinterState& ctx, int stateField, int remainingField) {
  if (StateOf(ctx, stateField) == SupplyState::Unknown) return std::nullopt;
  return NumberOf(PageField(ctx, kTonerPageNumber, remainingField));
}

const char* SupplyStateName(SupplyState state) {
  switch (state) {
    case SupplyState::Unknown: return "unknown";
    case SupplyState::Ready: return "ready";
    case SupplyState::Low: return "low";
    case SupplyState::End: return "end";
    case SupplyState::LifeEnd: return "life_end";
  }
  return "unknown";
}

const char* CartridgeTypeName(CartridgeType type) {
  switch (type) {
    case CartridgeType::Starter: return "starter";
    case CartridgeType::Standard: return "standard";
    case CartridgeType::High: return "high";
  }
  return "standard";
}

std::array<NamedSwitch, 3> MachineSwitches(const PrinterState& ctx) {
  return {{
      {"auto_continue", SwitchOffIsOn(PageField(ctx, kMachinePageNumber, MACHINEAUTOCONTO))},
      {"toner_out_stop", SwitchOffIsOn(PageField(ctx, kMachinePageNumber, MACHINETONEREMPTY))},
      {"toner_low_message", SwitchZeroIsOn(PageField(ctx, kTonerPageNumber, TONERLOWMSG))},
  }};
}

std::optional<double> EnergySaveMinutes(const PrinterState& ctx) {
  if (ctx.energySave == 0) return std::nullopt;
  return NumberOf(PageField(ctx, kMachinePageNumber, MACHINEENERGYSAVE));
}

std::string StatusCode(const StatusList& status, int i) {
  const char* code = status.codes + i * kStatusCodeLength;
  std::size_t length = 0;
  while (length < kStatusCodeLength && code[length]) ++length;
  return std::string(code, length);
}

std::string NumberText(double value) {
  char buffer[64];
  const bool whole = value > -1e15 && value < 1e15 &&
                     value == static_cast<double>(static_cast<long long>(value));
  const auto result = whole ? std::to_chars(buffer, buffer + sizeof buffer,
                                            static_cast<long long>(value))
                            : std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}
