// vantrel-cli: the printer's status, supplies, counters and configuration
// as text, JSON or metrics; its INI export; its panel's commands; the check
// for monitoring systems, the list of printers present and the rows snmpd
// serves. Built on the device link and the printer model alone, never the
// windows.
// The exit status tells a script what happened (cli/exit_status.h).
#include "cli/program.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/check_command.h"
#include "cli/exit_status.h"
#include "cli/json_output.h"
#include "cli/known_printers.h"
#include "cli/metrics_output.h"
#include "cli/printer_choice.h"
#include "cli/printer_commands.h"
#include "cli/printer_session.h"
#include "cli/printer_values.h"
#include "cli/snmp_agent.h"
#include "cli/status_watch.h"
#include "cli/terminal_text.h"
#include "cli/text_output.h"
#include "cli/time_limit.h"
#include "common/string_table.h"
#include "device/device_backend.h"
#include "printer/configuration_export.h"
#include "printer/printer_info.h"

namespace {

TerminalEncoding g_encoding = nullptr;

// Text output as the terminal may safely show it (JSON and OpenMetrics
// escape by their own rules).
std::string ForTerminal(const std::string& text) {
  const std::string escaped = EscapeControls(text);
  return g_encoding ? g_encoding(escaped) : escaped;
}

// Everything at once, or a failure: never half an output. False when the
// output's reader has gone (a closed pipe).
bool Write(const std::string& text) {
  errno = 0;
  if (std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0)
    return true;
  if (errno == EPIPE) return false;
  throw CliFailure(kExitNotWritten, "could not write the output");
}

void Print(const std::string& text) {
  if (!Write(text)) throw CliFailure(kExitNotWritten, "could not write the output");
}

// The serial number the metrics label a printer with: the device's own,
// or where the platform gives none, the one its machine page reports.
std::string SerialOf(const PrinterReading& reading) {
  if (!reading.serial.empty()) return reading.serial;
  return FieldText(reading.printer, kMachinePageNumber, MACHINESERIAL).value_or("");
}

// Tells on the standard error which printers the metrics tell apart by
// their location, their serial number being no use for it.
void WarnOfSharedSerials(const std::vector<PrinterMetrics>& printers) {
  for (const std::string& serial : SharedSerials(printers)) {
    std::string locations;
    for (const PrinterMetrics& printer : printers)
      if (!printer.gone && printer.serial == serial)
        locations += (locations.empty() ? "" : ", ") + printer.location;
    std::fprintf(
        stderr, "vantrel-cli: the printers at %s %s; their metrics carry their location\n",
        locations.c_str(),
        serial.empty() ? "give no serial number" : ("share the serial number " + serial).c_str());
  }
}

// With --state: the printers present are remembered, and those remembered
// but missing now are added as gone.
void RememberPrinters(const std::string& file, std::vector<PrinterMetrics>& printers) {
  std::vector<KnownPrinter> present;
  present.reserve(printers.size());
  for (const PrinterMetrics& printer : printers)
    present.push_back({printer.serial, printer.location});
  const std::vector<KnownPrinter> known = ReadKnownPrinters(file);
  for (const KnownPrinter& printer : known)
    if (std::none_of(present.begin(), present.end(),
                     [&](const KnownPrinter& p) { return p.serial == printer.serial; }))
      printers.push_back({printer.serial, printer.location, nullptr, true});
  WriteKnownPrinters(file, Remember(known, present));
}

// Metrics for each printer chosen; with all of them, one that cannot be
// read is told on the standard error and has vantrel_up 0 in the output,
// and with --state so has one that was there before, or when none ever was,
// the host (vantrel_up 0 without labels).
std::string ReadMetrics(const Arguments& arguments, MetricsFormat format) {
  const bool remembering = !arguments.stateFile.empty();
  std::vector<std::optional<PresentPrinter>> chosen;
  try {
    chosen = ChoosePrinters(arguments.printer);
  } catch (const CliFailure& failure) {
    if (!remembering || failure.status() != kExitNoPrinter) throw;
    std::fprintf(stderr, "vantrel-cli: %s\n", failure.what());
  }
  std::vector<std::unique_ptr<PrinterReading>> readings;
  std::vector<PrinterMetrics> printers;
  for (const std::optional<PresentPrinter>& printer : chosen) {
    const std::string location = printer ? printer->location : "";
    auto reading = std::make_unique<PrinterReading>();
    try {
      PrinterSession session(printer);
      session.Read(PartsFor(arguments.reading), *reading);
    } catch (const CliFailure& failure) {
      if (arguments.printer != kAllPrinters) throw;
      std::fprintf(stderr, "vantrel-cli: %s\n", failure.what());
      printers.push_back({printer ? printer->serial : "", location, nullptr, false});
      continue;
    }
    printers.push_back({SerialOf(*reading), location, reading.get(), false});
    readings.push_back(std::move(reading));
  }
  WarnOfSharedSerials(printers);
  if (remembering) RememberPrinters(arguments.stateFile, printers);
  return MetricsOutput(arguments.reading, printers, format);
}

std::string ReadAndFormat(const Arguments& arguments, bool watching) {
  switch (arguments.format) {
    case OutputFormat::Prometheus: return ReadMetrics(arguments, MetricsFormat::Prometheus);
    case OutputFormat::OpenMetrics: return ReadMetrics(arguments, MetricsFormat::OpenMetrics);
    default: break;
  }
  PrinterReading reading;
  {
    PrinterSession session(ChosenPrinter(arguments.printer));
    session.Read(PartsFor(arguments.reading), reading);
  }
  RequireShownValues(arguments.reading, reading.printer);
  return arguments.format == OutputFormat::Json
             ? JsonOutput(arguments.reading, reading, watching)
             : ForTerminal(TextOutput(arguments.reading, reading));
}

// The metrics of a printer the watch cannot read now: its vantrel_up, 0.
std::string MetricsUnreadable(const Arguments& arguments, MetricsFormat format) {
  const std::string serial = arguments.printer == kAllPrinters ? "" : arguments.printer;
  const PrinterMetrics printer{serial, "", nullptr, false};
  return MetricsOutput(arguments.reading, {&printer, 1}, format);
}

// A beat of the watch: the lines, or that the printer cannot be read now.
std::string WatchBeat(const Arguments& arguments) {
  try {
    return ReadAndFormat(arguments, true);
  } catch (const CliFailure& failure) {
    // The next beat looks for the printer with a new session of the USB
    // library, which lists the devices afresh.
    ReleaseDeviceBackend(PlatformDeviceBackend());
    switch (arguments.format) {
      case OutputFormat::Text: return ForTerminal(TextUnreadable(failure.what()));
      case OutputFormat::Json: return JsonUnreadable(failure.what());
      case OutputFormat::Prometheus: return MetricsUnreadable(arguments, MetricsFormat::Prometheus);
      case OutputFormat::OpenMetrics:
        return MetricsUnreadable(arguments, MetricsFormat::OpenMetrics);
    }
    throw;
  }
}

void Export(const Arguments& arguments) {
  const std::string& file = arguments.file;
  PrinterReading reading;
  {
    PrinterSession session(ChosenPrinter(arguments.printer));
    ReadParts parts = PartsFor(ReadingCommand::Config);
    parts.status = false;  // the window's export reads no status
    session.Read(parts, reading);
  }
  std::string reason;
  if (!WriteConfigurationFile(reading.printer, file, &reason))
    throw CliFailure(kExitNotWritten, "could not write " + file + ": " + reason);
}

// check without --printer covers every printer present; where the platform
// lists none, the first the link finds.
std::vector<std::optional<PresentPrinter>> CheckedPrinters(const std::string& wanted) {
  if (!wanted.empty()) return ChoosePrinters(wanted);
  std::vector<std::optional<PresentPrinter>> first = ChoosePrinters("");
  if (!first.front()) return first;
  return ChoosePrinters(kAllPrinters);
}

PrinterVerdict CheckOne(const std::optional<PresentPrinter>& printer,
                        const CheckThresholds& thresholds, const std::string& label) {
  try {
    PrinterReading reading;
    {
      PrinterSession session(printer);
      session.Read(CheckParts(), reading);
    }
    return JudgePrinter(reading, thresholds, label);
  } catch (const std::exception& failure) {
    return UnknownVerdict(failure.what());
  }
}

// A printer among several: its serial number, or its location where it has
// none or shares it with another.
std::string NameAmong(const std::vector<std::optional<PresentPrinter>>& printers,
                      const PresentPrinter& printer) {
  const auto same = std::count_if(printers.begin(), printers.end(), [&](const auto& other) {
    return other && other->serial == printer.serial;
  });
  return printer.serial.empty() || same > 1 ? printer.location : printer.serial;
}

PluginResult CheckPrinters(const Arguments& arguments) {
  const std::vector<std::optional<PresentPrinter>> printers = CheckedPrinters(arguments.printer);
  if (printers.size() == 1) {
    return SinglePrinterResult(CheckOne(printers.front(), arguments.thresholds, ""));
  }
  std::vector<std::pair<std::string, PrinterVerdict>> verdicts;
  for (const std::optional<PresentPrinter>& printer : printers) {
    const std::string name = NameAmong(printers, *printer);
    std::string label = name + " ";
    for (char& c : label)
      if (c == '\'' || c == '=') c = '_';  // the perfdata label's quote and end
    verdicts.emplace_back(name, CheckOne(printer, arguments.thresholds, label));
  }
  return SeveralPrintersResult(verdicts);
}

// Whatever happens, one plugin line (and one a printer when there are
// several): a failure is UNKNOWN, and so is a run past its -t.
int Check(const Arguments& arguments) {
  std::optional<TimeLimit> limit;
  if (arguments.timeoutSeconds) {
    const int seconds = *arguments.timeoutSeconds;
    limit.emplace(
        seconds,
        [seconds] {
          const std::string line =
              UnknownResult("no result within " + std::to_string(seconds) + " seconds (-t)").line +
              "\n";
          std::fwrite(line.data(), 1, line.size(), stdout);
          std::fflush(stdout);
        },
        kPluginUnknown);
  }
  PluginResult result;
  try {
    result = CheckPrinters(arguments);
  } catch (const std::exception& failure) {
    result = UnknownResult(failure.what());
  }
  if (limit) limit->Finish();
  Print(ForTerminal(result.line + "\n"));
  return result.state;
}

int Run(const Arguments& arguments) {
  switch (arguments.action) {
    case Arguments::Action::Read:
      if (arguments.watchSeconds) {
        WatchStatus(
            *arguments.watchSeconds, [&] { return WatchBeat(arguments); }, Write);
      } else {
        Print(ReadAndFormat(arguments, false));
      }
      return kExitDone;
    case Arguments::Action::Export: Export(arguments); return kExitDone;
    case Arguments::Action::Check: return Check(arguments);
    case Arguments::Action::Snmp: return ServeSnmp(arguments.snmpPeriodSeconds);
    case Arguments::Action::Forget:
      ForgetPrinter(arguments.stateFile, arguments.serial);
      return kExitDone;
    case Arguments::Action::List:
      Print(arguments.format == OutputFormat::Json
                ? JsonPrinterList(PresentPrinters())
                : ForTerminal(PrinterListText(PresentPrinters())));
      return kExitDone;
    default: Print(ForTerminal(RunPrinterCommand(arguments))); return kExitDone;
  }
}

}  // namespace

int RunProgram(int argc, char** argv, int language, TerminalEncoding encoding) {
  g_encoding = encoding;
  Arguments arguments;
  if (const int status = ParseArguments(argc, argv, arguments); status >= 0) return status;
  SetTextLanguage(language);
  int status = kExitDone;
  try {
    status = Run(arguments);
  } catch (const CliFailure& failure) {
    std::fprintf(stderr, "vantrel-cli: %s\n", failure.what());
    status = failure.status();
  } catch (const std::exception& error) {
    // Every failure of the printer or the system is a CliFailure: anything
    // else is the program's own, and must not read as "no printer".
    std::fprintf(stderr, "vantrel-cli: internal error: %s\n", error.what());
    status = kExitInternal;
  }
  ReleaseDeviceBackend(PlatformDeviceBackend());
  return status;
}
