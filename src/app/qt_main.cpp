// Vantrel on Linux: the Qt front end over the libusb link.
#include <QApplication>

#include <cstdio>
#include <string>
#include <vector>

#include "common/string_table.h"
#include "device/device_backend.h"
#include "shell/start_arguments.h"
#include "shell/vantrel.h"
#include "ui/qt/qt_platform.h"
#include "ui/qt/qt_program.h"

namespace {

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
  SetUpQtApplication();
  SetTextLanguage(QtUserLanguage());
  QtPlatform platform(ProgramIcon(), WatchIcons());
  const DeviceBackend& backend = PlatformDeviceBackend();
  int code = 0;
  {
    DeviceLink link(backend);
    code = RunVantrel(platform, link, arguments.start, arguments.watchSeconds, arguments.request);
  }
  ReleaseDeviceBackend(backend);  // the libusb session
  if (code == kExitNotRunning) std::fprintf(stderr, "%s\n", NotRunningInEnglish());
  return code;
}
