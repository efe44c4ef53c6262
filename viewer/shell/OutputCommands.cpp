// "Save Image": the export dialog, then saving the pages as pictures or
// printing them.
#include "viewer/shell/ViewerShell.h"

#include "platform/UserDialogs.h"
#include "texts/TextSet.h"
#include "viewer/output/ExportDialog.h"
#include "viewer/output/PageOutput.h"
#include "viewer/output/PrintSetupDialog.h"
#include "viewer/shell/ShellWindow.h"

#include <QWidget>

namespace {

// Runs a dialog with the viewer's dialog guard set.
template <typename Open>
void WithDialogBusy(ViewerState& state, Open open) {
  state.DialogBusy = 1;
  open();
  state.DialogBusy = 0;
}

void ExportChosenPages(ViewerShell& shell, const ExportRequest& request) {
  const std::optional<ExportResult> failure = ExportPages(shell.renderer(), request);
  if (failure) {
    shell.ShowFileError(failure->error.number, failure->error.description + " (" + failure->path + ")");
    return;
  }
  // The folder on its own line, so the reader knows where to look.
  shell.dialogs().ShowMessage(Text(TextId::CaptionProgrammer),
                              std::string(Text(ExportDoneMessage(request.mode))) + "\r\n" + ExportTarget(request),
                              MessageStyle::SystemModal);
}

// The busy indicator moves while the print system is asked, which can take
// seconds when it does not answer.
template <typename Work>
void WhileBusy(ShellWindow& window, Work work) {
  window.ShowBusy();
  work();
  window.HideBusy();
}

void PrintChosenPages(ViewerShell& shell, const ExportRequest& request, QWidget* owner) {
  ViewerState& state = shell.state();
  PrintSettings& print = state.settings.print;
  ShellWindow& window = shell.window();
  PrintSystemLink link([&window] { window.ProcessPendingEvents(); });
  if (state.DialogBusy == 0) {
    std::string printerName;
    WhileBusy(window, [&] { printerName = link.DefaultPrinterName(); });
    WithDialogBusy(state, [&] { RunPrintSetupDialog(print, printerName, owner); });
  }
  WhileBusy(window, [&] {
    PrintPages(shell.renderer(), request, PrintJobSettings{print.copies, print.colourMode, print.quality}, link,
               [&shell](const std::string& text) { shell.ShowProgrammerMessage(text, MessageIcon::Warning); });
  });
}

}  // namespace

void ViewerShell::ExportOrPrint() {
  QWidget* owner = window_.DialogOwner();
  if (state_.DialogBusy != 0 || !owner) return;
  ExportRequest& request = ExportRequestOf(*owner);
  const Document& document = state_.document;
  WithDialogBusy(state_, [&] { RunExportDialog(request, document.CurrentPage, document.PageCount, dialogs_, owner); });
  if (request.mode == kExportCancelled) return;
  if (request.printRequested == 1) {
    PrintChosenPages(*this, request, owner);
  } else {
    ExportChosenPages(*this, request);
  }
}
