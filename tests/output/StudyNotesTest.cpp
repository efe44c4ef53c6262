// The marks of a document as a Markdown revision sheet and as PDF outline titles: what a page shows and
// what Markdown would misread (the sheet and the outline of every kind of mark are checked through the driver).
#include "tests/MarkedDocuments.h"
#include "texts/TextSet.h"
#include "viewer/output/PdfOutline.h"
#include "viewer/output/StudyNotes.h"

#include <gtest/gtest.h>

namespace {

// One marked line `text` on page 1 of a two-page document, `mark` setting its lists.
Document OneLine(const std::string& text, const std::function<void(LineRecord&)>& mark) {
  Document document = LoadedText(130);
  LineRecord& record = PutLine(document, 1, 4, text);
  record.hasMarks = 1;
  mark(record);
  return document;
}

std::string WithCrLf(const std::string& text) {
  std::string out;
  for (const char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return out;
}

class StudyNotes : public ::testing::Test {
 protected:
  void SetUp() override { InstallTextSet(EnglishTexts()); }
};

TEST_F(StudyNotes, SheetsShowEveryMarkAsThePageShowsIt) {
  const std::string underlineAll = "4,3,200;";
  const struct {
    const char* what;
    Document document;
    std::string title;
    std::string sheet;
  } cases[] = {
      {"Markdown's own characters, a block starting like a list",
       OneLine("1. <b> & a_b *c* [d] `e` \\f", [&](LineRecord& r) { r.horizontalMarks = underlineAll; }), "# my_notes",
       "# \\# my\\_notes\n\n## <a id=\"pagina-1\"></a>Page 1\n\n- 1\\. &lt;b> &amp; a\\_b \\*c\\* \\[d\\] \\`e\\` \\\\f\n"},
      {"bullets as symbols, icons as nothing, Windows-1252 as UTF-8",
       OneLine("\\$1 caf\xE9 \\#07 na\xEFve", [&](LineRecord& r) { r.horizontalMarks = underlineAll; }), "t",
       "# t\n\n## <a id=\"pagina-1\"></a>Page 1\n\n- \u25A0 caf\u00E9  na\u00EFve\n"},
      {"only the 93 printed characters", OneLine(std::string(90, 'a') + "bcdefgh", [&](LineRecord& r) { r.boldPieces = "4,94,110;"; r.hasBold = 1; }),
       "t", "# t\n\n## <a id=\"pagina-1\"></a>Page 1\n\n- **bcd**\n"},
      {"marks the page does not show, and pieces over blanks", OneLine("  centred text", [&](LineRecord& r) {
         r.alignment = "AL2";
         r.horizontalMarks = underlineAll;
       }), "t", "# t\n\nThis text has no marks.\n"},
      {"a reversed piece, a piece past the text, a bold list without its flag",
       OneLine("short", [&](LineRecord& r) { r.twoColourPieces = "4,8,4,0,0;4,20,30,0,0;"; r.boldPieces = "4,4,8;"; }), "t",
       "# t\n\nThis text has no marks.\n"},
      {"a link to a page without marks: no heading to lead to",
       OneLine("see more", [&](LineRecord& r) { r.linkPieces = "4,8,11,1E1;"; r.linkTargets = "2,1E1;"; r.hasLinks = 1; }),
       "t", "# t\n\n## <a id=\"pagina-1\"></a>Page 1\n\n- more \u2192 page 2\n"},
      {"no marks at all", LoadedText(65), "notes", "# notes\n\nThis text has no marks.\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(StudyNotesMarkdown(c.document, c.title), WithCrLf(c.sheet)) << c.what;
}

TEST_F(StudyNotes, NamesComeFromTheText) {
  EXPECT_EQ(StudyNotesFileName("water-cycle.txt"), "water-cycle - notes.md");
  EXPECT_EQ(StudyNotesTitle("water-cycle.txt"), "water-cycle");
  EXPECT_EQ(StudyNotesFileName(""), "Study notes.md") << "a document whose text is not known";
  EXPECT_EQ(StudyNotesTitle(""), "Study notes");
}

TEST_F(StudyNotes, OutlineTitlesHoldAtMostSixtyCharacters) {
  const std::string e = "\u00E9";
  std::string sixty, cut;
  for (int i = 0; i < 60; ++i) sixty += e;
  for (int i = 0; i < 59; ++i) cut += e;
  const std::string sixtyOne = sixty + e;
  EXPECT_EQ(OutlineTitle(sixty), sixty);
  EXPECT_EQ(OutlineTitle(sixtyOne), cut + "\u2026");
  EXPECT_EQ(OutlineTitle("a\nb\n\nc"), "a b c") << "a bar's lines side by side";
}

}  // namespace
