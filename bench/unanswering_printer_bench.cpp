// How long an action keeps the window when the printer has stopped
// answering, and when it answers everything just before the time-out: the
// whole program, headless, through the libusb backend on the emulated
// printer. For Status, Display Configuration Page (until its window shows)
// and Upload on the user service page it prints the seconds the action
// took, the requests that reached the printer and the message boxes shown;
// for `vantrel-cli config` (beside this program) the seconds and requests.
// Optional arguments: the link's time-out in milliseconds (5000, the
// program's own) and the slow printer's delay per answer (the time-out
// less 100 ms).
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "device/backend_libusb.h"
#include "device/device_backend.h"
#include "device/device_link.h"
#include "layouts/control_ids.h"
#include "shell/vantrel.h"
#include "sim/tarnlow_printer.h"
#include "sim/umockdev_printer.h"
#include "ui/dialog.h"
#include "ui/headless/headless.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kUserServiceTab = 1;

struct Figures {
  double seconds = 0;
  std::size_t requests = 0;
  int messageBoxes = 0;
};

// How the printer misbehaves while an action is measured.
struct Misbehaviour {
  int delayMs = 0;  // 0: it answers nothing; else every answer this late
};

void Misbehave(TarnlowPrinter& printer, const Misbehaviour& how) {
  if (how.delayMs > 0) {
    printer.SetAnswerDelay(how.delayMs);
    return;
  }
  TarnlowPrinter::Fault fault;
  fault.kind = TarnlowPrinter::Fault::NeverAnswer;
  for (int code = 0; code < 256; ++code) printer.SetFault(code, fault);
}

void BehaveAgain(TarnlowPrinter& printer) {
  printer.ClearFaults();
  printer.SetAnswerDelay(0);
}

// Runs the program: opens the main window while the printer answers, then
// makes the printer misbehave and does `action`. The action
// ends when the program gets the window back; for the configuration window
// that is when the window shows. Message boxes are answered at once (the
// script's end closes them).
Figures Measure(TarnlowPrinter& printer, const Misbehaviour& how,
                const std::function<void(HeadlessPlatform&)>& action) {
  Figures figures;
  Clock::time_point start;
  bool timing = false;
  auto stop = [&] {
    if (!timing) return;
    figures.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    timing = false;
  };
  HeadlessPlatform platform([&](const std::string& line) {
    if (!timing) return;
    if (line.rfind("message box", 0) == 0) ++figures.messageBoxes;
    if (line == "show configuration") stop();
  });
  UsePlatform(&platform);
  printer.ClearFaults();
  platform.Script([&] { platform.TrayMouse(kMouseLeftDoubleClick); });
  platform.Script([&] {
    Misbehave(printer, how);
    printer.TakeReceived();
  });
  platform.Script([&] {
    start = Clock::now();
    timing = true;
    action(platform);
    stop();
  });
  DeviceLink link(LibusbBackend());
  RunVantrel(platform, link);
  figures.requests = printer.TakeReceived().size();
  BehaveAgain(printer);
  return figures;
}

// `vantrel-cli config` from the folder of this program, its output thrown
// away; it finds the emulated printer through the environment it inherits.
Figures MeasureCli(TarnlowPrinter& printer, const Misbehaviour& how) {
  Figures figures;
  char self[4096] = {};
  const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  std::string cli = std::string(self, length > 0 ? std::size_t(length) : 0);
  cli = cli.substr(0, cli.rfind('/') + 1) + "vantrel-cli";
  char* argv[] = {cli.data(), const_cast<char*>("config"), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  Misbehave(printer, how);
  printer.TakeReceived();
  const auto start = Clock::now();
  pid_t child = 0;
  if (posix_spawn(&child, cli.c_str(), &actions, nullptr, argv, environ) == 0) {
    int status = 0;
    waitpid(child, &status, 0);
    figures.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  } else {
    figures.seconds = -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  figures.requests = printer.TakeReceived().size();
  BehaveAgain(printer);
  return figures;
}

void Print(const char* action, const Figures& figures) {
  std::printf("%-34s %8.2f s  %3zu requests reached the printer  %2d message boxes\n", action,
              figures.seconds, figures.requests, figures.messageBoxes);
  std::fflush(stdout);
}

void MeasureEveryAction(TarnlowPrinter& printer, const Misbehaviour& how) {
  Print("Status",
        Measure(printer, how, [](HeadlessPlatform& p) { p.Click("panel", kPanelStatusButton); }));
  Print("Display Configuration Page",
        Measure(printer, how, [](HeadlessPlatform& p) { p.Click("panel", kPanelConfigButton); }));
  Print("Upload (user service page)", Measure(printer, how, [](HeadlessPlatform& p) {
          p.PickTab("main", kMainTab, kUserServiceTab);
          p.Click("user service", kUserUploadButton);
        }));
  Print("vantrel-cli config", MeasureCli(printer, how));
}

}  // namespace

int main(int argc, char** argv) {
  if (!RunUnderUmockdevPreload(argv)) return 1;
  const unsigned timeoutMs = argc > 1 ? unsigned(std::atoi(argv[1])) : kTransferTimeoutMs;
  const int delayMs = argc > 2 ? std::atoi(argv[2]) : int(timeoutMs) - 100;

  TarnlowPrinter printer;
  printer.LoadDemoState();
  EmulatedUsbBus bus(printer);
  if (!bus.Ready()) return 1;
  SetLibusbTransferTimeout(timeoutMs);

  std::printf("A printer that answers nothing; link time-out %u ms\n", timeoutMs);
  MeasureEveryAction(printer, {});
  std::printf("A printer that answers every request after %d ms\n", delayMs);
  MeasureEveryAction(printer, {delayMs});
  return 0;
}
