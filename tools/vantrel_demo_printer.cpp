// vantrel-demo-printer: plugs the simulated Tarnlow in as a USB device
// (umockdev) and runs a program beside it, so that the program finds the
// printer through libusb as it would find a real one.
//
//   vantrel-demo-printer [OPTION]... [--] PROGRAM [ARGS...]
//
// --refuse CODE makes the printer answer request CODE with something other
// than "OK"; --fail CODE makes that request's transfer fail, --hang CODE
// leaves it unanswered until the program's time-out, --delay MS makes every
// answer late (for tests).
// --status CODES and --set KEY=VALUE give it another state; --second SERIAL
// plugs in a second, ready printer; --no-access makes the first one's node
// unopenable (tests of a host without the udev rule). --control FIFO
// changes the first printer while PROGRAM runs, a line of the named pipe
// at a time: "status CODES", "set KEY=VALUE", "hang CODE", "answer CODE"
// (the fault on CODE taken off); "unplug" and "plug" pull the second
// printer out and plug it in again.
//
// The process re-executes itself under the umockdev preload, creates the
// testbed with the printer, and starts PROGRAM with the same environment
// (LD_PRELOAD and UMOCKDEV_DIR included). umockdev's worker thread serves
// the device node while PROGRAM runs; the exit status is PROGRAM's.
// SIGINT, SIGTERM and SIGHUP end PROGRAM with SIGTERM (SIGKILL when it is
// still running after a few seconds, or at a second signal).
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "sim/tarnlow_printer.h"
#include "sim/umockdev_printer.h"

extern char** environ;

namespace {

constexpr char kName[] = "vantrel-demo-printer";
constexpr char kPreloadLibrary[] = "libumockdev-preload.so.0";
constexpr int kUsageStatus = 2;
constexpr int kSetupFailedStatus = 1;
constexpr int kCannotStartStatus = 127;   // as a shell reports a missing command
constexpr int kGraceSeconds = 5;          // SIGTERM to SIGKILL
constexpr long kLongestDelayMs = 600000;  // far beyond any time-out of the program

void PrintUsage(std::FILE* out) {
  std::fprintf(out,
               "Usage: %s [OPTION]... [--] PROGRAM [ARGS...]\n"
               "Plugs in a simulated Tarnlow printer as an emulated USB device (umockdev)\n"
               "and runs PROGRAM beside it; exits with PROGRAM's exit status.\n"
               "--refuse CODE: the printer answers request CODE with something other than OK.\n"
               "--fail CODE: the transfer of request CODE fails.\n"
               "--hang CODE: the printer never answers request CODE (the transfer times out).\n"
               "--delay MS: every answer comes MS milliseconds late.\n"
               "--status CODES: the status codes it reports, comma-separated.\n"
               "--set KEY=VALUE: a value of its information pages.\n"
               "--second SERIAL: a second printer, ready, with that serial number.\n"
               "--no-access: the printer's device node cannot be opened without\n"
               "  CAP_DAC_OVERRIDE (as without the udev rule).\n"
               "--control FIFO: change the printer while PROGRAM runs, one line of the\n"
               "  named pipe at a time: status CODES, set KEY=VALUE, hang CODE, answer CODE;\n"
               "  unplug and plug the second printer.\n"
               "Example: %s build/bin/vantrel\n",
               kName, kName);
}

// What the command line asks of the printers.
struct DemoOptions {
  std::vector<std::pair<int, TarnlowPrinter::Fault::Kind>> faults;  // request code and kind
  std::optional<std::vector<std::string>> status;
  std::vector<std::pair<std::string, std::string>> pageValues;
  std::string secondSerial;
  std::string control;  // the named pipe of --control
  int answerDelayMs = 0;
  bool noAccess = false;
};

std::vector<std::string> SplitAtCommas(const std::string& text) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t comma; (comma = text.find(',', start)) != std::string::npos; start = comma + 1)
    parts.push_back(text.substr(start, comma - start));
  if (start < text.size()) parts.push_back(text.substr(start));
  return parts;
}

// A request code 0..255; -1 for anything else.
int RequestCodeOf(const char* text) {
  char* end = nullptr;
  const long code = std::strtol(text, &end, 10);
  return *text && *end == '\0' && code >= 0 && code <= 255 ? int(code) : -1;
}

// A delay in milliseconds, 0..kLongestDelayMs; -1 for anything else.
int MillisecondsOf(const char* text) {
  char* end = nullptr;
  const long milliseconds = std::strtol(text, &end, 10);
  return *text >= '0' && *text <= '9' && *end == '\0' && milliseconds <= kLongestDelayMs
             ? int(milliseconds)
             : -1;
}

TarnlowPrinter::Fault::Kind FaultOf(const std::string& option) {
  if (option == "--refuse") return TarnlowPrinter::Fault::Refuse;
  if (option == "--hang") return TarnlowPrinter::Fault::NeverAnswer;
  return TarnlowPrinter::Fault::FailTransfer;
}

// The index of PROGRAM in argv, 0 after printing the usage (exit status in
// `status`).
int ProgramIndex(int argc, char** argv, DemoOptions& options, int& status) {
  if (argc > 1 && (std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "--help") == 0)) {
    PrintUsage(stdout);
    status = 0;
    return 0;
  }
  int index = 1;
  for (; index < argc; ++index) {
    const std::string option = argv[index];
    if (option == "--no-access") {
      options.noAccess = true;
      continue;
    }
    const bool known = option == "--refuse" || option == "--fail" || option == "--hang" ||
                       option == "--delay" || option == "--status" || option == "--set" ||
                       option == "--second" || option == "--control";
    if (!known || index + 1 >= argc) break;
    const std::string value = argv[++index];
    if (option == "--status") {
      options.status = SplitAtCommas(value);
    } else if (option == "--set") {
      const std::size_t equals = value.find('=');
      options.pageValues.push_back(
          {value.substr(0, equals), equals == std::string::npos ? "" : value.substr(equals + 1)});
    } else if (option == "--second") {
      options.secondSerial = value;
    } else if (option == "--control") {
      options.control = value;
    } else if (option == "--delay") {
      options.answerDelayMs = MillisecondsOf(value.c_str());
      if (options.answerDelayMs < 0) {
        std::fprintf(stderr, "%s: %s is no delay in milliseconds (0 to %ld)\n", kName,
                     value.c_str(), kLongestDelayMs);
        status = kUsageStatus;
        return 0;
      }
    } else {
      const int code = RequestCodeOf(value.c_str());
      if (code < 0) {
        std::fprintf(stderr, "%s: %s is no request code\n", kName, value.c_str());
        status = kUsageStatus;
        return 0;
      }
      options.faults.push_back({code, FaultOf(option)});
    }
  }
  if (index < argc && std::strcmp(argv[index], "--") == 0)
    ++index;
  else if (index < argc && argv[index][0] == '-') {
    std::fprintf(stderr, "%s: unknown option %s\n", kName, argv[index]);
    index = argc;
  }
  if (index >= argc || argv[index][0] == '\0') {
    PrintUsage(stderr);
    status = kUsageStatus;
    return 0;
  }
  return index;
}

// The demonstration printer: the demo state, and a status list that shows
// the panel's normal, warning and operator-call messages side by side.
void LoadDemoPrinter(TarnlowPrinter& printer) {
  printer.LoadDemoState();
  printer.SetStatusCodes({
      "000000",  // READY
      "302002",  // magenta toner low (the demo cartridge is at 12 %)
      "207000",  // OUTPUT TRAY FULL / REMOVE PAPER
  });
}

// What --control changes: the first printer, and the second on the bus.
struct ControlTarget {
  TarnlowPrinter& printer;
  EmulatedUsbBus& bus;
  TarnlowPrinter& second;
  EmulatedDeviceIds secondIds;
  int secondDevice;  // -1 while it is not plugged in
};

// One line of --control applied; false for a line it does not know or
// cannot apply.
bool ApplyControlLine(ControlTarget& target, const std::string& line) {
  TarnlowPrinter& printer = target.printer;
  if (line == "unplug" || line == "plug") {
    const bool plugged = target.secondDevice >= 0;
    if ((line == "unplug") != plugged || target.secondIds.serial.empty()) return false;
    if (plugged) {
      target.bus.Unplug(target.secondDevice);
      target.secondDevice = -1;
    } else {
      target.secondDevice = target.bus.PlugIn(&target.second, target.secondIds);
    }
    return true;
  }
  const std::size_t blank = line.find(' ');
  const std::string word = line.substr(0, blank);
  const std::string value = blank == std::string::npos ? "" : line.substr(blank + 1);
  if (word == "status") {
    printer.SetStatusCodes(SplitAtCommas(value));
    return true;
  }
  if (word == "set") {
    const std::size_t equals = value.find('=');
    return equals != std::string::npos &&
           printer.SetPageValue(value.substr(0, equals), value.substr(equals + 1));
  }
  const int code = RequestCodeOf(value.c_str());
  if (code < 0) return false;
  if (word == "hang") {
    TarnlowPrinter::Fault fault;
    fault.kind = TarnlowPrinter::Fault::NeverAnswer;
    printer.SetFault(code, fault);
    return true;
  }
  if (word != "answer") return false;
  printer.ClearFault(code);
  return true;
}

// Reads the named pipe for the program's whole run. Opened for writing too,
// so that a writer closing it is no end and the opening never waits.
bool FollowControl(const std::string& path, ControlTarget& target) {
  const int fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
  std::FILE* pipe = fd < 0 ? nullptr : fdopen(fd, "r");
  if (!pipe) {
    std::fprintf(stderr, "%s: cannot open %s: %s\n", kName, path.c_str(), std::strerror(errno));
    return false;
  }
  std::thread([pipe, &target] {
    char buffer[1024];
    while (std::fgets(buffer, sizeof buffer, pipe)) {
      std::string line(buffer);
      while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
      if (!line.empty() && !ApplyControlLine(target, line))
        std::fprintf(stderr, "%s: --control: cannot apply '%s'\n", kName, line.c_str());
    }
  }).detach();
  return true;
}

// The loader only warns when a preload library is missing and runs the
// program anyway, so look for it among the loaded libraries.
bool PreloadIsLoaded() {
  void* library = dlopen(kPreloadLibrary, RTLD_LAZY | RTLD_NOLOAD);
  if (!library) return false;
  dlclose(library);
  return true;
}

// Starts the program with the normal signal disposition; 0 on failure.
pid_t StartProgram(char** argv, const sigset_t& handled) {
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t none;
  sigemptyset(&none);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setsigdefault(&attributes, &handled);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  pid_t child = 0;
  const int error = posix_spawnp(&child, argv[0], nullptr, &attributes, argv, environ);
  posix_spawnattr_destroy(&attributes);
  if (error != 0) {
    std::fprintf(stderr, "%s: cannot start %s: %s\n", kName, argv[0], std::strerror(error));
    return 0;
  }
  return child;
}

// The shell's convention: the exit code, or 128 + the signal that ended it.
int ExitStatusOf(int waitStatus) {
  if (WIFEXITED(waitStatus)) return WEXITSTATUS(waitStatus);
  if (WIFSIGNALED(waitStatus)) return 128 + WTERMSIG(waitStatus);
  return kSetupFailedStatus;
}

// Waits for the child, passing on a request to stop. The handled signals
// are blocked in every thread, so they are taken here one at a time.
int WaitForProgram(pid_t child, const sigset_t& handled) {
  bool terminating = false;
  bool killed = false;
  std::timespec killAt{};
  for (;;) {
    int waitStatus = 0;
    const pid_t ended = waitpid(child, &waitStatus, WNOHANG);
    if (ended == child) return ExitStatusOf(waitStatus);
    if (ended < 0 && errno != EINTR) {
      std::fprintf(stderr, "%s: waiting for the program: %s\n", kName, std::strerror(errno));
      return kSetupFailedStatus;
    }

    // SIGCHLD may have come before the wait above: look again at least
    // once a second.
    const std::timespec tick{1, 0};
    const int signal = sigtimedwait(&handled, nullptr, &tick);
    std::timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    if (signal == SIGINT || signal == SIGTERM || signal == SIGHUP) {
      if (!terminating) {
        std::fprintf(stderr, "%s: ending %d\n", kName, int(child));
        kill(child, SIGTERM);
        terminating = true;
        killAt = now;
        killAt.tv_sec += kGraceSeconds;
      } else if (!killed) {
        kill(child, SIGKILL);
        killed = true;
      }
    } else if (terminating && !killed && now.tv_sec >= killAt.tv_sec) {
      std::fprintf(stderr, "%s: %d did not end in %d s, killing it\n", kName, int(child),
                   kGraceSeconds);
      kill(child, SIGKILL);
      killed = true;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  int usageStatus = 0;
  DemoOptions options;
  const int program = ProgramIndex(argc, argv, options, usageStatus);
  if (program == 0) return usageStatus;

  if (!RunUnderUmockdevPreload(argv)) {
    std::fprintf(stderr, "%s: could not restart itself under the umockdev preload\n", kName);
    return kSetupFailedStatus;
  }
  if (!PreloadIsLoaded()) {
    std::fprintf(stderr,
                 "%s: the umockdev preload library %s is not available;\n"
                 "install the package umockdev (apt-get install umockdev)\n",
                 kName, kPreloadLibrary);
    return kSetupFailedStatus;
  }

  // Block the signals before umockdev starts its threads, so that they all
  // inherit the mask and only the wait below takes them.
  sigset_t handled;
  sigemptyset(&handled);
  for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGCHLD}) sigaddset(&handled, signal);
  pthread_sigmask(SIG_BLOCK, &handled, nullptr);

  TarnlowPrinter printer;
  LoadDemoPrinter(printer);
  for (const auto& [code, kind] : options.faults) {
    TarnlowPrinter::Fault fault;
    fault.kind = kind;
    printer.SetFault(code, fault);
  }
  if (options.status) printer.SetStatusCodes(*options.status);
  for (const auto& [key, value] : options.pageValues) printer.SetPageValue(key, value);
  printer.SetAnswerDelay(options.answerDelayMs);
  TarnlowPrinter second;
  second.LoadDemoState();
  second.SetStatusCodes({"000000"});
  second.SetPageValue("MACHINESERIAL", options.secondSerial);
  EmulatedUsbBus bus;
  if (!bus.Ready()) {
    std::fprintf(stderr, "%s: could not create the umockdev testbed\n", kName);
    return kSetupFailedStatus;
  }
  EmulatedDeviceIds secondIds;
  secondIds.serial = options.secondSerial;
  int secondDevice = -1;
  if (bus.PlugIn(&printer) < 0 || (options.noAccess && !bus.DenyAccess(0)) ||
      (!options.secondSerial.empty() && (secondDevice = bus.PlugIn(&second, secondIds)) < 0)) {
    std::fprintf(stderr, "%s: could not plug the emulated printer in\n", kName);
    return kSetupFailedStatus;
  }
  ControlTarget control{printer, bus, second, secondIds, secondDevice};
  if (!options.control.empty() && !FollowControl(options.control, control))
    return kSetupFailedStatus;
  std::fprintf(stderr, "%s: Tarnlow %04x:%04x emulated at %s; starting %s\n", kName,
               kPrinterVendorId, kPrinterProductId, bus.DeviceNode().c_str(), argv[program]);

  const pid_t child = StartProgram(argv + program, handled);
  if (child == 0) return kCannotStartStatus;
  // Returning (not exiting) lets the bus remove its testbed folder.
  return WaitForProgram(child, handled);
}
