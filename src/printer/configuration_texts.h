// What the configuration's seven pages show in their value fields, made
// from what was read from the printer. The window shows these texts and the
// export writes them, so the two cannot differ.
#pragma once

#include <string>
#include <vector>

#include "printer/config_pages.h"
#include "printer/configuration_fields.h"
#include "printer/printer_state.h"

// One value field of a page and its text (UTF-8, as the string table gives
// texts; the printer's own bytes as sent).
struct ConfigFieldText {
  int page;  // ConfigPageIndex
  int fieldId;
  std::string text;
};

// Every value field the read values set, in the order the window sets them.
// A field not listed keeps its layout text (a supply state without a name).
std::vector<ConfigFieldText> ConfigurationTexts(const PrinterState& ctx);
