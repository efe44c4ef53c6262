#include "tests/viewer/ViewerTestSupport.h"

#include "platform/ProfileFile.h"

#include <QImage>

namespace {

using Shell = ViewerProgram;

constexpr const char* kWithoutDocument = "1046,1047,1048,1077,1079,1080,1081,1082,1083,1087,1093";
constexpr const char* kWithDocument =
    "1046,1047,1048,1070,1072,1073,1074,1077,1078,1079,1080,1081,1082,1083,1084,1085,"
    "1087,1090,1091,1092,1093";

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

// Which kept marks are offered is decided below the window; here the question in both builds and the bytes.
TEST_F(Shell, EachTextKeepsItsMarksWhenAnotherIsOpened) {
  const std::string a = WriteText("a.txt", NumberedLines(130));
  Run(Load(a) + "press 28 72\nmove 68 72\nrelease 68 72\ncommand 1075\n"
      "key Right\nkey PageDown\ncommand 1047\n");
  const std::string marked = ReadFileBytes(ProgramFilePath(kCacheFileName));
  ASSERT_NE(ReadCache().Line(1, 5).horizontalMarks, "");
  const std::string openBThenA = Load(WriteText("b.txt", NumberedLines(20))) + "choose " + a + "\nreply ";
  const std::tuple<std::string, const char*, const char*> steps[] = {  // reply, build, question
      {"yes", "es",
       "question Programador | Este texto tiene marcas guardadas. ¿Quieres recuperarlas? -> yes [question]"},
      {"no", "en",
       "question Programmer | This text has saved marks. Do you want them back? -> no [question]"},
  };
  for (const auto& [reply, lang, question] : steps) {
    const auto lines = Run(openBThenA + reply + "\ncommand 1046\nstate\n", lang);
    EXPECT_EQ(Matching(lines, "question"), std::vector<std::string>{question});
    EXPECT_EQ(ReadFileBytes(ProgramFilePath(kCacheFileName)) == marked, reply == "yes") << reply;
    EXPECT_EQ(Fields(LastState(lines), {"page", "offset"}), reply == "yes" ? "2 -100" : "1 0") << reply;
  }
}

}  // namespace
