// Reading the printer's four information pages (KEY=VALUE text) into the
// page blocks, and its counter records into the two counter blocks.
#pragma once

#include "common/message_owner.h"
#include "printer/printer_state.h"

// Stores the values of the page's known keys from byteCount bytes of page
// text (read by ParseInfoPageText, printer/info_page_parser.h). On pages 1 to 3 a one-token line
// other than the page's header shows "Not compatible commands" through owner and ends the parse.
// Does nothing when the page number is unknown or its block is not allocated.
void ParseInfoPage(MessageOwner& owner, PrinterState& state, int page, int byteCount,
                   const char* text);

// Fetches page 1 to 4 over the open device link and parses it. A failed
// transfer shows "Send command to F/W is failed" and leaves the block as it
// was. Does nothing (sends nothing) when the page's block is not allocated.
// Returns 1 when the page was received, 0 when not.
int ReadInfoPage(MessageOwner& owner, PrinterState& state, int page);

// Reads the 14 replacement counts and the 10 application counts over the
// open device link; a failed read leaves its item unchanged, silently. A
// record whose block is not allocated is not read. Returns how many reads
// failed, for callers that must not take a kept value for a read one.
int ReadCounterRecords(PrinterState& state);
