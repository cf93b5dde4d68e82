// vantrel-cli status --watch across a printer switched off and on again,
// and into a reader that goes away.
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <string>

#include "sim/tarnlow_printer.h"
#include "tests/usb/cli_process.h"
#include "tests/usb/test_bus.h"

namespace {

using namespace std::chrono_literals;

TEST(StatusWatchTest, ReportsAPrinterThatWentAwayAndGoesOnUntilItIsBack) {
  TarnlowPrinter printer;
  printer.LoadDemoState();
  printer.SetStatusCodes({"000000"});
  int device = TestBus().PlugIn(&printer);
  ASSERT_TRUE(WaitForPrinters(1));

  CliProcess text({"status", "--watch", "1"}, {"LC_ALL=C"});
  CliProcess json({"status", "--watch", "1", "--format", "json"}, {"LC_ALL=C"});
  std::string line;
  ASSERT_TRUE(text.ReadLine(line, 10s));
  EXPECT_EQ(line, "READY");
  ASSERT_TRUE(json.ReadLine(line, 10s));
  EXPECT_NE(line.find(R"("lines":["READY"])"), std::string::npos) << line;

  TestBus().Unplug(device);
  ASSERT_TRUE(text.ReadLine(line, 10s));
  EXPECT_EQ(line.front(), '(') << line;  // no printer found, or did not answer
  ASSERT_TRUE(json.ReadLine(line, 10s));
  EXPECT_NE(line.find(R"("error":)"), std::string::npos) << line;

  printer.SetStatusCodes({"000000", "302002"});
  device = TestBus().PlugIn(&printer);
  // Back: the panel's lines again (a beat may still have seen it half-way).
  for (int beats = 0; beats < 3 && line != "TONER LOW M"; ++beats)
    ASSERT_TRUE(text.ReadLine(line, 10s)) << text.Wait(0s) << text.Out() << "|" << text.Err();
  EXPECT_EQ(line, "TONER LOW M");

  text.Signal(SIGTERM);
  json.Signal(SIGINT);
  EXPECT_EQ(text.Wait(10s), 0) << text.Err();
  EXPECT_EQ(json.Wait(10s), 0) << json.Err();
  EXPECT_EQ(text.Err(), "");

  // A reader that goes before the first line (`| true`) or after it
  // (`| head -1`) ends the watch with 0.
  CliProcess unread({"status", "--watch", "1"});
  unread.CloseOutput();
  EXPECT_EQ(unread.Wait(10s), 0) << unread.Err();
  CliProcess headOne({"status", "--watch", "1"});
  ASSERT_TRUE(headOne.ReadLine(line, 10s));
  headOne.CloseOutput();
  EXPECT_EQ(headOne.Wait(10s), 0) << headOne.Err();

  TestBus().Unplug(device);
  EXPECT_TRUE(WaitForPrinters(0));
}

}  // namespace
