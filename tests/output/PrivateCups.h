#pragma once

#include "tests/TempFolder.h"

#include <sys/socket.h>
#include <sys/types.h>
#include <sys/un.h>

#include <string>

// A print system that takes connections and never answers: a socket
// listening at `path`. -1 when it cannot be made; the caller closes it.
inline int SilentPrintSystem(const std::string& path) {
  const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  path.copy(address.sun_path, sizeof address.sun_path - 1);
  if (listener < 0 || ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(listener, 8) != 0) {
    return -1;
  }
  return listener;
}

// A print scheduler of the test's own: its configuration, spool and logs in
// a temporary folder and its socket there, so the machine's printing is
// never touched. Its queues print through a small backend that keeps each
// job's document as job-N.pdf and the job's copies and options as
// job-N.options in OutputFolder().
//
// Works as root and as any other user. Root's scheduler runs backends as
// its unprivileged user unless only their owner may run them, so the
// backend is made mode 0700: it then runs as root and can write into the
// private folder, which is root's alone. Another user's scheduler runs
// everything as that user. No filter is needed: the queue takes PDF as it
// comes.
class PrivateCups {
 public:
  PrivateCups();
  ~PrivateCups();  // stops the scheduler
  PrivateCups(const PrivateCups&) = delete;
  PrivateCups& operator=(const PrivateCups&) = delete;

  // Empty when the machine has what it takes; otherwise why not.
  static std::string MissingTools();

  // Starts the scheduler and waits (bounded) until it answers.
  bool Start(std::string& why);
  bool AddPdfQueue(const std::string& name, bool makeDefault, std::string& why);
  bool RejectJobs(const std::string& name, std::string& why);

  // Waits, at most `seconds`, until `count` jobs have left the backend.
  bool WaitForFinishedJobs(int count, int seconds) const;
  int FinishedJobs() const;

  std::string Socket() const { return folder_.File("cups.sock"); }
  std::string OutputFolder() const { return folder_.File("out"); }
  std::string ErrorLogTail() const;

 private:
  void WriteConfiguration();
  bool Admin(const std::string& arguments, std::string& why) const;

  TempFolder folder_;
  pid_t pid_ = -1;
};
