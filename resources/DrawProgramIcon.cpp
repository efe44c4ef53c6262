// The program icon: a written page with a coloured underline and a marked
// margin. Every length is rounded to whole pixels for the size being drawn,
// so the small sizes stay sharp instead of being a scaled-down blur.
#include "resources/ArtworkDrawing.h"
#include "resources/ArtworkPalette.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

using namespace palette;

namespace {

int Scaled(int size, double fraction) { return static_cast<int>(std::lround(size * fraction)); }

// The sheet itself with its turned corner; returns the paper inside the outline.
QRect DrawSheet(QPainter& p, int size) {
  const int left = Scaled(size, 0.14);
  const int top = Scaled(size, 0.03);
  const int right = size - left;
  const int bottom = size - top;
  const int fold = std::max(3, Scaled(size, 0.2));
  const int pen = std::max(1, Scaled(size, 1.0 / 32));
  const qreal inset = pen / 2.0;  // keeps the outline on whole pixels
  const QPolygonF sheet({{left + inset, top + inset}, {right - fold + inset, top + inset},
                         {right - inset, top + fold - inset}, {right - inset, bottom - inset},
                         {left + inset, bottom - inset}});
  p.setPen(QPen(kDarkGrey, pen, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.setBrush(kWhite);
  p.drawPolygon(sheet);
  p.setBrush(kLightGrey);
  p.setPen(QPen(kDarkGrey, pen, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));  // no spike
  p.drawPolygon(QPolygonF({{right - fold + inset, top + inset},
                           {right - fold + inset, top + fold - inset},
                           {right - inset, top + fold - inset}}));
  return QRect(QPoint(left + pen, top + fold), QPoint(right - pen - 1, bottom - pen - 1));
}

// Lines of text below the fold, as many as fit; the second is underlined in
// red, and from 24 pixels up a blue bar marks the margin beside the first two.
void DrawWriting(QPainter& p, int size, const QRect& paper) {
  constexpr int kUnderlined = 1;
  const int thick = std::max(1, Scaled(size, 0.045));
  const int gap = size >= 24 ? std::max(1, thick / 2) : 0;
  const int pitch = std::max(thick + 1, Scaled(size, 0.1));
  const int margin = std::max(1, Scaled(size, 0.11));
  const QRect area = paper.adjusted(margin, std::max(1, Scaled(size, 0.04)), -margin, -margin);
  const std::array<double, 7> lengths = {1.0, 0.75, 0.95, 0.55, 0.9, 0.7, 0.85};
  int y = area.top();
  for (int i = 0; i < static_cast<int>(lengths.size()); ++i) {
    const int underline = i == kUnderlined ? gap + thick : 0;
    if (y + thick + underline > area.bottom() + 1) break;
    p.fillRect(QRect(area.left(), y, Scaled(area.width(), lengths[i]), thick), kDarkGrey);
    if (underline > 0) p.fillRect(QRect(area.left(), y + thick + gap, area.width(), thick), kRed);
    y += pitch + underline;
  }
  if (size >= 24) {
    const int markX = paper.left() + (margin - thick) / 2;
    p.fillRect(QRect(markX, area.top(), thick, pitch + thick), kBlue);
  }
}

}  // namespace

QImage DrawProgramIcon(int size) {
  QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
  icon.fill(Qt::transparent);
  QPainter p(&icon);
  p.setRenderHint(QPainter::Antialiasing);
  DrawWriting(p, size, DrawSheet(p, size));
  p.end();
  return icon.convertToFormat(QImage::Format_ARGB32);
}
