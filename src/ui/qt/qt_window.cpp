#include "ui/qt/qt_window.h"

#include <qdrawutil.h>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSlider>
#include <QStringDecoder>
#include <QStringList>
#include <QToolButton>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#if VANTREL_X11_CAPTIONS
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#endif

#include "common/string_table.h"
#include "string_ids.h"
#include "ui/accessible_name.h"
#include "ui/modal_loops.h"
#include "ui/qt/qt_accessible.h"

namespace {

// Texts are UTF-8. Bytes that are not (a printer's Latin-1 serial, say) are
// shown as Latin-1 characters rather than as replacement characters.
bool IsUtf8(const std::string& text) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString decoded = utf8.decode(QByteArrayView(text.data(), qsizetype(text.size())));
  return !utf8.hasError();  // known once decoded
}

QString Q(const std::string& text) {
  const auto size = qsizetype(text.size());
  return IsUtf8(text) ? QString::fromUtf8(text.data(), size)
                      : QString::fromLatin1(text.data(), size);
}
std::string S(const QString& text) { return text.toStdString(); }

// A control keeps the bytes it was given when they are not UTF-8, and gives
// them back while it still shows them: the export writes what the printer sent.
constexpr char kBytesProperty[] = "vantrelBytes";

void KeepBytes(QWidget* w, const std::string& text) {
  w->setProperty(kBytesProperty,
                 IsUtf8(text) ? QVariant() : QVariant(QByteArray::fromStdString(text)));
}

std::string BytesShown(const QWidget* w, const QString& shown) {
  QByteArray bytes = w->property(kBytesProperty).toByteArray();
  if (!bytes.isEmpty() && Q(bytes.toStdString()) == shown) return bytes.toStdString();
  return S(shown);
}

// On X, Qt names a window with an empty title after the application; a
// message box's caption stays empty.
void ClearCaption(QWidget& box) {
#if VANTREL_X11_CAPTIONS
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
  if (!connection || QGuiApplication::platformName() != QStringLiteral("xcb")) return;
  const auto window = static_cast<xcb_window_t>(box.winId());
  for (const char* name : {"_NET_WM_NAME", "WM_NAME"}) {
    const auto length = static_cast<std::uint16_t>(std::strlen(name));
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, length, name), nullptr);
    if (!atom) continue;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, atom->atom, XCB_ATOM_STRING, 8,
                        0, nullptr);
    std::free(atom);
  }
  xcb_flush(connection);
#else
  (void)box;
#endif
}

QString Text(int stringId, const char* fallback) {
  const char* text = LoadText(stringId);
  return QString::fromUtf8(text ? text : fallback);
}

// Something modal opened during an action that shows the wait cursor shows
// the normal pointer: the user answers it while the action waits.
class NormalPointer {
 public:
  NormalPointer() : pushed_(QApplication::overrideCursor() != nullptr) {
    if (pushed_) QApplication::setOverrideCursor(Qt::ArrowCursor);
  }
  ~NormalPointer() {
    if (pushed_) QApplication::restoreOverrideCursor();
  }
  NormalPointer(const NormalPointer&) = delete;
  NormalPointer& operator=(const NormalPointer&) = delete;

 private:
  bool pushed_;
};

QtWindowWatcher* watcher = nullptr;

// Answers a box or dialog that is not the program's own (the save prompt,
// its question) as its Cancel, No or OK button would, else rejects it.
void CancelPlatformDialog(QWidget& modal) {
  if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
    for (auto button : {QMessageBox::Cancel, QMessageBox::No, QMessageBox::Ok}) {
      if (QAbstractButton* b = box->button(button)) return b->click();
    }
    if (QAbstractButton* b = box->escapeButton()) return b->click();
  }
  if (auto* dialog = qobject_cast<QDialog*>(&modal)) return dialog->reject();
  modal.close();
}

// Ends every modal loop, innermost first: each one is told to return, in
// that order, and returns once the one inside it has.
void EndModalLoops() {
  for (int guard = 0; guard < 16; ++guard) {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    // A dialog of the program's ends as Cancel, past its procedure.
    if (auto* own = dynamic_cast<DialogWidget*>(modal))
      own->QDialog::done(kIdCancel);
    else
      CancelPlatformDialog(*modal);
  }
}

ModalLoops& Loops() {
  static ModalLoops loops(EndModalLoops);
  return loops;
}

// What the panel display draws, kept so that every repaint can draw it again.
class RecordingSurface final : public Surface {
 public:
  RecordingSurface(std::vector<std::function<void(QPainter&)>>& ops, DrawnTexts& texts)
      : ops_(ops), texts_(texts) {}

  // Everything the drawing touches.
  QRect Bounds() const { return bounds_; }

  void FramedWhiteRect(const Rect& r) override {
    bounds_ |= QRect(r.left, r.top, r.Width(), r.Height());
    texts_.clear();
    ops_.push_back([r](QPainter& p) {
      p.setPen(Qt::black);
      p.setBrush(Qt::white);
      p.drawRect(QRect(r.left, r.top, r.Width() - 1, r.Height() - 1));
    });
  }

  void SelectFont(const char* face, int pixelHeight, int weight) override {
    QFont font(QString::fromLatin1(face));
    // The height asked for is the character cell's: ascent plus descent.
    int size = pixelHeight;
    font.setPixelSize(size);
    while (size > 1 && QFontMetrics(font).height() > pixelHeight) font.setPixelSize(--size);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font_ = font;
    ops_.push_back([font](QPainter& p) { p.setFont(font); });
  }

  void TextAt(int x, int y, const std::string& text) override {
    QString line = Q(text);
    QFontMetrics metrics(font_);
    bounds_ |= QRect(x, y, metrics.horizontalAdvance(line) + 1, metrics.height());
    texts_.emplace_back(y, x, text);
    ops_.push_back([x, y, line](QPainter& p) {
      p.setPen(Qt::black);
      p.setBackgroundMode(Qt::OpaqueMode);
      p.setBackground(Qt::white);
      p.drawText(x, y + p.fontMetrics().ascent(), line);
    });
  }

 private:
  std::vector<std::function<void(QPainter&)>>& ops_;
  DrawnTexts& texts_;
  QFont font_;
  QRect bounds_;
};

Qt::WindowFlags FlagsOf(const DialogTemplate& dialog, bool topLevel) {
  if (!topLevel) return Qt::Widget;
  if (!(dialog.style & kCaption)) return Qt::Dialog | Qt::FramelessWindowHint;
  Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (dialog.style & kSystemMenu) flags |= Qt::WindowCloseButtonHint;
  return flags;
}

}  // namespace

// ------------------------------------------------------------ the widget

DialogWidget::DialogWidget(QtWindow& window, QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags), window_(window) {}

DrawingOverlay::DrawingOverlay(QtWindow& window, QWidget* dialog)
    : QWidget(dialog), window_(window) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setGeometry(dialog->rect());
}

void DrawingOverlay::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  window_.Repaint(painter);
}

void DialogWidget::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  // A dialog frame without a title bar: the window manager draws nothing.
  if (isWindow() && (windowFlags() & Qt::FramelessWindowHint)) {
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), false);
  }
}

void DialogWidget::closeEvent(QCloseEvent* event) {
  // The dialog decides: a close, then the Cancel command.
  event->ignore();
  window_.Send({DialogEvent::Close});
}

void DialogWidget::reject() {
  // Escape on a page is the Cancel of the window the page is in.
  if (!isWindow()) {
    if (auto* top = dynamic_cast<DialogWidget*>(window())) top->reject();
    return;
  }
  window_.Send({DialogEvent::Command, kIdCancel, kButtonClicked});
}

// Enter presses the push button that has the focus; elsewhere it is the
// dialog's as usual.
void DialogWidget::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  auto* button = qobject_cast<QPushButton*>(focusWidget());
  if (enter && !(event->modifiers() & ~Qt::KeypadModifier) && button && button->isEnabled() &&
      button->isVisible() && isAncestorOf(button)) {
    button->click();
    return;
  }
  QDialog::keyPressEvent(event);
}

void DialogWidget::accept() { window_.Send({DialogEvent::Command, kIdOk, kButtonClicked}); }

// ------------------------------------------------------------ the window

bool QtWindow::ModalLoopsRunning() { return Loops().Running(); }

void QtWindow::AfterModalLoops(std::function<void()> action) { Loops().After(std::move(action)); }

QtWindow::QtWindow(const DialogTemplate& dialog, DialogProc proc, QWidget* parent,
                   TabControl* pageHost)
    : TemplateWindow(dialog),
      proc_(proc),
      widget_(new DialogWidget(*this, pageHost ? static_cast<QWidget*>(pageHost) : parent,
                               FlagsOf(dialog, pageHost == nullptr))),
      units_(DialogUnits::Of(DialogFont(dialog))) {
  widget_->setFont(DialogFont(dialog));
  widget_->setSizeGripEnabled(false);
  if (pageHost) {
    // A dialog widget is a window of its own unless told otherwise.
    widget_->setWindowFlags(Qt::Widget);
    QRect client = pageHost->rect();
    Rect area = TabPageArea({client.left(), client.top(), client.left() + client.width(),
                             client.top() + client.height()},
                            pageHost->ItemHeight());
    widget_->setGeometry(area.left, area.top, area.Width(), area.Height());
    if (auto* holder = dynamic_cast<DialogWidget*>(pageHost->window()))
      static_cast<DialogBaseUnits&>(units_) =
          TabPageUnits(dialog, units_, holder->Owner().Units(), area);
  } else {
    widget_->setFixedSize(units_.X(dialog.cx), units_.Y(dialog.cy));
  }
  widget_->hide();
  InstallAccessibleInterfaces();
  CreateControls();
}

void QtWindow::Watch(QtWindowWatcher* w) { watcher = w; }

QtWindow::~QtWindow() {
  destroyed_ = true;
  pages_.clear();
  delete widget_;
}

QWidget* QtWindow::Control(int id) const {
  auto it = controls_.find(id);
  if (it != controls_.end()) return it->second;
  ExpectControl(Template(), id);
  // A release build goes on without the control, but says so.
  qWarning("vantrel: window %d has no control %d", TemplateId(), id);
  return nullptr;
}

void QtWindow::CreateControls() {
  std::vector<QWidget*> groupBoxes;
  QLabel* pendingBuddy = nullptr;
  for (const ControlTemplate& c : Template().controls) {
    QWidget* w = nullptr;
    QRect rect = units_.Rect(c.x, c.y, c.cx, c.cy);
    switch (c.kind) {
      case ControlKind::PushButton: {
        auto* button = new QPushButton(widget_);
        button->setAutoDefault(false);
        w = button;
        break;
      }
      case ControlKind::RadioButton: {
        auto* radio = new WholeRectRadio(widget_);
        radio->setAutoExclusive(false);  // groups follow the group flag
        w = radio;
        break;
      }
      case ControlKind::CheckBox: w = new WholeRectCheck(widget_); break;
      case ControlKind::GroupBox: {
        auto* group = new QGroupBox(widget_);
        group->setAttribute(Qt::WA_TransparentForMouseEvents);
        groupBoxes.push_back(group);
        w = group;
        break;
      }
      case ControlKind::Static: {
        auto* label = new QLabel(widget_);
        label->setWordWrap(true);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment((c.style & kAlignCenter ? Qt::AlignHCenter : Qt::AlignLeft) |
                            Qt::AlignTop);
        w = label;
        break;
      }
      case ControlKind::Edit: {
        auto* edit = new QLineEdit(widget_);
        edit->setFrame(c.style & kBorder);
        if (c.textLimit > 0) edit->setMaxLength(c.textLimit);
        w = edit;
        break;
      }
      case ControlKind::DropDownList: {
        auto* list = new QComboBox(widget_);
        list->setProperty("vantrelSelected", false);
        // The template's height includes the dropped-down list.
        rect.setHeight(list->sizeHint().height());
        w = list;
        break;
      }
      case ControlKind::Trackbar: {
        auto* slider = new QSlider(Qt::Horizontal, widget_);
        slider->setTickPosition(QSlider::NoTicks);
        slider->setFocusPolicy(Qt::StrongFocus);
        w = slider;
        break;
      }
      case ControlKind::TabControl: {
        auto* tab = new TabControl(widget_);
        // Qt's own buttons for tabs too many for the row, named in the
        // program's language (Qt names them in English).
        if (auto* left = tab->bar()->findChild<QToolButton*>(QStringLiteral("ScrollLeftButton")))
          left->setAccessibleName(Text(kTextScrollTabsLeft, "Scroll Left"));
        if (auto* right = tab->bar()->findChild<QToolButton*>(QStringLiteral("ScrollRightButton")))
          right->setAccessibleName(Text(kTextScrollTabsRight, "Scroll Right"));
        w = tab;
        break;
      }
    }
    w->setGeometry(rect);
    // A tab control takes the focus on its row of tabs.
    QWidget* stop = dynamic_cast<TabControl*>(w) ? static_cast<TabControl*>(w)->bar() : w;
    if (c.style & kTabStop)
      stop->setFocusPolicy(Qt::FocusPolicy(stop->focusPolicy() | Qt::TabFocus));
    // A static text's mnemonic moves the focus to the next control, and a
    // screen reader hears it as that control's label; a group box, which
    // takes no focus, keeps its own title as its name.
    if (pendingBuddy) {
      if (c.kind != ControlKind::GroupBox) pendingBuddy->setBuddy(w);
      pendingBuddy = nullptr;
    }
    if (auto* label = qobject_cast<QLabel*>(w); label && c.id != kNoId) pendingBuddy = label;
    if (c.id != kNoId) controls_[c.id] = w;
    ordered_.push_back(w);
    Connect(c, w);
  }
  // Group boxes stand behind their contents.
  for (QWidget* group : groupBoxes) group->lower();
  if (widget_->isWindow())
    for (QWidget* w : ordered_)
      if (auto* tab = dynamic_cast<TabControl*>(w)) AddTabKeys(tab);
  // Pages with a drawing of their own (the panel display) draw on top. A
  // screen reader reads the widgets in stacking order: the drawing comes
  // right after the control it follows (no control after it overlaps it).
  if (Template().style & kDrawsItself) {
    overlay_ = new DrawingOverlay(*this, widget_);
    overlay_->raise();
    const auto& controls = Template().controls;
    const auto after = std::find_if(controls.begin(), controls.end(), [](const ControlTemplate& c) {
      return (c.style & kDrawingReadAfter) != 0;
    });
    const QObjectList& children = widget_->children();
    const auto at = after != controls.end() ? children.indexOf(ordered_[after - controls.begin()])
                                            : qsizetype{-1};
    for (auto next = at + 1; at >= 0 && next < children.size(); ++next) {
      auto* sibling = qobject_cast<QWidget*>(children[next]);
      if (sibling && sibling != overlay_) {
        overlay_->stackUnder(sibling);
        break;
      }
    }
  }
  for (const ControlTemplate& c : Template().controls) {
    std::vector<int> naming = NamingControls(Template(), c.id);
    if (naming.empty()) continue;
    if (auto* radio = dynamic_cast<WholeRectRadio*>(controls_[c.id])) {
      std::vector<QPointer<QWidget>> labels;
      labels.reserve(naming.size());
      for (int id : naming) labels.emplace_back(controls_[id]);
      radio->SetNamedBy(std::move(labels));
    }
    named_.emplace_back(c.id, std::move(naming));
  }
  NameForScreenReaders(kNoId);
}

// The names of the controls that the texts of others name (all of them for
// kNoId), from the texts the window now shows.
void QtWindow::NameForScreenReaders(int changed) {
  for (const auto& [id, naming] : named_) {
    if (changed != kNoId && changed != id &&
        std::find(naming.begin(), naming.end(), changed) == naming.end())
      continue;
    const std::string name =
        AccessibleName(Template(), id, [this](int other) { return ItemText(other); });
    controls_[id]->setAccessibleName(Q(name));
  }
}

// Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PageDown and Ctrl+PageUp switch the tabs,
// as in any tabbed dialog; a focus on the page that hides goes to the tabs.
void QtWindow::AddTabKeys(TabControl* tab) {
  auto step = [tab](int by) {
    QTabBar* bar = tab->bar();
    if (bar->count() < 2) return;
    QWidget* focus = QApplication::focusWidget();
    const bool onPage = focus && focus != bar && tab->isAncestorOf(focus);
    bar->setCurrentIndex((bar->currentIndex() + by + bar->count()) % bar->count());
    if (onPage) bar->setFocus(Qt::TabFocusReason);
  };
  const std::pair<QKeyCombination, int> keys[] = {
      {Qt::CTRL | Qt::Key_Tab, 1},
      {Qt::CTRL | Qt::Key_PageDown, 1},
      {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, -1},
      {Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, -1},
      {Qt::CTRL | Qt::Key_PageUp, -1},
  };
  for (const auto& [key, by] : keys) {
    auto* shortcut = new QShortcut(QKeySequence(key), widget_);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, widget_, [step, by = by] { step(by); });
  }
}

void QtWindow::Connect(const ControlTemplate& c, QWidget* w) {
  const int id = c.id;
  if (id == kNoId) return;
  // Only the user's own actions notify; changes made from code do not.
  if (auto* radio = dynamic_cast<WholeRectRadio*>(w)) {
    QObject::connect(radio, &QAbstractButton::clicked, radio, [this, id] {
      CheckRadioInGroup(id);
      Send({DialogEvent::Command, id, kButtonClicked});
    });
  } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
    QObject::connect(button, &QAbstractButton::clicked, button, [this, id] {
      Send({DialogEvent::Command, id, kButtonClicked});
    });
  } else if (auto* list = qobject_cast<QComboBox*>(w)) {
    QObject::connect(list, &QComboBox::activated, list, [this, id, list] {
      list->setProperty("vantrelSelected", true);
      Send({DialogEvent::Command, id, kListSelectionChanged});
    });
  } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
    QObject::connect(edit, &QLineEdit::textEdited, edit, [this, id] {
      Send({DialogEvent::Command, id, kEditUpdated});
      Send({DialogEvent::Command, id, kEditChanged});
    });
    struct FocusWatch : QObject {
      QtWindow* window;
      int id;
      FocusWatch(QObject* parent, QtWindow* w, int i) : QObject(parent), window(w), id(i) {}
      bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusIn)
          window->Send({DialogEvent::Command, id, kEditSetFocus});
        else if (event->type() == QEvent::FocusOut)
          window->Send({DialogEvent::Command, id, kEditKillFocus});
        return false;
      }
    };
    edit->installEventFilter(new FocusWatch(edit, this, id));
  } else if (auto* slider = qobject_cast<QSlider*>(w)) {
    // The trackbar's scroll codes; the position has moved when they arrive.
    QObject::connect(slider, &QAbstractSlider::actionTriggered, slider, [this, id](int action) {
      int code = -1;
      switch (action) {
        case QAbstractSlider::SliderSingleStepSub: code = kScrollLineUp; break;
        case QAbstractSlider::SliderSingleStepAdd: code = kScrollLineDown; break;
        case QAbstractSlider::SliderPageStepSub: code = kScrollPageUp; break;
        case QAbstractSlider::SliderPageStepAdd: code = kScrollPageDown; break;
        case QAbstractSlider::SliderToMinimum: code = kScrollTop; break;
        case QAbstractSlider::SliderToMaximum: code = kScrollBottom; break;
        case QAbstractSlider::SliderMove: code = kScrollThumbTrack; break;
        default: break;
      }
      if (code >= 0) Send({DialogEvent::HScroll, id, code});
    });
    QObject::connect(slider, &QAbstractSlider::sliderReleased, slider, [this, id] {
      Send({DialogEvent::HScroll, id, kScrollThumbPosition});
      Send({DialogEvent::HScroll, id, kScrollEnd});
    });
  } else if (auto* tab = dynamic_cast<TabControl*>(w)) {
    QObject::connect(tab->bar(), &QTabBar::currentChanged, tab, [this, id] {
      Send({DialogEvent::TabChanged, id});
    });
  }
}

void QtWindow::Send(const DialogMessage& message) {
  DeliverDialogMessage(proc_, *this, message, destroyed_);
}

void QtWindow::CheckRadioInGroup(int id) {
  for (int radio : RadioGroupOf(Template(), id)) CheckButton(radio, radio == id);
}

void QtWindow::Repaint(QPainter& painter) {
  if (drawing_.empty() && proc_ && !painting_) {
    // Nothing drawn yet: let the dialog paint itself.
    painting_ = true;
    proc_(*this, {DialogEvent::Paint});
    painting_ = false;
  }
  for (const auto& op : drawing_) op(painter);
  if (watcher && !drawing_.empty()) watcher->Painted(*this, drawnTexts_, !drawingPainted_);
  drawingPainted_ = true;
}

void QtWindow::SetTitle(const std::string& text) { widget_->setWindowTitle(Q(text)); }

void QtWindow::SetItemText(int id, const std::string& text) {
  QWidget* w = Control(id);
  if (!w) return;
  QString t = Q(text);
  KeepBytes(w, text);
  QSignalBlocker block(w);
  if (auto* label = qobject_cast<QLabel*>(w)) {
    label->setText(t);
  } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
    button->setText(t);
  } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
    group->setTitle(t);
  } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
    edit->setText(t);
  }
  NameForScreenReaders(id);
}

std::string QtWindow::ItemText(int id) const {
  QWidget* w = Control(id);
  if (auto* label = qobject_cast<QLabel*>(w)) return BytesShown(w, label->text());
  if (auto* button = qobject_cast<QAbstractButton*>(w)) return BytesShown(w, button->text());
  if (auto* group = qobject_cast<QGroupBox*>(w)) return BytesShown(w, group->title());
  if (auto* edit = qobject_cast<QLineEdit*>(w)) return BytesShown(w, edit->text());
  if (auto* list = qobject_cast<QComboBox*>(w)) return S(list->currentText());
  return std::string();
}

void QtWindow::LimitText(int id, int characters) {
  if (auto* edit = qobject_cast<QLineEdit*>(Control(id))) edit->setMaxLength(characters);
}

void QtWindow::CheckButton(int id, bool checked) {
  auto* button = qobject_cast<QAbstractButton*>(Control(id));
  if (!button) return;
  QSignalBlocker block(button);
  button->setChecked(checked);
}

bool QtWindow::IsButtonChecked(int id) const {
  auto* button = qobject_cast<QAbstractButton*>(Control(id));
  return button && button->isChecked();
}

int QtWindow::ListAdd(int id, const std::string& text, std::int32_t data) {
  auto* list = qobject_cast<QComboBox*>(Control(id));
  if (!list) return -1;
  QSignalBlocker block(list);
  list->addItem(Q(text), QVariant(data));
  // A Windows list has no selection until one is set.
  if (!list->property("vantrelSelected").toBool()) list->setCurrentIndex(-1);
  return list->count() - 1;
}

void QtWindow::ListSelect(int id, int index) {
  auto* list = qobject_cast<QComboBox*>(Control(id));
  if (!list) return;
  QSignalBlocker block(list);
  list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
  list->setProperty("vantrelSelected", list->currentIndex() >= 0);
}

int QtWindow::ListSelection(int id) const {
  auto* list = qobject_cast<QComboBox*>(Control(id));
  return list ? list->currentIndex() : -1;
}

std::int32_t QtWindow::ListItemData(int id, int index) const {
  auto* list = qobject_cast<QComboBox*>(Control(id));
  return list && index >= 0 && index < list->count() ? list->itemData(index).toInt() : -1;
}

int QtWindow::ListCount(int id) const {
  auto* list = qobject_cast<QComboBox*>(Control(id));
  return list ? list->count() : 0;
}

void QtWindow::TrackbarSetRange(int id, int minimum, int maximum) {
  if (auto* slider = qobject_cast<QSlider*>(Control(id))) {
    QSignalBlocker block(slider);
    slider->setRange(minimum, maximum);
  }
}

void QtWindow::TrackbarSetPos(int id, int position) {
  if (auto* slider = qobject_cast<QSlider*>(Control(id))) {
    QSignalBlocker block(slider);
    slider->setValue(position);
  }
}

int QtWindow::TrackbarPos(int id) const {
  auto* slider = qobject_cast<QSlider*>(Control(id));
  return slider ? slider->sliderPosition() : 0;
}

void QtWindow::ShowItem(int id, bool shown) {
  if (QWidget* w = Control(id)) w->setVisible(shown);
}

bool QtWindow::IsItemShown(int id) const {
  QWidget* w = Control(id);
  return w && !w->isHidden();
}

void QtWindow::Show(bool shown) {
  if (destroyed_) return;
  widget_->setVisible(shown);
  if (shown && widget_->isWindow()) {
    if (widget_->isMinimized()) widget_->showNormal();
    widget_->raise();
    widget_->activateWindow();
  }
}

bool QtWindow::IsShown() const { return !widget_->isHidden(); }

void QtWindow::FocusItem(int id) {
  if (QWidget* w = Control(id)) w->setFocus();
}

void QtWindow::TabInsert(int id, int index, const std::string& text) {
  if (auto* tab = dynamic_cast<TabControl*>(Control(id))) {
    QSignalBlocker block(tab->bar());
    tab->bar()->insertTab(index, Q(text));
  }
}

void QtWindow::TabSelect(int id, int index) {
  if (auto* tab = dynamic_cast<TabControl*>(Control(id))) {
    QSignalBlocker block(tab->bar());
    tab->bar()->setCurrentIndex(index);
  }
}

int QtWindow::TabSelection(int id) const {
  auto* tab = dynamic_cast<TabControl*>(Control(id));
  return tab ? tab->bar()->currentIndex() : -1;
}

Window* QtWindow::CreateTabPage(int tabId, int templateId, DialogProc proc, void* param) {
  auto* tab = dynamic_cast<TabControl*>(Control(tabId));
  const DialogTemplate* dialog = FindDialogTemplate(templateId);
  if (!tab || !dialog) return nullptr;
  pages_.push_back(std::make_unique<QtWindow>(*dialog, proc, nullptr, tab));
  QtWindow* page = pages_.back().get();
  page->widget()->raise();
  // Tab runs from the row of tabs through the pages' controls, then on to
  // the controls that follow the tab control.
  QWidget* last = tab->bar();
  for (const auto& each : pages_)
    for (QWidget* w : each->Controls())
      if (w->focusPolicy() & Qt::TabFocus) {
        QWidget::setTabOrder(last, w);
        last = w;
      }
  page->Send({DialogEvent::Init, 0, 0, proc ? param : nullptr});
  return page;
}

Rect QtWindow::ItemRect(int id) const {
  QWidget* w = Control(id);
  QRect r = w ? w->geometry() : QRect();
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

Rect QtWindow::WindowRect() const {
  QRect r = widget_->frameGeometry();
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

void QtWindow::MoveTo(int x, int y) { widget_->move(x, y); }

void QtWindow::Draw(const std::function<void(Surface&)>& drawing) {
  std::vector<std::function<void(QPainter&)>> ops;
  DrawnTexts texts;
  RecordingSurface surface(ops, texts);
  drawing(surface);
  drawing_ = std::move(ops);
  drawnTexts_ = std::move(texts);
  drawingPainted_ = false;
  // What the drawing says, for a screen reader: setting it tells of the change.
  if (overlay_) {
    QStringList lines;
    for (const auto& [y, x, text] : drawnTexts_) lines << Q(text);
    overlay_->setAccessibleName(lines.join(QLatin1Char('\n')));
  }
  // Qt paints only in paint events: the next repaint draws it, over what
  // the last drawing and this one cover.
  QRect dirty = drawingBounds_ | surface.Bounds();
  drawingBounds_ = surface.Bounds();
  if (!painting_ && overlay_) overlay_->update(dirty);
}

void QtWindow::SetTimer(int id, int milliseconds) {
  if (watcher) return watcher->TimerSet(*this, id, milliseconds);
  QTimer*& timer = timers_[id];
  if (!timer) {
    timer = new QTimer(widget_);
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer, &QTimer::timeout, widget_, [this, id] {
      Send({DialogEvent::Timer, id});
    });
  }
  timer->start(milliseconds);
}

void QtWindow::KillTimer(int id) {
  if (watcher) return watcher->TimerKilled(*this, id);
  auto it = timers_.find(id);
  if (it != timers_.end()) it->second->stop();
}

int QtWindow::ShowMessageBox(const std::string& text, MessageButtons buttons) {
  // While the program closes, nothing new is asked: the answer is Cancel.
  if (Loops().Closing()) return buttons == MessageButtons::Ok ? kIdOk : kIdCancel;
  ModalLoops::Loop loop(Loops());
  NormalPointer pointer;
  QMessageBox box(widget_->window());
  box.setWindowTitle(QString());
  box.setText(Q(text));
  box.setTextFormat(Qt::PlainText);
  ClearCaption(box);
  if (watcher) watcher->Opening(*this, box);
  if (buttons == MessageButtons::Ok) {
    QPushButton* ok = box.addButton(Text(kTextOk, "OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
    return kIdOk;
  }
  QPushButton* retry = box.addButton(Text(kTextRetry, "Retry"), QMessageBox::AcceptRole);
  QPushButton* cancel = box.addButton(Text(kTextCancel, "Cancel"), QMessageBox::RejectRole);
  box.setDefaultButton(retry);
  box.setEscapeButton(cancel);
  box.exec();
  return box.clickedButton() == retry ? kIdRetry : kIdCancel;
}

std::string QtWindow::PromptSaveFile(const SaveFileRequest& request) {
  if (Loops().Closing()) return std::string();
  ModalLoops::Loop loop(Loops());
  NormalPointer pointer;
  QFileDialog dialog(widget_->window());
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setNameFilter(Q(request.filterText));
  dialog.setDefaultSuffix(Q(request.defaultExtension));
  dialog.selectFile(Q(request.proposedName));
  // The dialog asks before it replaces an existing file.
  if (watcher) watcher->Opening(*this, dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::string();
  return S(dialog.selectedFiles().front());
}

int QtWindow::RunModal(int templateId, DialogProc proc, void* param) {
  const DialogTemplate* dialog = FindDialogTemplate(templateId);
  if (!dialog) return -1;
  if (Loops().Closing()) return kIdCancel;
  NormalPointer pointer;
  QtWindow modal(*dialog, proc, widget_->window(), nullptr);
  ModalLoops::Loop loop(Loops());
  modal.widget()->setWindowModality(Qt::ApplicationModal);
  modal.Send({DialogEvent::Init, 0, 0, param});
  int result = modal.widget()->exec();
  modal.destroyed_ = true;
  return result;
}

void QtWindow::EndDialog(int result) { widget_->done(result); }

void QtWindow::Destroy() {
  if (destroyed_) return;
  // Destroyed under running modal loops, the boxes and dialogs it owns would
  // vanish beneath them: the loops end first.
  if (ModalLoopsRunning()) return AfterModalLoops([this] { Destroy(); });
  for (auto& timer : timers_) timer.second->stop();
  widget_->hide();
  destroyed_ = true;
  if (watcher) watcher->Destroyed(*this);
}
