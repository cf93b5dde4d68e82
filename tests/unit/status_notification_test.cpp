// The watch's notification texts: what the desktop shows of the printer's
// codes, however many times and with whatever bytes the printer lists them.
#include "printer/status_notification.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "common/string_table.h"

namespace {

class StatusNotificationTest : public ::testing::Test {
 protected:
  void SetUp() override { SetTextLanguage(kEnglish); }
  void TearDown() override { SetTextLanguage(kEnglish); }
};

constexpr char kUnreadable[] = "The printer reports a status that Vantrel cannot read.";

bool HasControls(const std::string& text) {
  for (char c : text)
    if ((static_cast<unsigned char>(c) < 0x20 && c != '\n') || c == 0x7F) return true;
  return false;
}

TEST_F(StatusNotificationTest, ShowsEachCodeOnceAndNoneOfThePrintersControlBytes) {
  // TONER LOW MK 42 times, then a terminal's colour alone.
  std::vector<std::string_view> codes(42, "30200A");
  codes.push_back("\x1b[31m");
  StatusNotification notification = NotificationOfCodes(codes);
  EXPECT_EQ(notification.severity, Severity::kWarning);
  EXPECT_EQ(notification.title, "Printer warning");
  EXPECT_EQ(notification.text, std::string("TONER LOW MK\n") + kUnreadable);

  // Codes the table lacks keep what can be shown, each once; two that show
  // alike are one. An error among them gives the title.
  codes = {
      "\x1b[0mAB",    // a colour reset, then AB
      "\aX\x7FY\tZ",  // a bell, DEL, a tab
      "\x1b(BQ9",     // a character set chosen
      "A B\xC4",      // a blank and a byte beyond ASCII
      "200100",       // TRANSFER JAM
      "200100",       // again
      "\x1b[0mAB",    // AB again
      "\x1b[32m",     // colours alone: nothing to show
      "\x1b[1;3",     // a colour cut short
      "\x1b[31m",
  };
  notification = NotificationOfCodes(codes);
  EXPECT_EQ(notification.severity, Severity::kError);
  EXPECT_EQ(notification.title, "Printer error");
  EXPECT_EQ(notification.text,
            std::string("AB\nXYZ\nQ9\nA?B?\nTRANSFER JAM\nOPEN TOP COVER\n") + kUnreadable);
  EXPECT_FALSE(HasControls(notification.text)) << notification.text;

  // The tip's line takes the same lines.
  EXPECT_EQ(StatusCodeLines("\x1b[31m"), std::vector<std::string>{kUnreadable});
  EXPECT_EQ(StatusCodeLines("30200A"), std::vector<std::string>{"TONER LOW MK"});
}

TEST_F(StatusNotificationTest, APrinterAnsweringAgainSaysSoRatherThanItsTitleTwice) {
  const std::vector<std::vector<std::string_view>> readyLists = {
      {}, {"000000"}, {"000000", "001000"}};  // nothing, READY, READY and Energy Save
  for (const std::vector<std::string_view>& codes : readyLists) {
    const StatusNotification notification = NotificationOfCodes(codes);
    EXPECT_EQ(notification.severity, Severity::kReady);
    EXPECT_EQ(notification.title, "Printer ready");
    EXPECT_EQ(notification.text, "The printer is answering again.");
  }
  // Answering again with a warning: its whole list, as news.
  const std::vector<std::string_view> warning = {"000000", "302002"};
  EXPECT_EQ(NotificationOfCodes(warning).text, "READY\nTONER LOW M");

  SetTextLanguage(1031);
  const StatusNotification german = NotificationOfCodes(std::vector<std::string_view>{"000000"});
  EXPECT_EQ(german.title, "Drucker bereit");
  EXPECT_EQ(german.text, "Der Drucker antwortet wieder.");
}

}  // namespace
