#include "platform/ProgramFolder.h"

#include <cerrno>
#include <climits>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string& CurrentProgramFolder() {
  static std::string folder;
  return folder;
}

std::string& CurrentExportFolder() {
  static std::string folder;
  return folder;
}

std::string WithSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

bool IsWritableFolder(const std::string& folder) {
  struct stat info {};
  return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
         ::access(folder.c_str(), W_OK | X_OK) == 0;
}

}  // namespace

std::string ExecutableFolder() {
  char buffer[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return "./";
  const std::string path(buffer, static_cast<std::size_t>(n));
  return WithSlash(path.substr(0, path.find_last_of('/')));
}

bool MakeFolders(const std::string& folder) {
  if (folder.empty()) return false;
  for (std::size_t slash = folder.find('/', 1); ; slash = folder.find('/', slash + 1)) {
    const std::string part = folder.substr(0, slash);
    if (::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  struct stat info {};
  return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsInstalledLayout(const std::string& executableFolder) {
  struct stat info {};
  const std::string marker = WithSlash(executableFolder) + "../share/marvessa/installed";
  return ::stat(marker.c_str(), &info) == 0;
}

std::string ResolveProgramFolder(const std::string& executableFolder,
                                 const std::string& userDataFolder) {
  if (IsWritableFolder(executableFolder) && !IsInstalledLayout(executableFolder)) {
    return WithSlash(executableFolder);
  }
  if (!userDataFolder.empty() && MakeFolders(userDataFolder) && IsWritableFolder(userDataFolder)) {
    return WithSlash(userDataFolder);
  }
  return WithSlash(executableFolder);  // writes then fail and are reported
}

void SetProgramFolder(std::string folder) {
  CurrentProgramFolder() = WithSlash(std::move(folder));
  CurrentExportFolder().clear();
}

const std::string& ProgramFolder() { return CurrentProgramFolder(); }

void SetExportFolder(std::string folder) { CurrentExportFolder() = WithSlash(std::move(folder)); }

const std::string& ExportFolder() {
  return CurrentExportFolder().empty() ? CurrentProgramFolder() : CurrentExportFolder();
}

std::string CompanionFolder(std::string_view kind) {
  const std::string& own = CurrentProgramFolder();
  if (own.size() < 2) return {};
  const std::size_t nameStart = own.find_last_of('/', own.size() - 2) + 1;  // npos + 1 is 0
  const std::string name = own.substr(nameStart, own.size() - 1 - nameStart);
  if (name != "viewer" && name != "editor") return {};
  const std::string other = own.substr(0, nameStart) + std::string(kind) + "/";
  struct stat info {};
  return ::stat(other.c_str(), &info) == 0 && S_ISDIR(info.st_mode) ? other : std::string();
}

std::string ProgramFile(std::string_view name) { return CurrentProgramFolder() + std::string(name); }
