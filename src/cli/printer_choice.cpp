#include "cli/printer_choice.h"

#include <algorithm>

#include "cli/exit_status.h"

namespace {

const char* AccessText(PrinterAccess access) {
  switch (access) {
    case PrinterAccess::Granted: return "can be opened";
    case PrinterAccess::Denied: return "no permission";
    case PrinterAccess::Failed: break;
  }
  return "cannot be opened";
}

}  // namespace

std::vector<PresentPrinter> PresentPrinters() {
  std::optional<std::vector<PresentPrinter>> printers = ListPresentPrinters(PlatformDeviceBackend());
  if (!printers) throw CliFailure(kExitNoPrinter, "the printers present could not be listed");
  return *printers;
}

std::vector<std::optional<PresentPrinter>> ChoosePrinters(const std::string& wanted) {
  const std::optional<std::vector<PresentPrinter>> present = ListPresentPrinters(PlatformDeviceBackend());
  if (!present) {
    if (!wanted.empty())
      throw CliFailure(kExitUsage, "--printer: this system cannot list the printers present");
    return {std::nullopt};
  }
  if (present->empty()) throw CliFailure(kExitNoPrinter, "no printer found");
  if (wanted.empty()) return {present->front()};
  if (wanted == kAllPrinters) return {present->begin(), present->end()};
  const auto found = std::find_if(present->begin(), present->end(), [&](const PresentPrinter& p) {
    return p.serial == wanted || p.location == wanted;
  });
  if (found == present->end())
    throw CliFailure(kExitNoPrinter,
                     "no printer " + wanted + " found ('vantrel-cli list' shows those present)");
  return {*found};
}

std::optional<PresentPrinter> ChosenPrinter(const std::string& wanted) {
  return ChoosePrinters(wanted).front();
}

std::string PrinterListText(const std::vector<PresentPrinter>& printers) {
  std::size_t locationWidth = 8, serialWidth = 6;  // the headings
  for (const PresentPrinter& printer : printers) {
    locationWidth = std::max(locationWidth, printer.location.size());
    serialWidth = std::max(serialWidth, printer.serial.size());
  }
  auto row = [&](const std::string& location, const std::string& serial, const char* access) {
    return location + std::string(locationWidth - location.size() + 2, ' ') + serial +
           std::string(serialWidth - serial.size() + 2, ' ') + access + "\n";
  };
  std::string out = row("LOCATION", "SERIAL", "ACCESS");
  for (const PresentPrinter& printer : printers)
    out += row(printer.location, printer.serial, AccessText(printer.access));
  return out;
}
