#include "printer/status_severity.h"

#include "printer/status_messages.h"

Severity SeverityOfCode(const char code[kStatusCodeLength]) {
  if (!LookupStatusMessage(code)) return Severity::kWarning;
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
