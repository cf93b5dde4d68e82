// How urgently a status code needs the operator, for everything that sums
// the printer up in one word: the watch's icon, the command line's check,
// the metrics. The panel display itself keeps no ranking.
#pragma once

#include "printer/status_list.h"

// In rising order of urgency; kNoPrinter stands apart (nothing was read).
enum class Severity { kReady = 0, kWarning = 1, kError = 2, kNoPrinter = 3 };

// A known code by its first digit: "0" (states, operator actions) ready;
// "1" (machine trouble) and "2" (paper, jam, cover, toner out) error; "3"
// (low supplies, cautions) warning, except its codes of an empty cartridge
// (TONER OUT, I/C END), which are errors as the supply state "end" is. A
// code the message table lacks is a warning whatever its digit: the
// printer says something we cannot read.
Severity SeverityOfCode(const char code[kStatusCodeLength]);

// The most urgent severity of a list; kReady for a list without codes.
Severity WorstSeverity(const StatusList& list);

// The index of the first code of the list with its worst severity, or -1
// for a list without codes.
int MostSevereCodeIndex(const StatusList& list);

// "ready", "warning", "error", "no printer": for machine-read outputs.
const char* SeverityName(Severity severity);
