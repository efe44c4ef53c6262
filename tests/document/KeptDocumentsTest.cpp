#include "viewer/document/KeptDocuments.h"

#include "CacheTestSupport.h"

#include <gtest/gtest.h>

namespace {

class KeptDocumentsTest : public ::testing::Test {
 protected:
  TextIdentity Text(const std::string& name, const std::string& bytes) {
    WriteFileBytes(folder.File(name), bytes);
    return IdentifyText(folder.File(name), bytes);
  }
  TempFolder folder;
  KeptDocuments store{folder.File("kept/")};
};

TEST_F(KeptDocumentsTest, AKeptDocumentComesBackAndItsMarksAreNeverLost) {
  Document marked = MarkedDocument();
  marked.CurrentPage = 2;
  const TextIdentity text = Text("a.txt", "a\r\n");
  ASSERT_FALSE(store.Keep(text, marked, -340).failed());
  KeptDocument kept;
  ASSERT_TRUE(store.Find(text, kept));
  EXPECT_EQ(CacheBytes(kept.document, folder.File("after")), CacheBytes(marked, folder.File("before")));
  EXPECT_EQ(std::pair(kept.document.CurrentPage, kept.viewOffset), std::pair(2, -340));
  EXPECT_FALSE(store.Find(Text("b.txt", "a\r\n"), kept)) << "same bytes, other file";

  Document clean = MarkedDocument();
  clean.UseLine(1, 5) = TextLine(1, 5, 5);
  clean.UseLine(1, 6).alignment.clear();
  ASSERT_FALSE(store.Keep(text, clean, 0).failed());
  ASSERT_TRUE(store.Find(text, kept));
  EXPECT_EQ(kept.document.Line(1, 6).alignment, "AL2") << "the clean copy keeps nothing";
  clean.UseLine(1, 6).alignment = "AL3";
  ASSERT_FALSE(store.Keep(text, clean, 0).failed());
  ASSERT_TRUE(store.Find(text, kept));
  EXPECT_EQ(kept.document.Line(1, 6).alignment, "AL3") << "an alignment is a mark";
  EXPECT_FALSE(store.Find(Text("a.txt", "a changed\r\n"), kept)) << "a changed text is offered no old marks";
}

TEST_F(KeptDocumentsTest, TheOldestLeaveFirstPastTheBound) {
  const std::uint64_t one = EncodeKeptDocument(Text("0.txt", "0"), MarkedDocument(), 0).size();
  struct Case { KeptLimits limits; int kept; };
  for (const Case& c : {Case{{1ull << 30, 3}, 3}, Case{{one * 4 + 64, 100}, 4}}) {
    std::filesystem::remove_all(folder.File("kept"));
    KeptDocuments bounded(folder.File("kept/"), c.limits);
    for (int i = 0; i < 30; ++i) {
      ASSERT_FALSE(bounded.Keep(Text(std::to_string(i) + ".txt", "0"), MarkedDocument(), 0).failed());
    }
    KeptDocument kept;
    for (int i = 0; i < 30; ++i) {
      EXPECT_EQ(bounded.Find(Text(std::to_string(i) + ".txt", "0"), kept), i >= 30 - c.kept) << i;
    }
  }
}

TEST_F(KeptDocumentsTest, DamagedFilesAreIgnored) {
  const std::string good = EncodeKeptDocument(Text("a.txt", "a"), MarkedDocument(), 0);
  KeptDocument kept;
  ASSERT_TRUE(DecodeKeptDocument(good, kept));
  for (std::size_t cut = 0; cut < good.size(); ++cut) {
    EXPECT_FALSE(DecodeKeptDocument(good.substr(0, cut), kept)) << "cut at " << cut;
  }
  for (std::size_t at = 0; at < good.size(); ++at) {
    std::string damaged = good;
    damaged[at] = static_cast<char>(damaged[at] ^ 0x10);
    // A flip in the last byte's unused bits may leave the same document.
    if (DecodeKeptDocument(damaged, kept)) {
      EXPECT_EQ(EncodeKeptDocument(kept.text, kept.document, kept.viewOffset), good) << "byte " << at;
    }
  }
  EXPECT_FALSE(DecodeKeptDocument(good + "x", kept));
}

}  // namespace
