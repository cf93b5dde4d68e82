// vantrel-cli: the printer's status, supplies, counters and configuration
// as text, JSON or OpenMetrics; its INI export; its panel's commands. Built
// on the device link and the printer model alone, never the windows.
// The exit status tells a script what happened (cli/exit_status.h).
#include "cli/program.h"

#include <cerrno>
#include <cstdio>
#include <string>

#include "cli/arguments.h"
#include "cli/exit_status.h"
#include "cli/json_output.h"
#include "cli/openmetrics_output.h"
#include "cli/printer_commands.h"
#include "cli/printer_session.h"
#include "cli/status_watch.h"
#include "cli/terminal_text.h"
#include "cli/text_output.h"
#include "common/string_table.h"
#include "device/device_backend.h"
#include "printer/configuration_export.h"

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

std::string Format(const Arguments& arguments, const PrinterReading& reading, bool watching) {
  switch (arguments.format) {
    case OutputFormat::Text: return ForTerminal(TextOutput(arguments.reading, reading));
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

// A beat of the watch: the lines, or that the printer cannot be read now.
std::string WatchBeat(const Arguments& arguments) {
  try {
    return ReadAndFormat(arguments, true);
  } catch (const CliFailure& failure) {
    // The next beat looks for the printer with a new session of the USB
    // library, which lists the devices afresh.
    ReleaseDeviceBackend();
    switch (arguments.format) {
      case OutputFormat::Text: return ForTerminal(TextUnreadable(failure.what()));
      case OutputFormat::Json: return JsonUnreadable(failure.what());
      case OutputFormat::OpenMetrics: return OpenMetricsUnreadable();
    }
    throw;
  }
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

int Run(const Arguments& arguments) {
  switch (arguments.action) {
    case Arguments::Action::Read:
      if (arguments.watchSeconds) {
        WatchStatus(*arguments.watchSeconds, [&] { return WatchBeat(arguments); }, Write);
      } else {
        Print(ReadAndFormat(arguments, false));
      }
      return kExitDone;
    case Arguments::Action::Export: Export(arguments.file); return kExitDone;
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
    std::fprintf(stderr, "vantrel-cli: %s\n", error.what());
    status = kExitNoPrinter;
  }
  ReleaseDeviceBackend();
  return status;
}
