#include "tests/reliability/DriverChild.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <utility>

bool DriverChild::Start(const std::vector<std::string>& arguments, const std::string& errorLog) {
  std::signal(SIGPIPE, SIG_IGN);  // a child that died is reported, not fatal to us
  // Offscreen, with a print system that is not there, so a print command fails at once.
  ::setenv("CUPS_SERVER", "/nonexistent/print.sock", 1);
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  ::unsetenv("PRINTER");
  ::unsetenv("LPDEST");
  std::vector<std::string> words{MARVESSA_DRIVE};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  // Forked, not spawned: a spawned child's peak memory would count ours. Only system calls until exec.
  int input[2] = {-1, -1}, output[2] = {-1, -1};
  const int log = ::open(errorLog.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  const bool piped = ::pipe2(input, O_CLOEXEC) == 0 && ::pipe2(output, O_CLOEXEC) == 0;
  pid_ = piped ? ::fork() : -1;
  if (pid_ == 0) {
    ::dup2(input[0], 0);
    ::dup2(output[1], 1);
    ::dup2(log, 2);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  const bool started = pid_ > 0;
  for (const int end : {input[0], output[1], log}) ::close(end);
  in_ = input[1];
  out_ = output[0];
  pending_.clear();
  lines_.clear();
  if (!started) Close();
  return started;
}

bool DriverChild::Send(const std::string& lines) {
  for (std::size_t sent = 0; in_ >= 0 && sent < lines.size();) {
    const ssize_t n = ::write(in_, lines.data() + sent, lines.size() - sent);
    if (n <= 0 && errno != EINTR) return false;
    sent += static_cast<std::size_t>(std::max<ssize_t>(n, 0));
  }
  return in_ >= 0;
}

bool DriverChild::ReadUntil(const std::function<bool(const std::string&)>& isLast, int seconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  hung_ = false;
  for (char buffer[4096]; !hung_;) {
    for (std::size_t end; (end = pending_.find('\n')) != std::string::npos;) {
      lines_.push_back(pending_.substr(0, end));
      pending_.erase(0, end + 1);
      if (isLast(lines_.back())) return true;
    }
    if (out_ < 0) break;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
    pollfd watch{out_, POLLIN, 0};
    hung_ = left <= 0;
    if (hung_ || ::poll(&watch, 1, static_cast<int>(std::min<long long>(left, 1000))) <= 0) continue;
    const ssize_t n = ::read(out_, buffer, sizeof buffer);
    if (n == 0 || (n < 0 && errno != EINTR)) ::close(std::exchange(out_, -1));
    if (n > 0) pending_.append(buffer, static_cast<std::size_t>(n));
  }
  if (!pending_.empty() && !hung_) lines_.push_back(std::exchange(pending_, {}));
  return false;
}

void DriverChild::Close() {
  for (int* end : {&in_, &out_}) {
    if (*end >= 0) ::close(std::exchange(*end, -1));
  }
}

void DriverChild::Kill() {
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    Wait(true);
  }
  Close();
}

std::string DriverChild::Finish(int seconds) {
  if (in_ >= 0) ::close(std::exchange(in_, -1));
  ReadUntil([](const std::string&) { return false; }, seconds);
  if (!hung_) return Reap();
  Kill();
  return "no end within the time allowed";
}

std::string DriverChild::Reap() { return pid_ > 0 ? Wait(false) : (Close(), "not running"); }

std::string DriverChild::Wait(bool block) {
  int status = 0;
  rusage usage{};
  pid_t done = 0;
  // Its output is closed, so it is ending: a bounded wait.
  for (int tries = 0; tries < 600 && (done = ::wait4(pid_, &status, block ? 0 : WNOHANG, &usage)) == 0; ++tries) {
    ::usleep(50000);
  }
  if (done == 0) {
    Kill();
    return "output closed but still running";
  }
  pid_ = -1;
  peakKb_ = usage.ru_maxrss;
  Close();
  if (done < 0) return "no status";
  if (WIFEXITED(status)) return "exit " + std::to_string(WEXITSTATUS(status));
  return WIFSIGNALED(status) ? "signal " + std::to_string(WTERMSIG(status)) : "status " + std::to_string(status);
}

long DriverChild::StatusField(const char* name) const {
  std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
  for (std::string line; pid_ > 0 && std::getline(status, line);) {
    if (line.rfind(std::string(name) + ":", 0) == 0) return std::strtol(line.c_str() + std::strlen(name) + 1, nullptr, 10);
  }
  return 0;
}

long EnvironmentNumber(const char* name, long fallback) {
  const char* value = std::getenv(name);
  return value && *value ? std::strtol(value, nullptr, 10) : fallback;
}
