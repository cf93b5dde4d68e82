// "Save" of the configuration window: the export (printer/configuration_export.h)
// written to a file the user names.
#pragma once

#include <string>

#include "printer/printer_state.h"
#include "ui/dialog.h"

// Asks for the file, proposing "<serial>.INI" (the serial made fit for a
// file name). The chosen path, or "" when the
// user cancelled.
std::string PromptExportFileName(Window& configWindow, const PrinterState& printer);

// Writes the export to path. Nothing happens for an empty path. On failure
// the old file stays as it was and "The configuration could not be saved."
// is shown, owned by configWindow.
void ExportConfiguration(Window& configWindow, const PrinterState& printer,
                         const std::string& path);
