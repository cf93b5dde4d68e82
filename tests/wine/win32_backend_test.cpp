// What only the Win32 backend of the dialog layer must do (the shared
// behaviours are in tests/conformance): a list's text, and the focus
// leaving a page that is hidden.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "layouts/control_ids.h"
#include "layouts/dialog_template.h"
#include "ui/win32/win32_platform.h"
#include "ui/win32/win32_window.h"

namespace {

void Ignore(Window&, const DialogMessage&) {}

class Win32BackendTest : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
  }
  Win32Window& Open(int templateId) {
    return *static_cast<Win32Window*>(platform_.CreateModeless(templateId, Ignore, nullptr));
  }
  Win32Platform platform_{GetModuleHandleW(nullptr)};
};

TEST_F(Win32BackendTest, AListsTextIsItsSelectedEntry) {
  Window& page =
      *Open(kMainWindowTemplate).CreateTabPage(kMainTab, kUserServiceTemplate, Ignore, nullptr);
  page.ListAdd(kGdiTimeoutList, "Счетчик", 0);
  page.ListSelect(kGdiTimeoutList, 0);
  EXPECT_EQ(page.ItemText(kGdiTimeoutList), "Счетчик");
}

TEST_F(Win32BackendTest, HidingAPageTakesTheFocusOffItToTheTabControl) {
  Win32Window& main = Open(kMainWindowTemplate);
  main.Show(true);
  main.TabInsert(kMainTab, 0, "Panel");
  Window* page = main.CreateTabPage(kMainTab, kPanelPageTemplate, Ignore, nullptr);
  page->Show(true);
  page->FocusItem(kPanelStatusButton);
  HWND tab = GetDlgItem(main.Handle(), kMainTab);
  ASSERT_TRUE(IsChild(tab, GetFocus()));
  page->Show(false);
  EXPECT_EQ(GetFocus(), tab);
}

}  // namespace
