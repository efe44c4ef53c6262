#include "viewer/output/PdfOutlineObjects.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include <cmath>

namespace {

using Object = QPDFObjectHandle;

bool OpensASheet(const PdfOutlineEntry& entry, std::size_t sheetCount) {
  return entry.sheet >= 0 && static_cast<std::size_t>(entry.sheet) < sheetCount;
}

// The sheet with `top` at the window's top, the reader's horizontal place
// and zoom kept. Whole points: the smallest file, and no line is missed.
Object Destination(const Object& sheet, double top) {
  return Object::newArray({sheet, Object::newName("/XYZ"), Object::newNull(),
                           Object::newInteger(static_cast<long long>(std::lround(top))), Object::newNull()});
}

// Writes `entries` as the items under `parent` (the outline's root or an
// item), linked to each other, and returns how many items show when the
// outline opens: every item is shown open.
long long AddItems(QPDF& file, Object& parent, const std::vector<QPDFPageObjectHelper>& sheets,
                   const std::vector<PdfOutlineEntry>& entries) {
  long long shown = 0;
  Object previous = Object::newNull();
  for (const PdfOutlineEntry& entry : entries) {
    if (!OpensASheet(entry, sheets.size())) continue;
    Object item = file.makeIndirectObject(Object::newDictionary());
    item.replaceKey("/Title", Object::newUnicodeString(entry.title));
    item.replaceKey("/Parent", parent);
    item.replaceKey("/Dest", Destination(sheets[static_cast<std::size_t>(entry.sheet)].getObjectHandle(), entry.top));
    if (previous.isNull()) {
      parent.replaceKey("/First", item);
    } else {
      previous.replaceKey("/Next", item);
      item.replaceKey("/Prev", previous);
    }
    const long long below = AddItems(file, item, sheets, entry.children);
    if (below > 0) item.replaceKey("/Count", Object::newInteger(below));
    shown += 1 + below;
    previous = item;
  }
  if (!previous.isNull()) parent.replaceKey("/Last", previous);
  return shown;
}

}  // namespace

void AddOutlineObjects(QPDF& file, const std::vector<QPDFPageObjectHelper>& sheets,
                       const std::vector<PdfOutlineEntry>& entries) {
  Object outlines = file.makeIndirectObject(Object::newDictionary());
  outlines.replaceKey("/Type", Object::newName("/Outlines"));
  const long long shown = AddItems(file, outlines, sheets, entries);
  if (shown == 0) return;
  outlines.replaceKey("/Count", Object::newInteger(shown));
  Object root = file.getRoot();
  root.replaceKey("/Outlines", outlines);
  root.replaceKey("/PageMode", Object::newName("/UseOutlines"));
}
