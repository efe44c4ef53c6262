// Find, find next and previous and Go back as the reader meets them, in both builds.
#include "tests/viewer/ViewerTestSupport.h"

#include <map>
#include <QImage>

namespace {

using Find = ViewerProgram;

// Eight pages of "Line N", with words to find on pages 1, 3 and 7 and phrases broken by the layout.
std::string StudyText() {
  std::map<int, std::string> special = {
      {5, "La lección primera"},   {6, "LECCIÓN dos"},      {30, "the phrase is broken"}, {31, "over two lines"},
      {65, "end of the"},          {66, "first page"},      {140, "the water cycle starts here"},
      {410, "a cycle again"},
  };
  std::string text;
  for (int n = 1; n <= 8 * 65; ++n) text += (special.count(n) ? special[n] : "Line " + std::to_string(n)) + "\n";
  return text;
}

struct Build {
  const char* lang;
  const char* firstInput;
  const char* secondInput;
  const char* notFound;
  const char* captionWithHit;
  const char* captionAfterGoBack;
};

const Build kBuilds[] = {
    {"es", "input Buscar | Texto a buscar: -> cycle", "input Buscar | Texto a buscar: = cycle -> leccion",
     "message Programador | No se encuentra «nowhere». [information]", "Página 3 de 8 · 1 de 2", "Pagina 3 de 8"},
    {"en", "input Find | Text to find: -> cycle", "input Find | Text to find: = cycle -> leccion",
     "message Programmer | “nowhere” not found. [information]", "Page 3 of 8 · 1 of 2", "Page 3 of 8"},
};

TEST_F(Find, GoesRoundTheHitsAcrossLinesAndPagesAndSaysWhenThereIsNone) {
  const std::string text = WriteText("t.txt", StudyText());
  const std::pair<std::string, const char*> steps[] = {  // what the reader does; page, offset, selection, match
      {"answer cycle\ncommand 1094\n", "3 0 10,14,18 1/2"}, {"command 1095\n", "7 0 20,6,10 2/2"},
      {"command 1095\n", "3 0 10,14,18 1/2"},               {"command 1096\n", "7 0 20,6,10 2/2"},
      {"command 1097\n", "3 0 0 0"},                        {"answer leccion\ncommand 1094\n", "1 0 5,7,13 1/2"},
      {"command 1095\n", "1 0 6,4,10 2/2"},                 {"answer broken over two\ncommand 1094\n", "1 0 0 1/1"},
      {"answer of the first page\ncommand 1094\n", "1 -85 0 1/1"},  // line 65's foot at the area's foot (955)
      {"answer nowhere\ncommand 1094\n", "1 -85 0 1/1"},
      {"key Down\nkey Home\n", "1 0 0 1/1"},  // scrolling keeps the hit (the guide is off)
      {"key Escape\n", "1 0 0 0"},
  };
  std::string script = Load(text) + "state\n";
  for (const auto& step : steps) script += step.first + "state\n";
  for (const Build& build : kBuilds) {
    FreshProgramFolder();
    const auto lines = Run(script, build.lang);
    const auto states = Matching(lines, "state");
    ASSERT_EQ(states.size(), std::size(steps) + 1) << build.lang;
    EXPECT_NE(ParseStateLine(states[0])["enabled"].find(",1093,1094,1097"), std::string::npos);
    for (std::size_t i = 0; i < std::size(steps); ++i) {
      EXPECT_EQ(Fields(ParseStateLine(states[i + 1]), {"page", "offset", "selection", "match"}), steps[i].second)
          << build.lang << " " << steps[i].first;
    }
    EXPECT_EQ(ParseStateLine(states[1])["caption"], build.captionWithHit);
    EXPECT_EQ(ParseStateLine(states[5])["caption"], build.captionAfterGoBack);
    EXPECT_EQ(states[10], states[9]) << "a text not found changes nothing";
    const auto inputs = Matching(lines, "input");
    ASSERT_EQ(inputs.size(), 5u);
    EXPECT_EQ(inputs[0], build.firstInput);
    EXPECT_EQ(inputs[1], build.secondInput);
    EXPECT_EQ(Matching(lines, "message"), std::vector<std::string>{build.notFound});
  }
}

// The hit is the chosen piece: marked at once, it leaves the document a dragged piece leaves; the highlight
// itself is never in the document, nor in an exported page. The guide moves to the hit's line.
TEST_F(Find, TheHitIsMarkedAsADraggedPieceAndIsNeverExported) {
  const std::string text = WriteText("t.txt", StudyText());
  const std::string shown = folder.File("shown.png"), marked = folder.File("marked.png");
  for (const char* lang : {"es", "en"}) {
    FreshProgramFolder();
    const auto dragged = Run(Load(text) + "key Right\nkey Right\npress 108 152\nmove 140 152\nrelease 140 152\n"
                             "command 1075\ndigest\n", lang);
    FreshProgramFolder();
    const auto found = Run(Load(text) + "digest\nanswer cycle\ncommand 1094\nsave-page 3 " + shown +
                           "\ndigest\ncommand 1070\nset 7008 out\nclick 7011\nanswer cycle\ncommand 1094\n"
                           "command 1075\ndigest\nsave-page 3 " + marked +
                           "\ncommand 1093\ncommand 1095\nstate\n", lang);
    const auto digests = Matching(found, "digest");
    ASSERT_EQ(digests.size(), 3u);
    EXPECT_EQ(digests[0], digests[1]) << "finding changes nothing in the document";
    EXPECT_EQ(digests[2], Matching(dragged, "digest").at(0)) << lang;
    EXPECT_EQ(Fields(LastState(found), {"page", "guide", "guideline", "match"}), "7 3 20 2/2") << lang;
    const QImage highlight(QString::fromStdString(shown)), underline(QString::fromStdString(marked));
    const QImage exported(QString::fromStdString(ProgramFilePath("out/3.bmp")));
    EXPECT_EQ(highlight.pixel(104, 145), qRgb(51, 153, 255)) << "the hit's first cell, column 14 of line 10";
    ASSERT_FALSE(exported.isNull()) << lang;
    EXPECT_EQ(exported.pixel(104, 145), qRgb(255, 255, 255)) << lang;
    // Underlined exactly under columns 14..18 (x 104..143), at the foot of line 10.
    const std::pair<int, QRgb> foot[] = {
        {103, qRgb(255, 255, 255)}, {104, qRgb(255, 0, 0)}, {143, qRgb(255, 0, 0)}, {144, qRgb(255, 255, 255)}};
    for (const auto& [x, colour] : foot) EXPECT_EQ(underline.pixel(x, 160), colour) << lang << " x " << x;
  }
}

// Go back returns to the page and offset left by a link click and by Go to; a new document forgets them.
TEST_F(Find, GoBackReturnsWhereTheReaderLeft) {
  const std::string text = WriteText("t.txt", StudyText());
  const std::pair<std::string, const char*> steps[] = {  // page, offset
      {"wheel down\npress 28 25\nrelease 28 25\n", "5 -15"}, {"key PageDown\ncommand 1097\n", "1 -15"},
      {"answer 6\ncommand 1085\nkey Home\n", "6 0"},           {"command 1097\n", "1 -15"},
      {"command 1097\n", "1 -15"},                             {"key Right\n" + Load(text) + "command 1097\n", "1 0"},
  };
  std::string script = Load(text) + "press 28 40\nmove 68 40\nrelease 68 40\nanswer 5\ncommand 1086\n";
  for (const auto& step : steps) script += step.first + "state\n";
  for (const char* lang : {"es", "en"}) {
    FreshProgramFolder();
    const auto states = Matching(Run(script, lang), "state");
    ASSERT_EQ(states.size(), std::size(steps)) << lang;
    for (std::size_t i = 0; i < states.size(); ++i) {
      EXPECT_EQ(Fields(ParseStateLine(states[i]), {"page", "offset"}), steps[i].second)
          << lang << " " << steps[i].first;
    }
  }
}

}  // namespace
