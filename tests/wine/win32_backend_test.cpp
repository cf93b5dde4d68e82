// The Win32 backend of the dialog layer on real dialogs: every template
// becomes a dialog Windows accepts, texts cross the UTF-8/UTF-16 border in
// every script, the controls keep what the pages put in them, and the modal
// things behave as the pages expect (answered from a timer, as a user would
// answer them from inside their loops).
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "ui/dialog_template.h"
#include "ui/win32/win32_platform.h"
#include "ui/win32/win32_window.h"

namespace {

std::vector<DialogMessage> g_events;

void Record(Window&, const DialogMessage& message) { g_events.push_back(message); }

bool HasClass(HWND window, const wchar_t* name) {
  wchar_t cls[64] = {};
  GetClassNameW(window, cls, 64);
  return _wcsicmp(cls, name) == 0;
}

const wchar_t* ClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::PushButton:
    case ControlKind::RadioButton:
    case ControlKind::CheckBox:
    case ControlKind::GroupBox: return L"Button";
    case ControlKind::Static: return L"Static";
    case ControlKind::Edit: return L"Edit";
    case ControlKind::DropDownList: return L"ComboBox";
    case ControlKind::Trackbar: return TRACKBAR_CLASSW;
    case ControlKind::TabControl: return WC_TABCONTROLW;
  }
  return L"";
}

// Answers whatever modal window of this thread opens next: presses the
// button with that id once it is shown (a message box, or a dialog's OK).
struct Answer {
  static inline int button = 0;
  static inline std::wstring caption;
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM) -> BOOL {
          if (!IsWindowVisible(window) || !HasClass(window, L"#32770") ||
              !GetDlgItem(window, button))
            return TRUE;
          wchar_t text[64] = {};
          GetWindowTextW(window, text, 64);
          caption = text;
          PostMessageW(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
          return FALSE;
        },
        0);
  }
};

class Win32BackendTest : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    UsePlatform(&platform_);
    g_events.clear();
  }

  // A window of the template; a page is a child, so it gets a main window
  // to live in.
  Win32Window& Open(int templateId) {
    const DialogTemplate& dialog = *FindDialogTemplate(templateId);
    HWND parent = dialog.style & kChildPage ? Open(kMainWindowTemplate).Handle() : nullptr;
    windows_.push_back(std::make_unique<Win32Window>(dialog, Record));
    EXPECT_TRUE(windows_.back()->CreateModeless(parent, nullptr));
    return *windows_.back();
  }

  // Runs the thread's messages until none is left.
  static void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }

  Win32Platform platform_{GetModuleHandleW(nullptr)};
  std::vector<std::unique_ptr<Win32Window>> windows_;
};

TEST_F(Win32BackendTest, EveryTemplateBecomesADialogWithItsControlsWhereTheDataPutsThem) {
  for (const DialogTemplate* dialog : AllDialogTemplates()) {
    SCOPED_TRACE(dialog->id);
    // A page is a child: put it in a top-level window, as a tab control holds it.
    Win32Window& host = Open(kMainWindowTemplate);
    Win32Window window(*dialog, Record);
    ASSERT_TRUE(window.CreateModeless(dialog->style & kChildPage ? host.Handle() : nullptr, nullptr));
    for (const ControlTemplate& c : dialog->controls) {
      if (c.id == kNoId) continue;
      HWND control = GetDlgItem(window.Handle(), c.id);
      ASSERT_NE(control, nullptr) << c.id;
      EXPECT_TRUE(HasClass(control, ClassOf(c.kind))) << c.id;
      // Windows converts the position and the size each on its own.
      RECT at{c.x, c.y, 0, 0}, size{0, 0, c.cx, c.cy};
      MapDialogRect(window.Handle(), &at);
      MapDialogRect(window.Handle(), &size);
      RECT expected{at.left, at.top, at.left + size.right, at.top + size.bottom};
      RECT actual;
      GetWindowRect(control, &actual);
      MapWindowPoints(nullptr, window.Handle(), reinterpret_cast<POINT*>(&actual), 2);
      EXPECT_EQ(actual.left, expected.left) << c.id;
      EXPECT_EQ(actual.top, expected.top) << c.id;
      if (c.kind != ControlKind::DropDownList) {  // its height is the closed list's
        EXPECT_EQ(actual.right, expected.right) << c.id;
        EXPECT_EQ(actual.bottom, expected.bottom) << c.id;
      }
      const LONG style = GetWindowLongW(control, GWL_STYLE);
      EXPECT_EQ(bool(style & WS_GROUP), bool(c.style & kGroupStart)) << c.id;
      EXPECT_EQ(bool(style & WS_TABSTOP), bool(c.style & kTabStop)) << c.id;
    }
  }
}

TEST_F(Win32BackendTest, ControlsKeepWhatThePagesPutInThemInEveryScript) {
  Win32Window& page = Open(kUserServiceTemplate);
  const std::string texts[] = {"Toner Low", "Счетчик замятий", "設定ページを表示", "耗材状态", "café"};
  for (const std::string& text : texts) {
    page.SetItemText(1043, text);
    EXPECT_EQ(page.ItemText(1043), text);
  }

  EXPECT_EQ(page.ListSelection(1070), -1) << "a list starts without a selection";
  for (int i = 0; i < 3; ++i) EXPECT_EQ(page.ListAdd(1070, texts[i + 1], 100 + i), i);
  page.ListSelect(1070, 2);
  EXPECT_EQ(page.ListCount(1070), 3);
  EXPECT_EQ(page.ListSelection(1070), 2);
  EXPECT_EQ(page.ListItemData(1070, 1), 101);
  EXPECT_EQ(page.ItemText(1070), texts[3]) << "a list shows its selected entry";

  page.TrackbarSetRange(1037, 0, 30);
  page.TrackbarSetPos(1037, 40);
  EXPECT_EQ(page.TrackbarPos(1037), 30) << "the thumb stays in its range";
  page.TrackbarSetPos(1037, 12);
  EXPECT_EQ(page.TrackbarPos(1037), 12);

  Win32Window& main = Open(kMainWindowTemplate);
  main.LimitText(1015, 10);
  EXPECT_EQ(SendMessageW(GetDlgItem(main.Handle(), 1015), EM_GETLIMITTEXT, 0, 0), 10);
  main.TabInsert(1024, 0, "Panel");
  main.TabInsert(1024, 1, "Обслуживание");
  main.TabSelect(1024, 1);
  EXPECT_EQ(main.TabSelection(1024), 1);
}

TEST_F(Win32BackendTest, ARadioButtonClickedChecksItAloneInItsGroupAndTellsThePage) {
  Win32Window& panel = Open(kPanelPageTemplate);
  panel.CheckButton(1024, true);
  panel.CheckButton(1012, true);
  SendMessageW(GetDlgItem(panel.Handle(), 1025), BM_CLICK, 0, 0);
  EXPECT_FALSE(panel.IsButtonChecked(1024));
  EXPECT_TRUE(panel.IsButtonChecked(1025));
  EXPECT_TRUE(panel.IsButtonChecked(1012)) << "another group is left alone";
  ASSERT_FALSE(g_events.empty());
  EXPECT_EQ(g_events.back().event, DialogEvent::Command);
  EXPECT_EQ(g_events.back().id, 1025);
  EXPECT_EQ(g_events.back().code, kButtonClicked);
}

TEST_F(Win32BackendTest, HidingAPageTakesTheFocusOffItToTheTabControl) {
  Win32Window& main = Open(kMainWindowTemplate);
  main.Show(true);
  main.TabInsert(1024, 0, "Panel");
  Window* page = main.CreateTabPage(1024, kPanelPageTemplate, Record, nullptr);
  ASSERT_NE(page, nullptr);
  page->Show(true);
  page->FocusItem(1001);
  HWND tab = GetDlgItem(main.Handle(), 1024);
  ASSERT_TRUE(IsChild(tab, GetFocus()));
  page->Show(false);
  EXPECT_EQ(GetFocus(), tab);
  EXPECT_FALSE(page->IsShown());
  main.Show(false);
}

TEST_F(Win32BackendTest, TheTitleBarCloseIsACloseThenTheCancelCommand) {
  Win32Window& about = Open(kAboutTemplate);
  g_events.clear();
  SendMessageW(about.Handle(), WM_CLOSE, 0, 0);
  Pump();
  ASSERT_EQ(g_events.size(), 2u);
  EXPECT_EQ(g_events[0].event, DialogEvent::Close);
  EXPECT_EQ(g_events[1].event, DialogEvent::Command);
  EXPECT_EQ(g_events[1].id, kIdCancel);
}

TEST_F(Win32BackendTest, MessageBoxesHaveNoCaptionAndReturnTheButtonPressed) {
  Win32Window& panel = Open(kPanelPageTemplate);
  UINT_PTR timer = SetTimer(nullptr, 0, 50, Answer::Tick);
  Answer::button = IDRETRY;
  Answer::caption = L"(none seen)";
  EXPECT_EQ(panel.ShowMessageBox("Open USB is failed", MessageButtons::RetryCancel), kIdRetry);
  EXPECT_EQ(Answer::caption, L"");
  Answer::button = IDOK;
  EXPECT_EQ(panel.ShowMessageBox("Команда отправлена", MessageButtons::Ok), kIdOk);
  KillTimer(nullptr, timer);
}

TEST_F(Win32BackendTest, ModalWindowsRunTheirProcedureUntilItEndsThem) {
  Win32Window& main = Open(kMainWindowTemplate);
  UINT_PTR timer = SetTimer(nullptr, 0, 50, Answer::Tick);
  Answer::button = 1023;  // the About box's Close
  g_events.clear();
  auto ends = [](Window& box, const DialogMessage& message) {
    g_events.push_back(message);
    if (message.event == DialogEvent::Command && message.id == 1023) box.EndDialog(7);
  };
  int param = 0;
  EXPECT_EQ(main.RunModal(kAboutTemplate, ends, &param), 7);
  KillTimer(nullptr, timer);
  ASSERT_FALSE(g_events.empty());
  EXPECT_EQ(g_events.front().event, DialogEvent::Init);
  EXPECT_EQ(g_events.front().param, &param);
}

TEST_F(Win32BackendTest, TimersTickIntoTheProcedure) {
  Win32Window& panel = Open(kPanelPageTemplate);
  g_events.clear();
  panel.SetTimer(1000, 10);
  for (int i = 0; i < 100 && g_events.empty(); ++i) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    Pump();
  }
  panel.KillTimer(1000);
  ASSERT_FALSE(g_events.empty());
  EXPECT_EQ(g_events.front().event, DialogEvent::Timer);
  EXPECT_EQ(g_events.front().id, 1000);
}

}  // namespace

TEST_F(Win32BackendTest, AnActionShowsTheWaitCursorUntilItEnds) {
  HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
  SetCursor(arrow);
  {
    WaitCursor action;
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_WAIT));
    { WaitCursor nested; }
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_WAIT)) << "a nested action keeps it";
  }
  EXPECT_EQ(GetCursor(), arrow);
}
