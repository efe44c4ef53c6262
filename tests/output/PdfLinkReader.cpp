#include "tests/output/PdfLinkReader.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

std::vector<std::vector<PdfLinkSeen>> ReadPdfLinks(const std::string& path) {
  QPDF file;
  file.processFile(path.c_str());
  std::vector<QPDFPageObjectHelper> sheets = QPDFPageDocumentHelper(file).getAllPages();
  std::vector<std::vector<PdfLinkSeen>> seen(sheets.size());
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    QPDFObjectHandle annotations = sheets[i].getObjectHandle().getKey("/Annots");
    for (int a = 0; annotations.isArray() && a < annotations.getArrayNItems(); ++a) {
      QPDFObjectHandle annotation = annotations.getArrayItem(a);
      PdfLinkSeen link;
      link.subtype = annotation.getKey("/Subtype").getName();
      QPDFObjectHandle destination = annotation.getKey("/Dest");
      for (std::size_t s = 0; destination.isArray() && s < sheets.size(); ++s) {
        if (destination.getArrayItem(0).getObjGen() == sheets[s].getObjectHandle().getObjGen()) {
          link.targetSheet = static_cast<int>(s);
        }
      }
      const QPDFObjectHandle::Rectangle r = annotation.getKey("/Rect").getArrayAsRectangle();
      link.llx = r.llx, link.lly = r.lly, link.urx = r.urx, link.ury = r.ury;
      seen[i].push_back(link);
    }
  }
  return seen;
}
