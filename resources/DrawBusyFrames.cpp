// The "working" animation: a ring of dots with a travelling highlight, a
// striped band sliding to the right and three dots lighting in turn. Every
// motion repeats after exactly twelve frames, so 812 runs smoothly into 801.
#include "resources/ArtworkCatalog.h"
#include "resources/ArtworkDrawing.h"
#include "resources/ArtworkPalette.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

using namespace palette;

namespace {

constexpr int kFrames = kLastBusyFrame - kFirstBusyFrame + 1;

QColor Blend(const QColor& from, const QColor& to, qreal t) {
  return QColor::fromRgbF(from.redF() + (to.redF() - from.redF()) * t,
                          from.greenF() + (to.greenF() - from.greenF()) * t,
                          from.blueF() + (to.blueF() - from.blueF()) * t);
}

// Twelve dots clockwise from the top; the lit one is `phase`, the ones just
// passed fade out behind it.
void DrawSpinner(QPainter& p, QPointF centre, qreal radius, int phase) {
  p.setPen(Qt::NoPen);
  for (int i = 0; i < kFrames; ++i) {
    const int age = (phase - i + kFrames) % kFrames;
    const qreal fade = std::min(1.0, age / 6.0);
    const qreal angle = -std::numbers::pi / 2 + i * 2 * std::numbers::pi / kFrames;
    const QPointF at = centre + radius * QPointF(std::cos(angle), std::sin(angle));
    p.setBrush(Blend(kBlue, kLightGrey, fade));
    const qreal size = 8.0 - 3.0 * fade;
    p.drawEllipse(at, size, size);
  }
}

// A rounded band whose diagonal stripes move one twelfth of their period a frame.
void DrawStripedBand(QPainter& p, const QRectF& band, int phase) {
  constexpr qreal kPeriod = 24;
  QPainterPath outline;
  outline.addRoundedRect(band, band.height() / 2, band.height() / 2);
  p.save();
  p.setClipPath(outline);
  p.fillRect(band, kSky);
  p.setPen(Qt::NoPen);
  p.setBrush(kBlue);
  const qreal shift = phase * kPeriod / kFrames;
  const qreal h = band.height();
  for (qreal x = band.left() - 2 * kPeriod + shift; x < band.right() + kPeriod; x += kPeriod) {
    p.drawPolygon(QPolygonF({{x, band.bottom()}, {x + h, band.top()},
                             {x + h + kPeriod / 2, band.top()}, {x + kPeriod / 2, band.bottom()}}));
  }
  p.restore();
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kNavy, 2));
  p.drawPath(outline);
}

// Three dots under the band; each is lit for a third of the cycle.
void DrawTurnDots(QPainter& p, QPointF first, qreal gap, int phase) {
  p.setPen(Qt::NoPen);
  const int lit = phase * 3 / kFrames;
  for (int i = 0; i < 3; ++i) {
    p.setBrush(i == lit ? kNavy : kLightGrey);
    p.drawEllipse(first + QPointF(i * gap, 0), 6, 6);
  }
}

}  // namespace

QImage DrawBusyFrame(int number) {
  if (!IsBusyFrame(number)) return {};
  const int phase = number - kFirstBusyFrame;
  QImage frame(ArtworkPixelSize(number), QImage::Format_RGB32);
  frame.fill(Qt::white);
  QPainter p(&frame);
  p.setRenderHint(QPainter::Antialiasing);
  DrawSpinner(p, {74, 66.5}, 42, phase);
  DrawStripedBand(p, QRectF(150, 48, 210, 26), phase);
  DrawTurnDots(p, {231, 98}, 24, phase);
  return frame;
}
