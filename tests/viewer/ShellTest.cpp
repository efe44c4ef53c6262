#include "tests/viewer/ViewerTestSupport.h"

#include "platform/ProfileFile.h"

#include <QImage>

namespace {

using Shell = ViewerProgram;

constexpr const char* kWithoutDocument = "1046,1047,1048,1077,1079,1080,1081,1082,1083,1087,1093";
constexpr const char* kWithDocument =
    "1046,1047,1048,1070,1072,1073,1074,1077,1078,1079,1080,1081,1082,1083,1084,1085,1087,1090,1091,1092,1093";

TEST_F(Shell, MenuStatesWithoutAndWithADocument) {
  const std::string text = WriteText("t.txt", NumberedLines(10));
  for (const std::string lang : {"es", "en"}) {
    std::filesystem::remove_all(ProgramFolderPath());
    const auto lines = Run("state\nchoose " + text + "\ncommand 1046\nstate\n", lang);
    ASSERT_EQ(Matching(lines, "state").size(), 2u);
    EXPECT_EQ(ParseStateLine(lines[0])["enabled"], kWithoutDocument) << lang;
    EXPECT_EQ(LastState(lines)["enabled"], kWithDocument) << lang;
    EXPECT_EQ(LastState(lines)["caption"], lang == "es" ? "Página 1 de 1" : "Page 1 of 1");
  }
}

TEST_F(Shell, CacheBringsTheDocumentBackWhereTheReaderLeft) {
  const std::string text = WriteText("t.txt", NumberedLines(300));
  Run("choose " + text + "\ncommand 1046\nkey Right\nkey Right\nkey PageDown\ncommand 1047\n");
  const auto lines = Run("state\n", "en");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "message Programmer | Let's read your cache, Wait ...");
  auto state = LastState(lines);
  EXPECT_EQ(state["page"], "3");
  EXPECT_EQ(state["offset"], "-100");
  EXPECT_EQ(state["caption"], "Page 3 of 5");
  EXPECT_EQ(state["enabled"], kWithDocument);
}

TEST_F(Shell, AnUnusableCacheStartsEmpty) {
  std::filesystem::create_directories(ProgramFolderPath());
  for (const std::size_t size : {std::size_t{0}, std::size_t{32725}}) {
    WriteFileBytes(ProgramFilePath("cache.04"), std::string(size, '\0'));
    const auto lines = Run("state\n");
    EXPECT_EQ(lines.front(), "message Programador | Vamos a leer tu cache, Espera ...");
    EXPECT_EQ(LastState(lines)["loaded"], "0") << size;
    EXPECT_EQ(LastState(lines)["enabled"], kWithoutDocument) << size;
  }
}

TEST_F(Shell, GoToAsksAgainUntilAValidPage) {
  const std::string text = WriteText("t.txt", NumberedLines(5 * 65));
  const auto lines = Run("choose " + text + "\ncommand 1046\nkey Right\nwheel down\n"
                         "answer 0\nanswer 6\nanswer 2\nanswer \nanswer 4\ncommand 1085\nstate\n");
  const auto inputs = Matching(lines, "input");
  ASSERT_EQ(inputs.size(), 5u);
  EXPECT_EQ(inputs[0], "input De 1 a 5 | Introduce número página -> 0");
  EXPECT_EQ(inputs[3], "input De 1 a 5 | Introduce número página -> ");
  auto state = LastState(lines);
  EXPECT_EQ(state["page"], "4");
  EXPECT_EQ(state["offset"], "-15") << "same scroll position";
  EXPECT_EQ(state["caption"], "Pagina 4 de 5");
}

TEST_F(Shell, UndoRightAfterLoadingRebuildsTheSameDocument) {
  const std::string text = WriteText("t.txt", NumberedLines(100));
  const auto lines = Run("choose " + text + "\ncommand 1046\nsave-page 2 " + folder.File("before.png") +
                         "\ncommand 1084\nsave-page 2 " + folder.File("after.png") + "\nstate\ncommand 1084\n");
  EXPECT_EQ(LastState(lines)["enabled"].find("1084"), std::string::npos) << "Undo greyed";
  EXPECT_EQ(lines.back(), "error command 1084: menu item 1084 is disabled");
  EXPECT_EQ(ReadFileBytes(folder.File("before.png")), ReadFileBytes(folder.File("after.png")));
}

// A screen of pixel ratio 2 shows the view at twice the pixels on the same
// geometry; the page as such and its export stay byte for byte the same.
TEST_F(Shell, ADenseScreenChangesTheViewOnly) {
  const std::string text = WriteText("t.txt", NumberedLines(100));
  std::map<std::string, std::string> bytes;
  for (const char* ratio : {"1", "2"}) {
    std::filesystem::remove_all(ProgramFolderPath());
    ::setenv("QT_SCALE_FACTOR", ratio, 1);
    const std::string page = folder.File(std::string("page") + ratio + ".png");
    const std::string view = folder.File(std::string("view") + ratio + ".png");
    Run("choose " + text + "\ncommand 1046\npress 28 72\nmove 60 72\nrelease 60 72\ncommand 1075\n"
        "command 1072\npress 8 40\ncommand 1070\nset 7008 out\nclick 7011\nsave-page 1 " + page +
        "\nsave-view " + view + "\n");
    ::unsetenv("QT_SCALE_FACTOR");
    bytes[std::string("page") + ratio] = ReadFileBytes(page);
    for (const auto& exported : std::filesystem::directory_iterator(ProgramFilePath("out"))) {
      bytes[std::string("export") + ratio] += ReadFileBytes(exported.path().string());
    }
    const QImage shown(QString::fromStdString(view));
    const QImage atOne(QString::fromStdString(page));
    const int r = ratio[0] - '0';
    EXPECT_EQ(shown.size(), QSize(794 * r, 955 * r)) << ratio;
    int y = 79;  // the underline: the lowest ink of line 5 at x = 40
    while (y > 64 && atOne.pixel(40, y) == qRgb(255, 255, 255)) --y;
    EXPECT_EQ(shown.pixel(40 * r, y * r), atOne.pixel(40, y)) << "the underline at ratio " << ratio;
  }
  EXPECT_FALSE(bytes["page1"].empty());
  EXPECT_EQ(bytes["page1"], bytes["page2"]);
  EXPECT_FALSE(bytes["export1"].empty());
  EXPECT_EQ(bytes["export1"], bytes["export2"]);
}

TEST_F(Shell, KeysAndWheelMoveTheView) {
  const std::string text = WriteText("t.txt", NumberedLines(200));
  struct Case {
    const char* keys;
    const char* offset;
    const char* page;
  };
  const Case cases[] = {
      {"wheel down\nwheel down\nwheel down\nkey PageUp\n", "55", "1"},
      {"key End\n", "-561", "1"},
      {"key End\nkey PageDown\n", "-561", "1"},
      {"key End\nkey Home\n", "0", "1"},
      {"key PageDown\nkey PageDown\nkey PageDown\nkey PageDown\nkey PageDown\nkey PageDown\nkey PageDown\n", "-600", "1"},
      {"wheel up\n", "0", "1"},
      {"key Left\n", "0", "1"},
      {"key Right\nkey Right\nkey Right\nkey Right\n", "0", "4"},
      {"key Right\nkey Right\nkey Right\nkey Right\nkey Right\n", "0", "4"},
  };
  for (const Case& c : cases) {
    auto state = LastState(Run("choose " + text + "\ncommand 1046\n" + c.keys + "state\n"));
    EXPECT_EQ(state["offset"], c.offset) << c.keys;
    EXPECT_EQ(state["page"], c.page) << c.keys;
  }
}

TEST_F(Shell, ColourCommandsChangeThePageOnlyAfterUpdate) {
  // A document whose first line is underlined, as the cache keeps it.
  Document document;
  document.PageCount = 1;
  LineRecord& line = document.UseLine(1, 1);
  line.absoluteLine = 1;
  line.pageNumber = 1;
  line.lineInPage = 1;
  line.text = "underlined line";
  line.hasMarks = 1;
  line.horizontalMarks = "1,3,18;";
  std::filesystem::create_directories(ProgramFolderPath());
  ASSERT_FALSE(CacheWrite(document, ProgramFilePath(kCacheFileName)).failed());
  const auto lines = Run("save-page 1 " + folder.File("a.png") + "\ncommand 1080\nsave-page 1 " + folder.File("b.png") +
                         "\ncommand 1078\nsave-page 1 " + folder.File("c.png") + "\ncommand 1047\n");
  EXPECT_EQ(ReadFileBytes(folder.File("a.png")), ReadFileBytes(folder.File("b.png")));
  EXPECT_NE(ReadFileBytes(folder.File("b.png")), ReadFileBytes(folder.File("c.png")));
  EXPECT_FALSE(std::filesystem::exists(ProgramFilePath("color.bmp")));
}

TEST_F(Shell, AWindowManagerCloseSavesLikeExit) {
  const std::string text = WriteText("t.txt", NumberedLines(200));
  const auto lines = Run("choose " + text + "\ncommand 1046\nkey Right\nclose-window\nstate\n");
  EXPECT_EQ(lines.back(), "error state: the viewer has ended (kill starts it again)");
  const ProfileFile settings = [&] {
    ProfileFile profile;
    ProfileFile::Load(ProgramFilePath("Configuracion.ini"), profile);
    return profile;
  }();
  EXPECT_EQ(settings.Get("Posicion", "Pagina", ""), "2");
  EXPECT_EQ(ReadCache().PageCount, 4);
}

TEST_F(Shell, AboutAndUnknownCommands) {
  const auto lines = Run("command 1048\nfly away\ncommand 9999\nkey Space\n", "en");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "message Programmer | Program Made by : \\nwww.marvessa.example\\nVisit me ...");
  EXPECT_EQ(lines[1], "error fly away: unknown command");
  EXPECT_EQ(lines[2], "error command 9999: no menu item 9999");
  EXPECT_EQ(lines[3], "error key Space: cannot be carried out");
}

}  // namespace

namespace {

// A piece of line 5 underlined ("Line 5" fills columns 4 to 9).
constexpr const char* kMarkLine5 = "press 28 72\nmove 68 72\nrelease 68 72\ncommand 1075\n";

TEST_F(Shell, EachTextKeepsItsMarksWhenAnotherIsOpened) {
  const std::string a = WriteText("a.txt", NumberedLines(130));
  const std::string b = WriteText("b.txt", NumberedLines(20));
  Run("choose " + a + "\ncommand 1046\n" + kMarkLine5 + "key Right\nkey PageDown\ncommand 1047\n");
  const std::string marked = ReadFileBytes(ProgramFilePath("cache.04"));
  ASSERT_NE(ReadCache().Line(1, 5).horizontalMarks, "");
  const std::string openBThenA = "choose " + b + "\ncommand 1046\nchoose " + a + "\n";
  struct Step {
    const char* name;
    std::string script;
    const char* lang;
    const char* question;  // printed when New asks, else ""
    bool marksBack;  // cache.04 then holds the bytes it held when a was left
  };
  const Step steps[] = {
      {"yes brings a back as it was", openBThenA + "reply yes\ncommand 1046\nstate\n", "es",
       "question Programador | Este texto tiene marcas guardadas. ¿Quieres recuperarlas? -> yes [question]", true},
      {"no loads a clean", openBThenA + "reply no\ncommand 1046\nstate\n", "en",
       "question Programmer | This text has saved marks. Do you want them back? -> no [question]", false},
      {"the clean copy left unmarked hides nothing", openBThenA + "reply yes\ncommand 1046\nstate\n", "en",
       "question Programmer | This text has saved marks. Do you want them back? -> yes [question]", true},
      {"a changed text is not offered the old marks", openBThenA + "command 1046\nstate\n", "es", "", false},
  };
  for (const Step& step : steps) {
    if (step.question[0] == '\0') WriteFileBytes(a, NumberedLines(131));  // a changed
    const auto lines = Run(step.script, step.lang);
    const auto questions = Matching(lines, "question");
    EXPECT_EQ(questions, step.question[0] ? std::vector<std::string>{step.question} : std::vector<std::string>{})
        << step.name;
    if (step.marksBack) {
      EXPECT_TRUE(ReadFileBytes(ProgramFilePath("cache.04")) == marked) << step.name;
      EXPECT_EQ(LastState(lines)["page"], "2") << step.name;
      EXPECT_EQ(LastState(lines)["offset"], "-100") << step.name;
    } else {
      EXPECT_EQ(ReadCache().Line(1, 5).horizontalMarks, "") << step.name;
      EXPECT_EQ(LastState(lines)["page"], "1") << step.name;
    }
  }
}

TEST_F(Shell, ThirtyMarkedTextsAreAllKept) {
  std::string script;
  for (int i = 1; i <= 30; ++i) {
    script += "choose " + WriteText(std::to_string(i) + ".txt", NumberedLines(60 + i)) + "\ncommand 1046\n" + kMarkLine5;
  }
  const auto lines = Run(script + "choose " + folder.File("1.txt") + "\nreply yes\ncommand 1046\n");
  EXPECT_EQ(Matching(lines, "question").size(), 1u) << "the first text, kept longest, is still offered";
  std::uintmax_t files = 0, bytes = 0;
  for (const auto& entry : std::filesystem::directory_iterator(ProgramFilePath("Marcas"))) {
    ++files;
    bytes += entry.file_size();
  }
  EXPECT_EQ(files, 30u);
  EXPECT_LT(bytes, 30u * 4096) << "a page of marked text kept in a few KB";
}

}  // namespace
