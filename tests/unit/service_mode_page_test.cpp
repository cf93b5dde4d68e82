// The service mode page driven as a service user drives it: warnings,
// temperatures, counters and the maintenance commands, against the
// simulated printer.
#include "service/service_mode_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "headless_session.h"

namespace {

using Strings = std::vector<std::string>;

const std::string kPage = "service mode";
constexpr int kTonerLowBox = 1071, kIcLowBox = 1072;
constexpr int kPlainList = 1077, kThickList = 1078, kEnvelopeList = 1079;
constexpr int kDownload = 1084, kUpload = 1085;
constexpr int kBkClear = 1191, kFuserUnit = 1192, kTransferRoller = 1193;
// Jam, trouble, belt, drum, roller, fuser.
constexpr int kCounterTexts[] = {1081, 1086, 1109, 1115, 1159, 1160};

const std::string kSent = "service mode [OK]: \"Send Set Default command to machine successfully\"";
const std::string kFailed = "service mode [OK]: \"Send command to F/W is failed\"";
const std::string kNoUsb = "service mode [OK]: \"Open USB is failed\"";

class ServiceModePageTest : public HeadlessSession {
 protected:
  // The page appears once the administrator password is typed.
  void OpenPage() {
    OpenMainWindow();
    Then([this] { platform.Type("main", 1015, "ZELQORN"); });
    Then([this] { platform.PickTab("main", 1024, 2); });
  }
  std::string Selected(int list) {
    HeadlessWindow* page = platform.Find(kPage);
    return page->ListItemText(list, page->ListSelection(list));
  }
  Strings Counters() {
    Strings texts;
    for (int id : kCounterTexts) texts.push_back(platform.Find(kPage)->ItemText(id));
    return texts;
  }
  Strings Messages(std::size_t from = 0) const { return Lines("message box ", from); }
  void TearDown() override {
    EXPECT_EQ(Lines("ignored"), Strings{});
    EXPECT_EQ(Lines("error"), Strings{});
  }
};

TEST_F(ServiceModePageTest, SetUpShowsDefaultsThatUploadSends) {
  Strings sent;
  std::vector<int> handles;
  OpenPage();
  Click(kPage, kUpload);
  AnswerOk();
  TakeRequests(sent);
  CountOpenHandles(handles);
  Run();

  HeadlessWindow* page = platform.Find(kPage);
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->ItemText(kTonerLowBox), "Toner Low");
  EXPECT_EQ(page->ItemText(1158), "Fuser Unit");
  EXPECT_EQ(page->ItemText(1157), "Transfer Roller");
  EXPECT_EQ(page->ItemText(kBkClear), "BK Clear");
  EXPECT_TRUE(page->IsButtonChecked(kTonerLowBox));
  EXPECT_TRUE(page->IsButtonChecked(kIcLowBox));
  for (int list : {kPlainList, kThickList, kEnvelopeList}) {
    ASSERT_EQ(page->ListCount(list), 3);
    EXPECT_EQ(page->ListItemText(list, 2), "-10");
    EXPECT_EQ(page->ListItemData(list, 2), 2);
    EXPECT_EQ(Selected(list), "0");
  }
  EXPECT_EQ(Counters(), Strings(6, ""));  // empty until the first download

  EXPECT_EQ(sent, (Strings{"41/256", "43/256", "45/0", "47/0", "49/0"}));
  EXPECT_EQ(Messages(), Strings{kSent});
  EXPECT_EQ(handles, std::vector<int>{2});  // the link is left open
}

TEST_F(ServiceModePageTest, DownloadShowsWhatThePrinterReportsAndUploadSendsIt) {
  printer.SetValue(40, 2);   // toner-low warning neither on nor off
  printer.SetValue(44, 3);   // a temperature no list entry has
  printer.SetValue(53, -1);  // jam counter
  Strings read, sent, afterChanges;
  std::vector<int> handles;
  std::size_t downloadAt = 0;
  OpenPage();
  Pick(kPage, kPlainList, 1);
  Mark(downloadAt);
  Click(kPage, kDownload);
  TakeRequests(read);
  CountOpenHandles(handles);
  Then([this] {
    EXPECT_EQ(Selected(kPlainList), "-5");  // 3 matches no entry
    EXPECT_FALSE(platform.Find(kPage)->IsButtonChecked(kTonerLowBox));
    EXPECT_TRUE(platform.Find(kPage)->IsButtonChecked(kIcLowBox));
  });
  Click(kPage, kUpload);
  AnswerOk();
  TakeRequests(sent);
  // Clicking the box and picking an entry replace the printer's values.
  Click(kPage, kTonerLowBox);
  Pick(kPage, kPlainList, 0);
  Click(kPage, kIcLowBox);
  Click(kPage, kUpload);
  AnswerOk();
  TakeRequests(afterChanges);
  Run();

  EXPECT_EQ(read, (Strings{"40/0", "42/0", "44/0", "46/0", "48/0", "53/0", "54/0", "81/0",
                           "82/0", "83/0", "84/0"}));
  EXPECT_EQ(handles, std::vector<int>{0});
  HeadlessWindow* page = platform.Find(kPage);
  EXPECT_EQ(Counters(), (Strings{"-1", "3", "8642", "8120", "4310", "8642"}));
  EXPECT_EQ(Selected(kThickList), "-5");
  EXPECT_EQ(Selected(kEnvelopeList), "-10");
  EXPECT_EQ(Selected(kPlainList), "0");  // picked after the download
  EXPECT_TRUE(page->IsButtonChecked(kTonerLowBox));
  EXPECT_FALSE(page->IsButtonChecked(kIcLowBox));

  // The unknown temperature is not sent and the upload reports a failure.
  EXPECT_EQ(sent, (Strings{"41/512", "43/256", "47/256", "49/512"}));
  EXPECT_EQ(afterChanges, (Strings{"41/256", "43/0", "45/0", "47/256", "49/512"}));
  EXPECT_EQ(Messages(downloadAt), (Strings{kFailed, kSent}));
}

TEST_F(ServiceModePageTest, MaintenanceCommandsAnswerAndLeaveCountersShown) {
  Strings fuser, bk, roller;
  std::vector<int> handles;
  OpenPage();
  Click(kPage, kDownload);
  Then([this] { printer.TakeReceived(); });
  Click(kPage, kFuserUnit);
  AnswerOk();
  TakeRequests(fuser);
  CountOpenHandles(handles);
  Click(kPage, kBkClear);
  AnswerOk();
  TakeRequests(bk);
  Click(kPage, kTransferRoller);
  AnswerOk();
  TakeRequests(roller);
  Then([this] { printer.SetFault(52, {TarnlowPrinter::Fault::Refuse, 0, {}}); });
  Click(kPage, kBkClear);
  AnswerOk();
  Run();

  EXPECT_EQ(fuser, Strings{"51/0"});
  EXPECT_EQ(bk, Strings{"52/0"});
  EXPECT_EQ(roller, Strings{"50/0"});
  EXPECT_EQ(handles, std::vector<int>{0});
  EXPECT_EQ(Messages(), (Strings{"service mode [OK]: \"Replace Fuser Unit OK\"",
                                 "service mode [OK]: \"BK Clear OK\"",
                                 "service mode [OK]: \"Replace Transfer Roller OK\"", kFailed}));
  // The printer reset both counters; the page shows them as last read.
  EXPECT_EQ(printer.Value(84), 0);
  EXPECT_EQ(Counters()[5], "8642");
  EXPECT_EQ(Counters()[4], "4310");
}

TEST_F(ServiceModePageTest, DownloadThatCannotReadShowsItsMessagesAndKeepsFields) {
  Strings absentRequests, afterReadFail;
  std::size_t readFailAt = 0;
  OpenPage();
  Then([this] { printer.SetPlugged(false); });
  Click(kPage, kDownload);
  AnswerOk();
  TakeRequests(absentRequests);
  Then([this] { EXPECT_EQ(Counters(), Strings(6, "0")); });

  // Two failed reads: a message each, and the other reads still run.
  Then([this] {
    printer.SetPlugged(true);
    printer.SetFault(42, {TarnlowPrinter::Fault::FailTransfer, 0, {}});
    printer.SetFault(84, {TarnlowPrinter::Fault::FailTransfer, 0, {}});
  });
  Mark(readFailAt);
  Click(kPage, kDownload);
  AnswerOk();
  AnswerOk();
  TakeRequests(afterReadFail);
  Run();

  EXPECT_EQ(Messages(), (Strings{kNoUsb, kFailed, kFailed}));
  EXPECT_EQ(absentRequests, Strings{});
  EXPECT_EQ(afterReadFail.size(), 11u);
  HeadlessWindow* page = platform.Find(kPage);
  EXPECT_TRUE(page->IsButtonChecked(kIcLowBox));  // kept its 1
  EXPECT_EQ(Counters(), (Strings{"17", "3", "8642", "8120", "4310", "0"}));
}

}  // namespace
