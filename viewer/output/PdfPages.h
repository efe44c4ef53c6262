#pragma once

#include "viewer/output/PageOutput.h"
#include "viewer/output/PrintJob.h"

#include <QByteArray>
#include <QRectF>
#include <QSizeF>
#include <QString>

class PageRenderer;

// A sheet of paper and where a page lies on it, in points from the sheet's
// top-left corner.
struct PdfSheet {
  QSizeF paper;
  QRectF pageArea;
};

// A4 holding the page's 96-dpi grid at 72/96 point a pixel: rasterised at
// 96 dpi a page falls on the pixels of its picture.
PdfSheet A4Sheet();
// The printer's paper with the page fitted into its printable part,
// proportions kept, centred.
PdfSheet PrinterSheet(const PaperArea& paper);

struct PdfDocumentInfo {
  QString title;
  QString creator;
};

// The pages of the span drawn by the page routines as vectors, one to a
// sheet: text as text in the embedded page font, pictures and icons as
// lossless images.
QByteArray DrawPagesAsPdf(PageRenderer& renderer, PageSpan pages, const PdfSheet& sheet,
                          const PdfDocumentInfo& info = {});

// A point of the page (its pixels) on the sheet, in the PDF's own
// coordinates: points from the bottom-left corner.
QPointF PdfPointOfPagePixel(const PdfSheet& sheet, QPointF pixel);
