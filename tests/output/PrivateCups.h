#pragma once

#include "tests/output/OutputProgram.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

// A private print scheduler keeping each job as job-N.pdf and .options; its backend is 0700, so root runs it.
class PrivateCups {
 public:
  PrivateCups() {
    namespace fs = std::filesystem;
    for (const char* sub : {"root", "spool/tmp", "cache", "state", "log", "bin/backend", "out"}) {
      fs::create_directories(folder_.File(sub));
    }
    // The scheduler starts its helpers from its own programs folder.
    for (const char* sub : {"daemon", "filter", "driver", "monitor", "notifier"}) {
      const std::string real = std::string("/usr/lib/cups/") + sub;
      if (fs::exists(real)) fs::create_directory_symlink(real, folder_.File(std::string("bin/") + sub));
    }
    // An A4 colour printer taking PDF as it is, and a backend keeping each job.
    fs::copy_file(MARVESSA_PRINTER_FILES "/savepdf.sh", folder_.File("bin/backend/savepdf"));
    fs::permissions(folder_.File("bin/backend/savepdf"), fs::perms::owner_all, fs::perm_options::replace);
    std::string files = "FileDevice No\n";
    for (const auto& [key, sub] : {std::pair{"ServerRoot", "root"}, {"RequestRoot", "spool"},
                                   {"TempDir", "spool/tmp"}, {"CacheDir", "cache"}, {"StateDir", "state"},
                                   {"ServerBin", "bin"}, {"AccessLog", "log/access_log"},
                                   {"ErrorLog", "log/error_log"}, {"PageLog", "log/page_log"}}) {
      files += std::string(key) + " " + folder_.File(sub) + "\n";
    }
    WriteFileBytes(folder_.File("cups-files.conf"), files);
    WriteFileBytes(folder_.File("cupsd.conf"),
                   "Listen " + Socket() +
                       "\nLogLevel debug\nBrowsing No\nWebInterface No\nDefaultAuthType None\n"
                       "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                       "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n");
  }
  ~PrivateCups() {
    if (pid_ > 0 && ::kill(pid_, SIGKILL) == 0) ::waitpid(pid_, nullptr, 0);
  }
  PrivateCups(const PrivateCups&) = delete;
  PrivateCups& operator=(const PrivateCups&) = delete;

  bool Start(std::string& why) {
    const std::string cupsd = Tool("cupsd"), log = folder_.File("log/cupsd.out");
    const std::string conf = folder_.File("cupsd.conf"), files = folder_.File("cups-files.conf");
    pid_ = ::fork();
    if (pid_ == 0) {
      const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      ::dup2(out, 1), ::dup2(out, 2);
      ::execl(cupsd.c_str(), cupsd.c_str(), "-f", "-c", conf.c_str(), "-s", files.c_str(),
              static_cast<char*>(nullptr));
      ::_exit(127);
    }
    for (int i = 0; pid_ > 0 && i < 150; ++i) {
      if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
        pid_ = -1;
        why = "cupsd ended at once: " + ReadFileBytes(log) + ErrorLogTail();
        return false;
      }
      const std::string status = RunCommand(Tool("lpstat") + " -h " + Socket() + " -r", 5).text;
      if (status.starts_with("scheduler is running")) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    why = "cupsd did not start or answer within 15 s: " + ErrorLogTail();
    return false;
  }

  // Runs an administration tool on this scheduler.
  bool Admin(const std::string& tool, const std::string& arguments, std::string& why) const {
    const std::string command = Tool(tool) + " -h " + Socket() + " " + arguments;
    const CommandOutput out = RunCommand(command, 30);
    if (out.status != 0) why = command + ": " + out.text + ErrorLogTail();
    return out.status == 0;
  }

  bool AddPdfQueue(const std::string& name, bool makeDefault, std::string& why) {
    const std::string queue =
        "-p " + name + " -E -v savepdf:" + OutputFolder() + " -P " MARVESSA_PRINTER_FILES "/printer.ppd";
    return Admin("lpadmin", queue, why) && (!makeDefault || Admin("lpadmin", "-d " + name, why));
  }

  int FinishedJobs() const {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(OutputFolder())) {
      count += entry.path().extension() == ".options";
    }
    return count;
  }
  bool WaitForFinishedJobs(int count, int seconds) const {
    for (int i = 0; i < seconds * 10 && FinishedJobs() < count; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return FinishedJobs() >= count;
  }

  std::string Socket() const { return folder_.File("cups.sock"); }
  std::string OutputFolder() const { return folder_.File("out"); }
  std::string ErrorLogTail() const {
    const std::string log = ReadFileBytes(folder_.File("log/error_log"));
    return log.size() > 3000 ? log.substr(log.size() - 3000) : log;
  }

  // Administration tools live in sbin, which a user's PATH may lack.
  static std::string Tool(const std::string& name) {
    for (const char* folder : {"/usr/sbin/", "/usr/bin/"}) {
      if (std::filesystem::exists(folder + name)) return folder + name;
    }
    return name;
  }

 private:
  TempFolder folder_;
  pid_t pid_ = -1;
};
