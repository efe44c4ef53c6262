// The mouse and the menu wired to the mark commands, one path per kind of mark; what is stored, below.
#include "tests/viewer/ViewerTestSupport.h"

#include <QImage>

namespace {

// Client coordinates of the middle of a column's cell on a line (offset 0).
std::string At(int column, int line) {
  return std::to_string((column - 1) * 8 + 4) + " " + std::to_string((line - 1) * 16 + 8);
}

const auto Drag = DragScript;

constexpr QRgb kGrey = 0xFFC0C0C0, kLit = 0xFF3399FF;

class Marking : public ViewerProgram {
 protected:
  // A ten-page document whose line 5 reads "   abc".
  std::vector<std::string> RunLoaded(const std::string& script, const std::string& lang = "es") {
    std::string text;
    for (int i = 1; i <= 650; ++i) {
      text += (i == 5 ? std::string("   abc") : "Line " + std::to_string(i) + " of the text") + "\r\n";
    }
    return Run(Load(WriteText("ten.txt", text)) + script, lang);
  }
};

// Menus follow the selection; a click cancels a chosen piece; undo takes back the last mark only.
TEST_F(Marking, DragsSelectorsScrolledClicksMenusAndUndo) {
  const auto states = Matching(RunLoaded("press " + At(10, 7) + "\nrelease " + At(14, 7) + "\nstate\n" +
                                         "command 1072\npress 100 100\ncommand 1075\nstate\n" +
                                         Drag(7, 14, 10) + "command 1075\n" + Drag(8, 10, 14) +
                                         "command 1075\nstate\ncommand 1084\nstate\n"
                                         "command 1072\nstate\npress 8 72\ncommand 1073\nkey PageDown\n"
                                         "press 100 200\nrelease 100 200\ncommand 1075\ncommand 1047\n"),
                               "state");
  ASSERT_EQ(states.size(), 5u);
  EXPECT_EQ(ParseStateLine(states[0])["enabled"],
            "1046,1047,1048,1070,1075,1076,1077,1079,1080,1081,1082,1083,1086,1087,1088,1093,1094,1097,1098");
  EXPECT_EQ(ParseStateLine(states[1])["mode"], "0") << "a click cancels a chosen piece";
  EXPECT_NE(ParseStateLine(states[2])["enabled"].find("1084"), std::string::npos);
  EXPECT_EQ(ParseStateLine(states[3])["enabled"].find("1084"), std::string::npos);
  EXPECT_EQ(ParseStateLine(states[4])["enabled"],
            "1046,1047,1048,1070,1072,1073,1074,1077,1079,1080,1081,1082,1083,1087,1090,1091,1092,1093,1098");
  const Document document = ReadCache();
  EXPECT_EQ(document.Line(1, 7).horizontalMarks, "7,9,14;")
      << "dragged right to left, stored in reading order";
  EXPECT_EQ(document.Line(1, 8).horizontalMarks, "");
  EXPECT_EQ(document.Line(1, 5).horizontalMarks, "5,6,9;") << "a whole line from its first letter";
  EXPECT_EQ(document.Line(1, 19).horizontalMarks, "19,12,13;") << "a click at (100, 200) at offset -100";
}

TEST_F(Marking, ClicksOffTheTextAreIgnored) {
  // Each click on the text loaded afresh, in one run; column 93 is the last of the text.
  const char* clicks[] = {"key End\npress 100 954\n", "press 760 100\n", "press 100 -5\n", "press 16 100\n",
                          "press 740 100\n"};
  std::string script;
  for (const char* click : clicks) script += Load(folder.File("ten.txt")) + click + "state\n";
  const auto states = Matching(RunLoaded(script), "state");
  ASSERT_EQ(states.size(), std::size(clicks));
  for (std::size_t i = 0; i < states.size(); ++i) {
    EXPECT_EQ(ParseStateLine(states[i])["mode"], i + 1 < states.size() ? "0" : "3") << clicks[i];
  }
}

TEST_F(Marking, VerticalBarsNeedTwoLinesAndHoldOtherCommandsBack) {
  auto lines = RunLoaded("command 1072\npress 8 40\ncommand 1074\n");
  EXPECT_EQ(
      Matching(lines, "message"),
      std::vector<std::string>{"message Programador | No has seleccionado 2 líneas solamente ... [warning]"});
  // A command chosen during the bar's one-second wait does not run inside it.
  FreshProgramFolder();
  lines = RunLoaded(
      "command 1072\npress 8 40\npress 8 104\nlater 300 command 1073\ncommand 1074\ncommand 1047\n");
  EXPECT_TRUE(Matching(lines, "message").empty());
  EXPECT_EQ(ReadCache().Line(1, 3).verticalMarks, "3,7;");
  EXPECT_EQ(ReadCache().Line(1, 3).horizontalMarks, "");
}

TEST_F(Marking, LinksAskForAValidPageAndAreFollowed) {
  const auto lines = RunLoaded("answer 3\ncommand 1085\n" + Drag(5, 12, 20) + "answer 3\nanswer 11\n" +
                               "answer 10\ncommand 1086\npress " + At(12, 5) + "\nstate\ncommand 1047\n");
  const auto inputs = Matching(lines, "input");
  ASSERT_EQ(inputs.size(), 4u);
  EXPECT_EQ(inputs[3], "input De 1 a 10 | Introduce número página -> 10");
  EXPECT_EQ(ReadCache().Line(3, 5).linkTargets, "10,1E1;");
  EXPECT_EQ(LastState(lines)["caption"], "Página 10 de 10");
}

// The pointer passes columns 10 to 14, straying onto line 9 over column 12: only line 7's cells light up.
// Then a ticked selector: a grey tick in a near-white outline, inside a round grey box spanning y = 3..15.
TEST_F(Marking, ADragLightsTheAnchorLineAndSelectorsAreDrawnAndTicked) {
  std::string script = "press " + At(10, 7) + "\n";
  for (int column = 11; column <= 14; ++column) script += "move " + At(column, column == 12 ? 9 : 7) + "\n";
  RunLoaded(script + "save-page 1 " + folder.File("drag.png") + "\nrelease " + At(14, 7) +
            "\npress 100 100\ncommand 1072\npress 8 8\nsave-page 1 " + folder.File("page.png") + "\n");
  const QImage drag(QString::fromStdString(folder.File("drag.png")));
  for (int column = 8; column <= 16; ++column) {
    const int x = (column - 1) * 8 + 1;
    EXPECT_EQ(drag.pixel(x, 96) == kLit, column >= 10 && column <= 14) << column;
    EXPECT_NE(drag.pixel(x, 113), kLit) << "line 8, column " << column;
    EXPECT_NE(drag.pixel(x, 128), kLit) << "line 9, column " << column;
  }
  const QImage image(QString::fromStdString(folder.File("page.png")));
  EXPECT_EQ(std::tuple(image.pixel(8, 8), image.pixel(5, 5)), std::tuple(kGrey, qRgb(254, 255, 255)));
  bool boxTop = false, boxBottom = false;
  for (int x = 3; x <= 15; ++x) {
    boxTop = boxTop || image.pixel(x, 3) == kGrey;
    boxBottom = boxBottom || image.pixel(x, 14) == kGrey;
  }
  EXPECT_TRUE(boxTop && boxBottom);
  EXPECT_NE(image.pixel(9, 2), kGrey);
}

// Line 52 scrolls the view; crossing to page 2 names it in the caption; the guide is kept between runs.
TEST_F(Marking, TheReadingGuideFollowsTheKeysAndIsKept) {
  const auto states = Matching(RunLoaded("command 1093\n" + Times("key Down\n", 51) + "state\n" +
                                         Times("key Down\n", 14) + "state\ncommand 1047\n"),
                               "state");
  ASSERT_EQ(states.size(), 2u);
  EXPECT_EQ(Fields(ParseStateLine(states[0]), {"guideline", "offset"}), "52 -200");
  EXPECT_EQ(Fields(ParseStateLine(states[1]), {"page", "guideline", "offset", "caption"}),
            "2 1 0 Pagina 2 de 10");
  EXPECT_EQ(Fields(LastState(Run("state\n")), {"guide", "guideline", "checked"}), "3 1 1093");
  // Switched on over a page without text, it goes to the first line it can guide.
  const std::string blankPage = WriteText("blank.txt", std::string(65, '\n') + "x\n");
  const auto off = Matching(Run("command 1093\nstate\n" + Load(blankPage) + "command 1093\nstate\n"),
                            "state");
  ASSERT_EQ(off.size(), 2u);
  EXPECT_EQ(Fields(ParseStateLine(off[0]), {"guide", "checked"}), "0 ");
  EXPECT_EQ(ParseStateLine(off[1])["caption"], "Pagina 2 de 2");
}

}  // namespace
