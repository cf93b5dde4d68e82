#include "device/backend_sim.h"

#include <algorithm>
#include <cstring>
#include <set>

#include "device/control_setup.h"
#include "sim/tarnlow_printer.h"

namespace {

TarnlowPrinter* g_printer = nullptr;
std::set<DeviceHandle> g_open;
DeviceHandle g_nextHandle = 1;
std::function<void(int)> g_handlesObserver;

bool ListPrinters(std::vector<PresentDevice>& out) {
  out.clear();
  if (g_printer && g_printer->Plugged())
    out.push_back({{std::string(kPrinterHardwareId) + "&REV_0100", kPrinterHardwareId}, "sim"});
  return true;
}

DeviceHandle Open(const std::string& key) {
  if (!g_printer || !g_printer->Plugged() || key != "sim") return kInvalidDeviceHandle;
  DeviceHandle handle = g_nextHandle++;
  g_open.insert(handle);
  if (g_handlesObserver) g_handlesObserver(int(g_open.size()));
  return handle;
}

void Close(DeviceHandle handle) {
  if (g_open.erase(handle) && g_handlesObserver) g_handlesObserver(int(g_open.size()));
}

int VendorRequest(DeviceHandle handle, const std::uint8_t input[3], std::uint8_t* reply,
                  std::uint16_t length) {
  if (!g_printer || !g_open.count(handle)) return 0;
  ControlSetup setup =
      ControlSetupFromPrintSupportInput(input, TarnlowPrinter::kInterfaceNumber, length);
  TarnlowPrinter::Answer answer = g_printer->Handle(setup);
  if (answer.kind == TarnlowPrinter::Answer::Hang) return kVendorRequestTimedOut;
  if (answer.kind != TarnlowPrinter::Answer::Data) return 0;
  std::size_t count = std::min<std::size_t>(answer.bytes.size(), length);
  if (count) std::memcpy(reply, answer.bytes.data(), count);
  return static_cast<int>(count);
}

const DeviceBackend kSimulatedBackend = {"simulated", ListPrinters, Open, Close, VendorRequest};

}  // namespace

const DeviceBackend* SimulatedPrinterBackend(TarnlowPrinter& printer) {
  g_printer = &printer;
  return &kSimulatedBackend;
}

int SimulatedOpenHandles() { return static_cast<int>(g_open.size()); }

void OnSimulatedHandlesChanged(std::function<void(int openHandles)> observer) {
  g_handlesObserver = std::move(observer);
}
