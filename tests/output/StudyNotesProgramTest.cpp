// "Study notes" and the PDF's outline as the reader meets them, in both builds.
#include "tests/output/OutputProgram.h"

#include <map>
#include <set>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <regex>

namespace {

const auto Drag = DragScript;
std::string Tick(int line) { return "press 8 " + std::to_string((line - 1) * 16 + 8) + "\n"; }

// Lines 1..9 of page 2 and 1..4 of page 5; every other line of the six pages is empty.
const std::map<std::pair<int, int>, std::string> kText = {
    {{2, 1}, "  Chapter 2"},
    {{2, 3}, "Water evaporates when the sun heats the sea."},
    {{2, 6}, "Clouds form"},
    {{2, 7}, "   and rain falls."},
    {{2, 9}, "Markdown *stars* and 1 < 2 & [x]"},
    {{5, 2}, "back to the start"},
    {{5, 4}, "\\$2 Rain falls as snow in winter"},
};

// Every kind of mark: the whole line 1, bold "Water", a link on "evaporates" to page 5, "sun" in two
// colours, "heats the sea" underlined, a bar beside lines 6 and 7, the whole line 9; on page 5 a link
// on "back" to page 2 and the whole line 4.
const std::string kMarking = "answer 2\ncommand 1085\ncommand 1072\n" + Tick(1) + "command 1073\n" + Drag(3, 4, 8) +
                             "command 1088\n" + Drag(3, 10, 19) + "answer 5\ncommand 1086\n" + Drag(3, 30, 32) +
                             "command 1076\n" + Drag(3, 34, 46) + "command 1075\ncommand 1072\n" + Tick(6) + Tick(7) +
                             "command 1074\ncommand 1072\n" + Tick(9) + "command 1073\nanswer 5\ncommand 1085\n" +
                             Drag(2, 4, 7) + "answer 2\ncommand 1086\ncommand 1072\n" + Tick(4) + "command 1073\n";

struct Build {
  std::string lang, page, arrow, ending, saved, noMarks;
};
const Build kBuilds[] = {
    {"es", "P\u00e1gina ", "\u2192 p\u00e1gina ", " - notas.md", "Programador | Notas de estudio guardadas ...",
     "Este texto no tiene marcas."},
    {"en", "Page ", "\u2192 page ", " - notes.md", "Programmer | Study notes saved ...", "This text has no marks."},
};

std::string ExpectedSheet(const Build& b) {
  const auto heading = [&](int page) {
    return "## <a id=\"pagina-" + std::to_string(page) + "\"></a>" + b.page + std::to_string(page) + "\r\n\r\n";
  };
  return "# ciclo\r\n\r\n" + heading(2) + "- Chapter 2\r\n- **Water**\r\n- evaporates [" + b.arrow +
         "5](#pagina-5)\r\n- ==sun==\r\n- heats the sea\r\n- > Clouds form  \r\n  > and rain falls.\r\n"
         "- Markdown \\*stars\\* and 1 &lt; 2 &amp; \\[x\\]\r\n\r\n" + heading(5) + "- back [" + b.arrow +
         "2](#pagina-2)\r\n- \u25CF Rain falls as snow in winter\r\n";
}

// qpdf's reading of the file's outline: its top entries.
QJsonArray Outline(const std::string& pdf) {
  const CommandOutput json = RunCommand("qpdf --json=2 --json-key=outlines " + pdf);
  return QJsonDocument::fromJson(QByteArray::fromStdString(json.text)).object().value("outlines").toArray();
}

class Notes : public OutputProgram {
 protected:
  std::string MarkedText() {
    std::string text;
    for (int page = 1; page <= 6; ++page) {
      for (int line = 1; line <= 65; ++line) {
        const auto found = kText.find({page, line});
        text += (found == kText.end() ? std::string() : found->second) + "\r\n";
      }
    }
    return WriteText("ciclo.txt", text);
  }
};

TEST_F(Notes, EveryMarkGoesIntoTheSheetAndThePdfOutlineInBothBuilds) {
  if (!HaveTool("qpdf")) GTEST_SKIP() << "qpdf is not installed";
  for (const Build& b : kBuilds) {
    FreshProgramFolder();
    WriteSettings([](ViewerSettings& s) { s.imageFormat = kImageFormatPdf; });
    const std::string notes = folder.File("notes-" + b.lang + ".md"), plainNotes = folder.File("plain.md");
    const auto lines = Run(Load(MarkedText()) + kMarking + "choose " + notes + "\ncommand 1098\nfile\nmenus\n" +
                               "command 1070\nclick 7007\nset 7008 pdf\nclick 7011\n" +
                               Load(WriteText("plain.txt", "nothing marked\r\n")) + "choose " + plainNotes +
                               "\ncommand 1098\ncommand 1070\nclick 7002\nset 7008 plain\nclick 7011\n",
                           b.lang);
    EXPECT_TRUE(Matching(lines, "error").empty()) << First(lines, "error");
    EXPECT_EQ(First(lines, "message " + b.saved), "message " + b.saved + "\\n" + notes);
    EXPECT_EQ(First(lines, "file"), "file Markdown | *.md | md | " + ProgramFolderPath() + "/ | ciclo" + b.ending);
    EXPECT_EQ(First(lines, "item 1098"), b.lang == "es" ? "item 1098 \"Notas de estudio\"" : "item 1098 \"Study notes\"");
    EXPECT_EQ(ReadFileBytes(notes), ExpectedSheet(b)) << b.lang;
    EXPECT_EQ(ReadFileBytes(plainNotes), "# plain\r\n\r\n" + b.noMarks + "\r\n");

    // The rendered sheet: each link leads to a heading's anchor.
    const CommandOutput html = RunCommand("/usr/bin/python3 -m markdown " + notes);
    ASSERT_EQ(html.status, 0) << html.text;
    std::set<std::string> anchors, targets;
    const std::regex anchor("id=\"(pagina-[0-9]+)\""), target("href=\"#(pagina-[0-9]+)\"");
    for (std::sregex_iterator i(html.text.begin(), html.text.end(), anchor), end; i != end; ++i) anchors.insert((*i)[1]);
    for (std::sregex_iterator i(html.text.begin(), html.text.end(), target), end; i != end; ++i) targets.insert((*i)[1]);
    EXPECT_EQ(anchors, (std::set<std::string>{"pagina-2", "pagina-5"}));
    EXPECT_EQ(targets, anchors);

    // The PDF of pages 1..6: an entry per marked page, under it one per mark, each opening its page at its line
    // (the sheet 842 points high, 12 points a line).
    const QJsonArray outline = Outline(ProgramFilePath("pdf/1-6.pdf"));
    const struct { int page; std::vector<std::pair<std::string, int>> marks; } expected[] = {
        {2, {{"Chapter 2", 1}, {"Water", 3}, {"evaporates", 3}, {"sun", 3}, {"heats the sea", 3},
             {"Clouds form and rain falls.", 6}, {"Markdown *stars* and 1 < 2 & [x]", 9}}},
        {5, {{"back", 2}, {"\u25CF Rain falls as snow in winter", 4}}}};
    ASSERT_EQ(outline.size(), 2) << b.lang;
    for (int p = 0; p < 2; ++p) {
      const QJsonObject entry = outline[p].toObject();
      EXPECT_EQ(entry.value("title").toString().toStdString(), b.page + std::to_string(expected[p].page));
      EXPECT_EQ(entry.value("destpageposfrom1").toInt(), expected[p].page);
      const QJsonArray kids = entry.value("kids").toArray();
      ASSERT_EQ(kids.size(), static_cast<qsizetype>(expected[p].marks.size()));
      for (int k = 0; k < kids.size(); ++k) {
        const QJsonObject kid = kids[k].toObject();
        const auto& [title, line] = expected[p].marks[static_cast<std::size_t>(k)];
        EXPECT_EQ(kid.value("title").toString().toStdString(), title);
        EXPECT_EQ(kid.value("destpageposfrom1").toInt(), expected[p].page) << title;
        EXPECT_NEAR(kid.value("dest").toArray()[3].toDouble(), 842 - (line - 1) * 12, 0.5) << title;
      }
    }
    EXPECT_TRUE(Outline(ProgramFilePath("plain/1.pdf")).isEmpty()) << "no marks, no outline";
  }
}

// Only with a document and the guide off; a file that cannot be written is told of, no file is left.
TEST_F(Notes, TheCommandFollowsTheGuideAndToldOfAFailedWrite) {
  const std::string missing = folder.File("no-such-folder/notes.md");
  const auto lines = Run("state\n" + Load(MarkedText()) + "command 1093\nstate\ncommand 1098\ncommand 1093\nstate\n" +
                             "choose " + missing + "\ncommand 1098\n",
                         "en");
  const auto states = Matching(lines, "state");
  ASSERT_EQ(states.size(), 3u);
  const auto enabled = [&](std::size_t i) { return ParseStateLine(states[i])["enabled"].find("1098") != std::string::npos; };
  EXPECT_EQ(std::vector<bool>({enabled(0), enabled(1), enabled(2)}), std::vector<bool>({false, false, true}));
  EXPECT_EQ(First(lines, "error"), "error command 1098: menu item 1098 is disabled");
  EXPECT_EQ(First(lines, "message").rfind("message Programmer | Err: 2 ", 0), 0u) << First(lines, "message");
  EXPECT_FALSE(std::filesystem::exists(folder.File("no-such-folder")));
}

}  // namespace
