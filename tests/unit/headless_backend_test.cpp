// The headless backend behaves as the Windows dialog manager does where the
// pages rely on it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/dialog_template.h"
#include "ui/headless/headless.h"

namespace {

std::vector<DialogMessage> g_received;
void RecordingProc(Window&, const DialogMessage& m) { g_received.push_back(m); }

class HeadlessBackendTest : public ::testing::Test {
 protected:
  void SetUp() override { g_received.clear(); }
  std::vector<std::string> lines;
  HeadlessPlatform platform{[this](const std::string& line) { lines.push_back(line); }};
};

TEST_F(HeadlessBackendTest, RadioGroupsRunFromOneGroupFlagToTheNext) {
  auto* page = static_cast<HeadlessWindow*>(
      platform.CreateModeless(kPanelPageTemplate, RecordingProc, nullptr));
  page->Show(true);
  page->CheckButton(1024, true);  // Toner Low Message "On"
  page->CheckButton(1012, true);  // Toner Out Stop "On"
  platform.Click("panel", 1025);
  EXPECT_TRUE(page->IsButtonChecked(1025));
  EXPECT_FALSE(page->IsButtonChecked(1024));
  EXPECT_TRUE(page->IsButtonChecked(1012)) << "another group is left alone";
  ASSERT_FALSE(g_received.empty());
  EXPECT_EQ(g_received.back().event, DialogEvent::Command);
  EXPECT_EQ(g_received.back().id, 1025);

  page->CheckButton(1025, false);  // code may clear a radio button
  EXPECT_FALSE(page->IsButtonChecked(1025));
}

TEST_F(HeadlessBackendTest, ModalThingsTakeTheNextActionsAndBlockOtherWindows) {
  auto* page = static_cast<HeadlessWindow*>(
      platform.CreateModeless(kPanelPageTemplate, RecordingProc, nullptr));
  page->Show(true);
  page->SetTimer(1000, 1000);
  int answer = 0;
  platform.Script([&] { platform.Click("panel", 1001); });
  platform.Script([&] { platform.Wait(2500); });
  platform.Script([&] { platform.Answer(kIdRetry); });  // not a button of this box
  platform.Script([&] { platform.Answer(kIdOk); });
  g_received.clear();
  lines.clear();
  answer = page->ShowMessageBox("Open USB is failed", MessageButtons::Ok);
  EXPECT_EQ(answer, kIdOk);
  int timers = 0, commands = 0;
  for (const auto& m : g_received) {
    timers += m.event == DialogEvent::Timer;
    commands += m.event == DialogEvent::Command;
  }
  EXPECT_EQ(timers, 2) << "timers keep running while a box is open";
  EXPECT_EQ(commands, 0) << "the page is disabled under the box";
  EXPECT_EQ(lines.front(), "message box panel [OK]: \"Open USB is failed\"");
  EXPECT_EQ(lines[1], "ignored: panel is disabled by a modal window");
  EXPECT_EQ(lines[2], "ignored: the message box has no Retry button");
  EXPECT_EQ(lines[3], "answer: OK");

  // With no action left, a box is closed as Escape would close it.
  EXPECT_EQ(page->ShowMessageBox("Open USB is failed", MessageButtons::RetryCancel), kIdCancel);
  EXPECT_EQ(lines.back(), "(script ended) answer: Cancel");
}

TEST_F(HeadlessBackendTest, EditsKeepTheirLimitAndNotifyEachKey) {
  auto* main = static_cast<HeadlessWindow*>(
      platform.CreateModeless(kMainWindowTemplate, RecordingProc, nullptr));
  main->Show(true);
  main->LimitText(1015, 10);
  g_received.clear();
  platform.Type("main", 1015, "ZELQORN1234");
  EXPECT_EQ(main->ItemText(1015), "ZELQORN123");
  EXPECT_EQ(g_received.size(), 20u) << "two notifications per accepted key";
  platform.Type("main", 1015, "\b\b\b");
  EXPECT_EQ(main->ItemText(1015), "ZELQORN");
  g_received.clear();
  platform.Focus("main", 1015);
  ASSERT_EQ(g_received.size(), 1u);
  EXPECT_EQ(g_received[0].code, kEditSetFocus);
}

TEST_F(HeadlessBackendTest, ClosingSendsTheCancelCommandAfterTheClose) {
  auto* main = static_cast<HeadlessWindow*>(
      platform.CreateModeless(kMainWindowTemplate, RecordingProc, nullptr));
  platform.CloseWindow("main");
  EXPECT_EQ(lines.back(), "ignored: main is not shown");
  main->Show(true);
  g_received.clear();
  platform.CloseWindow("main");
  ASSERT_EQ(g_received.size(), 2u);
  EXPECT_EQ(g_received[0].event, DialogEvent::Close);
  EXPECT_EQ(g_received[1].event, DialogEvent::Command);
  EXPECT_EQ(g_received[1].id, kIdCancel);
}

TEST_F(HeadlessBackendTest, SlidersMoveAsTrackbarsDoBeforeTheyNotify) {
  auto* page = static_cast<HeadlessWindow*>(
      platform.CreateModeless(kUserServiceTemplate, RecordingProc, nullptr));
  page->Show(true);
  page->TrackbarSetRange(1037, -15, 15);
  platform.MoveSlider("user service", 1037, kScrollBottom, 0);
  EXPECT_EQ(page->TrackbarPos(1037), 15);
  platform.MoveSlider("user service", 1037, kScrollThumbPosition, -40);
  EXPECT_EQ(page->TrackbarPos(1037), -15) << "the thumb stops at the end";
  ASSERT_GE(g_received.size(), 2u);
  EXPECT_EQ(g_received[g_received.size() - 2].code, kScrollThumbPosition);
  EXPECT_EQ(g_received.back().code, kScrollEnd);
}

}  // namespace
