#include "sim/backend_sim.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

#include "device/control_setup.h"
#include "device/device_link.h"
#include "sim/tarnlow_printer.h"

SimulatedBackend::SimulatedBackend(TarnlowPrinter& printer)
    : printer_(printer), operations_{"simulated", this,          sizeof(Handle), FindPrinter, Open,
                                     Close,       VendorRequest, nullptr,        nullptr} {}

bool SimulatedBackend::FindPrinter(void* context, const HardwareIdMatch& matches, std::string& key,
                                   LinkError& error) {
  std::lock_guard<std::recursive_mutex> hold(Of(context).lock_);
  error = LinkError{LinkErrorKind::NoDevice, LinkStep::Open, 0, 0, ""};
  if (!Of(context).printer_.Plugged()) return false;
  if (!matches({std::string(kPrinterHardwareId) + "&REV_0100", kPrinterHardwareId})) return false;
  key = "sim";
  return true;
}

bool SimulatedBackend::Open(void* context, const std::string& key, const ExpectedDevice& expected,
                            void* handle, LinkError& error) {
  std::lock_guard<std::recursive_mutex> hold(Of(context).lock_);
  SimulatedBackend& backend = Of(context);
  if (!backend.printer_.Plugged() || key != "sim" || expected.vendorId != kPrinterVendorId ||
      expected.productId != kPrinterProductId) {
    error = LinkError{LinkErrorKind::NoDevice, LinkStep::Open, 0, 0, ""};
    return false;
  }
  const Handle opened = backend.nextHandle_++;
  *static_cast<Handle*>(handle) = opened;
  backend.open_.insert(opened);
  backend.HandlesChanged();
  return true;
}

void SimulatedBackend::Close(void* context, void* handle) {
  std::lock_guard<std::recursive_mutex> hold(Of(context).lock_);
  SimulatedBackend& backend = Of(context);
  if (backend.open_.erase(*static_cast<Handle*>(handle))) backend.HandlesChanged();
}

int SimulatedBackend::VendorRequest(void* context, void* handle, const std::uint8_t input[3],
                                    std::uint8_t* reply, std::uint16_t length, LinkError& error) {
  std::lock_guard<std::recursive_mutex> hold(Of(context).lock_);
  SimulatedBackend& backend = Of(context);
  const auto fail = [&error](LinkErrorKind kind) {
    error.kind = kind;
    return -1;
  };
  if (!backend.open_.count(*static_cast<Handle*>(handle))) return fail(LinkErrorKind::NoDevice);
  ControlSetup setup =
      ControlSetupFromPrintSupportInput(input, TarnlowPrinter::kInterfaceNumber, length);
  TarnlowPrinter::Answer answer = backend.printer_.Handle(setup);
  if (answer.kind == TarnlowPrinter::Answer::Hang) return fail(LinkErrorKind::TimedOut);
  // A slow printer: the transfer waits for the answer, or gives up at the
  // link's time-out as a real one would.
  if (answer.delayMs > 0) {
    const int wait = std::min<int>(answer.delayMs, int(kTransferTimeoutMs));
    std::this_thread::sleep_for(std::chrono::milliseconds(wait));
    if (answer.delayMs >= int(kTransferTimeoutMs)) return fail(LinkErrorKind::TimedOut);
  }
  if (answer.kind != TarnlowPrinter::Answer::Data) return fail(LinkErrorKind::Refused);
  std::size_t count = std::min<std::size_t>(answer.bytes.size(), length);
  if (count) std::memcpy(reply, answer.bytes.data(), count);
  return static_cast<int>(count);
}
