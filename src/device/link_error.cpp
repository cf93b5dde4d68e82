#include "device/link_error.h"

namespace {

std::string WhatHappened(const LinkError& error) {
  const std::string request = "request " + std::to_string(error.request);
  switch (error.kind) {
    case LinkErrorKind::NoDevice:
      return error.step == LinkStep::Open ? "no printer found" : "the printer went away";
    case LinkErrorKind::AccessDenied: return "this user may not open the printer";
    case LinkErrorKind::Busy: return "another program holds the printer";
    case LinkErrorKind::TimedOut: return "the printer did not answer";
    case LinkErrorKind::Refused: return "the printer refused " + request;
    case LinkErrorKind::ShortReply: return "the printer's reply to " + request + " was too short";
    case LinkErrorKind::TooSlow: return "the printer did not answer in time";
    case LinkErrorKind::Io: break;
  }
  return error.step == LinkStep::Open ? "the printer could not be opened"
                                      : "the link to the printer failed at " + request;
}

}  // namespace

std::string LinkErrorText(const LinkError& error) {
  std::string text = WhatHappened(error);
  if (!error.osText.empty()) text += " (" + error.osText + ")";
  return text;
}
