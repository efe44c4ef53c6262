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

// How long one request waits for the print system's answer, counted in the
// silent steps it is told of: each request of a print gets the whole limit,
// so a slow but working print system is not given up on by a print that
// takes many requests.
class ReplyWait {
 public:
  static constexpr double kStepSeconds = 0.1;
  static constexpr double kLimitSeconds = 10.0;

  void NewRequest() { silentSteps_ = 0; }
  // After a step the answer did not come: whether to wait on.
  bool KeepWaiting() { return ++silentSteps_ * kStepSeconds < kLimitSeconds; }

 private:
  int silentSteps_ = 0;
};

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
