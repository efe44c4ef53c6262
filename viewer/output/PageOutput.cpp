#include "viewer/output/PageOutput.h"

#include "platform/ProgramFolder.h"
#include "texts/TextSet.h"
#include "viewer/canvas/PageRenderer.h"
#include "viewer/output/DefaultPrinter.h"
#include "viewer/output/PagePdf.h"
#include "viewer/output/PictureFiles.h"

#include <algorithm>
#include <cerrno>

PageSpan PagesToOutput(const ExportRequest& request, const Document& document) {
  switch (request.mode) {
    case kExportCurrentPage: return {document.CurrentPage, document.CurrentPage};
    case kExportRange: return {request.first, request.last};
    case kExportAllPages: return {1, document.PageCount};
    default: return {};
  }
}

const QImage& RenderPageForOutput(PageRenderer& renderer) {
  ViewerState& state = renderer.state();
  const int page = state.document.CurrentPage;
  renderer.RenderPage(page, 0);  // on a fresh white picture
  QImage& bitmap = state.pages.PageBitmap(page);
  renderer.DrawFooters(bitmap, 0);
  renderer.Recompose();
  return bitmap;
}

void ForEachOutputPage(PageRenderer& renderer, PageSpan span, const std::function<bool(const QImage&)>& use) {
  Document& document = renderer.state().document;
  const int remembered = document.CurrentPage;
  // A request made for a longer document never reaches past this one.
  const int first = std::max(span.first, 1);
  const int last = std::min(span.last, document.PageCount);
  for (int page = first; page <= last; ++page) {
    document.CurrentPage = page;
    const bool goOn = use(RenderPageForOutput(renderer));
    // The screen's picture of the page, with its border, is drawn when the
    // page is next shown.
    renderer.InvalidatePage(page);
    if (!goOn) break;
  }
  document.CurrentPage = remembered;
  renderer.StandardRefresh();
}

std::string ExportedFilePath(const std::string& programFolder, const std::string& folder, int page,
                             std::uint32_t imageFormat) {
  return programFolder + folder + "/" + std::to_string(page) + std::string(ExportExtension(imageFormat));
}

ExportResult ExportCurrentPage(ViewerState& state, const std::string& folder) {
  const int page = state.document.CurrentPage;
  ExportResult result;
  result.path = ExportedFilePath(ProgramFolder(), folder, page, state.settings.imageFormat);
  result.error = SaveBitmapToFile(state.pages.PageBitmap(page), result.path);
  return result;
}

std::optional<ExportResult> ExportPages(PageRenderer& renderer, const ExportRequest& request) {
  const std::string target = ProgramFolder() + request.folder;
  if (!MakeFolders(target)) {
    // EEXIST here means a file stands where the folder should be.
    return ExportResult{FileError::FromErrno(errno == EEXIST ? ENOTDIR : errno), target};
  }
  std::optional<ExportResult> failure;
  ForEachOutputPage(renderer, PagesToOutput(request, renderer.state().document), [&](const QImage&) {
    ExportResult result = ExportCurrentPage(renderer.state(), request.folder);
    if (result.error.failed()) failure = std::move(result);
    return !failure;
  });
  return failure;
}

TextId ExportDoneMessage(std::int32_t mode) {
  switch (mode) {
    case kExportRange: return TextId::ExportMessageRangeDone;
    case kExportAllPages: return TextId::ExportMessageDocumentDone;
    default: return TextId::ExportMessagePageDone;
  }
}

PagePrinter::PagePrinter(const PrintJobSettings& settings, MessageSink show)
    : settings_(settings), show_(std::move(show)) {}

bool PagePrinter::PrintPage(const QImage& page) {
  if (failures_ != 0) {
    if (failures_ == 1) show_(std::string(Text(TextId::PrintMessageNoDefaultPrinter)));
    ++failures_;
    return false;
  }
  PrintFailure failure;
  const std::unique_ptr<DefaultPrinter> printer = DefaultPrinter::Attach(failure);
  if (printer && printer->Name().empty()) failure = NoDefaultPrinter();
  if (!printer || printer->Name().empty()) {
    ++failures_;
    show_(ErrorText(failure.number, failure.description));
    return true;  // the next page tells that there is no default printer
  }
  const QByteArray pdf = PagePdf(page, printer->Paper());
  failure = printer->PrintPdf(std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())), settings_, {});
  if (!failure.failed()) return true;
  failures_ = 2;
  show_(ErrorText(failure.number, failure.description));
  return false;
}

void PrintPages(PageRenderer& renderer, const ExportRequest& request, const PrintJobSettings& settings,
                const MessageSink& show) {
  PagePrinter printer(settings, show);
  ForEachOutputPage(renderer, PagesToOutput(request, renderer.state().document),
                    [&printer](const QImage& page) { return printer.PrintPage(page); });
}
