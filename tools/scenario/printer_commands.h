// The simulated printer a scenario plays against: its demonstration state,
// the `printer ...` commands, and the transcript lines of the requests it
// receives and of the program opening and closing its link.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "device/device_link.h"
#include "sim/backend_sim.h"
#include "sim/tarnlow_printer.h"
#include "ui/headless/transcript.h"

class PrinterCommands {
 public:
  // Plugs the printer in, reached through the window's link.
  explicit PrinterCommands(Transcript& transcript);
  // Unplugs it: the link is closed, untold, before the printer goes.
  ~PrinterCommands();

  // The link the program's window uses, run after run.
  DeviceLink& WindowLink() { return windowLink_; }

  // The change a `printer ...` line makes; throws ParseError.
  std::function<void()> Parse(const std::vector<std::string>& words);

  // Lines for the codes it received that no request has, at the end.
  void ReportUnknownCodes();

 private:
  Transcript& transcript_;
  TarnlowPrinter printer_;
  SimulatedBackend backend_{printer_};
  DeviceLink windowLink_{backend_.Operations()};
  bool linkOpen_ = false;
};
