#include "printer/panel_commands.h"

#include <algorithm>
#include <cstring>

#include "device/request_catalogue.h"
#include "printer/config_conversions.h"
#include "printer/printer_info.h"

const SettingChoice kEnergySaveTimes[] = {{"5", 5}, {"15", 15}, {"30", 30}, {"60", 60}, {"", 0}};

namespace {

CommandResult Worse(const CommandResult& a, const CommandResult& b) {
  auto rank = [](const CommandResult& r) {
    return r.outcome == CommandOutcome::NoReply ? 2 : r.outcome == CommandOutcome::Refused ? 1 : 0;
  };
  return rank(a) >= rank(b) ? a : b;
}

int Switch(bool on) { return PackPlain(on ? 1 : 0); }

}  // namespace

CommandResult SendTonerOperation(DeviceLink& link, TonerOperation operation) {
  return SendCommand(link, REQ_TONER_OPERATION, PackPlain(static_cast<int>(operation)));
}

CommandResult StartCalibration(DeviceLink& link) {
  return SendCommand(link, REQ_START_CALIBRATION, 0);
}

bool IsEnergySaveTime(std::int32_t minutes) {
  for (const SettingChoice* choice = kEnergySaveTimes; choice->text[0]; ++choice)
    if (choice->value == minutes) return true;
  return false;
}

CommandResult SendPanelDefaults(DeviceLink& link, const PanelDefaults& defaults) {
  CommandResult result{CommandOutcome::Acknowledged, std::nullopt};
  result =
      Worse(result, SendCommand(link, REQ_SET_TONER_LOW_MESSAGE, Switch(defaults.tonerLowMessage)));
  result = Worse(result, SendCommand(link, REQ_SET_TONER_OUT_STOP, Switch(defaults.tonerOutStop)));
  result = Worse(
      result, SendCommand(link, REQ_SET_ENERGY_SAVE_TIME, PackPlain(defaults.energySaveMinutes)));
  result = Worse(result, SendCommand(link, REQ_SET_AUTO_CONTINUE, Switch(defaults.autoContinue)));
  return result;
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
