#include "viewer/document/CacheFile.h"

#include "platform/SafeWrite.h"
#include "viewer/document/CacheJournal.h"
#include "viewer/document/RecordCodec.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Records are moved in batches of about 2 MB: few system calls, and the
// whole file (425 MB for a full document) is never held at once. Writing the
// zero blocks as holes instead puts a third of the bytes on disk but measured
// slower, both to write and to read back.
constexpr std::size_t kBatchRecords = 64;

// Collects encoded records and hands them to the writer a batch at a time.
class RecordSink {
 public:
  explicit RecordSink(SafeFileWriter& writer)
      : writer_(writer), buffer_(kBatchRecords * kRecordSize) {}

  RecordBytes NextRecord() {
    if (filled_ == kBatchRecords) Flush();
    return RecordBytes(buffer_.data() + filled_++ * kRecordSize, kRecordSize);
  }

  void Flush() {
    if (ok_ && filled_ > 0) ok_ = writer_.Write(buffer_.data(), filled_ * kRecordSize);
    filled_ = 0;
  }

  bool ok() const { return ok_; }

 private:
  SafeFileWriter& writer_;
  std::vector<std::uint8_t> buffer_;
  std::size_t filled_ = 0;
  bool ok_ = true;
};

// Streams the records of a cache file a batch at a time.
class RecordSource {
 public:
  RecordSource() : buffer_(kBatchRecords * kRecordSize) {}
  ~RecordSource() {
    if (fd_ >= 0) ::close(fd_);
  }
  RecordSource(const RecordSource&) = delete;
  RecordSource& operator=(const RecordSource&) = delete;

  // Only a regular file holding a positive whole number of records is read.
  // Opening does not wait: a pipe named cache.04 is refused, not waited on.
  bool Open(const std::string& path) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat info {};
    if (fd_ < 0 || ::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) return false;
    const auto length = static_cast<std::uint64_t>(info.st_size);
    if (info.st_size <= 0 || length % kRecordSize != 0) return false;
    count_ = remaining_ = length / kRecordSize;
    return true;
  }

  std::uint64_t RecordCount() const { return count_; }

  // The next record, or null when the file ended early or could not be read.
  const std::uint8_t* Next() {
    if (next_ == filled_ && !Refill()) return nullptr;
    return buffer_.data() + next_++ * kRecordSize;
  }

 private:
  bool Refill() {
    const auto records = static_cast<std::size_t>(std::min<std::uint64_t>(remaining_, kBatchRecords));
    const std::size_t wanted = records * kRecordSize;
    std::size_t got = 0;
    while (got < wanted) {
      const ssize_t n = ::read(fd_, buffer_.data() + got, wanted - got);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;  // an error, or the file shrank meanwhile
      got += static_cast<std::size_t>(n);
    }
    remaining_ -= records;
    filled_ = records;
    next_ = 0;
    return records > 0;
  }

  int fd_ = -1;
  std::vector<std::uint8_t> buffer_;
  std::uint64_t count_ = 0;
  std::uint64_t remaining_ = 0;  // records not yet in the buffer
  std::size_t filled_ = 0;
  std::size_t next_ = 0;
};

// Puts a record into its slot; false when its page or line is off the grid.
bool PlaceRecord(Document& document, DecodedRecord& decoded) {
  const int page = decoded.line.pageNumber;
  const int line = decoded.line.lineInPage;
  if (!IsPageInRange(page) || !IsLineInRange(line)) return false;
  document.Box(page, line).savedBytes = decoded.copies.lineBoxCopy;
  document.UseLine(page, line) = std::move(decoded.line);
  document.PageCount = page;
  return true;
}

}  // namespace

void ForEachStoredRecord(const Document& document,
                         const std::function<bool(const LineRecord&, const RecordCopies&)>& visit) {
  const int pages = std::clamp(document.PageCount, 0, kMaxPages);
  for (int page = 1; page <= pages; ++page) {
    for (int line = 1; line <= kLinesPerPage; ++line) {
      const LineRecord& record = document.Line(page, line);
      if (!record.IsInUse()) continue;
      const RecordCopies copies{document.linkCounter, document.boldCounter,
                                document.Box(page, line).savedBytes};
      if (!visit(record, copies)) return;
    }
  }
}

FileError CacheWrite(const Document& document, const std::string& path,
                     const std::function<void()>& onRecord) {
  SafeFileWriter writer(path);
  RecordSink sink(writer);
  ForEachStoredRecord(document, [&](const LineRecord& record, const RecordCopies& copies) {
    EncodeLineRecord(record, copies, sink.NextRecord());
    if (onRecord) onRecord();
    return sink.ok();
  });
  sink.Flush();
  return writer.Commit();
}

bool CacheRead(Document& document, const std::string& path,
               const std::function<void()>& onRecord) {
  RecoverCacheChanges(path);
  bool canonical = false;
  return CacheReadChecked(document, path, onRecord, canonical);
}

bool CacheReadChecked(Document& document, const std::string& path, const std::function<void()>& onRecord,
                      bool& canonical) {
  RecordSource source;
  if (!source.Open(path)) return false;
  Document fresh;
  bool placedAny = false;
  canonical = true;
  int previousSlot = -1;
  std::vector<std::uint8_t> encoded(kRecordSize);
  const std::uint64_t count = source.RecordCount();
  for (std::uint64_t i = 0; i < count; ++i) {
    const std::uint8_t* bytes = source.Next();
    if (!bytes) return false;
    DecodedRecord decoded = DecodeLineRecord(ConstRecordBytes(bytes, kRecordSize));
    if (i == 0) {
      fresh.linkCounter = decoded.copies.linkCounter;
      fresh.boldCounter = decoded.copies.boldCounter;
    }
    if (canonical) {
      // As a whole write would make it: in slot order, same counters, and
      // no byte the records do not account for.
      const int slot = SlotIndex(decoded.line.pageNumber, decoded.line.lineInPage);
      const RecordCopies copies{fresh.linkCounter, fresh.boldCounter, decoded.copies.lineBoxCopy};
      EncodeLineRecord(decoded.line, copies, RecordBytes(encoded.data(), kRecordSize));
      canonical = slot > previousSlot && decoded.line.IsInUse() &&
                  std::memcmp(encoded.data(), bytes, kRecordSize) == 0;
      previousSlot = slot;
    }
    placedAny = PlaceRecord(fresh, decoded) || placedAny;
    if (onRecord) onRecord();
  }
  if (!placedAny) return false;
  fresh.CurrentPage = 1;
  fresh.DocumentLoaded = 1;
  fresh.LineCounter = document.LineCounter;
  fresh.LineSelection = document.LineSelection;
  document = std::move(fresh);
  return true;
}
