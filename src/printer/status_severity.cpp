#include "printer/status_severity.h"

#include <string_view>

#include "printer/status_messages.h"

namespace {

// The cautions that say a cartridge is empty: "TONER OUT x" and "I/C END".
// An empty cartridge is an error however the printer files it.
constexpr std::string_view kEmptyCartridgeCodes[] = {"3000", "307000"};

bool SaysCartridgeEmpty(const char code[kStatusCodeLength]) {
  const std::string_view text(code, kStatusCodeLength);
  for (const std::string_view prefix : kEmptyCartridgeCodes)
    if (text.substr(0, prefix.size()) == prefix) return true;
  return false;
}

}  // namespace

Severity SeverityOfCode(const char code[kStatusCodeLength]) {
  if (!LookupStatusMessage(code)) return Severity::kWarning;
  if (SaysCartridgeEmpty(code)) return Severity::kError;
  switch (code[0]) {
    case '0': return Severity::kReady;
    case '1':
    case '2': return Severity::kError;
    default: return Severity::kWarning;
  }
}

int MostSevereCodeIndex(const StatusList& list) {
  int worst = -1;
  for (int i = 0; i < list.count; ++i) {
    const Severity severity = SeverityOfCode(StatusCodeAt(list, i));
    if (worst < 0 || severity > SeverityOfCode(StatusCodeAt(list, worst))) worst = i;
  }
  return worst;
}

Severity WorstSeverity(const StatusList& list) {
  const int index = MostSevereCodeIndex(list);
  return index < 0 ? Severity::kReady : SeverityOfCode(StatusCodeAt(list, index));
}

const char* SeverityName(Severity severity) {
  switch (severity) {
    case Severity::kReady: return "ready";
    case Severity::kWarning: return "warning";
    case Severity::kError: return "error";
    case Severity::kNoPrinter: return "no printer";
  }
  return "";
}
