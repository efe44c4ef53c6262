#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// The headless driver as a child process that can be killed at any moment:
// it runs a script file, and its output is read a line at a time, so the
// test can wait for a point in the script and then pull the plug.
class DriverProcess {
 public:
  DriverProcess() = default;
  ~DriverProcess();  // kills and reaps a child still running
  DriverProcess(const DriverProcess&) = delete;
  DriverProcess& operator=(const DriverProcess&) = delete;

  // Starts `MARVESSA_DRIVE arguments... scriptPath`; its errors are dropped.
  bool Start(const std::vector<std::string>& arguments, const std::string& scriptPath);

  // Reads lines until `count` of them start with `prefix`; false when the
  // output ended (or nothing came for minutes: a hang) first.
  bool WaitForLines(const std::string& prefix, int count = 1);
  // Every line read so far.
  const std::vector<std::string>& lines() const { return lines_; }

  // The most memory it held (resident kB), once it was reaped.
  long PeakKilobytes() const { return peakKb_; }

  // SIGKILL, then reaps it.
  void Kill();
  // Reads the rest of the output and reaps it: true when it exited by itself
  // with status 0.
  bool Finish();

 private:
  bool ReadSome();
  void Reap(int& status);

  pid_t pid_ = -1;
  int out_ = -1;
  std::string pending_;
  std::vector<std::string> lines_;
  long peakKb_ = 0;
};

// Wakes when a file in a folder is created, written, renamed or removed, so
// that a kill can land while a program writes, not only between its writes.
class FolderWatch {
 public:
  explicit FolderWatch(const std::string& folder);
  ~FolderWatch();
  FolderWatch(const FolderWatch&) = delete;
  FolderWatch& operator=(const FolderWatch&) = delete;

  // Forgets the changes seen so far.
  void Drain();
  // Waits for the next change; false when none came within `milliseconds`.
  bool WaitForChange(int milliseconds);

 private:
  int fd_ = -1;
};

// Runs the driver to the end on a script given as text; its output lines.
std::vector<std::string> RunDriverScript(const std::vector<std::string>& arguments, const std::string& script,
                                         const std::string& scriptPath);

// Whether this build runs under AddressSanitizer, which multiplies memory.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kSanitized = true;
#else
inline constexpr bool kSanitized = false;
#endif
#else
inline constexpr bool kSanitized = false;
#endif

// Whether the environment asks for the long form of the reliability tests.
bool LongForm();
// `shortCount` normally, `longCount` in the long form.
int Repetitions(int shortCount, int longCount);
