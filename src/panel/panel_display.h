// The panel display: a white box in the panel page's first group box that
// shows the stored status codes' messages one per timer tick.
#pragma once

#include "printer/printer_state.h"
#include "ui/dialog.h"

inline constexpr char kPanelFontFace[] = "Tahoma";
inline constexpr int kPanelFontHeight = 15;
inline constexpr int kPanelFontWeight = 400;

// The display box inside the group box, right and bottom exclusive.
Rect PanelDisplayBox(const Rect& groupBox);

// One timer tick: erases the box and draws the entry at displayIndex, then
// moves to the next one, back to the first after the last.
void PanelTick(Window& page, PrinterState& printer);

// A repaint: the empty box; the next tick brings the lines back.
void PaintPanelPage(Window& page);

// Draws the one or two lines of a status code; nothing for an unknown code.
void DrawPanelDisplay(Surface& surface, const char code[kStatusCodeLength], Rect groupBox);
