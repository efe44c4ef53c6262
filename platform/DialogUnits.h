#pragma once

#include <QFont>
#include <QRect>

// Dialog layouts are given in dialog units of the dialog's font: a
// horizontal unit is a quarter of the font's average character width, a
// vertical unit an eighth of its height. This is the one place that turns
// them into pixels.
struct DialogBaseUnits {
  int baseX = 8;
  int baseY = 16;
};

DialogBaseUnits BaseUnitsOf(const QFont& font);

// (x, y, width, height) in dialog units to pixels: x * baseX / 4, y * baseY / 8.
QRect DialogUnitsToPixels(const QRect& units, const DialogBaseUnits& base);
