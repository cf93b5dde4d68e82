// The configuration as an INI file: what the seven pages show, each group
// heading a section, each row label a key and the row's value texts its
// value. Made from the read values and the pages' layouts, with no window.
#pragma once

#include <string>
#include <vector>

#include "printer/ini_writer.h"
#include "printer/printer_state.h"

// One row of the export as the pages show it: its page, the group heading
// it stands under (a fixed name for the two counter lines), its label and
// its value texts, in the export's order.
struct ConfigurationRow {
  int page;  // ConfigPageIndex
  std::string section;
  std::string label;
  std::vector<std::string> values;
  bool endsGroup;  // the export leaves an empty line after it
};
std::vector<ConfigurationRow> ConfigurationRows(const PrinterState& ctx);

// The 56 entries of the export, in writing order (UTF-8, as the string
// table gives them).
std::vector<IniEntry> CollectExportEntries(const PrinterState& ctx);

// The name proposed for the file: the serial made fit for a file name
// followed by ".INI" (".INI" alone for an empty serial).
std::string ProposedExportName(const PrinterState& ctx);

// Writes the export to path in the encoding of the platform's profile files
// (printer/profile_encoding.h), replacing the whole file at once; false when
// it could not be written (the old file then stays as it was).
bool WriteConfigurationFile(const PrinterState& ctx, const std::string& path,
                            std::string* reason = nullptr);
