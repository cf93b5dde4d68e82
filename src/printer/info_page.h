// Reading the printer's four information pages (KEY=VALUE text) into the
// page blocks, and its counter records into the two counter blocks.
#pragma once

#include "device/device_link.h"
#include "printer/printer_requests.h"
#include "printer/printer_state.h"

// What became of one page's read.
struct InfoPageRead {
  bool received = false;   // the page's text came back
  ReadFailure failure;     // why not, when it was asked for
  bool compatible = true;  // false: a page of another kind (the parse stopped)
  bool Failed() const { return failure.has_value() || !compatible; }
};

// Stores the values of the page's known keys from byteCount bytes of page
// text (read by ParseInfoPageText, printer/info_page_parser.h). On pages 1
// to 3 a one-token line other than the page's header ends the parse and
// the result is false (not compatible). Does nothing when the page number
// is unknown or its block is not allocated.
bool ParseInfoPage(PrinterState& state, int page, int byteCount, const char* text);

// Fetches page 1 to 4 over the open device link and parses it. A failed
// transfer leaves the block as it was. Does nothing (sends nothing) when
// the page's block is not allocated.
InfoPageRead ReadInfoPage(DeviceLink& link, PrinterState& state, int page);

// Reads the 14 replacement counts and the 10 application counts over the
// open device link; a failed read leaves its item unchanged. A record whose
// block is not allocated is not read. Returns the first failure, for
// callers that must not take a kept value for a read one.
ReadFailure ReadCounterRecords(DeviceLink& link, PrinterState& state);
