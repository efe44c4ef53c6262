#include "viewer/document/CacheJournal.h"
#include "viewer/document/CacheStore.h"

#include "CacheTestSupport.h"
#include "platform/SafeWrite.h"

#include <gtest/gtest.h>

namespace {

class CacheStoreTest : public ::testing::Test {
 protected:
  void TearDown() override { SetWriteFailureAfterBytes(-1); }
  Bytes WholeWrite(const Document& document) { return CacheBytes(document, folder.File("reference")); }

  TempFolder folder;
  std::string cache = folder.File("cache.04");
};

TEST_F(CacheStoreTest, ChangesWrittenInPlaceGiveTheBytesOfAWholeWrite) {
  CacheStore store(cache);
  Document document = LoadedText(2 * 65 + 10);
  ASSERT_FALSE(store.Save(document).failed());
  struct Step { const char* name; void (*change)(Document&); };
  const Step steps[] = {
      {"a mark on page 2", [](Document& d) { d.UseLine(2, 5).horizontalMarks = "5,9,14;"; }},
      {"marks on two pages", [](Document& d) { d.UseLine(1, 1).hasMarks = 1, d.UseLine(3, 10).alignment = "AL2"; }},
      {"a link moves the counter in every record",
       [](Document& d) { d.linkCounter = 7, d.UseLine(1, 2).linkTargets = "3,1E7;"; }},
      {"a two-colour piece and a vertical mark", [](Document& d) {
         d.UseLine(1, 3).twoColourPieces = "3,4,9,255,65280;", d.UseLine(2, 9).verticalMarks = "9,12;";
       }},
      {"a link piece", [](Document& d) { d.UseLine(2, 6).linkPieces = "6,5,9,1E7;", d.UseLine(2, 6).hasLinks = 1; }},
      {"a bold piece moves its counter in every record", [](Document& d) {
         d.boldCounter = 0x01020304;
         d.UseLine(3, 1).boldPieces = "1,4,8;", d.UseLine(3, 1).hasBold = 1;
       }},
      {"both counters at once", [](Document& d) { d.linkCounter = -2, d.boldCounter = 2147483647; }},
      {"no change at all", [](Document&) {}},
      {"a line more", [](Document& d) { PutLine(d, 3, 11, "new"); }},
      {"a line less", [](Document& d) { d.UseLine(3, 11) = {}; }},
  };
  for (const Step& step : steps) {
    step.change(document);
    ASSERT_FALSE(store.Save(document).failed()) << step.name;
    EXPECT_EQ(ReadBytes(cache), WholeWrite(document)) << step.name;
    EXPECT_FALSE(std::filesystem::exists(CacheJournalPath(cache))) << step.name;
  }
  Document restored;
  ASSERT_TRUE(store.Restore(restored));
  EXPECT_EQ(restored.Line(3, 10).alignment, "AL2");
  EXPECT_EQ(std::pair(restored.linkCounter, restored.boldCounter), std::pair(-2, 2147483647));
}

// After a failed save, or when the file is not as the store left it, the next save writes the file whole.
TEST_F(CacheStoreTest, AFileNotAsTheStoreLeftItIsWrittenWhole) {
  CacheStore store(cache);
  Document document = LoadedText(2 * 65);
  ASSERT_FALSE(store.Save(document).failed());
  document.UseLine(1, 4).horizontalMarks = "4,9,14;";
  SetWriteFailureAfterBytes(100);
  EXPECT_EQ(store.Save(document).number, ENOSPC);
  SetWriteFailureAfterBytes(-1);
  ASSERT_FALSE(store.Save(document).failed());
  EXPECT_EQ(ReadBytes(cache), WholeWrite(document));

  std::filesystem::remove(cache);
  document.UseLine(1, 1).text = "changed";
  ASSERT_FALSE(store.Save(document).failed());
  EXPECT_EQ(ReadBytes(cache), WholeWrite(document));

  // A hand-made file: its second record carries other counters.
  Bytes file;
  Append(file, EncodeRecord(TextLine(1, 1, 1), {5, 0, {}}));
  Append(file, EncodeRecord(TextLine(1, 2, 2), {9, 0, {}}));
  WriteBytes(cache, file);
  Document loaded;
  ASSERT_TRUE(store.Load(loaded));
  loaded.UseLine(1, 1).hasMarks = 1;
  ASSERT_FALSE(store.Save(loaded).failed());
  EXPECT_EQ(ReadBytes(cache), WholeWrite(loaded));
}

TEST_F(CacheStoreTest, AJournalLeftByAKillIsCompletedOrDropped) {
  CacheStore store(cache);
  Document before = LoadedText(2 * 65);
  ASSERT_FALSE(store.Save(before).failed());
  const Bytes old = ReadBytes(cache);
  Document after = before;
  after.UseLine(2, 3).horizontalMarks = "3,9,14;";
  const Bytes expected = WholeWrite(after);
  const std::uint64_t offset = (65 + 2) * kRecordSize;
  const Bytes journal = EncodeCacheJournal(old.size(), {{offset, Slice(expected, offset, kRecordSize)}});

  // Killed after the journal, half way through the record: completed.
  Bytes half = old;
  for (std::size_t i = offset; i < offset + kRecordSize / 2; ++i) half[i] = expected[i];
  WriteBytes(cache, half);
  WriteBytes(CacheJournalPath(cache), journal);
  Document read;
  ASSERT_TRUE(CacheRead(read, cache));
  EXPECT_EQ(ReadBytes(cache), expected);
  EXPECT_EQ(read.Line(2, 3).horizontalMarks, "3,9,14;");
  EXPECT_FALSE(std::filesystem::exists(CacheJournalPath(cache)));

  // Killed while the journal was written, or a journal from elsewhere: it is dropped.
  std::vector<Bytes> damaged = {Slice(journal, 0, 3), Slice(journal, 0, journal.size() / 2),
                                Slice(journal, 0, journal.size() - 1), journal,
                                EncodeCacheJournal(old.size(), {{old.size() - 2, Bytes(5, 7)}})};
  damaged[3][journal.size() / 2] ^= 1;  // its checksum no longer matches
  for (std::size_t i = 0; i < damaged.size(); ++i) {
    WriteBytes(cache, old);
    WriteBytes(CacheJournalPath(cache), damaged[i]);
    ASSERT_TRUE(CacheRead(read, cache));
    EXPECT_EQ(ReadBytes(cache), old) << i;
    EXPECT_FALSE(std::filesystem::exists(CacheJournalPath(cache)));
  }
}

}  // namespace
