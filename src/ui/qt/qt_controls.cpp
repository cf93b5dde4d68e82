#include "ui/qt/qt_controls.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QFrame>

DialogUnits DialogUnits::Of(const QFont& font) {
  QFontMetrics metrics(font);
  int width = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return {{(width / 26 + 1) / 2, metrics.height()}};
}

QRect DialogUnits::Rect(int x, int y, int cx, int cy) const {
  return QRect(X(x), Y(y), X(cx), Y(cy));
}

QFont DialogFont(const DialogTemplate& dialog) {
  // The size Windows gives the face at 96 dots per inch, in pixels.
  const int em = ScaleRounded(dialog.pointSize, 96, 72);
  QFont font(QString::fromLatin1(dialog.fontFace));
  font.setPixelSize(em);
  // A stand-in for Tahoma is sized to Tahoma's cell height (1.2075 em), so
  // that dialog units, and the pages in their tabs, keep their proportions.
  if (QFontInfo(font).family() != QString::fromLatin1(dialog.fontFace)) {
    const int cell = (em * 12075 + 5000) / 10000;
    for (int size = em; size < em + 4 && QFontMetrics(font).height() < cell; ++size)
      font.setPixelSize(size + 1);
  }
  return font;
}

namespace {

// Tabs as tall as Windows makes them, drawn by the style as usual.
class CompactTabBar : public QTabBar {
 public:
  CompactTabBar(QWidget* parent, int height) : QTabBar(parent), height_(height) {}

 protected:
  QSize tabSizeHint(int index) const override {
    QSize size = QTabBar::tabSizeHint(index);
    size.setHeight(height_);
    return size;
  }

 private:
  int height_;
};

}  // namespace

TabControl::TabControl(QWidget* parent) : QWidget(parent) {
  frame_ = new QFrame(this);
  static_cast<QFrame*>(frame_)->setFrameShape(QFrame::StyledPanel);
  bar_ = new CompactTabBar(this, ItemHeight());
  bar_->setDrawBase(false);
  bar_->setExpanding(false);
}

// As tall as a Windows tab item: the text and a few pixels around it.
int TabControl::ItemHeight() const { return fontMetrics().height() + 5; }

void TabControl::resizeEvent(QResizeEvent*) {
  int h = ItemHeight();
  bar_->setGeometry(0, 0, width(), h);
  frame_->setGeometry(0, h - 1, width(), height() - h + 1);
  frame_->lower();
}
