#include "viewer/output/PdfLinks.h"

#include "viewer/canvas/MarkCommands.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <exception>

namespace {

using Object = QPDFObjectHandle;

// Columns a link piece can cover on the page.
constexpr int kFirstColumn = 1;
constexpr int kLastColumn = kPageWidth / kCellWidth;

QRect CellRun(int line, int firstColumn, int lastColumn) {
  return QRect((firstColumn - 1) * kCellWidth, (line - 1) * kLineHeight,
               (lastColumn - firstColumn + 1) * kCellWidth, kLineHeight);
}

Object LinkAnnotation(const PageLinkArea& link, const PdfSheet& sheet, const Object& target) {
  const QPointF topLeft = PdfPointOfPagePixel(sheet, link.area.topLeft());
  const QPointF bottomRight = PdfPointOfPagePixel(sheet, QPointF(link.area.right() + 1, link.area.bottom() + 1));
  Object annotation = Object::newDictionary();
  annotation.replaceKey("/Type", Object::newName("/Annot"));
  annotation.replaceKey("/Subtype", Object::newName("/Link"));
  annotation.replaceKey("/Rect", Object::newFromRectangle(
                                     {topLeft.x(), bottomRight.y(), bottomRight.x(), topLeft.y()}));
  // The piece is drawn underlined already: no frame around it.
  annotation.replaceKey("/Border", Object::newArray({Object::newInteger(0), Object::newInteger(0),
                                                     Object::newInteger(0)}));
  annotation.replaceKey("/Dest", Object::newArray({target, Object::newName("/XYZ"), Object::newReal(0.0, 2),
                                                   Object::newReal(sheet.paper.height(), 2), Object::newNull()}));
  return annotation;
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
                  std::string& why) {
  try {
    QPDF file;
    file.setSuppressWarnings(true);
    file.processMemoryFile("pages", pdf.constData(), static_cast<std::size_t>(pdf.size()));
    const std::vector<QPDFPageObjectHelper> sheets = QPDFPageDocumentHelper(file).getAllPages();
    if (sheets.size() != static_cast<std::size_t>(pages.last - pages.first + 1)) {
      why = "unexpected page count";
      return false;
    }
    for (int page = pages.first; page <= pages.last; ++page) {
      Object sheetObject = sheets[static_cast<std::size_t>(page - pages.first)].getObjectHandle();
      for (const PageLinkArea& link : PageLinkAreas(document, page)) {
        if (link.targetPage < pages.first || link.targetPage > pages.last) continue;
        const Object target = sheets[static_cast<std::size_t>(link.targetPage - pages.first)].getObjectHandle();
        if (!sheetObject.getKey("/Annots").isArray()) sheetObject.replaceKey("/Annots", Object::newArray());
        sheetObject.getKey("/Annots").appendItem(file.makeIndirectObject(LinkAnnotation(link, sheet, target)));
      }
    }
    QPDFWriter writer(file);
    writer.setOutputMemory();
    // Object streams: the many small objects of a long document in fewer
    // bytes. The pages' streams go through as Qt compressed them.
    writer.setObjectStreamMode(qpdf_o_generate);
    writer.setDecodeLevel(qpdf_dl_none);
    writer.write();
    const std::shared_ptr<Buffer> written = writer.getBufferSharedPointer();
    pdf = QByteArray(reinterpret_cast<const char*>(written->getBuffer()), static_cast<qsizetype>(written->getSize()));
    return true;
  } catch (const std::exception& error) {
    why = error.what();
    return false;
  }
}
