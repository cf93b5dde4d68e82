#include "ui/qt/qt_program.h"

#include <QApplication>
#include <QFont>
#include <QLocale>
#include <QPixmap>

#include <string>
#include <vector>

#include "common/language.h"
#include "vantrel_icon_png.h"
#include "vantrel_state_icons_png.h"

namespace {

QIcon IconOf(std::initializer_list<std::pair<const unsigned char*, std::size_t>> sizes) {
  QIcon icon;
  for (const auto& [data, size] : sizes) {
    QPixmap pixmap;
    if (pixmap.loadFromData(data, static_cast<uint>(size), "PNG")) icon.addPixmap(pixmap);
  }
  return icon;
}

#define VANTREL_STATE_ICON(State)                                 \
  IconOf({{kVantrelIcon##State##16, kVantrelIcon##State##16Size}, \
          {kVantrelIcon##State##22, kVantrelIcon##State##22Size}, \
          {kVantrelIcon##State##24, kVantrelIcon##State##24Size}, \
          {kVantrelIcon##State##32, kVantrelIcon##State##32Size}, \
          {kVantrelIcon##State##48, kVantrelIcon##State##48Size}, \
          {kVantrelIcon##State##64, kVantrelIcon##State##64Size}})

}  // namespace

void SetUpQtApplication() {
  QApplication::setApplicationName(QStringLiteral("Vantrel"));
  // A notification-area program ends only by its own Exit.
  QApplication::setQuitOnLastWindowClosed(false);
  // The dialogs' font, or what Debian ships in its place.
  QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                             {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                              QStringLiteral("WenQuanYi Micro Hei")});
}

int QtUserLanguage() {
  std::vector<std::string> locales;
  for (const QString& name : QLocale::system().uiLanguages()) locales.push_back(name.toStdString());
  return LanguageForLocales(locales);
}

QIcon ProgramIcon() {
  QIcon icon;
  QPixmap pixmap;
  if (pixmap.loadFromData(kVantrelIconPng32, kVantrelIconPng32Size, "PNG")) icon.addPixmap(pixmap);
  if (pixmap.loadFromData(kVantrelIconPng64, kVantrelIconPng64Size, "PNG")) icon.addPixmap(pixmap);
  return icon;
}

std::array<QIcon, 4> WatchIcons() {
  return {VANTREL_STATE_ICON(Ready), VANTREL_STATE_ICON(Warning), VANTREL_STATE_ICON(Error),
          VANTREL_STATE_ICON(NoPrinter)};
}
