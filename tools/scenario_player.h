// A scenario (docs/scenarios.md): each line of the file becomes a user's
// action or a change of the simulated printer, queued for the program's
// loops; playing runs the program headless against the simulated printer
// and prints the transcript on standard output.
#pragma once

#include <string>

#include "sim/tarnlow_printer.h"
#include "ui/headless/headless.h"

// A line that makes no sense, and why.
struct ScenarioError {
  std::string message;
};

class Scenario {
 public:
  Scenario();

  // Queues the line's command; throws ScenarioError (and nothing else) when
  // the line makes no sense.
  void Parse(const std::string& line);
  // Plays every queued command.
  void Play();

 private:
  std::function<void()> ParsePrinter(const std::vector<std::string>& words);
  static void ShowFile(const std::string& path);

  TarnlowPrinter printer_;
  HeadlessPlatform platform_;
  bool linkOpen_ = false;
};
