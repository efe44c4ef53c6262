#include "viewer/document/CacheJournal.h"

#include "platform/FileIo.h"
#include "platform/SafeWrite.h"
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

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int k = 0; k < 4; ++k) out.push_back(static_cast<std::uint8_t>(value >> (8 * k)));
}

void Put64(std::vector<std::uint8_t>& out, std::uint64_t value) {
  Put32(out, static_cast<std::uint32_t>(value));
  Put32(out, static_cast<std::uint32_t>(value >> 32));
}

std::uint64_t Checksum(const std::uint8_t* data, std::size_t size) {
  std::uint64_t hash = 1469598103934665603ULL;  // FNV-1a
  for (std::size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 1099511628211ULL;
  return hash;
}

// Reads little-endian numbers from a journal, failing past its end.
class Reader {
 public:
  Reader(const std::vector<std::uint8_t>& bytes, std::size_t end) : bytes_(bytes), end_(end) {}
  bool Get32(std::uint32_t& value) {
    if (at_ + 4 > end_) return false;
    value = 0;
    for (int k = 0; k < 4; ++k) value |= std::uint32_t{bytes_[at_ + static_cast<std::size_t>(k)]} << (8 * k);
    at_ += 4;
    return true;
  }
  bool Get64(std::uint64_t& value) {
    std::uint32_t low = 0, high = 0;
    if (!Get32(low) || !Get32(high)) return false;
    value = low | (std::uint64_t{high} << 32);
    return true;
  }
  bool GetBytes(std::size_t count, std::vector<std::uint8_t>& out) {
    if (count > end_ - at_) return false;
    out.assign(bytes_.begin() + static_cast<std::ptrdiff_t>(at_), bytes_.begin() + static_cast<std::ptrdiff_t>(at_ + count));
    at_ += count;
    return true;
  }
  std::size_t at() const { return at_; }
  void Skip(std::size_t count) { at_ += count; }

 private:
  const std::vector<std::uint8_t>& bytes_;
  std::size_t end_;
  std::size_t at_ = 0;
};

FileError ApplyRanges(const std::string& cachePath, const std::vector<CacheByteRange>& ranges) {
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
  std::vector<std::uint8_t> out(kMagic, kMagic + 4);
  Put64(out, cacheLength);
  Put32(out, static_cast<std::uint32_t>(ranges.size()));
  for (const CacheByteRange& range : ranges) {
    Put64(out, range.offset);
    Put32(out, static_cast<std::uint32_t>(range.bytes.size()));
    out.insert(out.end(), range.bytes.begin(), range.bytes.end());
  }
  Put64(out, Checksum(out.data(), out.size()));
  out.insert(out.end(), kTrailer, kTrailer + 4);
  return out;
}

bool DecodeCacheJournal(const std::vector<std::uint8_t>& journal, std::uint64_t& cacheLength,
                        std::vector<CacheByteRange>& ranges) {
  ranges.clear();
  if (journal.size() < 4 + 8 + 4 + 8 + 4 || std::memcmp(journal.data(), kMagic, 4) != 0 ||
      std::memcmp(journal.data() + journal.size() - 4, kTrailer, 4) != 0) {
    return false;
  }
  const std::size_t body = journal.size() - 12;
  Reader tail(journal, journal.size() - 4);
  tail.Skip(body);
  std::uint64_t checksum = 0;
  if (!tail.Get64(checksum) || checksum != Checksum(journal.data(), body)) return false;
  Reader in(journal, body);
  in.Skip(4);
  std::uint32_t count = 0;
  if (!in.Get64(cacheLength) || !in.Get32(count)) return false;
  for (std::uint32_t k = 0; k < count; ++k) {
    CacheByteRange range;
    std::uint32_t length = 0;
    if (!in.Get64(range.offset) || !in.Get32(length) || length > kRecordSize) return false;
    if (range.offset > cacheLength || length > cacheLength - range.offset) return false;
    if (!in.GetBytes(length, range.bytes)) return false;
    ranges.push_back(std::move(range));
  }
  return in.at() == body;
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
