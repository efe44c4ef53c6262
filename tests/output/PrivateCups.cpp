#include "tests/output/PrivateCups.h"

#include "tests/output/OutputProgram.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Administration tools live in sbin, which a user's PATH may lack.
std::string Tool(const std::string& name) {
  for (const char* folder : {"/usr/sbin/", "/usr/bin/"}) {
    if (fs::exists(folder + name)) return folder + name;
  }
  return name;
}

}  // namespace

PrivateCups::PrivateCups() {
  const auto& f = folder_;
  for (const char* sub : {"root", "spool/tmp", "cache", "state", "log", "bin/backend", "out"}) {
    fs::create_directories(f.File(sub));
  }
  // The scheduler starts its helpers from its own programs folder.
  for (const char* sub : {"daemon", "filter", "driver", "monitor", "notifier"}) {
    const std::string real = std::string("/usr/lib/cups/") + sub;
    if (fs::exists(real)) fs::create_directory_symlink(real, f.File(std::string("bin/") + sub));
  }
  // An A4 colour printer taking PDF as it is, and a backend keeping each job.
  fs::copy_file(MARVESSA_PRINTER_FILES "/savepdf.sh", f.File("bin/backend/savepdf"));
  fs::permissions(f.File("bin/backend/savepdf"), fs::perms::owner_all, fs::perm_options::replace);
  std::string files;
  for (const auto& [key, sub] : {std::pair{"ServerRoot", "root"}, {"RequestRoot", "spool"}, {"TempDir", "spool/tmp"},
                                 {"CacheDir", "cache"}, {"StateDir", "state"}, {"ServerBin", "bin"},
                                 {"AccessLog", "log/access_log"}, {"ErrorLog", "log/error_log"},
                                 {"PageLog", "log/page_log"}}) {
    files += std::string(key) + " " + f.File(sub) + "\n";
  }
  WriteFileBytes(f.File("cups-files.conf"), files + "FileDevice No\n");
  WriteFileBytes(f.File("cupsd.conf"), "Listen " + Socket() +
                                           "\nLogLevel debug\nBrowsing No\nWebInterface No\nDefaultAuthType None\n"
                                           "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                                           "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n"
                                           "</Policy>\n");
}

PrivateCups::~PrivateCups() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGTERM);
  for (int i = 0; i < 50; ++i) {
    if (::waitpid(pid_, nullptr, WNOHANG) == pid_) return;
    std::this_thread::sleep_for(100ms);
  }
  ::kill(pid_, SIGKILL);
  ::waitpid(pid_, nullptr, 0);
}

std::string PrivateCups::MissingTools() {
  for (const char* tool : {"cupsd", "lpadmin", "lpstat", "cupsreject", "pdftoppm"}) {
    if (!fs::exists(Tool(tool)) && !HaveTool(tool)) return std::string(tool) + " is not installed";
  }
  return {};
}

bool PrivateCups::Start(std::string& why) {
  const std::string cupsd = Tool("cupsd"), log = folder_.File("log/cupsd.out");
  const std::string conf = folder_.File("cupsd.conf"), files = folder_.File("cups-files.conf");
  pid_ = ::fork();
  if (pid_ == 0) {
    const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(out, 1), ::dup2(out, 2);
    ::execl(cupsd.c_str(), cupsd.c_str(), "-f", "-c", conf.c_str(), "-s", files.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  for (int i = 0; pid_ > 0 && i < 150; ++i) {
    if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
      pid_ = -1;
      why = "cupsd ended at once: " + ReadFileBytes(log) + ErrorLogTail();
      return false;
    }
    if (RunCommand(Tool("lpstat") + " -h " + Socket() + " -r", 5).text.find("scheduler is running") == 0) return true;
    std::this_thread::sleep_for(100ms);
  }
  why = "cupsd did not start or answer within 15 s: " + ErrorLogTail();
  return false;
}

bool PrivateCups::Admin(const std::string& arguments, std::string& why) const {
  const CommandOutput out = RunCommand(arguments, 30);
  if (out.status != 0) why = arguments + ": " + out.text + ErrorLogTail();
  return out.status == 0;
}

bool PrivateCups::AddPdfQueue(const std::string& name, bool makeDefault, std::string& why) {
  const std::string admin = Tool("lpadmin") + " -h " + Socket() + " ";
  const std::string queue = "-p " + name + " -E -v savepdf:" + OutputFolder() + " -P " MARVESSA_PRINTER_FILES "/printer.ppd";
  return Admin(admin + queue, why) &&
         (!makeDefault || Admin(admin + "-d " + name, why));
}

bool PrivateCups::RejectJobs(const std::string& name, std::string& why) {
  return Admin(Tool("cupsreject") + " -h " + Socket() + " " + name, why);
}

int PrivateCups::FinishedJobs() const {
  int count = 0;
  for (const auto& entry : fs::directory_iterator(OutputFolder())) count += entry.path().extension() == ".options";
  return count;
}

bool PrivateCups::WaitForFinishedJobs(int count, int seconds) const {
  for (int i = 0; i < seconds * 10 && FinishedJobs() < count; ++i) std::this_thread::sleep_for(100ms);
  return FinishedJobs() >= count;
}

std::string PrivateCups::ErrorLogTail() const {
  const std::string log = ReadFileBytes(folder_.File("log/error_log"));
  return log.size() > 3000 ? log.substr(log.size() - 3000) : log;
}
