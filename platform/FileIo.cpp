#include "platform/FileIo.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FileError ReadWholeFile(const std::string& path, std::string& bytes, std::size_t maxBytes) {
  bytes.clear();
  // Non-blocking open: a named pipe in place of the file must not hang us.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return FileError::FromErrno(errno);
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    const int e = errno;
    ::close(fd);
    return FileError::FromErrno(e);
  }
  if (!S_ISREG(info.st_mode)) {
    ::close(fd);
    return FileError::FromErrno(S_ISDIR(info.st_mode) ? EISDIR : EINVAL);
  }
  if (static_cast<std::size_t>(info.st_size) > maxBytes) {
    ::close(fd);
    return FileError::FromErrno(EFBIG);
  }
  bytes.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[1 << 16];
  while (true) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int e = errno;
      ::close(fd);
      bytes.clear();
      return FileError::FromErrno(e);
    }
    if (n == 0) break;
    if (static_cast<std::size_t>(n) > maxBytes - bytes.size()) {  // grew while being read
      ::close(fd);
      bytes.clear();
      return FileError::FromErrno(EFBIG);
    }
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return {};
}

bool FileExists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool FolderExists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}
