// vantrel-scenario FILE: plays a scenario (a user's actions and the
// printer's state) against the simulated printer with the headless
// backend, and prints a transcript: one line per action, request, link
// open or close, message box, display redraw, file written and shown text.
// The language is described in docs/scenarios.md.
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

#include "scenario_player.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: vantrel-scenario FILE\n");
    return 2;
  }
  std::ifstream file(argv[1]);
  if (!file) {
    std::fprintf(stderr, "vantrel-scenario: cannot read %s\n", argv[1]);
    return 2;
  }
  Scenario scenario;
  std::string line;
  for (int number = 1; std::getline(file, line); ++number) {
    try {
      scenario.Parse(line);
    } catch (const ScenarioError& error) {
      std::fprintf(stderr, "%s:%d: %s\n", argv[1], number, error.message.c_str());
      return 2;
    } catch (const std::exception& error) {
      std::fprintf(stderr, "%s:%d: %s\n", argv[1], number, error.what());
      return 2;
    }
  }
  scenario.Play();
  return 0;
}
