#include "info/ini_export.h"

#include "printer/configuration_export.h"
#include "string_ids.h"

std::string PromptExportFileName(Window& configWindow, const PrinterState& printer) {
  return configWindow.PromptSaveFile(
      {"INI FILE(*.INI)", "*.INI", "INI", ProposedExportName(printer)});
}

void ExportConfiguration(Window& configWindow, const PrinterState& printer,
                         const std::string& path) {
  if (path.empty()) return;
  if (!WriteConfigurationFile(printer, path)) {
    configWindow.ShowMessage(kTextExportFailed);
    return;
  }
  if (Platform* platform = PlatformInUse()) platform->FileWritten(path);
}
