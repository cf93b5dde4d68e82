// The Qt backend of the dialog layer: one QtWindow per dialog, its controls
// made from the template, its messages delivered to the dialog procedure.
#pragma once

#include <QDialog>
#include <QPainter>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "layouts/dialog_template.h"
#include "ui/dialog.h"
#include "ui/qt/qt_controls.h"
#include "ui/template_window.h"

class QtWindow;

// Lets a driver of the real widgets (the scenario runner) run the windows'
// timers on its own clock and hear what the widgets do not tell: the texts
// each paint of a drawing shows (fresh: its first paint), a window's end,
// and who owns a modal box.
class QtWindowWatcher {
 public:
  virtual void TimerSet(QtWindow& window, int id, int milliseconds) = 0;
  virtual void TimerKilled(QtWindow& window, int id) = 0;
  virtual void Painted(QtWindow& window, const DrawnTexts& texts, bool fresh) = 0;
  virtual void Destroyed(QtWindow& window) = 0;
  virtual void Opening(QtWindow& owner, QWidget& modal) = 0;

 protected:
  ~QtWindowWatcher() = default;
};

// The widget of a dialog: turns the title bar's close, Escape and Enter
// into the dialog's messages.
class DialogWidget : public QDialog {
 public:
  DialogWidget(QtWindow& window, QWidget* parent, Qt::WindowFlags flags);
  QtWindow& Owner() const { return window_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void reject() override;
  void accept() override;

 private:
  QtWindow& window_;
};

// Draws the last drawing over the dialog's controls (a group box's panel
// must not hide it) without taking any of their clicks.
class DrawingOverlay : public QWidget {
 public:
  DrawingOverlay(QtWindow& window, QWidget* dialog);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QtWindow& window_;
};

class QtWindow final : public TemplateWindow {
 public:
  // A top-level dialog (parent null, or the owner of a modal one) or a tab
  // page (pageHost: the tab control it is placed in).
  QtWindow(const DialogTemplate& dialog, DialogProc proc, QWidget* parent, TabControl* pageHost);
  ~QtWindow() override;
  // Every window tells the watcher (null: none, Qt's own timers).
  static void Watch(QtWindowWatcher* watcher);
  // Whether a modal loop of the program's runs (a message box, the save
  // prompt, a modal dialog), and an action to run once they have all
  // returned: asking for one ends them, innermost first.
  static bool ModalLoopsRunning();
  static void AfterModalLoops(std::function<void()> action);

  DialogWidget* widget() const { return widget_; }
  // The units the window's controls are placed in.
  const DialogUnits& Units() const { return units_; }
  // The widget of a control of the template (a debug build stops at any
  // other id); HasControl asks without that rule, for what a user names.
  QWidget* Control(int id) const;
  bool HasControl(int id) const { return controls_.count(id) != 0; }
  // The widgets of the template's controls, in template order.
  const std::vector<QWidget*>& Controls() const { return ordered_; }
  void Send(const DialogMessage& message);
  void Repaint(QPainter& painter);
  bool Destroyed() const { return destroyed_; }

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

 private:
  void CreateControls();
  void CheckRadioInGroup(int id);
  void NameForScreenReaders(int changed);
  void Connect(const ControlTemplate& control, QWidget* widget);
  void AddTabKeys(TabControl* tab);

  DialogProc proc_;
  DialogWidget* widget_;
  DrawingOverlay* overlay_ = nullptr;
  DialogUnits units_;
  bool destroyed_ = false;
  bool painting_ = false;
  std::map<int, QWidget*> controls_;
  std::vector<QWidget*> ordered_;
  // Controls a screen reader names with other controls' texts: each with
  // those controls (NamingControls).
  std::vector<std::pair<int, std::vector<int>>> named_;
  std::map<int, QTimer*> timers_;
  std::vector<std::function<void(QPainter&)>> drawing_;
  QRect drawingBounds_;
  DrawnTexts drawnTexts_;
  bool drawingPainted_ = false;
  std::vector<std::unique_ptr<QtWindow>> pages_;
};
