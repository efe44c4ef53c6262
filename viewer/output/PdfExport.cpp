#include "viewer/output/PdfExport.h"

#include "platform/CodePage.h"
#include "platform/SafeWrite.h"
#include "viewer/canvas/PageRenderer.h"
#include "viewer/output/PdfLinks.h"
#include "viewer/output/PdfOutline.h"
#include "viewer/output/PdfPages.h"

#include <QCoreApplication>

#include <cerrno>

namespace {

// The document's title is its text file's name; the creator is this program.
PdfDocumentInfo InfoOf(const ViewerState& state) {
  const QString creator = QCoreApplication::applicationName() + QLatin1Char(' ') +
                          QCoreApplication::applicationVersion();
  // A name that is not UTF-8 is read as a text of such bytes is.
  const std::string& name = state.TextFileName;
  return {QString::fromStdString(IsValidUtf8(name) ? name : Cp1252ToUtf8(name)), creator.trimmed()};
}

}  // namespace

std::string PdfFileName(PageSpan pages) {
  const std::string first = std::to_string(pages.first);
  return (pages.first == pages.last ? first : first + "-" + std::to_string(pages.last)) + ".pdf";
}

std::optional<ExportResult> ExportPdf(PageRenderer& renderer, PageSpan pages, const std::string& folder) {
  if (pages.first > pages.last) return std::nullopt;  // as the picture export: no page, no file
  const std::string path = folder + "/" + PdfFileName(pages);
  const PdfSheet sheet = A4Sheet();
  QByteArray pdf = DrawPagesAsPdf(renderer, pages, sheet, InfoOf(renderer.state()));
  std::string why;
  const Document& document = renderer.state().document;
  if (!AddPageLinks(pdf, document, pages, sheet, MarkOutline(document, pages, sheet), why)) {
    return ExportResult{{EIO, why}, path};
  }
  const FileError error = WriteFileSafely(path, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
  if (error.failed()) return ExportResult{error, path};
  return std::nullopt;
}
