#include "viewer/document/CacheStore.h"

#include "viewer/document/CacheFile.h"
#include "viewer/document/CacheJournal.h"
#include "viewer/document/LittleEndian.h"
#include "viewer/document/RecordCodec.h"

#include <sys/stat.h>

namespace {

// Past this share of changed records a whole write is cheaper than a journal.
constexpr std::size_t kMostChangedRecords = 256;

std::uint64_t FileLength(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return UINT64_MAX;
  return static_cast<std::uint64_t>(info.st_size);
}

RecordCopies CopiesOf(const Document& document, int page, int line) {
  return {document.linkCounter, document.boldCounter, document.Box(page, line).savedBytes};
}

// The two counters of the record at `offset`: every record carries them.
void AddCounterRanges(const Document& document, std::uint64_t offset, std::vector<CacheByteRange>& ranges) {
  const std::pair<std::size_t, std::int32_t> counters[] = {
      {RecordLayout::kLinkGroup + MarkGroup::kCounter, document.linkCounter},
      {RecordLayout::kBoldGroup + MarkGroup::kCounter, document.boldCounter}};
  for (const auto& [at, value] : counters) {
    CacheByteRange range{offset + at, std::vector<std::uint8_t>(4)};
    StoreInt32(range.bytes.data(), value);
    ranges.push_back(std::move(range));
  }
}

}  // namespace

CacheStore::CacheStore(std::string path) : path_(std::move(path)) {}

void CacheStore::SetPath(std::string path) {
  path_ = std::move(path);
  saved_.reset();
}

void CacheStore::Forget() { saved_.reset(); }

bool CacheStore::Restore(Document& document) const {
  if (!saved_) return false;
  document = *saved_;
  return true;
}

bool CacheStore::Load(Document& document, const std::function<void()>& onRecord) {
  RecoverCacheChanges(path_);
  bool canonical = false;
  if (!CacheReadChecked(document, path_, onRecord, canonical)) return false;
  // Only a file exactly as a whole write would make it can be changed in place.
  if (canonical) {
    saved_ = std::make_unique<Document>(document);
  } else {
    saved_.reset();
  }
  return true;
}

FileError CacheStore::Save(const Document& document, const std::function<void()>& onRecord) {
  std::vector<CacheByteRange> ranges;
  if (!CollectChanges(document, ranges)) return SaveWhole(document, onRecord);
  if (ranges.empty()) return {};
  if (FileError error = ApplyCacheChanges(path_, FileLength(path_), ranges); error.failed()) {
    saved_.reset();  // the file may be half changed until its journal is replayed
    return error;
  }
  *saved_ = document;
  return {};
}

FileError CacheStore::SaveWhole(const Document& document, const std::function<void()>& onRecord) {
  saved_.reset();
  const FileError error = CacheWrite(document, path_, onRecord);
  if (!error.failed()) saved_ = std::make_unique<Document>(document);
  return error;
}

bool CacheStore::CollectChanges(const Document& document, std::vector<CacheByteRange>& ranges) const {
  if (!saved_ || saved_->PageCount != document.PageCount) return false;
  const bool countersChanged =
      saved_->linkCounter != document.linkCounter || saved_->boldCounter != document.boldCounter;
  std::uint64_t offset = 0;
  std::size_t changed = 0;
  for (int page = 1; page <= document.PageCount; ++page) {
    for (int line = 1; line <= kLinesPerPage; ++line) {
      const LineRecord& now = document.Line(page, line);
      const LineRecord& before = saved_->Line(page, line);
      if (now.IsInUse() != before.IsInUse()) return false;  // the records would move
      if (!now.IsInUse()) continue;
      if (now != before || document.Box(page, line).savedBytes != saved_->Box(page, line).savedBytes) {
        if (++changed > kMostChangedRecords) return false;
        CacheByteRange range{offset, std::vector<std::uint8_t>(kRecordSize)};
        EncodeLineRecord(now, CopiesOf(document, page, line), RecordBytes(range.bytes.data(), kRecordSize));
        ranges.push_back(std::move(range));
      } else if (countersChanged) {
        AddCounterRanges(document, offset, ranges);
      }
      offset += kRecordSize;
    }
  }
  return FileLength(path_) == offset;
}
