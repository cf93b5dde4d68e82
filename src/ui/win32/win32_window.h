// The Win32 backend of the dialog layer: every window is a real dialog made
// from the template data (win32_dialog_template.h), run by one dialog
// procedure that hands its messages to the program's DialogProc.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "layouts/dialog_template.h"
#include "ui/dialog.h"
#include "ui/dialog_units.h"
#include "ui/template_window.h"

// The notification icon's callback message.
inline constexpr UINT kTrayCallbackMessage = 32769;
// Posted with a heap-allocated std::function<void()> as lParam: the window
// calls it on its thread and deletes it.
inline constexpr UINT kCallOnThreadMessage = WM_APP + 0x102;

class Win32Window;
class Win32DrawingText;

// Lets a driver of the real windows (the scenario runner) run the windows'
// timers on its own clock and hear what the windows do not tell: the texts
// each drawing shows (painting: drawn in a repaint), every message a window
// gets, a window's end, and who opens a modal thing (save: the save prompt's
// request, else a message box or modal dialog).
class Win32WindowWatcher {
 public:
  virtual void TimerSet(Win32Window& window, int id, int milliseconds) = 0;
  virtual void TimerKilled(Win32Window& window, int id) = 0;
  virtual void Drawn(Win32Window& window, const DrawnTexts& texts, bool painting) = 0;
  virtual void Message(Win32Window& window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
  virtual void Destroying(Win32Window& window) = 0;
  virtual void Opening(Win32Window& owner, const SaveFileRequest* save) = 0;

 protected:
  ~Win32WindowWatcher() = default;
};

class Win32Window final : public TemplateWindow {
 public:
  // A top-level window's font is made smaller where the window would not
  // fit the screen's work area (FittingPointSizeDrop); its pages' by as much.
  Win32Window(const DialogTemplate& dialog, DialogProc proc);
  Win32Window(const DialogTemplate& dialog, DialogProc proc, int pointSizeDrop);
  ~Win32Window() override;

  static void Watch(Win32WindowWatcher* watcher);

  HWND Handle() const { return hwnd_; }
  // The static text that reads the window's own drawing to a screen reader
  // (kDrawsItself), among the controls; null for any other window.
  HWND DrawingText() const;
  // A modeless dialog: top-level when parent is null, else a child of it.
  bool CreateModeless(HWND parent, void* param);
  // Messages the dialog layer has no event for (the platform's own); true
  // when the hook took the message.
  void SetMessageHook(std::function<bool(UINT, WPARAM, LPARAM)> hook) { hook_ = std::move(hook); }

  // Window
  void SetTitle(const std::string& text) override;
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
  bool IsShown() const override;
  void FocusItem(int id) override;
  void TabInsert(int id, int index, const std::string& text) override;
  void TabSelect(int id, int index) override;
  int TabSelection(int id) const override;
  Window* CreateTabPage(int tabId, int templateId, DialogProc proc, void* param) override;
  Rect ItemRect(int id) const override;
  Rect WindowRect() const override;
  void MoveTo(int x, int y) override;
  void Draw(const std::function<void(Surface&)>& drawing) override;
  void SetTimer(int id, int milliseconds) override;
  void KillTimer(int id) override;
  int ShowMessageBox(const std::string& text, MessageButtons buttons) override;
  std::string PromptSaveFile(const SaveFileRequest& request) override;
  int RunModal(int templateId, DialogProc proc, void* param) override;
  void EndDialog(int result) override;
  void Destroy() override;

  // While modal loops run (message boxes, the save prompt, modal dialogs),
  // what must not happen under them (a destruction, the quit) waits until
  // the last one has returned; they are asked to end, innermost first, as
  // their Cancel (else No) would, and meanwhile no new one opens.
  static bool ModalLoopsRunning();
  static void AfterModalLoops(std::function<void()> action);

 private:
  static INT_PTR CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  bool Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void Send(const DialogMessage& message);
  void NameControlsForScreenReaders();
  void ReadDrawingAmongControls();
  void Paint();
  // box: the drawing's framed box, in pixels at 96 dots per inch; none when
  // it framed none.
  void SayDrawing(const Rect* box, const DrawnTexts& texts, bool painting);
  HWND Item(int id) const {
    ExpectControl(Template(), id);
    return hwnd_ ? GetDlgItem(hwnd_, id) : nullptr;
  }
  LRESULT SendItem(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  int Dpi() const;
  // The resolution drawings are scaled to: the window's, less as much as
  // its font was made smaller to fit the screen.
  int DrawingDpi() const;
  // The base units of the window's font at its resolution.
  DialogBaseUnits BaseUnits() const;
  // Places the controls in these units.
  void LayOut(const DialogBaseUnits& units);

  int pointSizeDrop_;
  std::vector<std::uint32_t> template_;
  DialogProc proc_;
  HWND hwnd_ = nullptr;
  void* initParam_ = nullptr;
  bool modal_ = false;     // run by RunModal
  HDC paintDc_ = nullptr;  // while the procedure handles a repaint
  std::function<bool(UINT, WPARAM, LPARAM)> hook_;
  std::vector<std::unique_ptr<Win32Window>> pages_;
  std::unique_ptr<Win32DrawingText> drawingText_;
};
