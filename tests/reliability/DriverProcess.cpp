#include "tests/reliability/DriverProcess.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Far longer than any step takes even under the sanitizers: reaching it
// means the driver hangs, which fails the test instead of stalling it.
constexpr int kHangMilliseconds = 180'000;

}  // namespace

DriverProcess::~DriverProcess() { Kill(); }

bool DriverProcess::Start(const std::vector<std::string>& arguments, const std::string& scriptPath) {
  // Everything the child needs is made before the fork: between fork and
  // exec only system calls are safe in a process that has threads.
  std::vector<std::string> words{MARVESSA_DRIVE};
  words.insert(words.end(), arguments.begin(), arguments.end());
  words.push_back(scriptPath);
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  int pipe[2];
  if (::pipe2(pipe, O_CLOEXEC) != 0) return false;
  const int none = ::open("/dev/null", O_RDWR | O_CLOEXEC);
  pid_ = ::fork();
  if (pid_ == 0) {
    ::dup2(none, 0);
    ::dup2(pipe[1], 1);
    ::dup2(none, 2);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(none);
  ::close(pipe[1]);
  if (pid_ < 0) {
    ::close(pipe[0]);
    return false;
  }
  out_ = pipe[0];
  pending_.clear();
  lines_.clear();
  return true;
}

bool DriverProcess::ReadSome() {
  if (out_ < 0) return false;
  pollfd ready{out_, POLLIN, 0};
  if (::poll(&ready, 1, kHangMilliseconds) <= 0) return false;
  char buffer[4096];
  const ssize_t n = ::read(out_, buffer, sizeof buffer);
  if (n <= 0) {
    ::close(out_);
    out_ = -1;
    return false;
  }
  for (ssize_t i = 0; i < n; ++i) {
    if (buffer[i] == '\n') {
      lines_.push_back(pending_);
      pending_.clear();
    } else {
      pending_ += buffer[i];
    }
  }
  return true;
}

bool DriverProcess::WaitForLines(const std::string& prefix, int count) {
  std::size_t checked = 0;
  int seen = 0;
  while (true) {
    for (; checked < lines_.size(); ++checked) {
      if (lines_[checked].rfind(prefix, 0) == 0 && ++seen == count) return true;
    }
    if (!ReadSome()) return false;
  }
}

void DriverProcess::Reap(int& status) {
  status = -1;
  rusage usage{};
  if (pid_ > 0 && ::wait4(pid_, &status, 0, &usage) == pid_) peakKb_ = usage.ru_maxrss;
  pid_ = -1;
  if (out_ >= 0) ::close(out_);
  out_ = -1;
}

void DriverProcess::Kill() {
  if (pid_ > 0) ::kill(pid_, SIGKILL);
  int status = 0;
  Reap(status);
}

bool DriverProcess::Finish() {
  while (ReadSome()) {
  }
  if (!pending_.empty()) lines_.push_back(pending_);
  pending_.clear();
  if (out_ >= 0) Kill();  // still silent after minutes: a hang
  int status = 0;
  Reap(status);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

FolderWatch::FolderWatch(const std::string& folder) {
  fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (fd_ >= 0) ::inotify_add_watch(fd_, folder.c_str(), IN_CREATE | IN_MODIFY | IN_MOVED_TO | IN_DELETE);
}

FolderWatch::~FolderWatch() {
  if (fd_ >= 0) ::close(fd_);
}

void FolderWatch::Drain() {
  alignas(inotify_event) char buffer[4096];
  while (fd_ >= 0 && ::read(fd_, buffer, sizeof buffer) > 0) {
  }
}

bool FolderWatch::WaitForChange(int milliseconds) {
  pollfd ready{fd_, POLLIN, 0};
  return fd_ >= 0 && ::poll(&ready, 1, milliseconds) > 0;
}

std::vector<std::string> RunDriverScript(const std::vector<std::string>& arguments, const std::string& script,
                                         const std::string& scriptPath) {
  std::ofstream(scriptPath, std::ios::binary) << script;
  DriverProcess driver;
  if (!driver.Start(arguments, scriptPath)) return {};
  driver.Finish();
  return driver.lines();
}

bool LongForm() {
  const char* value = std::getenv("MARVESSA_RELIABILITY_LONG");
  return value && std::string(value) == "1";
}

int Repetitions(int shortCount, int longCount) { return LongForm() ? longCount : shortCount; }
