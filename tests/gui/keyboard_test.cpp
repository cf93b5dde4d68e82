// The windows with the keyboard alone, key by key as a user presses them:
// Tab through the controls with the row of tabs among them, Ctrl+Tab and
// its kin between the tabs, Enter on the focused button. Runs offscreen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include <string>
#include <vector>

#include "layouts/control_ids.h"
#include "layouts/dialog_template.h"
#include "page_helpers/app_context.h"
#include "page_helpers/window_ops.h"
#include "string_ids.h"
#include "ui/qt/qt_controls.h"
#include "ui/qt/qt_window.h"

namespace {

std::vector<int> pressed;

// Pages that only note the buttons pressed on them.
void NotingPage(Window&, const DialogMessage& m) {
  if (m.event == DialogEvent::Command) pressed.push_back(m.id);
}

// A window that shows the page of the selected tab, as the program's do.
AppContext* shownContext = nullptr;
void ShowingSelectedPage(Window& window, const DialogMessage& m) {
  if (m.event != DialogEvent::TabChanged) return;
  for (Window* page : shownContext->mainPages)
    if (page) page->Show(page == shownContext->mainPages[window.TabSelection(kMainTab)]);
}

void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QWidget* focus = QApplication::focusWidget();
  ASSERT_TRUE(focus) << "nothing has the keyboard focus";
  QTest::keyClick(focus, Qt::Key(key), modifiers);
}

TEST(Keyboard, AUserReachesTheUserServiceTabAndPressesDownloadWithoutTheMouse) {
  AppContext ctx{};
  shownContext = &ctx;
  QtWindow main(*FindDialogTemplate(kMainWindowTemplate), ShowingSelectedPage, nullptr, nullptr);
  LoadTemplateTexts(main);
  ctx.mainPages[0] =
      AddTabPage(main, kMainTab, kPanelPageTemplate, kTextPanelTab, 0, NotingPage, &ctx);
  ctx.mainPages[1] =
      AddTabPage(main, kMainTab, kUserServiceTemplate, kTextUserServiceTab, 1, NotingPage, &ctx);
  ctx.mainPages[2] =
      AddTabPage(main, kMainTab, kServiceModeTemplate, kTextServiceModeTab, 2, NotingPage, &ctx);
  main.TabSelect(kMainTab, 0);
  ctx.mainPages[0]->Show(true);
  main.Show(true);
  QApplication::setActiveWindow(main.widget());
  ASSERT_TRUE(QTest::qWaitForWindowActive(main.widget()));
  QTabBar* tabs = static_cast<TabControl*>(main.Control(kMainTab))->bar();

  // Close, then the row of tabs, then the shown page's first control.
  main.FocusItem(kMainCloseButton);
  Press(Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), tabs);
  Press(Qt::Key_Tab);
  auto* panel = static_cast<QtWindow*>(ctx.mainPages[0]);
  EXPECT_EQ(QApplication::focusWidget(), panel->Control(kPanelStatusButton));

  // Ctrl+Tab from there: the next tab, the focus off the page that hides.
  Press(Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(main.TabSelection(kMainTab), 1);
  EXPECT_TRUE(ctx.mainPages[1]->IsShown());
  EXPECT_EQ(QApplication::focusWidget(), tabs);

  // Tab on to Download, never into a hidden page; Enter presses it.
  auto* service = static_cast<QtWindow*>(ctx.mainPages[1]);
  QWidget* download = service->Control(kUserDownloadButton);
  for (int i = 0; i < 40 && QApplication::focusWidget() != download; ++i) {
    Press(Qt::Key_Tab);
    ASSERT_TRUE(QApplication::focusWidget()->isVisible()) << "the focus went to a hidden control";
  }
  ASSERT_EQ(QApplication::focusWidget(), download);
  pressed.clear();
  Press(Qt::Key_Return);
  EXPECT_EQ(pressed, std::vector<int>{kUserDownloadButton});

  // The other keys that switch tabs, both ways and round the ends.
  Press(Qt::Key_PageDown, Qt::ControlModifier);
  EXPECT_EQ(main.TabSelection(kMainTab), 2);
  Press(Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(main.TabSelection(kMainTab), 0);
  Press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(main.TabSelection(kMainTab), 2);
  Press(Qt::Key_PageUp, Qt::ControlModifier);
  EXPECT_EQ(main.TabSelection(kMainTab), 1);
  shownContext = nullptr;
}

TEST(Keyboard, TheConfigurationWindowsTabsSwitchByKeys) {
  QtWindow config(*FindDialogTemplate(kConfigWindowTemplate), NotingPage, nullptr, nullptr);
  for (int i = 0; i < 7; ++i) config.TabInsert(kConfigTabControl, i, std::to_string(i));
  config.Show(true);
  QApplication::setActiveWindow(config.widget());
  ASSERT_TRUE(QTest::qWaitForWindowActive(config.widget()));
  config.FocusItem(kConfigSaveButton);
  Press(Qt::Key_PageDown, Qt::ControlModifier);
  Press(Qt::Key_PageDown, Qt::ControlModifier);
  Press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(config.TabSelection(kConfigTabControl), 1);
  // Close, then the row of tabs: Tab goes round.
  config.FocusItem(kConfigCloseButton);
  Press(Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(),
            static_cast<TabControl*>(config.Control(kConfigTabControl))->bar());
}

}  // namespace
