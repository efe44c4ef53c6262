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

// The font of the dialogs' controls at a point size (pt * 96 / 72 pixels,
// rounded). The layouts were drawn for a narrow sans face that is not
// installed here, and fontconfig's own pick for it is a much wider face
// that would make every dialog a quarter wider. Liberation Sans has the
// metrics of the common sans face of those layouts: 10 points bold gives
// base units of 8 x 15 pixels.
QFont DialogFont(int points, bool bold);

// (x, y, width, height) in dialog units to pixels: x * baseX / 4, y * baseY / 8.
QRect DialogUnitsToPixels(const QRect& units, const DialogBaseUnits& base);
