#include "qt_front_end.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <algorithm>

#include "script.h"
#include "shell/vantrel.h"
#include "ui/dialog_template.h"
#include "ui/qt/qt_platform.h"

namespace {

QString Q(const std::string& text) { return QString::fromUtf8(text.data(), int(text.size())); }
std::string S(const QString& text) { return text.toStdString(); }

std::string NameOf(const QtWindow& window) { return WindowNameOf(window.TemplateId()); }

ControlKind KindOf(const QtWindow& window, int id) {
  const DialogTemplate* dialog = FindDialogTemplate(window.TemplateId());
  const ControlTemplate* control = dialog ? FindControl(*dialog, id) : nullptr;
  return control ? control->kind : ControlKind::Static;
}

QIcon PlainIcon() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::darkCyan);
  return QIcon(pixmap);
}

}  // namespace

// The program's platform on this desktop: Qt's own, with what it does
// written to the transcript. The desktop has a notification area, as the
// stories assume, even where the platform (offscreen) shows no icons.
class ScenarioQtPlatform final : public Platform {
 public:
  explicit ScenarioQtPlatform(Transcript& transcript) : qt_(PlainIcon()), transcript_(transcript) {}

  QSystemTrayIcon* TrayIcon() const { return qt_.TrayIcon(); }

  Window* CreateModeless(int templateId, DialogProc proc, void* param) override {
    return qt_.CreateModeless(templateId, proc, param);
  }
  int RunMessageLoop() override { return qt_.RunMessageLoop(); }
  void Quit(int code) override { qt_.Quit(code); }
  bool AcquireSingleInstance(const char* name) override { return qt_.AcquireSingleInstance(name); }
  void ReleaseSingleInstance() override { qt_.ReleaseSingleInstance(); }
  void AddTrayIcon(Window& owner, int iconId, const char* tip) override {
    qt_.AddTrayIcon(owner, iconId, tip);
    transcript_.IconAdded(tip);
  }
  void RemoveTrayIcon(Window& owner, int iconId) override {
    if (!qt_.TrayIcon()) return;
    qt_.RemoveTrayIcon(owner, iconId);
    transcript_.IconRemoved();
  }
  int TrackMenu(Window& owner, const std::vector<MenuItem>& items) override {
    int command = qt_.TrackMenu(owner, items);
    if (command == 0) transcript_.MenuDismissed();
    return command;
  }
  bool NotificationAreaAvailable() override { return true; }
  Size ScreenSize() override { return qt_.ScreenSize(); }
  void DebugTrace(const char* text) override {
    qt_.DebugTrace(text);
    transcript_.DebugTrace(text);
  }
  void FileWritten(const std::string& path) override {
    qt_.FileWritten(path);
    transcript_.FileWritten(path);
  }

 private:
  QtPlatform qt_;
  Transcript& transcript_;
};

// ------------------------------------------------------------- the pump

QtFrontEnd::QtFrontEnd(int& argc, char** argv, Transcript::Log log)
    : transcript_(std::move(log)) {
  // Offscreen unless there is a display; a runtime folder of its own, so
  // that the program's single-instance lock meets no other program's.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  runtime_ = std::make_unique<QTemporaryDir>();
  qputenv("XDG_RUNTIME_DIR", runtime_->path().toLocal8Bit());
  app_ = std::make_unique<QApplication>(argc, argv);
  // As the program sets itself up: it ends only by its own Exit, and its
  // dialogs' font has the same stand-ins.
  QApplication::setQuitOnLastWindowClosed(false);
  QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                             {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                              QStringLiteral("WenQuanYi Micro Hei")});
  app_->installEventFilter(this);
  QtWindow::Watch(this);
}

QtFrontEnd::~QtFrontEnd() {
  QtWindow::Watch(nullptr);
  app_->removeEventFilter(this);
}

void QtFrontEnd::Play(Script& script) {
  script_ = &script;
  // Outside the program's run there is no loop: the actions play at once.
  while (script.PlayNext(*this)) {
  }
}

int QtFrontEnd::Run(bool) {
  // Another instance is another process: its own platform and lock, and
  // its loop takes the actions while it runs.
  ScenarioQtPlatform platform(transcript_);
  ScenarioQtPlatform* first = platform_;
  std::vector<std::size_t> running = std::exchange(running_, {});
  platform_ = &platform;
  Schedule();
  int code = RunVantrel(platform);
  running_ = std::move(running);
  platform_ = first;
  if (first) UsePlatform(first);
  return code;
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
  // What the last action changed is painted before the next one.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
}

void QtFrontEnd::Turn() {
  // An action still running at this depth takes its next turn when done;
  // one that opened a modal thing lets that thing's loop take the next.
  if (!running_.empty() && modals_.size() <= running_.back()) return;
  if (!script_ || script_->Done()) return EndOfScript();
  Settle();
  running_.push_back(modals_.size());
  script_->PlayNext(*this);
  running_.pop_back();
  Settle();
  Schedule();
}

void QtFrontEnd::EndOfScript() {
  QWidget* top = TopModal();
  if (!top) {
    if (platform_) QCoreApplication::exit(-1);
    return;
  }
  // Closed as Escape would close it, so the program never waits for ever.
  if (auto* box = qobject_cast<QMessageBox*>(top)) {
    transcript_.ScriptEndedAnswer(box->buttons().size() == 1 ? kIdOk : kIdCancel);
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

QtWindow* QtFrontEnd::Usable(const std::string& name, int id) {
  QtWindow* w = Find(name);
  if (!w) {
    transcript_.Ignored("no window " + name);
    return nullptr;
  }
  if (!w->widget()->isVisible()) {
    transcript_.Ignored(name + " is not shown");
    return nullptr;
  }
  QWidget* modal = TopModal();
  if (modal && (!dynamic_cast<DialogWidget*>(modal) || w->widget()->window() != modal)) {
    transcript_.Ignored(name + " is disabled by a modal window");
    return nullptr;
  }
  if (id && (!w->Control(id) || w->Control(id)->isHidden())) {
    transcript_.Ignored("no control " + name + " " + std::to_string(id));
    return nullptr;
  }
  return w;
}

// ------------------------------------------------------------ the actions

void QtFrontEnd::Click(const std::string& window, int id) {
  QtWindow* w = Usable(window, id);
  if (!w) return;
  QWidget* control = w->Control(id);
  switch (KindOf(*w, id)) {
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
      QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, control->rect().center());
      break;
    case ControlKind::Edit: Focus(window, id); break;
    default: break;  // static texts, group boxes and lists do nothing with a click
  }
}

void QtFrontEnd::Pick(const std::string& window, int id, const std::string& entry) {
  QtWindow* w = Usable(window, id);
  if (!w) return;
  auto* list = qobject_cast<QComboBox*>(w->Control(id));
  std::vector<std::string> entries;
  for (int i = 0; list && i < list->count(); ++i) entries.push_back(S(list->itemText(i)));
  int index = EntryIndex(entries, entry);
  if (!list || index < 0 || index >= list->count()) {
    transcript_.Ignored("no entry " + std::to_string(index) + " in " + window + " " + std::to_string(id));
    return;
  }
  // Opens the list with a click, goes to the entry with the keys and takes
  // it with Enter: the list tells only the entry taken.
  QTest::mouseClick(list, Qt::LeftButton, Qt::NoModifier, list->rect().center());
  QAbstractItemView* view = list->view();
  QTest::keyClick(view, Qt::Key_Home);
  for (int i = 0; i < index; ++i) QTest::keyClick(view, Qt::Key_Down);
  QTest::keyClick(view, Qt::Key_Return);
}

void QtFrontEnd::Slide(const std::string& window, int id, int code, int position) {
  QtWindow* w = Usable(window, id);
  auto* slider = w ? qobject_cast<QSlider*>(w->Control(id)) : nullptr;
  if (!slider) return;
  // The keys that make the move; a horizontal Qt slider goes up with Page Up.
  Qt::Key key = Qt::Key_unknown;
  switch (code) {
    case kScrollLineUp: key = Qt::Key_Left; break;
    case kScrollLineDown: key = Qt::Key_Right; break;
    case kScrollPageUp: key = Qt::Key_PageDown; break;
    case kScrollPageDown: key = Qt::Key_PageUp; break;
    case kScrollTop: key = Qt::Key_Home; break;
    case kScrollBottom: key = Qt::Key_End; break;
    default: break;
  }
  if (key != Qt::Key_unknown) {
    QTest::keyClick(slider, key);
    return;
  }
  // A drag of the thumb to the position, released for `to`.
  QStyleOptionSlider option;
  option.initFrom(slider);
  option.orientation = slider->orientation();
  option.minimum = slider->minimum();
  option.maximum = slider->maximum();
  option.sliderPosition = slider->sliderPosition();
  option.sliderValue = slider->value();
  option.singleStep = slider->singleStep();
  option.pageStep = slider->pageStep();
  option.tickPosition = slider->tickPosition();
  option.subControls = QStyle::SC_All;
  QStyle* style = slider->style();
  QRect groove = style->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, slider);
  QRect handle = style->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider);
  int span = groove.width() - handle.width();
  int x = groove.x() + handle.width() / 2 +
          QStyle::sliderPositionFromValue(slider->minimum(), slider->maximum(), position, span);
  QPoint grab = handle.center();
  QTest::mousePress(slider, Qt::LeftButton, Qt::NoModifier, grab);
  QTest::mouseMove(slider, QPoint(x + (grab.x() - handle.x() - handle.width() / 2), grab.y()));
  if (code == kScrollThumbPosition)
    QTest::mouseRelease(slider, Qt::LeftButton, Qt::NoModifier,
                        QPoint(x + (grab.x() - handle.x() - handle.width() / 2), grab.y()));
}

void QtFrontEnd::Type(const std::string& window, int id, const std::string& text) {
  QtWindow* w = Usable(window, id);
  auto* edit = w ? qobject_cast<QLineEdit*>(w->Control(id)) : nullptr;
  if (!edit) return;
  for (QChar c : Q(text)) {
    if (c == QLatin1Char('\b')) QTest::keyClick(edit, Qt::Key_Backspace);
    else QTest::keyClicks(edit, QString(c));
  }
}

void QtFrontEnd::Paste(const std::string& window, int id, const std::string& text) {
  QtWindow* w = Usable(window, id);
  auto* edit = w ? qobject_cast<QLineEdit*>(w->Control(id)) : nullptr;
  if (!edit) return;
  QApplication::clipboard()->setText(Q(text));
  QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
}

void QtFrontEnd::Focus(const std::string& window, int id) {
  QtWindow* w = Usable(window, id);
  if (!w) return;
  // As clicking into it from elsewhere: the field hears the focus arrive.
  QWidget* control = w->Control(id);
  if (control->hasFocus()) control->clearFocus();
  control->setFocus(Qt::MouseFocusReason);
}

void QtFrontEnd::Tab(const std::string& window, int id, int index) {
  QtWindow* w = Usable(window, id);
  auto* tabs = w ? dynamic_cast<TabControl*>(w->Control(id)) : nullptr;
  if (!tabs) return;
  if (index < 0 || index >= tabs->bar()->count()) {
    transcript_.Ignored("no tab " + std::to_string(index) + " in " + window);
    return;
  }
  QTest::mouseClick(tabs->bar(), Qt::LeftButton, Qt::NoModifier, tabs->bar()->tabRect(index).center());
}

void QtFrontEnd::Close(const std::string& window) {
  QtWindow* w = Usable(window, 0);
  // What the window manager does with the title bar's close.
  if (w) w->widget()->window()->windowHandle()->close();
}

void QtFrontEnd::Escape(const std::string& window) {
  QtWindow* w = Usable(window, 0);
  if (!w) return;
  // The key goes where the focus is in that window.
  QWidget* top = w->widget()->window();
  QWidget* target = top->focusWidget() ? top->focusWidget() : top;
  QTest::keyClick(target, Qt::Key_Escape);
}

void QtFrontEnd::Wait(int milliseconds) {
  long long target = nowMs_ + milliseconds;
  for (;;) {
    auto next = std::min_element(timers_.begin(), timers_.end(),
                                 [](const Timer& a, const Timer& b) { return a.due < b.due; });
    if (next == timers_.end() || next->due > target) break;
    nowMs_ = next->due;
    next->due += next->period;
    QtWindow* window = next->window;
    window->Send({DialogEvent::Timer, next->id});
    Settle();
  }
  nowMs_ = target;
}

void QtFrontEnd::Answer(int result) {
  auto* box = qobject_cast<QMessageBox*>(TopModal());
  if (!box) {
    transcript_.Ignored("no message box is open");
    return;
  }
  QList<QAbstractButton*> buttons = box->buttons();
  bool ok = buttons.size() == 1;
  bool allowed = ok ? result == kIdOk : result == kIdRetry || result == kIdCancel;
  if (!allowed) {
    transcript_.Ignored("the message box has no " + ButtonName(result) + " button");
    return;
  }
  transcript_.Answered(result);
  QMessageBox::ButtonRole role = result == kIdCancel ? QMessageBox::RejectRole : QMessageBox::AcceptRole;
  for (QAbstractButton* button : buttons)
    if (box->buttonRole(button) == role)
      return QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
}

void QtFrontEnd::Save(const std::string& path) {
  auto* dialog = qobject_cast<QFileDialog*>(TopModal());
  if (!dialog) {
    transcript_.Ignored("no save prompt is open");
    return;
  }
  transcript_.SaveAnswered(path);
  if (path.empty()) {
    auto* buttons = dialog->findChild<QDialogButtonBox*>();
    QPushButton* cancel = buttons ? buttons->button(QDialogButtonBox::Cancel) : nullptr;
    if (cancel) QTest::mouseClick(cancel, Qt::LeftButton, Qt::NoModifier, cancel->rect().center());
    else QTest::keyClick(dialog, Qt::Key_Escape);
    return;
  }
  // The name typed over the proposed one, then Enter.
  auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  QWidget* target = name ? static_cast<QWidget*>(name) : dialog;
  QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(target, Q(path));
  QTest::keyClick(target, Qt::Key_Return);
}

void QtFrontEnd::IconMouse(int mouseMessage) {
  QSystemTrayIcon* icon = platform_ ? platform_->TrayIcon() : nullptr;
  if (!icon) {
    transcript_.Ignored("no notification icon");
    return;
  }
  // What the notification area reports of the click.
  if (mouseMessage == kMouseLeftDoubleClick) emit icon->activated(QSystemTrayIcon::DoubleClick);
  else if (mouseMessage == kMouseRightUp) emit icon->activated(QSystemTrayIcon::Context);
  else emit icon->activated(QSystemTrayIcon::Trigger);
}

void QtFrontEnd::ChooseMenuItem(int command) {
  auto* menu = qobject_cast<QMenu*>(TopModal());
  if (!menu) {
    transcript_.Ignored("no menu is open");
    return;
  }
  if (command == 0) return QTest::keyClick(menu, Qt::Key_Escape);
  for (QAction* action : menu->actions())
    if (action->data().toInt() == command)
      return QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(action).center());
}

void QtFrontEnd::Show(const std::string& window, int id) {
  QtWindow* w = Find(window);
  QWidget* control = w ? w->Control(id) : nullptr;
  if (!control) {
    transcript_.NoSuchControl(window, id);
    return;
  }
  std::string what;
  switch (KindOf(*w, id)) {
    case ControlKind::CheckBox:
    case ControlKind::RadioButton: what = Transcript::Check(w->IsButtonChecked(id), w->ItemText(id)); break;
    case ControlKind::DropDownList: {
      auto* list = qobject_cast<QComboBox*>(control);
      int sel = list->currentIndex();
      what = Transcript::ListEntry(sel, S(list->itemText(sel)), list->count());
      break;
    }
    case ControlKind::Trackbar: what = Transcript::Thumb(w->TrackbarPos(id)); break;
    case ControlKind::TabControl: {
      QTabBar* bar = dynamic_cast<TabControl*>(control)->bar();
      std::vector<std::string> tabs;
      for (int i = 0; i < bar->count(); ++i) tabs.push_back(S(bar->tabText(i)));
      what = Transcript::Tabs(tabs, bar->currentIndex());
      break;
    }
    default: what = QuoteText(w->ItemText(id)); break;
  }
  transcript_.ControlShows(window, id, control->isHidden(), what);
}

// ------------------------------------------------------------ watching

void QtFrontEnd::TimerSet(QtWindow& window, int id, int milliseconds) {
  TimerKilled(window, id);
  timers_.push_back({&window, id, milliseconds, nowMs_ + milliseconds});
  Follow(window);
}

void QtFrontEnd::Follow(QtWindow& window) {
  // Its timers and marks go with it; a modal window ends without Destroy.
  if (followed_.insert(&window).second)
    QObject::connect(window.widget(), &QObject::destroyed, this, [this, w = &window] { Forget(w); });
}

void QtFrontEnd::TimerKilled(QtWindow& window, int id) {
  std::erase_if(timers_, [&](const Timer& t) { return t.window == &window && t.id == id; });
}

void QtFrontEnd::Forget(QtWindow* window) {
  std::erase_if(timers_, [&](const Timer& t) { return t.window == window; });
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
  std::erase_if(timers_, [&](const Timer& t) { return t.window == &window; });
  if (window.widget()->isWindow()) transcript_.Destroyed(NameOf(window));
}

void QtFrontEnd::Opening(QtWindow& owner, QWidget& modal) {
  modal.setProperty("scenarioOwner", Q(NameOf(owner)));
}

bool QtFrontEnd::eventFilter(QObject* object, QEvent* event) {
  if ((event->type() != QEvent::Show && event->type() != QEvent::Hide) || event->spontaneous() ||
      !object->isWidgetType())
    return false;
  auto* widget = static_cast<QWidget*>(object);
  bool shown = event->type() == QEvent::Show;
  auto* dialog = dynamic_cast<DialogWidget*>(widget);
  if (dialog && shown && std::find(uncovered_.begin(), uncovered_.end(), &dialog->Owner()) == uncovered_.end()) {
    uncovered_.push_back(&dialog->Owner());
    Follow(dialog->Owner());
  }
  if (!widget->isWindow()) return false;
  if (dialog) transcript_.Shown(NameOf(dialog->Owner()), shown);
  bool modal = qobject_cast<QMenu*>(widget) || (qobject_cast<QDialog*>(widget) && widget->isModal());
  if (!modal) return false;
  if (!shown) {
    std::erase_if(modals_, [&](const QPointer<QWidget>& m) { return !m || m == widget; });
    return false;
  }
  modals_.push_back(widget);
  std::string owner = S(widget->property("scenarioOwner").toString());
  if (auto* box = qobject_cast<QMessageBox*>(widget)) {
    transcript_.MessageBox(owner, box->buttons().size() == 1 ? MessageButtons::Ok : MessageButtons::RetryCancel,
                           S(box->text()));
  } else if (auto* files = qobject_cast<QFileDialog*>(widget)) {
    SaveFileRequest request;
    request.filterText = S(files->nameFilters().value(0));
    QRegularExpressionMatch pattern = QRegularExpression(QStringLiteral("\\(([^)]*)\\)")).match(Q(request.filterText));
    request.filterPattern = S(pattern.hasMatch() ? pattern.captured(1) : Q(request.filterText));
    request.defaultExtension = S(files->defaultSuffix());
    auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    request.proposedName = name ? S(name->text()) : std::string();
    transcript_.SavePrompt(owner, request);
  } else if (auto* menu = qobject_cast<QMenu*>(widget)) {
    std::vector<std::string> items;
    for (QAction* action : menu->actions()) items.push_back(S(action->text()));
    transcript_.MenuOf(items);
  }
  // Its own loop takes the next action.
  Schedule();
  return false;
}
