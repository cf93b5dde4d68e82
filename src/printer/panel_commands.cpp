#include "printer/panel_commands.h"

#include <algorithm>
#include <cstring>

#include "device/request_catalogue.h"
#include "printer/config_conversions.h"
#include "printer/printer_info.h"

const SettingChoice kEnergySaveTimes[] = {{"5", 5}, {"15", 15}, {"30", 30}, {"60", 60}, {"", 0}};

namespace {

CommandOutcome Worse(CommandOutcome a, CommandOutcome b) {
  auto rank = [](CommandOutcome o) {
    return o == CommandOutcome::NoReply ? 2 : o == CommandOutcome::Refused ? 1 : 0;
  };
  return rank(a) >= rank(b) ? a : b;
}

int Switch(bool on) { return PackPlain(on ? 1 : 0); }

}  // namespace

CommandOutcome SendTonerOperation(TonerOperation operation) {
  return SendCommand(REQ_TONER_OPERATION, PackPlain(static_cast<int>(operation)));
}

CommandOutcome StartCalibration() { return SendCommand(REQ_START_CALIBRATION, 0); }

bool IsEnergySaveTime(std::int32_t minutes) {
  for (const SettingChoice* choice = kEnergySaveTimes; choice->text[0]; ++choice)
    if (choice->value == minutes) return true;
  return false;
}

CommandOutcome SendPanelDefaults(const PanelDefaults& defaults) {
  CommandOutcome outcome = CommandOutcome::Acknowledged;
  outcome =
      Worse(outcome, SendCommand(REQ_SET_TONER_LOW_MESSAGE, Switch(defaults.tonerLowMessage)));
  outcome = Worse(outcome, SendCommand(REQ_SET_TONER_OUT_STOP, Switch(defaults.tonerOutStop)));
  outcome =
      Worse(outcome, SendCommand(REQ_SET_ENERGY_SAVE_TIME, PackPlain(defaults.energySaveMinutes)));
  outcome = Worse(outcome, SendCommand(REQ_SET_AUTO_CONTINUE, Switch(defaults.autoContinue)));
  return outcome;
}

PanelDefaults ReportedPanelDefaults(const PrinterState& state) {
  const char* minutes = PageField(state, kMachinePageNumber, MACHINEENERGYSAVE);
  // Only a plain number is taken as the time: "30x" is no time the panel set.
  const bool plain = *minutes && std::all_of(minutes, minutes + std::strlen(minutes),
                                             [](char c) { return c >= '0' && c <= '9'; });
  PanelDefaults defaults;
  defaults.tonerLowMessage = SwitchZeroIsOn(PageField(state, kTonerPageNumber, TONERLOWMSG));
  defaults.tonerOutStop = SwitchOffIsOn(PageField(state, kMachinePageNumber, MACHINETONEREMPTY));
  defaults.energySaveMinutes =
      plain && IsEnergySaveTime(LeadingNumber(minutes)) ? LeadingNumber(minutes) : 0;
  defaults.autoContinue = SwitchOffIsOn(PageField(state, kMachinePageNumber, MACHINEAUTOCONTO));
  return defaults;
}
