#include "cli/printer_commands.h"

#include "cli/confirmation.h"
#include "cli/exit_status.h"
#include "cli/printer_choice.h"
#include "cli/printer_session.h"
#include "common/string_table.h"
#include "string_ids.h"

namespace {

std::string Said(int stringId) { return TextOrEmpty(stringId) + "\n"; }

const char* OnOff(bool on) { return on ? "on" : "off"; }

std::string SendDefaults(const Arguments& arguments) {
  PrinterSession session(ChosenPrinter(arguments.printer));
  PanelDefaults defaults;
  const bool allGiven = arguments.tonerLowMessage && arguments.tonerOutStop &&
                        arguments.autoContinue && arguments.energySaveMinutes;
  if (!allGiven) {
    // What is not given stays as the printer reports it.
    PrinterReading reading;
    ReadParts parts;
    parts.supplies = parts.machine = true;
    session.Read(parts, reading);
    defaults = ReportedPanelDefaults(reading.printer);
    if (!arguments.energySaveMinutes && defaults.energySaveMinutes == 0)
      // What the printer reported cannot be used: its failure, not the
      // user's; the hint says how to go on without it.
      throw CliFailure(kExitRefused,
                       "the printer reports no energy save time of 5, 15, 30 or 60 minutes; "
                       "give --energy-save");
  }
  defaults.tonerLowMessage = arguments.tonerLowMessage.value_or(defaults.tonerLowMessage);
  defaults.tonerOutStop = arguments.tonerOutStop.value_or(defaults.tonerOutStop);
  defaults.energySaveMinutes = arguments.energySaveMinutes.value_or(defaults.energySaveMinutes);
  defaults.autoContinue = arguments.autoContinue.value_or(defaults.autoContinue);
  Confirm(arguments.yes, std::string("the default settings (toner low message ") +
                             OnOff(defaults.tonerLowMessage) + ", toner out stop " +
                             OnOff(defaults.tonerOutStop) + ", energy save " +
                             std::to_string(defaults.energySaveMinutes) +
                             " minutes, auto continue " + OnOff(defaults.autoContinue) + ")");
  RequireAcknowledged(SendPanelDefaults(session.Link(), defaults),
                      "one or more of the default settings");
  return Said(kTextSetDefaultSent);
}

}  // namespace

std::string RunPrinterCommand(const Arguments& arguments) {
  RequireWayToConfirm(arguments.yes);
  using Action = Arguments::Action;
  if (arguments.action == Action::Defaults) return SendDefaults(arguments);

  const bool eject = arguments.toner == TonerOperation::EjectAll;
  const char* what = arguments.action == Action::Clean       ? "the print head clean-up"
                     : arguments.action == Action::Calibrate ? "the calibration"
                     : eject                                 ? "the toner eject"
                                                             : "the toner change";
  Confirm(arguments.yes, what);
  PrinterSession session(ChosenPrinter(arguments.printer));
  switch (arguments.action) {
    case Action::Clean:
      RequireAcknowledged(SendTonerOperation(session.Link(), TonerOperation::PrintHeadCleanUp),
                          what);
      return Said(kTextCommandSent);
    case Action::Calibrate:
      RequireAcknowledged(StartCalibration(session.Link()), what);
      return Said(kTextCalibrationSent);
    default:
      RequireAcknowledged(SendTonerOperation(session.Link(), arguments.toner), what);
      return Said(eject ? kTextEjectSent : kTextCommandSent);
  }
}
