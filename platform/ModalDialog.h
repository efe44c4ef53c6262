#pragma once

class QDialog;

// Every modal dialog of the programs runs through here, so the headless
// driver knows when the command that opened it is waiting for the user
// (it then carries out the script's next lines inside the dialog).
int RunModalDialog(QDialog& dialog);

// How many modal dialogs are waiting for the user right now.
int OpenModalDialogs();
