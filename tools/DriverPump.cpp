#include "tools/DriverPump.h"

#include "platform/ModalDialog.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <iostream>

DriverPump::DriverPump(const std::string& scriptPath, Execute execute)
    : scriptPath_(scriptPath), execute_(std::move(execute)) {}

bool DriverPump::Open() {
  if (scriptPath_.empty()) {
    in_ = &std::cin;
    return true;
  }
  file_.open(scriptPath_);
  in_ = &file_;
  return static_cast<bool>(file_);
}

int DriverPump::Run() {
  ScheduleTick(0);
  return QCoreApplication::exec();
}

void DriverPump::ScheduleTick(int milliseconds) {
  QTimer::singleShot(milliseconds, [this] { Tick(); });
}

void DriverPump::Tick() {
  // Only when every command under way waits in a dialog for the user.
  if (executing_ != OpenModalDialogs() || (hold_ && hold_())) {
    ScheduleTick(5);
    return;
  }
  std::string line;
  if (!std::getline(*in_, line)) {
    QCoreApplication::exit(0);
    return;
  }
  const DriverCommand command = ParseDriverCommand(line);
  if (command.verb.empty() || command.verb[0] == '#') {
    ScheduleTick(0);
    return;
  }
  long long wait = 0;
  if (command.verb == "later") {
    Later(command);
    ScheduleTick(0);
    return;
  }
  if (command.verb == "wait") {
    if (!ParseDriverNumber(command.rest, wait) || wait < 0) PrintDriverError(command, "cannot be carried out");
    ScheduleTick(static_cast<int>(std::clamp(wait, 0LL, 600000LL)));
    return;
  }
  ScheduleTick(0);
  ++executing_;
  execute_(command);
  --executing_;
}

void DriverPump::Later(const DriverCommand& command) {
  // As a user acting while a command may still be under way: the line runs
  // when its time comes, whatever the window is doing then.
  const auto blank = command.rest.find(' ');
  long long delay = 0;
  if (blank == std::string::npos || !ParseDriverNumber(command.rest.substr(0, blank), delay) || delay < 0) {
    PrintDriverError(command, "cannot be carried out");
    return;
  }
  QTimer::singleShot(static_cast<int>(std::min(delay, 600000LL)),
                     [this, line = command.rest.substr(blank + 1)] { execute_(ParseDriverCommand(line)); });
}
