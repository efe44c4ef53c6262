#include "CacheTestSupport.h"

#include "viewer/document/RecordLayout.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using L = RecordLayout;

class CacheFileTest : public ::testing::Test {
 protected:
  TempFolder folder_;
  const std::string cache_ = folder_.File(kCacheFileName);
};

// Used slots of pages 1..PageCount only, page by page in line order; read back as they were written.
TEST_F(CacheFileTest, UsedSlotsAreWrittenInLineOrderAndReadBackByteForByte) {
  Document written = MarkedDocument();
  written.UseLine(2, 41) = TextLine(2, 41, -3);  // negative: not in use
  written.UseLine(3, 1) = TextLine(3, 1, 196);   // beyond PageCount 2
  int calls = 0;
  ASSERT_FALSE(CacheWrite(written, cache_, [&] { ++calls; }).failed());
  const Bytes file = ReadBytes(cache_);
  ASSERT_EQ(file.size(), 101u * kRecordSize);
  EXPECT_EQ(calls, 101);
  for (std::size_t i = 0; i < 100; ++i) {
    EXPECT_EQ(StoredInt32(file, i, L::kAbsoluteLine), static_cast<int>(i + 1));
    EXPECT_EQ(StoredInt32(file, i, L::kPageNumber), static_cast<int>(i / 65 + 1));
    EXPECT_EQ(LoadInt16(file.data() + i * kRecordSize + L::kLineInPage), static_cast<int>(i % 65 + 1));
  }
  EXPECT_EQ(StoredInt32(file, 100, L::kKeepRecord), 1);  // kept although absoluteLine is 0

  Document read;
  read.LineCounter = 77;
  read.LineSelection[4] = 1;
  calls = 0;
  ASSERT_TRUE(CacheRead(read, cache_, [&] { ++calls; }));
  EXPECT_EQ(calls, 101);
  for (int page = 1; page <= 2; ++page) {
    for (int line = 1; line <= kLinesPerPage; ++line) {
      if (!written.Line(page, line).IsInUse()) continue;
      ASSERT_EQ(read.Line(page, line), written.Line(page, line)) << "page " << page << " line " << line;
      ASSERT_EQ(read.Box(page, line).savedBytes, written.Box(page, line).savedBytes);
    }
  }
  EXPECT_EQ(std::tuple(read.linkCounter, read.boldCounter, read.PageCount, read.CurrentPage),
            std::tuple(-4, 2147483647, 2, 1));
  EXPECT_EQ(read.DocumentLoaded, 1);
  EXPECT_EQ(std::pair(read.LineCounter, read.LineSelection[4]), std::pair(77, 1)) << "not part of the cache";
  EXPECT_EQ(CacheBytes(read, cache_), file);
}

// A failed read leaves the previous document alone; a cache with no record on the grid is no document.
TEST_F(CacheFileTest, WhatIsNotAWholeNumberOfRecordsOnTheGridIsNotRead) {
  std::vector<std::string> paths = {folder_.File("missing.04"), folder_.File("folder.04"),
                                    folder_.File("pipe.04"), folder_.File("off-grid.04")};
  ASSERT_EQ(::mkdir(paths[1].c_str(), 0700), 0);
  ASSERT_EQ(::mkfifo(paths[2].c_str(), 0600), 0);  // a pipe must not make it wait
  WriteBytes(paths[3], EncodeRecord(TextLine(0, 2, 1)));
  const Bytes record = EncodeRecord(TextLine(1, 1, 1));
  for (const std::size_t length : {std::size_t{0}, kRecordSize - 1, 2 * kRecordSize + 1}) {
    Bytes file;
    while (file.size() < length) Append(file, record);
    file.resize(length);
    paths.push_back(folder_.File(std::to_string(length)));
    WriteBytes(paths.back(), file);
  }
  for (const std::string& path : paths) {
    Document d = LoadedText(70);
    d.CurrentPage = 2;
    d.linkCounter = 3;
    EXPECT_FALSE(CacheRead(d, path)) << path;
    EXPECT_EQ(std::tuple(d.PageCount, d.CurrentPage, d.linkCounter, d.Line(2, 5).absoluteLine),
              std::tuple(2, 2, 3, 70)) << path;
  }
}

// Records are placed by their own page and line; the counters come from record 1.
TEST_F(CacheFileTest, RecordsOffTheGridAreSkipped) {
  const std::pair<int, int> places[] = {{1, 1}, {0, 2}, {201, 1}, {2, 0}, {2, 66}, {3, 65}, {9, 70}};
  Bytes file;
  for (const auto& [page, line] : places) {
    const RecordCopies copies = file.empty() ? RecordCopies{7, -9, {}} : RecordCopies{1, 2, {}};
    Append(file, EncodeRecord(TextLine(page, line, 1), copies));
  }
  WriteBytes(cache_, file);
  Document read;
  ASSERT_TRUE(CacheRead(read, cache_));
  EXPECT_EQ(std::tuple(read.PageCount, read.linkCounter, read.boldCounter), std::tuple(3, 7, -9));
  int used = 0;
  for (int page = 1; page <= kMaxPages; ++page) {
    for (int line = 1; line <= kLinesPerPage; ++line) used += read.Line(page, line).IsInUse();
  }
  EXPECT_EQ(used, 2);
  EXPECT_TRUE(read.Line(1, 1).IsInUse() && read.Line(3, 65).IsInUse());
  const Bytes rewritten = CacheBytes(read, cache_);
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(StoredInt32(rewritten, i, L::kLinkGroup + MarkGroup::kCounter), 7);
    EXPECT_EQ(StoredInt32(rewritten, i, L::kBoldGroup + MarkGroup::kCounter), -9);
  }
}

}  // namespace
