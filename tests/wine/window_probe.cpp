// window-probe.exe: looks at the Windows program's windows from outside, in
// the same Wine desktop, and acts on them as a user's tools would. Runs the
// steps given on its command line in order; stops with status 1 at the first
// one that fails, saying why on standard output.
//
//   tray                      position of the notification icon, once the
//                             program's main window exists: "X Y"
//   wait WINDOW               until WINDOW is shown (5 s at most)
//   where WINDOW ID           centre of a shown control on the screen: "X Y"
//   display                   the panel display's inside on the screen: "WxH+X+Y"
//   click WINDOW ID           presses a button (BM_CLICK)
//   tab WINDOW ID INDEX       selects a tab as the user does (TCM_SETCURFOCUS)
//   type WINDOW ID TEXT       replaces a field's text
//   text WINDOW ID            prints a control's text
//   title WINDOW              prints the window's title
//   answer                    presses OK in the open message box
//   yes                       presses Yes in the open message box
//   save-as PATH              gives the save prompt a file name and presses OK
//   menu-item INDEX           centre of a line of the open popup menu: "X Y"
//   rect WINDOW               the window's rectangle on the screen: "WxH+X+Y"
//   shell-restart             takes the program's notification icon away and
//                             says "TaskbarCreated", as a restarted Explorer
//   gone                      until the main window no longer exists
//   balloon                   the text of the notification area's balloon,
//                             once one shows (8 s at most)
//   selected WINDOW ID        the selected tab of a tab control
//   focus WINDOW              the control id that has the keyboard focus
//   name WINDOW ID            a control's name as a screen reader reads it
//                             (MSAA)
//   role WINDOW ID            a control's role as a screen reader reads it:
//                             its number, then its text, then "checked"
//                             when it is (MSAA)
//   page-children             the panel page's children in the order a
//                             screen reader walks them (MSAA), one a line:
//                             role number, role text, window class and name
//                             (a new line in it written \n)
//   display-name              the panel display's text, as a screen reader
//                             reads it: the name of the page's child read
//                             right after the Status button
//   display-role              that child's role (number and text) and its
//                             window class
//   display-rect              that child's rectangle on the screen: "WxH+X+Y"
//   live-events SECONDS       how many live region changes a screen reader
//                             hears from that child within SECONDS (a
//                             WinEvent hook out of context); stops at the first
//
// WINDOW: main, config, about, message, save or menu.
#include <windows.h>
#include <commctrl.h>
#include <initguid.h>  // IID_IAccessible defined here, not taken from an import library
#include <oleacc.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>

#include <functional>
#include <string>
#include <vector>

#include "common/win32/utf16.h"
#include "layouts/control_ids.h"

namespace {

bool HasClass(HWND window, const wchar_t* name) {
  wchar_t cls[64] = {};
  GetClassNameW(window, cls, 64);
  return std::wcscmp(cls, name) == 0;
}

HWND Child(HWND parent, int id, const wchar_t* cls = nullptr) {
  HWND child = GetDlgItem(parent, id);
  return child && (!cls || HasClass(child, cls)) ? child : nullptr;
}

// The program's windows, known by the controls they hold.
bool Is(HWND window, const std::wstring& name) {
  if (name == L"menu") return HasClass(window, L"#32768");
  if (!HasClass(window, L"#32770")) return false;
  if (name == L"main")
    return Child(window, kMainTab, WC_TABCONTROLW) && Child(window, kMainAboutButton);
  if (name == L"config") return Child(window, kConfigTabControl, WC_TABCONTROLW) != nullptr;
  if (name == L"about") return Child(window, kAboutProductLine) && Child(window, kAboutVersion);
  if (name == L"message")
    return Child(window, 0xFFFF, L"Static") &&
           (Child(window, IDOK) || Child(window, IDRETRY) || Child(window, IDYES));
  // The save prompt: its file name field is control 0x47c.
  if (name == L"save") return Child(window, 0x47c) != nullptr;
  return false;
}

// The first top-level window, or child of PARENT, that WANTED accepts.
HWND FirstWindow(HWND parent, const std::function<bool(HWND)>& wanted) {
  struct Search {
    const std::function<bool(HWND)>* wanted;
    HWND found;
  } search{&wanted, nullptr};
  WNDENUMPROC each = [](HWND window, LPARAM param) -> BOOL {
    auto* s = reinterpret_cast<Search*>(param);
    if (!(*s->wanted)(window)) return TRUE;
    s->found = window;
    return FALSE;
  };
  if (parent)
    EnumChildWindows(parent, each, reinterpret_cast<LPARAM>(&search));
  else
    EnumWindows(each, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND Find(const std::wstring& name, bool shownOnly) {
  return FirstWindow(nullptr, [&](HWND window) {
    return (!shownOnly || IsWindowVisible(window)) && Is(window, name);
  });
}

HWND WaitFor(const std::function<HWND()>& find, int milliseconds) {
  for (int waited = 0;; waited += 20) {
    if (HWND window = find()) return window;
    if (waited >= milliseconds) return nullptr;
    Sleep(20);
  }
}

// A shown control with that id anywhere in the window, its pages included.
HWND Control(HWND window, int id) {
  return FirstWindow(
      window, [id](HWND child) { return GetDlgCtrlID(child) == id && IsWindowVisible(child); });
}

// A rectangle as an X geometry, WxH+X+Y, for the screenshot tools.
void PrintGeometry(const RECT& r) {
  std::printf("%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
}

void PrintCentre(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  std::printf("%ld %ld\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void PrintText(HWND window) {
  wchar_t text[2048] = {};  // a message box may hold the program's usage
  SendMessageW(window, WM_GETTEXT, 2048, LPARAM(text));
  std::printf("%s\n", Utf8(text).c_str());
}

// Asks MSAA about the window itself, as a screen reader does.
template <typename Ask>
std::string AskAccessible(HWND window, Ask ask) {
  IAccessible* accessible = nullptr;
  const HRESULT found = AccessibleObjectFromWindow(window, DWORD(OBJID_CLIENT), IID_IAccessible,
                                                   reinterpret_cast<void**>(&accessible));
  if (FAILED(found) || !accessible) return "(no accessible object: " + std::to_string(found) + ")";
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  std::string text = ask(*accessible, self);
  accessible->Release();
  return text;
}

// What MSAA says a window is called.
std::string AccessibleName(HWND window) {
  return AskAccessible(window, [](IAccessible& accessible, VARIANT self) {
    BSTR name = nullptr;
    std::string text;
    if (SUCCEEDED(accessible.get_accName(self, &name)) && name) text = Utf8(name);
    SysFreeString(name);
    return text;
  });
}

// What MSAA says a window is: its role's number and text, and "checked"
// when it is.
std::string AccessibleRole(HWND window) {
  return AskAccessible(window, [](IAccessible& accessible, VARIANT self) {
    VARIANT role;
    VariantInit(&role);
    std::string text = "(no role)";
    if (SUCCEEDED(accessible.get_accRole(self, &role)) && role.vt == VT_I4) {
      wchar_t name[128] = {};
      GetRoleTextW(DWORD(role.lVal), name, 128);
      text = std::to_string(role.lVal) + " " + Utf8(name);
    }
    VariantClear(&role);
    VARIANT state;
    VariantInit(&state);
    if (SUCCEEDED(accessible.get_accState(self, &state)) && state.vt == VT_I4 &&
        (state.lVal & STATE_SYSTEM_CHECKED))
      text += " checked";
    VariantClear(&state);
    return text;
  });
}

std::string ClassOf(HWND window) {
  wchar_t cls[64] = {};
  GetClassNameW(window, cls, 64);
  return Utf8(cls);
}

// A window's children in the order a screen reader walks them (MSAA): the
// system's objects for their windows, which say the windows they are of.
std::vector<HWND> ChildrenAsRead(HWND window) {
  std::vector<HWND> windows;
  IAccessible* accessible = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, DWORD(OBJID_CLIENT), IID_IAccessible,
                                        reinterpret_cast<void**>(&accessible))) ||
      !accessible)
    return windows;
  LONG count = 0;
  if (SUCCEEDED(accessible->get_accChildCount(&count)) && count > 0) {
    std::vector<VARIANT> children(static_cast<size_t>(count));
    LONG got = 0;
    if (FAILED(AccessibleChildren(accessible, 0, count, children.data(), &got))) got = 0;
    for (LONG i = 0; i < got; ++i) {
      VARIANT& child = children[static_cast<size_t>(i)];
      HWND found = nullptr;
      IAccessible* object = nullptr;
      if (child.vt == VT_DISPATCH && child.pdispVal &&
          SUCCEEDED(
              child.pdispVal->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&object))) &&
          object) {
        WindowFromAccessibleObject(object, &found);
        object->Release();
      }
      VariantClear(&child);
      windows.push_back(found);
    }
  }
  accessible->Release();
  return windows;
}

// The panel display as a screen reader finds it: the page's child read right
// after the Status button.
HWND DisplayAsRead(HWND main) {
  HWND status = Control(main, kPanelStatusButton);
  if (!status) return nullptr;
  const std::vector<HWND> children = ChildrenAsRead(GetParent(status));
  for (size_t i = 0; i + 1 < children.size(); ++i)
    if (children[i] == status) return children[i + 1];
  return nullptr;
}

HWND heardFrom = nullptr;
int heard = 0;

void CALLBACK HearLiveRegion(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD,
                             DWORD) {
  if (window == heardFrom && object == OBJID_CLIENT && child == CHILDID_SELF) ++heard;
}

int Fail(const char* what, const std::wstring& detail = L"") {
  std::printf("window-probe: %s %s\n", what, Utf8(detail).c_str());
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  CoInitialize(nullptr);
  std::vector<std::wstring> args(argv + 1, argv + argc);
  auto shown = [](const std::wstring& name) {
    return WaitFor([&] { return Find(name, true); }, 5000);
  };
  for (size_t i = 0; i < args.size(); ++i) {
    const std::wstring& step = args[i];
    auto next = [&]() -> std::wstring { return i + 1 < args.size() ? args[++i] : L""; };
    if (step == L"tray") {
      if (!WaitFor([] { return Find(L"main", false); }, 10000)) return Fail("no main window");
      // The desktop may still be laying its task bar out.
      HWND tray = WaitFor(
          [] {
            HWND bar = FindWindowW(L"Shell_TrayWnd", nullptr);
            RECT r{};
            return bar && IsWindowVisible(bar) && GetWindowRect(bar, &r) && r.right > r.left
                       ? bar
                       : nullptr;
          },
          5000);
      if (!tray) return Fail("no task bar");
      Sleep(200);  // the icons come in once the task bar says it is there
      // The icons line up from the task bar's right end; the program's is
      // the only one.
      RECT r;
      GetWindowRect(tray, &r);
      const int icon = GetSystemMetrics(SM_CXSMICON) + 4;
      std::printf("%ld %ld\n", r.right - icon / 2, (r.top + r.bottom) / 2);
    } else if (step == L"title") {
      std::wstring name = next();
      HWND window = shown(name);
      if (!window) return Fail("not shown:", name);
      PrintText(window);
    } else if (step == L"wait" || step == L"rect" || step == L"focus") {
      std::wstring name = next();
      HWND window = shown(name);
      if (!window) return Fail("not shown:", name);
      if (step == L"rect") {
        RECT r;
        GetWindowRect(window, &r);
        PrintGeometry(r);
        Sleep(150);  // let it finish painting before the screenshot
      }
      if (step == L"focus") {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
        std::printf("%d\n", info.hwndFocus ? GetDlgCtrlID(info.hwndFocus) : 0);
      }
    } else if (step == L"where" || step == L"click" || step == L"text" || step == L"type" ||
               step == L"tab" || step == L"selected" || step == L"name" || step == L"role") {
      std::wstring name = next();
      int id = _wtoi(next().c_str());
      HWND window = shown(name);
      HWND control = window ? Control(window, id) : nullptr;
      if (!control) return Fail("no control", name + L" " + std::to_wstring(id));
      if (step == L"where") PrintCentre(control);
      if (step == L"click") PostMessageW(control, BM_CLICK, 0, 0);
      if (step == L"type") SendMessageW(control, WM_SETTEXT, 0, LPARAM(next().c_str()));
      if (step == L"text") PrintText(control);
      if (step == L"name") std::printf("%s\n", AccessibleName(control).c_str());
      if (step == L"role") std::printf("%s\n", AccessibleRole(control).c_str());
      if (step == L"selected") std::printf("%d\n", int(SendMessageW(control, TCM_GETCURSEL, 0, 0)));
      if (step == L"tab") {
        SendMessageW(control, TCM_SETCURFOCUS, _wtoi(next().c_str()), 0);
        Sleep(100);  // the page shows and paints
      }
    } else if (step == L"display") {
      HWND main = shown(L"main");
      HWND group = main ? Control(main, kPanelDisplayGroup) : nullptr;
      if (!group) return Fail("no panel page");
      // The box inside the group box, its frame left out.
      RECT g;
      GetWindowRect(group, &g);
      auto s = [group](int v) { return MulDiv(v, int(GetDpiForWindow(group)), 96); };
      PrintGeometry(
          {g.left + s(150) + 2, g.top + s(20) + 2, g.right - s(10) - 2, g.top + s(90) - 2});
    } else if (step == L"page-children") {
      HWND main = shown(L"main");
      HWND group = main ? Control(main, kPanelDisplayGroup) : nullptr;
      if (!group) return Fail("no panel page");
      for (HWND child : ChildrenAsRead(GetParent(group))) {
        std::string name = AccessibleName(child);
        for (size_t at = 0; (at = name.find('\n', at)) != std::string::npos; at += 2)
          name.replace(at, 1, "\\n");
        std::printf("%s, %s: %s\n", AccessibleRole(child).c_str(), ClassOf(child).c_str(),
                    name.c_str());
      }
    } else if (step == L"display-name" || step == L"display-role" || step == L"display-rect" ||
               step == L"live-events") {
      HWND main = shown(L"main");
      HWND display = main ? DisplayAsRead(main) : nullptr;
      if (!display) return Fail("nothing read after the Status button");
      if (step == L"display-name") std::printf("%s\n", AccessibleName(display).c_str());
      if (step == L"display-role")
        std::printf("%s, %s\n", AccessibleRole(display).c_str(), ClassOf(display).c_str());
      if (step == L"display-rect") {
        RECT r;
        GetWindowRect(display, &r);
        PrintGeometry(r);
      }
      if (step == L"live-events") {
        const int seconds = _wtoi(next().c_str());
        DWORD process = 0;
        GetWindowThreadProcessId(display, &process);
        heardFrom = display;
        heard = 0;
        HWINEVENTHOOK hook =
            SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr,
                            HearLiveRegion, process, 0, WINEVENT_OUTOFCONTEXT);
        if (!hook) return Fail("no WinEvent hook");
        // Out of context, the events come as messages to this thread.
        for (DWORD start = GetTickCount();
             !heard && GetTickCount() - start < DWORD(seconds) * 1000;) {
          MSG message;
          while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
          MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        }
        UnhookWinEvent(hook);
        std::printf("%d\n", heard);
      }
    } else if (step == L"answer" || step == L"yes") {
      HWND box = shown(L"message");
      if (!box) return Fail("no message box");
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(step == L"yes" ? IDYES : IDOK, BN_CLICKED), 0);
      if (!WaitFor([box] { return IsWindow(box) ? nullptr : HWND(1); }, 5000))
        return Fail("the message box stays");
    } else if (step == L"save-as") {
      std::wstring path = next();
      HWND prompt = shown(L"save");
      if (!prompt) return Fail("no save prompt");
      SetWindowTextW(GetDlgItem(prompt, 0x47c), path.c_str());
      PostMessageW(prompt, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    } else if (step == L"menu-item") {
      int index = _wtoi(next().c_str());
      HWND menu = shown(L"menu");
      if (!menu) return Fail("no menu");
      // Two lines of one height between a frame of a few pixels.
      RECT r;
      GetWindowRect(menu, &r);
      std::printf("%ld %ld\n", r.left + 20, r.top + (r.bottom - r.top) * (2 * index + 1) / 4);
    } else if (step == L"shell-restart") {
      HWND main = Find(L"main", false);
      if (!main) return Fail("no main window");
      NOTIFYICONDATAW icon{};
      icon.cbSize = sizeof icon;
      icon.hWnd = main;
      icon.uID = 103;
      if (!Shell_NotifyIconW(NIM_DELETE, &icon)) return Fail("no notification icon to take away");
      // Explorer sends it to every top-level window once its task bar is back.
      PostMessageW(main, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
      Sleep(200);
    } else if (step == L"balloon") {
      // The notification area shows a balloon as a balloon-style tooltip.
      HWND balloon = WaitFor(
          [] {
            return FirstWindow(nullptr, [](HWND window) {
              return IsWindowVisible(window) && HasClass(window, TOOLTIPS_CLASSW) &&
                     (GetWindowLongW(window, GWL_STYLE) & TTS_BALLOON);
            });
          },
          8000);
      if (!balloon) return Fail("no balloon");
      PrintText(balloon);
    } else if (step == L"gone") {
      if (!WaitFor([] { return Find(L"main", false) ? nullptr : HWND(1); }, 5000))
        return Fail("the main window is still there");
    } else {
      return Fail("unknown step", step);
    }
    std::fflush(stdout);
  }
  return 0;
}
