#include "resources/ArtworkCatalog.h"
#include "resources/ArtworkDrawing.h"
#include "resources/ArtworkPalette.h"
#include "resources/ArtworkShapes.h"
#include "resources/IconKit.h"

#include <QFont>

#include <vector>

using namespace palette;

void UsePaint(QPainter& p, const QColor& fill, const QColor& line, qreal width) {
  p.setBrush(fill.isValid() ? QBrush(fill) : QBrush(Qt::NoBrush));
  if (line.isValid()) {
    p.setPen(QPen(line, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  } else {
    p.setPen(Qt::NoPen);
  }
}

void UseStroke(QPainter& p, const QColor& colour, qreal width) {
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
}

QPolygonF Points(std::initializer_list<qreal> xy) {
  QPolygonF polygon;
  for (auto it = xy.begin(); it != xy.end() && it + 1 != xy.end(); it += 2) {
    polygon << QPointF(*it, *(it + 1));
  }
  return polygon;
}

void DrawRimmedStrokes(QPainter& p, std::initializer_list<QPolygonF> strokes,
                       const QColor& colour, qreal width) {
  p.setBrush(Qt::NoBrush);
  for (const bool rim : {true, false}) {
    p.setPen(QPen(rim ? kInk : colour, rim ? width + 2 : width, Qt::SolidLine, Qt::SquareCap,
                  Qt::MiterJoin));
    for (const QPolygonF& stroke : strokes) p.drawPolyline(stroke);
  }
}

void DrawMerged(QPainter& p, const QPainterPath& pieces, const QColor& fill) {
  // United one by one: a plain fill rule would cancel overlaps of opposite turn.
  QPainterPath merged;
  for (const QPolygonF& piece : pieces.toSubpathPolygons()) {
    QPainterPath part;
    part.addPolygon(piece);
    part.closeSubpath();
    merged = merged.united(part);
  }
  UsePaint(p, fill, kInk);
  p.drawPath(merged);
}

void PunchHole(QPainter& p, const QRectF& ellipse) {
  p.save();
  p.setCompositionMode(QPainter::CompositionMode_Clear);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  p.drawEllipse(ellipse);
  p.restore();
}

void DrawGlyph(QPainter& p, const QRectF& box, QChar glyph, const QColor& colour,
               int pixelSize) {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(pixelSize);
  font.setBold(true);
  // Smoothed glyph edges would blend into the background colour.
  font.setStyleStrategy(QFont::NoAntialias);
  p.setFont(font);
  p.setPen(colour);
  p.drawText(box, Qt::AlignCenter, QString(glyph));
}

void DrawArrow(QPainter& p, const IconRecipe& r) {
  p.save();
  p.translate(9, 9);
  p.rotate(-45.0 * r.detail);
  p.translate(-9, -9);
  UsePaint(p, r.colour, kInk);
  p.drawPolygon(ArrowOutline(2, 16, 9, 5, 12, 7));
  p.restore();
}

void DrawDisc(QPainter& p, const IconRecipe& r) {
  UsePaint(p, r.colour, kInk);
  p.drawEllipse(QRectF(3, 3, 12, 12));
  UsePaint(p, r.colour.lighter(160), QColor());
  p.drawEllipse(QRectF(6, 5.5, 3, 3));
}

void DrawGlyphCircle(QPainter& p, const IconRecipe& r) {
  UsePaint(p, r.colour, kInk);
  p.drawEllipse(QRectF(0, 0, 17, 17));
  DrawGlyph(p, QRectF(0, 0, 18, 18), QChar(r.detail), kWhite, 14);
}

void DrawGlyphSquare(QPainter& p, const IconRecipe& r) {
  UsePaint(p, r.colour, kInk);
  p.drawRoundedRect(QRectF(0, 0, 17, 17), 3, 3);
  DrawGlyph(p, QRectF(0, 0, 18, 18), QChar(r.detail), kWhite, 14);
}

namespace {

enum Direction { kEast, kNorthEast, kNorth, kNorthWest, kWest, kSouthWest, kSouth, kSouthEast };

// The fixed part of the set; the digit and letter runs are added by MakeRecipes.
const std::vector<IconRecipe>& FixedRecipes() {
  static const std::vector<IconRecipe> recipes = {
      {1, DrawArrow, kBlue, kEast},         {2, DrawArrow, kBlue, kWest},
      {3, DrawArrow, kGreen, kNorth},       {4, DrawArrow, kRed, kSouth},
      {5, DrawArrow, kTeal, kNorthEast},    {6, DrawArrow, kTeal, kSouthEast},
      {7, DrawArrow, kOrange, kSouthWest},  {8, DrawArrow, kOrange, kNorthWest},
      {9, DrawLongArrow, kNavy},            {10, DrawCheck, kGreen},
      {11, DrawCross, kRed},                {12, DrawStar, kYellow},
      {13, DrawHeart, kRed},                {14, DrawWarning, kYellow},
      {15, DrawInfo, kBlue},                {16, DrawGlyphCircle, kPurple, '?'},
      {17, DrawGlyphCircle, kRed, '!'},     {18, DrawFlag, kRed},
      {19, DrawPin, kRed},                  {20, DrawKey, kGold},
      {21, DrawLock, kGold},                {22, DrawEnvelope, kPaper},
      {23, DrawBell, kYellow},              {24, DrawBulb, kYellow},
      {25, DrawBook, kBlue},                {26, DrawPencil, kYellow},
      {27, DrawClock, kWhite},              {28, DrawHouse, kRed},
      {29, DrawMagnifier, kSky},            {30, DrawFace, kYellow, 1},
      {31, DrawFace, kSky, -1},             {32, DrawSun, kYellow},
      {33, DrawMoon, kYellow},              {34, DrawCloud, kWhite},
      {35, DrawLightning, kYellow},         {36, DrawDrop, kBlue},
      {37, DrawLeaf, kGreen},               {38, DrawNote, kInk},
      {39, DrawPhone, kDarkGrey},           {40, DrawPaperclip, kDarkGrey},
      {41, DrawScissors, kRed},             {42, DrawBin, kGrey},
      {43, DrawGear, kGrey},                {44, DrawPlusCircle, kGreen},
      {45, DrawMinusCircle, kRed},          {46, DrawStopSign, kRed},
      {47, DrawPlay, kGreen},               {48, DrawPause, kBlue},
      {49, DrawTickedBox, kGreen},          {50, DrawEmptyBox, kWhite},
      {87, DrawDisc, kRed},                 {88, DrawDisc, kOrange},
      {89, DrawDisc, kYellow},              {90, DrawDisc, kGreen},
      {91, DrawDisc, kBlue},                {92, DrawDisc, kPurple},
      {93, DrawDisc, kInk},                 {94, DrawDiamond, kSky},
      {95, DrawCalendar, kRed},             {96, DrawTarget, kRed},
      {97, DrawCup, kGold},                 {98, DrawGlobe, kBlue},
      {99, DrawCrown, kGold},
  };
  return recipes;
}

// Icons 51..60 are the digits 0..9 in circles, 61..86 the letters A..Z in squares.
std::vector<IconRecipe> MakeRecipes() {
  std::vector<IconRecipe> recipes(kLastInlineIcon + 1);
  for (int digit = 0; digit <= 9; ++digit) {
    recipes[51 + digit] = {51 + digit, DrawGlyphCircle, kNavy, '0' + digit};
  }
  for (int letter = 0; letter < 26; ++letter) {
    recipes[61 + letter] = {61 + letter, DrawGlyphSquare, kTeal, 'A' + letter};
  }
  for (const IconRecipe& recipe : FixedRecipes()) recipes[recipe.number] = recipe;
  return recipes;
}

// Anything less than half covered is background; the rest is opaque, so no
// edge pixel ends up a blend with magenta.
QImage FlattenOntoMagenta(const QImage& drawing) {
  QImage straight = drawing.convertToFormat(QImage::Format_ARGB32);
  QImage icon(straight.size(), QImage::Format_RGB32);
  for (int y = 0; y < straight.height(); ++y) {
    const QRgb* from = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
    QRgb* to = reinterpret_cast<QRgb*>(icon.scanLine(y));
    for (int x = 0; x < straight.width(); ++x) {
      to[x] = qAlpha(from[x]) >= 128 ? (from[x] | 0xFF000000u) : kIconTransparent;
    }
  }
  return icon;
}

}  // namespace

QImage DrawInlineIcon(int number) {
  static const std::vector<IconRecipe> recipes = MakeRecipes();
  if (!IsInlineIcon(number) || recipes[number].draw == nullptr) return {};
  QImage drawing(ArtworkPixelSize(number), QImage::Format_ARGB32_Premultiplied);
  drawing.fill(Qt::transparent);
  {
    QPainter p(&drawing);
    recipes[number].draw(p, recipes[number]);
  }
  return FlattenOntoMagenta(drawing);
}
