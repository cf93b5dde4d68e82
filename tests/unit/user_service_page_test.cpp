// The user service page driven as a user drives it: sliders and lists,
// "Download" and "Upload", the test patterns and the image refresh, against
// the simulated printer.
#include "service/user_service_page.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "headless_session.h"

namespace {

using Strings = std::vector<std::string>;

const std::string kPage = "user service";
constexpr int kTab = 1024;
constexpr int kTopPlain = 1037, kTopPlainText = 1038;
constexpr int kTopThick = 1039, kTopThickText = 1040;
constexpr int kTransferPlain = 1048, kTransferPlainText = 1049;
constexpr int kEnergySaveLabel = 1014;
constexpr int kGdiList = 1070, kEnergyList = 1072, kFlickerList = 1077, kImageList = 1069;
constexpr int kDownload = 1083, kUpload = 1084;
constexpr int kPattern1 = 1091, kPattern2 = 1093, kImageRefresh = 1254;

const std::string kSent = "user service [OK]: \"Send Set Default command to machine successfully\"";
const std::string kFailed = "user service [OK]: \"Send command to F/W is failed\"";
const std::string kNoUsb = "user service [OK]: \"Open USB is failed\"";

// The fourteen writes of "Upload" with the page's defaults.
const Strings kDefaultUpload = {"21/1536", "23/256",  "25/0",    "26/0",    "27/3840",
                                "28/3840", "29/3840", "30/3840", "32/2048", "33/2048",
                                "34/2048", "35/2048", "36/2048", "37/2048"};

class UserServicePageTest : public HeadlessSession {
 protected:
  void OpenPage() {
    OpenMainWindow();
    Then([this] { platform.PickTab("main", kTab, 1); });
  }
  void Slide(int id, int code, int position = 0) {
    Then([this, id, code, position] { platform.MoveSlider(kPage, id, code, position); });
  }
  // Checks a slider's value text and thumb at this point of the run.
  void ExpectSlider(int slider, int valueText, const std::string& text, int thumb) {
    Then([this, slider, valueText, text, thumb] {
      HeadlessWindow* page = platform.Find(kPage);
      EXPECT_EQ(page->ItemText(valueText), text) << "slider " << slider;
      EXPECT_EQ(page->TrackbarPos(slider), thumb) << "slider " << slider;
    });
  }
  // The message boxes shown from transcript line `from` up to line `to`.
  Strings Messages(std::size_t from = 0, std::size_t to = SIZE_MAX) const {
    return Lines("message box ", from, to);
  }
  void TearDown() override {
    EXPECT_EQ(Lines("ignored"), Strings{});
    EXPECT_EQ(Lines("error"), Strings{});
  }
};

TEST_F(UserServicePageTest, SetUpShowsDefaultsThatUploadSends) {
  Strings sent, refused;
  std::vector<int> handles;
  OpenPage();
  Click(kPage, kUpload);
  AnswerOk();
  TakeRequests(sent);
  CountOpenHandles(handles);
  // A refused write still lets the others go out; one message tells.
  Then([this] { printer.SetFault(25, {TarnlowPrinter::Fault::Refuse, 0, {}}); });
  Click(kPage, kUpload);
  AnswerOk();
  TakeRequests(refused);
  Run();

  HeadlessWindow* page = platform.Find(kPage);
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->ItemText(1036), "Top Adjustment");
  EXPECT_EQ(page->ItemText(1066), "Tray1 (Simplex Side)");
  EXPECT_EQ(page->ItemText(kImageRefresh), "Image Refresh");
  EXPECT_EQ(page->ItemText(kEnergySaveLabel), "Energy Save");
  EXPECT_TRUE(page->IsItemShown(kEnergyList));
  EXPECT_EQ(page->TrackbarMin(kTopPlain), -15);
  EXPECT_EQ(page->TrackbarMax(kTopPlain), 15);
  EXPECT_EQ(page->TrackbarMin(kTransferPlain), -8);
  EXPECT_EQ(page->TrackbarMax(kTransferPlain), 7);
  EXPECT_EQ(page->ItemText(kTransferPlainText), "0");
  EXPECT_EQ(page->ListCount(kGdiList), 7);
  EXPECT_EQ(page->ListItemText(kGdiList, page->ListSelection(kGdiList)), "60");
  EXPECT_EQ(page->ListItemText(kEnergyList, page->ListSelection(kEnergyList)), "On");
  EXPECT_EQ(page->ListItemText(kFlickerList, page->ListSelection(kFlickerList)), "0");
  EXPECT_EQ(page->ListCount(kImageList), 4);

  EXPECT_EQ(sent, kDefaultUpload);
  EXPECT_EQ(refused, kDefaultUpload);
  EXPECT_EQ(Messages(), (Strings{kSent, kFailed}));
  EXPECT_EQ(handles, std::vector<int>{2});  // the link is left open
}

TEST_F(UserServicePageTest, VariantWithoutEnergySaveHidesItAndUploadsOn) {
  printer.SetValue(80, 2);
  Strings sent;
  OpenPage();
  Click(kPage, kUpload);
  AnswerOk();
  TakeRequests(sent);
  Run();

  HeadlessWindow* page = platform.Find(kPage);
  EXPECT_FALSE(page->IsItemShown(kEnergySaveLabel));
  EXPECT_FALSE(page->IsItemShown(kEnergyList));
  EXPECT_EQ(page->ListCount(kEnergyList), 0);
  ASSERT_EQ(sent.size(), 14u);
  EXPECT_EQ(sent[1], "23/256");
}

TEST_F(UserServicePageTest, SlidersStepClampAndKeepTheirValue) {
  Strings sent;
  OpenPage();
  for (int i = 0; i < 3; ++i) Slide(kTopPlain, kScrollPageDown);
  ExpectSlider(kTopPlain, kTopPlainText, "15", 15);
  Slide(kTopPlain, kScrollLineDown);
  ExpectSlider(kTopPlain, kTopPlainText, "15", 15);
  Slide(kTopPlain, kScrollThumbTrack, -12);
  ExpectSlider(kTopPlain, kTopPlainText, "-12", -12);
  Slide(kTopPlain, kScrollPageUp);
  ExpectSlider(kTopPlain, kTopPlainText, "-15", -15);
  Slide(kTopPlain, kScrollThumbPosition, 3);
  Slide(kTopPlain, kScrollTop);  // Home: the thumb goes back to the value
  ExpectSlider(kTopPlain, kTopPlainText, "3", 3);
  Slide(kTopPlain, kScrollBottom);  // End
  ExpectSlider(kTopPlain, kTopPlainText, "3", 3);
  Slide(kTransferPlain, kScrollPageDown);
  Slide(kTransferPlain, kScrollPageDown);
  ExpectSlider(kTransferPlain, kTransferPlainText, "7", 7);
  Slide(kTransferPlain, kScrollLineUp);
  Click(kPage, kUpload);
  AnswerOk();
  TakeRequests(sent);
  Run();

  ASSERT_EQ(sent.size(), 14u);
  EXPECT_EQ(sent[4], "27/4608");  // 3 + 15
  EXPECT_EQ(sent[8], "32/3584");  // 6 + 8
}

TEST_F(UserServicePageTest, ListsChangeTheirFieldOnSelectionChangeOnly) {
  Strings sent;
  OpenPage();
  Pick(kPage, kGdiList, 2);
  Pick(kPage, kEnergyList, 1);
  Pick(kPage, kFlickerList, 2);
  Pick(kPage, kImageList, 3);
  // A notification other than a selection change leaves the field.
  Then([this] {
    HeadlessWindow* page = platform.Find(kPage);
    page->ListSelect(kGdiList, 0);
    page->Send({DialogEvent::Command, kGdiList, 7});
  });
  Click(kPage, kUpload);
  AnswerOk();
  TakeRequests(sent);
  Run();

  ASSERT_EQ(sent.size(), 14u);
  EXPECT_EQ(Strings(sent.begin(), sent.begin() + 4), (Strings{"21/512", "23/0", "25/512", "26/768"}));
}

TEST_F(UserServicePageTest, DownloadConvertsTheAdjustmentPageAndReadsSettings) {
  printer.SetPageValue("ADJTOPPLAIN", "");  // missing: counts as 0
  printer.SetPageValue("ADJTOPTHICK", "40");
  printer.SetPageValue("ADJLEFTFRONT", " +7x");
  printer.SetPageValue("ADJTRANSLABEL", "none");
  printer.SetValue(20, 9);  // no GDI timeout entry has it
  printer.SetValue(22, 0);
  Strings read, sent, afterMove;
  std::vector<int> handles;
  OpenPage();
  Click(kPage, kDownload);
  TakeRequests(read);
  CountOpenHandles(handles);
  Click(kPage, kUpload);
  AnswerOk();
  TakeRequests(sent);
  Slide(kTopThick, kScrollLineUp);  // moving clamps the value first
  ExpectSlider(kTopThick, kTopThickText, "15", 15);
  Click(kPage, kUpload);
  AnswerOk();
  TakeRequests(afterMove);
  Run();

  EXPECT_EQ(read, (Strings{"13/256", "13/512", "13/768", "13/1024", "20/0", "22/0", "24/0"}));
  EXPECT_EQ(handles, std::vector<int>{0});
  HeadlessWindow* page = platform.Find(kPage);
  EXPECT_EQ(page->ItemText(kTopPlainText), "-15");
  EXPECT_EQ(page->ItemText(1042), "-3");    // ADJTOPENVELOPE 12
  EXPECT_EQ(page->ItemText(1068), "-8");    // ADJLEFTFRONT " +7x"
  EXPECT_EQ(page->ItemText(1052), "2");     // ADJTRANSTHICK1 10
  EXPECT_EQ(page->ItemText(1064), "-8");    // ADJTRANSLABEL without digits
  EXPECT_EQ(page->ListItemText(kImageList, page->ListSelection(kImageList)), "1");
  EXPECT_EQ(page->ListItemText(kGdiList, page->ListSelection(kGdiList)), "60");
  EXPECT_EQ(page->ListItemText(kEnergyList, page->ListSelection(kEnergyList)), "Off");

  ASSERT_EQ(sent.size(), 14u);
  EXPECT_EQ(Strings(sent.begin(), sent.begin() + 8),
            (Strings{"21/2304", "23/0", "25/0", "26/256", "27/0", "28/10240", "29/3072", "30/1792"}));
  EXPECT_EQ(sent[13], "37/0");
  ASSERT_EQ(afterMove.size(), 14u);
  EXPECT_EQ(afterMove[5], "28/7680");
  EXPECT_EQ(Messages(), (Strings{kSent, kSent}));
}

TEST_F(UserServicePageTest, DownloadThatCannotReadShowsOneMessageAndKeepsFields) {
  std::size_t absentAt = 0, pageFailAt = 0, readFailAt = 0;
  Strings absentRequests, afterPageFail, afterReadFail;
  OpenPage();
  Click(kPage, kDownload);  // demo adjustments: thick +2, image parameter 1
  Slide(kTopPlain, kScrollThumbTrack, 4);
  Then([this] {
    printer.TakeReceived();
    printer.SetPlugged(false);
  });
  Mark(absentAt);
  Click(kPage, kDownload);
  AnswerOk();
  TakeRequests(absentRequests);
  ExpectSlider(kTopPlain, kTopPlainText, "4", 4);

  // The adjustment page cannot be read: the adjustments stay as they were.
  const std::string adjustPage = printer.PageText(4);
  Then([this] {
    printer.SetPlugged(true);
    printer.SetPageText(4, "");
  });
  Mark(pageFailAt);
  Click(kPage, kDownload);
  AnswerOk();
  ExpectSlider(kTopPlain, kTopPlainText, "4", 4);
  ExpectSlider(kTopThick, kTopThickText, "2", 2);
  Click(kPage, kUpload);
  AnswerOk();
  TakeRequests(afterPageFail);

  // One failed setting read: its own message, the other reads still run.
  Then([this, &adjustPage] {
    printer.SetPageText(4, adjustPage);
    printer.SetFault(22, {TarnlowPrinter::Fault::FailTransfer, 0, {}});
  });
  Mark(readFailAt);
  Click(kPage, kDownload);
  AnswerOk();
  TakeRequests(afterReadFail);
  Run();

  EXPECT_EQ(Messages(absentAt, pageFailAt), (Strings{kNoUsb}));
  EXPECT_EQ(absentRequests, Strings{});
  EXPECT_EQ(Messages(pageFailAt), (Strings{kFailed, kSent, kFailed}));
  ASSERT_EQ(afterPageFail.size(), 7u + 14u);
  EXPECT_EQ(afterPageFail[7 + 3], "26/256");
  EXPECT_EQ(afterPageFail[7 + 4], "27/4864");  // 4 + 15
  EXPECT_EQ(afterPageFail[7 + 5], "28/4352");  // 2 + 15
  EXPECT_EQ(Messages(readFailAt), (Strings{kFailed}));
  EXPECT_EQ(afterReadFail.back(), "24/0");
}

TEST_F(UserServicePageTest, TestPatternsAndImageRefresh) {
  Strings pattern1, pattern2, refresh;
  std::vector<int> handles;
  std::size_t refreshAt = 0, absentAt = 0;
  OpenPage();
  Click(kPage, kPattern1);
  AnswerOk();
  TakeRequests(pattern1);
  CountOpenHandles(handles);
  Click(kPage, kPattern2);
  AnswerOk();
  TakeRequests(pattern2);
  CountOpenHandles(handles);
  Then([this] { printer.SetFault(39, {TarnlowPrinter::Fault::Refuse, 0, {}}); });
  Click(kPage, kPattern1);
  AnswerOk();
  Then([this] { printer.TakeReceived(); });
  Mark(refreshAt);
  Click(kPage, kImageRefresh);
  TakeRequests(refresh);
  CountOpenHandles(handles);
  Then([this] { printer.SetPlugged(false); });
  Mark(absentAt);
  Click(kPage, kImageRefresh);
  AnswerOk();
  Run();

  EXPECT_EQ(pattern1, Strings{"39/0"});
  EXPECT_EQ(pattern2, Strings{"39/256"});
  EXPECT_EQ(refresh, Strings{"85/0"});
  EXPECT_EQ(handles, (std::vector<int>{0, 2, 0}));
  EXPECT_EQ(Messages(0),
            (Strings{"user service [OK]: \"Print Test Pattern 1 OK\"",
                     "user service [OK]: \"Print Test Pattern 2 OK             \"", kFailed,
                     kNoUsb}));
  EXPECT_EQ(Messages(refreshAt), Strings{kNoUsb});
  EXPECT_EQ(Lines("debug trace: ", refreshAt),
            (Strings{"\"BT_IMAGEREFRESH\"", "\"USBOpen\"", "\"BT_IMAGEREFRESH\""}));
  EXPECT_EQ(Lines("debug trace: ", absentAt), Strings{"\"BT_IMAGEREFRESH\""});
}

}  // namespace
