#include "resources/ArtworkShapes.h"

#include <cmath>
#include <numbers>

QPolygonF StarOutline(QPointF centre, qreal outer, qreal inner, int points) {
  QPolygonF star;
  for (int i = 0; i < 2 * points; ++i) {
    const qreal radius = i % 2 == 0 ? outer : inner;
    const qreal angle = -std::numbers::pi / 2 + i * std::numbers::pi / points;
    star << centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
  }
  return star;
}

QPolygonF GearOutline(QPointF centre, qreal outer, qreal inner, int teeth) {
  // Each tooth takes half its sector at the outer radius, with slanted flanks.
  QPolygonF gear;
  const qreal sector = 2 * std::numbers::pi / teeth;
  const auto at = [&](qreal radius, qreal angle) {
    return centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
  };
  for (int i = 0; i < teeth; ++i) {
    const qreal a = i * sector;
    gear << at(inner, a) << at(outer, a + sector * 0.12) << at(outer, a + sector * 0.42)
         << at(inner, a + sector * 0.54);
  }
  return gear;
}

QPolygonF ArrowOutline(qreal tail, qreal tip, qreal axis, qreal shaft, qreal head,
                       qreal headLength) {
  const qreal neck = tip - headLength;
  const qreal s = shaft / 2;
  const qreal h = head / 2;
  return QPolygonF({{tail, axis - s}, {neck, axis - s}, {neck, axis - h}, {tip, axis},
                    {neck, axis + h}, {neck, axis + s}, {tail, axis + s}});
}
