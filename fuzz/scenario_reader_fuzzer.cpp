// The scenario-file reader: any file is either read into a script or refused
// with a "FILE:LINE: message"; nothing else may come out of it. Nothing is
// played.
#include <cstdint>
#include <sstream>
#include <string>

#include "scenario/printer_commands.h"
#include "scenario/reader.h"
#include "scenario/script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream file(std::string(reinterpret_cast<const char*>(data), size));
  Transcript transcript([](const std::string&) {});
  Script script(transcript);
  PrinterCommands printer(transcript);
  ReadScenario(file, "fuzz", script, printer, transcript);
  return 0;
}
