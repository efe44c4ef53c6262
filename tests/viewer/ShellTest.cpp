#include "tests/viewer/ViewerTestSupport.h"

#include "platform/ProfileFile.h"

#include <map>
#include <set>
#include <QImage>

#include <ctime>

namespace {

using Shell = ViewerProgram;

constexpr const char* kWithoutDocument = "1046,1047,1048,1077,1079,1080,1081,1082,1083,1087,1093";
constexpr const char* kWithDocument =
    "1046,1047,1048,1070,1072,1073,1074,1077,1078,1079,1080,1081,1082,1083,1084,1085,"
    "1087,1090,1091,1092,1093,1094,1097,1098";

// The menus without a document and with one, loaded or brought back by the cache where the reader left it;
// then About, commands the window does not know and a window manager's close, which saves like Exit.
TEST_F(Shell, MenusAndCaptionAfterLoadingAndARestartThenAboutUnknownCommandsAndClose) {
  const auto states = Matching(Run("state\n" + Load(WriteText("t.txt", NumberedLines(300))) +
                                   "state\nkey Right\nkey Right\nkey PageDown\ncommand 1047\n"),
                               "state");
  ASSERT_EQ(states.size(), 2u);
  EXPECT_EQ(ParseStateLine(states[0])["enabled"], kWithoutDocument);
  EXPECT_EQ(ParseStateLine(states[1])["enabled"], kWithDocument);
  EXPECT_EQ(ParseStateLine(states[1])["caption"], "Página 1 de 5");
  const auto lines =
      Run("state\ncommand 1048\nfly away\ncommand 9999\nkey Space\nkey Right\nclose-window\nstate\n", "en");
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0], "message Programmer | Let's read your cache, Wait ...");
  EXPECT_EQ(Fields(ParseStateLine(lines[1]), {"page", "offset", "caption"}), "3 -100 Page 3 of 5");
  EXPECT_EQ(ParseStateLine(lines[1])["enabled"], kWithDocument);
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 2, lines.end()),
            (std::vector<std::string>{
                "message Programmer | Program Made by : \\nwww.marvessa.example\\nVisit me ...",
                "error fly away: unknown command", "error command 9999: no menu item 9999",
                "error key Space: cannot be carried out",
                "error state: the viewer has ended (kill starts it again)"}));
  ProfileFile settings;
  ProfileFile::Load(ProgramFilePath("Configuracion.ini"), settings);
  EXPECT_EQ(settings.Get("Posicion", "Pagina", ""), "4");
  EXPECT_EQ(ReadCache().PageCount, 5);
}

// A screen of pixel ratio 2 shows the view at twice the pixels; the export stays the same, byte for byte.
TEST_F(Shell, ADenseScreenChangesTheViewOnly) {
  const std::string text = WriteText("t.txt", NumberedLines(100));
  std::map<std::string, std::string> bytes;
  for (const int ratio : {1, 2}) {
    FreshProgramFolder();
    ::setenv("QT_SCALE_FACTOR", std::to_string(ratio).c_str(), 1);
    const std::string view = folder.File("view.png");
    Run(Load(text) +
        "press 28 72\nmove 60 72\nrelease 60 72\ncommand 1075\ncommand 1072\npress 8 40\n"
        "command 1070\nset 7008 out\nclick 7011\nsave-view " + view + "\n");
    ::unsetenv("QT_SCALE_FACTOR");
    for (const auto& exported : std::filesystem::directory_iterator(ProgramFilePath("out"))) {
      bytes["export" + std::to_string(ratio)] += ReadFileBytes(exported.path().string());
    }
    const QImage shown(QString::fromStdString(view));
    EXPECT_EQ(shown.size(), QSize(794 * ratio, 955 * ratio)) << ratio;
    EXPECT_EQ(shown.pixel(40 * ratio, 80 * ratio), qRgb(255, 0, 0)) << "the underline at ratio " << ratio;
  }
  EXPECT_FALSE(bytes["export1"].empty());
  EXPECT_EQ(bytes["export1"], bytes["export2"]);
}

// Go to asks again until a valid page and keeps the scroll; the last case.
TEST_F(Shell, KeysAndWheelMoveTheViewAndGoToAsksAgainUntilAValidPage) {
  const std::string text = WriteText("t.txt", NumberedLines(5 * 65));
  const std::pair<std::string, const char*> cases[] = {  // keys, offset and page
      {"wheel down\nwheel down\nwheel down\nkey PageUp\n", "55 1"}, {"key End\n", "-561 1"},
      {"key End\nkey PageDown\n", "-561 1"}, {"key End\nkey Home\n", "0 1"},
      {Times("key PageDown\n", 7), "-600 1"}, {"wheel up\nkey Left\n", "0 1"}, {Times("key Right\n", 5), "0 5"},
      {"key Right\nwheel down\nanswer 0\nanswer 6\nanswer 2\nanswer \nanswer 4\ncommand 1085\n", "-15 4"},
  };
  std::string script;  // each case from a fresh load, in one run
  for (const auto& c : cases) script += Load(text) + c.first + "state\n";
  const auto lines = Run(script);
  const auto states = Matching(lines, "state");
  ASSERT_EQ(states.size(), std::size(cases));
  for (std::size_t i = 0; i < states.size(); ++i) {
    EXPECT_EQ(Fields(ParseStateLine(states[i]), {"offset", "page"}), cases[i].second) << cases[i].first;
  }
  const auto inputs = Matching(lines, "input");
  ASSERT_EQ(inputs.size(), 5u);
  EXPECT_EQ(inputs[0], "input De 1 a 5 | Introduce número página -> 0");
  EXPECT_EQ(inputs[3], "input De 1 a 5 | Introduce número página -> ");
  EXPECT_EQ(LastState(lines)["caption"], "Pagina 4 de 5");
}

TEST_F(Shell, ColourCommandsChangeThePageOnlyAfterUpdate) {
  std::filesystem::create_directories(ProgramFolderPath());
  ASSERT_FALSE(CacheWrite(MarkedDocument(), ProgramFilePath(kCacheFileName)).failed());
  const std::string a = folder.File("a.png"), b = folder.File("b.png"), c = folder.File("c.png");
  Run("save-page 1 " + a + "\ncommand 1080\nsave-page 1 " + b + "\ncommand 1078\nsave-page 1 " + c +
      "\ncommand 1047\n");
  EXPECT_EQ(ReadFileBytes(a), ReadFileBytes(b));
  EXPECT_NE(ReadFileBytes(b), ReadFileBytes(c));
  EXPECT_FALSE(std::filesystem::exists(ProgramFilePath("color.bmp")));
}

// "7/12/2026" and "17:05": the day and the time of `moment` as the reader's clock shows them.
std::pair<std::string, std::string> DayAndTime(std::time_t moment) {
  std::tm local{};
  localtime_r(&moment, &local);
  char time[8];
  std::snprintf(time, sizeof time, "%02d:%02d", local.tm_hour, local.tm_min);
  return {std::to_string(local.tm_mday) + "/" + std::to_string(local.tm_mon + 1) + "/" + std::to_string(local.tm_year + 1900), time};
}

// Which kept marks are offered is decided below the window; here the question in both builds and the bytes.
TEST_F(Shell, EachTextKeepsItsMarksWhenAnotherIsOpened) {
  const std::string a = WriteText("a.txt", NumberedLines(130));
  Run(Load(a) + "press 28 72\nmove 68 72\nrelease 68 72\ncommand 1075\ncommand 1072\npress 8 8\ncommand 1073\n"
      "key Right\nkey PageDown\ncommand 1047\n");
  const std::string marked = ReadFileBytes(ProgramFilePath(kCacheFileName));
  ASSERT_NE(ReadCache().Line(1, 5).horizontalMarks, "");
  const std::string openBThenA = Load(WriteText("b.txt", NumberedLines(20))) + "choose " + a + "\nreply ";
  const std::tuple<std::string, const char*, const char*> steps[] = {  // reply, build, question
      {"yes", "es", "question Programador | Este texto tiene marcas guardadas el % a las % (2 marcas). ¿Quieres recuperarlas? -> yes [question]"},
      {"no", "en", "question Programmer | This text has marks saved on % at % (2 marks). Do you want them back? -> no [question]"},
  };
  for (const auto& [reply, lang, question] : steps) {
    const std::time_t before = std::time(nullptr);
    const auto lines = Run(openBThenA + reply + "\ncommand 1046\nstate\n", lang);
    std::set<std::string> expected;  // the minute may turn while the program runs
    for (const std::time_t moment : {before, std::time(nullptr)}) {
      const auto [day, time] = DayAndTime(moment);
      std::string text = question;
      text.replace(text.find('%'), 1, day);
      expected.insert(text.replace(text.find('%'), 1, time));
    }
    const auto questions = Matching(lines, "question");
    ASSERT_EQ(questions.size(), 1u) << reply;
    EXPECT_TRUE(expected.count(questions[0])) << questions[0];
    EXPECT_EQ(ReadFileBytes(ProgramFilePath(kCacheFileName)) == marked, reply == "yes") << reply;
    EXPECT_EQ(Fields(LastState(lines), {"page", "offset"}), reply == "yes" ? "2 -100" : "1 0") << reply;
  }
}

}  // namespace
