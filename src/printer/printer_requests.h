// The printer's two answered request patterns, over a device link the
// caller has opened: an acknowledged command and a value read.
#pragma once

#include <cstdint>

// What became of an acknowledged command: the printer answered "OK" and a
// zero byte; it answered something else; or no bytes came back at all.
enum class CommandOutcome { Acknowledged, Refused, NoReply };

// Sends the command into a zeroed 4-byte reply and judges the reply.
CommandOutcome SendCommand(int code, int wValue);

// True exactly when the printer acknowledged the command (a failed transfer
// leaves the zeroed reply, which is no acknowledgement).
bool SendAcknowledgedCommand(int code, int wValue);

// Reads one value with wValue 0 into a zeroed 4-byte reply: when bytes came
// back, value takes the reply as a signed little-endian number (a short
// reply leaves the high bytes 0) and the result is true; otherwise value
// keeps what it held.
bool ReadPrinterValue(int code, std::int32_t& value);
