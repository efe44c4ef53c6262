// Marks survive a missing or stale text link, a kill in the middle of New, and a "No" to the saved marks.
#include "tests/viewer/ViewerTestSupport.h"

#include "viewer/document/KeptDocuments.h"

namespace {

using KeptVersions = ViewerProgram;

std::string Mark(int line) { return "command 1072\npress 8 " + std::to_string((line - 1) * 16 + 8) + "\ncommand 1073\n"; }
constexpr const char* kExit = "command 1047\n";

// Runs of the program; between them "@save" copies cache.04 and its link aside, "@restore" puts both back
// (as a kill before New wrote them), "@restore-link" the link alone, "@drop-link" deletes it.
struct Case {
  const char* name;
  std::vector<std::string> runs;
  std::vector<std::string> questions;  // of the last run, from the count of marks on
  std::vector<int> marked;             // lines of page 1 underlined in the end
};

TEST_F(KeptVersions, NoMarksAreLostWhateverHappenedBetweenRuns) {
  const std::string a = WriteText("a.txt", NumberedLines(100)), b = WriteText("b.txt", NumberedLines(90)),
                    c = WriteText("c.txt", NumberedLines(80));
  const auto back = [](const std::string& path, const std::string& replies) {
    return "choose " + path + "\n" + replies + "command 1046\n" + kExit;
  };
  const Case cases[] = {
      {"the link is missing",
       {Load(a) + Mark(1) + Mark(2) + kExit, "@drop-link", Load(b) + kExit, back(a, "reply yes\n")},
       {"(2 marcas). ¿Quieres recuperarlas? -> yes [question]"}, {1, 2}},
      {"killed between cache.04 and its link",
       {Load(a) + Mark(1) + kExit, "@save", Load(b) + kExit, "@restore-link", Mark(3) + Load(c) + kExit,
        back(b, "reply yes\n")},
       {"(1 marcas). ¿Quieres recuperarlas? -> yes [question]"}, {3}},
      {"killed in New after the kept file was written",
       {Load(a) + Mark(1) + kExit, "@save", Mark(8) + Load(b) + kExit, "@restore", Load(c) + kExit,
        back(a, "reply no\nreply yes\n")},
       {"(1 marcas). ¿Quieres recuperarlas? -> no [question]", "(2 marcas). ¿Quieres recuperarlas? -> yes [question]"},
       {1, 8}},
      {"No, then the clean copy marked",
       {Load(a) + Mark(1) + Load(b) + "choose " + a + "\nreply no\ncommand 1046\n" + Mark(2) + Load(b) + kExit,
        back(a, "reply no\nreply yes\n")},
       {"(1 marcas). ¿Quieres recuperarlas? -> no [question]", "(1 marcas). ¿Quieres recuperarlas? -> yes [question]"},
       {1}},
  };
  const std::string cache = kCacheFileName, link = kTextLinkFileName;
  const auto copy = [](const std::string& from, const std::string& to) {
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
  };
  for (const Case& c : cases) {
    FreshProgramFolder();
    std::vector<std::string> lines;
    for (const std::string& run : c.runs) {
      if (run == "@save") {
        for (const std::string& name : {cache, link}) copy(ProgramFilePath(name), folder.File(name));
      } else if (run == "@restore" || run == "@restore-link") {
        for (const std::string& name : {cache, link}) {
          if (run == "@restore" || name == link) copy(folder.File(name), ProgramFilePath(name));
        }
      } else if (run == "@drop-link") {
        std::filesystem::remove(ProgramFilePath(link));
      } else {
        lines = Run(run);
      }
    }
    std::vector<std::string> questions;
    for (const std::string& question : Matching(lines, "question")) questions.push_back(question.substr(question.rfind('(')));
    EXPECT_EQ(questions, c.questions) << c.name;
    std::vector<int> marked;
    const Document document = ReadCache();
    for (int line = 1; line <= kLinesPerPage; ++line) {
      if (!document.Line(1, line).horizontalMarks.empty()) marked.push_back(line);
    }
    EXPECT_EQ(marked, c.marked) << c.name;
  }
}

// A file where the folder of kept documents should be: the reader is told where and why, and keeps the document.
TEST_F(KeptVersions, WhenKeepingFailsTheFolderIsNamedAndTheTextIsNotOpened) {
  const std::string a = WriteText("a.txt", NumberedLines(100)), b = WriteText("b.txt", NumberedLines(20));
  const std::tuple<const char*, const char*> builds[] = {
      {"es", "message Programador | Err: 20 Not a directory (%)\\nNo se ha abierto el texto, para que no se pierdan "
             "las marcas del documento mostrado. [warning]"},
      {"en", "message Programmer | Err: 20 Not a directory (%)\\nThe text was not opened, so that the marks of the "
             "document shown are not lost. [warning]"},
  };
  for (const auto& [lang, message] : builds) {
    FreshProgramFolder();
    WriteProgramFile(kKeptFolderName, "not a folder");
    const auto lines = Run(Load(a) + Mark(1) + Load(b) + "state\n" + kExit, lang);
    std::string expected = message;
    expected.replace(expected.find('%'), 1, ProgramFilePath(kKeptFolderName));
    EXPECT_EQ(Matching(lines, "message"), std::vector<std::string>{expected});
    EXPECT_EQ(LastState(lines)["pages"], "2") << "the marked text of 100 lines stays";
    EXPECT_EQ(ReadCache().Line(1, 1).horizontalMarks, "1,3,9;");
  }
}

// The driver's kill while New lays out a long text stops it as a killed program: nothing more is written or said.
TEST_F(KeptVersions, AKillStopsTheCommandUnderWay) {
  Run(Load(WriteText("short.txt", NumberedLines(10))) + kExit);
  const auto lines = Run("later 30 kill\n" + Load(WriteText("long.txt", NumberedLines(200 * 65))) + "state\n");
  EXPECT_EQ(Matching(lines, "state").size(), 1u);
  EXPECT_EQ(LastState(lines)["pages"], "1") << "started again from what the kill left";
  EXPECT_EQ(ReadCache().PageCount, 1) << "the long text was never written";
}

}  // namespace
