#include "viewer/output/PagePdf.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace {

constexpr int kPdfResolution = 600;  // of the painter's coordinates only
constexpr double kMillimetresPerInch = 25.4;

int ToDots(double millimetres) { return qRound(millimetres * kPdfResolution / kMillimetresPerInch); }

}  // namespace

QByteArray PagePdf(const QImage& page, const PaperArea& paper) {
  QByteArray pdf;
  QBuffer buffer(&pdf);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setResolution(kPdfResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QSizeF(paper.width, paper.length), QPageSize::Millimeter, QString(),
                                               QPageSize::ExactMatch),
                                     QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    QPainter painter(&writer);
    painter.setRenderHint(QPainter::LosslessImageRendering);
    const QRect printable(ToDots(paper.left), ToDots(paper.top), ToDots(paper.width - paper.left - paper.right),
                          ToDots(paper.length - paper.top - paper.bottom));
    painter.drawImage(printable, page);
  }
  return pdf;
}
