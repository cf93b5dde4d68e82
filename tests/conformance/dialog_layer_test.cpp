// What every backend of the dialog layer does alike, as the pages rely on
// it: built once per backend with that backend's driver (backend_driver.h).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "backend_driver.h"
#include "layouts/control_ids.h"
#include "layouts/dialog_template.h"

namespace {

std::vector<DialogMessage> g_received;  // all but Paint
Window* g_opened = nullptr;             // the window that got Init last

void Record(Window& window, const DialogMessage& m) {
  if (m.event == DialogEvent::Init) g_opened = &window;
  if (m.event != DialogEvent::Paint) g_received.push_back(m);
}

int Count(DialogEvent event, int id = -1) {
  return int(std::count_if(g_received.begin(), g_received.end(), [&](const DialogMessage& m) {
    return m.event == event && (id < 0 || m.id == id);
  }));
}

int Sign(int value) { return (value > 0) - (value < 0); }

class DialogLayer : public ::testing::Test {
 protected:
  void SetUp() override {
    g_received.clear();
    UsePlatform(&driver->platform());
  }
  void TearDown() override { UsePlatform(nullptr); }

  // A shown window of the template; a page is shown in a main window's tab.
  Window& Open(int templateId) {
    Window* window =
        FindDialogTemplate(templateId)->style & kChildPage
            ? Open(kMainWindowTemplate).CreateTabPage(kMainTab, templateId, Record, nullptr)
            : driver->platform().CreateModeless(templateId, Record, nullptr);
    window->Show(true);
    return *window;
  }

  std::unique_ptr<BackendDriver> driver = MakeBackendDriver();
};

TEST_F(DialogLayer, EveryTemplateBecomesAWindowWithItsControlsInTheirOrder) {
  for (const DialogTemplate* dialog : AllDialogTemplates()) {
    SCOPED_TRACE(dialog->id);
    Window& window = Open(dialog->id);
    const ControlTemplate* previous = nullptr;
    for (const ControlTemplate& c : dialog->controls) {
      if (c.id == kNoId) continue;
      SCOPED_TRACE(c.id);
      const Rect rect = window.ItemRect(c.id);
      EXPECT_EQ(rect.Width() > 0, c.cx > 0);
      EXPECT_EQ(rect.Height() > 0, c.cy > 0);
      if (previous) {  // the same order as in the template, both ways
        const Rect before = window.ItemRect(previous->id);
        EXPECT_EQ(Sign(c.x - previous->x), Sign(rect.left - before.left));
        EXPECT_EQ(Sign(c.y - previous->y), Sign(rect.top - before.top));
      }
      previous = &c;
    }
  }
}

TEST_F(DialogLayer, ControlsKeepWhatThePagesPutInThemInEveryScript) {
  Window& page = Open(kUserServiceTemplate);
  const std::string texts[] = {"Toner Low", "Счетчик замятий", "設定ページを表示", "耗材状态",
                               "café"};
  for (const std::string& text : texts) {
    page.SetItemText(kTopPlainValue, text);
    EXPECT_EQ(page.ItemText(kTopPlainValue), text);
  }

  EXPECT_EQ(page.ListSelection(kGdiTimeoutList), -1) << "a list starts without a selection";
  for (int i = 0; i < 3; ++i) EXPECT_EQ(page.ListAdd(kGdiTimeoutList, texts[i + 1], 100 + i), i);
  page.ListSelect(kGdiTimeoutList, 1);
  page.ListAdd(kGdiTimeoutList, texts[4], 103);
  EXPECT_EQ(page.ListCount(kGdiTimeoutList), 4);
  EXPECT_EQ(page.ListSelection(kGdiTimeoutList), 1) << "adding keeps the selection";
  EXPECT_EQ(page.ListItemData(kGdiTimeoutList, 2), 102);

  page.TrackbarSetRange(kTopPlainSlider, -15, 15);
  page.TrackbarSetPos(kTopPlainSlider, 40);
  EXPECT_EQ(page.TrackbarPos(kTopPlainSlider), 15) << "the thumb stays in its range";
  page.TrackbarSetPos(kTopPlainSlider, -3);
  EXPECT_EQ(page.TrackbarPos(kTopPlainSlider), -3);
  EXPECT_EQ(Count(DialogEvent::Command) + Count(DialogEvent::HScroll), 0)
      << "changes from code do not notify";
}

TEST_F(DialogLayer, AClickedRadioButtonIsCheckedAloneInItsGroupAndTellsThePage) {
  Window& panel = Open(kPanelPageTemplate);
  panel.CheckButton(kPanelTonerLowOn, true);      // Toner Low Message "On"
  panel.CheckButton(kPanelTonerOutStopOn, true);  // Toner Out Stop "On"
  EXPECT_EQ(Count(DialogEvent::Command), 0) << "changes from code do not notify";
  driver->Click(panel, kPanelTonerLowOff);
  EXPECT_TRUE(panel.IsButtonChecked(kPanelTonerLowOff));
  EXPECT_FALSE(panel.IsButtonChecked(kPanelTonerLowOn));
  EXPECT_TRUE(panel.IsButtonChecked(kPanelTonerOutStopOn)) << "another group is left alone";
  ASSERT_EQ(Count(DialogEvent::Command), 1);
  EXPECT_EQ(g_received.back().id, kPanelTonerLowOff);
  EXPECT_EQ(g_received.back().code, kButtonClicked);
  driver->Click(panel, kPanelTonerLowOff);
  EXPECT_TRUE(panel.IsButtonChecked(kPanelTonerLowOff))
      << "clicking a checked radio keeps it checked";
  driver->Click(panel, kPanelApplyButton);  // a button inside a group box
  EXPECT_EQ(Count(DialogEvent::Command, kPanelApplyButton), 1);

  panel.CheckButton(kPanelTonerLowOff, false);
  EXPECT_FALSE(panel.IsButtonChecked(kPanelTonerLowOff)) << "code may clear the checked radio";
}

TEST_F(DialogLayer, TabsHoldPagesThatShowAndHide) {
  Window& main = Open(kMainWindowTemplate);
  main.TabInsert(kMainTab, 0, "Panel");
  main.TabInsert(kMainTab, 1, "Обслуживание");
  main.TabSelect(kMainTab, 1);
  EXPECT_EQ(main.TabSelection(kMainTab), 1);
  Window* page = main.CreateTabPage(kMainTab, kPanelPageTemplate, Record, nullptr);
  ASSERT_NE(page, nullptr);
  EXPECT_FALSE(page->IsShown()) << "a page starts hidden";
  page->Show(true);
  EXPECT_TRUE(page->IsShown());
}

TEST_F(DialogLayer, TheTitleBarCloseIsACloseThenTheCancelCommand) {
  Window& about = Open(kAboutTemplate);
  g_received.clear();
  driver->CloseFromTitleBar(about);
  ASSERT_EQ(g_received.size(), 2u);
  EXPECT_EQ(g_received[0].event, DialogEvent::Close);
  EXPECT_TRUE(g_received[1].event == DialogEvent::Command && g_received[1].id == kIdCancel);
}

TEST_F(DialogLayer, MessageBoxesHaveNoCaptionAndReturnTheButtonPressed) {
  Window& panel = Open(kPanelPageTemplate);
  std::string caption = "(not answered)";
  driver->WhenModalOpens([&] { caption = driver->AnswerMessageBox(kIdRetry); });
  EXPECT_EQ(panel.ShowMessageBox("Open USB is failed", MessageButtons::RetryCancel), kIdRetry);
  EXPECT_EQ(caption, "");
  driver->WhenModalOpens([&] { driver->AnswerMessageBox(kIdCancel); });
  EXPECT_EQ(panel.ShowMessageBox("Open USB is failed", MessageButtons::RetryCancel), kIdCancel);

  // The page's timers keep running while a box is open, until killed. (Ticks
  // outside a box: the display cycling in tests/scenarios/panel_status_and_commands.)
  panel.SetTimer(1000, 100);
  g_received.clear();
  driver->WhenModalOpens([&] {
    driver->LetTimePass(350);
    driver->AnswerMessageBox(kIdOk);
  });
  EXPECT_EQ(panel.ShowMessageBox("Команда отправлена", MessageButtons::Ok), kIdOk);
  panel.KillTimer(1000);
  EXPECT_GE(Count(DialogEvent::Timer, 1000), 2);
  g_received.clear();
  driver->LetTimePass(150);
  EXPECT_EQ(Count(DialogEvent::Timer), 0) << "a killed timer ticks no more";
}

TEST_F(DialogLayer, ModalWindowsRunTheirProcedureUntilItEndsThem) {
  Window& main = Open(kMainWindowTemplate);
  auto ends = [](Window& box, const DialogMessage& m) {
    Record(box, m);
    if (m.event == DialogEvent::Command && m.id == kAboutCloseButton) box.EndDialog(7);
  };
  driver->WhenModalOpens(
      [&] { driver->Click(*g_opened, kAboutCloseButton); });  // the About box's Close
  g_received.clear();
  int param = 0;
  EXPECT_EQ(main.RunModal(kAboutTemplate, ends, &param), 7);
  ASSERT_FALSE(g_received.empty());
  EXPECT_EQ(g_received.front().event, DialogEvent::Init);
  EXPECT_EQ(g_received.front().param, &param);
  EXPECT_EQ(Count(DialogEvent::Command, kAboutCloseButton), 1);
}

TEST_F(DialogLayer, AnActionShowsTheWaitCursorUntilItEnds) {
  Open(kPanelPageTemplate);
  EXPECT_FALSE(driver->WaitCursorShown());
  {
    WaitCursor action;
    EXPECT_TRUE(driver->WaitCursorShown());
    { WaitCursor nested; }
    EXPECT_TRUE(driver->WaitCursorShown()) << "a nested action keeps it";
  }
  EXPECT_FALSE(driver->WaitCursorShown());
}

}  // namespace
