#include "platform/DialogUnits.h"

#include <QFontMetrics>

DialogBaseUnits BaseUnitsOf(const QFont& font) {
  const QFontMetrics metrics(font);
  // The average width of the 52 Latin letters, rounded, as the classic
  // dialog managers measure it.
  const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  const int average = (metrics.horizontalAdvance(letters) / 26 + 1) / 2;
  return {average > 0 ? average : 8, metrics.height() > 0 ? metrics.height() : 16};
}

QRect DialogUnitsToPixels(const QRect& units, const DialogBaseUnits& base) {
  return QRect(units.x() * base.baseX / 4, units.y() * base.baseY / 8, units.width() * base.baseX / 4,
               units.height() * base.baseY / 8);
}
