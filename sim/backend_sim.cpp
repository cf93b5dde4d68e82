#include "sim/backend_sim.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

#include "device/control_setup.h"
#include "sim/tarnlow_printer.h"

SimulatedBackend::SimulatedBackend(TarnlowPrinter& printer)
    : printer_(printer), operations_{"simulated", this,          FindPrinter, Open,
                                     Close,       VendorRequest, nullptr,     nullptr} {}

bool SimulatedBackend::FindPrinter(void* context, const HardwareIdMatch& matches,
                                   std::string& key) {
  if (!Of(context).printer_.Plugged()) return false;
  if (!matches({std::string(kPrinterHardwareId) + "&REV_0100", kPrinterHardwareId})) return false;
  key = "sim";
  return true;
}

DeviceHandle SimulatedBackend::Open(void* context, const std::string& key) {
  SimulatedBackend& backend = Of(context);
  if (!backend.printer_.Plugged() || key != "sim") return kInvalidDeviceHandle;
  DeviceHandle handle = backend.nextHandle_++;
  backend.open_.insert(handle);
  backend.HandlesChanged();
  return handle;
}

void SimulatedBackend::Close(void* context, DeviceHandle handle) {
  SimulatedBackend& backend = Of(context);
  if (backend.open_.erase(handle)) backend.HandlesChanged();
}

int SimulatedBackend::VendorRequest(void* context, DeviceHandle handle, const std::uint8_t input[3],
                                    std::uint8_t* reply, std::uint16_t length) {
  SimulatedBackend& backend = Of(context);
  if (!backend.open_.count(handle)) return 0;
  ControlSetup setup =
      ControlSetupFromPrintSupportInput(input, TarnlowPrinter::kInterfaceNumber, length);
  TarnlowPrinter::Answer answer = backend.printer_.Handle(setup);
  if (answer.kind == TarnlowPrinter::Answer::Hang) return kVendorRequestTimedOut;
  // A slow printer: the transfer waits for the answer, or gives up at the
  // link's time-out as a real one would.
  if (answer.delayMs > 0) {
    const int wait = std::min<int>(answer.delayMs, int(kTransferTimeoutMs));
    std::this_thread::sleep_for(std::chrono::milliseconds(wait));
    if (answer.delayMs >= int(kTransferTimeoutMs)) return kVendorRequestTimedOut;
  }
  if (answer.kind != TarnlowPrinter::Answer::Data) return 0;
  std::size_t count = std::min<std::size_t>(answer.bytes.size(), length);
  if (count) std::memcpy(reply, answer.bytes.data(), count);
  return static_cast<int>(count);
}
