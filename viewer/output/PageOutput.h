#pragma once

#include "platform/FileError.h"
#include "texts/TextId.h"
#include "viewer/output/DefaultPrinter.h"
#include "viewer/output/ExportRequest.h"
#include "viewer/output/PrintJob.h"

#include <QImage>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class PageRenderer;
class Document;
struct ViewerState;

// The pages a request covers, first..last (empty for a cancelled one).
struct PageSpan {
  int first = 1;
  int last = 0;
};
PageSpan PagesToOutput(const ExportRequest& request, const Document& document);

// A picture of the page as output takes it: footers and page number, no
// border, no guide band; drawn over `spare` when that is a page picture no
// longer used. The screen's picture of the page is left alone; a picture
// file the page lacks is told of.
QImage DrawOutputPicture(PageRenderer& renderer, int page, QImage spare = {});

// Draws each page of the span for output and hands it to `use`; stops early
// when `use` returns false. Each page handed over is drawn again for the
// screen (with its border) when next shown; the current page is shown.
void ForEachOutputPage(PageRenderer& renderer, PageSpan span, const std::function<bool(const QImage&)>& use);

// The program folder, the folder name, the page number and the format's
// extension (none for an unknown format).
std::string ExportedFilePath(const std::string& programFolder, const std::string& folder, int page,
                             std::uint32_t imageFormat);

// The folder the request's pages go to.
std::string ExportTarget(const ExportRequest& request);
// The folder an export into the folder named `folder` writes to; with no
// name, the folder all export folders are made in.
std::string ExportFolderPath(const std::string& folder);

struct ExportResult {
  FileError error;
  std::string path;
};

// Exports the request's pages into its folder below the export folder,
// created when missing. Returns the failure when the folder cannot be made
// (nothing is drawn then) or at the first page that cannot be written
// (the export stops there: no later page is written). Pages are encoded
// and flushed to disk side by side while the next ones are drawn.
std::optional<ExportResult> ExportPages(PageRenderer& renderer, const ExportRequest& request);

// The message after a successful export in this mode.
TextId ExportDoneMessage(std::int32_t mode);

using MessageSink = std::function<void(const std::string&)>;

// One print command: every page its own job on the default printer. When
// the printer cannot be attached, the first page reports the error, the
// second that there is no default printer, and the rest print nothing and
// say nothing. A job the printer refuses is reported once and ends the
// command.
class PagePrinter {
 public:
  PagePrinter(const PrintJobSettings& settings, PrintSystemLink& link, MessageSink show);
  // Prints the page drawn as vectors for the printer; false once nothing
  // more will be printed.
  bool PrintPage(PageRenderer& renderer, int page);
  int PrintFailures() const { return failures_; }

 private:
  PrintJobSettings settings_;
  PrintSystemLink& link_;
  MessageSink show_;
  int failures_ = 0;
};

// Prints the request's pages, each freshly drawn for output.
void PrintPages(PageRenderer& renderer, const ExportRequest& request, const PrintJobSettings& settings,
                PrintSystemLink& link, const MessageSink& show);
