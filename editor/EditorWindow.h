#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <string>
#include <string_view>

#include "editor/EditorFiles.h"
#include "editor/FindReplace.h"
#include "editor/FindReplaceDialog.h"

class EditorTextBox;
class QLabel;
class UserDialogs;

// The editor's one window: the text box, the status bar with the line and
// page counts, the menu, and the modeless find and replace dialogs. Every
// menu command goes through OnCommand; dialogs that wait for an answer go
// through UserDialogs, so tests and the driver can answer them.
class EditorWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit EditorWindow(UserDialogs& dialogs, QWidget* parent = nullptr);
  ~EditorWindow() override;

  // The one procedure for the menu's commands, by their ids; other ids are
  // ignored.
  void OnCommand(int id);
  // A file named from outside (the command line, a file manager), read as
  // "Read plain text" reads a chosen one; a file that cannot be read is told
  // of, by name.
  void OpenFromOutside(const std::string& path);
  // The timer's work: the counts of the box's visual lines and whole pages.
  void RefreshCounts();

  EditorTextBox& Box() { return *box_; }
  FindReplaceDialog* OpenDialog() const { return dialog_; }
  QString LinesStatus() const;
  QString PagesStatus() const;
  bool HasEnded() const { return ended_; }

 signals:
  // The window has ended ("Salir" / "Exit" or a close request): the program ends.
  void Ended();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildMenu();
  void BuildStatusBar();
  void ShowProgrammerMessage(std::string_view text);
  // A file error in its one form, `named` after the description.
  void ShowFileError(const FileError& failure, const std::string& named = {});
  void ShowAbout();
  void EndWindow();
  // True when the box holds no changed text or the writer lets it go.
  bool MayDiscardText();
  void ReadPlainText();
  void ReadIntoBox(bool fromOutside);
  void WriteWithFormat();
  void WriteWithoutFormat();
  bool ChooseFile(FileDialogMode mode);
  void OpenFindDialog(FindDialogMode mode);
  void OnFindRequest(const SearchRecord& request);

  UserDialogs& dialogs_;
  EditorTextBox* box_ = nullptr;
  QLabel* linesPart_ = nullptr;
  QLabel* pagesPart_ = nullptr;
  QTimer* refreshTimer_ = nullptr;
  FindReplaceState findState_;
  QPointer<FindReplaceDialog> dialog_;
  QPointer<QWidget> savedFocus_;
  std::string lastFileName_;  // shared by reading and writing without format
  bool ended_ = false;
};
