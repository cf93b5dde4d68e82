// The one rule for how urgently the printer needs someone, from its status
// codes and its supplies together. Every output that sums the printer up
// takes it from here: the watch's icon, check, JSON, the metrics, the SNMP
// rows (mib_mapping.h).
#pragma once

#include <optional>
#include <vector>

#include "printer/config_conversions.h"
#include "printer/configuration_fields.h"
#include "printer/printer_state.h"
#include "printer/status_severity.h"

// A supply in the state its information page reports: ready is ready, low
// a warning, end and life end an error; "unknown" and a state code the
// printer does not explain (nothing) a warning, for someone to look at.
Severity SeverityOfSupplyState(std::optional<SupplyState> state);

// One supply of information page 1 (a row of kSupplyFields) by that rule;
// nothing when its state field is empty (the page was not read).
std::optional<Severity> SeverityOfSupply(const PrinterState& printer, const SupplyField& supply);

struct SupplySeverity {
  const SupplyField* supply;
  std::optional<SupplyState> state;  // nothing: a code the printer does not explain
  Severity severity;
};
// Every supply whose state was read, in kSupplyFields order.
std::vector<SupplySeverity> SupplySeverities(const PrinterState& printer);

// The worst of the status codes and of every supply read: the printer in
// one word. With page 1 unread, the status codes alone (as the watch reads).
Severity SeverityOf(const PrinterState& printer);
