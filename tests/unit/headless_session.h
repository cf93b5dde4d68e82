// A test fixture that runs the whole program headlessly against the
// simulated printer: queue the user's actions (and checks at chosen
// moments) with Then, run with Run, then read what the user saw in
// `transcript`.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "shell/vantrel.h"
#include "sim/backend_sim.h"
#include "sim/tarnlow_printer.h"
#include "ui/dialog.h"
#include "ui/headless/headless.h"

class HeadlessSession : public ::testing::Test {
 protected:
  HeadlessSession() {
    printer.LoadDemoState();
    UsePlatform(&platform);
  }

  // Queues one step of the run: a user action or a check at that moment.
  void Then(std::function<void()> step) { platform.Script(std::move(step)); }

  // Opens the main window from the notification icon, then forgets the
  // requests the opening sent.
  void OpenMainWindow() {
    Then([this] { platform.TrayMouse(kMouseLeftDoubleClick); });
    Then([this] { printer.TakeReceived(); });
  }
  void Click(const std::string& window, int id) {
    Then([this, window, id] { platform.Click(window, id); });
  }
  void AnswerOk() {
    Then([this] { platform.Answer(kIdOk); });
  }
  // Marks the transcript's current end, to read only what follows.
  void Mark(std::size_t& at) {
    Then([this, &at] { at = transcript.size(); });
  }

  void Run() { RunVantrel(platform, link); }

  // The transcript lines starting with `prefix` (without it), of the lines
  // from `from` up to, not including, `to`.
  std::vector<std::string> Lines(const std::string& prefix, std::size_t from = 0,
                                 std::size_t to = std::string::npos) const {
    std::vector<std::string> lines;
    for (std::size_t i = from; i < transcript.size() && i < to; ++i)
      if (transcript[i].rfind(prefix, 0) == 0) lines.push_back(transcript[i].substr(prefix.size()));
    return lines;
  }

  std::vector<std::string> transcript;
  HeadlessPlatform platform{[this](const std::string& line) { transcript.push_back(line); }};
  TarnlowPrinter printer;
  SimulatedBackend backend{printer};
  DeviceLink link{backend.Operations()};  // the window's, across runs
};
