// The printer's two answered request patterns, over a device link the
// caller has opened: an acknowledged command and a value read.
#pragma once

#include <cstdint>
#include <optional>

#include "device/device_link.h"

// What became of an acknowledged command: the printer answered "OK" and a
// zero byte; it answered something else; or no reply came back at all.
enum class CommandOutcome { Acknowledged, Refused, NoReply };

struct CommandResult {
  CommandOutcome outcome = CommandOutcome::NoReply;
  std::optional<LinkError> error;  // why, for NoReply
};

// Sends the command into a zeroed 4-byte reply and judges the reply.
CommandResult SendCommand(DeviceLink& link, int code, int wValue);

// True exactly when the printer acknowledged the command.
bool SendAcknowledgedCommand(DeviceLink& link, int code, int wValue);

// A read's failure, or nothing when it succeeded.
using ReadFailure = std::optional<LinkError>;

// Reads one value with wValue 0 into a zeroed 4-byte reply: value takes the
// whole reply as a signed little-endian number. A failed transfer or a
// reply shorter than 4 bytes is a failure, and value keeps what it held.
ReadFailure ReadPrinterValue(DeviceLink& link, int code, std::int32_t& value);
