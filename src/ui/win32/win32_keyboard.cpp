#include "ui/win32/win32_keyboard.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>
#include <vector>

namespace {

bool HasClass(HWND window, const wchar_t* name) {
  wchar_t cls[32] = {};
  GetClassNameW(window, cls, 32);
  return std::wcscmp(cls, name) == 0;
}

bool Usable(HWND window) { return IsWindowVisible(window) && IsWindowEnabled(window); }

HWND TabControlOf(HWND dialog) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (HasClass(child, WC_TABCONTROLW)) return child;
  return nullptr;
}

// The tab stops in the order Tab visits them: the dialog's controls in
// template order, the tab control among them followed by its shown page's.
void CollectStops(HWND parent, std::vector<HWND>& stops) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!Usable(child)) continue;
    if (HasClass(child, L"#32770")) {
      CollectStops(child, stops);
    } else if (HasClass(child, WC_TABCONTROLW)) {
      stops.push_back(child);
      CollectStops(child, stops);
    } else if (GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP) {
      stops.push_back(child);
    }
  }
}

// The stop the focus belongs to: itself, the control it lies in (a list's
// field), or the stop that starts its radio group.
int StopOfFocus(const std::vector<HWND>& stops, HWND focus) {
  for (HWND at = focus; at; at = GetWindow(at, GW_HWNDPREV)) {
    for (size_t i = 0; i < stops.size(); ++i)
      if (stops[i] == at || (IsChild(stops[i], at) && !HasClass(stops[i], WC_TABCONTROLW)))
        return int(i);
    if (at != focus && (GetWindowLongW(at, GWL_STYLE) & WS_GROUP)) break;
  }
  return -1;
}

bool IsAutoRadio(HWND control) {
  return HasClass(control, WC_BUTTONW) &&
         (GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
}

// Tab into a radio group lands on its checked button, as the dialog
// manager does it.
HWND CheckedInGroup(HWND first) {
  if (!IsAutoRadio(first)) return first;
  for (HWND at = first; at; at = GetWindow(at, GW_HWNDNEXT)) {
    if (at != first && (GetWindowLongW(at, GWL_STYLE) & WS_GROUP)) break;
    if (IsAutoRadio(at) && SendMessageW(at, BM_GETCHECK, 0, 0) == BST_CHECKED) return at;
  }
  return first;
}

void MoveFocus(HWND dialog, bool backwards) {
  std::vector<HWND> stops;
  CollectStops(dialog, stops);
  if (stops.empty()) return;
  const int n = int(stops.size());
  const int at = StopOfFocus(stops, GetFocus());
  const int next = at < 0 ? (backwards ? n - 1 : 0) : (at + (backwards ? n - 1 : 1)) % n;
  SendMessageW(dialog, WM_NEXTDLGCTL, WPARAM(CheckedInGroup(stops[size_t(next)])), TRUE);
}

void SwitchTab(HWND tab, bool backwards) {
  const int count = int(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
  if (count < 2) return;
  const int current = int(SendMessageW(tab, TCM_GETCURSEL, 0, 0));
  const int next = (current + (backwards ? count - 1 : 1)) % count;
  // As a click on the tab: the owner hears of the change and shows its page.
  SendMessageW(tab, TCM_SETCURFOCUS, next, 0);
}

bool IsPushButton(HWND control) {
  if (!HasClass(control, WC_BUTTONW)) return false;
  const LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

bool Down(int key) { return GetKeyState(key) < 0; }

HHOOK modalHook = nullptr;

LRESULT CALLBACK ModalLoopFilter(int code, WPARAM wParam, LPARAM lParam) {
  if (code == MSGF_DIALOGBOX && HandleDialogKey(*reinterpret_cast<const MSG*>(lParam))) return 1;
  return CallNextHookEx(modalHook, code, wParam, lParam);
}

}  // namespace

bool HandleDialogKey(const MSG& message) {
  if (message.message != WM_KEYDOWN || !message.hwnd) return false;
  HWND dialog = GetAncestor(message.hwnd, GA_ROOT);
  if (!dialog || !HasClass(dialog, L"#32770") || Down(VK_MENU)) return false;
  const bool control = Down(VK_CONTROL), shift = Down(VK_SHIFT);
  HWND tab = TabControlOf(dialog);
  switch (message.wParam) {
    case VK_TAB:
      if (!tab) return false;
      if (control)
        SwitchTab(tab, shift);
      else
        MoveFocus(dialog, shift);
      return true;
    case VK_NEXT:
    case VK_PRIOR:
      if (!tab || !control) return false;
      SwitchTab(tab, message.wParam == VK_PRIOR);
      return true;
    case VK_RETURN: {
      HWND focus = GetFocus();
      if (control || shift || !focus || !IsPushButton(focus) || !Usable(focus)) return false;
      SendMessageW(GetParent(focus), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED),
                   LPARAM(focus));
      return true;
    }
    default: return false;
  }
}

DialogKeysInModalLoops::DialogKeysInModalLoops()
    : hook_(SetWindowsHookExW(WH_MSGFILTER, ModalLoopFilter, nullptr, GetCurrentThreadId())) {
  modalHook = hook_;
}

DialogKeysInModalLoops::~DialogKeysInModalLoops() {
  if (hook_) UnhookWindowsHookEx(hook_);
  modalHook = nullptr;
}
