// What the status watch tells the user about the printer's codes, in the
// user's language: a notification's title and text, and the line of the
// icon's tip. The desktop shows these texts as they are, so they carry none
// of the printer's control bytes, and a code the printer lists many times
// once.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "printer/status_list.h"
#include "printer/status_severity.h"

// The printer's state in one word ("Printer warning"): a string id.
int SeverityTextId(Severity severity);

// The lines a code stands for, never none: its panel lines without the
// blanks some end in; for a code the message table lacks, its printable
// bytes (control characters and the escape sequences they start dropped,
// blanks and bytes beyond ASCII as "?"), or, when none is left, a line
// saying the printer reports what the program cannot read.
std::vector<std::string> StatusCodeLines(std::string_view code);

struct StatusNotification {
  Severity severity;  // the worst of the codes
  std::string title;
  std::string text;
};

// The notification about the codes a read brought as news, in the
// printer's order and as often as it lists them: the lines of each code
// once. Only a printer answering again brings a ready notification (its
// whole list is news, even an empty one); its text says it answers again.
StatusNotification NotificationOfCodes(std::span<const std::string_view> codes);
