// The user's actions on the Qt front end, as input events to the real
// widgets: Qt's own handling runs, as for a user's mouse and keys.
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QSystemTrayIcon>
#include <QTest>
#include <QWindow>

#include <algorithm>

#include "layouts/dialog_template.h"
#include "qt_front_end.h"
#include "qt_scenario_platform.h"

void QtFrontEnd::Click(const std::string& window, int id) {
  QtWindow* w = Usable(window, id);
  if (!w) return;
  QWidget* control = w->Control(id);
  switch (ControlKindIn(w->TemplateId(), id)) {
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
  for (int i = 0; list && i < list->count(); ++i)
    entries.push_back(list->itemText(i).toStdString());
  int index = EntryIndex(entries, entry);
  if (!list || index < 0 || index >= list->count()) {
    transcript_.NoEntry(window, id, index);
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
  auto pixel = [&](int value) {
    // The thumb cannot go past the ends.
    value = std::clamp(value, slider->minimum(), slider->maximum());
    return QStyle::sliderPositionFromValue(slider->minimum(), slider->maximum(), value, span);
  };
  QPoint grab = handle.center();
  QPoint to = grab + QPoint(pixel(position) - pixel(slider->sliderPosition()), 0);
  QTest::mousePress(slider, Qt::LeftButton, Qt::NoModifier, grab);
  QTest::mouseMove(slider, to);
  if (code == kScrollThumbPosition) QTest::mouseRelease(slider, Qt::LeftButton, Qt::NoModifier, to);
}

void QtFrontEnd::Type(const std::string& window, int id, const std::string& text) {
  QtWindow* w = Usable(window, id);
  auto* edit = w ? qobject_cast<QLineEdit*>(w->Control(id)) : nullptr;
  if (!edit) return;
  for (QChar c : QString::fromStdString(text)) {
    if (c == QLatin1Char('\b'))
      QTest::keyClick(edit, Qt::Key_Backspace);
    else
      QTest::keyClicks(edit, QString(c));
  }
}

void QtFrontEnd::Paste(const std::string& window, int id, const std::string& text) {
  QtWindow* w = Usable(window, id);
  auto* edit = w ? qobject_cast<QLineEdit*>(w->Control(id)) : nullptr;
  if (!edit) return;
  QApplication::clipboard()->setText(QString::fromStdString(text));
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
    transcript_.NoTab(window, index);
    return;
  }
  QTest::mouseClick(tabs->bar(), Qt::LeftButton, Qt::NoModifier,
                    tabs->bar()->tabRect(index).center());
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
  clock_.Advance(milliseconds, [this](QtWindow* window, int id) {
    window->Send({DialogEvent::Timer, id});
    Settle();
  });
}

void QtFrontEnd::Answer(int result) {
  auto* box = qobject_cast<QMessageBox*>(TopModal());
  if (!box) {
    transcript_.NoMessageBox();
    return;
  }
  QAbstractButton* button = ButtonFor(*box, result);
  if (!button) {
    transcript_.NoButton(result);
    return;
  }
  transcript_.Answered(result);
  QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
}

void QtFrontEnd::Save(const std::string& path) {
  auto* dialog = qobject_cast<QFileDialog*>(TopModal());
  if (!dialog) {
    transcript_.NoSavePrompt();
    return;
  }
  transcript_.SaveAnswered(path);
  if (path.empty()) {
    auto* buttons = dialog->findChild<QDialogButtonBox*>();
    QPushButton* cancel = buttons ? buttons->button(QDialogButtonBox::Cancel) : nullptr;
    if (cancel)
      QTest::mouseClick(cancel, Qt::LeftButton, Qt::NoModifier, cancel->rect().center());
    else
      QTest::keyClick(dialog, Qt::Key_Escape);
    return;
  }
  // The name typed over the proposed one, then Enter. Typed with the focus
  // in the field, as a user clicks there first: the dialog then drops a file
  // it still has selected in its list from an earlier name (after No to the
  // replace question), which would otherwise be taken instead.
  auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  QWidget* target = name ? static_cast<QWidget*>(name) : dialog;
  QApplication::setActiveWindow(dialog);
  target->setFocus(Qt::MouseFocusReason);
  QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(target, QString::fromStdString(path));
  QTest::keyClick(target, Qt::Key_Return);
}

void QtFrontEnd::IconMouse(int mouseMessage) {
  QSystemTrayIcon* icon = runs_.Running() ? runs_.Running()->TrayIcon() : nullptr;
  if (!icon) {
    transcript_.NoIcon();
    return;
  }
  // What the notification area reports of the click.
  if (mouseMessage == kNotificationClicked)
    emit icon->messageClicked();
  else if (mouseMessage == kMouseLeftDoubleClick)
    emit icon->activated(QSystemTrayIcon::DoubleClick);
  else if (mouseMessage == kMouseRightUp)
    emit icon->activated(QSystemTrayIcon::Context);
  else
    emit icon->activated(QSystemTrayIcon::Trigger);
}

void QtFrontEnd::ChooseMenuItem(int command) {
  auto* menu = qobject_cast<QMenu*>(TopModal());
  if (!menu) {
    transcript_.NoMenu();
    return;
  }
  if (command == 0) return QTest::keyClick(menu, Qt::Key_Escape);
  for (QAction* action : menu->actions())
    if (action->data().toInt() == command)
      return QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier,
                               menu->actionGeometry(action).center());
}

void QtFrontEnd::Show(const std::string& window, int id) {
  QtWindow* w = Find(window);
  QWidget* control = w && w->HasControl(id) ? w->Control(id) : nullptr;
  if (!control) {
    transcript_.NoSuchControl(window, id);
    return;
  }
  transcript_.ControlShows(
      window, *w, id, control->isHidden(),
      {[&](int index) { return qobject_cast<QComboBox*>(control)->itemText(index).toStdString(); },
       [&] {
         QTabBar* bar = dynamic_cast<TabControl*>(control)->bar();
         std::vector<std::string> tabs;
         tabs.reserve(static_cast<std::size_t>(bar->count()));
         for (int i = 0; i < bar->count(); ++i) tabs.push_back(bar->tabText(i).toStdString());
         return tabs;
       }});
}
