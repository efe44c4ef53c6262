#pragma once

#include "tests/TempFolder.h"

#include <sys/types.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

// The driver as a child process: every wait bounded (a hang fails), killable at any moment, no printer.
class DriverChild {
 public:
  DriverChild() = default;
  ~DriverChild() { Kill(); }
  DriverChild(const DriverChild&) = delete;
  DriverChild& operator=(const DriverChild&) = delete;

  // Starts `MARVESSA_DRIVE arguments...`, its errors going to `errorLog`.
  bool Start(const std::vector<std::string>& arguments, const std::string& errorLog = "/dev/null");
  bool Running() const { return pid_ > 0; }
  bool Send(const std::string& lines);  // false when the child no longer reads
  // Reads until `isLast` accepts a line; false when the output closed first or timed out (hung()).
  bool ReadUntil(const std::function<bool(const std::string&)>& isLast, int seconds = 180);
  bool hung() const { return hung_; }
  std::vector<std::string> TakeLines() { return std::exchange(lines_, {}); }  // read since the last call

  void Kill();  // SIGKILL, as a crash or a pulled plug would
  // Closes its input, reads the rest and reaps it: "exit 0", "signal 11", or why there is no status.
  std::string Finish(int seconds = 180);
  std::string Reap();  // how it ended, once ReadUntil saw its output close

  long ResidentKb() const { return StatusField("VmRSS"); }
  long PeakKb() const { return pid_ > 0 ? StatusField("VmHWM") : peakKb_; }  // running or reaped

 private:
  long StatusField(const char* name) const;
  std::string Wait(bool block);
  void Close();

  pid_t pid_ = -1;
  int in_ = -1, out_ = -1;
  std::string pending_;
  std::vector<std::string> lines_;
  bool hung_ = false;
  long peakKb_ = 0;
};

// A test's scratch folder with the program's own folder in it, and the driver run there.
struct DriverFolder {
  std::string ProgramPath(const std::string& name = {}) const { return program + "/" + name; }
  std::vector<std::string> Arguments(bool editor, const char* language = "es") const {
    std::vector<std::string> arguments{"--lang", language, "--folder", ProgramPath()};
    if (editor) arguments.insert(arguments.begin(), "--editor");
    return arguments;
  }
  bool Start(DriverChild& driver, const std::string& script, std::vector<std::string> arguments) const {
    WriteFileBytes(folder.File("script.txt"), script);
    arguments.push_back(folder.File("script.txt"));
    return driver.Start(arguments);
  }
  std::vector<std::string> RunScript(const std::string& script, const std::vector<std::string>& arguments) const {
    DriverChild driver;
    if (Start(driver, script, arguments)) driver.Finish();
    return driver.TakeLines();
  }

  TempFolder folder;
  std::string program = folder.File("program");
};

// The sanitizers multiply the memory a program holds.
inline constexpr bool kSanitized = MARVESSA_SANITIZED;

long EnvironmentNumber(const char* name, long fallback);  // `fallback` when unset
// The long forms of the reliability tests, asked for by MARVESSA_RELIABILITY_LONG=1.
inline bool LongForm() { return EnvironmentNumber("MARVESSA_RELIABILITY_LONG", 0) == 1; }
inline int Repetitions(int shortCount, int longCount) { return LongForm() ? longCount : shortCount; }
