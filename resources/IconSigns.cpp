// Inline icons that are signs and marks.
#include "resources/ArtworkPalette.h"
#include "resources/ArtworkShapes.h"
#include "resources/IconKit.h"

#include <QPainterPath>

using namespace palette;

void DrawCheck(QPainter& p, const IconRecipe& r) {
  DrawRimmedStrokes(p, {Points({3, 9, 7, 13, 15, 4})}, r.colour, 3);
}

void DrawCross(QPainter& p, const IconRecipe& r) {
  DrawRimmedStrokes(p, {Points({4, 4, 14, 14}), Points({14, 4, 4, 14})}, r.colour, 3);
}

void DrawStar(QPainter& p, const IconRecipe& r) {
  UsePaint(p, r.colour, kBrown);
  p.drawPolygon(StarOutline({9, 9.8}, 9, 3.8));
}

void DrawHeart(QPainter& p, const IconRecipe& r) {
  QPainterPath heart;
  heart.addEllipse(QRectF(1, 2, 8.5, 8.5));
  heart.addEllipse(QRectF(8.5, 2, 8.5, 8.5));
  heart.addPolygon(Points({1.4, 8, 9, 16.5, 16.6, 8, 9, 5}));
  DrawMerged(p, heart, r.colour);
}

void DrawWarning(QPainter& p, const IconRecipe& r) {
  UsePaint(p, r.colour, kInk);
  p.drawPolygon(Points({9, 0, 17, 16, 1, 16}));
  p.fillRect(QRectF(8, 5, 2, 7), kInk);
  p.fillRect(QRectF(8, 13, 2, 2), kInk);
}

void DrawInfo(QPainter& p, const IconRecipe& r) {
  UsePaint(p, r.colour, kInk);
  p.drawEllipse(QRectF(0, 0, 17, 17));
  p.fillRect(QRectF(8, 3, 2, 2), kWhite);
  p.fillRect(QRectF(7, 6, 3, 2), kWhite);
  p.fillRect(QRectF(8, 6, 2, 8), kWhite);
  p.fillRect(QRectF(7, 13, 4, 1), kWhite);
}

void DrawPlusCircle(QPainter& p, const IconRecipe& r) {
  UsePaint(p, r.colour, kInk);
  p.drawEllipse(QRectF(0, 0, 17, 17));
  p.fillRect(QRectF(4, 8, 10, 2), kWhite);
  p.fillRect(QRectF(8, 4, 2, 10), kWhite);
}

void DrawMinusCircle(QPainter& p, const IconRecipe& r) {
  UsePaint(p, r.colour, kInk);
  p.drawEllipse(QRectF(0, 0, 17, 17));
  p.fillRect(QRectF(4, 8, 10, 2), kWhite);
}

void DrawStopSign(QPainter& p, const IconRecipe& r) {
  UsePaint(p, r.colour, kInk);
  p.drawPolygon(Points({5, 0, 12, 0, 17, 5, 17, 12, 12, 17, 5, 17, 0, 12, 0, 5}));
  p.fillRect(QRectF(3, 7, 12, 4), kWhite);
}

void DrawPlay(QPainter& p, const IconRecipe& r) {
  UsePaint(p, r.colour, kInk);
  p.drawPolygon(Points({4, 1, 16, 9, 4, 17}));
}

void DrawPause(QPainter& p, const IconRecipe& r) {
  UsePaint(p, r.colour, kInk);
  p.drawRect(QRectF(3, 2, 4, 14));
  p.drawRect(QRectF(11, 2, 4, 14));
}

void DrawTickedBox(QPainter& p, const IconRecipe& r) {
  UsePaint(p, kWhite, kInk);
  p.drawRect(QRectF(1, 1, 15, 15));
  UseStroke(p, r.colour, 2.5);
  p.drawPolyline(Points({4, 8.5, 7.5, 12, 13.5, 4.5}));
}

void DrawEmptyBox(QPainter& p, const IconRecipe& r) {
  UsePaint(p, r.colour, kInk);
  p.drawRect(QRectF(1, 1, 15, 15));
  UsePaint(p, QColor(), kLightGrey);
  p.drawRect(QRectF(2, 2, 13, 13));
}

void DrawDiamond(QPainter& p, const IconRecipe& r) {
  UsePaint(p, r.colour, kInk);
  p.drawPolygon(Points({5, 2, 13, 2, 17, 7, 9, 17, 1, 7}));
  UseStroke(p, kNavy, 1);
  p.drawLine(QPointF(2, 7), QPointF(16, 7));
  p.drawPolyline(Points({6, 3, 7, 7, 9, 15, 11, 7, 12, 3}));
}

void DrawTarget(QPainter& p, const IconRecipe& r) {
  UsePaint(p, r.colour, kInk);
  p.drawEllipse(QRectF(0, 0, 17, 17));
  UsePaint(p, kWhite, QColor());
  p.drawEllipse(QRectF(3, 3, 12, 12));
  UsePaint(p, r.colour, QColor());
  p.drawEllipse(QRectF(6, 6, 6, 6));
}

void DrawLongArrow(QPainter& p, const IconRecipe& r) {
  UsePaint(p, r.colour, kInk);
  p.drawPolygon(ArrowOutline(0, 17, 6, 4, 11, 6));
}
