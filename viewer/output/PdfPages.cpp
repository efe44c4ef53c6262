#include "viewer/output/PdfPages.h"

#include "viewer/canvas/PageRenderer.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace {

// The writer's unit is the page's pixel, so an A4 page needs no scaling.
constexpr double kPixelsPerInch = 96;
constexpr double kPointsPerInch = 72;
constexpr double kPointsPerPixel = kPointsPerInch / kPixelsPerInch;
constexpr double kPointsPerMillimetre = kPointsPerInch / 25.4;

QPageSize SheetPageSize(const PdfSheet& sheet) {
  // Named A4 where it is A4, so that readers and printers know the paper.
  const QPageSize a4(QPageSize::A4);
  if (a4.sizePoints() == sheet.paper.toSize()) return a4;
  return QPageSize(sheet.paper, QPageSize::Point, QString(), QPageSize::ExactMatch);
}

// Page pixels to the writer's units (pixels of the sheet).
QTransform PageTransform(const PdfSheet& sheet) {
  const QRectF area = sheet.pageArea;
  const double toSheet = 1 / kPointsPerPixel;
  QTransform transform;
  transform.translate(area.left() * toSheet, area.top() * toSheet);
  transform.scale(area.width() * toSheet / kPageWidth, area.height() * toSheet / kPageHeight);
  return transform;
}

}  // namespace

PdfSheet A4Sheet() {
  const QSizeF paper = QPageSize(QPageSize::A4).sizePoints();
  return {paper, QRectF(0, 0, kPageWidth * kPointsPerPixel, kPageHeight * kPointsPerPixel)};
}

PdfSheet PrinterSheet(const PaperArea& paper) {
  const QSizeF sheet(paper.width * kPointsPerMillimetre, paper.length * kPointsPerMillimetre);
  const QRectF printable(paper.left * kPointsPerMillimetre, paper.top * kPointsPerMillimetre,
                         (paper.width - paper.left - paper.right) * kPointsPerMillimetre,
                         (paper.length - paper.top - paper.bottom) * kPointsPerMillimetre);
  const double scale = std::min(printable.width() / kPageWidth, printable.height() / kPageHeight);
  QRectF area(0, 0, kPageWidth * scale, kPageHeight * scale);
  area.moveCenter(printable.center());
  return {sheet, area};
}

QPointF PdfPointOfPagePixel(const PdfSheet& sheet, QPointF pixel) {
  const QRectF area = sheet.pageArea;
  const double x = area.left() + pixel.x() * area.width() / kPageWidth;
  const double y = area.top() + pixel.y() * area.height() / kPageHeight;
  return {x, sheet.paper.height() - y};
}

QByteArray DrawPagesAsPdf(PageRenderer& renderer, PageSpan pages, const PdfSheet& sheet,
                          const PdfDocumentInfo& info) {
  QByteArray pdf;
  QBuffer buffer(&pdf);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setResolution(static_cast<int>(kPixelsPerInch));
  writer.setTitle(info.title);
  writer.setCreator(info.creator);
  QPageLayout layout(SheetPageSize(sheet), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Point);
  layout.setMode(QPageLayout::FullPageMode);
  writer.setPageLayout(layout);
  QPainter painter(&writer);
  // Pictures and icons go in without compression noise.
  painter.setRenderHint(QPainter::LosslessImageRendering);
  const QTransform transform = PageTransform(sheet);
  for (int page = pages.first; page <= pages.last; ++page) {
    if (page != pages.first) writer.newPage();
    painter.save();
    painter.setTransform(transform);
    renderer.DrawPageForOutput(page, painter);
    painter.restore();
  }
  painter.end();
  return pdf;
}
