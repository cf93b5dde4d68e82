// Geometry every backend shares: dialog units to pixels as Windows converts
// them, and where a tab page sits in its tab control.
#pragma once

#include "ui/dialog.h"

// value * numerator / denominator, rounded half away from zero, as Windows'
// MulDiv rounds it.
inline int MulDiv(int value, int numerator, int denominator) {
  long long product = static_cast<long long>(value) * numerator;
  long long half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator
                                       : -((-product + half) / denominator));
}

// The base units of a dialog's font: a horizontal dialog unit is a quarter
// of baseX, a vertical one an eighth of baseY.
struct DialogBaseUnits {
  int baseX;
  int baseY;
  int X(int units) const { return MulDiv(units, baseX, 4); }
  int Y(int units) const { return MulDiv(units, baseY, 8); }
  Rect Pixels(int x, int y, int cx, int cy) const {
    return {X(x), Y(y), X(x) + X(cx), Y(y) + Y(cy)};
  }
};

// A tab page's place in its tab control's client area: below the row of
// tabs (itemHeight pixels), 5 pixels in from every edge.
inline Rect TabPageArea(const Rect& tabClient, int itemHeight) {
  return {tabClient.left + 5, tabClient.top + itemHeight + 5, tabClient.right - 5,
          tabClient.bottom - 5};
}
