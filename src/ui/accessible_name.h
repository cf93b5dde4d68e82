// What a screen reader calls a control whose own text says too little: a
// radio button "On" that does not say which setting, a slider "Plain Paper"
// that does not say which group.
#pragma once

#include <functional>
#include <string>

#include "layouts/dialog_template.h"

// The texts of the controls that name control id (NamingControls) and its
// own, joined as the language joins a label and what it labels ("Toner Low
// Message: On"; "Top Adjustment: Plain Paper"). textOf gives a control's
// text as the window shows it. Empty for a control the template gives no
// naming controls: the toolkit's own name stands.
std::string AccessibleName(const DialogTemplate& dialog, int id,
                           const std::function<std::string(int)>& textOf);
