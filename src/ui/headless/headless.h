// The headless backend of the dialog layer: keeps every control's state,
// plays a user's actions and records what the user would see (texts,
// message boxes, the panel display, files, ...) as one line per event.
// Modal things (message boxes, the save prompt, modal dialogs) run a
// nested loop that takes the next user actions from the script, as a real
// toolkit's nested event loop takes the next input.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "layouts/dialog_template.h"
#include "ui/dialog.h"
#include "ui/headless/timer_clock.h"
#include "ui/headless/transcript.h"
#include "ui/modal_loops.h"
#include "ui/template_window.h"

class HeadlessPlatform;

class HeadlessWindow final : public TemplateWindow {
 public:
  HeadlessWindow(HeadlessPlatform& platform, const DialogTemplate& dialog, DialogProc proc,
                 HeadlessWindow* parent, Rect frame);

  const std::string& Name() const { return name_; }
  HeadlessWindow* Parent() const { return parent_; }
  HeadlessWindow* TopLevel();
  bool HasControl(int id) const { return controls_.count(id) != 0; }
  ControlKind KindOf(int id) const;
  void Send(const DialogMessage& message);
  bool Destroyed() const { return destroyed_; }
  std::vector<HeadlessWindow*> Pages() const;
  std::string ListItemText(int id, int index) const;
  std::string TabText(int id, int index) const;
  int TabCount(int id) const;
  int TrackbarMin(int id) const;
  int TrackbarMax(int id) const;
  int TextLimitOf(int id) const;
  // Checks an automatic radio button and clears the others of its group.
  void CheckRadioInGroup(int id);
  bool modalEnded = false;
  int modalResult = 0;

  // Window
  void SetTitle(const std::string&) override {}  // transcripts show no titles
  void SetItemText(int id, const std::string& text) override;
  std::string ItemText(int id) const override;
  void LimitText(int id, int characters) override;
  void CheckButton(int id, bool checked) override;
  bool IsButtonChecked(int id) const override;
  int ListAdd(int id, const std::string& text, std::int32_t data) override;
  void ListSelect(int id, int index) override;
  int ListSelection(int id) const override;
  std::int32_t ListItemData(int id, int index) const override;
  int ListCount(int id) const override;
  void TrackbarSetRange(int id, int minimum, int maximum) override;
  void TrackbarSetPos(int id, int position) override;
  int TrackbarPos(int id) const override;
  void ShowItem(int id, bool shown) override;
  bool IsItemShown(int id) const override;
  void Show(bool shown) override;
  bool IsShown() const override { return shown_; }
  void FocusItem(int id) override;
  void TabInsert(int id, int index, const std::string& text) override;
  void TabSelect(int id, int index) override;
  int TabSelection(int id) const override;
  Window* CreateTabPage(int tabId, int templateId, DialogProc proc, void* param) override;
  Rect ItemRect(int id) const override;
  Rect WindowRect() const override { return frame_; }
  void MoveTo(int x, int y) override;
  void Draw(const std::function<void(Surface&)>& drawing) override;
  void SetTimer(int id, int milliseconds) override;
  void KillTimer(int id) override;
  int ShowMessageBox(const std::string& text, MessageButtons buttons) override;
  std::string PromptSaveFile(const SaveFileRequest& request) override;
  int RunModal(int templateId, DialogProc proc, void* param) override;
  void EndDialog(int result) override;
  void Destroy() override;
  // Destroys at once, even under running modal loops (a modal dialog ending).
  void DestroyNow();

 private:
  struct Control {
    const ControlTemplate* layout;
    std::string text;
    bool checked = false;
    bool shown = true;
    int limit = 0;
    std::vector<std::pair<std::string, std::int32_t>> items;  // lists and tabs
    int selection = -1;
    int minimum = 0, maximum = 100, position = 0;
  };
  Control& At(int id);
  const Control& At(int id) const;

  HeadlessPlatform& platform_;
  DialogProc proc_;
  HeadlessWindow* parent_;
  std::string name_;
  Rect frame_;
  bool shown_ = false;
  bool destroyed_ = false;
  std::map<int, Control> controls_;
  std::vector<std::unique_ptr<HeadlessWindow>> pages_;
};

class HeadlessPlatform final : public Platform {
 public:
  using Log = Transcript::Log;
  explicit HeadlessPlatform(Log log);
  ~HeadlessPlatform() override;

  // The user's actions still to come. The message loop and every nested
  // modal loop take them one at a time.
  void Script(std::function<void()> action) { script_.push_back(std::move(action)); }
  bool Step();
  void Record(const std::string& line) { transcript_.Line(line); }

  // What the user does. Each checks that the window is there, shown and not
  // disabled by a modal window above it, and records why when it is not.
  HeadlessWindow* Find(const std::string& name);
  void Click(const std::string& window, int id);
  void PickListItem(const std::string& window, int id, int index);
  void MoveSlider(const std::string& window, int id, int scrollCode, int position);
  void Type(const std::string& window, int id, const std::string& text);
  // Replaces the field's text at once, as pasting over a selection does.
  void Paste(const std::string& window, int id, const std::string& text);
  void Focus(const std::string& window, int id);
  void PickTab(const std::string& window, int tabId, int index);
  void CloseWindow(const std::string& window);
  void PressEscape(const std::string& window);
  void TrayMouse(int mouseMessage);
  void ChooseMenuItem(int command);  // answers the next (or open) popup menu
  void Wait(int milliseconds);
  void Answer(int result);                         // the open message box
  void AnswerSavePrompt(const std::string& path);  // empty: cancel
  void ShowText(const std::string& window, int id);

  // Platform
  Window* CreateModeless(int templateId, DialogProc proc, void* param) override;
  int RunMessageLoop() override;
  void Quit(int code) override;
  // A later start runs nested in the first one's script, and its request
  // reaches the first one at once.
  bool AcquireSingleInstance(const char* name, int request) override;
  void ReleaseSingleInstance() override;
  void ListenForLaterStarts(Window& owner, int command, int endRequest) override;
  void AddTrayIcon(Window& owner, int iconId, const char* tip) override;
  void RemoveTrayIcon(Window& owner, int iconId) override;
  void SetTrayIconState(Window& owner, int iconId, IconState state,
                        const std::string& tip) override;
  void Notify(Window& owner, int iconId, NotificationKind kind, const std::string& title,
              const std::string& text) override;
  int TrackMenu(Window& owner, const std::vector<MenuItem>& items) override;
  Size ScreenSize() override { return {1280, 800}; }
  void DebugTrace(const char* text) override;
  void FileWritten(const std::string& path) override;
  void BeginWaitCursor() override { ++waitCursor_; }
  void EndWaitCursor() override { --waitCursor_; }

  // Begun and not yet ended wait cursors (not in the transcript).
  int WaitCursorDepth() const { return waitCursor_; }

 private:
  friend class HeadlessWindow;
  struct Modal {
    enum Kind { MessageBox, SavePrompt, ReplaceQuestion, Dialog, Menu } kind;
    Modal(Kind k, HeadlessWindow* o, MessageButtons b = MessageButtons::Ok)
        : kind(k), owner(o), buttons(b) {}
    HeadlessWindow* owner;
    MessageButtons buttons = MessageButtons::Ok;
    bool answered = false;
    int result = 0;
    std::string path;
  };

  // Runs the script until the modal on top is answered or ended, or the
  // program quits or closes.
  void RunNested(Modal& modal);
  HeadlessWindow* Usable(const std::string& name, int id);
  bool Blocked(HeadlessWindow* window) const;

  Transcript transcript_;
  std::deque<std::function<void()>> script_;
  std::vector<std::unique_ptr<HeadlessWindow>> topLevels_;
  std::vector<Modal*> modals_;
  TimerClock<HeadlessWindow> clock_;
  bool quit_ = false;
  int quitCode_ = 0;
  std::set<std::string> guards_;
  std::vector<std::string> heldGuards_;
  struct LaterStarts {
    HeadlessWindow* owner = nullptr;
    int command = 0;
    int endRequest = 0;
  } laterStarts_;  // of the instance holding the guard
  HeadlessWindow* trayOwner_ = nullptr;
  int trayIconId_ = 0;
  int waitCursor_ = 0;
  // Each nested loop ends by itself once the program closes (RunNested).
  ModalLoops modalLoops_{[] {}};
};
