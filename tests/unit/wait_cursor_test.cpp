// Every action that talks to the printer shows the wait cursor while its
// requests go out, and gives the normal pointer back when it ends.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "headless_session.h"
#include "layouts/control_ids.h"

namespace {

class WaitCursorTest : public HeadlessSession {};

TEST_F(WaitCursorTest, IsShownForEveryRequestOfEveryActionAndOnlyThen) {
  std::vector<int> requestsWithout;  // codes sent without the wait cursor
  int requests = 0;
  printer.OnRequest([&](const TarnlowPrinter::Received& r) {
    ++requests;
    if (platform.WaitCursorDepth() <= 0) requestsWithout.push_back(r.code);
  });
  std::vector<std::string> shownAfter;  // actions after which it stayed
  auto action = [&](std::string name, std::function<void()> step) {
    Then(std::move(step));
    // Up to two message boxes are answered; the check runs once the action
    // has ended.
    for (int box = 0; box < 2; ++box) {
      Then([this] {
        if (Lines("message box").size() > Lines("answer").size()) platform.Answer(kIdOk);
      });
    }
    Then([this, name, &shownAfter] {
      if (platform.WaitCursorDepth() != 0) shownAfter.push_back(name);
    });
  };
  const std::pair<std::string, int> panelButtons[] = {
      {"Status", kPanelStatusButton},
      {"Rotate", kPanelRotateTonerButton},
      {"Apply", kPanelApplyButton},
      {"Calibration", kPanelCalibrationButton},
      {"Clean up", kPanelCleanUpButton}};
  const std::pair<std::string, int> userServiceButtons[] = {
      {"Download", kUserDownloadButton},
      {"Upload", kUserUploadButton},
      {"Pattern 1", kPattern1Button},
      {"Pattern 2", kPattern2Button},
      {"Image refresh", kImageRefreshButton}};
  const std::pair<std::string, int> serviceModeButtons[] = {
      {"Download", kServiceDownloadButton},
      {"Upload", kServiceUploadButton},
      {"BK clear", kBkClearButton},
      {"Fuser", kFuserUnitButton},
      {"Transfer roller", kTransferRollerButton}};

  action("open", [this] { platform.TrayMouse(kMouseLeftDoubleClick); });
  for (const auto& button : panelButtons) {
    const int id = button.second;
    action(button.first, [this, id] { platform.Click("panel", id); });
  }
  action("configuration", [this] { platform.Click("panel", kPanelConfigButton); });
  Then([this] { platform.Click("configuration", kConfigCloseButton); });
  Then([this] { platform.Type("main", kPasswordField, "ZELQORN"); });
  Then([this] { platform.PickTab("main", 1024, 1); });
  for (const auto& button : userServiceButtons) {
    const int id = button.second;
    action(button.first, [this, id] { platform.Click("user service", id); });
  }
  Then([this] { platform.PickTab("main", 1024, 2); });
  for (const auto& button : serviceModeButtons) {
    const int id = button.second;
    action(button.first, [this, id] { platform.Click("service mode", id); });
  }
  Run();

  EXPECT_GT(requests, 60);
  EXPECT_TRUE(requestsWithout.empty()) << requestsWithout.size() << " requests, the first "
                                       << (requestsWithout.empty() ? 0 : requestsWithout[0]);
  EXPECT_TRUE(shownAfter.empty()) << shownAfter.front();
  EXPECT_EQ(platform.WaitCursorDepth(), 0);
  EXPECT_TRUE(Lines("ignored").empty()) << Lines("ignored").front();
}

}  // namespace
