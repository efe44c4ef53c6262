#include "viewer/output/PdfAnnotations.h"

#include "viewer/output/PdfOutlineObjects.h"

#include <qpdf/Buffer.hh>
#include <qpdf/Pl_Flate.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <exception>
#include <memory>

namespace {

using Object = QPDFObjectHandle;

Object LinkAnnotation(const PdfLinkRect& link, double sheetHeight, const Object& target) {
  Object annotation = Object::newDictionary();
  annotation.replaceKey("/Type", Object::newName("/Annot"));
  annotation.replaceKey("/Subtype", Object::newName("/Link"));
  annotation.replaceKey("/Rect", Object::newFromRectangle({link.left, link.bottom, link.right, link.top}));
  // The piece is drawn underlined already: no frame around it.
  annotation.replaceKey("/Border", Object::newArray({Object::newInteger(0), Object::newInteger(0),
                                                     Object::newInteger(0)}));
  annotation.replaceKey("/Dest", Object::newArray({target, Object::newName("/XYZ"), Object::newReal(0.0, 2),
                                                   Object::newReal(sheetHeight, 2), Object::newNull()}));
  return annotation;
}

}  // namespace

bool AddLinkAnnotations(std::string& pdf, int sheetCount, double sheetHeight, const std::vector<PdfLinkRect>& links,
                        const std::vector<PdfOutlineEntry>& outline, std::string& why) {
  try {
    QPDF file;
    file.setSuppressWarnings(true);
    file.processMemoryFile("pages", pdf.data(), pdf.size());
    const std::vector<QPDFPageObjectHelper> sheets = QPDFPageDocumentHelper(file).getAllPages();
    if (sheets.size() != static_cast<std::size_t>(sheetCount)) {
      why = "unexpected page count";
      return false;
    }
    for (const PdfLinkRect& link : links) {
      if (link.fromSheet < 0 || link.fromSheet >= sheetCount || link.toSheet < 0 || link.toSheet >= sheetCount) {
        continue;
      }
      Object sheet = sheets[static_cast<std::size_t>(link.fromSheet)].getObjectHandle();
      const Object target = sheets[static_cast<std::size_t>(link.toSheet)].getObjectHandle();
      if (!sheet.getKey("/Annots").isArray()) sheet.replaceKey("/Annots", Object::newArray());
      sheet.getKey("/Annots").appendItem(file.makeIndirectObject(LinkAnnotation(link, sheetHeight, target)));
    }
    AddOutlineObjects(file, sheets, outline);
    QPDFWriter writer(file);
    writer.setOutputMemory();
    // Object streams: the many small objects of a long document in fewer
    // bytes. The pages' streams go through as Qt compressed them.
    writer.setObjectStreamMode(qpdf_o_generate);
    writer.setDecodeLevel(qpdf_dl_none);
    Pl_Flate::setCompressionLevel(9);
    writer.write();
    const std::shared_ptr<Buffer> written = writer.getBufferSharedPointer();
    pdf.assign(reinterpret_cast<const char*>(written->getBuffer()), written->getSize());
    return true;
  } catch (const std::exception& error) {
    why = error.what();
    return false;
  }
}
