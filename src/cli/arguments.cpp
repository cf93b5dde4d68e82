#include "cli/arguments.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/exit_status.h"
#include "cli/printer_choice.h"
#include "cli/printer_values.h"

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
  if (text.empty() || !std::all_of(text.begin(), text.end(),
                                   [](unsigned char c) { return c >= '0' && c <= '9'; }))
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

// A threshold in percent, 0 to 100, by the same rule with an optional
// fraction ("12.5"): digits on both sides of the point.
std::optional<double> Percent(const std::string& text) {
  const std::size_t point = text.find('.');
  const std::optional<int> whole = WholeNumber(text.substr(0, point));
  if (!whole) return std::nullopt;
  double value = *whole;
  if (point != std::string::npos) {
    const std::string fraction = text.substr(point + 1);
    const std::optional<int> digits = WholeNumber(fraction);
    if (!digits) return std::nullopt;
    value += *digits / std::pow(10.0, static_cast<double>(fraction.size()));
  }
  if (value > 100) return std::nullopt;
  return value;
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

}  // namespace

int ParseArguments(int argc, char** argv, Arguments& arguments) {
  CLI::App app{"The Tarnlow printer's status, supplies, counters and configuration, its "
               "INI export and its panel's commands.",
               "vantrel-cli"};
  app.set_version_flag("--version", "vantrel-cli " VANTREL_VERSION);
  app.footer("Exit status: 0 done, 1 no printer or the link failed, 2 bad usage, 3 the printer "
             "refused, 4 the output or the file could not be written, 5 declined at the "
             "prompt, 6 the printer is there but this user may not open it. check: 0 OK, "
             "1 WARNING, 2 CRITICAL, 3 UNKNOWN.");
  // At most one command; a missing one is told below, so that an unknown word
  // is reported as itself rather than as a missing command.
  app.require_subcommand(0, 1);
  app.allow_windows_style_options(false);  // "/dir/file.ini" is a file on every system
  app.fallthrough();  // the global options also after the command
  std::string format;
  app.add_option("-f,--format", format, "Output of the reading commands (default text)")
      ->check(CLI::IsMember({"text", "json", "prometheus", "openmetrics"}));
  app.add_option("-p,--printer", arguments.printer,
                 "The printer to use, by serial number or location (see list); 'all' for "
                 "every one (metrics only); without it the first")
      ->type_name("PRINTER");
  app.add_flag("-y,--yes", arguments.yes, "Send commands that change the printer without asking");

  CLI::App* status = app.add_subcommand("status", "The lines the printer's panel shows now");
  std::string watch;
  CLI::Option* watchOption =
      status->add_option("--watch", watch, "Print the lines again whenever they change, "
                                           "polling every SECONDS (default 5)")
          ->expected(0, 1)
          ->type_name("SECONDS");
  CLI::App* supplies = app.add_subcommand("supplies", "Toner and the other supplies");
  CLI::App* counters = app.add_subcommand("counters", "The page counters");
  CLI::App* config = app.add_subcommand("config", "All seven pages of the configuration window");
  CLI::App* exportCommand = app.add_subcommand("export", "Save the configuration as an INI file");
  exportCommand->add_option("FILE", arguments.file, "The INI file to write")->required();
  CLI::App* toner = app.add_subcommand("toner", "Change or eject the toner");
  std::string tonerAction;
  toner->add_option("ACTION", tonerAction, "change or eject")
      ->required()
      ->check(CLI::IsMember({"change", "eject"}));
  CLI::App* clean = app.add_subcommand("clean", "Clean up the print head");
  CLI::App* calibrate = app.add_subcommand("calibrate", "Start a calibration");
  CLI::App* check = app.add_subcommand(
      "check", "One line for monitoring systems; exit 0 OK, 1 WARNING, 2 CRITICAL, 3 UNKNOWN");
  std::string warning, critical;
  check->add_option("-w,--warning", warning, "Warn below this percent of toner or imaging "
                                             "cartridge left (default 20)")
      ->type_name("PERCENT");
  check->add_option("-c,--critical", critical, "Critical below this percent (default 5)")
      ->type_name("PERCENT");
  CLI::App* list = app.add_subcommand("list", "Every Tarnlow present: where, its serial number, "
                                              "whether this user may open it");
  CLI::App* defaults = app.add_subcommand("defaults", "Send the panel's default settings");
  std::string tonerLow, tonerOutStop, energySave, autoContinue;
  const auto onOff = CLI::IsMember({"on", "off"});
  defaults->add_option("--toner-low", tonerLow, "Toner low message")->check(onOff);
  defaults->add_option("--toner-out-stop", tonerOutStop, "Stop when toner is out")->check(onOff);
  defaults->add_option("--energy-save", energySave, "Minutes before energy save mode")
      ->transform(kWholeNumber)
      ->check(CLI::IsMember(EnergySaveTimeTexts()));
  defaults->add_option("--auto-continue", autoContinue, "Auto continue")->check(onOff);

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    return check->parsed() ? CheckUsage(e.what()) : BadUsage(e.what());
  }
  if (app.get_subcommands().empty())
    return BadUsage("give a command: status, supplies, counters, config, check, list, export, "
                    "toner, clean, calibrate or defaults");

  const struct {
    CLI::App* command;
    ReadingCommand reading;
  } readings[] = {{status, ReadingCommand::Status},
                  {supplies, ReadingCommand::Supplies},
                  {counters, ReadingCommand::Counters},
                  {config, ReadingCommand::Config}};
  bool reading = false;
  for (const auto& entry : readings) {
    if (!entry.command->parsed()) continue;
    arguments.action = Arguments::Action::Read;
    arguments.reading = entry.reading;
    reading = true;
  }
  if (exportCommand->parsed()) arguments.action = Arguments::Action::Export;
  if (toner->parsed()) {
    arguments.action = Arguments::Action::Toner;
    arguments.toner = tonerAction == "eject" ? TonerOperation::EjectAll : TonerOperation::Change;
  }
  if (clean->parsed()) arguments.action = Arguments::Action::Clean;
  if (calibrate->parsed()) arguments.action = Arguments::Action::Calibrate;
  if (defaults->parsed()) {
    arguments.action = Arguments::Action::Defaults;
    arguments.tonerLowMessage = Switch(tonerLow);
    arguments.tonerOutStop = Switch(tonerOutStop);
    arguments.autoContinue = Switch(autoContinue);
    if (!energySave.empty()) arguments.energySaveMinutes = std::stoi(energySave);
    if (!arguments.tonerLowMessage && !arguments.tonerOutStop && !arguments.autoContinue &&
        !arguments.energySaveMinutes)
      return BadUsage("defaults: give at least one setting to send");
  }

  if (check->parsed()) {
    arguments.action = Arguments::Action::Check;
    if (arguments.printer == kAllPrinters) return CheckUsage("check looks at one printer");
    if (!format.empty()) return CheckUsage("check has one output; --format is not for it");
    for (auto [text, threshold] : {std::pair{&warning, &arguments.thresholds.warning},
                                   std::pair{&critical, &arguments.thresholds.critical}}) {
      if (text->empty()) continue;
      const std::optional<double> percent = Percent(*text);
      if (!percent) return CheckUsage("a threshold is a percent from 0 to 100, not " + *text);
      *threshold = *percent;
    }
    if (arguments.thresholds.critical > arguments.thresholds.warning)
      return CheckUsage("the critical threshold is above the warning threshold");
  }
  if (list->parsed()) {
    arguments.action = Arguments::Action::List;
    if (!arguments.printer.empty())
      return BadUsage("list shows every printer; --printer is not for it");
  }
  const bool metrics = format == "prometheus" || format == "openmetrics";
  if (arguments.printer == kAllPrinters && !(reading && metrics))
    return BadUsage("--printer all is for the metrics of the reading commands "
                    "(--format prometheus or openmetrics)");
  if (!format.empty() && !reading)
    return BadUsage("--format is for the reading commands (status, supplies, counters, config)");
  arguments.format = format == "json"          ? OutputFormat::Json
                     : format == "prometheus"  ? OutputFormat::Prometheus
                     : format == "openmetrics" ? OutputFormat::OpenMetrics
                                               : OutputFormat::Text;
  if (watchOption->count() > 0) {
    int seconds = kDefaultWatchSeconds;
    if (!watch.empty()) {
      const std::optional<int> number = WholeNumber(watch);
      if (!number || *number < 1 || *number > kLongestWatchSeconds)
        return BadUsage("--watch: SECONDS must be a whole number from 1 to 3600");
      seconds = *number;
    }
    arguments.watchSeconds = seconds;
  }
  return kGoOn;
}
