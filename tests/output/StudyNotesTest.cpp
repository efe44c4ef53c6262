// The marks of a document as a Markdown revision sheet and as a PDF outline.
#include "tests/MarkedDocuments.h"
#include "texts/TextSet.h"
#include "viewer/output/PdfOutline.h"
#include "viewer/output/StudyNotes.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// The first and last column of `word` on a line reading `text` (character i sits in column i + 3).
std::pair<int, int> Columns(const std::string& text, const std::string& word) {
  const int first = static_cast<int>(text.find(word)) + 4;
  return {first, first + static_cast<int>(word.size()) - 1};
}

std::string Entry(int line, std::pair<int, int> columns, const std::string& rest = "") {
  return std::to_string(line) + "," + std::to_string(columns.first) + "," + std::to_string(columns.second) + rest + ";";
}

const std::string kLine3 = "Water evaporates when the sun heats the sea.";

// Page 2 carries every kind of mark, page 5 links back; six pages in all.
Document EveryKind() {
  Document document = LoadedText(6 * 65);
  PutLine(document, 2, 1, "  Chapter 2").horizontalMarks = "1,5,14;";  // from its first letter to its end
  LineRecord& three = PutLine(document, 2, 3, kLine3);
  three.horizontalMarks = Entry(3, {Columns(kLine3, "heats the sea").first - 1, Columns(kLine3, "heats the sea").second});
  three.boldPieces = Entry(3, Columns(kLine3, "Water"));
  three.twoColourPieces = Entry(3, Columns(kLine3, "sun"), ",255,65535");
  three.linkPieces = Entry(3, Columns(kLine3, "evaporates"), ",1E1");
  three.linkTargets = "5,1E1;";
  three.hasBold = three.hasLinks = 1;
  PutLine(document, 2, 6, "Clouds form").verticalMarks = "6,7;";
  PutLine(document, 2, 7, "   and rain falls.");
  LineRecord& back = PutLine(document, 5, 2, "back onwards");
  back.linkPieces = Entry(2, {4, 7}, ",1E2") + Entry(2, {9, 15}, ",1E3");
  back.linkTargets = "2,1E2;3,1E3;";
  back.hasLinks = 1;
  for (const auto& [page, line] : {std::pair{2, 1}, {2, 3}, {2, 6}, {5, 2}}) document.UseLine(page, line).hasMarks = 1;
  return document;
}

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
      {"every kind, in reading order; a link to a page without marks is not linked", EveryKind(), "water-cycle",
       "# water-cycle\n\n## <a id=\"pagina-2\"></a>Page 2\n\n- Chapter 2\n- **Water**\n"
       "- evaporates [\u2192 page 5](#pagina-5)\n- ==sun==\n- heats the sea\n- > Clouds form  \n  > and rain falls.\n\n"
       "## <a id=\"pagina-5\"></a>Page 5\n\n- back [\u2192 page 2](#pagina-2)\n- onwards \u2192 page 3\n"},
      {"Markdown's own characters", OneLine("1. <b> & a_b *c* [d] `e` \\f", [&](LineRecord& r) { r.horizontalMarks = underlineAll; }),
       "# my_notes", "# \\# my\\_notes\n\n## <a id=\"pagina-1\"></a>Page 1\n\n"
       "- 1\\. &lt;b> &amp; a\\_b \\*c\\* \\[d\\] \\`e\\` \\\\f\n"},
      {"a line starting like a heading or a list", OneLine("- # x", [&](LineRecord& r) { r.horizontalMarks = underlineAll; }),
       "t", "# t\n\n## <a id=\"pagina-1\"></a>Page 1\n\n- \\- # x\n"},
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

// The A4 sheet is 842 points high (as PDF readers report it); a line is 16 pixels of 3/4 point.
double LineTop(int line) { return 842 - (line - 1) * 12.0; }

TEST_F(StudyNotes, TheOutlineListsMarkedPagesAndTheirMarksAtTheirLines) {
  const std::vector<PdfOutlineEntry> outline = MarkOutline(EveryKind(), {2, 6}, A4Sheet());
  ASSERT_EQ(outline.size(), 2u);
  const struct { std::string title; int sheet, line; } pages[] = {{"Page 2", 0, 1}, {"Page 5", 3, 1}};
  const std::vector<std::vector<std::pair<std::string, int>>> marks = {
      {{"Chapter 2", 1}, {"Water", 3}, {"evaporates", 3}, {"sun", 3}, {"heats the sea", 3}, {"Clouds form and rain falls.", 6}},
      {{"back", 2}, {"onwards", 2}}};
  for (std::size_t p = 0; p < 2; ++p) {
    EXPECT_EQ(outline[p].title, pages[p].title);
    EXPECT_EQ(outline[p].sheet, pages[p].sheet);
    EXPECT_NEAR(outline[p].top, LineTop(1), 0.01);
    ASSERT_EQ(outline[p].children.size(), marks[p].size()) << pages[p].title;
    for (std::size_t m = 0; m < marks[p].size(); ++m) {
      const PdfOutlineEntry& entry = outline[p].children[m];
      EXPECT_EQ(entry.title, marks[p][m].first);
      EXPECT_EQ(entry.sheet, pages[p].sheet);
      EXPECT_NEAR(entry.top, LineTop(marks[p][m].second), 0.01) << entry.title;
      EXPECT_TRUE(entry.children.empty());
    }
  }
  EXPECT_TRUE(MarkOutline(EveryKind(), {3, 4}, A4Sheet()).empty()) << "pages without marks";
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
