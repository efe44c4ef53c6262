#pragma once

#include "tools/DriverScript.h"

#include <Qt>

#include <memory>
#include <string>

class MainWindow;
class ScriptedDialogs;
class QWidget;

// One run of the viewer under the driver: starts the window as the program
// does and carries out the script's commands on it.
class ViewerDriverSession {
 public:
  explicit ViewerDriverSession(ScriptedDialogs& dialogs);
  ~ViewerDriverSession();

  // False when the viewer could not start (its message has been printed).
  bool Start();
  void Execute(const DriverCommand& command);
  // Killed while a command was under way: it ends, writing and saying
  // nothing, before the program starts again.
  bool Dying() const { return dying_; }

 private:
  void ExecuteOne(const DriverCommand& command);
  bool QueueAnswer(const DriverCommand& command);
  bool Mouse(const DriverCommand& command);
  bool Key(const DriverCommand& command);
  bool Wheel(const DriverCommand& command);
  bool MenuCommand(const DriverCommand& command);
  bool SavePicture(const DriverCommand& command);
  bool Kill();
  bool Restart();
  void CloseDyingDialogs();
  void PrintState() const;
  bool PrintPageLines(const DriverCommand& command) const;
  void Settle() const;

  ScriptedDialogs& dialogs_;
  std::unique_ptr<MainWindow> window_;
  Qt::MouseButtons heldButtons_;  // pressed by the script and not yet released
  int depth_ = 0;                 // commands under way, one inside another
  bool dying_ = false;
  std::unique_ptr<ScriptedDialogs> keptAnswers_;  // the script's answers, for the program started again
};
