// The panel page driven as a user drives it: the status display, the
// operator commands and the default settings, against the simulated printer.
#include "panel/panel_page.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "common/string_table.h"
#include "device/request_catalogue.h"
#include "headless_session.h"
#include "panel/panel_display.h"
#include "shell/main_window.h"

namespace {

using Strings = std::vector<std::string>;
using Requests = std::vector<std::pair<int, int>>;  // code, wValue

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }
std::string Text(int stringId) { return Quoted(LoadText(stringId)); }

const std::string kReady = Quoted("READY");
const std::string kTonerLowMK = Quoted("TONER LOW MK");
const std::string kCheckTrayA4 = Quoted("CHECK TRAY PAPER") + " / " + Quoted("LOAD PAPER(A4)");
const std::string kEmpty = "(empty)";

class PanelPageTest : public HeadlessSession {
 protected:
  // Takes the requests the printer received so far, at this point of the run.
  void TakeRequests(Requests& into) {
    Then([this, &into] {
      into.clear();
      for (const auto& r : printer.TakeReceived()) into.emplace_back(r.code, r.wValue);
    });
  }
  void CountOpenHandles(std::vector<int>& into) {
    Then([&into] { into.push_back(SimulatedOpenHandles()); });
  }
  Strings Display(std::size_t from = 0, std::size_t to = std::string::npos) const {
    return Lines("display panel: ", from, to);
  }
  Strings Messages(std::size_t from = 0) const { return Lines("message box panel [OK]: ", from); }
};

// The initial checks and list values show in what "Apply" sends, below.
TEST_F(PanelPageTest, CreationLoadsTextsAndTheEnergySaveList) {
  OpenMainWindow();
  Run();
  HeadlessWindow* page = platform.Find("panel");
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->ItemText(1000), "Vantrel");
  EXPECT_EQ(page->ItemText(1252), "Supporting Button for P/H Clean Up");
  EXPECT_EQ(page->ItemText(kPanelAutoContinueOff), "Off");
  Strings texts;
  for (int i = 0; i < page->ListCount(kPanelEnergySaveList); ++i)
    texts.push_back(page->ListItemText(kPanelEnergySaveList, i));
  EXPECT_EQ(texts, (Strings{"5", "15", "30", "60"}));
  EXPECT_EQ(page->ListSelection(kPanelEnergySaveList), 2);
  // Shown before any status read: an empty box.
  EXPECT_EQ(Display(), Strings{kEmpty});
}

TEST_F(PanelPageTest, StatusCyclesThroughCodesAndANewReadStartsAgain) {
  std::vector<TarnlowPrinter::Received> sent;
  std::vector<int> handles;
  std::size_t afterOpen = 0, beforeRead = 0, afterRead = 0, afterSecondRead = 0;
  OpenMainWindow();
  Mark(afterOpen);
  Wait(3000);  // no timer before the first read
  Mark(beforeRead);
  Click("panel", kPanelStatusButton);
  Then([&] { sent = printer.TakeReceived(); });
  CountOpenHandles(handles);
  Mark(afterRead);
  Wait(999);  // the first tick comes one full second after the read
  Then([&] { EXPECT_EQ(Display(afterRead), Strings{}); });
  Wait(3001);  // four ticks: the three codes, then the first again
  // Covering and uncovering the page: an empty box until the next tick.
  Then([&] { platform.PickTab("main", kMainTab, 1); });
  Then([&] { platform.PickTab("main", kMainTab, 0); });
  Then([&] { printer.SetStatusCodes({"000001", "201000"}); });
  Wait(500);  // half-way into the second "READY": the second entry is due next
  Mark(afterSecondRead);
  Click("panel", kPanelStatusButton);
  Wait(999);  // the timer starts anew: no tick where the old one was due
  Then([&] { EXPECT_EQ(Display(afterSecondRead), Strings{}); });
  Wait(2001);
  Run();

  EXPECT_EQ(Display(afterOpen, beforeRead), Strings{});
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].code, 9);
  EXPECT_EQ(sent[0].wValue, 0);
  EXPECT_EQ(sent[0].length, 1024);
  EXPECT_EQ(handles, std::vector<int>{0});
  EXPECT_EQ(Display(afterRead, afterSecondRead),
            (Strings{kReady, kTonerLowMK, kCheckTrayA4, kReady, kEmpty}));
  const std::string coverOpen = Quoted("TOP COVER OPEN ") + " / " + Quoted("CLOSE TOP COVER");
  EXPECT_EQ(Display(afterSecondRead), (Strings{Quoted("Receiving"), coverOpen,
                                               Quoted("Receiving")}));
  EXPECT_EQ(Messages(), Strings{});
}

TEST_F(PanelPageTest, EmptyAndUnknownCodesDrawAnEmptyBox) {
  std::size_t afterRead = 0, afterSecondRead = 0;
  printer.SetStatusReply("STATUS=\r\n");
  OpenMainWindow();
  Click("panel", kPanelStatusButton);
  Mark(afterRead);
  Wait(3000);
  // Unknown codes keep their second, drawn empty.
  Then([&] { printer.SetStatusCodes({"100005", "000000", "30200a"}); });
  Mark(afterSecondRead);
  Click("panel", kPanelStatusButton);
  Wait(4000);
  Run();

  EXPECT_EQ(Display(afterRead, afterSecondRead), Strings(3, kEmpty));
  EXPECT_EQ(Display(afterSecondRead), (Strings{kEmpty, kReady, kEmpty, kEmpty}));
  EXPECT_EQ(Messages(), Strings{});
}

TEST_F(PanelPageTest, FailedOrImpossibleReadKeepsTheOldListCycling) {
  std::vector<int> handles;
  std::size_t afterRead = 0;
  OpenMainWindow();
  Click("panel", kPanelStatusButton);
  Mark(afterRead);
  Wait(1500);  // READY
  Then([&] { printer.SetFault(9, {TarnlowPrinter::Fault::FailTransfer, 0, {}}); });
  Click("panel", kPanelStatusButton);
  AnswerOk();
  CountOpenHandles(handles);
  Wait(1000);  // the old timer's next tick, half a second later
  Then([&] {
    printer.ClearFaults();
    printer.SetPlugged(false);
  });
  Click("panel", kPanelStatusButton);
  AnswerOk();
  Wait(1000);
  Run();

  EXPECT_EQ(Messages(), (Strings{Text(25), Quoted("Open USB is failed")}));
  EXPECT_EQ(handles, std::vector<int>{0});
  EXPECT_EQ(Display(afterRead), (Strings{kReady, kTonerLowMK, kCheckTrayA4}));
}

TEST_F(PanelPageTest, ApplySendsAllFourSettingsInOrder) {
  Requests defaults, changed, refused;
  std::vector<int> handles;
  OpenMainWindow();
  Click("panel", kPanelApplyButton);
  AnswerOk();
  TakeRequests(defaults);
  Click("panel", kPanelTonerLowOff);
  Click("panel", kPanelTonerOutStopOff);
  Then([&] { platform.PickListItem("panel", kPanelEnergySaveList, 0); });
  Click("panel", kPanelAutoContinueOn);
  Click("panel", kPanelApplyButton);
  AnswerOk();
  TakeRequests(changed);
  Then([&] { printer.SetFault(15, {TarnlowPrinter::Fault::Refuse, 0, {}}); });
  Click("panel", kPanelTonerOutStopOn);
  Then([&] { platform.PickListItem("panel", kPanelEnergySaveList, 3); });
  Click("panel", kPanelApplyButton);
  AnswerOk();
  TakeRequests(refused);
  CountOpenHandles(handles);
  Run();

  EXPECT_EQ(defaults, (Requests{{19, 256}, {15, 256}, {16, 7680}, {17, 0}}));
  EXPECT_EQ(changed, (Requests{{19, 0}, {15, 0}, {16, 1280}, {17, 256}}));
  EXPECT_EQ(refused, (Requests{{19, 0}, {15, 256}, {16, 15360}, {17, 256}}));
  EXPECT_EQ(Messages(), (Strings{Text(24), Text(24), Text(25)}));
  EXPECT_EQ(handles, std::vector<int>{0});
  // The accepted settings reached the printer.
  EXPECT_EQ(printer.PageValue("MACHINEAUTOCONTO"), "ON");
  EXPECT_EQ(printer.PageValue("TONERLOWMSG"), "0");
}

TEST_F(PanelPageTest, TonerCleanUpAndCalibrationCommands) {
  Requests sent;
  std::vector<int> handles;
  OpenMainWindow();
  Click("panel", kPanelRotateTonerButton);
  AnswerOk();
  Click("panel", kPanelEjectTonerRadio);
  Click("panel", kPanelRotateTonerButton);
  AnswerOk();
  Click("panel", kPanelCleanUpButton);
  AnswerOk();
  Click("panel", kPanelCalibrationButton);
  AnswerOk();
  CountOpenHandles(handles);
  TakeRequests(sent);
  Run();

  EXPECT_EQ(sent, (Requests{{14, 0}, {14, 256}, {14, 512}, {18, 0}}));
  // Strings 21 and 22 share their text in every language.
  EXPECT_EQ(Messages(), (Strings{Text(21), Text(22), Text(21), Text(23)}));
  EXPECT_EQ(handles, std::vector<int>{0});
}

TEST_F(PanelPageTest, OnlyOkAndAZeroByteAcknowledgeACommand) {
  using Fault = TarnlowPrinter::Fault;
  const std::vector<Fault> replies = {
      {Fault::RawReply, 0, {'O', 'K', 0, 0x7F}},  // any fourth byte
      {Fault::RawReply, 0, {'O', 'K', '1', 0}},
      {Fault::RawReply, 0, {'o', 'k', 0, 0}},
      {Fault::RawReply, 0, {'O', 'K'}},  // the zeroed buffer supplies the zero byte
      {Fault::FailTransfer, 0, {}},
  };
  OpenMainWindow();
  for (const Fault& reply : replies) {
    Then([this, reply] { printer.SetFault(REQ_START_CALIBRATION, reply); });
    Click("panel", kPanelCalibrationButton);
    AnswerOk();
  }
  Run();
  EXPECT_EQ(Messages(), (Strings{Text(23), Text(25), Text(25), Text(23), Text(25)}));
}

TEST_F(PanelPageTest, UnpluggedPrinterIsReportedAndNothingIsSent) {
  Requests sent;
  OpenMainWindow();
  Then([&] { printer.SetPlugged(false); });
  for (int button : {kPanelStatusButton, kPanelRotateTonerButton, kPanelCleanUpButton,
                     kPanelApplyButton, kPanelCalibrationButton}) {
    Click("panel", button);
    AnswerOk();
  }
  TakeRequests(sent);
  Run();
  EXPECT_EQ(Messages(), Strings(5, Quoted("Open USB is failed")));
  EXPECT_EQ(sent, Requests{});
}

// Records every drawing call with its arguments.
class CallRecorder final : public Surface {
 public:
  void FramedWhiteRect(const Rect& r) override {
    calls.push_back("box " + std::to_string(r.left) + "," + std::to_string(r.top) + " " +
                    std::to_string(r.right) + "," + std::to_string(r.bottom));
  }
  void SelectFont(const char* face, int pixelHeight, int weight) override {
    calls.push_back("font " + std::string(face) + " " + std::to_string(pixelHeight) + " " +
                    std::to_string(weight));
  }
  void TextAt(int x, int y, const std::string& text) override {
    calls.push_back("text " + std::to_string(x) + "," + std::to_string(y) + " " + text);
  }
  Strings calls;
};

TEST(PanelDisplayTest, GeometryFontAndLines) {
  const Rect group{11, 8, 500, 203};
  const Rect box = PanelDisplayBox(group);
  EXPECT_EQ(box.left, 161);
  EXPECT_EQ(box.top, 28);
  EXPECT_EQ(box.right, 490);
  EXPECT_EQ(box.bottom, 98);

  CallRecorder twoLines;
  DrawPanelDisplay(twoLines, "20400F", group);
  EXPECT_EQ(twoLines.calls, (Strings{"font Tahoma 15 400", "text 171,38 TONER OUT",
                                     "text 171,58 CHANGE YMCK TONER"}));

  CallRecorder oneLine;
  DrawPanelDisplay(oneLine, "000000", group);
  EXPECT_EQ(oneLine.calls, (Strings{"font Tahoma 15 400", "text 171,38 READY"}));

  // Unknown, and too short (zero-padded): nothing but the font.
  const char shortCode[kStatusCodeLength] = {'0', '0', '0', '0', '0', '\0'};
  CallRecorder unknown;
  DrawPanelDisplay(unknown, "100005", group);
  DrawPanelDisplay(unknown, shortCode, group);
  EXPECT_EQ(unknown.calls, (Strings{"font Tahoma 15 400", "font Tahoma 15 400"}));
}

}  // namespace
