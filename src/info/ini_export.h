// "Save" of the configuration window: what the seven pages show, written to
// an INI file the user names. Each group heading becomes a section, each
// row label a key and the row's value texts its value.
#pragma once

#include <string>
#include <vector>

#include "info/ini_writer.h"
#include "common/app_context.h"
#include "ui/dialog.h"

// Asks for the file, proposing "<serial>.INI" (the serial made fit for a
// file name; nothing for an empty serial). The chosen path, or "" when the
// user cancelled.
std::string PromptExportFileName(Window& configWindow, AppContext& ctx);

// The 56 entries of the export, in writing order, from the texts the pages
// in ctx.configPages show (UTF-8, as the string table gives them).
std::vector<IniEntry> CollectExportEntries(const AppContext& ctx);

// Writes the export to path in the encoding of the platform's profile files
// (info/profile_encoding.h), replacing the whole file at once. Nothing
// happens for an empty path. On failure the old file stays as it was and
// "The configuration could not be saved." is shown, owned by configWindow.
void ExportConfiguration(Window& configWindow, AppContext& ctx, const std::string& path);
