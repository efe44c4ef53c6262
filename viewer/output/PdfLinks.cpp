#include "viewer/output/PdfLinks.h"

#include "viewer/canvas/MarkCommands.h"
#include "viewer/output/PdfAnnotations.h"

namespace {

// Columns a link piece can cover on the page.
constexpr int kFirstColumn = 1;
constexpr int kLastColumn = kPageWidth / kCellWidth;

QRect CellRun(int line, int firstColumn, int lastColumn) {
  return QRect((firstColumn - 1) * kCellWidth, (line - 1) * kLineHeight,
               (lastColumn - firstColumn + 1) * kCellWidth, kLineHeight);
}

}  // namespace

std::vector<PageLinkArea> PageLinkAreas(const Document& document, int page) {
  std::vector<PageLinkArea> areas;
  for (int line = 1; line <= kLinesPerPage; ++line) {
    const LineRecord& record = document.Line(page, line);
    if (record.hasLinks != 1 || record.linkPieces.empty()) continue;
    int runStart = kFirstColumn;
    int runTarget = 0;
    for (int column = kFirstColumn; column <= kLastColumn + 1; ++column) {
      const int target = column <= kLastColumn ? FollowLinkOnPage(document, page, line, column) : 0;
      if (target == runTarget) continue;
      if (runTarget != 0) areas.push_back({CellRun(line, runStart, column - 1), runTarget});
      runStart = column;
      runTarget = target;
    }
  }
  return areas;
}

bool AddPageLinks(QByteArray& pdf, const Document& document, PageSpan pages, const PdfSheet& sheet,
                  const std::vector<PdfOutlineEntry>& outline, std::string& why) {
  std::vector<PdfLinkRect> links;
  for (int page = pages.first; page <= pages.last; ++page) {
    for (const PageLinkArea& link : PageLinkAreas(document, page)) {
      if (link.targetPage < pages.first || link.targetPage > pages.last) continue;
      const QPointF topLeft = PdfPointOfPagePixel(sheet, link.area.topLeft());
      const QPointF bottomRight = PdfPointOfPagePixel(sheet, QPointF(link.area.right() + 1, link.area.bottom() + 1));
      links.push_back({page - pages.first, link.targetPage - pages.first, topLeft.x(), bottomRight.y(),
                       bottomRight.x(), topLeft.y()});
    }
  }
  if (links.empty() && outline.empty()) return true;  // nothing to add: the file stays as drawn
  std::string bytes = pdf.toStdString();
  if (!AddLinkAnnotations(bytes, pages.last - pages.first + 1, sheet.paper.height(), links, outline, why)) return false;
  pdf = QByteArray::fromStdString(bytes);
  return true;
}
