#include "viewer/document/CacheDigest.h"

#include "viewer/document/CacheFile.h"
#include "viewer/document/RecordCodec.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t kWordSize = 8;

// A full-avalanche mix of 64 bits (the splitmix64 finaliser).
std::uint64_t Mix(std::uint64_t value) {
  value += 0x9E3779B97F4A7C15ULL;
  value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9ULL;
  value = (value ^ (value >> 27)) * 0x94D049BB133111EBULL;
  return value ^ (value >> 31);
}

// A word in the machine's own byte order: the digest compares states on
// one machine and is never stored.
std::uint64_t LoadWord(const std::uint8_t* bytes) {
  std::uint64_t word = 0;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

// Closes the file however the reading ends.
struct FileCloser {
  int fd;
  ~FileCloser() {
    if (fd >= 0) ::close(fd);
  }
};

}  // namespace

void CacheDigest::AddWord(std::uint64_t word, std::uint64_t index) {
  // Each word counts with its place, so moved bytes change the sum too.
  if (word != 0) sum_ += Mix(word ^ Mix(index));
}

void CacheDigest::AddByte(std::uint8_t byte) {
  partial_[length_++ % kWordSize] = byte;
  if (length_ % kWordSize != 0) return;
  AddWord(LoadWord(partial_.data()), length_ / kWordSize - 1);
  partial_.fill(0);
}

void CacheDigest::Add(std::span<const std::uint8_t> bytes) {
  std::size_t at = 0;
  while (at < bytes.size() && length_ % kWordSize != 0) AddByte(bytes[at++]);
  // Whole blocks of zero words, most of a record, are skipped at once.
  constexpr std::size_t kBlock = 8 * kWordSize;
  for (; at + kBlock <= bytes.size(); at += kBlock, length_ += kBlock) {
    std::uint64_t words[8];
    std::memcpy(words, bytes.data() + at, kBlock);
    std::uint64_t any = 0;
    for (const std::uint64_t word : words) any |= word;
    if (any == 0) continue;
    for (std::size_t i = 0; i < 8; ++i) AddWord(words[i], length_ / kWordSize + i);
  }
  while (at < bytes.size()) AddByte(bytes[at++]);
}

std::uint64_t CacheDigest::Value() const {
  std::uint64_t sum = sum_;
  const std::uint64_t last = LoadWord(partial_.data());
  if (last != 0) sum += Mix(last ^ Mix(length_ / kWordSize));
  return Mix(sum ^ Mix(~length_));
}

std::uint64_t DigestDocument(const Document& document) {
  CacheDigest digest;
  std::vector<std::uint8_t> encoded(kRecordSize);
  ForEachStoredRecord(document, [&](const LineRecord& record, const RecordCopies& copies) {
    EncodeLineRecord(record, copies, RecordBytes(encoded.data(), kRecordSize));
    digest.Add(encoded);
    return true;
  });
  return digest.Value();
}

bool DigestCacheFile(const std::string& path, std::uint64_t& digest) {
  // Opening does not wait: a pipe of that name is refused, not waited on.
  const FileCloser file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
  struct stat info {};
  if (file.fd < 0 || ::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode)) return false;
  CacheDigest sum;
  std::vector<std::uint8_t> buffer(std::size_t{1} << 21);
  while (true) {
    const ssize_t n = ::read(file.fd, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;
    sum.Add(std::span<const std::uint8_t>(buffer.data(), static_cast<std::size_t>(n)));
  }
  digest = sum.Value();
  return true;
}

std::string DigestText(std::uint64_t digest) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(digest));
  return text;
}

bool ParseDigestText(const std::string& text, std::uint64_t& digest) {
  if (text.size() != 16) return false;
  std::uint64_t value = 0;
  for (const char c : text) {
    const int nibble = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    if (nibble < 0) return false;
    value = value << 4 | static_cast<std::uint64_t>(nibble);
  }
  digest = value;
  return true;
}
