// The request patterns of the service pages: reading one setting value,
// writing one setting, and running one acknowledged maintenance command,
// each on a device link the caller has opened. Also the one debug trace.
#pragma once

#include <cstdint>

#include "common/message_owner.h"

// Value read with wValue 0 into a zeroed 4-byte reply. When bytes came back
// the field takes the reply as a signed little-endian value; otherwise
// "Send command to F/W is failed" is shown and the field keeps its value.
void ReadSettingValue(MessageOwner& owner, int code, std::int32_t& field);

// Acknowledged write; true exactly when the printer answered "OK". The byte
// count is not looked at and nothing is shown.
bool WriteSettingValue(int code, int wValue);

// The printer's acknowledgement: "O", "K" and a zero byte.
bool ReplyIsOk(const std::uint8_t reply[4]);

// Sends like WriteSettingValue, then shows the success string when the
// printer acknowledged, else "Send command to F/W is failed".
void RunServiceCommand(MessageOwner& owner, int code, int wValue, int successStringId);

// Formats like printf (at most 1023 characters) and hands the text to the
// platform's debug output.
[[gnu::format(printf, 1, 2)]] void DebugTrace(const char* format, ...);
