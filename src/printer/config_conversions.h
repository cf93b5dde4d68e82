// How the configuration window turns the printer's values into the texts it
// shows. The printer's values stay as sent; these functions only make the
// display texts (in the current language of the string table).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

enum class SupplyState { Unknown, Ready, Low, End, LifeEnd };
enum class CartridgeType { Starter, Standard, High };

// A supply state code "0".."4"; nothing for any other text.
std::optional<SupplyState> ParseSupplyState(const char* state);
// A cartridge type code "05", "15", "25"; nothing for any other text.
std::optional<CartridgeType> ParseCartridgeType(const char* type);
// A switch reported as "OFF" (or "0") when off: off for exactly that text,
// on for anything else, empty included.
bool SwitchOffIsOn(const char* value);
bool SwitchZeroIsOn(const char* value);

// A supply state code "0".."4" as "UnKnown", "Ready", "Low", "End",
// "Life End"; nothing for any other text (the field stays as it is).
std::optional<std::string> SupplyStateText(const char* state);
// "05", "15", "25" as "Starter", "Standard", "High"; "-" otherwise.
std::string CartridgeTypeText(const char* type);
// The text followed by "%", also when it is empty.
std::string PercentText(const char* value);
// "Off" for exactly "OFF", "On" for anything else (empty included).
std::string SwitchOffText(const char* value);
// "Off" for exactly "0", "On" for anything else (empty included).
std::string SwitchZeroText(const char* value);

// The leading decimal number of a text, read as the C library's atol reads
// it (white space, optional sign, digits up to the first non-digit; 0 when
// there are none), saturated to the 32-bit range of the printer's values.
std::int32_t LeadingNumber(const char* text);
// LeadingNumber(text) - bias as a signed decimal number.
std::string BiasedNumberText(const char* text, int bias);

// The values in record order, each as a decimal number, joined by "/".
std::string CounterLine(std::span<const std::int32_t> values);
