#include "platform/SafeWrite.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

long long gFailAfterBytes = -1;
long long gBytesWritten = 0;
bool gWritesStopped = false;
// Held while a writer of this process has a file without its lock (made and
// not yet locked, or closed and not yet renamed), so that the writers the
// export runs side by side never take each other's file for a dead one's.
std::mutex gUnlockedFiles;

constexpr std::string_view kTemporaryMark = ".tmp-XXXXXX";

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Removes the temporary files that writers killed before their rename left
// in the folder of `target`, whatever file they were writing (a kill during
// an export leaves one the next export may never name again): a live
// writer holds a lock on its own, a dead one's lock is gone. Without this
// every kill during a write would leave a copy of the file (hundreds of
// megabytes for a full cache) in the folder.
void RemoveLeftTemporaries(const std::string& target) {
  const std::string_view mark = kTemporaryMark.substr(0, kTemporaryMark.find('X'));
  DIR* folder = ::opendir(FolderOf(target).c_str());
  if (!folder) return;
  while (const dirent* entry = ::readdir(folder)) {
    const std::string_view found = entry->d_name;
    if (found.size() <= kTemporaryMark.size() ||
        found.substr(found.size() - kTemporaryMark.size(), mark.size()) != mark)
      continue;
    const int fd = ::openat(::dirfd(folder), entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
      ::unlinkat(::dirfd(folder), entry->d_name, 0);
    ::close(fd);
  }
  ::closedir(folder);
}

// Writes all of `size` bytes, honouring the full-disk test hook.
int WriteAll(int fd, const char* data, std::size_t size) {
  if (gWritesStopped) return EIO;
  while (size > 0) {
    std::size_t chunk = size;
    if (gFailAfterBytes >= 0) {
      const long long room = gFailAfterBytes - gBytesWritten;
      if (room <= 0) return ENOSPC;
      if (static_cast<long long>(chunk) > room) chunk = static_cast<std::size_t>(room);
    }
    const ssize_t n = ::write(fd, data, chunk);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    gBytesWritten += n;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return 0;
}

void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// The mode the new file takes: the old file's, so a rewrite keeps its
// permissions; a link standing in its place is replaced like a new file.
// A regular target the user made read-only is refused, as it would be when
// written in place.
int TargetMode(const std::string& target, mode_t& mode) {
  struct stat info {};
  mode = NewFileMode();
  if (::lstat(target.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return 0;
  if ((info.st_mode & S_IWUSR) == 0) return EACCES;
  mode = info.st_mode & 07777;
  return 0;
}

}  // namespace

void StopWrites(bool stopped) { gWritesStopped = stopped; }

bool WritesStopped() { return gWritesStopped; }

void SetWriteFailureAfterBytes(long long bytes) {
  gFailAfterBytes = bytes;
  gBytesWritten = 0;
}

SafeFileWriter::SafeFileWriter(std::string targetPath) : target_(std::move(targetPath)) {
  if (gWritesStopped) {
    Fail(EIO);
    return;
  }
  mode_t mode = 0;
  if (const int e = TargetMode(target_, mode)) {
    Fail(e);
    return;
  }
  const std::lock_guard<std::mutex> unlocked(gUnlockedFiles);
  RemoveLeftTemporaries(target_);
  temporary_ = target_ + std::string(kTemporaryMark);
  fd_ = ::mkstemp(temporary_.data());
  if (fd_ < 0) {
    Fail(errno);
    temporary_.clear();
    return;
  }
  // Held until the file is renamed or removed: it tells a live writer's
  // file from one a killed writer left. (Another program writing into the
  // same folder in the instant between mkstemp and this lock could lose its
  // file; its rename then fails and is reported.)
  ::flock(fd_, LOCK_EX | LOCK_NB);
  ::fchmod(fd_, mode);
}

SafeFileWriter::~SafeFileWriter() {
  if (!committed_) Discard();
}

bool SafeFileWriter::Fail(int errorNumber) {
  if (!error_.failed()) error_ = FileError::FromErrno(errorNumber);
  return false;
}

void SafeFileWriter::Discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
}

bool SafeFileWriter::Write(const void* data, std::size_t size) {
  if (error_.failed() || fd_ < 0) return false;
  if (written_ != length_ && ::lseek(fd_, length_, SEEK_SET) < 0) return Fail(errno);
  if (const int e = WriteAll(fd_, static_cast<const char*>(data), size)) return Fail(e);
  length_ += static_cast<long long>(size);
  written_ = length_;
  flushed_ = false;
  return true;
}

bool SafeFileWriter::Skip(std::size_t size) {
  if (error_.failed() || fd_ < 0) return false;
  length_ += static_cast<long long>(size);
  flushed_ = false;
  return true;
}

bool SafeFileWriter::Flush() {
  if (error_.failed() || fd_ < 0) return false;
  // A trailing hole still has to count in the file's length.
  if (written_ != length_ && ::ftruncate(fd_, length_) != 0) return Fail(errno);
  written_ = length_;
  if (::fsync(fd_) != 0) return Fail(errno);
  flushed_ = true;
  return true;
}

FileError SafeFileWriter::CommitRename() {
  if (gWritesStopped) Fail(EIO);
  if (!error_.failed() && fd_ >= 0) {
    if (!flushed_) Flush();
    const std::lock_guard<std::mutex> unlocked(gUnlockedFiles);
    if (::close(fd_) != 0) Fail(errno);
    fd_ = -1;
    if (!error_.failed() && std::rename(temporary_.c_str(), target_.c_str()) != 0) Fail(errno);
    if (!error_.failed()) {
      committed_ = true;
      return {};
    }
  }
  Discard();
  return error_;
}

FileError SafeFileWriter::Commit() {
  const FileError error = CommitRename();
  if (!error.failed()) SyncFolder(FolderOf(target_));
  return error;
}

void SyncFolderOf(const std::string& path) { SyncFolder(FolderOf(path)); }

FileError WriteFileSafely(const std::string& path, std::string_view bytes) {
  SafeFileWriter writer(path);
  writer.Write(bytes);
  return writer.Commit();
}
