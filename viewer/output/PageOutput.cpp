#include "viewer/output/PageOutput.h"

#include "platform/ProgramFolder.h"
#include "texts/TextSet.h"
#include "viewer/canvas/PageRenderer.h"
#include "viewer/canvas/PageStore.h"
#include "viewer/canvas/PictureLoader.h"
#include "viewer/output/DefaultPrinter.h"
#include "viewer/output/PdfExport.h"
#include "viewer/output/PdfPages.h"
#include "viewer/output/PictureFileQueue.h"
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

QImage DrawOutputPicture(PageRenderer& renderer, int page, QImage spare) {
  if (spare.size() == QSize(kPageWidth, kPageHeight) && spare.format() == QImage::Format_RGB32) {
    spare.fill(Qt::white);
  } else {
    spare = NewWhiteBitmap(kPageWidth, kPageHeight);
  }
  renderer.DrawPageForOutput(page, spare);
  return spare;
}

namespace {

// The span cut to the document: a request made for a longer document never
// reaches past this one.
PageSpan SpanInDocument(PageSpan span, const Document& document) {
  return {std::max(span.first, 1), std::min(span.last, document.PageCount)};
}

// Pages handed over for output are drawn again for the screen, with the
// settings of now, when next shown; the current page at once.
void RefreshAfterOutput(PageRenderer& renderer, int first, int last) {
  for (int page = first; page <= last; ++page) renderer.InvalidatePage(page);
  renderer.StandardRefresh();
}

bool PageHasPictures(const Document& document, int page) {
  for (int line = 1; line <= kLinesPerPage; ++line) {
    if (document.Line(page, line).imageLine == 1) return true;
  }
  return false;
}

}  // namespace

void ForEachOutputPage(PageRenderer& renderer, PageSpan span, const std::function<bool(const QImage&)>& use) {
  const PageSpan pages = SpanInDocument(span, renderer.state().document);
  int last = pages.first - 1;
  QImage picture;
  while (last < pages.last) {
    ++last;
    picture = DrawOutputPicture(renderer, last, std::move(picture));
    if (!use(picture)) break;
  }
  RefreshAfterOutput(renderer, pages.first, last);
}

std::string ExportedFilePath(const std::string& programFolder, const std::string& folder, int page,
                             std::uint32_t imageFormat) {
  return programFolder + folder + "/" + std::to_string(page) + std::string(ExportExtension(imageFormat));
}

std::string ExportFolderPath(const std::string& folder) { return ExportFolder() + folder; }

std::string ExportTarget(const ExportRequest& request) { return ExportFolderPath(request.folder); }

std::optional<ExportResult> ExportPages(PageRenderer& renderer, const ExportRequest& request) {
  const std::string target = ExportTarget(request);
  if (!MakeFolders(target)) {
    // EEXIST here means a file stands where the folder should be.
    return ExportResult{FileError::FromErrno(errno == EEXIST ? ENOTDIR : errno), target};
  }
  const ViewerState& state = renderer.state();
  const PageSpan pages = SpanInDocument(PagesToOutput(request, state.document), state.document);
  if (state.settings.imageFormat == kImageFormatPdf) {
    std::optional<ExportResult> failure = ExportPdf(renderer, pages, target);
    renderer.StandardRefresh();
    return failure;
  }
  PictureFileQueue queue;
  for (int page = pages.first; page <= pages.last; ++page) {
    // Drawing a picture line may tell of a missing file: only once every
    // page before it is written, as the export would stop before it.
    if (PageHasPictures(state.document, page) && !queue.WaitUntilDone()) break;
    const std::string path = ExportedFilePath(ExportFolder(), request.folder, page, state.settings.imageFormat);
    if (!queue.Add(DrawOutputPicture(renderer, page, queue.TakeSparePicture()), path)) break;
  }
  const std::optional<PictureFileQueue::Failure> failure = queue.Finish();
  const int lastHandled = failure ? pages.first + static_cast<int>(failure->index) : pages.last;
  RefreshAfterOutput(renderer, pages.first, lastHandled);
  if (!failure) return std::nullopt;
  return ExportResult{failure->error, failure->path};
}

TextId ExportDoneMessage(std::int32_t mode) {
  switch (mode) {
    case kExportRange: return TextId::ExportMessageRangeDone;
    case kExportAllPages: return TextId::ExportMessageDocumentDone;
    default: return TextId::ExportMessagePageDone;
  }
}

PagePrinter::PagePrinter(const PrintJobSettings& settings, PrintSystemLink& link, MessageSink show)
    : settings_(settings), link_(link), show_(std::move(show)) {}

bool PagePrinter::PrintPage(PageRenderer& renderer, int page) {
  PrintFailure failure;
  const std::unique_ptr<DefaultPrinter> printer = failures_ == 0 ? link_.Attach(failure) : nullptr;
  // The page is drawn first in any case, so that a missing picture is told
  // of as it always was, printer or not.
  const QByteArray pdf = DrawPagesAsPdf(renderer, {page, page}, PrinterSheet(printer ? printer->Paper() : PaperArea{}));
  if (failures_ != 0) {
    if (failures_ == 1) show_(std::string(Text(TextId::PrintMessageNoDefaultPrinter)));
    ++failures_;
    return false;
  }
  if (printer && printer->Name().empty()) failure = NoDefaultPrinter();
  if (!printer || printer->Name().empty()) {
    ++failures_;
    show_(ErrorText(failure.number, failure.description));
    return true;  // the next page tells that there is no default printer
  }
  failure = printer->PrintPdf(std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())), settings_, {});
  if (!failure.failed()) return true;
  failures_ = 2;
  show_(ErrorText(failure.number, failure.description));
  return false;
}

void PrintPages(PageRenderer& renderer, const ExportRequest& request, const PrintJobSettings& settings,
                PrintSystemLink& link, const MessageSink& show) {
  PagePrinter printer(settings, link, show);
  const PageSpan pages = SpanInDocument(PagesToOutput(request, renderer.state().document), renderer.state().document);
  for (int page = pages.first; page <= pages.last && printer.PrintPage(renderer, page); ++page) {
  }
  // The screen's pictures were left alone: the current page is shown again.
  renderer.StandardRefresh();
}
