// What the device link costs per vendor request, measured in one run over
// the same emulated printer: the program's own link through the libusb
// backend, bare libusb_control_transfer loops with the same setup on their
// own handles, and the link through the in-process simulated backend.
// The emulation is noisy, so the libusb loops take turns in several rounds
// and the medians are compared. Then a whole command-line run: vantrel-cli
// supplies --format json from start to exit, next to the bare transfers of
// the requests it sent (its floor). Optional arguments: requests per loop,
// the vantrel-cli program (default: the one beside this program).
#include <fcntl.h>
#include <libusb.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "device/backend_libusb.h"
#include "device/control_setup.h"
#include "device/device_backend.h"
#include "device/device_link.h"
#include "sim/backend_sim.h"
#include "sim/tarnlow_printer.h"
#include "sim/umockdev_printer.h"

extern char** environ;

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

// The link the measured requests go on.
DeviceLink* g_measured = nullptr;

bool LinkRequest() {
  std::uint8_t reply[4] = {};
  return SendVendorRequest(*g_measured, kCode, 0, 4, reply) == 4;
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

// One run of the program, start to exit, its output thrown away; a negative
// time when it could not run or failed.
double MillisecondsToRun(char* const* argv) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  const auto start = Clock::now();
  pid_t child = 0;
  int status = 1;
  const bool started = posix_spawn(&child, argv[0], &actions, nullptr, argv, environ) == 0;
  if (started) waitpid(child, &status, 0);
  std::chrono::duration<double, std::milli> spent = Clock::now() - start;
  posix_spawn_file_actions_destroy(&actions);
  return started && WIFEXITED(status) && WEXITSTATUS(status) == 0 ? spent.count() : -1;
}

// vantrel-cli supplies --format json against its floor: the same requests
// as bare transfers on a handle of this process, in turns over the rounds.
void BenchCommandLine(const char* program, TarnlowPrinter& printer, const EmulatedUsbBus& bus) {
  std::string path = program;
  char* argv[] = {path.data(), const_cast<char*>("supplies"), const_cast<char*>("--format"),
                  const_cast<char*>("json"), nullptr};
  printer.TakeReceived();
  if (MillisecondsToRun(argv) < 0) {
    std::fprintf(stderr, "%s did not run\n", program);
    std::exit(1);
  }
  std::vector<ControlSetup> sent;
  for (const TarnlowPrinter::Received& request : printer.TakeReceived()) {
    std::uint8_t input[3];
    PrintSupportInput(request.code, request.wValue, input);
    sent.push_back(ControlSetupFromPrintSupportInput(input, TarnlowPrinter::kInterfaceNumber,
                                                     std::uint16_t(request.length)));
  }
  BareHandle bare;
  if (!OpenBare(bus, false, bare)) std::exit(1);
  auto floor = [&] {
    const auto start = Clock::now();
    for (const ControlSetup& setup : sent) {
      std::vector<std::uint8_t> reply(setup.wLength);
      if (libusb_control_transfer(bare.handle, setup.bmRequestType, setup.bRequest, setup.wValue,
                                  setup.wIndex, reply.data(), setup.wLength, 5000) <= 0)
        std::exit(1);
    }
    std::chrono::duration<double, std::milli> spent = Clock::now() - start;
    return spent.count();
  };
  // What starting any program costs here (the umockdev preload is heavy),
  // and this one without the printer.
  char* nothing[] = {const_cast<char*>("/bin/true"), nullptr};
  char* version[] = {path.data(), const_cast<char*>("--version"), nullptr};
  // What a run pays before its first request: the libusb context, the
  // device search and both handles, and their release.
  auto openAndClose = [] {
    const auto start = Clock::now();
    {
      DeviceLink link(LibusbBackend());
      if (OpenDeviceLink(link) != 1) std::exit(1);
    }
    ReleaseDeviceBackend(LibusbBackend());
    std::chrono::duration<double, std::milli> spent = Clock::now() - start;
    return spent.count();
  };
  constexpr int kRuns = 15;
  constexpr int kFloorsPerRun = 20;
  std::vector<double> runs, floors, nothings, versions, opens;
  for (int run = 0; run < kRuns; ++run) {
    runs.push_back(MillisecondsToRun(argv));
    opens.push_back(openAndClose());
    nothings.push_back(MillisecondsToRun(nothing));
    versions.push_back(MillisecondsToRun(version));
    for (int i = 0; i < kFloorsPerRun; ++i) floors.push_back(floor());
  }
  CloseBare(bare);
  std::printf("vantrel-cli supplies --format json (%zu request%s), %d runs\n", sent.size(),
              sent.size() == 1 ? "" : "s", kRuns);
  std::printf("  start to exit:                        %8.2f ms (median)\n", Median(runs));
  std::printf("  its requests as bare transfers:       %8.2f ms (median, the floor)\n",
              Median(floors));
  std::printf("  run / floor:                          %8.1f\n", Median(runs) / Median(floors));
  std::printf("  /bin/true, start to exit:             %8.2f ms (median)\n", Median(nothings));
  std::printf("  vantrel-cli --version, start to exit: %8.2f ms (median)\n", Median(versions));
  std::printf("  opening and closing the link:         %8.2f ms (median, in this process)\n",
              Median(opens));
}

}  // namespace

int main(int argc, char** argv) {
  if (!RunUnderUmockdevPreload(argv)) return 1;
  const int iterations = argc > 1 ? std::atoi(argv[1]) : 2700;
  const std::string here = argv[0];
  const std::string cli =
      argc > 2 ? argv[2] : here.substr(0, here.find_last_of('/') + 1) + "vantrel-cli";
  if (iterations < kRounds) return 1;
  const int perRound = iterations / kRounds;

  TarnlowPrinter printer;
  printer.LoadDemoState();
  EmulatedUsbBus bus(printer);
  if (!bus.Ready()) return 1;

  DeviceLink usbLink(LibusbBackend());
  g_measured = &usbLink;
  if (OpenDeviceLink(usbLink) != 1) {
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
  CloseDeviceLink(usbLink);

  SimulatedBackend simulated(printer);
  DeviceLink simLink(simulated.Operations());
  g_measured = &simLink;
  if (OpenDeviceLink(simLink) != 1) return 1;
  MicrosecondsPerRequest(kWarmUp, LinkRequest);
  const int inProcessCount = 200000;
  const double inProcess = MicrosecondsPerRequest(inProcessCount, LinkRequest);
  CloseDeviceLink(simLink);

  std::printf("vendor request %d (value read), %d rounds of %d requests per loop\n", kCode, kRounds,
              perRound);
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
  BenchCommandLine(cli.c_str(), printer, bus);
  return 0;
}
