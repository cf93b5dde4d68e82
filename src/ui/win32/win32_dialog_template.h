// A dialog template of the template data (ui/dialog_template.h) as the
// in-memory DLGTEMPLATEEX that CreateDialogIndirectParamW and
// DialogBoxIndirectParamW take: the one layout, rendered for Windows.
#pragma once

#include <cstdint>
#include <vector>

#include "layouts/dialog_template.h"

// The template's bytes, in 32-bit words so that the start is DWORD-aligned.
std::vector<std::uint32_t> BuildWin32DialogTemplate(const DialogTemplate& dialog);
