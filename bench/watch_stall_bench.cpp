// How long the window's thread stalls while the status watch beats on a
// printer that has stopped answering its status request: the Qt program,
// offscreen, through the libusb backend on the emulated printer. A 10 ms
// timer on the window's thread stands for the user's clicks (a menu, the
// About box, Status); the longest gap between its ticks over the beats is
// how late the window answers at worst. Measured twice: with the beat's
// read on the watch's worker, as the program runs, and in place on the
// window's thread, as it once ran.
// Optional argument: the seconds to watch (25: two beats after the first).
#include <QApplication>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "device/backend_libusb.h"
#include "device/device_link.h"
#include "device/request_catalogue.h"
#include "shell/vantrel.h"
#include "sim/tarnlow_printer.h"
#include "sim/umockdev_printer.h"
#include "ui/dialog.h"
#include "ui/qt/qt_platform.h"
#include "ui/qt/qt_program.h"

namespace {

using Clock = std::chrono::steady_clock;

// The Qt platform as it is, or with the watch's read kept on the window's
// thread.
class InPlacePlatform final : public Platform {
 public:
  explicit InPlacePlatform(Platform& qt) : qt_(qt) {}
  Window* CreateModeless(int templateId, DialogProc proc, void* param) override {
    return qt_.CreateModeless(templateId, proc, param);
  }
  int RunMessageLoop() override { return qt_.RunMessageLoop(); }
  void Quit(int code) override { qt_.Quit(code); }
  bool AcquireSingleInstance(const char* name, int request) override {
    return qt_.AcquireSingleInstance(name, request);
  }
  void ReleaseSingleInstance() override { qt_.ReleaseSingleInstance(); }
  void ListenForLaterStarts(Window& owner, int command, int endRequest) override {
    qt_.ListenForLaterStarts(owner, command, endRequest);
  }
  void AddTrayIcon(Window& owner, int iconId, const char* tip) override {
    qt_.AddTrayIcon(owner, iconId, tip);
  }
  void RemoveTrayIcon(Window& owner, int iconId) override { qt_.RemoveTrayIcon(owner, iconId); }
  void SetTrayIconState(Window& owner, int iconId, IconState state,
                        const std::string& tip) override {
    qt_.SetTrayIconState(owner, iconId, state, tip);
  }
  void Notify(Window&, int, NotificationKind, const std::string&, const std::string&) override {}
  int TrackMenu(Window& owner, const std::vector<MenuItem>& items) override {
    return qt_.TrackMenu(owner, items);
  }
  bool NotificationAreaAvailable() override { return qt_.NotificationAreaAvailable(); }
  Size ScreenSize() override { return qt_.ScreenSize(); }
  void DebugTrace(const char* text) override { qt_.DebugTrace(text); }
  void BeginWaitCursor() override { qt_.BeginWaitCursor(); }
  void EndWaitCursor() override { qt_.EndWaitCursor(); }
  bool RunsWorkers() override { return false; }

 private:
  Platform& qt_;
};

struct Stalls {
  double longestMs = 0;
  int over100Ms = 0;  // ticks that came more than 100 ms late
};

Stalls Watch(Platform& platform, int seconds) {
  Stalls stalls;
  Clock::time_point last{};
  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, [&] {
    const Clock::time_point now = Clock::now();
    if (last != Clock::time_point{}) {
      const double gap = std::chrono::duration<double, std::milli>(now - last).count();
      stalls.longestMs = std::max(stalls.longestMs, gap);
      if (gap > 110) ++stalls.over100Ms;
    }
    last = now;
  });
  tick.start(10);
  QTimer::singleShot(seconds * 1000, [&] { platform.Quit(0); });
  DeviceLink link(LibusbBackend());
  RunVantrel(platform, link, StartKind::ByUser, 10);
  return stalls;
}

}  // namespace

int main(int argc, char** argv) {
  if (!RunUnderUmockdevPreload(argv)) return 1;
  const int seconds = argc > 1 ? std::max(11, std::atoi(argv[1])) : 25;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  SetUpQtApplication();

  TarnlowPrinter printer;
  printer.LoadDemoState();
  EmulatedUsbBus bus(printer);
  if (!bus.Ready()) return 1;
  // Everything else answers: the window opens as usual.
  printer.SetFault(REQ_READ_PANEL_STATUS, {TarnlowPrinter::Fault::NeverAnswer, 0, {}});

  std::printf(
      "The watch every 10 s, the printer never answering its status (time-out %u ms), "
      "%d s\n",
      kTransferTimeoutMs, seconds);
  for (const bool onWorker : {true, false}) {
    QtPlatform qt(ProgramIcon(), WatchIcons());
    InPlacePlatform inPlace(qt);
    const Stalls stalls = Watch(onWorker ? static_cast<Platform&>(qt) : inPlace, seconds);
    std::printf("  read %-24s longest stall of the window %8.1f ms, %d ticks over 100 ms late\n",
                onWorker ? "on the watch's worker:" : "on the window's thread:", stalls.longestMs,
                stalls.over100Ms);
    std::fflush(stdout);
  }
  const std::size_t statusReads = printer.TakeReceived().size();
  std::printf("  requests that reached the printer in both runs: %zu\n", statusReads);
  return 0;
}
