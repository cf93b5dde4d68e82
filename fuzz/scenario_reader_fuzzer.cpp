// The scenario-file reader: any line is either queued or refused with a
// ScenarioError; nothing else may come out of it. Nothing is played.
#include <cstdint>
#include <sstream>
#include <string>

#include "scenario_player.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream file(std::string(reinterpret_cast<const char*>(data), size));
  Scenario scenario;
  for (std::string line; std::getline(file, line);) {
    try {
      scenario.Parse(line);
    } catch (const ScenarioError&) {
    }
  }
  return 0;
}
