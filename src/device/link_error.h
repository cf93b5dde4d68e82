// What went wrong on the device link, as a value: the kind of failure, the
// step it happened in and the system's own code and text for it.
#pragma once

#include <string>

enum class LinkErrorKind {
  NoDevice,      // no printer there, or it went away
  AccessDenied,  // this user may not open it
  Busy,          // another program holds it
  TimedOut,      // a request was not answered within the transfer's time-out
  Refused,       // the printer stalled the request
  ShortReply,    // fewer bytes came back than the read needs
  TooSlow,       // the action's slow answers used up its budget
  Io,            // any other failure of the system or the driver
};

enum class LinkStep { Open, Request };

struct LinkError {
  LinkErrorKind kind = LinkErrorKind::Io;
  LinkStep step = LinkStep::Request;
  int request = 0;     // the request code, for a request's failure
  int osCode = 0;      // the system's or the USB library's own code; 0: none
  std::string osText;  // its text; empty: none
};

// The failure in plain English words for people reading a terminal or a
// log: "the printer refused request 9 (Pipe error)".
std::string LinkErrorText(const LinkError& error);
