// The conformance suite's user on the Qt backend: real mouse clicks and the
// open modal widget, offscreen.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "backend_driver.h"
#include "ui/qt/qt_platform.h"
#include "ui/qt/qt_window.h"

namespace {

class QtDriver final : public BackendDriver {
 public:
  Platform& platform() override { return platform_; }
  // At the far right of its rectangle, on what the window shows there.
  void Click(Window& window, int id) override {
    QWidget* control = static_cast<QtWindow&>(window).Control(id);
    QWidget* top = control->window();
    const QPoint at = control->mapTo(top, QPoint(control->width() - 2, control->height() / 2));
    QWidget* under = top->childAt(at) ? top->childAt(at) : top;
    QTest::mouseClick(under, Qt::LeftButton, {}, under->mapFrom(top, at));
  }
  void CloseFromTitleBar(Window& window) override {
    static_cast<QtWindow&>(window).widget()->close();
  }
  void WhenModalOpens(std::function<void()> action) override {
    QTimer::singleShot(0, std::move(action));
  }
  std::string AnswerMessageBox(int button) override {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return "(no message box)";
    const auto role = button == kIdCancel ? QMessageBox::RejectRole : QMessageBox::AcceptRole;
    const std::string caption = box->windowTitle().toStdString();
    for (QAbstractButton* b : box->buttons())
      if (box->buttonRole(b) == role) return b->click(), caption;
    return "(no such button)";
  }
  void LetTimePass(int milliseconds) override { QTest::qWait(milliseconds); }
  bool WaitCursorShown() override {
    const QCursor* cursor = QApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::WaitCursor;
  }

 private:
  QtPlatform platform_{QIcon()};
};

}  // namespace

std::unique_ptr<BackendDriver> MakeBackendDriver() { return std::make_unique<QtDriver>(); }
