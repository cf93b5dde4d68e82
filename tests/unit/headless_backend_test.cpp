// What only the headless backend does (the shared behaviours are in
// tests/conformance): its script drives the modal things, and its
// transcript says what a user's action could not do.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layouts/control_ids.h"
#include "layouts/dialog_template.h"
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

TEST_F(HeadlessBackendTest, ModalThingsTakeTheNextActionsAndBlockOtherWindows) {
  auto* page = static_cast<HeadlessWindow*>(
      platform.CreateModeless(kPanelPageTemplate, RecordingProc, nullptr));
  platform.CloseWindow("panel");
  EXPECT_EQ(lines.back(), "ignored: panel is not shown");
  page->Show(true);
  platform.Script([&] { platform.Click("panel", kPanelStatusButton); });
  platform.Script([&] { platform.Answer(kIdRetry); });  // not a button of this box
  platform.Script([&] { platform.Answer(kIdOk); });
  g_received.clear();
  lines.clear();
  EXPECT_EQ(page->ShowMessageBox("Open USB is failed", MessageButtons::Ok), kIdOk);
  for (const auto& m : g_received) EXPECT_NE(m.event, DialogEvent::Command) << "it is disabled";
  EXPECT_EQ(lines.front(), "message box panel [OK]: \"Open USB is failed\"");
  EXPECT_EQ(lines[1], "ignored: panel is disabled by a modal window");
  EXPECT_EQ(lines[2], "ignored: the message box has no Retry button");
  EXPECT_EQ(lines[3], "answer: OK");

  // With no action left, a box is closed as Escape would close it.
  EXPECT_EQ(page->ShowMessageBox("Open USB is failed", MessageButtons::RetryCancel), kIdCancel);
  EXPECT_EQ(lines.back(), "(script ended) answer: Cancel");
}

// A window's procedure naming a control its template lacks is a fault of the
// program: a debug build stops there, a release build notes it.
TEST_F(HeadlessBackendTest, AControlTheTemplateLacksIsAFault) {
  Window* about = platform.CreateModeless(kAboutTemplate, RecordingProc, nullptr);
  EXPECT_DEBUG_DEATH(about->SetItemText(kPanelStatusButton, "Status"), "no control with that id");
}

}  // namespace
