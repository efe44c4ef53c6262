#pragma once

#include "viewer/output/ExportRequest.h"
#include "viewer/settings/SettingsDialog.h"

#include <map>

class QObject;
class QWidget;
class UserDialogs;

// "Export pages": what to output (the current page, a range, all pages),
// the folder for the pictures, and whether to save or print. Leaves its
// outcome in the request.
class ExportDialog : public FocusKeepingDialog {
 public:
  ExportDialog(ExportRequest& request, int currentPage, int pageCount, UserDialogs& dialogs, QWidget* owner);

 protected:
  void reject() override;  // the title bar's close acts as Exit

 private:
  void SetMode(std::int32_t mode);
  void OnButton(ExportButton button);
  QString BoxText(int id) const;

  ExportRequest& request_;
  int pageCount_;
  UserDialogs& dialogs_;
  std::map<int, QWidget*> controls_;
};

// Opens the dialog modally and returns the request it leaves; a folder name
// refused for what it holds is told of in a message.
const ExportRequest& RunExportDialog(ExportRequest& request, int currentPage, int pageCount, UserDialogs& dialogs,
                                     QWidget* owner);

// The request kept for the whole run of the window that owns the dialogs.
ExportRequest& ExportRequestOf(QObject& owner);
