// A printer that answers every request, but each only after 3.5 s: an
// action stops sending once its budget is spent, as if a request had timed
// out, with the messages a time-out gives. Through the real link, in the
// window and on the command line. Times are printed, not asserted.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
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

// Two answers fit in the budget, the third request would start after it.
constexpr int kAnswerDelayMs = 3500;
static_assert(2 * kAnswerDelayMs > int(kActionBudgetMs) && kAnswerDelayMs < int(kActionBudgetMs));

TEST(SlowPrinterTest, EndsEachActionWhenItsBudgetIsSpent) {
  UseDeviceBackend(LibusbBackend());
  SetLibusbTransferTimeout(kTransferTimeoutMs);
  TarnlowPrinter printer;
  printer.LoadDemoState();
  const int device = TestBus().PlugIn(&printer);
  ASSERT_TRUE(WaitForPrinters(1));

  // The window: Display Configuration Page on the slow printer. Pages 1 and
  // 2 arrive; pages 3 and 4 and the energy-save switch (read as the window
  // opens) fail as after a time-out, the counters stay 0 without a word,
  // and the window shows.
  std::vector<std::string> seen;
  bool watching = false;
  double windowSeconds = 0;
  Clock::time_point start;
  HeadlessPlatform platform([&](const std::string& line) {
    if (!watching) return;
    if (line.rfind("message box", 0) == 0 || line == "show configuration") seen.push_back(line);
  });
  UsePlatform(&platform);
  platform.Script([&] { platform.TrayMouse(kMouseLeftDoubleClick); });
  platform.Script([&] {
    printer.SetAnswerDelay(kAnswerDelayMs);
    printer.TakeReceived();
    watching = true;
    start = Clock::now();
    platform.Click("panel", kPanelConfigButton);
    windowSeconds = std::chrono::duration<double>(Clock::now() - start).count();
    watching = false;
  });
  RunVantrel(platform);
  CloseDeviceLink();
  const std::size_t windowRequests = printer.TakeReceived().size();

  const std::string failed = "Send command to F/W is failed";
  ASSERT_EQ(seen.size(), 4u);
  for (int i = 0; i < 3; ++i) EXPECT_NE(seen[i].find(failed), std::string::npos) << seen[i];
  EXPECT_EQ(seen[3], "show configuration");
  EXPECT_EQ(windowRequests, 2u);

  // vantrel-cli config: the status list and page 1 arrive, page 2 is not
  // asked for; the failure is the one a time-out gives.
  start = Clock::now();
  CliProcess cli({"config"}, {"LC_ALL=C"});
  EXPECT_EQ(cli.Wait(std::chrono::minutes(1)), 1);
  const double cliSeconds = std::chrono::duration<double>(Clock::now() - start).count();
  const std::size_t cliRequests = printer.TakeReceived().size();
  EXPECT_EQ(cli.Out(), "");
  EXPECT_EQ(cli.Err(), "vantrel-cli: the printer did not answer\n");
  EXPECT_EQ(cliRequests, 2u);

  std::printf(
      "every answer after %d ms: Display Configuration Page %.2f s (%zu requests), "
      "vantrel-cli config %.2f s (%zu requests)\n",
      kAnswerDelayMs, windowSeconds, windowRequests, cliSeconds, cliRequests);
  printer.SetAnswerDelay(0);
  TestBus().Unplug(device);
  EXPECT_TRUE(WaitForPrinters(0));
}

}  // namespace
