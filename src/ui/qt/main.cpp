// Vantrel on Linux: the Qt front end over the libusb link.
#include <QApplication>
#include <QFont>
#include <QLocale>
#include <QPixmap>

#include <string>
#include <vector>

#include "common/language.h"
#include "common/string_table.h"
#include "device/device_backend.h"
#include "shell/vantrel.h"
#include "ui/qt/qt_platform.h"
#include "vantrel_icon_png.h"

namespace {

QIcon ProgramIcon() {
  QIcon icon;
  QPixmap pixmap;
  if (pixmap.loadFromData(kVantrelIconPng32, kVantrelIconPng32Size, "PNG")) icon.addPixmap(pixmap);
  if (pixmap.loadFromData(kVantrelIconPng64, kVantrelIconPng64Size, "PNG")) icon.addPixmap(pixmap);
  return icon;
}

// The user's language from the locale (LC_ALL, LC_MESSAGES, LANG, LANGUAGE).
int UserLanguage() {
  std::vector<std::string> locales;
  for (const QString& name : QLocale::system().uiLanguages()) locales.push_back(name.toStdString());
  return LanguageForLocales(locales);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vantrel"));
  // A notification-area program ends only by its own Exit.
  QApplication::setQuitOnLastWindowClosed(false);
  // The dialogs' font, or what Debian ships in its place.
  QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                             {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                              QStringLiteral("WenQuanYi Micro Hei")});
  SetTextLanguage(UserLanguage());
  QtPlatform platform(ProgramIcon());
  // The one argument: the session's autostart entry starts the program at login.
  const bool atLogin = QApplication::arguments().contains(QStringLiteral("--at-login"));
  const int code = RunVantrel(platform, atLogin ? StartKind::AtLogin : StartKind::ByUser);
  ReleaseDeviceBackend();  // the link and the libusb session
  return code;
}
