#pragma once

#include <string>

struct TextSet;

struct DriverOptions {
  bool editor = false;
  std::string lang = "en";
  std::string folder;      // the program folder the window uses
  std::string scriptPath;  // empty: standard input

  const TextSet& Texts() const;
};

bool ParseDriverOptions(int argc, char** argv, DriverOptions& options, std::string& why);

// Each runs its program's window from the script; the exit status is 0
// unless the script could not be read or the program could not start.
int RunViewerDriver(const DriverOptions& options);
int RunEditorDriver(const DriverOptions& options);
