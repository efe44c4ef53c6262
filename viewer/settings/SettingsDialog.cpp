#include "viewer/settings/SettingsDialog.h"

#include "platform/DialogUnits.h"
#include "platform/UserDialogs.h"
#include "texts/TextSet.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

QFont SettingsControlFont() { return DialogFont(10, true); }

QString DialogText(TextId id) {
  const std::string_view text = Text(id);
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void TagControl(QWidget* control, int id) {
  control->setProperty("controlId", id);
  control->setFont(SettingsControlFont());
}

void ShowProgrammerMessage(UserDialogs& dialogs, const std::string& text) {
  dialogs.ShowMessage(Text(TextId::CaptionProgrammer), text);
}

void ShowFileErrorMessage(UserDialogs& dialogs, int number, const std::string& description) {
  dialogs.ShowMessage(Text(TextId::CaptionProgrammer), ErrorText(number, description), MessageStyle::Plain,
                      MessageIcon::Warning);
}

void FocusKeepingDialog::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange) {
    if (!isActiveWindow()) {
      QWidget* focused = QApplication::focusWidget();
      if (focused && isAncestorOf(focused)) savedFocus_ = focused;
    } else if (savedFocus_) {
      savedFocus_->setFocus();
    }
  }
  QDialog::changeEvent(event);
}
