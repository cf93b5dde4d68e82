// Text for a terminal: the printer's bytes must not drive it. Control
// characters (escape sequences that clear the screen or set the window's
// title, the bell) and bytes that are not UTF-8 are shown escaped.
#pragma once

#include <string>

// Line feeds are kept; any other C0 control, DEL and bytes that are not
// UTF-8 become \xNN, C1 controls \u00NN. Everything else is kept.
std::string EscapeControls(const std::string& utf8);
