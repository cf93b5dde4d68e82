#include "win32_front_end.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "script.h"
#include "shell/vantrel.h"
#include "ui/win32/win32_text.h"
#include "win32_scenario_platform.h"

namespace {

constexpr UINT_PTR kPumpTimer = 1;
constexpr UINT kPumpPeriodMs = 10;

// A crash of the program ends the run at once, with the transcript so far,
// instead of waiting in Wine's debugger.
LONG WINAPI Crashed(EXCEPTION_POINTERS* exception) {
  std::fflush(stdout);
  std::fprintf(stderr, "vantrel-scenario: the program crashed (exception 0x%08lx)\n",
               static_cast<unsigned long>(exception->ExceptionRecord->ExceptionCode));
  std::_Exit(3);
}

std::string NameOf(const Win32Window& window) { return WindowNameOf(window.TemplateId()); }

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  return name;
}

bool IsTopLevel(HWND hwnd) { return !(GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD); }

}  // namespace

// ------------------------------------------------------------- the pump

Win32FrontEnd::Win32FrontEnd(Transcript::Log log) : transcript_(std::move(log)) {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  SetUnhandledExceptionFilter(Crashed);
  INITCOMMONCONTROLSEX controls{sizeof controls,
                                ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  wchar_t folder[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, folder);
  workFolder_ = folder;
  WNDCLASSW pumpClass{};
  pumpClass.lpfnWndProc = PumpProcedure;
  pumpClass.hInstance = GetModuleHandleW(nullptr);
  pumpClass.lpszClassName = L"VantrelScenarioPump";
  RegisterClassW(&pumpClass);
  // A message-only window: its timer ticks in every loop of the thread.
  pump_ = CreateWindowW(L"VantrelScenarioPump", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                        GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(pump_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  Win32Window::Watch(this);
}

Win32FrontEnd::~Win32FrontEnd() {
  Win32Window::Watch(nullptr);
  if (pump_) DestroyWindow(pump_);
}

LRESULT CALLBACK Win32FrontEnd::PumpProcedure(HWND hwnd, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  auto* self = reinterpret_cast<Win32FrontEnd*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self && message == WM_TIMER && wParam == kPumpTimer) {
    if (self->runs_.Stalled()) GiveUpStalled(self->InnermostName());
    self->Turn();
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void Win32FrontEnd::Play(Script& script) {
  script_ = &script;
  // Outside the program's run there is no loop: the actions play at once.
  while (script.PlayNext(*this)) {}
}

int Win32FrontEnd::Run(bool, int watchSeconds, DeviceLink& windowLink) {
  // Another instance has its own platform; the lock is the system's, so a
  // second one finds the first's.
  ScenarioWin32Platform platform(transcript_);
  const int code = runs_.Run(platform, [&] {
    SetTimer(pump_, kPumpTimer, kPumpPeriodMs, nullptr);
    const int ended = RunVantrel(platform, windowLink, StartKind::ByUser, watchSeconds);
    // What the program left in the queue (its quit) is not the first's.
    MSG stale;
    while (PeekMessageW(&stale, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
    return ended;
  });
  if (!runs_.Running()) KillTimer(pump_, kPumpTimer);
  return code;
}

void Win32FrontEnd::Settle() {
  // What the last action changed is painted before the next one.
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND hwnd, LPARAM) -> BOOL {
        if (IsWindowVisible(hwnd))
          RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        return TRUE;
      },
      0);
}

void Win32FrontEnd::Turn() {
  FollowModals();
  if (runs_.ActionRunning(modals_.size())) return;
  if (!script_ || script_->Done()) return EndOfScript();
  Settle();
  runs_.PlayNext(*script_, *this, modals_.size());
  Settle();
}

void Win32FrontEnd::EndOfScript() {
  const Modal* top = TopModal();
  if (!top) {
    if (runs_.Running()) PostQuitMessage(-1);
    return;
  }
  // Closed as Escape would close it, so the program never waits for ever;
  // once only: the next ticks find it gone.
  HWND hwnd = top->hwnd;
  runs_.ActionTaken();
  switch (top->kind) {
    case ModalKind::MessageBox: {
      std::vector<int> answers = AnswersOf(hwnd);
      int answer = answers.size() == 1 ? answers.front() : answers.back();
      transcript_.ScriptEndedAnswer(answer);
      PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(hwnd, answer)));
      break;
    }
    case ModalKind::SavePrompt:
      transcript_.ScriptEndedSavePrompt();
      PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
      break;
    case ModalKind::Menu:
      transcript_.ScriptEndedMenu();
      PressKey(hwnd, VK_ESCAPE);
      break;
    case ModalKind::Dialog: {
      auto w = windows_.find(hwnd);
      transcript_.ScriptEndedClose(w != windows_.end() ? NameOf(*w->second) : "?");
      SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
      if (IsWindowVisible(hwnd)) ::EndDialog(hwnd, 0);
      break;
    }
  }
  modals_.pop_back();
}

// ------------------------------------------------------------ the modals

void Win32FrontEnd::FollowModals() {
  std::erase_if(modals_,
                [](const Modal& m) { return !IsWindow(m.hwnd) || !IsWindowVisible(m.hwnd); });
  // The thread's shown modal things not yet known, in the order found.
  struct Found {
    Win32FrontEnd* self;
    std::vector<HWND> fresh;
  } found{this, {}};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND hwnd, LPARAM param) -> BOOL {
        auto* f = reinterpret_cast<Found*>(param);
        if (!IsWindowVisible(hwnd)) return TRUE;
        for (const Modal& m : f->self->modals_)
          if (m.hwnd == hwnd) return TRUE;
        std::wstring name = ClassOf(hwnd);
        bool menu = name == L"#32768";
        bool dialog = name == L"#32770" && IsWindowEnabled(hwnd) &&
                      (!f->self->windows_.count(hwnd) || f->self->modalDialogs_.count(hwnd));
        if (menu || dialog) f->fresh.push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  for (HWND hwnd : found.fresh) {
    Modal modal{hwnd, ModalKind::MessageBox};
    if (ClassOf(hwnd) == L"#32768")
      modal.kind = ModalKind::Menu;
    else if (windows_.count(hwnd))
      modal.kind = ModalKind::Dialog;
    else if (openingSave_ && GetDlgItem(hwnd, 0x47c))
      modal.kind = ModalKind::SavePrompt;
    modals_.push_back(modal);
    RecordModal(modal);
  }
}

std::string Win32FrontEnd::InnermostName() const {
  const Modal* top = TopModal();
  if (!top) return "nothing modal open";
  auto nameOf = [this](HWND hwnd) {
    auto w = windows_.find(hwnd);
    return w != windows_.end() ? NameOf(*w->second) : std::string("?");
  };
  switch (top->kind) {
    case ModalKind::MessageBox:
      return "a message box: " + QuoteText(WindowTextOf(GetDlgItem(top->hwnd, 0xffff))) + " open";
    case ModalKind::SavePrompt:
      return "the save prompt of " + nameOf(GetWindow(top->hwnd, GW_OWNER)) + " open";
    case ModalKind::Menu: return "the icon's menu open";
    case ModalKind::Dialog: return "the window " + nameOf(top->hwnd) + " open";
  }
  return "nothing modal open";
}

std::vector<int> Win32FrontEnd::AnswersOf(HWND box) {
  std::vector<int> answers;
  for (int answer : {kIdOk, kIdRetry, kIdCancel, kIdYes, kIdNo}) {
    HWND button = GetDlgItem(box, answer);
    if (button && IsWindowVisible(button)) answers.push_back(answer);
  }
  return answers;
}

void Win32FrontEnd::RecordModal(const Modal& modal) {
  switch (modal.kind) {
    case ModalKind::Menu:           // its line comes with the items (the platform's)
    case ModalKind::Dialog: break;  // its line comes as it shows
    case ModalKind::SavePrompt:
      openingDialog_ = false;
      transcript_.SavePrompt(opener_, saveRequest_);
      openingSave_ = false;
      opener_.clear();
      break;
    case ModalKind::MessageBox: {
      openingDialog_ = false;
      std::string owner = opener_;
      HWND ownerWindow = GetWindow(modal.hwnd, GW_OWNER);
      const bool ofSavePrompt = ownerWindow && GetDlgItem(ownerWindow, 0x47c);
      const std::vector<int> answers = AnswersOf(modal.hwnd);
      if (owner.empty() || openingSave_) {
        if (ofSavePrompt && answers == std::vector<int>{kIdYes, kIdNo})
          return transcript_.ReplaceQuestion();
        owner = ofSavePrompt ? "save prompt" : "platform";
      } else {
        opener_.clear();
      }
      transcript_.MessageBox(owner, answers, WindowTextOf(GetDlgItem(modal.hwnd, 0xffff)));
      break;
    }
  }
}

// ------------------------------------------------------------ the windows

Win32Window* Win32FrontEnd::Find(const std::string& name) const {
  for (auto [hwnd, window] : windows_)
    if (window->Handle() == hwnd && NameOf(*window) == name) return window;
  return nullptr;
}

Win32Window* Win32FrontEnd::Usable(const std::string& name, int id) {
  Win32Window* w = Find(name);
  if (!w) {
    transcript_.NoWindow(name);
    return nullptr;
  }
  if (!IsWindowVisible(w->Handle())) {
    transcript_.NotShown(name);
    return nullptr;
  }
  const Modal* modal = TopModal();
  if (modal &&
      (modal->kind != ModalKind::Dialog || GetAncestor(w->Handle(), GA_ROOT) != modal->hwnd)) {
    transcript_.Disabled(name);
    return nullptr;
  }
  HWND control = id ? GetDlgItem(w->Handle(), id) : nullptr;
  if (id && (!control || !(GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE))) {
    transcript_.NoControl(name, id);
    return nullptr;
  }
  return w;
}

// ------------------------------------------------------------ watching

void Win32FrontEnd::TimerSet(Win32Window& window, int id, int milliseconds) {
  clock_.Set(&window, id, milliseconds);
}

void Win32FrontEnd::TimerKilled(Win32Window& window, int id) { clock_.Kill(&window, id); }

void Win32FrontEnd::Drawn(Win32Window& window, const DrawnTexts& texts, bool painting) {
  // A redraw is a drawing made at once, or the first repaint once shown;
  // the system repaints for other reasons (a window closed above it) where
  // nothing new is shown.
  if (painting && !uncovered_.erase(&window)) return;
  transcript_.Display(NameOf(window), texts);
}

void Win32FrontEnd::Message(Win32Window& window, UINT message, WPARAM, LPARAM lParam) {
  HWND hwnd = window.Handle();
  switch (message) {
    case WM_INITDIALOG:
      windows_[hwnd] = &window;
      if (openingDialog_ && IsTopLevel(hwnd)) {
        modalDialogs_.insert(hwnd);
        openingDialog_ = false;
        opener_.clear();
      }
      break;
    case WM_WINDOWPOSCHANGED: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (!(pos->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW))) break;
      bool shown = pos->flags & SWP_SHOWWINDOW;
      if (IsTopLevel(hwnd)) transcript_.Shown(NameOf(window), shown);
      if (!shown) break;
      // It and its shown pages are painted anew.
      uncovered_.insert(&window);
      EnumChildWindows(
          hwnd,
          [](HWND child, LPARAM param) -> BOOL {
            auto* self = reinterpret_cast<Win32FrontEnd*>(param);
            auto page = self->windows_.find(child);
            if (page != self->windows_.end() && IsWindowVisible(child))
              self->uncovered_.insert(page->second);
            return TRUE;
          },
          reinterpret_cast<LPARAM>(this));
      break;
    }
    case WM_DESTROY:
      if (hwnd == destroying_) {
        transcript_.Destroyed(NameOf(window));
        destroying_ = nullptr;
      }
      clock_.Forget(&window);
      uncovered_.erase(&window);
      windows_.erase(hwnd);
      modalDialogs_.erase(hwnd);
      break;
    default: break;
  }
}

void Win32FrontEnd::Destroying(Win32Window& window) {
  if (IsTopLevel(window.Handle())) destroying_ = window.Handle();
}

void Win32FrontEnd::Opening(Win32Window& owner, const SaveFileRequest* save) {
  opener_ = NameOf(owner);
  openingSave_ = save != nullptr;
  if (save) saveRequest_ = *save;
  // A modal dialog of the program's own is told by its first message.
  openingDialog_ = true;
}
