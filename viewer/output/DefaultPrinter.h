#pragma once

#include "viewer/output/PrintJob.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// The system's default printer, reached through the print system (CUPS)
// with every wait bounded: a scheduler that is missing, busy or hung makes
// the attachment or the job fail instead of freezing the viewer.
// What a wait on the print system does meanwhile (the window's pending
// work), every tenth of a second.
using PrintWait = std::function<void()>;

class DefaultPrinter {
 public:
  // Attaches the default printer; null with the reason when there is no
  // print system or no default printer.
  static std::unique_ptr<DefaultPrinter> Attach(PrintFailure& failure, const PrintWait& whileWaiting = {});
  ~DefaultPrinter();  // releases the printer
  DefaultPrinter(const DefaultPrinter&) = delete;
  DefaultPrinter& operator=(const DefaultPrinter&) = delete;

  std::string Name() const;
  // The default paper and its printable part (A4 edge to edge when the
  // printer does not tell).
  PaperArea Paper() const;
  // Sends one PDF document as one job with the supported settings.
  PrintFailure PrintPdf(std::string_view pdf, const PrintJobSettings& settings, std::string_view title);

 private:
  struct Connection;
  explicit DefaultPrinter(std::unique_ptr<Connection> connection);
  std::unique_ptr<Connection> connection_;
};

// What attaching reports when the print system has no default printer.
PrintFailure NoDefaultPrinter();

// One print command's way to the print system: its waits keep the window
// alive, and a print system that did not answer is not asked again within
// the command, so the reader waits for it once.
class PrintSystemLink {
 public:
  explicit PrintSystemLink(PrintWait whileWaiting = {}) : whileWaiting_(std::move(whileWaiting)) {}

  std::unique_ptr<DefaultPrinter> Attach(PrintFailure& failure);
  // The default printer's name; empty when there is none or no print
  // system answers.
  std::string DefaultPrinterName();

 private:
  PrintWait whileWaiting_;
  std::optional<PrintFailure> unanswered_;
};
