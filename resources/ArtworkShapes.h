#pragma once

#include <QPointF>
#include <QPolygonF>

// Outlines several pictures share, in any scale.

// A star of `points` tips around `centre`, first tip straight up.
QPolygonF StarOutline(QPointF centre, qreal outer, qreal inner, int points = 5);
// A cog wheel: `teeth` flat-topped teeth between radius `inner` and `outer`.
QPolygonF GearOutline(QPointF centre, qreal outer, qreal inner, int teeth);
// A block arrow pointing east from `tail` to `tip` on the line y = axis:
// shaft `shaft` thick, head `head` tall and `headLength` long.
QPolygonF ArrowOutline(qreal tail, qreal tip, qreal axis, qreal shaft, qreal head,
                       qreal headLength);
