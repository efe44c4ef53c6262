#include "viewer/document/KeptDocuments.h"
#include "viewer/document/TextLink.h"

#include "CacheTestSupport.h"

#include <zlib.h>

#include <gtest/gtest.h>

namespace {

class KeptDocumentsTest : public ::testing::Test {
 protected:
  TextIdentity Text(const std::string& name, const std::string& bytes) {
    WriteFileBytes(folder.File(name), bytes);
    return IdentifyText(folder.File(name), bytes);
  }
  // The versions offered for `text`, newest first, by the line they mark at (1, 6).
  std::vector<std::string> Offered(const TextIdentity& text, const Document& laidOut) {
    std::vector<std::string> alignments;
    const std::uint64_t layout = DocumentTextDigest(laidOut);
    for (const std::string& path : store.Versions(text, layout)) {
      KeptDocument kept;
      alignments.push_back(store.Read(path, text, layout, kept) ? kept.document.Line(1, 6).alignment : "damaged");
    }
    return alignments;
  }
  static Document Aligned(const std::string& alignment) {
    Document document = MarkedDocument();
    document.UseLine(1, 6).alignment = alignment;
    return document;
  }
  TempFolder folder;
  KeptDocuments store{folder.File("kept/")};
};

TEST_F(KeptDocumentsTest, AKeptDocumentComesBackAndItsMarksAreNeverLost) {
  Document marked = MarkedDocument();
  marked.CurrentPage = 2;
  const TextIdentity text = Text("a.txt", "a\r\n");
  ASSERT_FALSE(store.Keep(text, marked, -340, 1796655900).failed());
  const std::vector<std::string> versions = store.Versions(text, DocumentTextDigest(marked));
  KeptDocument kept;
  ASSERT_TRUE(versions.size() == 1 && store.Read(versions[0], text, DocumentTextDigest(marked), kept));
  EXPECT_EQ(CacheBytes(kept.document, folder.File("after")), CacheBytes(marked, folder.File("before")));
  EXPECT_EQ(std::tuple(kept.document.CurrentPage, kept.viewOffset, kept.keptAt), std::tuple(2, -340, 1796655900));
  EXPECT_EQ(CountReaderMarks(kept.document), 7) << "two underlines, a two-colour, a vertical, a link, a bold, an alignment";
}

// Each step keeps one document; then the versions offered for a text, newest first.
TEST_F(KeptDocumentsTest, EveryKeepAddsAVersionAndNoneIsLost) {
  const TextIdentity a = Text("a.txt", "a\r\n"), b = Text("b.txt", "a\r\n"), changed = Text("c.txt", "c\r\n");
  Document clean = MarkedDocument();
  clean.UseLine(1, 5) = TextLine(1, 5, 5);
  clean.UseLine(1, 6).alignment.clear();
  Document otherLines = Aligned("AL1");
  otherLines.UseLine(2, 3).text = "another text";
  Document changedLines = MarkedDocument();
  changedLines.UseLine(2, 4).text = "changed";
  struct Step { TextIdentity text; Document document; };
  const Step steps[] = {{a, Aligned("AL1")}, {a, clean}, {a, Aligned("AL2")}, {a, Aligned("AL1")},
                        {TextIdentity{}, Aligned("AL3")}, {TextIdentity{}, otherLines}};
  for (int i = 0; i < 6; ++i) ASSERT_FALSE(store.Keep(steps[i].text, steps[i].document, 0, 1000 + i).failed());
  struct Case { const char* name; TextIdentity text; Document laidOut; std::vector<std::string> offered; };
  const Case cases[] = {
      {"the same marks are kept once, the text not known is found by its lines", a, MarkedDocument(),
       {"AL3", "AL1", "AL2"}},
      {"same bytes, other file: only the one not known", b, MarkedDocument(), {"AL3"}},
      {"other lines: only the one not known that lays them out", b, otherLines, {"AL1"}},
      {"a changed text is offered no old marks", changed, changedLines, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(Offered(c.text, c.laidOut), c.offered) << c.name;
}

TEST_F(KeptDocumentsTest, TheOldestLeaveFirstPastTheBound) {
  const std::uint64_t one = EncodeKeptDocument(EncodeKeptPlain(Text("0.txt", "0"), MarkedDocument(), 0, 0))->size();
  struct Case { KeptLimits limits; int kept; };
  for (const Case& c : {Case{{1ull << 30, 3}, 3}, Case{{one * 4 + 64, 100}, 4}}) {
    std::filesystem::remove_all(folder.File("kept"));
    KeptDocuments bounded(folder.File("kept/"), c.limits);
    for (int i = 0; i < 30; ++i) {
      // One text: every keep is a version, and the clock stands still.
      ASSERT_FALSE(bounded.Keep(Text("0.txt", "0"), Aligned("AL" + std::to_string(i)), 0, 5).failed());
    }
    std::vector<std::string> newest;
    for (int i = 29; i >= 30 - c.kept; --i) newest.push_back("AL" + std::to_string(i));
    store = bounded;
    EXPECT_EQ(Offered(Text("0.txt", "0"), MarkedDocument()), newest);
  }
}

TEST_F(KeptDocumentsTest, AFailedPackingIsAFailedKeep) {
  store.SetPacker([](std::string&, std::string_view) { return Z_MEM_ERROR; });
  EXPECT_TRUE(store.Keep(Text("a.txt", "a"), MarkedDocument(), 0, 0).failed());
  EXPECT_TRUE(store.Versions(Text("a.txt", "a"), DocumentTextDigest(MarkedDocument())).empty());
}

TEST_F(KeptDocumentsTest, DamagedFilesAreIgnored) {
  const std::string good = *EncodeKeptDocument(EncodeKeptPlain(Text("a.txt", "a"), MarkedDocument(), 0, 7));
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
      EXPECT_EQ(EncodeKeptDocument(EncodeKeptPlain(kept.text, kept.document, kept.viewOffset, kept.keptAt)), good)
          << "byte " << at;
    }
  }
  EXPECT_FALSE(DecodeKeptDocument(good + "x", kept));
  // Lines the cache would not give back as they are kept.
  struct Case { const char* name; void (*damage)(LineRecord&); };
  const Case lines[] = {
      {"page number of another page", [](LineRecord& r) { r.pageNumber = 2; }},
      {"line number of another line", [](LineRecord& r) { r.lineInPage = 6; }},
      {"a NUL in the text", [](LineRecord& r) { r.text = std::string("Li\0ne", 5); }},
      {"a NUL in a mark list", [](LineRecord& r) { r.boldPieces = std::string("5,4,8;\0", 7); }},
  };
  for (const Case& c : lines) {
    Document document = MarkedDocument();
    c.damage(document.UseLine(1, 5));
    EXPECT_FALSE(DecodeKeptPlain(EncodeKeptPlain(Text("a.txt", "a"), document, 0, 0), kept)) << c.name;
  }
}

// The link names a text only for the document that text laid out, whatever the file beside cache.04 holds.
TEST_F(KeptDocumentsTest, TheLinkNamesOnlyTheTextOfTheDocumentItself) {
  const TextIdentity text = Text("a.txt", "a");
  const Document document = MarkedDocument(), other = LoadedText(30);
  struct Case { const char* name; std::string file; const Document& read; bool known; };
  const Case cases[] = {
      {"its own link", EncodeTextLink(text, DocumentTextDigest(document)), document, true},
      {"no link", "", document, false},
      {"a link left by the document before", EncodeTextLink(text, DocumentTextDigest(other)), document, false},
      {"damaged", EncodeTextLink(text, DocumentTextDigest(document)).substr(1), document, false},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(folder.File("link"));
    if (!c.file.empty()) WriteFileBytes(folder.File("link"), c.file);
    TextLink link;
    link.SetPath(folder.File("link"));
    link.Read(c.read);
    EXPECT_EQ(link.TextOf(c.read).known(), c.known) << c.name;
  }
  TextLink link;
  link.SetPath(folder.File("written"));
  link.Bind(text, document);
  EXPECT_FALSE(link.TextOf(other).known()) << "an Undo that read back the text before";
  EXPECT_FALSE(link.Write(other).failed());
  EXPECT_FALSE(std::filesystem::exists(folder.File("written"))) << "never written for another document";
  EXPECT_FALSE(link.Write(document).failed());
  link = TextLink();
  link.SetPath(folder.File("written"));
  link.Read(document);
  EXPECT_EQ(link.TextOf(document), text);
}

}  // namespace
