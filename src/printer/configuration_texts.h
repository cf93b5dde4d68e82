// What the configuration's seven pages show in their value fields, made
// from what was read from the printer. The window shows these texts and the
// export writes them, so the two cannot differ.
#pragma once

#include <string>
#include <vector>

#include "printer/config_pages.h"
#include "printer/configuration_fields.h"
#include "printer/printer_state.h"

// Which value of its row a text is: a configuration row's one value, or a
// supply's status, remaining percent or cartridge type.
enum class ValueColumn { Value, SupplyStatus, SupplyRemaining, SupplyType };

// One value of a page and its text (UTF-8, as the string table gives texts;
// the printer's own bytes as sent).
struct ConfigFieldText {
  int page;  // ConfigPageIndex
  int row;   // in kSupplyFields for a supply's columns, else in kConfigurationFields
  ValueColumn column;
  std::string text;
};

// Every value the read values set, in the order the window sets them.
// A value not listed keeps what it shows (a supply state without a name).
std::vector<ConfigFieldText> ConfigurationTexts(const PrinterState& ctx);
