#pragma once

#include <string>

struct TextSet;

struct DriverOptions {
  bool editor = false;
  bool visible = false;    // on the platform the environment names, not offscreen
  std::string lang = "en";
  std::string folder;      // the program folder the window uses; empty: the program's own
  std::string scriptPath;  // empty: standard input
  long long failWritesAfter = -1;  // >= 0: file writes fail (no space) after so many bytes

  const TextSet& Texts() const;
};

bool ParseDriverOptions(int argc, char** argv, DriverOptions& options, std::string& why);

// Each runs its program's window from the script; the exit status is 0
// unless the script could not be read or the program could not start.
int RunViewerDriver(const DriverOptions& options);
int RunEditorDriver(const DriverOptions& options);
