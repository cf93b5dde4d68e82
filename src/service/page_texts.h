// Loads a service page's texts: every control of the page's template that
// names a string gets that string.
#pragma once

#include "ui/dialog.h"

// exceptId: a control whose text the page sets itself (kNoId for none).
void LoadPageTexts(Window& page, int exceptId);
