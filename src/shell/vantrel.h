// The program: one instance, an application record, the hidden main window
// behind its notification icon, and the message loop.
#pragma once

#include "ui/dialog.h"

inline constexpr char kSingleInstanceName[] = "OWN-PROGRAM";

// Returns 0, at once and silently when another instance is running.
int RunVantrel(Platform& platform);
