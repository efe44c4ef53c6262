#pragma once

#include "viewer/output/ExportRequest.h"
#include "viewer/settings/SettingsDialog.h"

#include <map>

class QObject;
class QWidget;

// "Export pages": what to output (the current page, a range, all pages),
// the folder for the pictures, and whether to save or print. Leaves its
// outcome in the request.
class ExportDialog : public FocusKeepingDialog {
 public:
  ExportDialog(ExportRequest& request, int currentPage, int pageCount, QWidget* owner);

 protected:
  void reject() override;  // the title bar's close acts as Exit

 private:
  void SetMode(std::int32_t mode);
  void OnButton(ExportButton button);
  QString BoxText(int id) const;

  ExportRequest& request_;
  int pageCount_;
  std::map<int, QWidget*> controls_;
};

// Opens the dialog modally and returns the request it leaves.
const ExportRequest& RunExportDialog(ExportRequest& request, int currentPage, int pageCount, QWidget* owner);

// The request kept for the whole run of the window that owns the dialogs.
ExportRequest& ExportRequestOf(QObject& owner);
