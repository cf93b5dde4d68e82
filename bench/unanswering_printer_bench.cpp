// How long an action keeps the window when the printer has stopped
// answering: the whole program, headless, through the libusb backend on the
// emulated printer, with every request left unanswered. For Status,
// Display Configuration Page (until its window shows) and Upload on the
// user service page it prints the seconds the action took, the requests
// that reached the printer and the message boxes shown. Optional argument:
// the link's time-out in milliseconds (5000, the program's own).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "device/backend_libusb.h"
#include "device/device_backend.h"
#include "device/device_link.h"
#include "shell/vantrel.h"
#include "sim/tarnlow_printer.h"
#include "sim/umockdev_printer.h"
#include "layouts/control_ids.h"
#include "ui/dialog.h"
#include "ui/headless/headless.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kUserServiceTab = 1;

struct Figures {
  double seconds = 0;
  std::size_t requests = 0;
  int messageBoxes = 0;
};

// Runs the program: opens the main window while the printer answers, then
// stops every request from being answered and does `action`. The action
// ends when the program gets the window back; for the configuration window
// that is when the window shows. Message boxes are answered at once (the
// script's end closes them).
Figures Measure(TarnlowPrinter& printer, const std::function<void(HeadlessPlatform&)>& action) {
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
    TarnlowPrinter::Fault fault;
    fault.kind = TarnlowPrinter::Fault::NeverAnswer;
    for (int code = 0; code < 256; ++code) printer.SetFault(code, fault);
    printer.TakeReceived();
  });
  platform.Script([&] {
    start = Clock::now();
    timing = true;
    action(platform);
    stop();
  });
  RunVantrel(platform);
  figures.requests = printer.TakeReceived().size();
  printer.ClearFaults();
  CloseDeviceLink();
  return figures;
}

void Print(const char* action, const Figures& figures) {
  std::printf("%-34s %8.2f s  %3zu requests reached the printer  %2d message boxes\n", action,
              figures.seconds, figures.requests, figures.messageBoxes);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  if (!RunUnderUmockdevPreload(argv)) return 1;
  const unsigned timeoutMs = argc > 1 ? unsigned(std::atoi(argv[1])) : 5000;

  TarnlowPrinter printer;
  printer.LoadDemoState();
  EmulatedUsbBus bus(printer);
  if (!bus.Ready()) return 1;
  UseDeviceBackend(LibusbBackend());
  SetLibusbTransferTimeout(timeoutMs);

  std::printf("A printer that answers nothing; link time-out %u ms\n", timeoutMs);
  Print("Status", Measure(printer, [](HeadlessPlatform& p) { p.Click("panel", kPanelStatusButton); }));
  Print("Display Configuration Page", Measure(printer, [](HeadlessPlatform& p) {
          p.Click("panel", kPanelConfigButton);
        }));
  Print("Upload (user service page)", Measure(printer, [](HeadlessPlatform& p) {
          p.PickTab("main", kMainTab, kUserServiceTab);
          p.Click("user service", kUserUploadButton);
        }));
  return 0;
}
