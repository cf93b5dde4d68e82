// The conformance suite's user on the Win32 backend: button clicks and
// window messages, modal things answered from a timer inside their loops.
#include <windows.h>
#include <commctrl.h>

#include <cwchar>
#include <map>

#include "backend_driver.h"
#include "ui/win32/win32_platform.h"
#include "ui/win32/win32_window.h"

namespace {

std::map<UINT_PTR, std::function<void()>> g_pending;  // by timer

void CALLBACK RunPending(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  auto action = std::move(g_pending[timer]);
  g_pending.erase(timer);
  if (action) action();
}

class Win32Driver final : public BackendDriver {
 public:
  Win32Driver() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
  }
  Platform& platform() override { return platform_; }
  void Click(Window& window, int id) override {
    SendMessageW(GetDlgItem(Handle(window), id), BM_CLICK, 0, 0);
  }
  void CloseFromTitleBar(Window& window) override {
    SendMessageW(Handle(window), WM_CLOSE, 0, 0);
    LetTimePass(0);
  }
  void WhenModalOpens(std::function<void()> action) override {
    g_pending[SetTimer(nullptr, 0, 50, RunPending)] = std::move(action);
  }
  std::string AnswerMessageBox(int button) override {
    static HWND box;  // the thread's dialog with that button
    box = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM b) -> BOOL {
          wchar_t cls[8] = {};
          GetClassNameW(w, cls, 8);
          return std::wcscmp(cls, L"#32770") != 0 || !GetDlgItem(w, int(b)) || (box = w, FALSE);
        },
        button);
    if (!box) return "(no message box)";
    const bool captioned = GetWindowTextLengthW(box) > 0;
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    return captioned ? "(a caption)" : "";
  }
  void LetTimePass(int milliseconds) override {
    const DWORD end = GetTickCount() + milliseconds;
    int left = milliseconds;
    do {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(left), QS_ALLINPUT);
      for (MSG m; PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&m);
    } while ((left = int(end - GetTickCount())) > 0);
  }
  bool WaitCursorShown() override { return GetCursor() == LoadCursorW(nullptr, IDC_WAIT); }

 private:
  static HWND Handle(Window& window) { return static_cast<Win32Window&>(window).Handle(); }
  Win32Platform platform_{GetModuleHandleW(nullptr)};
};

}  // namespace

std::unique_ptr<BackendDriver> MakeBackendDriver() { return std::make_unique<Win32Driver>(); }
