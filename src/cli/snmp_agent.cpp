#include "cli/snmp_agent.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <iostream>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "cli/exit_status.h"
#include "cli/pass_persist.h"
#include "cli/printer_session.h"
#include "cli/printer_values.h"
#include "cli/snmp_tree.h"
#include "device/device_backend.h"
#include "device/device_link.h"
#include "printer/printer_info.h"

namespace {

// What the tree shows of a printer: its status, supplies, page counter and
// (for a printer whose device gives no serial number) its machine page.
ReadParts SnmpParts() {
  ReadParts parts;
  parts.status = parts.supplies = parts.counters = parts.machine = true;
  return parts;
}

// The printers present, each by its hrDeviceIndex: 1 + its place in the
// order of serial numbers (then locations), so that an index stays with its
// printer while others come and go after it. Where the platform lists none,
// the first printer the link finds.
std::vector<std::optional<PresentPrinter>> PrintersInIndexOrder() {
  std::optional<std::vector<PresentPrinter>> present = ListPresentPrinters(PlatformDeviceBackend());
  if (!present) return {std::nullopt};
  std::sort(present->begin(), present->end(), [](const PresentPrinter& a, const PresentPrinter& b) {
    return std::tie(a.serial, a.location) < std::tie(b.serial, b.location);
  });
  return {present->begin(), present->end()};
}

// One round: every printer read in turn (a hanging one costs its action's
// time-out), then the tree of them all.
SnmpTree ReadTree() {
  const std::vector<std::optional<PresentPrinter>> printers = PrintersInIndexOrder();
  std::vector<std::unique_ptr<PrinterReading>> readings;
  std::vector<SnmpPrinter> served;
  for (const std::optional<PresentPrinter>& printer : printers) {
    const int index = static_cast<int>(served.size()) + 1;
    auto reading = std::make_unique<PrinterReading>();
    try {
      PrinterSession session(printer);
      session.Read(SnmpParts(), *reading);
    } catch (const CliFailure& failure) {
      // Where the platform lists none and the link finds none: no rows.
      if (!printer && failure.status() == kExitNoPrinter) break;
      served.push_back({index, printer ? printer->serial : "", nullptr, failure.what()});
      continue;
    }
    std::string serial = reading->serial;
    if (serial.empty())
      serial = FieldText(reading->printer, kMachinePageNumber, MACHINESERIAL).value_or("");
    served.push_back({index, serial, &reading->printer, ""});
    readings.push_back(std::move(reading));
  }
  // The next round lists the devices afresh, with a new session of the USB
  // library, so that a printer plugged in or out shows.
  ReleaseDeviceBackend(PlatformDeviceBackend());
  return BuildSnmpTree(served);
}

// Reads the printers every period on its own thread; the tree it last
// built is there to look up at any time.
class TreeRefresher {
 public:
  explicit TreeRefresher(int periodSeconds)
      : period_(periodSeconds), tree_(std::make_shared<const SnmpTree>()) {
    thread_ = std::thread([this] { Run(); });
  }
  ~TreeRefresher() {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
  }
  TreeRefresher(const TreeRefresher&) = delete;
  TreeRefresher& operator=(const TreeRefresher&) = delete;

  std::shared_ptr<const SnmpTree> Current() {
    std::lock_guard lock(mutex_);
    return tree_;
  }

 private:
  void Run() {
    for (;;) {
      const auto started = std::chrono::steady_clock::now();
      std::shared_ptr<const SnmpTree> tree;
      try {
        tree = std::make_shared<const SnmpTree>(ReadTree());
      } catch (const std::exception& error) {
        // The program's own failure: told, and the last tree kept.
        std::fprintf(stderr, "vantrel-cli: internal error: %s\n", error.what());
      }
      std::unique_lock lock(mutex_);
      if (tree) tree_ = std::move(tree);
      if (wake_.wait_until(lock, started + period_, [this] { return stopping_; })) return;
    }
  }

  const std::chrono::seconds period_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stopping_ = false;
  std::shared_ptr<const SnmpTree> tree_;
  std::thread thread_;
};

}  // namespace

int ServeSnmp(int periodSeconds) {
  TreeRefresher refresher(periodSeconds);
  ServePassPersist(std::cin, std::cout, [&] { return refresher.Current(); });
  return kExitDone;
}
