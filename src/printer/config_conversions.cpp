#include "printer/config_conversions.h"

#include <cstring>

#include "common/string_table.h"
#include "string_ids.h"

namespace {

struct CodeText {
  const char* code;
  int stringId;
};

constexpr CodeText kSupplyStates[] = {
    {"1", kTextReady}, {"2", kTextLow}, {"3", kTextEnd}, {"4", kTextLifeEnd}, {"0", kTextUnknown},
};

constexpr CodeText kCartridgeTypes[] = {
    {"05", kTextStarter}, {"15", kTextStandard}, {"25", kTextHigh},
};

std::string Text(int stringId) {
  const char* text = LoadText(stringId);
  return text ? text : "";
}

const char* OrEmpty(const char* text) { return text ? text : ""; }

// The string of the code that equals text exactly; 0 when none does.
template <std::size_t N>
int FindCode(const CodeText (&table)[N], const char* text) {
  for (const CodeText& entry : table)
    if (std::strcmp(entry.code, OrEmpty(text)) == 0) return entry.stringId;
  return 0;
}

bool IsAtolSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

std::optional<std::string> SupplyStateText(const char* state) {
  int stringId = FindCode(kSupplyStates, state);
  if (stringId == 0) return std::nullopt;
  return Text(stringId);
}

std::string CartridgeTypeText(const char* type) {
  int stringId = FindCode(kCartridgeTypes, type);
  return stringId ? Text(stringId) : "-";
}

std::string PercentText(const char* value) { return std::string(OrEmpty(value)) + "%"; }

std::string SwitchOffText(const char* value) {
  return Text(std::strcmp(OrEmpty(value), "OFF") == 0 ? kTextOff : kTextOn);
}

std::string SwitchZeroText(const char* value) {
  return Text(std::strcmp(OrEmpty(value), "0") == 0 ? kTextOff : kTextOn);
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
