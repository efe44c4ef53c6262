#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

// One run of the headless driver as a child process fed through a pipe, one
// action at a time, so that every step can be checked while it runs and a
// hang is noticed instead of waited on. The child never reaches a real
// printer: its print system is a socket that does not exist.
class RandomWalkChild {
 public:
  RandomWalkChild() = default;
  ~RandomWalkChild();  // kills a child still running
  RandomWalkChild(const RandomWalkChild&) = delete;
  RandomWalkChild& operator=(const RandomWalkChild&) = delete;

  // Starts `driver --lang en --folder FOLDER`, its errors going to `logPath`.
  bool Start(const std::string& driver, const std::string& folder, const std::string& logPath);
  bool Running() const { return pid_ > 0; }
  pid_t pid() const { return pid_; }

  // Sends lines; false when the child no longer reads.
  bool Send(const std::string& lines);
  // Reads lines until `isLast` accepts one (included). Ends early, with
  // `timedOut`, when that takes more than `timeoutSeconds`, or when the
  // child closes its output.
  std::vector<std::string> ReadUntil(const std::function<bool(const std::string&)>& isLast, int timeoutSeconds,
                                     bool& timedOut);

  // Closes its input and waits (bounded) for it to end; its exit status, or
  // a text telling why there is none.
  std::string Finish(int timeoutSeconds);
  // Ends it at once, as a crash would.
  void Kill();
  // "exit 0", "signal 11": how it ended once it has (after ReadUntil saw
  // its output close); empty while it runs.
  std::string Reap();

  // Resident and peak memory of the child in kB, from /proc (0 when gone).
  long ResidentKb() const;
  long PeakKb() const;

 private:
  bool ReadMore(int timeoutMs);
  long StatusField(const char* name) const;
  void CloseInput();

  pid_t pid_ = -1;
  int in_ = -1;   // its standard input
  int out_ = -1;  // its standard output
  std::string pending_;
  bool outputClosed_ = false;
};
