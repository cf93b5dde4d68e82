// The printer's values under the stable names that the JSON and OpenMetrics
// outputs share, each read from the field that carries it. The texts the
// printer sends become numbers here, or nothing when they are no number.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "printer/config_conversions.h"
#include "printer/printer_state.h"
#include "printer/status_list.h"

// One cartridge: its name and its three page-1 fields (the imaging
// cartridge's type field is negative: it has none).
struct TonerSlot {
  const char* name;
  int stateField, remainingField, typeField;
};
// Cyan, magenta, yellow, black.
std::span<const TonerSlot> TonerSlots();
// Named "imaging_cartridge".
const TonerSlot& ImagingCartridge();

// A value of an information page under its name. `bias` is taken off
// numbers the printer keeps biased.
struct NamedField {
  const char* name;
  int page;
  int field;
  int bias = 0;
};
std::span<const NamedField> FaceCounterFields();  // total, colour, monochrome
const NamedField& FaceTotalField();
std::span<const NamedField> FacePartFields();  // colour, monochrome: they add up to the total
std::span<const NamedField> TraySheetFields();
std::span<const NamedField> PaperSizeFields();
std::span<const NamedField> PaperTypeFields();
std::span<const NamedField> NormalizedFaceFields();      // coverage counts
std::span<const NamedField> NormalizedFacePartFields();  // colour, monochrome
std::span<const NamedField> NormalizedCoverageFields();  // colour, monochrome
std::span<const NamedField> AverageCoverageFields();     // per colour, percent
std::span<const NamedField> LastJobCoverageFields();     // per colour, percent
std::span<const NamedField> AdjustmentFields();          // shown ones, bias taken off
std::span<const NamedField> FirmwareFields();            // engine, boot, controller

// The whole text as a decimal number (sign, digits, at most one point);
// nothing for an empty text or any other character.
std::optional<double> NumberOf(const char* text);

// A field as a number, bias taken off; nothing when it is no number.
std::optional<double> FieldNumber(const PrinterState& ctx, const NamedField& field);
// A field as text; nothing when empty.
std::optional<std::string> FieldText(const PrinterState& ctx, int page, int field);

// The state of a supply: nothing for a code without a name.
std::optional<SupplyState> StateOf(const PrinterState& ctx, int stateField);
// The remaining percent, as the configuration shows it: nothing when the
// state is not determined ("0") or the text is no number.
std::optional<double> RemainingPercent(const PrinterState& ctx, int stateField, int remainingField);

// The values the supplies and counters commands (and check) are about,
// which a page must have held to be shown: each supply's state and
// remaining percent; the faces printed and the sheets by tray. The names of
// those the printer left out or sent empty ("black toner remaining").
std::vector<std::string> MissingSupplyValues(const PrinterState& ctx);
std::vector<std::string> MissingCounterValues(const PrinterState& ctx);

// Lower-case names: "unknown", "ready", "low", "end", "life_end";
// "starter", "standard", "high".
const char* SupplyStateName(SupplyState state);
const char* CartridgeTypeName(CartridgeType type);

// The switches of the machine settings page, by name, as on or off.
struct NamedSwitch {
  const char* name;
  bool on;
};
// auto_continue, toner_out_stop, toner_low_message.
std::vector<NamedSwitch> MachineSwitches(const PrinterState& ctx);
// The energy save time in minutes; nothing when the energy-save switch is
// off (the page then shows "Off") or the time is no number.
std::optional<double> EnergySaveMinutes(const PrinterState& ctx);

// A number in the shortest text that reads back as it: a whole number as
// digits (a page counter of 1000000, not 1e+06), others to the last digit.
std::string NumberText(double value);
