#include "platform/ModalDialog.h"

#include <QDialog>

namespace {

int gOpenModalDialogs = 0;

}  // namespace

int RunModalDialog(QDialog& dialog) {
  ++gOpenModalDialogs;
  const int result = dialog.exec();
  --gOpenModalDialogs;
  return result;
}

int OpenModalDialogs() { return gOpenModalDialogs; }
