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
#include "shell/start_arguments.h"
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

// The options Qt reads itself from the command line.
const std::vector<ToolkitOption> kQtOptions = {
    {"-platform", true},  {"-platformpluginpath", true}, {"-platformtheme", true},
    {"-plugin", true},    {"-qwindowgeometry", true},    {"-qwindowicon", true},
    {"-qwindowtitle", true}, {"-session", true},          {"-style", true},
    {"-stylesheet", true}, {"-display", true},           {"-geometry", true},
    {"-name", true},      {"-title", true},              {"-reverse", false},
    {"-widgetcount", false}, {"-nograb", false},         {"-dograb", false},
    {"-sync", false}};

}  // namespace

int main(int argc, char** argv) {
  // Read before Qt starts, which needs a display: --help and --version are
  // answered anywhere.
  const StartArguments arguments = ReadStartArguments({argv + 1, argv + argc}, kQtOptions);
  if (arguments.action != StartArguments::Action::Run) return AnswerWithoutRunning(arguments);
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
  const int code = RunVantrel(platform, arguments.start);
  ReleaseDeviceBackend();  // the link and the libusb session
  return code;
}
