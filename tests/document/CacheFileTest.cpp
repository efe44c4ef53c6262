#include "CacheTestSupport.h"

#include "viewer/document/CacheFile.h"
#include "viewer/document/RecordLayout.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <random>
#include <utility>
#include <vector>

namespace {

using L = RecordLayout;

// Every slot the cache of `written` holds is in `read` unchanged.
void ExpectSameSlots(const Document& written, const Document& read) {
  for (int page = 1; page <= written.PageCount; ++page) {
    for (int line = 1; line <= kLinesPerPage; ++line) {
      const LineRecord& original = written.Line(page, line);
      if (!original.IsInUse()) continue;
      ASSERT_EQ(read.Line(page, line), original) << "page " << page << " line " << line;
      ASSERT_EQ(read.Box(page, line).savedBytes, written.Box(page, line).savedBytes);
    }
  }
}

class CacheFileTest : public ::testing::Test {
 protected:
  TempFolder folder_;
  const std::string cache_ = folder_.File(kCacheFileName);
};

// Used slots of pages 1..PageCount only, page by page in line order.
TEST_F(CacheFileTest, UsedSlotsAreWrittenAsRecordsInLineOrder) {
  Document document = LoadedText(2 * 65 + 10);
  document.UseLine(3, 20) = TextLine(3, 20, -3);  // negative: not in use
  document.UseLine(3, 21).keepRecord = 1;         // kept although absoluteLine is 0
  document.UseLine(4, 1) = TextLine(4, 1, 196);   // beyond PageCount 3
  int calls = 0;
  ASSERT_FALSE(CacheWrite(document, cache_, [&] { ++calls; }).failed());
  const Bytes file = ReadBytes(cache_);
  ASSERT_EQ(file.size(), 141u * kRecordSize);
  EXPECT_EQ(calls, 141);
  for (std::size_t i = 0; i < 140; ++i) {
    EXPECT_EQ(StoredInt32(file, i, L::kAbsoluteLine), static_cast<int>(i + 1));
    EXPECT_EQ(StoredInt32(file, i, L::kPageNumber), static_cast<int>(i / 65 + 1));
    EXPECT_EQ(LoadInt16(file.data() + i * kRecordSize + L::kLineInPage), static_cast<int>(i % 65 + 1));
  }
  EXPECT_EQ(StoredInt32(file, 140, L::kKeepRecord), 1);
}

TEST_F(CacheFileTest, WriteThenReadRestoresEveryUsedSlotByteForByte) {
  const Document written = MarkedDocument();
  ASSERT_FALSE(CacheWrite(written, cache_).failed());
  const Bytes firstFile = ReadBytes(cache_);

  Document read;
  read.LineCounter = 77;
  read.LineSelection[4] = 1;
  int calls = 0;
  ASSERT_TRUE(CacheRead(read, cache_, [&] { ++calls; }));
  EXPECT_EQ(calls, 101);
  ExpectSameSlots(written, read);
  EXPECT_EQ(read.linkCounter, -4);
  EXPECT_EQ(read.boldCounter, 2147483647);
  EXPECT_EQ(read.PageCount, 2);
  EXPECT_EQ(read.CurrentPage, 1);
  EXPECT_EQ(read.DocumentLoaded, 1);
  EXPECT_EQ(read.LineCounter, 77);  // not part of the cache
  EXPECT_EQ(read.LineSelection[4], 1);

  ASSERT_FALSE(CacheWrite(read, cache_).failed());
  EXPECT_EQ(ReadBytes(cache_), firstFile);
}

// What a failed read must leave alone.
Document PreviousDocument() {
  Document document = LoadedText(70);
  document.CurrentPage = 2;
  document.linkCounter = 3;
  return document;
}

void ExpectPreviousDocument(const Document& document) {
  EXPECT_EQ(document.PageCount, 2);
  EXPECT_EQ(document.CurrentPage, 2);
  EXPECT_EQ(document.linkCounter, 3);
  EXPECT_EQ(document.Line(2, 5).absoluteLine, 70);
}

TEST_F(CacheFileTest, WhatIsNotAWholeNumberOfRecordsIsNotRead) {
  std::vector<std::string> paths = {folder_.File("missing.04"), folder_.File("folder.04"),
                                    folder_.File("pipe.04")};
  ASSERT_EQ(::mkdir(paths[1].c_str(), 0700), 0);
  ASSERT_EQ(::mkfifo(paths[2].c_str(), 0600), 0);  // a pipe must not make it wait
  const Bytes record = EncodeRecord(TextLine(1, 1, 1));
  for (const std::size_t length : {std::size_t{0}, std::size_t{1}, kRecordSize - 1, kRecordSize + 1,
                                   2 * kRecordSize - 1, 2 * kRecordSize + 1}) {
    Bytes file;
    while (file.size() < length) Append(file, record);
    file.resize(length);
    paths.push_back(folder_.File(std::to_string(length)));
    WriteBytes(paths.back(), file);
  }
  for (const std::string& path : paths) {
    Document document = PreviousDocument();
    EXPECT_FALSE(CacheRead(document, path)) << path;
    ExpectPreviousDocument(document);
  }
}

// Records are placed by their own page and line; the counters come from record 1.
TEST_F(CacheFileTest, RecordsOffTheGridAreSkipped) {
  const std::vector<std::pair<int, int>> places = {
      {1, 1}, {0, 2}, {201, 1}, {-5, 3}, {2, 0}, {2, 66}, {2, -1}, {3, 65}, {9, 70}};
  Bytes file;
  for (const auto& [page, line] : places) {
    const RecordCopies copies = file.empty() ? RecordCopies{7, -9, {}} : RecordCopies{1, 2, {}};
    Append(file, EncodeRecord(TextLine(page, line, 1), copies));
  }
  WriteBytes(cache_, file);
  Document read;
  ASSERT_TRUE(CacheRead(read, cache_));
  EXPECT_EQ(read.PageCount, 3);  // the page of the last record placed
  EXPECT_EQ(read.linkCounter, 7);
  EXPECT_EQ(read.boldCounter, -9);
  int used = 0;
  for (int page = 1; page <= kMaxPages; ++page) {
    for (int line = 1; line <= kLinesPerPage; ++line) used += read.Line(page, line).IsInUse();
  }
  EXPECT_EQ(used, 2);
  EXPECT_TRUE(read.Line(1, 1).IsInUse());
  EXPECT_TRUE(read.Line(3, 65).IsInUse());
  ASSERT_FALSE(CacheWrite(read, cache_).failed());
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(StoredInt32(ReadBytes(cache_), i, L::kLinkGroup + MarkGroup::kCounter), 7);
    EXPECT_EQ(StoredInt32(ReadBytes(cache_), i, L::kBoldGroup + MarkGroup::kCounter), -9);
  }

  // A cache with no record on the grid is no document.
  file.erase(file.begin(), file.begin() + kRecordSize);
  file.resize(file.size() - 2 * kRecordSize);
  WriteBytes(cache_, file);
  Document document = PreviousDocument();
  EXPECT_FALSE(CacheRead(document, cache_));
  ExpectPreviousDocument(document);
}

TEST_F(CacheFileTest, RandomBytesAreReadSafelyAndRewrittenStably) {
  std::mt19937 random(2024);
  for (int round = 0; round < 4; ++round) {
    Bytes file(30 * kRecordSize);
    for (auto& byte : file) byte = static_cast<std::uint8_t>(random());
    for (std::size_t i = 0; i < 30; i += 3) {  // a third of them land on the grid
      StoreInt32(file.data() + i * kRecordSize + L::kPageNumber,
                 static_cast<std::int32_t>(1 + random() % 200));
      StoreInt16(file.data() + i * kRecordSize + L::kLineInPage,
                 static_cast<std::int16_t>(1 + random() % 65));
    }
    WriteBytes(cache_, file);
    Document read;
    ASSERT_TRUE(CacheRead(read, cache_));
    ASSERT_TRUE(IsPageInRange(read.PageCount));

    ASSERT_FALSE(CacheWrite(read, cache_).failed());
    const Bytes once = ReadBytes(cache_);
    Document again;
    ASSERT_TRUE(CacheRead(again, cache_));
    ExpectSameSlots(read, again);
    ASSERT_FALSE(CacheWrite(again, cache_).failed());
    EXPECT_EQ(ReadBytes(cache_), once);
  }
}

}  // namespace
