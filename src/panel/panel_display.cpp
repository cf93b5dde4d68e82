#include "panel/panel_display.h"

#include "layouts/control_ids.h"
#include "printer/status_messages.h"

namespace {

// Offsets from the group box's edges.
constexpr int kBoxLeft = 150;
constexpr int kBoxTop = 20;
constexpr int kBoxRightMargin = 10;
constexpr int kBoxBottom = 90;
constexpr int kTextLeft = 160;
constexpr int kLine1Top = 30;
constexpr int kLine2Top = 50;

}  // namespace

Rect PanelDisplayBox(const Rect& groupBox) {
  return {groupBox.left + kBoxLeft, groupBox.top + kBoxTop, groupBox.right - kBoxRightMargin,
          groupBox.top + kBoxBottom};
}

void PanelTick(Window& page, PrinterState& printer) {
  const Rect groupBox = page.ItemRect(kPanelDisplayGroup);
  page.Draw([&](Surface& surface) {
    surface.FramedWhiteRect(PanelDisplayBox(groupBox));
    // ">=" rather than "==" so that an index past the list can never read
    // beyond it; a read always resets the index, so both agree in practice.
    if (printer.displayIndex >= printer.status.count) printer.displayIndex = 0;
    if (printer.status.count == 0) return;
    DrawPanelDisplay(surface, StatusCodeAt(printer.status, printer.displayIndex), groupBox);
    ++printer.displayIndex;
  });
}

void PaintPanelPage(Window& page) {
  const Rect groupBox = page.ItemRect(kPanelDisplayGroup);
  page.Draw([&](Surface& surface) { surface.FramedWhiteRect(PanelDisplayBox(groupBox)); });
}

void DrawPanelDisplay(Surface& surface, const char code[kStatusCodeLength], Rect groupBox) {
  surface.SelectFont(kPanelFontFace, kPanelFontHeight, kPanelFontWeight);
  const auto message = LookupStatusMessage(code);
  if (!message) return;
  const int x = groupBox.left + kTextLeft;
  surface.TextAt(x, groupBox.top + kLine1Top, ComposePanelLine(message->line1));
  if (message->line2.stringId != 0)
    surface.TextAt(x, groupBox.top + kLine2Top, ComposePanelLine(message->line2));
}
