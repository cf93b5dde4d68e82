// The commands of the printer's own panel and its four default settings,
// over a device link the caller has opened.
#pragma once

#include <cstdint>

#include "printer/printer_requests.h"
#include "printer/printer_state.h"
#include "printer/setting_choice.h"

// What REQ_TONER_OPERATION does, in the high byte of its wValue.
enum class TonerOperation : int { Change = 0, EjectAll = 1, PrintHeadCleanUp = 2 };

CommandResult SendTonerOperation(DeviceLink& link, TonerOperation operation);
CommandResult StartCalibration(DeviceLink& link);

// The energy save times the panel offers, in minutes; the table ends at an
// empty text.
extern const SettingChoice kEnergySaveTimes[];
// True for one of the offered times.
bool IsEnergySaveTime(std::int32_t minutes);

struct PanelDefaults {
  bool tonerLowMessage = true;
  bool tonerOutStop = true;
  std::int32_t energySaveMinutes = 30;
  bool autoContinue = false;
};

// Sends the four settings in their fixed order, every one whatever became
// of the ones before. The outcome is the worst of the four: no reply before
// a refusal before an acknowledgement (with the first no-reply's cause).
CommandResult SendPanelDefaults(DeviceLink& link, const PanelDefaults& defaults);

// The settings as the information pages 1 and 3 report them (read into
// state), with the switches judged as the configuration pages show them; the
// energy save time is 0 when it is not one the panel offers.
PanelDefaults ReportedPanelDefaults(const PrinterState& state);
