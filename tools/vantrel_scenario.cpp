// vantrel-scenario [--front-end headless|qt] FILE: plays a scenario (a
// user's actions and the printer's state) against the simulated printer and
// prints a transcript: one line per action, request, link open or close,
// message box, display redraw, file written and shown text. The language is
// described in docs/scenarios.md; the front end is the toolkit whose windows
// the program runs on (tools/scenario/front_end.h).
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include "scenario/headless_front_end.h"
#include "scenario/printer_commands.h"
#include "scenario/reader.h"
#include "scenario/script.h"
#ifdef VANTREL_SCENARIO_QT
#include "scenario/qt_front_end.h"
#endif
#ifdef VANTREL_SCENARIO_WIN32
#include <fcntl.h>
#include <io.h>

#include "scenario/win32_front_end.h"
#endif

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: vantrel-scenario [--front-end headless"
#ifdef VANTREL_SCENARIO_QT
               "|qt"
#endif
#ifdef VANTREL_SCENARIO_WIN32
               "|win32"
#endif
               "] FILE\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef VANTREL_SCENARIO_WIN32
  // The real windows are the point of the Windows runner; its lines end in
  // LF as on every other system.
  std::string frontEndName = "win32";
  _setmode(_fileno(stdout), _O_BINARY);
#else
  std::string frontEndName = "headless";
#endif
  int at = 1;
  if (argc == 4 && std::strcmp(argv[1], "--front-end") == 0) {
    frontEndName = argv[2];
    at = 3;
  }
  if (argc != at + 1) return Usage();
  const char* path = argv[at];

  Transcript::Log print = [](const std::string& line) { std::cout << line << '\n'; };
  std::unique_ptr<FrontEnd> frontEnd;
  if (frontEndName == "headless") frontEnd = std::make_unique<HeadlessFrontEnd>(print);
#ifdef VANTREL_SCENARIO_WIN32
  else if (frontEndName == "win32")
    frontEnd = std::make_unique<Win32FrontEnd>(print);
#endif
#ifdef VANTREL_SCENARIO_QT
  else if (frontEndName == "qt")
    frontEnd = std::make_unique<QtFrontEnd>(argc, argv, print);
#endif
  else
    return Usage();

  std::ifstream file(path);
  if (!file) {
    std::fprintf(stderr, "vantrel-scenario: cannot read %s\n", path);
    return 2;
  }
  Transcript transcript(print);
  PrinterCommands printer(transcript);
  Script script(transcript);
  std::string error = ReadScenario(file, path, script, printer, transcript);
  if (!error.empty()) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 2;
  }
  frontEnd->Play(script);
  printer.ReportUnknownCodes();
  return 0;
}
