// vantrel-cli: the printer's status, supplies, counters and configuration
// as text, JSON or OpenMetrics; its INI export; its panel's commands. Built
// on the device link and the printer model alone, never the windows.
// The exit status tells a script what happened (cli/exit_status.h).
#include <cstdio>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/exit_status.h"
#include "cli/json_output.h"
#include "cli/openmetrics_output.h"
#include "cli/printer_commands.h"
#include "cli/printer_session.h"
#include "cli/status_watch.h"
#include "cli/text_output.h"
#include "common/language.h"
#include "common/string_table.h"
#include "device/device_backend.h"
#include "printer/configuration_export.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

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
    default: Print(RunPrinterCommand(arguments)); return kExitDone;
  }
}

int Main(int argc, char** argv) {
#ifdef _WIN32
  // Line ends as on every other system: LF, not CR LF.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
#endif
  Arguments arguments;
  if (const int status = ParseArguments(argc, argv, arguments); status >= 0) return status;
  SetTextLanguage(LanguageForEnvironment());
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

#ifdef _WIN32
// UTF-16 as UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf8(const wchar_t* text) {
  std::string out;
  for (; *text; ++text) {
    char32_t c = static_cast<char16_t>(*text);
    if (c >= 0xD800 && c <= 0xDBFF && text[1] >= 0xDC00 && text[1] <= 0xDFFF)
      c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char16_t>(*++text) - 0xDC00);
    else if (c >= 0xD800 && c <= 0xDFFF)
      c = 0xFFFD;
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}
#endif

}  // namespace

#ifdef _WIN32
// The wide command line, so that a file name outside the ANSI code page
// reaches the export as it was typed (UTF-8, as the file writer takes it).
int wmain(int argc, wchar_t** wideArgv) {
  std::vector<std::string> arguments;
  for (int i = 0; i < argc; ++i) arguments.push_back(Utf8(wideArgv[i]));
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  return Main(argc, argv.data());
}
#else
int main(int argc, char** argv) { return Main(argc, argv); }
#endif
