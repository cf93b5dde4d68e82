// vantrel-cli's command line: the commands, their arguments and the global
// options, checked before anything is sent.
#pragma once

#include <optional>
#include <string>

#include "cli/check_command.h"
#include "cli/reading_command.h"
#include "printer/panel_commands.h"

struct Arguments {
  enum class Action { Read, Export, Toner, Clean, Calibrate, Defaults, Check, List, Forget, Snmp };
  Action action = Action::Read;
  ReadingCommand reading = ReadingCommand::Status;
  OutputFormat format = OutputFormat::Text;
  bool yes = false;
  std::string printer;              // --printer: serial number, location or "all"; empty the first
                                    // (check: every one)
  std::optional<int> watchSeconds;  // status --watch
  std::string file;                 // export
  TonerOperation toner = TonerOperation::Change;
  // defaults: the settings given; the rest keep the printer's.
  std::optional<bool> tonerLowMessage, tonerOutStop, autoContinue;
  std::optional<int> energySaveMinutes;
  CheckThresholds thresholds;         // check
  std::optional<int> timeoutSeconds;  // check -t: UNKNOWN when the run takes longer
  std::string stateFile;              // --state: the printers the metrics have seen
  std::string serial;                 // forget
  int snmpPeriodSeconds = 0;          // snmp --period
};

// Parses the command line into `arguments`. Returns -1 to go on, or the
// exit status after --help or --version (0) or bad usage (2, told on the
// standard error; for check 3, told in its one line on the standard output).
int ParseArguments(int argc, char** argv, Arguments& arguments);
