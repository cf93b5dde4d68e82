// What vantrel-cli's exit status tells a script, and the failure that
// carries one up to main with its message in plain words.
#pragma once

#include <stdexcept>
#include <string>

enum ExitStatus : int {
  kExitDone = 0,
  kExitNoPrinter = 1,  // no printer, or the link failed
  kExitUsage = 2,
  kExitRefused = 3,  // the printer refused the command or the page
  kExitNotWritten = 4,
  kExitDeclined = 5,
  kExitNoAccess = 6,  // the printer is there but this user may not open it
  kExitInternal = 7,  // the program failed within itself: out of memory, a fault of its own
};

class CliFailure : public std::runtime_error {
 public:
  CliFailure(ExitStatus status, const std::string& message)
      : std::runtime_error(message), status_(status) {}
  ExitStatus status() const { return status_; }

 private:
  ExitStatus status_;
};
