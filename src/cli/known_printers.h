// The printers the metrics have seen, kept in a small state file between
// runs, so that one that goes missing is still written (vantrel_up 0, with
// the location it was last seen at) until an administrator forgets it. A
// printer is known by its serial number; one without a serial number, or
// with one that cannot be kept on a line, is not remembered.
#pragma once

#include <string>
#include <vector>

struct KnownPrinter {
  std::string serial;
  std::string location;  // where it was last seen, as `list` shows it
};

// The printers in `file`; none while it does not exist. CliFailure when it
// cannot be read.
std::vector<KnownPrinter> ReadKnownPrinters(const std::string& file);

// Replaces `file` with `printers` (the old file stays whole on a failure);
// CliFailure when it cannot be written.
void WriteKnownPrinters(const std::string& file, const std::vector<KnownPrinter>& printers);

// `known` with the printers present now: each one's location brought up to
// date, the new ones added after the others.
std::vector<KnownPrinter> Remember(std::vector<KnownPrinter> known,
                                   const std::vector<KnownPrinter>& present);

// Removes `serial` from `file`; CliFailure when it is not there.
void ForgetPrinter(const std::string& file, const std::string& serial);
