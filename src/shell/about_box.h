// The About box: product line and version.
#pragma once

#include "ui/dialog.h"

inline constexpr char kProductLine[] = "Display Panel for Tarnlow";
inline constexpr char kProductVersion[] = "V0.29";

void AboutBoxProc(Window& box, const DialogMessage& message);
