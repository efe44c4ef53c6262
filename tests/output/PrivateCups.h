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

// A print scheduler of the test's own, configuration, spool, logs and socket
// in a temporary folder, so the machine's printing is never touched. Its
// queues keep each job as job-N.pdf and job-N.options in OutputFolder().
// As root the backend is mode 0700, so the scheduler runs it as root and it
// can write into the private folder.
class PrivateCups {
 public:
  PrivateCups();
  ~PrivateCups();
  PrivateCups(const PrivateCups&) = delete;
  PrivateCups& operator=(const PrivateCups&) = delete;

  static std::string MissingTools();  // empty when the machine has what it takes
  bool Start(std::string& why);
  bool AddPdfQueue(const std::string& name, bool makeDefault, std::string& why);
  bool RejectJobs(const std::string& name, std::string& why);

  bool WaitForFinishedJobs(int count, int seconds) const;
  int FinishedJobs() const;

  std::string Socket() const { return folder_.File("cups.sock"); }
  std::string OutputFolder() const { return folder_.File("out"); }
  std::string ErrorLogTail() const;

 private:
  bool Admin(const std::string& arguments, std::string& why) const;

  TempFolder folder_;
  pid_t pid_ = -1;
};
