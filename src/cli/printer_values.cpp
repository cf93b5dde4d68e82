#include "cli/printer_values.h"

#include <array>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string_view>

#include "printer/configuration_fields.h"
#include "printer/printer_info.h"

namespace {

constexpr TonerSlot SlotOf(const SupplyField& supply) {
  return {supply.name, supply.state, supply.remaining, supply.type};
}

// The toner cartridges, then the imaging cartridge.
constexpr std::size_t kTonerCount = std::size(kSupplyFields) - 1;
constexpr auto kTonerSlots = [] {
  std::array<TonerSlot, kTonerCount> slots{};
  for (std::size_t i = 0; i < kTonerCount; ++i) slots[i] = SlotOf(kSupplyFields[i]);
  return slots;
}();
constexpr TonerSlot kImagingCartridge = SlotOf(kSupplyFields[kTonerCount]);
static_assert(kImagingCartridge.typeField == kNoSupplyType);

constexpr std::size_t CountIn(FieldGroup group) {
  std::size_t count = 0;
  for (const ConfigurationField& row : kConfigurationFields) count += row.group == group;
  return count;
}

// The group's values in the pages' order.
template <FieldGroup group>
constexpr auto FieldsOf() {
  std::array<NamedField, CountIn(group)> fields{};
  std::size_t n = 0;
  for (const ConfigurationField& row : kConfigurationFields)
    if (row.group == group)
      fields[n++] = {row.name, row.source.page, row.source.field, BiasOf(row.shown)};
  return fields;
}

constexpr auto kFaceCounters = FieldsOf<FieldGroup::FaceCounters>();
constexpr auto kTraySheets = FieldsOf<FieldGroup::TraySheets>();
constexpr auto kPaperSizes = FieldsOf<FieldGroup::PaperSizes>();
constexpr auto kPaperTypes = FieldsOf<FieldGroup::PaperTypes>();
constexpr auto kNormalizedFaces = FieldsOf<FieldGroup::NormalizedFaces>();
constexpr auto kNormalizedCoverage = FieldsOf<FieldGroup::NormalizedCoverage>();
constexpr auto kAverageCoverage = FieldsOf<FieldGroup::AverageCoverage>();
constexpr auto kLastJobCoverage = FieldsOf<FieldGroup::LastJobCoverage>();
constexpr auto kAdjustments = FieldsOf<FieldGroup::Adjustments>();
constexpr auto kFirmware = FieldsOf<FieldGroup::Firmware>();

// FaceTotalField, FacePartFields and NormalizedFacePartFields count on where
// the totals stand.
static_assert(std::string_view(kFaceCounters[0].name) == "total");
static_assert(std::string_view(kNormalizedFaces[2].name) == "total");

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::span<const TonerSlot> TonerSlots() { return kTonerSlots; }
const TonerSlot& ImagingCartridge() { return kImagingCartridge; }
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
    if (IsDigit(*p))
      ++digits;
    else if (*p == '.' && !point)
      point = true;
    else
      return std::nullopt;
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

std::optional<double> RemainingPercent(const PrinterState& ctx, int stateField,
                                       int remainingField) {
  if (StateOf(ctx, stateField) == SupplyState::Unknown) return std::nullopt;
  return NumberOf(PageField(ctx, kTonerPageNumber, remainingField));
}

std::vector<std::string> MissingSupplyValues(const PrinterState& ctx) {
  std::vector<std::string> missing;
  auto need = [&](const std::string& supply, int stateField, int remainingField) {
    if (!*PageField(ctx, kTonerPageNumber, stateField)) missing.push_back(supply + " state");
    if (!*PageField(ctx, kTonerPageNumber, remainingField))
      missing.push_back(supply + " remaining");
  };
  for (const TonerSlot& slot : TonerSlots())
    need(std::string(slot.name) + " toner", slot.stateField, slot.remainingField);
  need("imaging cartridge", kImagingCartridge.stateField, kImagingCartridge.remainingField);
  return missing;
}

std::vector<std::string> MissingCounterValues(const PrinterState& ctx) {
  std::vector<std::string> missing;
  auto need = [&](const char* group, std::span<const NamedField> fields) {
    for (const NamedField& field : fields)
      if (!*PageField(ctx, field.page, field.field))
        missing.push_back(std::string(group) + " " + field.name);
  };
  need("faces", kFaceCounters);
  need("sheets", kTraySheets);
  return missing;
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

std::vector<NamedSwitch> MachineSwitches(const PrinterState& ctx) {
  std::vector<NamedSwitch> switches;
  for (const ConfigurationField& row : kConfigurationFields) {
    if (row.group != FieldGroup::Switches) continue;
    const char* value = PageField(ctx, row.source.page, row.source.field);
    switches.push_back(
        {row.name, row.shown == Shown::SwitchZero ? SwitchZeroIsOn(value) : SwitchOffIsOn(value)});
  }
  return switches;
}

std::optional<double> EnergySaveMinutes(const PrinterState& ctx) {
  if (ctx.energySave == 0) return std::nullopt;
  return NumberOf(PageField(ctx, kMachinePageNumber, MACHINEENERGYSAVE));
}

std::string NumberText(double value) {
  char buffer[64];
  const bool whole =
      value > -1e15 && value < 1e15 && value == static_cast<double>(static_cast<long long>(value));
  const auto result =
      whole ? std::to_chars(buffer, buffer + sizeof buffer, static_cast<long long>(value))
            : std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}
