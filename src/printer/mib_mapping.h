// The printer in the terms of the standard MIBs that SNMP printer monitors
// read (the Printer-MIB, RFC 3805, and the printer objects of the
// HOST-RESOURCES-MIB, RFC 2790): for each family of status codes its alert
// and the detected-error bits it sets, for each supply its type and what
// its state says of its level, and the printer's status from the one
// severity rule (printer_severity.h). docs/snmp.md shows these tables.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "printer/config_conversions.h"
#include "printer/printer_state.h"
#include "printer/status_list.h"
#include "printer/status_severity.h"

// hrPrinterDetectedErrorState's conditions, numbered as RFC 2790 numbers
// its bits: bit 0 is the most significant bit of the first octet.
enum class DetectedError {
  kLowPaper = 0,
  kNoPaper = 1,
  kLowToner = 2,
  kNoToner = 3,
  kDoorOpen = 4,
  kJammed = 5,
  kOffline = 6,
  kServiceRequested = 7,
  kInputTrayMissing = 8,
  kOutputTrayMissing = 9,
  kMarkerSupplyMissing = 10,
  kOutputNearFull = 11,
  kOutputFull = 12,
  kInputTrayEmpty = 13,
  kOverduePreventMaint = 14,
};
// A set of conditions: condition n as 1 << n.
using DetectedErrors = std::uint16_t;
constexpr DetectedErrors Bit(DetectedError error) {
  return static_cast<DetectedErrors>(1u << static_cast<int>(error));
}
// The value of hrPrinterDetectedErrorState: two octets (the fifteen bits
// the RFC names), condition n in bit 7 - n % 8 of octet n / 8.
std::vector<std::uint8_t> DetectedErrorOctets(DetectedErrors errors);

// hrPrinterStatus. (hrDeviceStatus lies in hrDeviceTable, which stays the
// agent's own: docs/snmp.md.)
enum class HrPrinterStatus { kOther = 1, kUnknown = 2, kIdle = 3, kPrinting = 4, kWarmup = 5 };

// Values of the Printer-MIB's textual conventions that the tables use.
namespace prt {
// PrtAlertSeverityLevelTC
inline constexpr int kAlertCritical = 3, kAlertWarning = 4;
// PrtAlertTrainingLevelTC
inline constexpr int kUntrained = 3, kTrained = 4, kFieldService = 5, kNoInterventionRequired = 7;
// PrtAlertGroupTC
inline constexpr int kGroupOther = 1, kGroupGeneralPrinter = 5, kGroupCover = 6, kGroupInput = 8,
                     kGroupOutput = 9, kGroupMarker = 10, kGroupMarkerSupplies = 11,
                     kGroupMediaPath = 13, kGroupChannel = 14, kGroupInterpreter = 15;
// PrtAlertCodeTC
inline constexpr int kCodeOther = 1, kCodeUnknown = 2, kCodeCoverOpen = 3, kCodeJam = 8,
                     kCodeSubunitOffline = 22, kCodeSubunitPowerSaver = 23,
                     kCodeSubunitRecoverableFailure = 29, kCodeSubunitUnrecoverableFailure = 30,
                     kCodeSubunitRecoverableStorageError = 31, kCodeSubunitMemoryExhausted = 34,
                     kCodePrinterReadyToPrint = 507, kCodeInputMediaSupplyEmpty = 808,
                     kCodeInputCannotFeedSizeSelected = 813, kCodeOutputMediaTrayFull = 903,
                     kCodeMarkerTonerEmpty = 1101, kCodeMarkerTonerAlmostEmpty = 1104,
                     kCodeMarkerOpcLifeAlmostOver = 1111, kCodeMarkerOpcLifeOver = 1112,
                     kCodeMarkerTonerCartridgeMissing = 1115;
// PrtMarkerSuppliesTypeTC, PrtMarkerSuppliesClassTC, PrtMarkerSuppliesSupplyUnitTC
inline constexpr int kSupplyToner = 3, kSupplyOpc = 9;
inline constexpr int kSupplyThatIsConsumed = 3;
inline constexpr int kUnitImpressions = 7, kUnitPercent = 19;
// PrtMarkerMarkTechTC, PrtMarkerColorantRoleTC
inline constexpr int kElectrophotographicLaser = 4, kColorantProcess = 3;
// prtMarkerSuppliesLevel's values for a level not given as a number.
inline constexpr int kLevelUnknown = -2, kLevelSomeRemaining = -3;
}  // namespace prt

// One family of status codes.
struct StatusCodeMapping {
  const char* prefix;  // the codes it holds begin with this
  // What a code of the printer's ready severity says it is doing; the other
  // severities set the printer's status by themselves.
  HrPrinterStatus activity;
  int alertGroup, alertCode, trainingLevel;
  DetectedErrors errors;
};
// The families, the longer prefix before the shorter one it begins with.
std::span<const StatusCodeMapping> StatusCodeMappings();
// The first family that holds the code; for a code the printer's message
// table lacks (or a family missing here), the family of unknown codes.
const StatusCodeMapping& MappingOfCode(const char code[kStatusCodeLength]);
// The family of unknown codes (prefix "").
const StatusCodeMapping& UnknownCodeMapping();

// The alert severity of a status code's severity; nothing for the ready
// codes (states such as READY or Printing are no alert).
std::optional<int> AlertSeverityOf(Severity severity);

// One supply of information page 1 as a row of prtMarkerSuppliesTable:
// `name` is its kSupplyFields name; colorant the colorant's name, nullptr
// for the imaging cartridge.
struct SupplyMapping {
  const char* name;
  int type;
  const char* description;
  const char* colorant;
};
// In kSupplyFields order.
std::span<const SupplyMapping> SupplyMappings();

// What a supply's state says of its level and of the detected errors.
struct SupplyStateMapping {
  std::optional<SupplyState> state;  // nothing: a code the printer does not explain
  // The level when the page gives no remaining percent (an empty one: 0
  // whatever percent the page shows).
  int level;
  bool levelFromPercent;  // the remaining percent, when the page gives one
  DetectedErrors tonerErrors, cartridgeErrors;
};
const SupplyStateMapping& MappingOfSupplyState(std::optional<SupplyState> state);

// The printer's hrPrinterStatus and detected errors.
struct PrinterMibState {
  HrPrinterStatus printerStatus;
  DetectedErrors errors;
};
// From its status codes and the supplies read, by the one severity rule: an
// error is other (RFC 2790 pairs it with a device that is down); otherwise
// what its ready codes say it is doing.
PrinterMibState PrinterMibStateOf(const PrinterState& printer);
// A printer present that could not be read: unknown, offline.
PrinterMibState NotAnsweringMibState();
// The alert of a printer that could not be read.
inline constexpr StatusCodeMapping kNotAnsweringAlert = {"",
                                                         HrPrinterStatus::kUnknown,
                                                         prt::kGroupGeneralPrinter,
                                                         prt::kCodeSubunitOffline,
                                                         prt::kTrained,
                                                         Bit(DetectedError::kOffline)};

// A code's panel lines in one line ("TRANSFER JAM / OPEN TOP COVER"), the
// alert's description; "status code XXXXXX" for a code without a message.
std::string AlertDescription(const char code[kStatusCodeLength]);
