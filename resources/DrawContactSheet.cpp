// A sheet with every picture, for a person to judge the set at a glance:
// inline icons and menu pictures enlarged four times (icons still on their
// magenta, so a stray fringe shows) and once more at true size on a page.
#include "resources/ArtworkCatalog.h"
#include "resources/ArtworkDrawing.h"

#include <QPainter>

namespace {

constexpr int kZoom = 4;
constexpr int kCell = 18 * kZoom + 14;
constexpr int kColumns = 14;
constexpr int kSheetWidth = kColumns * kCell + 20;

void DrawLabel(QPainter& p, QPoint at, const QString& text) {
  p.setPen(Qt::black);
  p.drawText(QRect(at, QSize(kCell, 12)), Qt::AlignLeft, text);
}

// A run of pictures, enlarged, `kColumns` to a row; returns the next free y.
int DrawEnlarged(QPainter& p, int top, int first, int last, QImage (*draw)(int)) {
  for (int n = first; n <= last; ++n) {
    const int i = n - first;
    const QPoint at(10 + (i % kColumns) * kCell, top + (i / kColumns) * (kCell + 4));
    const QImage picture = draw(n);
    DrawLabel(p, at, QString::number(n));
    p.drawImage(QRect(at + QPoint(0, 14), picture.size() * kZoom), picture);
  }
  return top + ((last - first) / kColumns + 1) * (kCell + 4) + 10;
}

// An inline icon as the page shows it: magenta is not drawn.
QImage SeeThrough(const QImage& icon) {
  QImage shown = icon.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < shown.height(); ++y) {
    for (int x = 0; x < shown.width(); ++x) {
      if (shown.pixel(x, y) == kIconTransparent) shown.setPixel(x, y, 0);
    }
  }
  return shown;
}

// The same run at true size on white, the way a page shows them.
int DrawTrueSize(QPainter& p, int top, int first, int last, QImage (*draw)(int)) {
  constexpr int kStep = 22;
  const int perRow = (kSheetWidth - 28) / kStep;
  const int rows = (last - first) / perRow + 1;
  p.fillRect(QRect(10, top, kSheetWidth - 20, rows * kStep + 6), Qt::white);
  for (int n = first; n <= last; ++n) {
    const int i = n - first;
    const QImage picture = draw(n);
    p.drawImage(QPoint(14 + (i % perRow) * kStep, top + 4 + (i / perRow) * kStep),
                IsInlineIcon(n) ? SeeThrough(picture) : picture);
  }
  return top + rows * kStep + 16;
}

}  // namespace

QImage DrawContactSheet() {
  QImage sheet(kSheetWidth, 2200, QImage::Format_RGB32);
  sheet.fill(QColor(0xe8, 0xe8, 0xe8));
  QPainter p(&sheet);
  int y = DrawEnlarged(p, 10, kFirstInlineIcon, kLastInlineIcon, DrawInlineIcon);
  y = DrawTrueSize(p, y, kFirstInlineIcon, kLastInlineIcon, DrawInlineIcon);
  y = DrawEnlarged(p, y, kFirstMenuPicture, kLastMenuPicture, DrawMenuPicture);
  y = DrawTrueSize(p, y, kFirstMenuPicture, kLastMenuPicture, DrawMenuPicture);
  int x = 10;
  for (int size : kProgramIconSizes) {
    p.drawImage(QPoint(x, y), DrawProgramIcon(size));
    x += size + 16;
  }
  y += 256 + 16;
  for (int n = kFirstBusyFrame; n <= kLastBusyFrame; ++n) {
    const int i = n - kFirstBusyFrame;
    p.drawImage(QPoint(10 + (i % 3) * 395, y + (i / 3) * 143), DrawBusyFrame(n));
  }
  p.end();
  return sheet.copy(0, 0, kSheetWidth, y + 4 * 143 + 10);
}
