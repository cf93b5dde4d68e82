#include "cli/printer_choice.h"

#include <algorithm>
#include <iterator>
#include <string_view>
#include <utility>

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

// A part of a location: 1 to 3 decimal digits.
std::optional<int> LocationNumber(std::string_view digits) {
  if (digits.empty() || digits.size() > 3 ||
      !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  int number = 0;
  for (char c : digits) number = number * 10 + (c - '0');
  return number;
}

// Bus and address of "1:2" as `list` shows it or "001:002" as lsusb does.
std::optional<std::pair<int, int>> BusAndAddress(std::string_view location) {
  const std::size_t colon = location.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  const std::optional<int> bus = LocationNumber(location.substr(0, colon));
  const std::optional<int> address = LocationNumber(location.substr(colon + 1));
  if (!bus || !address) return std::nullopt;
  return std::pair{*bus, *address};
}

bool IsAt(const PresentPrinter& printer, const std::string& location) {
  if (printer.location == location) return true;  // a device path, where the platform has them
  const std::optional<std::pair<int, int>> place = BusAndAddress(printer.location);
  return place && place == BusAndAddress(location);
}

template <typename Predicate>
std::vector<PresentPrinter> Those(const std::vector<PresentPrinter>& printers,
                                  Predicate predicate) {
  std::vector<PresentPrinter> those;
  std::copy_if(printers.begin(), printers.end(), std::back_inserter(those), predicate);
  return those;
}

}  // namespace

std::vector<PresentPrinter> PresentPrinters() {
  std::optional<std::vector<PresentPrinter>> printers =
      ListPresentPrinters(PlatformDeviceBackend());
  if (!printers) throw CliFailure(kExitNoPrinter, "the printers present could not be listed");
  return *printers;
}

std::vector<std::optional<PresentPrinter>> ChoosePrinters(const std::string& wanted) {
  const std::optional<std::vector<PresentPrinter>> present =
      ListPresentPrinters(PlatformDeviceBackend());
  if (!present) {
    if (!wanted.empty())
      throw CliFailure(kExitUsage, "--printer: this system cannot list the printers present");
    return {std::nullopt};
  }
  if (present->empty()) throw CliFailure(kExitNoPrinter, "no printer found");
  if (wanted.empty()) return {present->front()};
  if (wanted == kAllPrinters) return {present->begin(), present->end()};
  // A location first: a serial number that reads like one cannot take the
  // place of the printer that is there.
  std::vector<PresentPrinter> found =
      Those(*present, [&](const PresentPrinter& p) { return IsAt(p, wanted); });
  if (found.empty())
    found = Those(*present, [&](const PresentPrinter& p) { return p.serial == wanted; });
  if (found.empty())
    throw CliFailure(kExitNoPrinter,
                     "no printer " + wanted + " found ('vantrel-cli list' shows those present)");
  if (found.size() > 1) {
    std::string locations;
    for (const PresentPrinter& printer : found)
      locations += (locations.empty() ? "" : ", ") + printer.location;
    throw CliFailure(kExitUsage, "--printer " + wanted + " matches more than one printer (at " +
                                     locations + "); give a location instead");
  }
  return {found.front()};
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
