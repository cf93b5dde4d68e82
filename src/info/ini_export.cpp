#include "info/ini_export.h"

#include "printer/configuration_export.h"
#include "string_ids.h"

std::string PromptExportFileName(Window& configWindow, AppContext& ctx) {
  return configWindow.PromptSaveFile({"INI FILE(*.INI)", "*.INI", "INI", ProposedExportName(ctx)});
}

void ExportConfiguration(Window& configWindow, AppContext& ctx, const std::string& path) {
  if (path.empty()) return;
  if (!WriteConfigurationFile(ctx, path)) {
    configWindow.ShowMessage(kTextExportFailed);
    return;
  }
  if (Platform* platform = PlatformInUse()) platform->FileWritten(path);
}
