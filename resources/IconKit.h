#pragma once

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <initializer_list>

// Building blocks of the inline icons. Icons are drawn in pixel units on an
// 18 x 18 canvas (18 x 12 for the low ones), aliased, so every pixel is
// either the drawing or the see-through background.

// One inline icon: how it is drawn, in which colour, with which detail (a
// direction for arrows, a character for glyph icons, unused otherwise).
struct IconRecipe;
using IconPainter = void (*)(QPainter&, const IconRecipe&);
struct IconRecipe {
  int number;
  IconPainter draw;
  QColor colour;
  int detail = 0;
};

// Fill with `fill`, outline with `line` (Qt::NoPen when transparent).
void UsePaint(QPainter& p, const QColor& fill, const QColor& line, qreal width = 1.0);
// A thick stroke without fill.
void UseStroke(QPainter& p, const QColor& colour, qreal width);
// A polygon from x, y pairs.
QPolygonF Points(std::initializer_list<qreal> xy);
// Strokes with a one-pixel ink rim, all rims first so that crossings stay clean.
void DrawRimmedStrokes(QPainter& p, std::initializer_list<QPolygonF> strokes,
                       const QColor& colour, qreal width);
// Overlapping pieces (subpaths) drawn as one outlined shape.
void DrawMerged(QPainter& p, const QPainterPath& pieces, const QColor& fill);
// Makes `area` see-through again (holes in rings, wheels, ...).
void PunchHole(QPainter& p, const QRectF& ellipse);
// A bold sans glyph centred in `box`, drawn without smoothing.
void DrawGlyph(QPainter& p, const QRectF& box, QChar glyph, const QColor& colour, int pixelSize);

// Generic kinds, parameterised by the recipe.
void DrawArrow(QPainter& p, const IconRecipe& r);        // detail: eighths of a turn from east
void DrawDisc(QPainter& p, const IconRecipe& r);         // coloured bullet
void DrawGlyphCircle(QPainter& p, const IconRecipe& r);  // detail: the character
void DrawGlyphSquare(QPainter& p, const IconRecipe& r);  // detail: the character

// Signs and marks.
void DrawCheck(QPainter& p, const IconRecipe& r);
void DrawCross(QPainter& p, const IconRecipe& r);
void DrawStar(QPainter& p, const IconRecipe& r);
void DrawHeart(QPainter& p, const IconRecipe& r);
void DrawWarning(QPainter& p, const IconRecipe& r);
void DrawInfo(QPainter& p, const IconRecipe& r);
void DrawPlusCircle(QPainter& p, const IconRecipe& r);
void DrawMinusCircle(QPainter& p, const IconRecipe& r);
void DrawStopSign(QPainter& p, const IconRecipe& r);
void DrawPlay(QPainter& p, const IconRecipe& r);
void DrawPause(QPainter& p, const IconRecipe& r);
void DrawTickedBox(QPainter& p, const IconRecipe& r);
void DrawEmptyBox(QPainter& p, const IconRecipe& r);
void DrawDiamond(QPainter& p, const IconRecipe& r);
void DrawTarget(QPainter& p, const IconRecipe& r);
void DrawLongArrow(QPainter& p, const IconRecipe& r);  // low icon

// Things.
void DrawFlag(QPainter& p, const IconRecipe& r);
void DrawPin(QPainter& p, const IconRecipe& r);
void DrawKey(QPainter& p, const IconRecipe& r);
void DrawLock(QPainter& p, const IconRecipe& r);
void DrawEnvelope(QPainter& p, const IconRecipe& r);  // low icon
void DrawBell(QPainter& p, const IconRecipe& r);
void DrawBulb(QPainter& p, const IconRecipe& r);
void DrawBook(QPainter& p, const IconRecipe& r);
void DrawPencil(QPainter& p, const IconRecipe& r);
void DrawClock(QPainter& p, const IconRecipe& r);
void DrawHouse(QPainter& p, const IconRecipe& r);
void DrawMagnifier(QPainter& p, const IconRecipe& r);
void DrawFace(QPainter& p, const IconRecipe& r);  // detail: 1 smiling, -1 sad
void DrawSun(QPainter& p, const IconRecipe& r);
void DrawMoon(QPainter& p, const IconRecipe& r);
void DrawCloud(QPainter& p, const IconRecipe& r);
void DrawLightning(QPainter& p, const IconRecipe& r);
void DrawDrop(QPainter& p, const IconRecipe& r);
void DrawLeaf(QPainter& p, const IconRecipe& r);
void DrawNote(QPainter& p, const IconRecipe& r);
void DrawPhone(QPainter& p, const IconRecipe& r);
void DrawPaperclip(QPainter& p, const IconRecipe& r);
void DrawScissors(QPainter& p, const IconRecipe& r);
void DrawBin(QPainter& p, const IconRecipe& r);
void DrawGear(QPainter& p, const IconRecipe& r);
void DrawCalendar(QPainter& p, const IconRecipe& r);
void DrawCup(QPainter& p, const IconRecipe& r);
void DrawGlobe(QPainter& p, const IconRecipe& r);
void DrawCrown(QPainter& p, const IconRecipe& r);
