#include "viewer/document/CacheFile.h"
#include "viewer/document/KeptDocuments.h"

#include "CacheTestSupport.h"

#include <gtest/gtest.h>

namespace {

Bytes CacheBytes(const Document& document, const std::string& path) {
  EXPECT_FALSE(CacheWrite(document, path).failed());
  return ReadBytes(path);
}

class KeptDocumentsTest : public ::testing::Test {
 protected:
  TextIdentity Text(const std::string& name, const std::string& bytes) {
    WriteFileBytes(folder.File(name), bytes);
    return IdentifyText(folder.File(name), bytes);
  }
  TempFolder folder;
  KeptDocuments store{folder.File("kept/")};
};

TEST_F(KeptDocumentsTest, AKeptDocumentComesBackAsItsCacheBytes) {
  Document document = MarkedDocument();
  document.CurrentPage = 2;
  const TextIdentity text = Text("a.txt", "a\r\n");
  ASSERT_FALSE(store.Keep(text, document, -340).failed());
  KeptDocument kept;
  ASSERT_TRUE(store.Find(text, kept));
  EXPECT_EQ(CacheBytes(kept.document, folder.File("after")), CacheBytes(document, folder.File("before")));
  EXPECT_EQ(kept.document.CurrentPage, 2);
  EXPECT_EQ(kept.viewOffset, -340);
}

TEST_F(KeptDocumentsTest, MarksAreNeverLostToACleanCopyOrAnotherText) {
  Document clean = MarkedDocument();
  clean.UseLine(1, 5) = TextLine(1, 5, 5);
  clean.UseLine(1, 6).alignment.clear();
  Document aligned = clean;
  aligned.UseLine(1, 6).alignment = "AL3";
  struct Case {
    const char* name;
    const Document* second;  // kept after the marked document, for the same text
    std::string lookedUp;    // the text's bytes when it is opened again
    bool found;
    const char* alignmentOf1_6;
  };
  const Case cases[] = {
      {"the clean copy keeps nothing", &clean, "a\r\n", true, "AL2"},
      {"an alignment is a mark", &aligned, "a\r\n", true, "AL3"},
      {"a changed text is not offered the old marks", nullptr, "a changed\r\n", false, ""},
  };
  for (const Case& c : cases) {
    std::filesystem::remove_all(folder.File("kept"));
    const TextIdentity text = Text("a.txt", "a\r\n");
    ASSERT_FALSE(store.Keep(text, MarkedDocument(), 0).failed());
    if (c.second) {
      ASSERT_FALSE(store.Keep(text, *c.second, 0).failed());
    }
    KeptDocument kept;
    EXPECT_EQ(store.Find(Text("a.txt", c.lookedUp), kept), c.found) << c.name;
    if (c.found) {
      EXPECT_EQ(kept.document.Line(1, 6).alignment, c.alignmentOf1_6) << c.name;
    }
    EXPECT_FALSE(store.Find(Text("b.txt", "a\r\n"), kept)) << c.name << ": same bytes, other file";
  }
}

TEST_F(KeptDocumentsTest, TheOldestLeaveFirstPastTheBound) {
  const std::uint64_t one = EncodeKeptDocument(Text("0.txt", "0"), MarkedDocument(), 0).size();
  struct Case {
    KeptLimits limits;
    int kept;
  };
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
