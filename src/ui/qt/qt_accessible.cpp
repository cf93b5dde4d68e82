#include "ui/qt/qt_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include "ui/qt/qt_controls.h"
#include "ui/qt/qt_window.h"

namespace {

// Qt calls a checkable button that is not auto-exclusive a check box; these
// radio buttons are exclusive by the dialog's groups.
class RadioAccessible final : public QAccessibleWidget {
 public:
  explicit RadioAccessible(WholeRectRadio* radio)
      : QAccessibleWidget(radio, QAccessible::RadioButton) {}

  QString text(QAccessible::Text t) const override {
    QString said = QAccessibleWidget::text(t);
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
      said = Radio()->text();
      said.remove(QLatin1Char('&'));
    }
    return said;
  }

  QAccessible::State state() const override {
    QAccessible::State flags = QAccessibleWidget::state();
    flags.checkable = true;
    flags.checked = Radio()->isChecked();
    return flags;
  }

  // Labelled by its row: both radios of a row, not only the first (a
  // label's buddy).
  QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
      QAccessible::Relation match) const override {
    auto found = QAccessibleWidget::relations(match);
    if (!(match & QAccessible::Label)) return found;
    for (QWidget* label : Radio()->NamedBy()) {
      QAccessibleInterface* labelInterface = QAccessible::queryAccessibleInterface(label);
      if (!labelInterface) continue;
      const QPair<QAccessibleInterface*, QAccessible::Relation> labelledBy(labelInterface,
                                                                           QAccessible::Label);
      if (!found.contains(labelledBy)) found.append(labelledBy);
    }
    return found;
  }

  QStringList actionNames() const override {
    QStringList names;
    if (widget()->isEnabled()) names << pressAction();
    return names + QAccessibleWidget::actionNames();
  }

  void doAction(const QString& action) override {
    if (action == pressAction()) {
      if (widget()->isEnabled()) Radio()->click();
      return;
    }
    QAccessibleWidget::doAction(action);
  }

 private:
  WholeRectRadio* Radio() const { return static_cast<WholeRectRadio*>(widget()); }
};

QAccessibleInterface* ProgramInterface(const QString&, QObject* object) {
  // A screen reader takes the drawing for static text: its lines are its
  // name, and each change of them is told. Qt 6.4's bridge gives no object
  // attributes, so it cannot be marked a live region as well.
  if (auto* overlay = dynamic_cast<DrawingOverlay*>(object))
    return new QAccessibleWidget(overlay, QAccessible::StaticText);
  if (auto* radio = dynamic_cast<WholeRectRadio*>(object)) return new RadioAccessible(radio);
  return nullptr;
}

}  // namespace

void InstallAccessibleInterfaces() {
  // The last factory installed is asked first: before Qt's own.
  static const bool installed = (QAccessible::installFactory(ProgramInterface), true);
  (void)installed;
}
