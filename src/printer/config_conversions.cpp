#include "printer/config_conversions.h"

#include <cstring>

#include "common/string_table.h"
#include "string_ids.h"

namespace {

template <typename Meaning>
struct CodeMeaning {
  const char* code;
  Meaning meaning;
  int stringId;
};

constexpr CodeMeaning<SupplyState> kSupplyStates[] = {
    {"1", SupplyState::Ready, kTextReady},     {"2", SupplyState::Low, kTextLow},
    {"3", SupplyState::End, kTextEnd},         {"4", SupplyState::LifeEnd, kTextLifeEnd},
    {"0", SupplyState::Unknown, kTextUnknown},
};

constexpr CodeMeaning<CartridgeType> kCartridgeTypes[] = {
    {"05", CartridgeType::Starter, kTextStarter},
    {"15", CartridgeType::Standard, kTextStandard},
    {"25", CartridgeType::High, kTextHigh},
};

const char* OrEmpty(const char* text) { return text ? text : ""; }

// The entry whose code equals text exactly; nullptr when none does.
template <typename Meaning, std::size_t N>
const CodeMeaning<Meaning>* FindCode(const CodeMeaning<Meaning> (&table)[N], const char* text) {
  for (const CodeMeaning<Meaning>& entry : table)
    if (std::strcmp(entry.code, OrEmpty(text)) == 0) return &entry;
  return nullptr;
}

bool IsAtolSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

std::optional<SupplyState> ParseSupplyState(const char* state) {
  const auto* entry = FindCode(kSupplyStates, state);
  if (!entry) return std::nullopt;
  return entry->meaning;
}

std::optional<CartridgeType> ParseCartridgeType(const char* type) {
  const auto* entry = FindCode(kCartridgeTypes, type);
  if (!entry) return std::nullopt;
  return entry->meaning;
}

bool SwitchOffIsOn(const char* value) { return std::strcmp(OrEmpty(value), "OFF") != 0; }
bool SwitchZeroIsOn(const char* value) { return std::strcmp(OrEmpty(value), "0") != 0; }

std::optional<std::string> SupplyStateText(const char* state) {
  const auto* entry = FindCode(kSupplyStates, state);
  if (!entry) return std::nullopt;
  return TextOrEmpty(entry->stringId);
}

std::string CartridgeTypeText(const char* type) {
  const auto* entry = FindCode(kCartridgeTypes, type);
  return entry ? TextOrEmpty(entry->stringId) : "-";
}

std::string PercentText(const char* value) { return std::string(OrEmpty(value)) + "%"; }

std::string SwitchOffText(const char* value) {
  return TextOrEmpty(SwitchOffIsOn(value) ? kTextOn : kTextOff);
}

std::string SwitchZeroText(const char* value) {
  return TextOrEmpty(SwitchZeroIsOn(value) ? kTextOn : kTextOff);
}

std::int32_t LeadingNumber(const char* text) {
  const char* p = OrEmpty(text);
  while (IsAtolSpace(*p)) ++p;
  bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  // The magnitude stops growing at 2^31, so any run of digits is safe.
  constexpr long long kLimit = 2147483648LL;
  long long magnitude = 0;
  for (; *p >= '0' && *p <= '9'; ++p)
    if (magnitude < kLimit) magnitude = magnitude * 10 + (*p - '0');
  if (negative) return static_cast<std::int32_t>(magnitude >= kLimit ? -kLimit : -magnitude);
  return static_cast<std::int32_t>(magnitude >= kLimit ? kLimit - 1 : magnitude);
}

std::string BiasedNumberText(const char* text, int bias) {
  return std::to_string(static_cast<long long>(LeadingNumber(text)) - bias);
}

std::string CounterLine(std::span<const std::int32_t> values) {
  std::string line;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i) line += '/';
    line += std::to_string(values[i]);
  }
  return line;
}
