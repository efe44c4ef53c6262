// Bullets and icons written into a line's text.
#include "viewer/canvas/PageRenderer.h"

#include "resources/Artwork.h"
#include "viewer/canvas/InlineMarkers.h"

#include <QHash>
#include <QPaintEngine>

namespace {

long long CellLeft(long long column) { return (column - 1) * kCellWidth; }

// Hides a marker's `cells` cells from `column` on. The tall strokes of the
// page font (\, $, #, digits) run from row y0 + 1 down to row y0 + 13, so
// the cover takes exactly those rows: none of the marker shows, and the
// underline of the line above (on y0) is left alone.
void CoverMarker(QPainter& painter, long long column, int cells, int y0, QColor ground) {
  painter.fillRect(QRect(static_cast<int>(CellLeft(column)), y0 + 1, cells * kCellWidth, 13), ground);
}

// The icon picture with its magenta made transparent, made once per icon:
// drawing it then skips exactly the magenta pixels.
const QImage& TransparentIcon(int number) {
  static QHash<int, QImage> cache;
  auto it = cache.find(number);
  if (it != cache.end()) return *it;
  QImage icon = ArtworkImage(number).convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < icon.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(icon.scanLine(y));
    for (int x = 0; x < icon.width(); ++x) {
      if ((row[x] & 0xFFFFFF) == 0xFF00FF) row[x] = 0;
    }
  }
  return *cache.insert(number, icon);
}

void DrawBulletShape(QPainter& painter, int shape, int x, int y) {
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::black);
  // Pixels take a one-pixel outline right of and below its line, vectors
  // across it: half a pixel puts a vector outline on the same pixels.
  if (shape != 1 && painter.paintEngine()->type() != QPaintEngine::Raster) painter.translate(0.5, 0.5);
  switch (shape) {
    case 1: painter.fillRect(QRect(x, y, 7, 7), Qt::black); break;
    case 2: painter.drawEllipse(QRect(x, y, 4, 4)); break;
    case 3: painter.drawPolygon(QPolygon({QPoint(x, y), QPoint(x + 4, y - 4), QPoint(x + 8, y), QPoint(x + 4, y + 4)})); break;
    default: painter.drawPolygon(QPolygon({QPoint(x, y - 4), QPoint(x + 7, y), QPoint(x, y + 4)})); break;
  }
}

}  // namespace

void PageRenderer::DrawIcons(QPainter& painter, const PageToDraw& at, int line) {
  const LineRecord& record = LineOf(at, line);
  const std::vector<InlineMarker> markers = FindIconMarkers(record.text);
  if (markers.empty()) return;
  const int shift = AlignmentShift(record);
  const QColor ground = at.IsGuideLine(line) ? QColor(state_.guide.GuideFill) : QColor(Qt::white);
  const int y0 = (line - 1) * kLineHeight;
  for (const InlineMarker& marker : markers) {
    const long long first = marker.position + 3 + shift;
    CoverMarker(painter, first, 4, y0, ground);
    painter.drawImage(static_cast<int>(CellLeft(first + 1)), y0, TransparentIcon(marker.value));
  }
}

void PageRenderer::DrawBullets(QPainter& painter, const PageToDraw& at, int line) {
  const std::vector<InlineMarker> markers = FindBulletMarkers(LineOf(at, line).text);
  if (markers.empty()) return;
  const QColor ground = at.IsGuideLine(line) ? QColor(state_.guide.GuideFill) : QColor(Qt::white);
  const int y0 = (line - 1) * kLineHeight;
  for (const InlineMarker& marker : markers) {
    // Bullets stand where left-aligned text puts them, whatever the alignment.
    const long long first = marker.position + 3;
    CoverMarker(painter, first, 3, y0, ground);
    painter.save();
    DrawBulletShape(painter, marker.value, static_cast<int>(CellLeft(first + 1)), y0 + 6);
    painter.restore();
  }
}
