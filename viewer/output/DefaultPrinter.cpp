#include "viewer/output/DefaultPrinter.h"

#include <cups/cups.h>

#include <algorithm>

namespace {

constexpr int kConnectMilliseconds = 5000;
constexpr std::size_t kWriteChunk = 64 * 1024;

PrintFailure IppFailure(ipp_status_t status) {
  return PrintFailure{static_cast<int>(status), ippErrorString(status)};
}

PrintFailure LastCupsFailure() {
  const ipp_status_t status = cupsLastError();
  return IppFailure(status == IPP_STATUS_OK ? IPP_STATUS_ERROR_INTERNAL : status);
}

PrintFailure PrintSystemNotAvailable() {
  return {static_cast<int>(IPP_STATUS_ERROR_SERVICE_UNAVAILABLE), "Print system not available"};
}


}  // namespace

struct DefaultPrinter::Connection {
  http_t* http = nullptr;
  cups_dest_t* dest = nullptr;
  cups_dinfo_t* info = nullptr;
  PrintWait whileWaiting;
  ReplyWait wait;

  // Called after each step the print system stayed silent: the window does
  // its work, and past the reply time the wait is given up, so a scheduler
  // that stops answering fails the job rather than freezing the viewer.
  static int KeepWaiting(http_t*, void* data) {
    auto& connection = *static_cast<Connection*>(data);
    if (connection.whileWaiting) connection.whileWaiting();
    return connection.wait.KeepWaiting() ? 1 : 0;
  }
  // Every request gets its own wait.
  http_t* Ask() {
    wait.NewRequest();
    return http;
  }

  ~Connection() {
    if (info) cupsFreeDestInfo(info);
    if (dest) cupsFreeDests(1, dest);
    if (http) httpClose(http);
  }
};

DefaultPrinter::DefaultPrinter(std::unique_ptr<Connection> connection) : connection_(std::move(connection)) {}

DefaultPrinter::~DefaultPrinter() = default;

std::unique_ptr<DefaultPrinter> DefaultPrinter::Attach(PrintFailure& failure, const PrintWait& whileWaiting) {
  auto connection = std::make_unique<Connection>();
  connection->whileWaiting = whileWaiting;
  connection->http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                  kConnectMilliseconds, nullptr);
  if (!connection->http) {
    failure = PrintSystemNotAvailable();
    return nullptr;
  }
  httpSetTimeout(connection->http, ReplyWait::kStepSeconds, Connection::KeepWaiting, connection.get());
  connection->dest = cupsGetNamedDest(connection->Ask(), nullptr, nullptr);
  if (!connection->dest) {
    const ipp_status_t status = cupsLastError();
    // A scheduler that took the connection but never answered.
    if (httpError(connection->http) != 0) {
      failure = PrintSystemNotAvailable();
    } else {
      failure = status == IPP_STATUS_OK || status == IPP_STATUS_ERROR_NOT_FOUND ? NoDefaultPrinter() : LastCupsFailure();
    }
    return nullptr;
  }
  connection->info = cupsCopyDestInfo(connection->Ask(), connection->dest);
  if (!connection->info) {
    failure = LastCupsFailure();
    return nullptr;
  }
  return std::unique_ptr<DefaultPrinter>(new DefaultPrinter(std::move(connection)));
}

std::string DefaultPrinter::Name() const { return connection_->dest->name ? connection_->dest->name : ""; }

PaperArea DefaultPrinter::Paper() const {
  cups_size_t size{};
  PaperArea paper;
  if (cupsGetDestMediaDefault(connection_->Ask(), connection_->dest, connection_->info, CUPS_MEDIA_FLAGS_DEFAULT,
                              &size) == 0 ||
      size.width <= 0 || size.length <= 0) {
    return paper;
  }
  // The size comes in hundredths of a millimetre.
  paper.width = size.width / 100.0;
  paper.length = size.length / 100.0;
  paper.left = size.left / 100.0;
  paper.top = size.top / 100.0;
  paper.right = size.right / 100.0;
  paper.bottom = size.bottom / 100.0;
  if (paper.left + paper.right >= paper.width || paper.top + paper.bottom >= paper.length) {
    paper.left = paper.top = paper.right = paper.bottom = 0;
  }
  return paper;
}

PrintFailure DefaultPrinter::PrintPdf(std::string_view pdf, const PrintJobSettings& settings, std::string_view title) {
  Connection& c = *connection_;
  const auto supported = [&c](const std::string& name, const std::string& value) {
    return cupsCheckDestSupported(c.Ask(), c.dest, c.info, name.c_str(), value.c_str()) != 0;
  };
  cups_option_t* options = nullptr;
  int count = 0;
  for (const auto& [name, value] : PrintJobOptions(settings, supported)) {
    count = cupsAddOption(name.c_str(), value.c_str(), count, &options);
  }
  int job = 0;
  const std::string jobTitle(title);
  const char* name = jobTitle.empty() ? nullptr : jobTitle.c_str();
  ipp_status_t status = cupsCreateDestJob(c.Ask(), c.dest, c.info, &job, name, count, options);
  cupsFreeOptions(count, options);
  if (status > IPP_STATUS_OK_CONFLICTING) return IppFailure(status);
  if (cupsStartDestDocument(c.Ask(), c.dest, c.info, job, name, CUPS_FORMAT_PDF, 0, nullptr, 1) !=
      HTTP_STATUS_CONTINUE) {
    const PrintFailure failure = LastCupsFailure();
    cupsCancelDestJob(c.Ask(), c.dest, job);
    return failure;
  }
  bool written = true;
  for (std::size_t at = 0; written && at < pdf.size(); at += kWriteChunk) {
    const std::size_t length = std::min(kWriteChunk, pdf.size() - at);
    written = cupsWriteRequestData(c.Ask(), pdf.data() + at, length) == HTTP_STATUS_CONTINUE;
  }
  status = cupsFinishDestDocument(c.Ask(), c.dest, c.info);
  if (!written || status > IPP_STATUS_OK_CONFLICTING) {
    const PrintFailure failure = status > IPP_STATUS_OK_CONFLICTING ? IppFailure(status) : LastCupsFailure();
    cupsCancelDestJob(c.Ask(), c.dest, job);
    return failure;
  }
  return {};
}

PrintFailure NoDefaultPrinter() { return {static_cast<int>(IPP_STATUS_ERROR_NOT_FOUND), "No default printer"}; }

std::unique_ptr<DefaultPrinter> PrintSystemLink::Attach(PrintFailure& failure) {
  if (unanswered_) {
    failure = *unanswered_;
    return nullptr;
  }
  std::unique_ptr<DefaultPrinter> printer = DefaultPrinter::Attach(failure, whileWaiting_);
  if (!printer && failure.number == PrintSystemNotAvailable().number) unanswered_ = failure;
  return printer;
}

std::string PrintSystemLink::DefaultPrinterName() {
  PrintFailure ignored;
  const std::unique_ptr<DefaultPrinter> printer = Attach(ignored);
  return printer ? printer->Name() : std::string();
}
