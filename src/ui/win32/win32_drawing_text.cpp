#include "ui/win32/win32_drawing_text.h"

#include <commctrl.h>

#include "ui/win32/win32_accessible_names.h"
#include "ui/win32/win32_text.h"

namespace {

constexpr UINT_PTR kDrawingTextSubclass = 1;

// The static control's own procedure is left out: it paints its text on its
// background, and some systems (Wine) paint at once on a new text, over the
// drawing. The window keeps the class by which screen readers know static
// text, and the default procedure keeps its text.
LRESULT CALLBACK DrawingTextProcedure(HWND text, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR subclass, DWORD_PTR) {
  switch (message) {
    case WM_PAINT: ValidateRect(text, nullptr); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PRINTCLIENT: return 0;
    case WM_NCHITTEST: return HTTRANSPARENT;  // a click goes to what is under it
    case WM_GETDLGCODE: return DLGC_STATIC;   // which Windows' arrow keys pass by
    case WM_SETFOCUS: {
      // Wine's arrow keys stop at a static: the focus goes on the same way.
      HWND parent = GetParent(text);
      HWND from = reinterpret_cast<HWND>(wParam);
      const bool backwards = from && from == GetNextDlgGroupItem(parent, text, FALSE);
      HWND to = GetNextDlgGroupItem(parent, text, backwards);
      if (to && to != text)
        SendMessageW(GetAncestor(text, GA_ROOT), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(to), TRUE);
      return 0;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(text, DrawingTextProcedure, subclass);
      return DefSubclassProc(text, message, wParam, lParam);
    default: return DefWindowProcW(text, message, wParam, lParam);
  }
}

}  // namespace

// A plain static text, which the system's accessible objects read as static
// text named with its text; not a tab stop. It paints nothing, takes no
// click and keeps no focus: the drawing beneath shows and works as before.
Win32DrawingText::Win32DrawingText(HWND parent, HWND after)
    : hwnd_(CreateWindowExW(WS_EX_NOPARENTNOTIFY, L"Static", L"",
                            WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0, parent,
                            nullptr, GetModuleHandleW(nullptr), nullptr)) {
  if (!hwnd_) return;
  SetWindowSubclass(hwnd_, DrawingTextProcedure, kDrawingTextSubclass, 0);
  // Its own name, and static text also where the system's object says only
  // "client" (Wine).
  NameForScreenReaders(hwnd_, [] { return std::wstring(); });
  SetWindowPos(hwnd_, after ? after : HWND_BOTTOM, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
}

void Win32DrawingText::Place(const RECT& box) {
  if (!hwnd_) return;
  RECT now{};
  GetWindowRect(hwnd_, &now);
  MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&now), 2);
  if (EqualRect(&now, &box)) return;
  SetWindowPos(hwnd_, nullptr, box.left, box.top, box.right - box.left, box.bottom - box.top,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

void Win32DrawingText::Say(const std::wstring& lines) {
  if (!hwnd_ || lines == Wide(WindowTextOf(hwnd_))) return;
  // Marked once, before the first change is told of.
  if (!live_) MarkPoliteLiveRegion(hwnd_);
  live_ = true;
  SetWindowTextW(hwnd_, lines.c_str());
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, hwnd_, OBJID_CLIENT, CHILDID_SELF);
  NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, hwnd_, OBJID_CLIENT, CHILDID_SELF);
}
