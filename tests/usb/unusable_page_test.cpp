// A page the printer fills with what cannot be used is the printer's
// failure (status 3), not the user's bad usage, and nothing is sent.
#include <gtest/gtest.h>

#include "sim/tarnlow_printer.h"
#include "tests/usb/cli_process.h"
#include "tests/usb/test_bus.h"

namespace {

TEST(UnusablePageTest, IsThePrintersFailure) {
  TarnlowPrinter printer;
  printer.LoadDemoState();
  printer.SetPageValue("MACHINEENERGYSAVE", "#%&");
  const int device = TestBus().PlugIn(&printer);
  ASSERT_TRUE(WaitForPrinters(1));
  printer.TakeReceived();

  const CliRun run = RunCli({"defaults", "--toner-low", "off", "--yes"}, {"LC_ALL=C"});
  EXPECT_EQ(run.status, 3) << run.err;
  EXPECT_EQ(run.out, "");
  for (const TarnlowPrinter::Received& request : printer.TakeReceived())
    EXPECT_EQ(request.code, 13) << "only the pages were read";

  TestBus().Unplug(device);
  EXPECT_TRUE(WaitForPrinters(0));
}

}  // namespace
