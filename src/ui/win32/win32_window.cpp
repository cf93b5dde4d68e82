#include "ui/win32/win32_window.h"

#include <commctrl.h>
#include <commdlg.h>

#include <functional>
#include <iterator>
#include <memory>
#include <optional>

#include "ui/accessible_name.h"
#include "ui/dialog_units.h"
#include "ui/modal_loops.h"
#include "ui/win32/win32_accessible_names.h"
#include "ui/win32/win32_dialog_template.h"
#include "ui/win32/win32_drawing_text.h"
#include "ui/win32/win32_text.h"

namespace {

// Drawing on a window's device context. Positions come in pixels at 96 dots
// per inch and are scaled to the window's own resolution, so the panel
// display keeps its place in the group box at 150 % and 200 %.
class GdiSurface final : public Surface {
 public:
  GdiSurface(HDC dc, int dpi) : dc_(dc), dpi_(dpi) {}
  ~GdiSurface() {
    if (oldFont_) SelectObject(dc_, oldFont_);
    if (font_) DeleteObject(font_);
  }

  void FramedWhiteRect(const Rect& r) override {
    HGDIOBJ pen = SelectObject(dc_, GetStockObject(BLACK_PEN));
    HGDIOBJ brush = SelectObject(dc_, GetStockObject(WHITE_BRUSH));
    // Rectangle leaves out the right and bottom edges, as the box wants.
    Rectangle(dc_, S(r.left), S(r.top), S(r.right), S(r.bottom));
    SelectObject(dc_, brush);
    SelectObject(dc_, pen);
  }

  void SelectFont(const char* face, int pixelHeight, int weight) override {
    // A positive height asks for the character cell's height.
    HFONT font = CreateFontW(S(pixelHeight), 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH, Wide(face).c_str());
    if (!font) return;
    HGDIOBJ old = SelectObject(dc_, font);
    if (!oldFont_) oldFont_ = old;
    if (font_) DeleteObject(font_);
    font_ = font;
  }

  void TextAt(int x, int y, const std::string& text) override {
    std::wstring wide = Wide(text);
    SetTextColor(dc_, RGB(0, 0, 0));
    SetBkColor(dc_, RGB(255, 255, 255));
    SetBkMode(dc_, OPAQUE);
    SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    TextOutW(dc_, S(x), S(y), wide.c_str(), int(wide.size()));
  }

 private:
  int S(int value) const { return ::MulDiv(value, dpi_, USER_DEFAULT_SCREEN_DPI); }

  HDC dc_;
  int dpi_;
  HFONT font_ = nullptr;
  HGDIOBJ oldFont_ = nullptr;
};

HINSTANCE ProgramInstance() { return GetModuleHandleW(nullptr); }

Win32WindowWatcher* watcher = nullptr;

// Passes the drawing on and keeps the last framed box and the texts left in it.
class WatchedSurface final : public Surface {
 public:
  explicit WatchedSurface(Surface& inner) : inner_(inner) {}
  const DrawnTexts& Texts() const { return texts_; }
  const std::optional<Rect>& Box() const { return box_; }

  void FramedWhiteRect(const Rect& r) override {
    texts_.clear();
    box_ = r;
    inner_.FramedWhiteRect(r);
  }
  void SelectFont(const char* face, int pixelHeight, int weight) override {
    inner_.SelectFont(face, pixelHeight, weight);
  }
  void TextAt(int x, int y, const std::string& text) override {
    texts_.push_back({y, x, text});
    inner_.TextAt(x, y, text);
  }

 private:
  Surface& inner_;
  DrawnTexts texts_;
  std::optional<Rect> box_;
};

// The common dialogs' DLL is loaded when the save prompt first opens, not
// at start (it pulls in the printing spooler's); from the system folder only.
bool ShowSaveDialog(OPENFILENAMEW& dialog) {
  using GetSaveFileNameFn = BOOL(WINAPI*)(OPENFILENAMEW*);
  static const HMODULE commonDialogs =
      LoadLibraryExW(L"comdlg32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  static const auto getSaveFileName =
      commonDialogs ? reinterpret_cast<GetSaveFileNameFn>(reinterpret_cast<void*>(
                          GetProcAddress(commonDialogs, "GetSaveFileNameW")))
                    : nullptr;
  return getSaveFileName && getSaveFileName(&dialog);
}

// Ends a modal dialog of the program's own as Cancel, past its procedure.
constexpr UINT kEndModalMessage = WM_APP + 0x101;

std::vector<HWND> ownModalDialogs;
std::vector<HWND> ownWindows;

bool IsOwnWindow(HWND hwnd) {
  for (HWND own : ownWindows)
    if (own == hwnd) return true;
  return false;
}

bool IsOwnModalDialog(HWND hwnd) {
  for (HWND own : ownModalDialogs)
    if (own == hwnd) return true;
  return false;
}

int OwnerDepth(HWND hwnd) {
  int depth = 0;
  for (HWND owner = GetWindow(hwnd, GW_OWNER); owner; owner = GetWindow(owner, GW_OWNER)) ++depth;
  return depth;
}

// The innermost modal thing: the thread's shown, enabled top-level dialog
// with the longest chain of owners.
HWND InnermostModalWindow() {
  struct Search {
    HWND found = nullptr;
    int depth = -1;
  } search;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND hwnd, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        wchar_t name[16] = {};
        GetClassNameW(hwnd, name, int(std::size(name)));
        if (!IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd) || lstrcmpW(name, L"#32770") != 0 ||
            (GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD))
          return TRUE;
        int depth = OwnerDepth(hwnd);
        if (depth > s->depth) *s = {hwnd, depth};
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.depth > 0 ? search.found : nullptr;
}

// Answers a system dialog as its Cancel (else No, else OK) button would.
void CancelSystemDialog(HWND hwnd) {
  for (int id : {IDCANCEL, IDNO, IDOK}) {
    HWND button = GetDlgItem(hwnd, id);
    if (button && IsWindowVisible(button)) {
      PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
      return;
    }
  }
  PostMessageW(hwnd, WM_CLOSE, 0, 0);
}

// Asks every modal loop to end, innermost first: the messages are posted in
// that order, so each loop takes its own and returns before the next one
// outside it takes the next. No system dialog sees its windows vanish.
void EndModalLoops() {
  HWND modal = InnermostModalWindow();
  for (int guard = 0; modal && guard < 16; ++guard) {
    if (IsOwnModalDialog(modal))
      PostMessageW(modal, kEndModalMessage, 0, 0);
    else
      CancelSystemDialog(modal);
    // Outward along the owners, up to the first window of the program's
    // that no modal loop runs.
    HWND owner = GetWindow(modal, GW_OWNER);
    modal = owner && (IsOwnModalDialog(owner) || !IsOwnWindow(owner)) ? owner : nullptr;
  }
}

ModalLoops& Loops() {
  static ModalLoops loops(EndModalLoops);
  return loops;
}

}  // namespace

bool Win32Window::ModalLoopsRunning() { return Loops().Running(); }

void Win32Window::AfterModalLoops(std::function<void()> action) {
  Loops().After(std::move(action));
}

void Win32Window::Watch(Win32WindowWatcher* w) { watcher = w; }

Win32Window::Win32Window(const DialogTemplate& dialog, DialogProc proc)
    : Win32Window(dialog, proc, FittingPointSizeDrop(dialog)) {}

Win32Window::Win32Window(const DialogTemplate& dialog, DialogProc proc, int pointSizeDrop)
    : TemplateWindow(dialog),
      pointSizeDrop_(pointSizeDrop),
      template_(BuildWin32DialogTemplate(dialog, pointSizeDrop)),
      proc_(proc) {}

Win32Window::~Win32Window() {
  pages_.clear();
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
    DestroyWindow(hwnd_);
  }
}

HWND Win32Window::DrawingText() const { return drawingText_ ? drawingText_->Handle() : nullptr; }

bool Win32Window::CreateModeless(HWND parent, void* param) {
  initParam_ = param;
  CreateDialogIndirectParamW(ProgramInstance(),
                             reinterpret_cast<const DLGTEMPLATE*>(template_.data()), parent,
                             Procedure, reinterpret_cast<LPARAM>(this));
  return hwnd_ != nullptr;
}

INT_PTR CALLBACK Win32Window::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* window = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (message == WM_INITDIALOG) {
    window = reinterpret_cast<Win32Window*>(lParam);
    SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    window->hwnd_ = hwnd;
    ownWindows.push_back(hwnd);
    if (window->modal_) ownModalDialogs.push_back(hwnd);
  }
  if (!window) return FALSE;
  if (message == kEndModalMessage) {
    ::EndDialog(hwnd, IDCANCEL);
    return TRUE;
  }
  if (message == kCallOnThreadMessage) {
    std::unique_ptr<std::function<void()>> call(reinterpret_cast<std::function<void()>*>(lParam));
    (*call)();
    return TRUE;
  }
  if (message == WM_NCDESTROY) {
    std::erase(ownModalDialogs, hwnd);
    std::erase(ownWindows, hwnd);
    SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    window->hwnd_ = nullptr;
    window->drawingText_.reset();  // its window went with this one
    return FALSE;
  }
  return window->Handle(message, wParam, lParam) ? TRUE : FALSE;
}

// Every message is left to the default dialog handling afterwards, as the
// dialog procedures expect; only the initial focus and the platform's own
// messages are answered here.
bool Win32Window::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (watcher) watcher->Message(*this, message, wParam, lParam);
  if (hook_ && hook_(message, wParam, lParam)) return true;
  switch (message) {
    case WM_INITDIALOG:
      NameControlsForScreenReaders();
      if (Template().style & kDrawsItself) ReadDrawingAmongControls();
      Send({DialogEvent::Init, 0, 0, initParam_});
      return true;  // the default focus
    case WM_COMMAND: Send({DialogEvent::Command, LOWORD(wParam), HIWORD(wParam)}); break;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->code == TCN_SELCHANGE) Send({DialogEvent::TabChanged, int(header->idFrom)});
      break;
    }
    case WM_TIMER: Send({DialogEvent::Timer, int(wParam)}); break;
    case WM_HSCROLL:
      if (lParam)
        Send({DialogEvent::HScroll, GetDlgCtrlID(reinterpret_cast<HWND>(lParam)), LOWORD(wParam)});
      break;
    case WM_PAINT:
      if (proc_) Paint();
      break;
    case WM_CLOSE:
      // The default handling then turns the close into the Cancel command.
      Send({DialogEvent::Close});
      break;
    case kTrayCallbackMessage:
      Send({DialogEvent::TrayIcon, int(wParam), int(LOWORD(lParam))});
      break;
    default: break;
  }
  return false;
}

// A control whose own text says too little (a radio button "On") is named
// for a screen reader with the texts of the controls that say what it sets,
// as the window shows them when it is asked. Every radio button and slider
// answers, so that each says what it is where the system cannot (Wine).
void Win32Window::NameControlsForScreenReaders() {
  for (const ControlTemplate& c : Template().controls) {
    if (NamingControls(Template(), c.id).empty() && c.kind != ControlKind::RadioButton &&
        c.kind != ControlKind::Trackbar)
      continue;
    HWND control = GetDlgItem(hwnd_, c.id);
    if (!control) continue;
    NameForScreenReaders(control, [dialog = &Template(), window = hwnd_, id = c.id] {
      return Wide(AccessibleName(
          *dialog, id, [window](int other) { return WindowTextOf(GetDlgItem(window, other)); }));
    });
  }
}

// A screen reader reads the children in their stacking order, which is the
// template's: the drawing's text goes right after the control it follows.
void Win32Window::ReadDrawingAmongControls() {
  HWND after = nullptr;
  HWND child = GetWindow(hwnd_, GW_CHILD);
  for (const ControlTemplate& c : Template().controls) {
    if (!child) break;
    if (c.style & kDrawingReadAfter) after = child;
    child = GetWindow(child, GW_HWNDNEXT);
  }
  drawingText_ = std::make_unique<Win32DrawingText>(hwnd_, after);
}

void Win32Window::Send(const DialogMessage& message) {
  if (proc_ && hwnd_) proc_(*this, message);
}

void Win32Window::Paint() {
  PAINTSTRUCT paint;
  paintDc_ = BeginPaint(hwnd_, &paint);
  Send({DialogEvent::Paint});
  EndPaint(hwnd_, &paint);
  paintDc_ = nullptr;
}

LRESULT Win32Window::SendItem(int id, UINT message, WPARAM wParam, LPARAM lParam) const {
  HWND item = Item(id);
  return item ? SendMessageW(item, message, wParam, lParam) : 0;
}

int Win32Window::Dpi() const {
  // GetDpiForWindow exists from Windows 10 on; before, one resolution for all.
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpi = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpi && hwnd_) {
    if (UINT dpi = getDpi(hwnd_)) return int(dpi);
  }
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

int Win32Window::DrawingDpi() const {
  const int size = Template().pointSize;
  return pointSizeDrop_ > 0 && size > pointSizeDrop_ ? ::MulDiv(Dpi(), size - pointSizeDrop_, size)
                                                     : Dpi();
}

void Win32Window::SetTitle(const std::string& text) {
  if (hwnd_) SetWindowTextW(hwnd_, Wide(text).c_str());
}

void Win32Window::SetItemText(int id, const std::string& text) {
  if (HWND item = Item(id)) SetWindowTextW(item, Wide(text).c_str());
}

std::string Win32Window::ItemText(int id) const { return WindowTextOf(Item(id)); }

void Win32Window::LimitText(int id, int characters) { SendItem(id, EM_SETLIMITTEXT, characters); }

void Win32Window::CheckButton(int id, bool checked) {
  SendItem(id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool Win32Window::IsButtonChecked(int id) const { return SendItem(id, BM_GETCHECK) == BST_CHECKED; }

int Win32Window::ListAdd(int id, const std::string& text, std::int32_t data) {
  std::wstring wide = Wide(text);
  auto index = SendItem(id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  if (index >= 0) SendItem(id, CB_SETITEMDATA, index, data);
  return int(index);
}

void Win32Window::ListSelect(int id, int index) { SendItem(id, CB_SETCURSEL, index); }

int Win32Window::ListSelection(int id) const {
  return Item(id) ? int(SendItem(id, CB_GETCURSEL)) : -1;
}

std::int32_t Win32Window::ListItemData(int id, int index) const {
  return Item(id) ? std::int32_t(SendItem(id, CB_GETITEMDATA, index)) : -1;
}

int Win32Window::ListCount(int id) const { return int(SendItem(id, CB_GETCOUNT)); }

void Win32Window::TrackbarSetRange(int id, int minimum, int maximum) {
  // Both ends at once, redrawn: set one after the other, the thumb stays
  // drawn where the first end left it.
  SendItem(id, TBM_SETRANGE, TRUE,
           MAKELPARAM(static_cast<WORD>(minimum), static_cast<WORD>(maximum)));
}

void Win32Window::TrackbarSetPos(int id, int position) { SendItem(id, TBM_SETPOS, TRUE, position); }

int Win32Window::TrackbarPos(int id) const { return int(SendItem(id, TBM_GETPOS)); }

void Win32Window::ShowItem(int id, bool shown) {
  if (HWND item = Item(id)) ShowWindow(item, shown ? SW_SHOW : SW_HIDE);
}

bool Win32Window::IsItemShown(int id) const {
  HWND item = Item(id);
  return item && (GetWindowLongW(item, GWL_STYLE) & WS_VISIBLE);
}

void Win32Window::Show(bool shown) {
  if (!hwnd_) return;
  const bool child = GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD;
  if (!shown && child) {
    // The keyboard focus must not stay on a hidden page: the dialog
    // keyboard handling would look for it there for ever.
    HWND focus = GetFocus();
    if (focus && (focus == hwnd_ || IsChild(hwnd_, focus))) SetFocus(GetParent(hwnd_));
  }
  ShowWindow(hwnd_, shown ? SW_SHOW : SW_HIDE);
  if (shown && !child) SetForegroundWindow(hwnd_);
}

bool Win32Window::IsShown() const {
  return hwnd_ && (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE);
}

void Win32Window::FocusItem(int id) {
  if (HWND item = Item(id)) SetFocus(item);
}

void Win32Window::TabInsert(int id, int index, const std::string& text) {
  std::wstring wide = Wide(text);
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = wide.data();
  SendItem(id, TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item));
}

void Win32Window::TabSelect(int id, int index) { SendItem(id, TCM_SETCURSEL, index); }

int Win32Window::TabSelection(int id) const {
  return Item(id) ? int(SendItem(id, TCM_GETCURSEL)) : -1;
}

Window* Win32Window::CreateTabPage(int tabId, int templateId, DialogProc proc, void* param) {
  HWND tab = Item(tabId);
  const DialogTemplate* dialog = FindDialogTemplate(templateId);
  if (!tab || !dialog) return nullptr;
  auto page = std::make_unique<Win32Window>(*dialog, proc, pointSizeDrop_);
  if (!page->CreateModeless(tab, proc ? param : nullptr)) return nullptr;
  RECT client, item{};
  GetClientRect(tab, &client);
  SendMessageW(tab, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
  Rect area =
      TabPageArea({int(client.left), int(client.top), int(client.right), int(client.bottom)},
                  int(item.bottom - item.top));
  MoveWindow(page->hwnd_, area.left, area.top, area.Width(), area.Height(), TRUE);
  const DialogBaseUnits own = page->BaseUnits();
  const DialogBaseUnits units = TabPageUnits(*dialog, own, BaseUnits(), area);
  if (!units.SameScale(own)) page->LayOut(units);
  ShowWindow(page->hwnd_, SW_HIDE);
  pages_.push_back(std::move(page));
  return pages_.back().get();
}

DialogBaseUnits Win32Window::BaseUnits() const {
  RECT r{0, 0, 4, 8};
  if (hwnd_) MapDialogRect(hwnd_, &r);
  return {int(r.right), int(r.bottom)};
}

// The dialog manager has created the controls in template order, each below
// the ones before it (the drawing's text aside). Edges are rounded, not
// sizes: controls the template puts side by side stay side by side.
void Win32Window::LayOut(const DialogBaseUnits& units) {
  auto next = [this](HWND after) {
    HWND child = after ? GetWindow(after, GW_HWNDNEXT) : GetWindow(hwnd_, GW_CHILD);
    return child && child == DrawingText() ? GetWindow(child, GW_HWNDNEXT) : child;
  };
  HWND child = next(nullptr);
  for (const ControlTemplate& c : Template().controls) {
    if (!child) break;
    const int left = units.X(c.x), top = units.Y(c.y);
    MoveWindow(child, left, top, units.X(c.x + c.cx) - left, units.Y(c.y + c.cy) - top, FALSE);
    child = next(child);
  }
  InvalidateRect(hwnd_, nullptr, TRUE);
}

Rect Win32Window::ItemRect(int id) const {
  HWND item = Item(id);
  RECT r{};
  if (item) {
    GetWindowRect(item, &r);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
  }
  // In pixels at 96 dots per inch, as the drawing surface takes them.
  const int dpi = DrawingDpi();
  auto unscale = [dpi](LONG v) { return ::MulDiv(int(v), USER_DEFAULT_SCREEN_DPI, dpi); };
  return {unscale(r.left), unscale(r.top), unscale(r.right), unscale(r.bottom)};
}

Rect Win32Window::WindowRect() const {
  RECT r{};
  if (hwnd_) GetWindowRect(hwnd_, &r);
  return {int(r.left), int(r.top), int(r.right), int(r.bottom)};
}

void Win32Window::MoveTo(int x, int y) {
  if (hwnd_) SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::Draw(const std::function<void(Surface&)>& drawing) {
  if (!hwnd_) return;
  const bool painting = paintDc_ != nullptr;
  HDC dc = painting ? paintDc_ : GetDC(hwnd_);
  {
    GdiSurface surface(dc, DrawingDpi());
    WatchedSurface watched(surface);
    drawing(watched);
    if (watcher) watcher->Drawn(*this, watched.Texts(), painting);
    if (drawingText_)
      SayDrawing(watched.Box() ? &*watched.Box() : nullptr, watched.Texts(), painting);
  }
  if (!painting) ReleaseDC(hwnd_, dc);
}

// A drawing is pixels to a screen reader: the static text over its box says
// its lines. A repaint shows again what was drawn: nothing new to tell.
void Win32Window::SayDrawing(const Rect* box, const DrawnTexts& texts, bool painting) {
  if (box) {
    const int dpi = DrawingDpi();
    auto scale = [dpi](int v) { return LONG(::MulDiv(v, dpi, USER_DEFAULT_SCREEN_DPI)); };
    drawingText_->Place({scale(box->left), scale(box->top), scale(box->right), scale(box->bottom)});
  }
  if (painting) return;
  std::wstring lines;
  for (const auto& [y, x, text] : texts) lines += (lines.empty() ? L"" : L"\n") + Wide(text);
  drawingText_->Say(lines);
}

void Win32Window::SetTimer(int id, int milliseconds) {
  if (watcher) return watcher->TimerSet(*this, id, milliseconds);
  if (hwnd_) ::SetTimer(hwnd_, UINT_PTR(id), UINT(milliseconds), nullptr);
}

void Win32Window::KillTimer(int id) {
  if (watcher) return watcher->TimerKilled(*this, id);
  if (hwnd_) ::KillTimer(hwnd_, UINT_PTR(id));
}

int Win32Window::ShowMessageBox(const std::string& text, MessageButtons buttons) {
  const UINT type = buttons == MessageButtons::Ok ? MB_OK : MB_RETRYCANCEL;
  // While the program closes, nothing new is asked: the answer is Cancel.
  if (Loops().Closing()) return buttons == MessageButtons::Ok ? IDOK : IDCANCEL;
  if (watcher) watcher->Opening(*this, nullptr);
  ModalLoops::Loop loop(Loops());
  return MessageBoxW(hwnd_, Wide(text).c_str(), L"", type);
}

std::string Win32Window::PromptSaveFile(const SaveFileRequest& request) {
  // The filter: pairs of a text and a pattern, the list ending in an empty pair.
  std::wstring filter = Wide(request.filterText);
  filter.push_back(L'\0');
  filter += Wide(request.filterPattern);
  filter.push_back(L'\0');
  filter.push_back(L'\0');
  const std::wstring extension = Wide(request.defaultExtension);
  std::wstring file = Wide(request.proposedName);
  file.resize(32768, L'\0');

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = hwnd_ ? GetAncestor(hwnd_, GA_ROOT) : nullptr;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = DWORD(file.size());
  dialog.lpstrDefExt = extension.c_str();
  // Any name may be given; an existing file is replaced only when the user
  // says so.
  dialog.Flags =
      OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (Loops().Closing()) return std::string();
  if (watcher) watcher->Opening(*this, &request);
  {
    ModalLoops::Loop loop(Loops());
    if (!ShowSaveDialog(dialog)) return std::string();
  }
  file.resize(wcslen(file.c_str()));
  return Utf8(file);
}

int Win32Window::RunModal(int templateId, DialogProc proc, void* param) {
  const DialogTemplate* dialog = FindDialogTemplate(templateId);
  if (!dialog) return -1;
  if (Loops().Closing()) return IDCANCEL;
  Win32Window modal(*dialog, proc);
  modal.initParam_ = param;
  HWND owner = hwnd_ ? GetAncestor(hwnd_, GA_ROOT) : nullptr;
  if (watcher) watcher->Opening(*this, nullptr);
  ModalLoops::Loop loop(Loops());
  modal.modal_ = true;
  return int(DialogBoxIndirectParamW(ProgramInstance(),
                                     reinterpret_cast<const DLGTEMPLATE*>(modal.template_.data()),
                                     owner, Procedure, reinterpret_cast<LPARAM>(&modal)));
}

void Win32Window::EndDialog(int result) {
  if (hwnd_) ::EndDialog(hwnd_, result);
}

void Win32Window::Destroy() {
  // Destroyed under running modal loops, their windows (owned by this one)
  // would vanish beneath them: the loops end first.
  if (ModalLoopsRunning()) return AfterModalLoops([this] { Destroy(); });
  if (hwnd_ && watcher) watcher->Destroying(*this);
  if (hwnd_) DestroyWindow(hwnd_);
}
