// vantrel-cli: the printer's status, supplies, counters and configuration
// as text, JSON or OpenMetrics; its INI export; its panel's commands. Built
// on the device link and the printer model alone, never the windows.
// The exit status tells a script what happened (cli/exit_status.h).
#include "cli/program.h"

#include <cstdio>
#include <string>

#include "cli/arguments.h"
#include "cli/check_command.h"
#include "cli/exit_status.h"
#include "cli/json_output.h"
#include "cli/openmetrics_output.h"
#include "cli/printer_commands.h"
#include "cli/printer_session.h"
#include "cli/status_watch.h"
#include "cli/text_output.h"
#include "common/string_table.h"
#include "device/device_backend.h"
#include "printer/configuration_export.h"

namespace {

// Everything at once, or a failure: never half an output.
void Print(const std::string& text) {
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0)
    throw CliFailure(kExitNotWritten, "could not write the output");
}

std::string Format(const Arguments& arguments, const PrinterReading& reading, bool watching) {
  switch (arguments.format) {
    case OutputFormat::Text: return TextOutput(arguments.reading, reading);
    case OutputFormat::Json: return JsonOutput(arguments.reading, reading, watching);
    case OutputFormat::OpenMetrics: return OpenMetricsOutput(arguments.reading, reading);
  }
  return "";
}

std::string ReadAndFormat(const Arguments& arguments, bool watching) {
  PrinterReading reading;
  {
    PrinterSession session;
    session.Read(PartsFor(arguments.reading), reading);
  }
  return Format(arguments, reading, watching);
}

void Export(const std::string& file) {
  PrinterReading reading;
  {
    PrinterSession session;
    ReadParts parts = PartsFor(ReadingCommand::Config);
    parts.status = false;  // the window's export reads no status
    session.Read(parts, reading);
  }
  if (!WriteConfigurationFile(reading.context(), file))
    throw CliFailure(kExitNotWritten, "could not write " + file);
}

// Whatever happens, one plugin line: a failure is UNKNOWN.
int Check(const CheckThresholds& thresholds) {
  PluginResult result;
  try {
    PrinterReading reading;
    {
      PrinterSession session;
      session.Read(CheckParts(), reading);
    }
    result = CheckPrinter(reading, thresholds);
  } catch (const std::exception& failure) {
    result = UnknownResult(failure.what());
  }
  Print(result.line + "\n");
  return result.state;
}

int Run(const Arguments& arguments) {
  switch (arguments.action) {
    case Arguments::Action::Read:
      if (arguments.watchSeconds) {
        WatchStatus(
            *arguments.watchSeconds, [&] { return ReadAndFormat(arguments, true); }, Print);
      } else {
        Print(ReadAndFormat(arguments, false));
      }
      return kExitDone;
    case Arguments::Action::Export: Export(arguments.file); return kExitDone;
    case Arguments::Action::Check: return Check(arguments.thresholds);
    default: Print(RunPrinterCommand(arguments)); return kExitDone;
  }
}

}  // namespace

int RunProgram(int argc, char** argv, int language) {
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
    std::fprintf(stderr, "vantrel-cli: %s\n", error.what());
    status = kExitNoPrinter;
  }
  ReleaseDeviceBackend();
  return status;
}
