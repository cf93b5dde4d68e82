#include "qt_front_end.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <chrono>

#include "qt_scenario_platform.h"
#include "script.h"
#include "shell/vantrel.h"

namespace {

constexpr int kLongestExposeMs = 2000;

std::string NameOf(const QtWindow& window) { return WindowNameOf(window.TemplateId()); }

}  // namespace

// ------------------------------------------------------------- the pump

QtFrontEnd::QtFrontEnd(int& argc, char** argv, Transcript::Log log) : transcript_(std::move(log)) {
  // Offscreen unless there is a display. A session of its own: the
  // program's single-instance lock meets no other program's, and the save
  // prompt no folder remembered from another run.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  session_ = std::make_unique<QTemporaryDir>();
  qputenv("XDG_RUNTIME_DIR", session_->path().toLocal8Bit());
  qputenv("XDG_CONFIG_HOME", session_->filePath(QStringLiteral("config")).toLocal8Bit());
  app_ = std::make_unique<QApplication>(argc, argv);
  // As the program sets itself up: it ends only by its own Exit, and its
  // dialogs' font has the same stand-ins.
  QApplication::setQuitOnLastWindowClosed(false);
  QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                             {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                              QStringLiteral("WenQuanYi Micro Hei")});
  app_->installEventFilter(this);
  QtWindow::Watch(this);
  watchdog_ = std::thread([this] { Watch(); });
}

QtFrontEnd::~QtFrontEnd() {
  ending_ = true;
  watchdog_.join();
  QtWindow::Watch(nullptr);
  app_->removeEventFilter(this);
}

void QtFrontEnd::Watch() {
  while (!ending_) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (!runs_.Stalled()) continue;
    std::string open;
    {
      std::lock_guard<std::mutex> lock(innermostMutex_);
      open = innermost_;
    }
    GiveUpStalled(open.empty() ? "nothing modal open" : open);
  }
}

void QtFrontEnd::Play(Script& script) {
  script_ = &script;
  // Outside the program's run there is no loop: the actions play at once.
  while (script.PlayNext(*this)) {}
}

int QtFrontEnd::Run(bool, int watchSeconds, DeviceLink& windowLink) {
  // Another instance is another process: its own platform and lock, and
  // its loop takes the actions while it runs.
  ScenarioQtPlatform platform(transcript_);
  return runs_.Run(platform, [&] {
    Schedule();
    return RunVantrel(platform, windowLink, StartKind::ByUser, watchSeconds);
  });
}

void QtFrontEnd::Schedule() {
  if (turnPending_) return;
  turnPending_ = true;
  QTimer::singleShot(0, this, [this] {
    turnPending_ = false;
    Turn();
  });
}

void QtFrontEnd::Settle() {
  // What the last action changed is painted before the next one: at once
  // offscreen, once the window system has exposed a shown window on a
  // display. Meanwhile the pump waits as for a running action.
  runs_.AsAction(modals_.size(), [this] {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    QElapsedTimer waited;
    waited.start();
    while (AwaitingPaint() && waited.elapsed() < kLongestExposeMs) {
      QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
      QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    }
  });
}

bool QtFrontEnd::AwaitingPaint() const {
  for (QtWindow* window : uncovered_) {
    if (!window->widget()->isVisible()) continue;
    for (QObject* child : window->widget()->children())
      if (dynamic_cast<DrawingOverlay*>(child)) return true;
  }
  return false;
}

void QtFrontEnd::Turn() {
  if (runs_.ActionRunning(modals_.size())) return;
  if (!script_ || script_->Done()) return EndOfScript();
  Settle();
  runs_.PlayNext(*script_, *this, modals_.size());
  Settle();
  Schedule();
}

void QtFrontEnd::EndOfScript() {
  QWidget* top = TopModal();
  if (!top) {
    if (runs_.Running()) QCoreApplication::exit(-1);
    return;
  }
  // Closed as Escape would close it, so the program never waits for ever.
  if (auto* box = qobject_cast<QMessageBox*>(top)) {
    std::vector<int> answers = AnswersOf(*box);
    transcript_.ScriptEndedAnswer(answers.size() == 1 ? answers.front() : answers.back());
    QTest::keyClick(box, Qt::Key_Escape);
  } else if (qobject_cast<QFileDialog*>(top)) {
    transcript_.ScriptEndedSavePrompt();
    QTest::keyClick(top, Qt::Key_Escape);
  } else if (qobject_cast<QMenu*>(top)) {
    transcript_.ScriptEndedMenu();
    QTest::keyClick(top, Qt::Key_Escape);
  } else if (auto* dialog = dynamic_cast<DialogWidget*>(top)) {
    transcript_.ScriptEndedClose(NameOf(dialog->Owner()));
    dialog->windowHandle()->close();
    if (dialog->isVisible()) dialog->Owner().EndDialog(0);
  }
  Schedule();
}

// ------------------------------------------------------------ the windows

QtWindow* QtFrontEnd::Find(const std::string& name) const {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    std::vector<QDialog*> dialogs = {qobject_cast<QDialog*>(top)};
    for (QDialog* child : top->findChildren<QDialog*>()) dialogs.push_back(child);
    for (QDialog* d : dialogs) {
      auto* dialog = dynamic_cast<DialogWidget*>(d);
      if (dialog && !dialog->Owner().Destroyed() && NameOf(dialog->Owner()) == name)
        return &dialog->Owner();
    }
  }
  return nullptr;
}

QWidget* QtFrontEnd::TopModal() const {
  for (auto it = modals_.rbegin(); it != modals_.rend(); ++it)
    if (*it && (*it)->isVisible()) return *it;
  return nullptr;
}

namespace {

constexpr std::pair<int, QMessageBox::StandardButton> kStandardAnswers[] = {
    {kIdOk, QMessageBox::Ok},
    {kIdRetry, QMessageBox::Retry},
    {kIdCancel, QMessageBox::Cancel},
    {kIdYes, QMessageBox::Yes},
    {kIdNo, QMessageBox::No}};

// The program's boxes carry their owner; the others are the platform's own
// questions (the save prompt's "replace it?"), with standard buttons.
bool ProgramsBox(const QMessageBox& box) { return box.property("scenarioOwner").isValid(); }

}  // namespace

std::vector<int> QtFrontEnd::AnswersOf(const QMessageBox& box) {
  if (ProgramsBox(box))
    return box.buttons().size() == 1 ? std::vector<int>{kIdOk}
                                     : std::vector<int>{kIdRetry, kIdCancel};
  std::vector<int> answers;
  for (auto [answer, standard] : kStandardAnswers)
    if (box.button(standard)) answers.push_back(answer);
  return answers;
}

QAbstractButton* QtFrontEnd::ButtonFor(const QMessageBox& box, int answer) {
  std::vector<int> answers = AnswersOf(box);
  if (std::find(answers.begin(), answers.end(), answer) == answers.end()) return nullptr;
  if (ProgramsBox(box)) {
    auto role = answer == kIdCancel ? QMessageBox::RejectRole : QMessageBox::AcceptRole;
    for (QAbstractButton* button : box.buttons())
      if (box.buttonRole(button) == role) return button;
    return nullptr;
  }
  for (auto [id, standard] : kStandardAnswers)
    if (id == answer) return box.button(standard);
  return nullptr;
}

QtWindow* QtFrontEnd::Usable(const std::string& name, int id) {
  QtWindow* w = Find(name);
  if (!w) {
    transcript_.NoWindow(name);
    return nullptr;
  }
  if (!w->widget()->isVisible()) {
    transcript_.NotShown(name);
    return nullptr;
  }
  QWidget* modal = TopModal();
  if (modal && (!dynamic_cast<DialogWidget*>(modal) || w->widget()->window() != modal)) {
    transcript_.Disabled(name);
    return nullptr;
  }
  if (id && (!w->HasControl(id) || w->Control(id)->isHidden())) {
    transcript_.NoControl(name, id);
    return nullptr;
  }
  return w;
}

// ------------------------------------------------------------ watching

void QtFrontEnd::TimerSet(QtWindow& window, int id, int milliseconds) {
  clock_.Set(&window, id, milliseconds);
  Follow(window);
}

void QtFrontEnd::Follow(QtWindow& window) {
  // Its timers and marks go with it; a modal window ends without Destroy.
  if (followed_.insert(&window).second)
    QObject::connect(window.widget(), &QObject::destroyed, this,
                     [this, w = &window] { Forget(w); });
}

void QtFrontEnd::TimerKilled(QtWindow& window, int id) { clock_.Kill(&window, id); }

void QtFrontEnd::Forget(QtWindow* window) {
  clock_.Forget(window);
  std::erase(uncovered_, window);
  followed_.erase(window);
}

void QtFrontEnd::Painted(QtWindow& window, const DrawnTexts& texts, bool fresh) {
  // A redraw is a new drawing's first paint, or the first paint once shown;
  // Qt repaints a drawing for other reasons (activation, a control beside
  // it) where a Windows program is not asked to draw again.
  auto shown = std::find(uncovered_.begin(), uncovered_.end(), &window);
  if (!fresh && shown == uncovered_.end()) return;
  if (shown != uncovered_.end()) uncovered_.erase(shown);
  transcript_.Display(NameOf(window), texts);
}

void QtFrontEnd::Destroyed(QtWindow& window) {
  clock_.Forget(&window);
  if (window.widget()->isWindow()) transcript_.Destroyed(NameOf(window));
}

void QtFrontEnd::Opening(QtWindow& owner, QWidget& modal) {
  modal.setProperty("scenarioOwner", QString::fromStdString(NameOf(owner)));
}

bool QtFrontEnd::eventFilter(QObject* object, QEvent* event) {
  if ((event->type() != QEvent::Show && event->type() != QEvent::Hide) || event->spontaneous() ||
      !object->isWidgetType())
    return false;
  auto* widget = static_cast<QWidget*>(object);
  bool shown = event->type() == QEvent::Show;
  auto* dialog = dynamic_cast<DialogWidget*>(widget);
  if (dialog && shown &&
      std::find(uncovered_.begin(), uncovered_.end(), &dialog->Owner()) == uncovered_.end()) {
    uncovered_.push_back(&dialog->Owner());
    Follow(dialog->Owner());
  }
  if (!widget->isWindow()) return false;
  if (dialog) transcript_.Shown(NameOf(dialog->Owner()), shown);
  bool modal =
      qobject_cast<QMenu*>(widget) || (qobject_cast<QDialog*>(widget) && widget->isModal());
  if (!modal) return false;
  if (shown) {
    modals_.push_back(widget);
    RecordModal(*widget);
    Schedule();  // its own loop takes the next action
  } else {
    std::erase_if(modals_, [&](const QPointer<QWidget>& m) { return !m || m == widget; });
  }
  NoteInnermost();
  return false;
}

void QtFrontEnd::NoteInnermost() {
  std::string name;
  if (QWidget* top = TopModal()) {
    std::string owner = top->property("scenarioOwner").toString().toStdString();
    if (auto* box = qobject_cast<QMessageBox*>(top))
      name = "a message box" + (owner.empty() ? "" : " of " + owner) + ": " +
             QuoteText(box->text().toStdString());
    else if (qobject_cast<QFileDialog*>(top))
      name = "the save prompt of " + owner;
    else if (qobject_cast<QMenu*>(top))
      name = "the icon's menu";
    else if (auto* dialog = dynamic_cast<DialogWidget*>(top))
      name = "the window " + NameOf(dialog->Owner());
    else
      name = std::string("a ") + top->metaObject()->className() + " " +
             QuoteText(top->windowTitle().toStdString());
    name += " open";
  }
  std::lock_guard<std::mutex> lock(innermostMutex_);
  innermost_ = name;
}

void QtFrontEnd::RecordModal(QWidget& modal) {
  std::string owner = modal.property("scenarioOwner").toString().toStdString();
  if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
    const std::vector<int> answers = AnswersOf(*box);
    const bool ofSavePrompt = qobject_cast<QFileDialog*>(box->parentWidget()) != nullptr;
    if (owner.empty() && ofSavePrompt && answers == std::vector<int>{kIdYes, kIdNo})
      return transcript_.ReplaceQuestion();
    if (owner.empty()) owner = ofSavePrompt ? "save prompt" : "platform";
    transcript_.MessageBox(owner, answers, box->text().toStdString());
  } else if (auto* files = qobject_cast<QFileDialog*>(&modal)) {
    // The filter as given, its pattern as the dialog reads it from the text.
    QString filter = files->nameFilters().value(0);
    QRegularExpressionMatch pattern =
        QRegularExpression(QStringLiteral("\\(([^)]*)\\)")).match(filter);
    auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    SaveFileRequest request;
    request.filterText = filter.toStdString();
    request.filterPattern = (pattern.hasMatch() ? pattern.captured(1) : filter).toStdString();
    request.defaultExtension = files->defaultSuffix().toStdString();
    request.proposedName = name ? name->text().toStdString() : std::string();
    transcript_.SavePrompt(owner, request);
  } else if (auto* menu = qobject_cast<QMenu*>(&modal)) {
    std::vector<std::string> items;
    for (QAction* action : menu->actions()) items.push_back(action->text().toStdString());
    transcript_.MenuOf(items);
  }
}
