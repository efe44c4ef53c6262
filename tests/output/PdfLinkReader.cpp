#include "tests/output/PdfLinkReader.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <sstream>

std::vector<std::vector<std::string>> ReadPdfLinks(const std::string& path) {
  QPDF file;
  file.processFile(path.c_str());
  std::vector<QPDFPageObjectHelper> sheets = QPDFPageDocumentHelper(file).getAllPages();
  std::vector<std::vector<std::string>> seen(sheets.size());
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    QPDFObjectHandle annotations = sheets[i].getObjectHandle().getKey("/Annots");
    for (int a = 0; annotations.isArray() && a < annotations.getArrayNItems(); ++a) {
      QPDFObjectHandle annotation = annotations.getArrayItem(a), destination = annotation.getKey("/Dest");
      int target = -1;
      for (std::size_t s = 0; destination.isArray() && s < sheets.size(); ++s) {
        const bool named = destination.getArrayItem(0).getObjGen() == sheets[s].getObjectHandle().getObjGen();
        target = named ? static_cast<int>(s) : target;
      }
      const QPDFObjectHandle::Rectangle r = annotation.getKey("/Rect").getArrayAsRectangle();
      std::ostringstream link;
      link << annotation.getKey("/Subtype").getName() << " " << target;
      link << " " << r.llx << " " << r.lly << " " << r.urx << " " << r.ury;
      seen[i].push_back(link.str());
    }
  }
  return seen;
}
