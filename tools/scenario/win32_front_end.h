// The Win32 front end: the program runs on the real dialogs of src/ui/win32
// (under Wine on the test machines) and the user's actions reach the real
// controls as the controls themselves would report them: a button's click,
// a list's choice with its notification, a slider's move with its scroll
// message, keys through the dialog's message loop, the title bar's close as
// the system command. The next action is taken from a timer once the last
// one has settled, in whichever loop runs: the message boxes', menus', save
// prompt's and modal dialogs' own loops too. The program's timers run on
// the runner's clock, so `wait` is exact and quick.
#pragma once

// Before windows.h: its MessageBox macro must not rename the transcript's.
#include "ui/headless/timer_clock.h"
#include "ui/headless/transcript.h"

#include <windows.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "front_end.h"
#include "program_runs.h"
#include "ui/win32/win32_window.h"

#undef MessageBox

class ScenarioWin32Platform;

class Win32FrontEnd final : public FrontEnd, private Win32WindowWatcher {
 public:
  explicit Win32FrontEnd(Transcript::Log log);
  ~Win32FrontEnd() override;

  void Play(Script& script) override;
  int Run(bool second, int watchSeconds, DeviceLink& windowLink) override;
  void Click(const std::string& window, int id) override;
  void Pick(const std::string& window, int id, const std::string& entry) override;
  void Slide(const std::string& window, int id, int scrollCode, int position) override;
  void Type(const std::string& window, int id, const std::string& text) override;
  void Paste(const std::string& window, int id, const std::string& text) override;
  void Focus(const std::string& window, int id) override;
  void Tab(const std::string& window, int id, int index) override;
  void Close(const std::string& window) override;
  void Escape(const std::string& window) override;
  void Wait(int milliseconds) override;
  void Answer(int result) override;
  void Save(const std::string& path) override;
  void IconMouse(int mouseMessage) override;
  void ChooseMenuItem(int command) override;
  void Show(const std::string& window, int id) override;

 private:
  // What an open modal thing is.
  enum class ModalKind { Dialog, MessageBox, SavePrompt, Menu };
  struct Modal {
    HWND hwnd;
    ModalKind kind;
  };

  // The pump: one action per tick of whichever loop runs.
  static LRESULT CALLBACK PumpProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Turn();
  void EndOfScript();
  void Settle();
  void FollowModals();
  void RecordModal(const Modal& modal);
  // The innermost open modal thing, as the runner names it when it gives up.
  std::string InnermostName() const;

  Win32Window* Find(const std::string& name) const;
  Win32Window* Usable(const std::string& name, int id);
  const Modal* TopModal() const { return modals_.empty() ? nullptr : &modals_.back(); }
  static std::vector<int> AnswersOf(HWND box);
  // A key pressed where the window's keyboard focus is, through its loop.
  void PressKey(HWND target, UINT key);

  // Win32WindowWatcher
  void TimerSet(Win32Window& window, int id, int milliseconds) override;
  void TimerKilled(Win32Window& window, int id) override;
  void Drawn(Win32Window& window, const DrawnTexts& texts, bool painting) override;
  void Message(Win32Window& window, UINT message, WPARAM wParam, LPARAM lParam) override;
  void Destroying(Win32Window& window) override;
  void Opening(Win32Window& owner, const SaveFileRequest* save) override;

  Transcript transcript_;
  std::wstring workFolder_;  // the folder the runner was started in
  HWND pump_ = nullptr;
  Script* script_ = nullptr;
  ProgramRuns<ScenarioWin32Platform> runs_;
  std::map<HWND, Win32Window*> windows_;  // the program's dialogs and pages
  std::set<HWND> modalDialogs_;           // those run modally
  std::vector<Modal> modals_;             // open modal things, innermost last
  // Who opened the modal thing about to show, and the save prompt's request.
  std::string opener_;
  bool openingDialog_ = false;
  bool openingSave_ = false;
  SaveFileRequest saveRequest_;
  HWND destroying_ = nullptr;
  TimerClock<Win32Window> clock_;
  std::set<Win32Window*> uncovered_;  // shown since their last recorded paint
};
