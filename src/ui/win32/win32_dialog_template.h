// A dialog template of the template data (ui/dialog_template.h) as the
// in-memory DLGTEMPLATEEX that CreateDialogIndirectParamW and
// DialogBoxIndirectParamW take: the one layout, rendered for Windows.
#pragma once

#include <cstdint>
#include <vector>

#include "layouts/dialog_template.h"

// The template's bytes, in 32-bit words so that the start is DWORD-aligned;
// its font `pointSizeDrop` points smaller than the template's.
std::vector<std::uint32_t> BuildWin32DialogTemplate(const DialogTemplate& dialog,
                                                    int pointSizeDrop = 0);

// How many points smaller than the template's a top-level window's font
// must be for the whole window to fit the primary monitor's work area at the
// screen's resolution: 0 where it fits as designed (every window at 100 %
// to 175 % on a 1920x1080 screen); the dialog units shrink with the font.
int FittingPointSizeDrop(const DialogTemplate& dialog);
