// Geometry every backend shares: dialog units to pixels as Windows converts
// them, and where a tab page sits in its tab control.
#pragma once

#include <algorithm>

#include "layouts/dialog_template.h"
#include "ui/dialog.h"

// value * numerator / denominator, rounded half away from zero, as Windows'
// MulDiv rounds it (named apart from it: Win32 files include this header too).
inline int ScaleRounded(int value, int numerator, int denominator) {
  long long product = static_cast<long long>(value) * numerator;
  long long half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator
                                       : -((-product + half) / denominator));
}

// The base units of a dialog's font: a horizontal dialog unit is a quarter
// of baseX, a vertical one an eighth of baseY. A tab page may be given
// finer units (perX, perY dialog units to baseX, baseY pixels).
struct DialogBaseUnits {
  int baseX;
  int baseY;
  int perX = 4;
  int perY = 8;
  int X(int units) const { return ScaleRounded(units, baseX, perX); }
  int Y(int units) const { return ScaleRounded(units, baseY, perY); }
  Rect Pixels(int x, int y, int cx, int cy) const {
    return {X(x), Y(y), X(x) + X(cx), Y(y) + Y(cy)};
  }
  // The same pixels for every dialog unit.
  bool SameScale(const DialogBaseUnits& other) const {
    return baseX * other.perX == other.baseX * perX && baseY * other.perY == other.baseY * perY;
  }
};

// A tab page's place in its tab control's client area: below the row of
// tabs (itemHeight pixels), 5 pixels in from every edge.
inline Rect TabPageArea(const Rect& tabClient, int itemHeight) {
  return {tabClient.left + 5, tabClient.top + itemHeight + 5, tabClient.right - 5,
          tabClient.bottom - 5};
}

// The units a tab page is laid out in. The templates draw a page as wide as
// the tab control that holds it, so horizontally it takes the units of the
// window that holds it; vertically it keeps its own font's. The two fonts
// round differently at each resolution, so either is made smaller where the
// page's controls would otherwise reach past the display area: at every
// resolution the page looks as it does at 96 dots per inch.
inline DialogBaseUnits TabPageUnits(const DialogTemplate& page, const DialogBaseUnits& own,
                                    const DialogBaseUnits& holder, const Rect& area) {
  int right = 0, bottom = 0;
  for (const ControlTemplate& c : page.controls) {
    right = std::max(right, c.x + c.cx);
    // A drop-down list's height includes its opened list.
    if (c.kind != ControlKind::DropDownList) bottom = std::max(bottom, c.y + c.cy);
  }
  DialogBaseUnits units = own;
  units.baseX = holder.baseX;
  units.perX = holder.perX;
  if (right > 0 && units.X(right) > area.Width())
    units = {area.Width(), units.baseY, right, units.perY};
  if (bottom > 0 && units.Y(bottom) > area.Height())
    units = {units.baseX, area.Height(), units.perX, bottom};
  return units;
}
