#pragma once

#include "tools/DriverScript.h"

#include <fstream>
#include <functional>
#include <string>

// Feeds the script to a window through the event loop, one command at a
// time. A command that opens a modal dialog does not return until the
// dialog closes, so the next commands are then carried out inside the
// dialog's own loop; while a command is busy any other way, the next one
// waits for it.
class DriverPump {
 public:
  using Execute = std::function<void(const DriverCommand&)>;

  DriverPump(const std::string& scriptPath, Execute execute);
  // False when the script cannot be read.
  bool Open();
  // Runs the application until the script ends; returns its exit status.
  int Run();
  // No script line is read while `hold` says so.
  void HoldWhile(std::function<bool()> hold) { hold_ = std::move(hold); }

 private:
  void Tick();
  // "later MS LINE": LINE is carried out MS milliseconds from now.
  void Later(const DriverCommand& command);
  void ScheduleTick(int milliseconds);

  std::string scriptPath_;
  Execute execute_;
  std::function<bool()> hold_;
  std::ifstream file_;
  std::istream* in_ = nullptr;
  int executing_ = 0;  // commands under way, nested in modal dialogs
};
