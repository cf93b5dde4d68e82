#include "ui/win32/win32_platform.h"

#include <shellapi.h>

#include <functional>
#include <iterator>
#include <utility>

#include "common/string_table.h"
#include "ui/win32/win32_keyboard.h"
#include "ui/win32/win32_text.h"

namespace {

// The program's icon resource, in the size the system asks for.
HICON LoadProgramIcon(HINSTANCE instance, int iconId, int widthMetric, int heightMetric) {
  return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON,
                                       GetSystemMetrics(widthMetric),
                                       GetSystemMetrics(heightMetric), LR_DEFAULTCOLOR));
}

// The first `units` UTF-16 units of a text, never half of a surrogate pair:
// the notification area's fixed fields hold no more.
std::wstring CutText(std::wstring text, std::size_t units) {
  if (text.size() <= units) return text;
  text.resize(units);
  if (!text.empty() && text.back() >= 0xD800 && text.back() <= 0xDBFF) text.pop_back();
  return text;
}

// Icons 131 to 134: the program's icon with the watch's badges.
constexpr int kStateIconBase = 131;

// A later start's word to the running instance (wParam: its request), sent
// to a message-only window whose class is named for the guard.
constexpr UINT kLaterStartMessage = WM_APP + 1;

std::wstring LaterStartsClass(const std::string& guard) { return Wide(guard) + L".later-starts"; }

LRESULT CALLBACK LaterStartsProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kLaterStartMessage) return DefWindowProcW(hwnd, message, wParam, lParam);
  const LONG_PTR heard = GetWindowLongPtrW(hwnd, GWLP_USERDATA);
  if (heard) (*reinterpret_cast<const std::function<void(int)>*>(heard))(int(wParam));
  return 0;
}

}  // namespace

Win32Platform::Win32Platform(HINSTANCE instance)
    : instance_(instance), taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")) {}

Win32Platform::~Win32Platform() {
  windows_.clear();
  if (trayIcon_) DestroyIcon(trayIcon_);
  for (HICON icon : stateIcons_)
    if (icon) DestroyIcon(icon);
  ReleaseSingleInstance();
}

Window* Win32Platform::CreateModeless(int templateId, DialogProc proc, void* param) {
  const DialogTemplate* dialog = FindDialogTemplate(templateId);
  if (!dialog) return nullptr;
  windows_.push_back(std::make_unique<Win32Window>(*dialog, proc));
  Win32Window* window = windows_.back().get();
  if (!window->CreateModeless(nullptr, param)) {
    windows_.pop_back();
    return nullptr;
  }
  return window;
}

int Win32Platform::RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (HandleDialogKey(message)) continue;
    bool taken = false;
    for (const auto& window : windows_) {
      HWND dialog = window->Handle();
      if (dialog && IsDialogMessageW(dialog, &message)) {
        taken = true;
        break;
      }
    }
    if (taken) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return int(message.wParam);
}

void Win32Platform::Quit(int code) {
  // A quit seen by a modal loop would end only that loop.
  if (Win32Window::ModalLoopsRunning())
    Win32Window::AfterModalLoops([code] { PostQuitMessage(code); });
  else
    PostQuitMessage(code);
}

bool Win32Platform::AcquireSingleInstance(const char* name, int request) {
  guard_ = name;
  mutex_ = CreateMutexW(nullptr, FALSE, Wide(name).c_str());
  if (mutex_ && GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex_);
    mutex_ = nullptr;
    if (HWND listener =
            FindWindowExW(HWND_MESSAGE, nullptr, LaterStartsClass(guard_).c_str(), nullptr)) {
      // The user started this one: the running instance may then bring its
      // window to the front.
      DWORD process = 0;
      GetWindowThreadProcessId(listener, &process);
      AllowSetForegroundWindow(process);
      PostMessageW(listener, kLaterStartMessage, WPARAM(request), 0);
    }
    return false;
  }
  return true;
}

void Win32Platform::ReleaseSingleInstance() {
  if (laterStarts_) DestroyWindow(laterStarts_);
  laterStarts_ = nullptr;
  if (mutex_) CloseHandle(mutex_);
  mutex_ = nullptr;
}

void Win32Platform::ListenForLaterStarts(Window& owner, int command, int endRequest) {
  if (!mutex_ || laterStarts_) return;
  const std::wstring className = LaterStartsClass(guard_);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = LaterStartsProcedure;
  windowClass.hInstance = instance_;
  windowClass.lpszClassName = className.c_str();
  RegisterClassW(&windowClass);  // fails harmlessly for a run after the first in a process
  laterStarts_ = CreateWindowExW(0, className.c_str(), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 instance_, nullptr);
  if (!laterStarts_) return;
  HWND window = static_cast<Win32Window&>(owner).Handle();
  heardLaterStart_ = [window, command, endRequest](int request) {
    const WPARAM heard = MAKEWPARAM(command, request);
    if (Win32Window::ModalLoopsRunning()) {
      if (request == endRequest) {
        Win32Window::AfterModalLoops(
            [window, heard] { PostMessageW(window, WM_COMMAND, heard, 0); });
        return;
      }
      // A modal window open (a message, the configuration window) answers
      // by coming to the front.
      SetForegroundWindow(GetLastActivePopup(window));
      return;
    }
    PostMessageW(window, WM_COMMAND, heard, 0);
  };
  SetWindowLongPtrW(laterStarts_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&heardLaterStart_));
}

bool Win32Platform::NotifyTray(DWORD action) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = trayOwner_;
  data.uID = trayId_;
  if (action == NIM_ADD) {
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kTrayCallbackMessage;
    data.hIcon = shownIcon_ ? shownIcon_ : trayIcon_;
    lstrcpynW(data.szTip, trayTip_.c_str(), int(std::size(data.szTip)));
  }
  return Shell_NotifyIconW(action, &data);
}

void Win32Platform::AddTrayIcon(Window& owner, int iconId, const char* tip) {
  auto& window = static_cast<Win32Window&>(owner);
  trayOwner_ = window.Handle();
  trayId_ = UINT(iconId);
  trayTip_ = Wide(tip);
  if (!trayIcon_) trayIcon_ = LoadProgramIcon(instance_, iconId, SM_CXSMICON, SM_CYSMICON);
  // The window's own icons, for its title bar and the task switcher.
  SendMessageW(trayOwner_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(trayIcon_));
  SendMessageW(trayOwner_, WM_SETICON, ICON_BIG,
               reinterpret_cast<LPARAM>(LoadProgramIcon(instance_, iconId, SM_CXICON, SM_CYICON)));
  // A restarted Explorer has lost every icon: it says so, and gets ours again.
  window.SetMessageHook([this](UINT message, WPARAM, LPARAM) {
    if (message != taskbarCreated_ || !trayOwner_) return false;
    NotifyTray(NIM_ADD);
    return true;
  });
  NotifyTray(NIM_ADD);
}

HICON Win32Platform::TrayIconFor(IconState state) {
  if (state == IconState::kPlain) return trayIcon_;
  HICON& icon = stateIcons_[static_cast<int>(state) - 1];
  if (!icon)
    icon = LoadProgramIcon(instance_, kStateIconBase + static_cast<int>(state) - 1, SM_CXSMICON,
                           SM_CYSMICON);
  return icon ? icon : trayIcon_;
}

void Win32Platform::SetTrayIconState(Window&, int, IconState state, const std::string& tip) {
  shownIcon_ = TrayIconFor(state);
  trayTip_ = CutText(Wide(tip), std::size(NOTIFYICONDATAW{}.szTip) - 1);
  if (!trayOwner_) return;
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = trayOwner_;
  data.uID = trayId_;
  data.uFlags = NIF_ICON | NIF_TIP;
  data.hIcon = shownIcon_;
  lstrcpynW(data.szTip, trayTip_.c_str(), int(std::size(data.szTip)));
  Shell_NotifyIconW(NIM_MODIFY, &data);
}

void Win32Platform::Notify(Window&, int, NotificationKind kind, const std::string& title,
                           const std::string& text) {
  if (!trayOwner_) return;
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = trayOwner_;
  data.uID = trayId_;
  data.uFlags = NIF_INFO;
  const std::wstring heading = CutText(Wide(title), std::size(data.szInfoTitle) - 1);
  // An empty text would take the balloon away instead of showing it.
  const std::wstring body = CutText(Wide(text.empty() ? title : text), std::size(data.szInfo) - 1);
  lstrcpynW(data.szInfoTitle, heading.c_str(), int(std::size(data.szInfoTitle)));
  lstrcpynW(data.szInfo, body.c_str(), int(std::size(data.szInfo)));
  data.dwInfoFlags = kind == NotificationKind::kError     ? NIIF_ERROR
                     : kind == NotificationKind::kWarning ? NIIF_WARNING
                                                          : NIIF_INFO;
  Shell_NotifyIconW(NIM_MODIFY, &data);
}

void Win32Platform::RemoveTrayIcon(Window&, int) {
  if (!trayOwner_) return;
  NotifyTray(NIM_DELETE);
  trayOwner_ = nullptr;
}

int Win32Platform::TrackMenu(Window& owner, const std::vector<MenuItem>& items) {
  HWND window = static_cast<Win32Window&>(owner).Handle();
  HMENU menu = CreatePopupMenu();
  if (!menu) return 0;
  POINT cursor{};
  GetCursorPos(&cursor);
  UINT position = 0;
  for (const MenuItem& item : items)
    InsertMenuW(menu, position++, MF_BYPOSITION | MF_STRING, UINT_PTR(item.command),
                Wide(TextOrEmpty(item.stringId)).c_str());
  // A menu of a notification icon closes on a click elsewhere only when its
  // window is in the foreground.
  SetForegroundWindow(window);
  SetFocus(window);
  SendMessageW(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
  int command = int(TrackPopupMenu(
      menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, cursor.x,
      cursor.y, 0, window, nullptr));
  PostMessageW(window, WM_NULL, 0, 0);
  DestroyMenu(menu);
  return command;
}

Size Win32Platform::ScreenSize() {
  HDC display = CreateICW(L"DISPLAY", nullptr, nullptr, nullptr);
  Size size{GetDeviceCaps(display, HORZRES), GetDeviceCaps(display, VERTRES)};
  DeleteDC(display);
  return size;
}

// The primary monitor's, where ScreenSize measures too.
Rect Win32Platform::WorkArea() {
  RECT r{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0)) return Platform::WorkArea();
  return {int(r.left), int(r.top), int(r.right), int(r.bottom)};
}

void Win32Platform::DebugTrace(const char* text) { OutputDebugStringW(Wide(text).c_str()); }

// The action runs on this thread and no message is handled meanwhile, so the
// cursor set here stays until the action gives it back.
void Win32Platform::BeginWaitCursor() {
  if (waitCursorDepth_++ == 0) cursorBeforeWait_ = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
}

Platform::ThreadCaller Win32Platform::WindowThreadCaller(Window& owner) {
  return [hwnd = static_cast<Win32Window&>(owner).Handle()](std::function<void()> call) {
    auto* posted = new std::function<void()>(std::move(call));
    // A window already gone takes no more calls.
    if (!PostMessageW(hwnd, kCallOnThreadMessage, 0, reinterpret_cast<LPARAM>(posted)))
      delete posted;
  };
}

void Win32Platform::EndWaitCursor() {
  if (waitCursorDepth_ == 0 || --waitCursorDepth_ > 0) return;
  SetCursor(cursorBeforeWait_ ? cursorBeforeWait_ : LoadCursorW(nullptr, IDC_ARROW));
}
