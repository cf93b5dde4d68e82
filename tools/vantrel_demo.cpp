// vantrel-demo.exe: the Windows program with the simulated printer in the
// process instead of the driver, for trying the program without a printer
// and for the tests under Wine.
#include <windows.h>

#include "app/win32_program.h"
#include "device/device_backend.h"
#include "sim/backend_sim.h"
#include "sim/tarnlow_printer.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  static TarnlowPrinter printer;
  printer.LoadDemoState();
  static SimulatedBackend backend(printer);
  return RunWin32Program(backend.Operations());
}
