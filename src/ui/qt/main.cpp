// Vantrel on Linux: the Qt front end over the libusb link.
#include <QApplication>
#include <QFont>
#include <QLocale>
#include <QPixmap>

#include <cstdio>
#include <string>
#include <vector>

#include "common/language.h"
#include "common/string_table.h"
#include "device/device_backend.h"
#include "shell/start_arguments.h"
#include "shell/vantrel.h"
#include "ui/qt/qt_platform.h"
#include "vantrel_icon_png.h"
#include "vantrel_state_icons_png.h"

namespace {

QIcon ProgramIcon() {
  QIcon icon;
  QPixmap pixmap;
  if (pixmap.loadFromData(kVantrelIconPng32, kVantrelIconPng32Size, "PNG")) icon.addPixmap(pixmap);
  if (pixmap.loadFromData(kVantrelIconPng64, kVantrelIconPng64Size, "PNG")) icon.addPixmap(pixmap);
  return icon;
}

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

// The icon in the watch's states: ready, warning, error, no printer.
std::array<QIcon, 4> WatchIcons() {
  return {VANTREL_STATE_ICON(Ready), VANTREL_STATE_ICON(Warning), VANTREL_STATE_ICON(Error),
          VANTREL_STATE_ICON(NoPrinter)};
}

// The user's language from the locale (LC_ALL, LC_MESSAGES, LANG, LANGUAGE).
int UserLanguage() {
  std::vector<std::string> locales;
  for (const QString& name : QLocale::system().uiLanguages()) locales.push_back(name.toStdString());
  return LanguageForLocales(locales);
}

// The options Qt reads itself from the command line.
const std::vector<ToolkitOption> kQtOptions = {{"-platform", true},
                                               {"-platformpluginpath", true},
                                               {"-platformtheme", true},
                                               {"-plugin", true},
                                               {"-qwindowgeometry", true},
                                               {"-qwindowicon", true},
                                               {"-qwindowtitle", true},
                                               {"-session", true},
                                               {"-style", true},
                                               {"-stylesheet", true},
                                               {"-display", true},
                                               {"-geometry", true},
                                               {"-name", true},
                                               {"-title", true},
                                               {"-reverse", false},
                                               {"-widgetcount", false},
                                               {"-nograb", false},
                                               {"-dograb", false},
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
  QtPlatform platform(ProgramIcon(), WatchIcons());
  const DeviceBackend& backend = PlatformDeviceBackend();
  int code = 0;
  {
    DeviceLink link(backend);
    code = RunVantrel(platform, link, arguments.start, arguments.watchSeconds);
  }
  ReleaseDeviceBackend(backend);  // the libusb session
  return code;
}
