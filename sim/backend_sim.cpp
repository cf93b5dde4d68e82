#include "sim/backend_sim.h"

#include <algorithm>
#include <cstring>
#include <set>

#include "device/control_setup.h"
#include "sim/tarnlow_printer.h"

namespace {

std::set<DeviceHandle> g_open;
DeviceHandle g_nextHandle = 1;
std::function<void(int)> g_handlesObserver;

TarnlowPrinter& Printer(void* context) { return *static_cast<TarnlowPrinter*>(context); }

bool FindPrinter(void* context, const HardwareIdMatch& matches, std::string& key) {
  if (!Printer(context).Plugged()) return false;
  if (!matches({std::string(kPrinterHardwareId) + "&REV_0100", kPrinterHardwareId})) return false;
  key = "sim";
  return true;
}

DeviceHandle Open(void* context, const std::string& key) {
  if (!Printer(context).Plugged() || key != "sim") return kInvalidDeviceHandle;
  DeviceHandle handle = g_nextHandle++;
  g_open.insert(handle);
  if (g_handlesObserver) g_handlesObserver(int(g_open.size()));
  return handle;
}

void Close(void*, DeviceHandle handle) {
  if (g_open.erase(handle) && g_handlesObserver) g_handlesObserver(int(g_open.size()));
}

int VendorRequest(void* context, DeviceHandle handle, const std::uint8_t input[3],
                  std::uint8_t* reply, std::uint16_t length) {
  if (!g_open.count(handle)) return 0;
  ControlSetup setup =
      ControlSetupFromPrintSupportInput(input, TarnlowPrinter::kInterfaceNumber, length);
  TarnlowPrinter::Answer answer = Printer(context).Handle(setup);
  if (answer.kind == TarnlowPrinter::Answer::Hang) return kVendorRequestTimedOut;
  if (answer.kind != TarnlowPrinter::Answer::Data) return 0;
  std::size_t count = std::min<std::size_t>(answer.bytes.size(), length);
  if (count) std::memcpy(reply, answer.bytes.data(), count);
  return static_cast<int>(count);
}

DeviceBackend g_simulatedBackend = {"simulated", nullptr, FindPrinter, Open, Close, VendorRequest,
                                    nullptr};

}  // namespace

const DeviceBackend* SimulatedPrinterBackend(TarnlowPrinter& printer) {
  g_simulatedBackend.context = &printer;
  return &g_simulatedBackend;
}

int SimulatedOpenHandles() { return static_cast<int>(g_open.size()); }

void OnSimulatedHandlesChanged(std::function<void(int openHandles)> observer) {
  g_handlesObserver = std::move(observer);
}
