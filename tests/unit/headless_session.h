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

#include "device/device_backend.h"
#include "device/device_link.h"
#include "device/request_catalogue.h"
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
    UseDeviceBackend(backend.Operations());
  }
  // Closes the link before the backend goes.
  ~HeadlessSession() override { UseDeviceBackend(nullptr); }

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
  void Pick(const std::string& window, int list, int index) {
    Then([this, window, list, index] { platform.PickListItem(window, list, index); });
  }
  // The requests received so far as "code/wValue", taken at this point of
  // the run; each must have its catalogue length.
  void TakeRequests(std::vector<std::string>& into) {
    Then([this, &into] {
      into.clear();
      for (const auto& r : printer.TakeReceived()) {
        const RequestInfo* info = FindRequest(r.code);
        EXPECT_TRUE(info && r.length == info->length) << "request " << r.code;
        into.push_back(std::to_string(r.code) + "/" + std::to_string(r.wValue));
      }
    });
  }
  // The link's open handles at this point of the run.
  void CountOpenHandles(std::vector<int>& into) {
    Then([this, &into] { into.push_back(backend.OpenHandles()); });
  }
  void AnswerOk() {
    Then([this] { platform.Answer(kIdOk); });
  }
  void Wait(int milliseconds) {
    Then([this, milliseconds] { platform.Wait(milliseconds); });
  }
  // Marks the transcript's current end, to read only what follows.
  void Mark(std::size_t& at) {
    Then([this, &at] { at = transcript.size(); });
  }

  void Run() { RunVantrel(platform); }

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
};
