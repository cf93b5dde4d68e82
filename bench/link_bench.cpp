// What the device link costs per vendor request, measured in one run over
// the same emulated printer: the program's own link through the libusb
// backend, bare libusb_control_transfer loops with the same setup on their
// own handles, and the link through the in-process simulated backend.
// The emulation is noisy, so the libusb loops take turns in several rounds
// and the medians are compared. Optional argument: requests per loop.
#include <libusb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "device/backend_libusb.h"
#include "device/control_setup.h"
#include "device/device_backend.h"
#include "device/device_link.h"
#include "sim/backend_sim.h"
#include "sim/tarnlow_printer.h"
#include "sim/umockdev_printer.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kCode = 20;  // a value read: 4 bytes back
constexpr int kRounds = 9;
constexpr int kWarmUp = 200;

// Microseconds per call of `request`, over `count` calls.
template <typename Request>
double MicrosecondsPerRequest(int count, Request request) {
  const auto start = Clock::now();
  for (int i = 0; i < count; ++i) {
    if (!request()) {
      std::fprintf(stderr, "a request failed\n");
      std::exit(1);
    }
  }
  std::chrono::duration<double, std::micro> spent = Clock::now() - start;
  return spent.count() / count;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

bool LinkRequest() {
  std::uint8_t reply[4] = {};
  return SendVendorRequest(kCode, 0, 4, reply) == 4;
}

// A bare libusb handle to the emulated printer in a context of its own.
// `twin` opens a second, idle handle beside it, as the link keeps hPipeB
// open beside hPipeA: the emulated node is a plain file that poll always
// reports ready, so in the emulation every open handle costs one more
// REAPURBNDELAY per turn of libusb's event loop (a real usbfs node is only
// ready when a URB has completed). Matching the handles keeps that artefact
// out of the comparison.
struct BareHandle {
  libusb_context* context = nullptr;
  libusb_device_handle* handle = nullptr;
  libusb_device_handle* twin = nullptr;
};

libusb_device_handle* OpenDevice(libusb_context* context, const EmulatedUsbBus& bus) {
  libusb_device** list = nullptr;
  const ssize_t count = libusb_get_device_list(context, &list);
  libusb_device_handle* handle = nullptr;
  for (ssize_t i = 0; i < count; ++i) {
    if (libusb_get_bus_number(list[i]) == bus.BusNumber() &&
        libusb_get_device_address(list[i]) == bus.DeviceAddress()) {
      if (libusb_open(list[i], &handle) != 0) handle = nullptr;
      break;
    }
  }
  if (count >= 0) libusb_free_device_list(list, 1);
  return handle;
}

bool OpenBare(const EmulatedUsbBus& bus, bool twin, BareHandle& bare) {
  if (libusb_init(&bare.context) != 0) return false;
  bare.handle = OpenDevice(bare.context, bus);
  if (twin) bare.twin = OpenDevice(bare.context, bus);
  return bare.handle && (!twin || bare.twin);
}

void CloseBare(BareHandle& bare) {
  if (bare.twin) libusb_close(bare.twin);
  if (bare.handle) libusb_close(bare.handle);
  libusb_exit(bare.context);
}

}  // namespace

int main(int argc, char** argv) {
  if (!RunUnderUmockdevPreload(argv)) return 1;
  const int iterations = argc > 1 ? std::atoi(argv[1]) : 2700;
  if (iterations < kRounds) return 1;
  const int perRound = iterations / kRounds;

  TarnlowPrinter printer;
  printer.LoadDemoState();
  EmulatedUsbBus bus(printer);
  if (!bus.Ready()) return 1;

  UseDeviceBackend(LibusbBackend());
  ConfigurePrinterLink();
  if (OpenDeviceLink() != 1) {
    std::fprintf(stderr, "the emulated printer did not open\n");
    return 1;
  }
  BareHandle matched, single;
  if (!OpenBare(bus, true, matched) || !OpenBare(bus, false, single)) {
    std::fprintf(stderr, "libusb could not open the emulated printer\n");
    return 1;
  }

  // The same control setup the link puts on the wire.
  std::uint8_t input[3];
  PrintSupportInput(kCode, 0, input);
  const ControlSetup setup =
      ControlSetupFromPrintSupportInput(input, TarnlowPrinter::kInterfaceNumber, 4);
  auto bareRequest = [&setup](libusb_device_handle* handle) {
    return [&setup, handle] {
      std::uint8_t reply[4] = {};
      return libusb_control_transfer(handle, setup.bmRequestType, setup.bRequest, setup.wValue,
                                     setup.wIndex, reply, setup.wLength, 5000) == 4;
    };
  };
  auto matchedRequest = bareRequest(matched.handle);
  auto singleRequest = bareRequest(single.handle);

  MicrosecondsPerRequest(kWarmUp, LinkRequest);
  MicrosecondsPerRequest(kWarmUp, matchedRequest);
  MicrosecondsPerRequest(kWarmUp, singleRequest);
  std::vector<double> link, bare, bareSingle, ratios;
  for (int round = 0; round < kRounds; ++round) {
    // Rotate the order so that drift and other load hit all loops alike.
    for (int turn = 0; turn < 3; ++turn) {
      switch ((round + turn) % 3) {
        case 0: link.push_back(MicrosecondsPerRequest(perRound, LinkRequest)); break;
        case 1: bare.push_back(MicrosecondsPerRequest(perRound, matchedRequest)); break;
        case 2: bareSingle.push_back(MicrosecondsPerRequest(perRound, singleRequest)); break;
      }
    }
    ratios.push_back(link.back() / bare.back());
  }
  CloseBare(single);
  CloseBare(matched);
  CloseDeviceLink();

  SimulatedBackend simulated(printer);
  UseDeviceBackend(simulated.Operations());
  ConfigurePrinterLink();
  if (OpenDeviceLink() != 1) return 1;
  MicrosecondsPerRequest(kWarmUp, LinkRequest);
  const int inProcessCount = 200000;
  const double inProcess = MicrosecondsPerRequest(inProcessCount, LinkRequest);
  UseDeviceBackend(nullptr);  // closes the link before the backend goes

  std::printf("vendor request %d (value read), %d rounds of %d requests per loop\n", kCode,
              kRounds, perRound);
  std::printf("  link over libusb, emulated printer:   %8.1f us per request (median)\n",
              Median(link));
  std::printf("  bare libusb_control_transfer:         %8.1f us per request (median)\n",
              Median(bare));
  std::printf("  link / bare:                          %8.3f (median of the rounds' ratios)\n",
              Median(ratios));
  std::printf("  bare, without the idle second handle: %8.1f us per request (median)\n",
              Median(bareSingle));
  std::printf("  link in-process, simulated backend:   %8.3f us per request (%d requests)\n",
              inProcess, inProcessCount);
  return 0;
}
