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
#include <vector>

#include "ui/dialog.h"
#include "ui/dialog_template.h"
#include "ui/qt/qt_controls.h"

class QtWindow;

// The widget of a dialog: turns the title bar's close, Escape and Enter
// into the dialog's messages.
class DialogWidget : public QDialog {
 public:
  DialogWidget(QtWindow& window, QWidget* parent, Qt::WindowFlags flags);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
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

class QtWindow final : public Window {
 public:
  // A top-level dialog (parent null, or the owner of a modal one) or a tab
  // page (pageHost: the tab control it is placed in).
  QtWindow(const DialogTemplate& dialog, DialogProc proc, QWidget* parent, TabControl* pageHost);
  ~QtWindow() override;

  DialogWidget* widget() const { return widget_; }
  QWidget* Control(int id) const;
  void Send(const DialogMessage& message);
  void Repaint(QPainter& painter);
  bool HasDrawing() const { return !drawing_.empty(); }

  // Window
  int TemplateId() const override { return dialog_.id; }
  void SetUserData(void* data) override { userData_ = data; }
  void* UserData() const override { return userData_; }
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
  void Connect(const ControlTemplate& control, QWidget* widget);

  const DialogTemplate& dialog_;
  DialogProc proc_;
  DialogWidget* widget_;
  DrawingOverlay* overlay_ = nullptr;
  DialogUnits units_;
  void* userData_ = nullptr;
  bool destroyed_ = false;
  bool painting_ = false;
  std::map<int, QWidget*> controls_;
  std::map<int, QTimer*> timers_;
  std::vector<std::function<void(QPainter&)>> drawing_;
  QRect drawingBounds_;
  std::vector<std::unique_ptr<QtWindow>> pages_;
};
