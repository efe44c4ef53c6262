// Inline icons that are things: tools, weather, household objects.
#include "resources/ArtworkPalette.h"
#include "resources/ArtworkShapes.h"
#include "resources/IconKit.h"

#include <QPainterPath>

#include <cmath>
#include <numbers>

using namespace palette;

void DrawFlag(QPainter& p, const IconRecipe& r) {
  p.fillRect(QRectF(2, 1, 2, 17), kBrown);
  UsePaint(p, r.colour, kInk);
  p.drawPolygon(Points({4, 1, 16, 1, 12, 5.5, 16, 10, 4, 10}));
}

void DrawPin(QPainter& p, const IconRecipe& r) {
  QPainterPath pin;
  pin.addEllipse(QRectF(3, 0, 12, 12));
  pin.addPolygon(Points({3.6, 8.5, 9, 17.5, 14.4, 8.5}));
  DrawMerged(p, pin, r.colour);
  p.fillRect(QRectF(8, 3, 2, 6), kWhite);
  p.fillRect(QRectF(7, 4, 4, 4), kWhite);
}

void DrawKey(QPainter& p, const IconRecipe& r) {
  QPainterPath key;
  key.addEllipse(QRectF(0, 4, 9, 9));
  key.addRect(QRectF(8, 7, 9, 3));
  key.addRect(QRectF(12, 10, 2, 3));
  key.addRect(QRectF(15, 10, 2, 4));
  DrawMerged(p, key, r.colour);
  PunchHole(p, QRectF(2.5, 6.5, 4, 4));
}

void DrawLock(QPainter& p, const IconRecipe& r) {
  QPainterPath shackle;
  shackle.moveTo(5, 9);
  shackle.lineTo(5, 6);
  shackle.arcTo(QRectF(5, 2, 8, 8), 180, -180);
  shackle.lineTo(13, 9);
  UseStroke(p, kDarkGrey, 2);
  p.drawPath(shackle);
  UsePaint(p, r.colour, kInk);
  p.drawRect(QRectF(2, 8, 14, 9));
  p.fillRect(QRectF(8, 10, 2, 1), kInk);  // keyhole: round top, narrow slot
  p.fillRect(QRectF(7, 11, 4, 2), kInk);
  p.fillRect(QRectF(8, 13, 2, 2), kInk);
}

void DrawEnvelope(QPainter& p, const IconRecipe& r) {
  UsePaint(p, r.colour, kInk);
  p.drawRect(QRectF(1, 0, 15, 11));
  UseStroke(p, kInk, 1);
  p.drawPolyline(Points({1, 0, 8.5, 6.5, 16, 0}));
}

void DrawBell(QPainter& p, const IconRecipe& r) {
  QPainterPath bell;
  bell.moveTo(2, 14);
  bell.lineTo(4, 11);
  bell.lineTo(4, 8);
  bell.arcTo(QRectF(4, 3, 10, 10), 180, -180);
  bell.lineTo(14, 11);
  bell.lineTo(16, 14);
  bell.closeSubpath();
  bell.addEllipse(QRectF(7, 12, 4, 5));
  bell.addEllipse(QRectF(7.5, 1, 3, 3));
  DrawMerged(p, bell, r.colour);
}

void DrawBulb(QPainter& p, const IconRecipe& r) {
  QPainterPath glass;
  glass.addEllipse(QRectF(3, 0, 12, 11));
  glass.addRect(QRectF(6, 9, 6, 3));
  DrawMerged(p, glass, r.colour);
  UsePaint(p, kGrey, kInk);
  p.drawRect(QRectF(6, 12, 6, 4));
  p.fillRect(QRectF(8, 16, 2, 2), kInk);
  UseStroke(p, kOrange, 1);
  p.drawPolyline(Points({7, 9, 7, 6, 9, 8, 11, 6, 11, 9}));
}

void DrawBook(QPainter& p, const IconRecipe& r) {
  UsePaint(p, r.colour, kInk);
  p.drawPolygon(Points({0, 4, 9, 6, 17, 4, 17, 16, 9, 17, 0, 16}));
  UsePaint(p, kWhite, kInk);
  p.drawPolygon(Points({1, 2, 9, 4, 9, 15, 1, 13}));
  p.drawPolygon(Points({9, 4, 16, 2, 16, 13, 9, 15}));
  UseStroke(p, kGrey, 1);
  for (qreal y : {6.5, 9.0, 11.5}) {
    p.drawLine(QPointF(3, y), QPointF(7, y + 1));
    p.drawLine(QPointF(11, y + 1), QPointF(14, y));
  }
}

void DrawPencil(QPainter& p, const IconRecipe& r) {
  p.save();
  p.translate(9, 9);
  p.rotate(-45);
  UsePaint(p, kPaper, kInk);
  p.drawPolygon(Points({-10, 0, -5, -3, -5, 3}));
  p.fillRect(QRectF(-10, -1, 2.5, 2), kInk);
  UsePaint(p, r.colour, kInk);
  p.drawRect(QRectF(-5, -3, 10, 6));
  UsePaint(p, kRed, kInk);
  p.drawRect(QRectF(5, -3, 4, 6));
  p.restore();
}

void DrawClock(QPainter& p, const IconRecipe& r) {
  UsePaint(p, r.colour, kInk, 2);
  p.drawEllipse(QRectF(1, 1, 16, 16));
  p.fillRect(QRectF(8, 4, 2, 6), kInk);
  p.fillRect(QRectF(8, 8, 5, 2), kInk);
  p.fillRect(QRectF(8, 15, 2, 1), kGrey);
  p.fillRect(QRectF(2, 8, 1, 2), kGrey);
  p.fillRect(QRectF(15, 8, 1, 2), kGrey);
}

void DrawHouse(QPainter& p, const IconRecipe& r) {
  UsePaint(p, kPaper, kInk);
  p.drawRect(QRectF(3, 8, 12, 9));
  p.fillRect(QRectF(7, 11, 4, 6), kBrown);
  UsePaint(p, r.colour, kInk);
  p.drawPolygon(Points({9, 0, 18, 9, 0, 9}));
}

void DrawMagnifier(QPainter& p, const IconRecipe& r) {
  DrawRimmedStrokes(p, {Points({11, 11, 15.5, 15.5})}, kBrown, 3);
  UsePaint(p, r.colour, kInk, 2);
  p.drawEllipse(QRectF(1, 1, 11, 11));
  p.fillRect(QRectF(4, 4, 2, 2), kWhite);
}

void DrawFace(QPainter& p, const IconRecipe& r) {
  UsePaint(p, r.colour, kInk);
  p.drawEllipse(QRectF(0, 0, 17, 17));
  p.fillRect(QRectF(5, 5, 2, 3), kInk);
  p.fillRect(QRectF(11, 5, 2, 3), kInk);
  UseStroke(p, kInk, 1.5);
  if (r.detail > 0) {
    p.drawPolyline(Points({4, 10, 6, 13, 12, 13, 14, 10}));
  } else {
    p.drawPolyline(Points({4, 14, 6, 11.5, 12, 11.5, 14, 14}));
  }
}

void DrawSun(QPainter& p, const IconRecipe& r) {
  UsePaint(p, kOrange, QColor());
  const auto at = [](qreal radius, qreal angle) {
    return QPointF(9 + radius * std::cos(angle), 9 + radius * std::sin(angle));
  };
  for (int i = 0; i < 8; ++i) {
    const qreal a = i * std::numbers::pi / 4;
    p.drawPolygon(QPolygonF({at(9.5, a), at(5.5, a - 0.4), at(5.5, a + 0.4)}));
  }
  UsePaint(p, r.colour, kInk);
  p.drawEllipse(QRectF(4, 4, 10, 10));
}

void DrawMoon(QPainter& p, const IconRecipe& r) {
  QPainterPath disc;
  disc.addEllipse(QRectF(1, 1, 15, 15));
  QPainterPath bite;
  bite.addEllipse(QRectF(6, -2, 13, 13));
  UsePaint(p, r.colour, kInk);
  p.drawPath(disc.subtracted(bite));
}

void DrawCloud(QPainter& p, const IconRecipe& r) {
  QPainterPath cloud;
  cloud.addEllipse(QRectF(0, 7, 8, 8));
  cloud.addEllipse(QRectF(4, 2, 9, 9));
  cloud.addEllipse(QRectF(10, 5, 7, 7));
  cloud.addRect(QRectF(4, 9, 10, 6));
  DrawMerged(p, cloud, r.colour);
}

void DrawLightning(QPainter& p, const IconRecipe& r) {
  UsePaint(p, r.colour, kInk);
  p.drawPolygon(Points({11, 0, 3, 10, 8, 10, 5, 17, 15, 7, 10, 7, 14, 0}));
}

void DrawDrop(QPainter& p, const IconRecipe& r) {
  QPainterPath drop;
  drop.addEllipse(QRectF(3, 6, 12, 11));
  drop.addPolygon(Points({9, 0, 3.3, 10, 14.7, 10}));
  DrawMerged(p, drop, r.colour);
  p.fillRect(QRectF(6, 10, 2, 4), kWhite);
}

void DrawLeaf(QPainter& p, const IconRecipe& r) {
  QPainterPath leaf;
  leaf.moveTo(1, 17);
  leaf.cubicTo(0, 6, 7, 1, 17, 1);
  leaf.cubicTo(17, 11, 11, 17, 1, 17);
  UsePaint(p, r.colour, kInk);
  p.drawPath(leaf);
  UseStroke(p, kDarkGreen, 1);
  p.drawLine(QPointF(3, 15), QPointF(13, 5));
}

void DrawNote(QPainter& p, const IconRecipe& r) {
  UsePaint(p, r.colour, QColor());
  p.drawEllipse(QRectF(1, 12, 6, 5));
  p.drawEllipse(QRectF(10, 10, 6, 5));
  p.fillRect(QRectF(5, 3, 2, 11), r.colour);
  p.fillRect(QRectF(14, 1, 2, 11), r.colour);
  p.drawPolygon(Points({5, 3, 16, 0, 16, 3.5, 5, 6.5}));
}

void DrawPhone(QPainter& p, const IconRecipe& r) {
  UsePaint(p, r.colour, kInk);
  p.drawRoundedRect(QRectF(4, 0, 10, 17), 2, 2);
  p.fillRect(QRectF(6, 2, 6, 10), kSky);
  p.fillRect(QRectF(8, 14, 2, 2), kLightGrey);
}

void DrawPaperclip(QPainter& p, const IconRecipe& r) {
  QPainterPath clip;
  clip.moveTo(8, 6);
  clip.lineTo(8, 12.5);
  clip.arcTo(QRectF(8, 10.5, 4, 4), 180, 180);
  clip.lineTo(12, 3.5);
  clip.arcTo(QRectF(5, 0.5, 7, 6), 0, 180);
  clip.lineTo(5, 13.5);
  clip.arcTo(QRectF(5, 9.5, 10, 8), 180, 180);
  clip.lineTo(15, 5);
  UseStroke(p, r.colour, 1.5);
  p.drawPath(clip);
}

void DrawScissors(QPainter& p, const IconRecipe& r) {
  DrawRimmedStrokes(p, {Points({5, 12, 14, 0}), Points({13, 12, 4, 0})}, kLightGrey, 1.5);
  UsePaint(p, QColor(), r.colour, 2);
  p.drawEllipse(QRectF(1, 11, 6, 6));
  p.drawEllipse(QRectF(11, 11, 6, 6));
}

void DrawBin(QPainter& p, const IconRecipe& r) {
  UsePaint(p, r.colour, kInk);
  p.drawPolygon(Points({3, 5, 15, 5, 14, 17, 4, 17}));
  p.drawRect(QRectF(1, 3, 16, 2));
  p.drawRect(QRectF(7, 1, 4, 2));
  UseStroke(p, kDarkGrey, 1);
  p.drawLine(QPointF(7, 8), QPointF(7, 15));
  p.drawLine(QPointF(11, 8), QPointF(11, 15));
}

void DrawGear(QPainter& p, const IconRecipe& r) {
  UsePaint(p, r.colour, kInk);
  p.drawPolygon(GearOutline({9, 9}, 9, 6.5, 8));
  UsePaint(p, QColor(), kInk);
  p.drawEllipse(QRectF(6, 6, 6, 6));
  PunchHole(p, QRectF(7, 7, 4, 4));
}

void DrawCalendar(QPainter& p, const IconRecipe& r) {
  UsePaint(p, kWhite, kInk);
  p.drawRect(QRectF(1, 2, 16, 15));
  p.fillRect(QRectF(2, 3, 15, 4), r.colour);
  p.fillRect(QRectF(5, 0, 2, 4), kInk);
  p.fillRect(QRectF(11, 0, 2, 4), kInk);
  for (int row = 0; row < 2; ++row) {
    for (int col = 0; col < 3; ++col) {
      p.fillRect(QRectF(4 + 4 * col, 9 + 4 * row, 2, 2), row + col == 0 ? r.colour : kGrey);
    }
  }
}

void DrawCup(QPainter& p, const IconRecipe& r) {
  UsePaint(p, QColor(), kInk, 3);
  p.drawEllipse(QRectF(1.5, 2.5, 5, 5));
  p.drawEllipse(QRectF(11.5, 2.5, 5, 5));
  UsePaint(p, QColor(), r.colour, 1);
  p.drawEllipse(QRectF(1.5, 2.5, 5, 5));
  p.drawEllipse(QRectF(11.5, 2.5, 5, 5));
  QPainterPath cup;
  cup.moveTo(4, 1);
  cup.lineTo(14, 1);
  cup.lineTo(14, 5);
  cup.cubicTo(14, 10, 11, 11, 9, 11);
  cup.cubicTo(7, 11, 4, 10, 4, 5);
  cup.closeSubpath();
  cup.addRect(QRectF(8, 10, 2, 4));
  cup.addRect(QRectF(5, 14, 8, 3));
  DrawMerged(p, cup, r.colour);
}

void DrawGlobe(QPainter& p, const IconRecipe& r) {
  UsePaint(p, r.colour, kInk);
  p.drawEllipse(QRectF(0, 0, 17, 17));
  UsePaint(p, kGreen, QColor());
  p.drawPolygon(Points({4, 3, 8, 2, 9, 5, 6, 8, 7, 11, 5, 13, 2, 8}));
  p.drawPolygon(Points({11, 7, 15, 5, 16, 10, 13, 14, 11, 11}));
}

void DrawCrown(QPainter& p, const IconRecipe& r) {
  UsePaint(p, r.colour, kInk);
  p.drawPolygon(Points({1, 15, 1, 4, 5, 9, 9, 2, 13, 9, 17, 4, 17, 15}));
  p.fillRect(QRectF(2, 12, 15, 1), kBrown);
  p.fillRect(QRectF(8, 8, 2, 2), kRed);
}
