#include "tests/reliability/RandomWalkChild.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// The child's environment: ours, offscreen, with a print system that is
// not there, so a print command fails at once instead of printing.
std::vector<std::string> ChildEnvironment(const std::string& folder) {
  std::vector<std::string> variables;
  for (char** entry = environ; *entry; ++entry) {
    const std::string variable = *entry;
    const std::string name = variable.substr(0, variable.find('='));
    if (name == "CUPS_SERVER" || name == "PRINTER" || name == "LPDEST" || name == "QT_QPA_PLATFORM") continue;
    variables.push_back(variable);
  }
  variables.push_back("CUPS_SERVER=" + folder + "/no-print-system.sock");
  variables.push_back("QT_QPA_PLATFORM=offscreen");
  return variables;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

std::string DescribeStatus(int status) {
  if (WIFEXITED(status)) return "exit " + std::to_string(WEXITSTATUS(status));
  if (WIFSIGNALED(status)) return "signal " + std::to_string(WTERMSIG(status));
  return "status " + std::to_string(status);
}

}  // namespace

RandomWalkChild::~RandomWalkChild() { Kill(); }

bool RandomWalkChild::Start(const std::string& driver, const std::string& folder, const std::string& logPath) {
  std::signal(SIGPIPE, SIG_IGN);  // a child that died is reported, not fatal to us
  int input[2], output[2];
  if (::pipe2(input, O_CLOEXEC) != 0) return false;
  if (::pipe2(output, O_CLOEXEC) != 0) {
    ::close(input[0]);
    ::close(input[1]);
    return false;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, input[0], 0);
  posix_spawn_file_actions_adddup2(&actions, output[1], 1);
  posix_spawn_file_actions_addopen(&actions, 2, logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
  std::vector<std::string> arguments = {driver, "--lang", "en", "--folder", folder};
  std::vector<std::string> environment = ChildEnvironment(folder);
  const int failed = ::posix_spawn(&pid_, driver.c_str(), &actions, nullptr, Pointers(arguments).data(),
                                   Pointers(environment).data());
  posix_spawn_file_actions_destroy(&actions);
  ::close(input[0]);
  ::close(output[1]);
  in_ = input[1];
  out_ = output[0];
  pending_.clear();
  outputClosed_ = false;
  if (failed != 0) {
    pid_ = -1;
    CloseInput();
    return false;
  }
  return true;
}

bool RandomWalkChild::Send(const std::string& lines) {
  std::size_t sent = 0;
  while (in_ >= 0 && sent < lines.size()) {
    const ssize_t n = ::write(in_, lines.data() + sent, lines.size() - sent);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    sent += static_cast<std::size_t>(n);
  }
  return in_ >= 0;
}

bool RandomWalkChild::ReadMore(int timeoutMs) {
  pollfd watch{out_, POLLIN, 0};
  const int ready = ::poll(&watch, 1, timeoutMs);
  if (ready < 0) return errno == EINTR;
  if (ready == 0) return false;
  char buffer[4096];
  const ssize_t n = ::read(out_, buffer, sizeof buffer);
  if (n < 0) return errno == EINTR;
  if (n == 0) {
    outputClosed_ = true;
    return false;
  }
  pending_.append(buffer, static_cast<std::size_t>(n));
  return true;
}

std::vector<std::string> RandomWalkChild::ReadUntil(const std::function<bool(const std::string&)>& isLast,
                                                    int timeoutSeconds, bool& timedOut) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + std::chrono::seconds(timeoutSeconds);
  std::vector<std::string> lines;
  timedOut = false;
  while (true) {
    for (std::size_t end; (end = pending_.find('\n')) != std::string::npos;) {
      lines.push_back(pending_.substr(0, end));
      pending_.erase(0, end + 1);
      if (isLast(lines.back())) return lines;
    }
    if (outputClosed_ || out_ < 0) return lines;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) {
      timedOut = true;
      return lines;
    }
    ReadMore(static_cast<int>(std::min<long long>(left, 1000)));
  }
}

void RandomWalkChild::CloseInput() {
  if (in_ >= 0) ::close(in_);
  in_ = -1;
}

std::string RandomWalkChild::Finish(int timeoutSeconds) {
  CloseInput();
  bool timedOut = false;
  ReadUntil([](const std::string&) { return false; }, timeoutSeconds, timedOut);  // until its output closes
  if (timedOut) {
    Kill();
    return "no end within the time allowed";
  }
  return Reap();
}

std::string RandomWalkChild::Reap() {
  if (pid_ <= 0) return "not running";
  int status = 0;
  pid_t done = 0;
  // Its output is closed, so it is ending; give it a bounded moment to.
  for (int tries = 0; tries < 600 && (done = ::waitpid(pid_, &status, WNOHANG)) == 0; ++tries) ::usleep(50000);
  if (done == 0) {
    Kill();
    return "output closed but still running";
  }
  pid_ = -1;
  CloseInput();
  if (out_ >= 0) ::close(out_);
  out_ = -1;
  return DescribeStatus(status);
}

void RandomWalkChild::Kill() {
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    int status = 0;
    ::waitpid(pid_, &status, 0);
  }
  pid_ = -1;
  CloseInput();
  if (out_ >= 0) ::close(out_);
  out_ = -1;
}

long RandomWalkChild::StatusField(const char* name) const {
  if (pid_ <= 0) return 0;
  std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
  std::string line;
  const std::size_t length = std::strlen(name);
  while (std::getline(status, line)) {
    if (line.compare(0, length, name) == 0 && line.size() > length && line[length] == ':') {
      return std::strtol(line.c_str() + length + 1, nullptr, 10);
    }
  }
  return 0;
}

long RandomWalkChild::ResidentKb() const { return StatusField("VmRSS"); }

long RandomWalkChild::PeakKb() const { return StatusField("VmHWM"); }
