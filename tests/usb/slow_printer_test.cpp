// Slow printers through the real link, in the window and on the command
// line: one that answers every request after 3.5 s makes an action stop
// sending once its slow answers have used up the budget, with the messages
// a time-out gives; a busy one that answers each within the slow mark is
// read in full. Times are printed, not asserted.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "device/backend_libusb.h"
#include "device/device_backend.h"
#include "device/device_link.h"
#include "layouts/control_ids.h"
#include "shell/vantrel.h"
#include "sim/tarnlow_printer.h"
#include "tests/usb/cli_process.h"
#include "tests/usb/test_bus.h"
#include "ui/dialog.h"
#include "ui/headless/headless.h"

namespace {

using Clock = std::chrono::steady_clock;

// Two slow answers use up the budget, the third request is not sent.
constexpr int kAnswerDelayMs = 3500;
static_assert(2 * kAnswerDelayMs > int(kSlowAnswersBudgetMs) &&
              kAnswerDelayMs < int(kSlowAnswersBudgetMs) && kAnswerDelayMs > int(kSlowAnswerMs));
// A busy printer, under the slow mark.
constexpr int kBusyDelayMs = 150;
static_assert(kBusyDelayMs < int(kSlowAnswerMs));

struct ConfigurationRun {
  std::vector<std::string> seen;  // message boxes and the window's showing
  std::size_t requests = 0;
  double seconds = 0;
};

// Display Configuration Page with every answer delayMs late.
ConfigurationRun OpenConfigurationWindow(TarnlowPrinter& printer, int delayMs) {
  ConfigurationRun run;
  bool watching = false;
  Clock::time_point start;
  HeadlessPlatform platform([&](const std::string& line) {
    if (!watching) return;
    if (line.rfind("message box", 0) == 0 || line == "show configuration") run.seen.push_back(line);
  });
  UsePlatform(&platform);
  platform.Script([&] { platform.TrayMouse(kMouseLeftDoubleClick); });
  platform.Script([&] {
    printer.SetAnswerDelay(delayMs);
    printer.TakeReceived();
    watching = true;
    start = Clock::now();
    platform.Click("panel", kPanelConfigButton);
    run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    watching = false;
  });
  DeviceLink link(LibusbBackend());
  RunVantrel(platform, link);
  run.requests = printer.TakeReceived().size();
  return run;
}

TEST(SlowPrinterTest, ReadsABusyPrinterInFullAndEndsEachActionOnASlowOne) {
  SetLibusbTransferTimeout(kTransferTimeoutMs);
  TarnlowPrinter printer;
  printer.LoadDemoState();
  const int device = TestBus().PlugIn(&printer);
  ASSERT_TRUE(WaitForPrinters(1));

  // The busy printer: every page and counter arrives, nothing fails.
  const ConfigurationRun busy = OpenConfigurationWindow(printer, kBusyDelayMs);
  EXPECT_EQ(busy.seen, std::vector<std::string>{"show configuration"});
  EXPECT_GT(busy.requests, 25u);
  Clock::time_point start = Clock::now();
  CliProcess busyCli({"config"}, {"LC_ALL=C"});
  EXPECT_EQ(busyCli.Wait(std::chrono::minutes(1)), 0) << busyCli.Err();
  const double busyCliSeconds = std::chrono::duration<double>(Clock::now() - start).count();
  const std::size_t busyCliRequests = printer.TakeReceived().size();
  EXPECT_GT(busyCliRequests, 25u);

  // The slow printer. Pages 1 and 2 arrive; pages 3 and 4 and the
  // energy-save switch (read as the window opens) fail as after a
  // time-out, the counters stay 0 without a word, and the window shows.
  const ConfigurationRun slow = OpenConfigurationWindow(printer, kAnswerDelayMs);
  const std::vector<std::string>& seen = slow.seen;
  const std::size_t windowRequests = slow.requests;
  const std::string failed = "Send command to F/W is failed";
  ASSERT_EQ(seen.size(), 4u);
  for (int i = 0; i < 3; ++i) EXPECT_NE(seen[i].find(failed), std::string::npos) << seen[i];
  EXPECT_EQ(seen[3], "show configuration");
  EXPECT_EQ(windowRequests, 2u);

  // vantrel-cli config: the status list and page 1 arrive, page 2 is not
  // asked for; the failure is the one a time-out gives.
  printer.SetAnswerDelay(kAnswerDelayMs);
  start = Clock::now();
  CliProcess cli({"config"}, {"LC_ALL=C"});
  EXPECT_EQ(cli.Wait(std::chrono::minutes(1)), 1);
  const double cliSeconds = std::chrono::duration<double>(Clock::now() - start).count();
  const std::size_t cliRequests = printer.TakeReceived().size();
  EXPECT_EQ(cli.Out(), "");
  EXPECT_EQ(cli.Err(), "vantrel-cli: the printer did not answer in time\n");
  EXPECT_EQ(cliRequests, 2u);

  for (const auto& [delay, window, windowCount, cliTime, cliCount] :
       {std::tuple{kBusyDelayMs, busy.seconds, busy.requests, busyCliSeconds, busyCliRequests},
        std::tuple{kAnswerDelayMs, slow.seconds, slow.requests, cliSeconds, cliRequests}})
    std::printf(
        "every answer after %d ms: Display Configuration Page %.2f s (%zu requests), "
        "vantrel-cli config %.2f s (%zu requests)\n",
        delay, window, windowCount, cliTime, cliCount);
  printer.SetAnswerDelay(0);
  TestBus().Unplug(device);
  EXPECT_TRUE(WaitForPrinters(0));
}

}  // namespace
