#include "platform/SafeWrite.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

long long gFailAfterBytes = -1;
long long gBytesWritten = 0;

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Writes all of `size` bytes, honouring the full-disk test hook.
int WriteAll(int fd, const char* data, std::size_t size) {
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

void SetWriteFailureAfterBytes(long long bytes) {
  gFailAfterBytes = bytes;
  gBytesWritten = 0;
}

SafeFileWriter::SafeFileWriter(std::string targetPath) : target_(std::move(targetPath)) {
  mode_t mode = 0;
  if (const int e = TargetMode(target_, mode)) {
    Fail(e);
    return;
  }
  temporary_ = target_ + ".tmp-XXXXXX";
  fd_ = ::mkstemp(temporary_.data());
  if (fd_ < 0) {
    Fail(errno);
    temporary_.clear();
    return;
  }
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
  return true;
}

bool SafeFileWriter::Skip(std::size_t size) {
  if (error_.failed() || fd_ < 0) return false;
  length_ += static_cast<long long>(size);
  return true;
}

FileError SafeFileWriter::Commit() {
  if (!error_.failed() && fd_ >= 0) {
    // A trailing hole still has to count in the file's length.
    if (written_ != length_ && ::ftruncate(fd_, length_) != 0) Fail(errno);
    if (!error_.failed() && ::fsync(fd_) != 0) Fail(errno);
    if (::close(fd_) != 0) Fail(errno);
    fd_ = -1;
    if (!error_.failed() && std::rename(temporary_.c_str(), target_.c_str()) != 0) Fail(errno);
    if (!error_.failed()) {
      committed_ = true;
      SyncFolder(FolderOf(target_));
      return {};
    }
  }
  Discard();
  return error_;
}

FileError WriteFileSafely(const std::string& path, std::string_view bytes) {
  SafeFileWriter writer(path);
  writer.Write(bytes);
  return writer.Commit();
}
