// The printers as SNMP objects: the Printer-MIB rows and the printer rows of
// the HOST-RESOURCES-MIB, by OID, in the order a walk reads them. Built
// whole from one round of readings (src/printer/mib_mapping.h decides every
// value), then only looked up.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "printer/printer_state.h"

using Oid = std::vector<std::uint32_t>;

// A value as the pass_persist protocol writes it: its type word (integer,
// counter, string, octet) and its text (octets as hex pairs).
struct SnmpValue {
  std::string type;
  std::string text;
  bool operator==(const SnmpValue&) const = default;
};

// std::map orders vectors of numbers as SNMP orders OIDs.
using SnmpTree = std::map<Oid, SnmpValue>;

// The subtrees served, each registered with snmpd on a line of its own: the
// two columns of hrPrinterTable (the agent's own registrations of them are
// longer than one of the whole entry, so only these take its GETs) and the
// Printer-MIB.
inline const Oid kHrPrinterEntry = {1, 3, 6, 1, 2, 1, 25, 3, 5, 1};
inline const Oid kHrPrinterStatus = {1, 3, 6, 1, 2, 1, 25, 3, 5, 1, 1};
inline const Oid kHrPrinterDetectedErrorState = {1, 3, 6, 1, 2, 1, 25, 3, 5, 1, 2};
inline const Oid kPrinterMib = {1, 3, 6, 1, 2, 1, 43};

// ".1.3.6" or "1.3.6"; nothing for anything else.
std::optional<Oid> ParseOid(std::string_view text);
// With a leading dot.
std::string OidText(const Oid& oid);

// One printer present: its hrDeviceIndex, its serial number and what was
// read from it, or (reading nullptr) why it could not be read.
struct SnmpPrinter {
  int index;
  std::string serial;
  const PrinterState* reading;
  std::string failure;
};

SnmpTree BuildSnmpTree(std::span<const SnmpPrinter> printers);
