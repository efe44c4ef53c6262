// The 16 x 16 pictures beside the menu items, one for each thing an item does.
#include "resources/ArtworkCatalog.h"
#include "resources/ArtworkDrawing.h"
#include "resources/ArtworkPalette.h"
#include "resources/ArtworkShapes.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cmath>
#include <numbers>

using namespace palette;

namespace {

void Use(QPainter& p, const QColor& fill, const QColor& line, qreal width = 1.0) {
  p.setBrush(fill.isValid() ? QBrush(fill) : QBrush(Qt::NoBrush));
  p.setPen(line.isValid() ? QPen(line, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)
                          : QPen(Qt::NoPen));
}

// A page with a turned corner, outline from (x, y), `w` x `h`.
void DrawPage(QPainter& p, qreal x, qreal y, qreal w, qreal h) {
  Use(p, kWhite, kDarkGrey);
  p.drawPolygon(QPolygonF({{x, y}, {x + w - 4, y}, {x + w, y + 4}, {x + w, y + h}, {x, y + h}}));
  Use(p, kLightGrey, kDarkGrey);
  p.drawPolygon(QPolygonF({{x + w - 4, y}, {x + w - 4, y + 4}, {x + w, y + 4}}));
}

void DrawLetter(QPainter& p, const QRectF& box, const QString& letter, const QColor& colour) {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(14);
  font.setBold(true);
  p.setFont(font);
  p.setPen(colour);
  p.drawText(box, Qt::AlignCenter, letter);
}

// An arrow head at `tip` pointing along `angle` (radians, screen y down).
void DrawArrowHead(QPainter& p, QPointF tip, qreal angle, qreal size, const QColor& colour) {
  const auto at = [&](qreal turn, qreal length) {
    return tip + QPointF(length * std::cos(angle + turn), length * std::sin(angle + turn));
  };
  Use(p, colour, QColor());
  p.drawPolygon(QPolygonF({tip, at(std::numbers::pi * 0.8, size), at(-std::numbers::pi * 0.8, size)}));
}

void DrawFavouriteColours(QPainter& p, int) {
  QPainterPath board;
  board.addEllipse(QRectF(0.5, 1.5, 15, 13));
  QPainterPath thumb;
  thumb.addEllipse(QRectF(3, 9, 3.5, 3.5));
  Use(p, QColor(0xe6, 0xc4, 0x8a), kBrown);
  p.drawPath(board.subtracted(thumb));
  const std::array<std::pair<QPointF, QColor>, 4> dabs = {
      {{{4.5, 5}, kRed}, {{8, 3.8}, kYellow}, {{11.5, 5.5}, kGreen}, {{11, 9.8}, kBlue}}};
  for (const auto& [centre, colour] : dabs) {
    Use(p, colour, QColor());
    p.drawEllipse(centre, 1.9, 1.9);
  }
}

void DrawConfigurator(QPainter& p, int) {
  QPainterPath wheel;
  wheel.addPolygon(GearOutline({8, 8}, 7.8, 5.6, 8));
  wheel.closeSubpath();
  QPainterPath hole;
  hole.addEllipse(QPointF(8, 8), 2.4, 2.4);
  Use(p, kGrey, kDarkGrey);
  p.drawPath(wheel.subtracted(hole));
}

void DrawUpdate(QPainter& p, int) {
  const QRectF circle(2.5, 2.5, 11, 11);
  for (int half = 0; half < 2; ++half) {
    const QColor colour = half == 0 ? kGreen : kBlue;
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour, 2, Qt::SolidLine, Qt::FlatCap));
    const int start = 20 + 180 * half;  // Qt angles: counter-clockwise from 3 o'clock
    p.drawArc(circle, start * 16, 130 * 16);
    const qreal end = (start + 130) * std::numbers::pi / 180;
    const QPointF tip(8 + 5.5 * std::cos(end), 8 - 5.5 * std::sin(end));
    DrawArrowHead(p, tip, -end - std::numbers::pi / 2, 4.5, colour);
  }
}

void DrawUndo(QPainter& p, int) {
  QPainterPath bend;
  bend.moveTo(13, 14);
  bend.cubicTo(15, 7, 10, 3.5, 4.5, 6);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kBlue, 2.4, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(bend);
  Use(p, kBlue, QColor());
  p.drawPolygon(QPolygonF({{0.5, 7.5}, {6.5, 1.5}, {7.5, 10.5}}));
}

void DrawNew(QPainter& p, int) {
  DrawPage(p, 1.5, 1.5, 11, 13);
  Use(p, kYellow, kBrown);
  p.drawPolygon(StarOutline({11.5, 11.5}, 4.5, 2));
}

void DrawSaveImage(QPainter& p, int) {
  Use(p, kSky, kDarkGrey);
  p.drawRect(QRectF(0.5, 0.5, 12, 10));
  Use(p, kYellow, QColor());
  p.drawEllipse(QPointF(9.5, 3.5), 1.6, 1.6);
  Use(p, kGreen, QColor());
  p.drawPolygon(QPolygonF({{1, 10}, {5, 5}, {8, 8}, {9.5, 6.5}, {12.5, 10}}));
  p.save();
  p.translate(12, 8);
  p.rotate(90);
  Use(p, kRed, kWhite);
  p.drawPolygon(ArrowOutline(-1, 7.5, 0, 2.6, 7, 3.5));
  p.restore();
}

void DrawAuthor(QPainter& p, int) {
  QPainterPath person;
  person.addEllipse(QRectF(4.5, 0.5, 7, 7));
  person.moveTo(1, 15.5);
  person.cubicTo(1, 8.5, 15, 8.5, 15, 15.5);
  person.closeSubpath();
  Use(p, kBlue, kNavy);
  p.drawPath(person);
}

void DrawExit(QPainter& p, int) {
  Use(p, kBrown, kInk);
  p.drawRect(QRectF(1.5, 0.5, 8, 15));
  Use(p, kYellow, QColor());
  p.drawEllipse(QPointF(7.5, 8), 0.9, 0.9);
  Use(p, kGreen, kDarkGreen);
  p.drawPolygon(ArrowOutline(5.5, 15.5, 8, 3.2, 8, 4.5));
}

void DrawSwitch(QPainter& p, int) {
  Use(p, kWhite, kDarkGrey);
  p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 2, 2);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kGreen, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPolyline(QPolygonF({{4.5, 8}, {7, 11}, {12, 4.5}}));
}

void DrawUnderline(QPainter& p, int) {
  DrawLetter(p, QRectF(0, -2, 16, 16), QStringLiteral("A"), kInk);
  p.fillRect(QRectF(1, 13, 14, 2), kRed);
}

void DrawTwoColours(QPainter& p, int) {
  Use(p, kYellow, kBrown);
  p.drawRect(QRectF(0.5, 2.5, 9, 9));
  Use(p, kBlue, kNavy);
  p.drawRect(QRectF(6.5, 5.5, 9, 9));
}

void DrawGoTo(QPainter& p, int) {
  DrawPage(p, 6.5, 0.5, 9, 15);
  Use(p, kBlue, kWhite);
  p.drawPolygon(ArrowOutline(0, 11, 8, 3.2, 8, 4.5));
}

void DrawLink(QPainter& p, int) {
  p.translate(8, 8);
  p.rotate(-45);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kBlue, 2));
  p.drawRoundedRect(QRectF(-8, -3, 9, 6), 3, 3);
  p.setPen(QPen(kNavy, 2));
  p.drawRoundedRect(QRectF(-1, -3, 9, 6), 3, 3);
}

void DrawBold(QPainter& p, int) { DrawLetter(p, QRectF(0, 0, 16, 16), QStringLiteral("B"), kInk); }

// detail: 0 left, 1 centre, 2 right.
void DrawAlignedLines(QPainter& p, int detail) {
  const std::array<int, 4> widths = {14, 9, 12, 7};
  for (int i = 0; i < 4; ++i) {
    const int w = widths[i];
    const int x = detail == 0 ? 1 : detail == 1 ? (16 - w) / 2 : 15 - w;
    p.fillRect(QRect(x, 2 + 4 * i, w, 2), kInk);
  }
}

struct MenuPictureRecipe {
  void (*draw)(QPainter&, int);
  int detail;
};

// Pictures 333..349 in order.
constexpr std::array<MenuPictureRecipe, kLastMenuPicture - kFirstMenuPicture + 1> kRecipes = {{
    {DrawFavouriteColours, 0}, {DrawConfigurator, 0}, {DrawUpdate, 0},     {DrawUndo, 0},
    {DrawNew, 0},              {DrawSaveImage, 0},    {DrawAuthor, 0},     {DrawExit, 0},
    {DrawSwitch, 0},           {DrawUnderline, 0},    {DrawTwoColours, 0}, {DrawGoTo, 0},
    {DrawLink, 0},             {DrawBold, 0},         {DrawAlignedLines, 0},
    {DrawAlignedLines, 1},     {DrawAlignedLines, 2},
}};

}  // namespace

QImage DrawMenuPicture(int number) {
  if (!IsMenuPicture(number)) return {};
  QImage picture(ArtworkPixelSize(number), QImage::Format_ARGB32_Premultiplied);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  const MenuPictureRecipe& recipe = kRecipes[number - kFirstMenuPicture];
  recipe.draw(p, recipe.detail);
  p.end();
  return picture.convertToFormat(QImage::Format_ARGB32);
}
