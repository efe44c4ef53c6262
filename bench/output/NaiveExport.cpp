#include "bench/output/NaiveExport.h"

#include "platform/ProgramFolder.h"
#include "platform/SafeWrite.h"
#include "viewer/canvas/PageRenderer.h"
#include "viewer/output/PageOutput.h"

#include <QBuffer>
#include <QImageWriter>

#include <string>
#include <unordered_map>

namespace {

// The colour count of the first design: a hash map look-up for each run of
// one colour, then for each change of colour while indexing.
bool IndexColours(const QImage& image, QImage& indexed) {
  std::unordered_map<QRgb, int> slot;
  QList<QRgb> table;
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width();) {
      const QRgb colour = row[x] | 0xFF000000u;
      while (x < image.width() && (row[x] | 0xFF000000u) == colour) ++x;
      if (slot.try_emplace(colour, static_cast<int>(table.size())).second) table.push_back(colour);
    }
  }
  if (table.size() > 256) return false;
  indexed = QImage(image.size(), QImage::Format_Indexed8);
  indexed.setColorTable(table);
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    uchar* out = indexed.scanLine(y);
    QRgb last = 0;
    int index = -1;
    for (int x = 0; x < image.width(); ++x) {
      const QRgb colour = row[x] | 0xFF000000u;
      if (index < 0 || colour != last) index = slot.at(last = colour);
      out[x] = static_cast<uchar>(index);
    }
  }
  return true;
}

bool EncodeNaively(const QImage& page, std::string& bytes) {
  QImage indexed;
  const bool palette = IndexColours(page, indexed);
  QByteArray encoded;
  QBuffer buffer(&encoded);
  buffer.open(QIODevice::WriteOnly);
  if (!QImageWriter(&buffer, "png").write(palette ? indexed : page)) return false;
  bytes.assign(encoded.constData(), static_cast<std::size_t>(encoded.size()));
  return true;
}

}  // namespace

bool ExportPagesNaively(PageRenderer& renderer, const ExportRequest& request) {
  ViewerState& state = renderer.state();
  Document& document = state.document;
  if (!MakeFolders(ProgramFolder() + request.folder)) return false;
  const PageSpan span = PagesToOutput(request, document);
  const int remembered = document.CurrentPage;
  bool ok = true;
  for (int page = span.first; ok && page <= span.last; ++page) {
    document.CurrentPage = page;
    renderer.RenderPage(page, 0);
    QImage& bitmap = state.pages.PageBitmap(page);
    renderer.DrawFooters(bitmap, 0);
    renderer.Recompose();
    std::string bytes;
    ok = EncodeNaively(bitmap, bytes) &&
         !WriteFileSafely(ExportedFilePath(ProgramFolder(), request.folder, page, kImageFormatPng), bytes).failed();
    renderer.InvalidatePage(page);
  }
  document.CurrentPage = remembered;
  renderer.StandardRefresh();
  return ok;
}
