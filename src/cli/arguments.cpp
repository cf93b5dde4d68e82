#include "cli/arguments.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "cli/exit_status.h"
#include "cli/printer_choice.h"
#include "cli/printer_values.h"
#include "cli/snmp_agent.h"

#ifndef VANTREL_VERSION
#define VANTREL_VERSION "unknown"
#endif

namespace {

constexpr int kGoOn = -1;
constexpr int kDefaultWatchSeconds = 5;
constexpr int kLongestWatchSeconds = 3600;

int BadUsage(const std::string& message) {
  std::fprintf(stderr, "vantrel-cli: %s\nRun 'vantrel-cli --help' for the usage.\n",
               message.c_str());
  return kExitUsage;
}

// The one rule for every number on the command line: decimal digits only,
// as a script writes them; a sign or a blank around it is refused.
std::optional<int> WholeNumber(const std::string& text) {
  if (text.empty() ||
      !std::all_of(text.begin(), text.end(), [](unsigned char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  const std::size_t first = std::min(text.find_first_not_of('0'), text.size() - 1);
  if (text.size() - first > 9) return std::nullopt;
  return std::stoi(text.substr(first));
}

// A number option's text by that rule, written without leading zeros, so
// that a list of allowed values compares numbers ("05" is 5).
const CLI::Validator kWholeNumber(
    [](std::string& text) {
      const std::optional<int> number = WholeNumber(text);
      if (!number) return std::string("'" + text + "' is not a whole number");
      text = std::to_string(*number);
      return std::string();
    },
    "");

// check speaks to monitoring systems, which read only its line and status.
int CheckUsage(const std::string& message) {
  const PluginResult result = UnknownResult("bad usage: " + message);
  std::printf("%s\n", result.line.c_str());
  return result.state;
}

// The times the panel offers, as --energy-save takes them.
std::vector<std::string> EnergySaveTimeTexts() {
  std::vector<std::string> texts;
  for (const SettingChoice* choice = kEnergySaveTimes; choice->text[0]; ++choice)
    texts.push_back(std::to_string(choice->value));
  return texts;
}

std::optional<bool> Switch(const std::string& text) {
  if (text.empty()) return std::nullopt;
  return text == "on";
}

// The command line as CLI11 reads it: the options and commands, bound to
// the words they take, and the checks made of them once parsed.
class CommandLine {
 public:
  explicit CommandLine(Arguments& arguments);
  // kGoOn, or the exit status after --help, --version or bad usage.
  int Parse(int argc, char** argv);

 private:
  void AddGlobalOptions();
  void AddReadingCommands();
  void AddActionCommands();
  void AddCheck();
  void AddDefaults();
  void AddSnmp();

  void TakeReadingCommand();
  void TakeActionCommand();
  int TakePrinter();
  int TakeDefaults();
  int TakeCheck();
  int TakeList();
  int TakeState();
  int TakeFormat();
  int TakeWatch();
  int TakeSnmp();

  Arguments& arguments_;
  CLI::App app_{
      "The Tarnlow printer's status, supplies, counters and configuration, its "
      "INI export and its panel's commands.",
      "vantrel-cli"};
  std::string format_, watch_, tonerAction_, warning_, critical_, timeout_;
  std::string tonerLow_, tonerOutStop_, energySave_, autoContinue_, period_;
  CLI::Option* watchOption_ = nullptr;
  CLI::Option* printerOption_ = nullptr;
  CLI::Option* warningOption_ = nullptr;
  CLI::Option* criticalOption_ = nullptr;
  CLI::Option* timeoutOption_ = nullptr;
  CLI::Option* stateOption_ = nullptr;
  // The commands that only choose what is done.
  std::vector<std::pair<CLI::App*, ReadingCommand>> readings_;
  std::vector<std::pair<CLI::App*, Arguments::Action>> actions_;
  CLI::App* check_ = nullptr;
  CLI::App* list_ = nullptr;
  CLI::App* forget_ = nullptr;
  CLI::App* defaults_ = nullptr;
  CLI::App* snmp_ = nullptr;
  CLI::Option* periodOption_ = nullptr;
  bool reading_ = false;  // one of the reading commands was given
};

// The order of the options and commands is the order --help lists them in.
CommandLine::CommandLine(Arguments& arguments) : arguments_(arguments) {
  app_.set_version_flag("-V,--version", "vantrel-cli " VANTREL_VERSION);
  app_.footer(
      "Exit status: 0 done, 1 no printer or the link failed, 2 bad usage, 3 the printer "
      "refused, 4 the output or the file could not be written, 5 declined at the "
      "prompt, 6 the printer is there but this user may not open it, 7 the program "
      "failed within itself. check: 0 OK, 1 WARNING, 2 CRITICAL, 3 UNKNOWN.");
  // At most one command; a missing one is told below, so that an unknown word
  // is reported as itself rather than as a missing command.
  app_.require_subcommand(0, 1);
  app_.allow_windows_style_options(false);  // "/dir/file.ini" is a file on every system
  app_.fallthrough();                       // the global options also after the command
  AddGlobalOptions();
  AddReadingCommands();
  AddActionCommands();
  AddCheck();
  list_ = app_.add_subcommand("list",
                              "Every Tarnlow present: where, its serial number, "
                              "whether this user may open it (text or json)");
  AddDefaults();
  forget_ = app_.add_subcommand(
      "forget", "Stop writing a printer that is gone into the metrics (see --state)");
  forget_->add_option("SERIAL", arguments_.serial, "Its serial number")->required();
  AddSnmp();
}

void CommandLine::AddGlobalOptions() {
  app_.add_option("-f,--format", format_,
                  "Output of the reading commands (default text); list: text or json")
      ->check(CLI::IsMember({"text", "json", "prometheus", "openmetrics"}));
  printerOption_ = app_.add_option("-p,--printer", arguments_.printer,
                                   "The printer to use, by location or serial number (see list); "
                                   "'all' for every one (metrics only); without it the first "
                                   "(check: every one)")
                       ->type_name("PRINTER");
  app_.add_flag("-y,--yes", arguments_.yes, "Send commands that change the printer without asking");
  stateOption_ =
      app_.add_option("--state", arguments_.stateFile,
                      "Remember the printers seen in FILE: one missing later stays in the "
                      "metrics of --printer all with vantrel_up 0 until forgotten")
          ->type_name("FILE");
}

void CommandLine::AddReadingCommands() {
  CLI::App* status = app_.add_subcommand("status", "The lines the printer's panel shows now");
  watchOption_ = status
                     ->add_option("--watch", watch_,
                                  "Print the lines again whenever they change, "
                                  "polling every SECONDS (default 5)")
                     ->expected(0, 1)
                     ->type_name("SECONDS");
  readings_ = {
      {status, ReadingCommand::Status},
      {app_.add_subcommand("supplies", "Toner and the other supplies"), ReadingCommand::Supplies},
      {app_.add_subcommand("counters", "The page counters"), ReadingCommand::Counters},
      {app_.add_subcommand("config", "All seven pages of the configuration window"),
       ReadingCommand::Config}};
}

void CommandLine::AddActionCommands() {
  CLI::App* exportCommand = app_.add_subcommand("export", "Save the configuration as an INI file");
  exportCommand->add_option("FILE", arguments_.file, "The INI file to write")->required();
  CLI::App* toner = app_.add_subcommand("toner", "Change or eject the toner");
  toner->add_option("ACTION", tonerAction_, "change or eject")
      ->required()
      ->check(CLI::IsMember({"change", "eject"}));
  actions_ = {
      {exportCommand, Arguments::Action::Export},
      {toner, Arguments::Action::Toner},
      {app_.add_subcommand("clean", "Clean up the print head"), Arguments::Action::Clean},
      {app_.add_subcommand("calibrate", "Start a calibration"), Arguments::Action::Calibrate}};
}

void CommandLine::AddCheck() {
  check_ = app_.add_subcommand(
      "check", "One line for monitoring systems; exit 0 OK, 1 WARNING, 2 CRITICAL, 3 UNKNOWN");
  warningOption_ = check_
                       ->add_option("-w,--warning", warning_,
                                    "Warn when the percent of toner or imaging cartridge left "
                                    "is outside this range (20: below 20, ~:10 above 10, "
                                    "@10:20 inside; a plain number as N:; default 20)")
                       ->type_name("RANGE");
  criticalOption_ =
      check_->add_option("-c,--critical", critical_, "Critical outside this range (default 5)")
          ->type_name("RANGE");
  timeoutOption_ = check_
                       ->add_option("-t,--timeout", timeout_,
                                    "UNKNOWN when the check takes longer than SECONDS (1 to 3600)")
                       ->type_name("SECONDS");
}

void CommandLine::AddDefaults() {
  defaults_ = app_.add_subcommand("defaults", "Send the panel's default settings");
  const auto onOff = CLI::IsMember({"on", "off"});
  defaults_->add_option("--toner-low", tonerLow_, "Toner low message")->check(onOff);
  defaults_->add_option("--toner-out-stop", tonerOutStop_, "Stop when toner is out")->check(onOff);
  defaults_->add_option("--energy-save", energySave_, "Minutes before energy save mode")
      ->transform(kWholeNumber)
      ->check(CLI::IsMember(EnergySaveTimeTexts()));
  defaults_->add_option("--auto-continue", autoContinue_, "Auto continue")->check(onOff);
}

void CommandLine::AddSnmp() {
  snmp_ = app_.add_subcommand("snmp",
                              "Serve every printer as the Printer-MIB to snmpd, which starts it "
                              "(its pass_persist protocol on the standard input and output)");
  periodOption_ =
      snmp_
          ->add_option("--period", period_, "Read the printers every SECONDS (5 to 60, default 30)")
          ->type_name("SECONDS");
}

int CommandLine::Parse(int argc, char** argv) {
  try {
    app_.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app_.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app_.exit(e);
  } catch (const CLI::ParseError& e) {
    return check_->parsed() ? CheckUsage(e.what()) : BadUsage(e.what());
  }
  if (app_.get_subcommands().empty())
    return BadUsage(
        "give a command: status, supplies, counters, config, check, list, export, "
        "toner, clean, calibrate, defaults, forget or snmp");
  TakeReadingCommand();
  TakeActionCommand();
  if (const int status = TakePrinter(); status != kGoOn) return status;
  if (const int status = TakeDefaults(); status != kGoOn) return status;
  if (const int status = TakeCheck(); status != kGoOn) return status;
  if (const int status = TakeList(); status != kGoOn) return status;
  if (const int status = TakeSnmp(); status != kGoOn) return status;
  if (const int status = TakeState(); status != kGoOn) return status;
  if (const int status = TakeFormat(); status != kGoOn) return status;
  return TakeWatch();
}

void CommandLine::TakeReadingCommand() {
  for (const auto& [command, reading] : readings_) {
    if (!command->parsed()) continue;
    arguments_.action = Arguments::Action::Read;
    arguments_.reading = reading;
    reading_ = true;
  }
}

void CommandLine::TakeActionCommand() {
  for (const auto& [command, action] : actions_)
    if (command->parsed()) arguments_.action = action;
  if (arguments_.action == Arguments::Action::Toner)
    arguments_.toner = tonerAction_ == "eject" ? TonerOperation::EjectAll : TonerOperation::Change;
}

// An empty --printer is a mistake (an unset variable in a script), not a
// request for the first printer, which leaving the option out is.
int CommandLine::TakePrinter() {
  if (printerOption_->count() == 0 || !arguments_.printer.empty()) return kGoOn;
  const std::string message = "--printer: give a location or a serial number (see list)";
  return check_->parsed() ? CheckUsage(message) : BadUsage(message);
}

int CommandLine::TakeDefaults() {
  if (!defaults_->parsed()) return kGoOn;
  arguments_.action = Arguments::Action::Defaults;
  arguments_.tonerLowMessage = Switch(tonerLow_);
  arguments_.tonerOutStop = Switch(tonerOutStop_);
  arguments_.autoContinue = Switch(autoContinue_);
  if (!energySave_.empty()) arguments_.energySaveMinutes = std::stoi(energySave_);
  if (!arguments_.tonerLowMessage && !arguments_.tonerOutStop && !arguments_.autoContinue &&
      !arguments_.energySaveMinutes)
    return BadUsage("defaults: give at least one setting to send");
  return kGoOn;
}

int CommandLine::TakeCheck() {
  if (!check_->parsed()) return kGoOn;
  arguments_.action = Arguments::Action::Check;
  if (arguments_.printer == kAllPrinters)
    return CheckUsage("check covers every printer when --printer is left out");
  if (!format_.empty()) return CheckUsage("check has one output; --format is not for it");
  for (auto [option, text, threshold] :
       {std::tuple{warningOption_, &warning_, &arguments_.thresholds.warning},
        std::tuple{criticalOption_, &critical_, &arguments_.thresholds.critical}}) {
    // An empty one is a mistake (an unset variable), not the default.
    if (option->count() == 0) continue;
    const std::optional<PluginRange> range = ParsePluginRange(*text);
    if (!range)
      return CheckUsage(
          "a threshold is a percent from 0 to 100 or a range of them (20:, ~:10, "
          "@10:20), not '" +
          *text + "'");
    *threshold = *range;
  }
  // Both "below" thresholds: critical must not alert where warning does not.
  const CheckThresholds& given = arguments_.thresholds;
  const auto below = [](const PluginRange& r) { return !r.inside && std::isinf(r.end); };
  if (below(given.warning) && below(given.critical) && given.critical.start > given.warning.start)
    return CheckUsage("the critical threshold is above the warning threshold");
  if (timeoutOption_->count() != 0) {
    const std::optional<int> seconds = WholeNumber(timeout_);
    if (!seconds || *seconds < 1 || *seconds > kLongestWatchSeconds)
      return CheckUsage("-t/--timeout: SECONDS must be a whole number from 1 to 3600");
    arguments_.timeoutSeconds = *seconds;
  }
  return kGoOn;
}

int CommandLine::TakeList() {
  if (!list_->parsed()) return kGoOn;
  arguments_.action = Arguments::Action::List;
  if (!arguments_.printer.empty())
    return BadUsage("list shows every printer; --printer is not for it");
  if (!format_.empty() && format_ != "text" && format_ != "json")
    return BadUsage("list prints text or json");
  arguments_.format = format_ == "json" ? OutputFormat::Json : OutputFormat::Text;
  return kGoOn;
}

// The state file is read and written by the metrics of every printer and by
// forget alone.
int CommandLine::TakeState() {
  if (stateOption_->count() > 0 && arguments_.stateFile.empty())
    return BadUsage("--state: give the state file");
  if (forget_->parsed()) {
    arguments_.action = Arguments::Action::Forget;
    if (arguments_.stateFile.empty()) return BadUsage("forget: give the state file with --state");
    if (!arguments_.printer.empty()) return BadUsage("forget: --printer is not for it");
    return kGoOn;
  }
  const bool metrics = format_ == "prometheus" || format_ == "openmetrics";
  if (!arguments_.stateFile.empty() && !(arguments_.printer == kAllPrinters && metrics))
    return BadUsage("--state is for the metrics of --printer all, and for forget");
  return kGoOn;
}

// --format and --printer all are for the reading commands alone.
int CommandLine::TakeFormat() {
  const bool metrics = format_ == "prometheus" || format_ == "openmetrics";
  if (arguments_.printer == kAllPrinters && !(reading_ && metrics))
    return BadUsage(
        "--printer all is for the metrics of the reading commands "
        "(--format prometheus or openmetrics)");
  if (list_->parsed()) return kGoOn;  // its formats: TakeList
  if (!format_.empty() && !reading_)
    return BadUsage(
        "--format is for the reading commands (status, supplies, counters, config) and list");
  arguments_.format = format_ == "json"          ? OutputFormat::Json
                      : format_ == "prometheus"  ? OutputFormat::Prometheus
                      : format_ == "openmetrics" ? OutputFormat::OpenMetrics
                                                 : OutputFormat::Text;
  return kGoOn;
}

// snmp serves every printer present, in its own protocol.
int CommandLine::TakeSnmp() {
  if (!snmp_->parsed()) return kGoOn;
  arguments_.action = Arguments::Action::Snmp;
  if (!arguments_.printer.empty())
    return BadUsage("snmp serves every printer; --printer is not for it");
  arguments_.snmpPeriodSeconds = kDefaultSnmpPeriodSeconds;
  if (periodOption_->count() != 0) {
    const std::optional<int> seconds = WholeNumber(period_);
    if (!seconds || *seconds < kShortestSnmpPeriodSeconds || *seconds > kLongestSnmpPeriodSeconds)
      return BadUsage("--period: SECONDS must be a whole number from 5 to 60");
    arguments_.snmpPeriodSeconds = *seconds;
  }
  return kGoOn;
}

int CommandLine::TakeWatch() {
  if (watchOption_->count() == 0) return kGoOn;
  int seconds = kDefaultWatchSeconds;
  if (!watch_.empty()) {
    const std::optional<int> number = WholeNumber(watch_);
    if (!number || *number < 1 || *number > kLongestWatchSeconds)
      return BadUsage("--watch: SECONDS must be a whole number from 1 to 3600");
    seconds = *number;
  }
  arguments_.watchSeconds = seconds;
  return kGoOn;
}

}  // namespace

int ParseArguments(int argc, char** argv, Arguments& arguments) {
  return CommandLine(arguments).Parse(argc, argv);
}
