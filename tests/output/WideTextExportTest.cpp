// Texts written for other readers come out whole: every character of a file is on its pages, in order.
#include "tests/output/OutputProgram.h"

#include <algorithm>

namespace {

using WideTexts = OutputProgram;

// The characters of a text that are not blanks, tabs, line ends, form feeds or other control characters.
std::string Visible(const std::string& text) {
  std::string out;
  std::copy_if(text.begin(), text.end(), std::back_inserter(out),
               [](char c) { return static_cast<unsigned char>(c) > 0x20 && c != 0x7F; });
  return out;
}

std::string Paragraphs(int count) {
  const char* words[] = {"reading", "a", "note", "written", "by", "someone", "without", "line", "breaks", "is", "fine"};
  std::string text;
  for (int p = 0; p < count; ++p) {
    for (int w = 0; w < 50 + p % 13; ++w) text += std::string(words[(p * 7 + w * 3) % 11]) + (w % 9 ? " " : ", ");
    text += "end" + std::to_string(p) + ".\n";
  }
  return text;
}

TEST_F(WideTexts, ExportedAsPdfGiveBackEveryCharacterInOrderOnLinesOf93Columns) {
  if (!HaveTool("pdftotext")) GTEST_SKIP() << "pdftotext is not installed";
  std::string table = "name\tqty\tprice\r\n";
  for (int row = 0; row < 40; ++row) table += "item" + std::to_string(row) + "\t" + std::to_string(row * 3) + "\t1." + std::to_string(row) + "\r\n";
  table += std::string(30, '\t') + "far\tout\r\n";
  const std::pair<const char*, std::string> texts[] = {
      {"paragraphs.txt", Paragraphs(40)},
      {"table.txt", table},
      {"feeds.txt", "First part\r\n" + Paragraphs(3) + "\fSecond part\r\n\f\fThird\x07part\x01with\x7f" "controls\f"},
  };
  for (const auto& [name, text] : texts) {
    SCOPED_TRACE(name);
    FreshProgramFolder();
    const auto lines = Run(Load(WriteText(name, text)) + "command 1077\nclick 3358\nclick 3357\ncommand 1070\nclick 7007\nset 7008 pdf\nclick 7011\nstate\n", "en");
    const std::string pages = LastState(lines)["pages"];
    const std::string pdf = ProgramFilePath(pages == "1" ? "pdf/1.pdf" : "pdf/1-" + pages + ".pdf");
    EXPECT_EQ(Visible(RunCommand("pdftotext -layout " + pdf + " -").text), Visible(text));
    const Document document = ReadCache();
    for (int page = 1; page <= document.PageCount; ++page) {
      for (int line = 1; line <= 65; ++line) {
        const std::string& kept = document.Line(page, line).text;
        EXPECT_LE(kept.find_last_not_of(' ') + 1, 93u) << page << " " << line << " " << kept;
      }
    }
  }
}

// A control character is a blank cell on the page, never a box; a form feed starts a page, a tab its column.
TEST_F(WideTexts, ControlCharactersShowAsBlanks) {
  const std::string path = folder.File("page.png");
  Run(Load(WriteText("c.txt", "a\x01\x07\x7f" "b\r\nx\ty\fnext")) + "save-page 1 " + path + "\n");
  const QImage page(QString::fromStdString(path));
  ASSERT_EQ(page.width(), 794);
  // Cells below the screen page's border line.
  const auto cell = [](int column, int line, int cells = 1) { return QRect((column - 1) * 8, (line - 1) * 16 + 1, cells * 8, 15); };
  EXPECT_TRUE(HasInk(page, cell(4, 1)) && HasInk(page, cell(8, 1))) << "a and b";
  EXPECT_FALSE(HasInk(page, cell(5, 1, 3))) << "the three control characters";
  EXPECT_TRUE(HasInk(page, cell(4, 2)) && HasInk(page, cell(12, 2))) << "x in column 1, y in column 9";
  EXPECT_FALSE(HasInk(page, cell(5, 2, 7))) << "the tab";
  EXPECT_FALSE(HasInk(page, cell(4, 3, 4))) << "the form feed's next page";
}

}  // namespace
