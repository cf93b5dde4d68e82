// Which printers a run talks to, from --printer: none given, the first
// present one (as the window takes it); a location ("1:2", bus and address,
// or lsusb's "001:002") that one, else the one printer with that serial
// number; "all" every one.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "device/device_link.h"

inline constexpr char kAllPrinters[] = "all";

// The printers chosen, in the platform's order. An empty optional stands
// for "the first printer the link finds" where the platform lists none.
// CliFailure when none is there or the one asked for is not, and a usage
// failure when a serial number asked for is on more than one.
std::vector<std::optional<PresentPrinter>> ChoosePrinters(const std::string& wanted);

// The one printer of a run that talks to one.
std::optional<PresentPrinter> ChosenPrinter(const std::string& wanted);

// What `list` prints: a line a printer, its location, serial number and
// whether this user may open it.
std::string PrinterListText(const std::vector<PresentPrinter>& printers);

// Every present printer; CliFailure when the platform cannot list them.
std::vector<PresentPrinter> PresentPrinters();
