// Qt widgets that behave as the Windows controls of a dialog template, and
// the conversion of dialog units to pixels as Windows does it.
#pragma once

#include <QCheckBox>
#include <QFont>
#include <QPointer>
#include <QRadioButton>
#include <QTabBar>
#include <QWidget>

#include <utility>
#include <vector>

#include "layouts/dialog_template.h"
#include "ui/dialog.h"
#include "ui/dialog_units.h"

// Base units of a dialog font: average width of "A".."Z""a".."z" rounded as
// Windows rounds it, and the font's height.
struct DialogUnits : DialogBaseUnits {
  static DialogUnits Of(const QFont& font);
  QRect Rect(int x, int y, int cx, int cy) const;
};

// The dialog font of a template: its face (Tahoma, or what stands in for it)
// at its point size.
QFont DialogFont(const DialogTemplate& dialog);

// A radio button or check box whose whole rectangle is live, as on Windows.
// An automatic radio button stays checked when clicked again; the dialog
// unchecks the others of its group.
class WholeRectRadio : public QRadioButton {
 public:
  using QRadioButton::QRadioButton;
  // The labels whose texts say what the button sets (its row's), for a
  // screen reader.
  void SetNamedBy(std::vector<QPointer<QWidget>> labels) { namedBy_ = std::move(labels); }
  std::vector<QWidget*> NamedBy() const {
    std::vector<QWidget*> labels;
    for (const QPointer<QWidget>& label : namedBy_)
      if (label) labels.push_back(label);
    return labels;
  }

 protected:
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
  void nextCheckState() override { setChecked(true); }

 private:
  std::vector<QPointer<QWidget>> namedBy_;
};

class WholeRectCheck : public QCheckBox {
 public:
  using QCheckBox::QCheckBox;

 protected:
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

// A tab control as Windows has it: a row of tabs over a framed display area
// in which the program places its pages itself.
class TabControl : public QWidget {
 public:
  explicit TabControl(QWidget* parent);
  QTabBar* bar() const { return bar_; }
  int ItemHeight() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QTabBar* bar_;
  QWidget* frame_;
};
