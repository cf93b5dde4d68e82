// The user's actions on the Win32 front end, as the real controls report
// them: a button's click, a list's choice with the notification a user's
// choice sends, a slider's move with its scroll message, typed characters
// and keys through the dialog's message loop.
#include <windows.h>
#include <commctrl.h>
#include <shlwapi.h>

#include <algorithm>

#include "layouts/dialog_template.h"
#include "ui/win32/win32_text.h"
#include "win32_front_end.h"
#include "win32_scenario_platform.h"

void Win32FrontEnd::PressKey(HWND target, UINT key) {
  PostMessageW(target, WM_KEYDOWN, key, 1);
  PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

void Win32FrontEnd::Click(const std::string& window, int id) {
  Win32Window* w = Usable(window, id);
  if (!w) return;
  HWND control = GetDlgItem(w->Handle(), id);
  switch (ControlKindIn(w->TemplateId(), id)) {
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
      if (IsWindowEnabled(control)) SendMessageW(control, BM_CLICK, 0, 0);
      break;
    case ControlKind::Edit: Focus(window, id); break;
    default: break;  // static texts, group boxes and lists do nothing with a click
  }
}

void Win32FrontEnd::Pick(const std::string& window, int id, const std::string& entry) {
  Win32Window* w = Usable(window, id);
  if (!w) return;
  std::vector<std::string> entries;
  bool list = ControlKindIn(w->TemplateId(), id) == ControlKind::DropDownList;
  HWND control = GetDlgItem(w->Handle(), id);
  for (int i = 0; list && i < w->ListCount(id); ++i) {
    int length = int(SendMessageW(control, CB_GETLBTEXTLEN, i, 0));
    std::wstring text(std::max(length, 0) + 1, L'\0');
    SendMessageW(control, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcslen(text.c_str()));
    entries.push_back(Utf8(text));
  }
  int index = EntryIndex(entries, entry);
  if (!list || index < 0 || index >= int(entries.size())) {
    transcript_.NoEntry(window, id, index);
    return;
  }
  // The list takes the entry and tells its owner, as a user's choice does.
  SendMessageW(control, CB_SETCURSEL, index, 0);
  SendMessageW(w->Handle(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(control));
}

void Win32FrontEnd::Slide(const std::string& window, int id, int code, int position) {
  Win32Window* w = Usable(window, id);
  if (!w || ControlKindIn(w->TemplateId(), id) != ControlKind::Trackbar) return;
  HWND control = GetDlgItem(w->Handle(), id);
  // Where the trackbar's key or mouse handling puts the thumb before it
  // notifies its owner.
  int lo = int(SendMessageW(control, TBM_GETRANGEMIN, 0, 0));
  int hi = int(SendMessageW(control, TBM_GETRANGEMAX, 0, 0));
  int page = int(SendMessageW(control, TBM_GETPAGESIZE, 0, 0));
  int pos = TrackbarMove(code, w->TrackbarPos(id), position, lo, hi, page);
  SendMessageW(control, TBM_SETPOS, TRUE, pos);
  auto scroll = [&](int how) {
    SendMessageW(w->Handle(), WM_HSCROLL,
                 MAKEWPARAM(how, how == kScrollThumbPosition || how == kScrollThumbTrack ? pos : 0),
                 reinterpret_cast<LPARAM>(control));
  };
  scroll(code);
  if (code != kScrollEnd && code != kScrollThumbTrack) scroll(kScrollEnd);
}

void Win32FrontEnd::Type(const std::string& window, int id, const std::string& text) {
  Win32Window* w = Usable(window, id);
  if (!w || ControlKindIn(w->TemplateId(), id) != ControlKind::Edit) return;
  HWND edit = GetDlgItem(w->Handle(), id);
  SetFocus(edit);
  // Each character as the keyboard gives it; the edit keeps its limit.
  for (wchar_t c : Wide(text)) SendMessageW(edit, WM_CHAR, c, 1);
}

void Win32FrontEnd::Paste(const std::string& window, int id, const std::string& text) {
  Win32Window* w = Usable(window, id);
  if (!w || ControlKindIn(w->TemplateId(), id) != ControlKind::Edit) return;
  HWND edit = GetDlgItem(w->Handle(), id);
  // All of it replaced by the clipboard's text.
  std::wstring wide = Wide(text);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
}

void Win32FrontEnd::Focus(const std::string& window, int id) {
  Win32Window* w = Usable(window, id);
  if (!w) return;
  // As clicking into it from elsewhere: the field hears the focus arrive.
  HWND control = GetDlgItem(w->Handle(), id);
  if (GetFocus() == control) SetFocus(GetAncestor(control, GA_ROOT));
  SetFocus(control);
}

void Win32FrontEnd::Tab(const std::string& window, int id, int index) {
  Win32Window* w = Usable(window, id);
  if (!w || ControlKindIn(w->TemplateId(), id) != ControlKind::TabControl) return;
  HWND tabs = GetDlgItem(w->Handle(), id);
  if (index < 0 || index >= int(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0))) {
    transcript_.NoTab(window, index);
    return;
  }
  // The tab control moves there and tells its owner, as a click does.
  SendMessageW(tabs, TCM_SETCURFOCUS, index, 0);
}

void Win32FrontEnd::Close(const std::string& window) {
  Win32Window* w = Usable(window, 0);
  // What the title bar's close button does.
  if (w) SendMessageW(GetAncestor(w->Handle(), GA_ROOT), WM_SYSCOMMAND, SC_CLOSE, 0);
}

void Win32FrontEnd::Escape(const std::string& window) {
  Win32Window* w = Usable(window, 0);
  if (!w) return;
  // The key goes where the focus is in that window.
  HWND root = GetAncestor(w->Handle(), GA_ROOT);
  HWND focus = GetFocus();
  PressKey(focus && (focus == root || IsChild(root, focus)) ? focus : root, VK_ESCAPE);
}

void Win32FrontEnd::Wait(int milliseconds) {
  clock_.Advance(milliseconds, [this](Win32Window* window, int id) {
    SendMessageW(window->Handle(), WM_TIMER, id, 0);
    Settle();
  });
}

void Win32FrontEnd::Answer(int result) {
  const Modal* box = TopModal();
  if (!box || box->kind != ModalKind::MessageBox) {
    transcript_.NoMessageBox();
    return;
  }
  std::vector<int> answers = AnswersOf(box->hwnd);
  if (std::find(answers.begin(), answers.end(), result) == answers.end()) {
    transcript_.NoButton(result);
    return;
  }
  transcript_.Answered(result);
  PostMessageW(box->hwnd, WM_COMMAND, MAKEWPARAM(result, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box->hwnd, result)));
}

void Win32FrontEnd::Save(const std::string& path) {
  const Modal* prompt = TopModal();
  if (!prompt || prompt->kind != ModalKind::SavePrompt) {
    transcript_.NoSavePrompt();
    return;
  }
  transcript_.SaveAnswered(path);
  if (path.empty()) {
    PostMessageW(prompt->hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return;
  }
  // The name written over the proposed one, then OK. The prompt opens in
  // the folder it remembers and works in the one it shows; a name without
  // a folder is meant in the one the runner was started in, as on every
  // front end.
  std::wstring name = Wide(path);
  if (PathIsRelativeW(name.c_str())) name = workFolder_ + L"\\" + name;
  SetWindowTextW(GetDlgItem(prompt->hwnd, 0x47c), name.c_str());
  PostMessageW(prompt->hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

void Win32FrontEnd::IconMouse(int mouseMessage) {
  const ScenarioWin32Platform* platform = runs_.Running();
  Window* owner = platform ? platform->IconOwner() : nullptr;
  if (!owner) {
    transcript_.NoIcon();
    return;
  }
  // What the notification area reports of the click.
  SendMessageW(static_cast<Win32Window*>(owner)->Handle(), kTrayCallbackMessage,
               WPARAM(platform->IconId()), mouseMessage);
}

void Win32FrontEnd::ChooseMenuItem(int command) {
  const Modal* menu = TopModal();
  if (!menu || menu->kind != ModalKind::Menu || !runs_.Running()) {
    transcript_.NoMenu();
    return;
  }
  if (command == 0) return PressKey(menu->hwnd, VK_ESCAPE);
  // Down to the item, then Enter.
  const std::vector<MenuItem>& items = runs_.Running()->MenuItems();
  auto item = std::find_if(items.begin(), items.end(),
                           [&](const MenuItem& i) { return i.command == command; });
  if (item == items.end()) return;
  for (auto i = items.begin(); i <= item; ++i) PressKey(menu->hwnd, VK_DOWN);
  PressKey(menu->hwnd, VK_RETURN);
}

void Win32FrontEnd::Show(const std::string& window, int id) {
  Win32Window* w = Find(window);
  HWND control = w ? GetDlgItem(w->Handle(), id) : nullptr;
  if (!control) {
    transcript_.NoSuchControl(window, id);
    return;
  }
  auto listEntry = [&](int index) {
    const int length = int(SendMessageW(control, CB_GETLBTEXTLEN, index, 0));
    std::wstring wide(std::max(length, 0) + 1, L'\0');
    SendMessageW(control, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(wide.data()));
    wide.resize(wcslen(wide.c_str()));
    return Utf8(wide);
  };
  auto tabs = [&] {
    std::vector<std::string> texts;
    const int count = int(SendMessageW(control, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      wchar_t text[256] = {};
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = text;
      item.cchTextMax = 256;
      SendMessageW(control, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
      texts.push_back(Utf8(text));
    }
    return texts;
  };
  transcript_.ControlShows(window, *w, id, !w->IsItemShown(id), {listEntry, tabs});
}
