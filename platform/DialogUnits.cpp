#include "platform/DialogUnits.h"

#include <QFontMetrics>

#include <cmath>

DialogBaseUnits BaseUnitsOf(const QFont& font) {
  const QFontMetrics metrics(font);
  // The average width of the 52 Latin letters, rounded, as the classic
  // dialog managers measure it.
  const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  const int average = (metrics.horizontalAdvance(letters) / 26 + 1) / 2;
  return {average > 0 ? average : 8, metrics.height() > 0 ? metrics.height() : 16};
}

QFont DialogFont(int points, bool bold) {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
  font.setBold(bold);
  return font;
}

QRect DialogUnitsToPixels(const QRect& units, const DialogBaseUnits& base) {
  return QRect(units.x() * base.baseX / 4, units.y() * base.baseY / 8, units.width() * base.baseX / 4,
               units.height() * base.baseY / 8);
}
