#pragma once

#include <QRect>

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

// "x,y,w,h" as the driver prints a rectangle.
inline QRect RectOf(const std::string& text) {
  int x = 0, y = 0, w = 0, h = 0;
  std::sscanf(text.c_str(), "%d,%d,%d,%d", &x, &y, &w, &h);
  return QRect(x, y, w, h);
}

// An Xvfb server of its own, on a free display number; the shell prints the server's pid, then the server its
// display. `screens` are Xvfb's -screen options.
class VirtualDisplay {
 public:
  explicit VirtualDisplay(const std::string& screens = "-screen 0 1366x768x24 -screen 1 1920x1080x24")
      : out_(::popen(("Xvfb -displayfd 3 " + screens + " -nolisten tcp 3>&1 >/dev/null 2>&1 & echo $!").c_str(),
                     "r")) {
    // Read unbuffered with a time limit: a server that never answers is given up on after 20 s.
    std::string said;
    pollfd ready{out_ ? ::fileno(out_) : -1, POLLIN, 0};
    for (char c; std::count(said.begin(), said.end(), '\n') < 2 && ::poll(&ready, 1, 20000) == 1 &&
                 ::read(ready.fd, &c, 1) == 1;) {
      said += c;
    }
    std::istringstream fields(said);
    int number = -1;
    fields >> pid_ >> number;
    if (fields) name_ = ":" + std::to_string(number);
  }
  ~VirtualDisplay() {
    for (const int pid : managers_) ::kill(pid, SIGTERM);
    if (pid_ > 0) ::kill(pid_, SIGTERM);
    if (out_) ::pclose(out_);
  }
  VirtualDisplay(const VirtualDisplay&) = delete;
  VirtualDisplay& operator=(const VirtualDisplay&) = delete;
  const std::string& Name() const { return name_; }

  // Starts a window manager (openbox) on `screen`; false when it is missing or not ready within 20 s.
  bool StartWindowManager(int screen, const std::string& readyFile) {
    std::filesystem::remove(readyFile);
    const std::string command = "DISPLAY=" + name_ + "." + std::to_string(screen) +
                                " openbox --sm-disable --startup 'touch " + readyFile + "' >/dev/null 2>&1 & echo $!";
    FILE* started = ::popen(command.c_str(), "r");
    if (!started) return false;
    int pid = -1;
    if (std::fscanf(started, "%d", &pid) == 1 && pid > 0) managers_.push_back(pid);
    ::pclose(started);
    for (int tries = 0; tries < 200 && !std::filesystem::exists(readyFile); ++tries) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return std::filesystem::exists(readyFile);
  }

 private:
  FILE* out_;
  int pid_ = -1;
  std::string name_;
  std::vector<int> managers_;
};
