// The service pages' requests as the user meets them: a value read and an
// acknowledged command, each telling its outcome (the requests themselves
// are printer/printer_requests.h), on a device link the caller has opened.
// Also the one debug trace.
#pragma once

#include <cstdint>

#include "common/message_owner.h"
#include "device/device_link.h"

// Value read with wValue 0 into a zeroed 4-byte reply. When the whole reply
// came back the field takes it as a signed little-endian value; otherwise
// "Send command to F/W is failed" is shown and the field keeps its value.
void ReadSettingValue(MessageOwner& owner, DeviceLink& link, int code, std::int32_t& field);

// Sends an acknowledged command, then shows the success string when the
// printer acknowledged, else "Send command to F/W is failed".
void RunServiceCommand(MessageOwner& owner, DeviceLink& link, int code, int wValue,
                       int successStringId);

// Formats like printf (at most 1023 characters) and hands the text to the
// platform's debug output.
[[gnu::format(printf, 1, 2)]] void DebugTrace(const char* format, ...);
