#include "tests/viewer/ViewerTestSupport.h"

#include <QImage>

namespace {

// Client coordinates of the middle of a column's cell on a line (offset 0).
std::string At(int column, int line) {
  return std::to_string((column - 1) * 8 + 4) + " " + std::to_string((line - 1) * 16 + 8);
}

std::string Drag(int line, int from, int to) {
  return "press " + At(from, line) + "\nmove " + At(to, line) + "\nrelease " + At(to, line) + "\n";
}

class Marking : public ViewerProgram {
 protected:
  // A ten-page document; line 5 of each page reads "   abc" on page 1.
  void SetUp() override {
    std::string text;
    for (int i = 1; i <= 650; ++i) text += (i == 5 ? std::string("   abc") : "Line " + std::to_string(i) + " of the text") + "\r\n";
    textPath = WriteText("ten.txt", text);
  }
  std::vector<std::string> RunLoaded(const std::string& script, const std::string& lang = "es") {
    return Run("choose " + textPath + "\ncommand 1046\n" + script, lang);
  }
  LineRecord LineAfterExit(int page, int line) { return ReadCache().Line(page, line); }

  std::string textPath;
};

TEST_F(Marking, PiecesAreStoredInReadingOrder) {
  struct Case {
    const char* name;
    std::string script;
    int line;
    std::string LineRecord::*list;
    const char* entry;
  };
  const Case cases[] = {
      {"left to right", Drag(7, 10, 14) + "command 1075\n", 7, &LineRecord::horizontalMarks, "7,9,14;"},
      {"right to left, stored in reading order", Drag(7, 14, 10) + "command 1075\n", 7,
       &LineRecord::horizontalMarks, "7,9,14;"},
      {"two colours take the settings' colours", Drag(7, 4, 8) + "command 1076\n", 7,
       &LineRecord::twoColourPieces, "7,4,8,255,16777215;"},
      {"bold", Drag(7, 4, 8) + "command 1088\n", 7, &LineRecord::boldPieces, "7,4,8;"},
      {"whole line from the first letter", "command 1072\npress 8 72\ncommand 1073\n", 5, &LineRecord::horizontalMarks,
       "5,6,9;"},
      {"scrolled view: (100, 200) at -100 is column 13, line 19",
       "key PageDown\npress 100 200\nrelease 100 200\ncommand 1075\n", 19, &LineRecord::horizontalMarks, "19,12,13;"},
  };
  for (const Case& c : cases) {
    RunLoaded(c.script + "command 1047\n");
    EXPECT_EQ(LineAfterExit(1, c.line).*c.list, c.entry) << c.name;
  }
}

TEST_F(Marking, ClicksOffTheTextAreIgnored) {
  const std::vector<std::string> scripts = {"key End\npress 100 954\n", "press 760 100\n", "press 100 -5\n",
                                            "press 16 100\n" /* margin: no piece */};
  for (const auto& script : scripts) {
    EXPECT_EQ(LastState(RunLoaded(script + "state\n"))["mode"], "0") << script;
  }
  EXPECT_EQ(LastState(RunLoaded("press 100 100\nstate\n"))["mode"], "3");
  auto dragged = LastState(RunLoaded(Drag(7, 10, 14) + "state\npress 100 100\nstate\n"));
  EXPECT_EQ(dragged["mode"], "0") << "a click cancels a chosen piece";
}

TEST_F(Marking, MenuStatesFollowTheSelection) {
  const auto lines = RunLoaded("press " + At(10, 7) + "\nrelease " + At(14, 7) + "\nstate\ncommand 1072\n" +
                               "press 100 100\ncommand 1075\nstate\ncommand 1072\nstate\n");
  const auto states = Matching(lines, "state");
  ASSERT_EQ(states.size(), 3u);
  EXPECT_EQ(ParseStateLine(states[0])["enabled"], "1046,1047,1048,1070,1075,1076,1077,1079,1080,1081,1082,1083,1086,1087,1088,1093");
  EXPECT_EQ(ParseStateLine(states[1])["mode"], "0");
  EXPECT_EQ(ParseStateLine(states[2])["enabled"],
            "1046,1047,1048,1070,1072,1073,1074,1077,1079,1080,1081,1082,1083,1087,1090,1091,1092,1093");
}

TEST_F(Marking, SelectorsAreDrawnAndTicked) {
  const std::string page = folder.File("page.png");
  RunLoaded("command 1072\npress 8 8\nsave-page 1 " + page + "\n");
  const QImage image(QString::fromStdString(page));
  EXPECT_EQ(image.pixel(8, 8), qRgb(0xC0, 0xC0, 0xC0)) << "the tick";
  EXPECT_EQ(image.pixel(5, 5), qRgb(254, 255, 255)) << "its near-white outline";
  bool boxTop = false, boxBottom = false;
  for (int x = 3; x <= 15; ++x) {
    boxTop = boxTop || image.pixel(x, 3) == qRgb(0xC0, 0xC0, 0xC0);
    boxBottom = boxBottom || image.pixel(x, 14) == qRgb(0xC0, 0xC0, 0xC0);
  }
  EXPECT_TRUE(boxTop && boxBottom) << "the round box spans y = 3..15";
  EXPECT_NE(image.pixel(9, 2), qRgb(0xC0, 0xC0, 0xC0));
}

TEST_F(Marking, VerticalBarsNeedTwoLines) {
  auto lines = RunLoaded("command 1072\npress 8 40\ncommand 1074\n");
  EXPECT_EQ(Matching(lines, "message"),
            std::vector<std::string>{"message Programador | No has seleccionado 2 líneas solamente ... [warning]"});
  std::filesystem::remove_all(ProgramFolderPath());
  lines = RunLoaded("command 1072\npress 8 40\npress 8 104\ncommand 1074\ncommand 1047\n", "en");
  EXPECT_TRUE(Matching(lines, "message").empty());
  EXPECT_EQ(LineAfterExit(1, 3).verticalMarks, "3,7;");

  // A command chosen during the bar's one-second wait does not run inside it.
  std::filesystem::remove_all(ProgramFolderPath());
  lines = RunLoaded("command 1072\npress 8 40\npress 8 104\nlater 300 command 1073\ncommand 1074\ncommand 1047\n");
  EXPECT_TRUE(Matching(lines, "message").empty());
  EXPECT_EQ(LineAfterExit(1, 3).verticalMarks, "3,7;");
  EXPECT_EQ(LineAfterExit(1, 3).horizontalMarks, "");
}

TEST_F(Marking, LinksAskForAValidPageAndAreFollowed) {
  const auto lines = RunLoaded("answer 3\ncommand 1085\n" + Drag(5, 12, 20) +
                               "answer 3\nanswer 11\nanswer 10\ncommand 1086\ncommand 1047\n");
  const auto inputs = Matching(lines, "input");
  ASSERT_EQ(inputs.size(), 4u);
  EXPECT_EQ(inputs[3], "input De 1 a 10 | Introduce número página -> 10");
  const LineRecord line = LineAfterExit(3, 5);
  EXPECT_EQ(line.linkPieces, "5,12,20,1E1;");
  EXPECT_EQ(line.linkTargets, "10,1E1;");
  struct Click {
    int column;
    const char* page;
  };
  for (const Click click : {Click{11, "3"}, Click{12, "10"}, Click{20, "10"}, Click{21, "3"}}) {
    auto state = LastState(Run("press " + At(click.column, 5) + "\nstate\n"));
    EXPECT_EQ(state["page"], click.page) << click.column;
    if (std::string(click.page) == "10") {
      EXPECT_EQ(state["caption"], "Página 10 de 10");
    }
  }
}

TEST_F(Marking, UndoTakesBackTheLastMark) {
  const auto lines = RunLoaded(Drag(7, 10, 14) + "command 1075\ncommand 1084\nstate\n" + Drag(8, 10, 14) +
                               "command 1075\nstate\ncommand 1047\n");
  const auto states = Matching(lines, "state");
  EXPECT_EQ(ParseStateLine(states[0])["enabled"].find("1084"), std::string::npos);
  EXPECT_NE(ParseStateLine(states[1])["enabled"].find("1084"), std::string::npos);
  EXPECT_EQ(LineAfterExit(1, 7).horizontalMarks, "");
  EXPECT_EQ(LineAfterExit(1, 8).horizontalMarks, "8,9,14;");
}

TEST_F(Marking, UndoWithTheGuideOnKeepsItsBand) {
  const std::string page = folder.File("page.png");
  RunLoaded(Drag(7, 10, 14) + "command 1075\ncommand 1093\nkey Down\nkey Down\ncommand 1084\nsave-page 1 " + page +
            "\n");
  const QImage image(QString::fromStdString(page));
  EXPECT_EQ(image.pixel(600, 40), qRgb(0xC0, 0xC0, 0xC0)) << "the band on line 3, past its text";
  EXPECT_EQ(image.pixel(90, 112), qRgb(255, 255, 255)) << "the underline undone";
}

// The pointer passes columns 10 to 14, straying onto line 9 over column 12:
// the cells passed light up on the anchor line 7 only, from their top row.
TEST_F(Marking, ADragLightsTheCellsPassedOnTheAnchorLine) {
  const std::string page = folder.File("drag.png");
  std::string script = "press " + At(10, 7) + "\n";
  for (int column = 11; column <= 14; ++column) script += "move " + At(column, column == 12 ? 9 : 7) + "\n";
  RunLoaded(script + "save-page 1 " + page + "\n");
  const QImage image(QString::fromStdString(page));
  const QRgb lit = qRgb(51, 153, 255);
  for (int column = 8; column <= 16; ++column) {
    const int x = (column - 1) * 8 + 1;
    EXPECT_EQ(image.pixel(x, 96) == lit, column >= 10 && column <= 14) << column;
    EXPECT_NE(image.pixel(x, 113), lit) << "line 8, column " << column;
    EXPECT_NE(image.pixel(x, 128), lit) << "line 9, column " << column;
  }
}

TEST_F(Marking, AlignmentSkipsMarkedLines) {
  RunLoaded(Drag(7, 10, 14) + "command 1075\ncommand 1072\npress 8 104\npress 8 120\ncommand 1091\ncommand 1047\n");
  EXPECT_EQ(LineAfterExit(1, 7).alignment, "");
  EXPECT_EQ(LineAfterExit(1, 8).alignment, "AL2");
}

TEST_F(Marking, AKillKeepsTheStateBeforeTheLastChangeAndExitKeepsAll) {
  RunLoaded(Drag(7, 10, 14) + "command 1075\n" + Drag(8, 10, 14) + "command 1075\nkill\n");
  EXPECT_EQ(LineAfterExit(1, 7).horizontalMarks, "7,9,14;");
  EXPECT_EQ(LineAfterExit(1, 8).horizontalMarks, "") << "the last change was never saved";
  const std::string before = ReadFileBytes(ProgramFilePath(kCacheFileName));
  Run("command 1047\n");
  EXPECT_EQ(ReadFileBytes(ProgramFilePath(kCacheFileName)), before) << "marks survive a restart byte for byte";
}

TEST_F(Marking, TheReadingGuideFollowsTheKeys) {
  auto guideAfter = [&](const std::string& keys) {
    return LastState(RunLoaded("command 1093\n" + keys + "state\n"));
  };
  struct Case {
    std::string keys;
    const char* page;
    const char* line;
    const char* offset;
  };
  std::string fiftyOne;
  for (int i = 1; i < 51; ++i) fiftyOne += "key Down\n";
  const Case cases[] = {
      {"", "1", "1", "0"},
      {fiftyOne, "1", "51", "0"},
      {fiftyOne + "key Down\n", "1", "52", "-200"},
      {fiftyOne + "key Down\nkey Up\n", "1", "51", "0"},
      {"key Up\n", "1", "1", "0"},
      {"key Right\nkey Left\n", "1", "1", "0"},
  };
  for (const Case& c : cases) {
    auto state = guideAfter(c.keys);
    EXPECT_EQ(state["guide"], "3");
    EXPECT_EQ(state["page"], c.page) << c.keys.size();
    EXPECT_EQ(state["guideline"], c.line) << c.keys.size();
    EXPECT_EQ(state["offset"], c.offset) << c.keys.size();
  }
  std::string toEnd;
  for (int i = 1; i < 65; ++i) toEnd += "key Down\n";
  auto crossed = guideAfter(toEnd + "key Down\n");
  EXPECT_EQ(crossed["page"], "2");
  EXPECT_EQ(crossed["guideline"], "1");
  EXPECT_EQ(crossed["offset"], "0");
  EXPECT_EQ(crossed["caption"], "Pagina 2 de 10");
}

TEST_F(Marking, TheGuideIsKeptBetweenRuns) {
  RunLoaded("command 1093\nkey Down\nkey Down\ncommand 1047\n");
  auto state = LastState(Run("state\n"));
  EXPECT_EQ(state["guide"], "3");
  EXPECT_EQ(state["guideline"], "3");
  EXPECT_EQ(state["checked"], "1093");
  state = LastState(Run("command 1093\nstate\n"));
  EXPECT_EQ(state["guide"], "0");
  EXPECT_EQ(state["checked"], "");
}

}  // namespace
