#include "printer/printer_severity.h"

#include <algorithm>

#include "printer/printer_info.h"

Severity SeverityOfSupplyState(std::optional<SupplyState> state) {
  if (!state) return Severity::kWarning;
  switch (*state) {
    case SupplyState::Ready: return Severity::kReady;
    case SupplyState::End:
    case SupplyState::LifeEnd: return Severity::kError;
    case SupplyState::Low:
    case SupplyState::Unknown: break;
  }
  return Severity::kWarning;
}

std::optional<Severity> SeverityOfSupply(const PrinterState& printer, const SupplyField& supply) {
  const char* state = PageField(printer, kTonerPageNumber, supply.state);
  if (!*state) return std::nullopt;
  return SeverityOfSupplyState(ParseSupplyState(state));
}

std::vector<SupplySeverity> SupplySeverities(const PrinterState& printer) {
  std::vector<SupplySeverity> supplies;
  for (const SupplyField& supply : kSupplyFields)
    if (const std::optional<Severity> severity = SeverityOfSupply(printer, supply))
      supplies.push_back({&supply,
                          ParseSupplyState(PageField(printer, kTonerPageNumber, supply.state)),
                          *severity});
  return supplies;
}

Severity SeverityOf(const PrinterState& printer) {
  Severity worst = WorstSeverity(printer.status);
  for (const SupplySeverity& supply : SupplySeverities(printer))
    worst = std::max(worst, supply.severity);
  return worst;
}
