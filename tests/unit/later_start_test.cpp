// What a later start asks of the running program: a plain one changes
// nothing behind the icon, --show opens the window as a double-click on the
// icon does, --quit ends the program (also from under a modal box); every
// later start ends with 0, and --quit with nothing running ends with
// kExitNotRunning.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "headless_session.h"
#include "layouts/control_ids.h"
#include "shell/vantrel.h"

namespace {

class LaterStart : public HeadlessSession {
 protected:
  // Queues a later start with that request; its status lands in `ended`.
  void StartAgain(StartRequest request) {
    Then([this, request] {
      ended.push_back(RunVantrel(platform, link, StartKind::ByUser, 0, request));
    });
  }
  std::vector<int> ended;
};

TEST_F(LaterStart, ShowOpensTheWindowAndQuitEndsTheProgram) {
  std::size_t plain = 0, shown = 0;
  StartAgain(StartRequest::Run);
  Mark(plain);
  StartAgain(StartRequest::Show);
  Mark(shown);
  StartAgain(StartRequest::Show);  // already shown: nothing more
  StartAgain(StartRequest::Quit);
  Run();
  EXPECT_EQ(ended, (std::vector<int>{0, 0, 0, 0}));
  EXPECT_TRUE(Lines("show main", 0, plain).empty()) << "a plain later start opened the window";
  EXPECT_EQ(Lines("show main", plain, shown).size(), 1u) << "--show did not open the window";
  EXPECT_EQ(Lines("show main", shown).size(), 0u) << "a second --show opened it again";
  EXPECT_EQ(Lines("destroy main", shown).size(), 1u) << "--quit did not end the program";
  EXPECT_EQ(RunVantrel(platform, link, StartKind::ByUser, 0, StartRequest::Quit), kExitNotRunning);
}

TEST_F(LaterStart, QuitUnderAModalBoxEndsTheProgramToo) {
  std::size_t quitAsked = 0;
  StartAgain(StartRequest::Show);
  Click("main", kMainAboutButton);  // the About box's loop takes the next steps
  Mark(quitAsked);
  StartAgain(StartRequest::Quit);
  Run();
  EXPECT_EQ(ended, (std::vector<int>{0, 0}));
  EXPECT_EQ(Lines("destroy main", quitAsked).size(), 1u) << "--quit under the box did not end it";
}

}  // namespace
