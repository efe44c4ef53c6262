#pragma once

#include "texts/TextId.h"

#include <QDialog>
#include <QPointer>
#include <QString>

#include <string>

class UserDialogs;

// What the settings dialogs share: the way each control is tagged and
// lettered, the messages they show, and the keyboard focus kept across
// activations.

// The controls' font: the dialog face at 10 points, bold.
QFont SettingsControlFont();

// A visible text of the installed text set.
QString DialogText(TextId id);

// Gives a control its id (tests and the driver find controls by it) and
// the controls' font.
void TagControl(QWidget* control, int id);

// A message with the programmer caption; a file error in its one form.
void ShowProgrammerMessage(UserDialogs& dialogs, const std::string& text);
void ShowFileErrorMessage(UserDialogs& dialogs, int number, const std::string& description);

// A modal dialog that gives the keyboard focus back to the control that
// had it when the dialog was last deactivated.
class FocusKeepingDialog : public QDialog {
 public:
  using QDialog::QDialog;

 protected:
  void changeEvent(QEvent* event) override;

 private:
  QPointer<QWidget> savedFocus_;
};
