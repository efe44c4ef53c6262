#include "viewer/document/CacheJournal.h"

#include "platform/FileIo.h"
#include "platform/SafeWrite.h"
#include "viewer/document/Hash64.h"
#include "viewer/document/LittleEndian.h"
#include "viewer/document/RecordLayout.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char kMagic[4] = {'M', 'V', 'J', '1'};
constexpr char kTrailer[4] = {'D', 'O', 'N', 'E'};

FileError ApplyRanges(const std::string& cachePath, const std::vector<CacheByteRange>& ranges) {
  if (WritesStopped()) return FileError::FromErrno(EIO);
  const int fd = ::open(cachePath.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return FileError::FromErrno(errno);
  int error = 0;
  for (const CacheByteRange& range : ranges) {
    std::size_t done = 0;
    while (done < range.bytes.size() && error == 0) {
      const ssize_t n = ::pwrite(fd, range.bytes.data() + done, range.bytes.size() - done,
                                 static_cast<off_t>(range.offset + done));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) error = n < 0 ? errno : EIO;
      if (n > 0) done += static_cast<std::size_t>(n);
    }
  }
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  return error == 0 ? FileError{} : FileError::FromErrno(error);
}

std::uint64_t FileLength(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return UINT64_MAX;
  return static_cast<std::uint64_t>(info.st_size);
}

}  // namespace

std::string CacheJournalPath(const std::string& cachePath) { return cachePath + ".journal"; }

std::vector<std::uint8_t> EncodeCacheJournal(std::uint64_t cacheLength, const std::vector<CacheByteRange>& ranges) {
  ByteWriter out;
  out.Raw(std::string_view(kMagic, 4));
  out.U64(cacheLength);
  out.U32(static_cast<std::uint32_t>(ranges.size()));
  for (const CacheByteRange& range : ranges) {
    out.U64(range.offset);
    out.U32(static_cast<std::uint32_t>(range.bytes.size()));
    out.Raw(std::string_view(reinterpret_cast<const char*>(range.bytes.data()), range.bytes.size()));
  }
  out.U64(Hash64(out.bytes()));
  out.Raw(std::string_view(kTrailer, 4));
  return std::vector<std::uint8_t>(out.bytes().begin(), out.bytes().end());
}

bool DecodeCacheJournal(const std::vector<std::uint8_t>& journal, std::uint64_t& cacheLength,
                        std::vector<CacheByteRange>& ranges) {
  ranges.clear();
  if (journal.size() < 4 + 8 + 4 + 8 + 4 || std::memcmp(journal.data(), kMagic, 4) != 0 ||
      std::memcmp(journal.data() + journal.size() - 4, kTrailer, 4) != 0) {
    return false;
  }
  const std::string_view all(reinterpret_cast<const char*>(journal.data()), journal.size());
  const std::string_view body = all.substr(0, journal.size() - 12);
  ByteReader tail(all.substr(body.size()));
  std::uint64_t checksum = 0;
  if (!tail.U64(checksum) || checksum != Hash64(body)) return false;
  ByteReader in(body.substr(4));
  std::uint32_t count = 0;
  if (!in.U64(cacheLength) || !in.U32(count)) return false;
  for (std::uint32_t k = 0; k < count; ++k) {
    CacheByteRange range;
    std::uint32_t length = 0;
    std::string bytes;
    if (!in.U64(range.offset) || !in.U32(length) || length > kRecordSize) return false;
    if (range.offset > cacheLength || length > cacheLength - range.offset) return false;
    if (!in.Raw(length, bytes)) return false;
    range.bytes.assign(bytes.begin(), bytes.end());
    ranges.push_back(std::move(range));
  }
  return in.empty();
}

FileError ApplyCacheChanges(const std::string& cachePath, std::uint64_t cacheLength,
                            const std::vector<CacheByteRange>& ranges) {
  const std::vector<std::uint8_t> journal = EncodeCacheJournal(cacheLength, ranges);
  const std::string journalPath = CacheJournalPath(cachePath);
  const FileError written =
      WriteFileSafely(journalPath, std::string_view(reinterpret_cast<const char*>(journal.data()), journal.size()));
  if (written.failed()) return written;
  const FileError applied = ApplyRanges(cachePath, ranges);
  if (applied.failed()) return applied;  // the journal completes it at the next read
  ::unlink(journalPath.c_str());
  return {};
}

void RecoverCacheChanges(const std::string& cachePath) {
  const std::string journalPath = CacheJournalPath(cachePath);
  std::string bytes;
  if (ReadWholeFile(journalPath, bytes).failed()) return;
  const std::vector<std::uint8_t> journal(bytes.begin(), bytes.end());
  std::uint64_t cacheLength = 0;
  std::vector<CacheByteRange> ranges;
  if (DecodeCacheJournal(journal, cacheLength, ranges) && FileLength(cachePath) == cacheLength &&
      ApplyRanges(cachePath, ranges).failed()) {
    return;  // keep the journal for the next try
  }
  ::unlink(journalPath.c_str());
}
